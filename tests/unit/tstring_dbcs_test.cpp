// TString on a double-byte code page. CTest runs this program with LC_ALL=ja_JP.UTF-8, which
// makes Wine's ANSI code page 932 (Shift-JIS); every test first makes sure it really is.
#include <gtest/gtest.h>

#include "StartUp.h"
#include "TString.h"

namespace {

// Shift-JIS characters whose trail byte is 0x5C, the backslash.
const char Table[] = "\x95\x5C";    // 表
const char Katakana[] = "\x83\x5C"; // ソ
const char Ability[] = "\x94\x5C";  // 能

class ShiftJisText : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(932u, GetACP()) << "the test needs Shift-JIS"; }
};

} // namespace

TEST_F(ShiftJisText, TrailBytesAreNeverTakenForABackslash) {
    TString names = TString(Table) + Katakana + Ability;
    EXPECT_EQ(-1, names.FindLast('\\'));
    TString path = TString("C:\\") + Table;
    EXPECT_EQ(2, path.FindLast('\\'));
    TString folders = TString("C:\\") + Katakana + "\\" + Ability + "x";
    EXPECT_EQ(5, folders.FindLast('\\'));
    EXPECT_EQ(8, folders.FindLast('x'));
}

TEST_F(ShiftJisText, ALoneLeadByteAtTheEndStopsTheSearch) {
    TString text("a\\\x95");
    EXPECT_EQ(1, text.FindLast('\\'));
    EXPECT_EQ(-1, text.FindLast(0x95));
}

TEST_F(ShiftJisText, AGameFileWithADoubleByteNameIsCutAtTheRealBackslash) {
    SetGameDirectory(TString("D:\\") + Katakana + Table);
    EXPECT_STREQ("D:", GameDirectory);
}

TEST_F(ShiftJisText, FormatEstimatesCountDoubleByteCharactersWhole) {
    TString text;
    text.Format((TString(Table) + "%s" + Ability).Text(), "\\moss");
    EXPECT_STREQ((TString(Table) + "\\moss" + Ability).Text(), text);
    EXPECT_EQ(9, text.Length());
    EXPECT_EQ(9, text.Capacity()); // two double-byte characters of 2 and five bytes of "%s"
}
