// TString: sharing, copy on write, the locked and empty-text rules, write buffers, parts,
// search and formatting, as the launcher's callers use them.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>

#include "TString.h"

namespace {

int Estimate(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    int estimate = EstimateFormatLength(format, arguments);
    va_end(arguments);
    return estimate;
}

} // namespace

TEST(TString, CopiesShareOneBlockUntilOneIsWrittenAndSelfAssignmentChangesNothing) {
    TString a("harbor");
    TString b(a);
    TString c;
    c = b;
    EXPECT_EQ(a.Text(), c.Text());
    EXPECT_EQ(3, a.RefCount());
    b.SetChar(0, 'H');
    EXPECT_NE(a.Text(), b.Text());
    EXPECT_STREQ("harbor", a);
    EXPECT_STREQ("harbor", c);
    EXPECT_STREQ("Harbor", b);
    EXPECT_EQ(2, a.RefCount());
    EXPECT_EQ(1, b.RefCount());

    const char* text = a.Text();
    a = a; // to itself or to a sharer: nothing changes
    a = c;
    EXPECT_EQ(text, a.Text());
    EXPECT_EQ(2, a.RefCount());
}

TEST(TString, TheSharedEmptyTextIsNeverCountedNorFreedAndEmptyingKeepsAnOwnBlock) {
    TString empty;
    ASSERT_TRUE(empty.IsSharedEmpty());
    EXPECT_EQ(-1, empty.RefCount());
    {
        TString copies[3] = {TString(empty), TString(static_cast<const char*>(nullptr)),
                             TString("")};
        TString assigned("x");
        assigned = empty;
        for (const TString& copy : copies)
            EXPECT_EQ(empty.Text(), copy.Text());
        EXPECT_NE(empty.Text(), assigned.Text()); // an own block is kept, emptied
        EXPECT_STREQ("", assigned);
        EXPECT_EQ(empty.Text(), (TString() + nullptr).Text());
        EXPECT_EQ(empty.Text(), TString("abc").LeftPart(0).Text());
    }
    EXPECT_EQ(-1, empty.RefCount());
    EXPECT_EQ(0, empty.Length());
    EXPECT_STREQ("", empty);

    // Emptying an own block keeps it; a shared one is let go.
    TString own("private");
    const char* text = own.Text();
    own = "";
    EXPECT_EQ(text, own.Text());
    EXPECT_EQ(0, own.Length());
    EXPECT_EQ(7, own.Capacity());

    TString shared("common");
    TString other(shared);
    shared = nullptr;
    EXPECT_TRUE(shared.IsSharedEmpty());
    EXPECT_STREQ("common", other);
    EXPECT_EQ(1, other.RefCount());
}

TEST(TString, ALockedTextIsCopiedNotSharedUntilUnlockedAndKeepsItsBlock) {
    TString line("C:\\Games\\moss.exe 4806173");
    char* writable = line.LockText();
    EXPECT_EQ(-1, line.RefCount());
    TString copy(line);
    EXPECT_NE(line.Text(), copy.Text());
    EXPECT_EQ(1, copy.RefCount());
    writable[0] = 'D'; // what CreateProcessA may do to its command line
    EXPECT_STREQ("C:\\Games\\moss.exe 4806173", copy);

    TString target("old");
    target = line; // a locked source is copied too
    EXPECT_NE(line.Text(), target.Text());
    EXPECT_STREQ("D:\\Games\\moss.exe 4806173", target);

    line.UnlockText();
    TString shares(line);
    EXPECT_EQ(line.Text(), shares.Text());
    EXPECT_EQ(2, line.RefCount());

    TString locked("0123456789"); // assigned into, it copies into its own block
    char* block = locked.LockText();
    TString source("short");
    locked = source;
    EXPECT_EQ(block, locked.Text());
    EXPECT_STREQ("short", locked);
    EXPECT_EQ(1, source.RefCount());
    locked.UnlockText();
}

TEST(TString, APathBufferKeepsItsCapacityForLaterAppends) {
    TString path;
    char* buffer = path.BeginWrite(260);
    EXPECT_EQ(260, path.Capacity());
    EXPECT_FALSE(path.IsSharedEmpty());
    std::strcpy(buffer, "C:\\MOSS"); // what a system call would write
    path.EndWrite(-1);
    EXPECT_EQ(7, path.Length());
    EXPECT_EQ(260, path.Capacity());

    const char* block = path.Text();
    std::string tail(253, 'x');
    path += tail.c_str();
    EXPECT_EQ(block, path.Text());
    EXPECT_EQ(260, path.Length());
    path += "y"; // one byte more outgrows the block: exact reallocation
    EXPECT_NE(block, path.Text());
    EXPECT_EQ(261, path.Capacity());
    EXPECT_EQ('y', path.Text()[260]);
}

TEST(TString, WritingASharedTextSeparatesItAndEndWriteNeverReadsPastTheBuffer) {
    TString a("fold");
    TString b(a);
    char* buffer = b.BeginWrite(4);
    EXPECT_NE(a.Text(), buffer);
    std::memcpy(buffer, "FOLD", 4); // a call that filled the buffer without a NUL
    b.EndWrite(-1);
    EXPECT_STREQ("fold", a);
    EXPECT_STREQ("FOLD", b);
    EXPECT_EQ(1, a.RefCount());
    EXPECT_EQ(4, b.Length());
    b.BeginWrite(4);
    b.EndWrite(10);
    EXPECT_EQ(4, b.Length());
}

TEST(TString, CuttingAtTheLastBackslashKeepsTheFolder) {
    TString path("C:\\Games\\MOSS\\launcher.exe");
    int backslash = path.FindLast('\\');
    EXPECT_EQ(13, backslash);
    path.SetChar(backslash, '\0');
    EXPECT_STREQ("C:\\Games\\MOSS", path);
    EXPECT_EQ(26, path.Length()); // the length still counts the old bytes
    EXPECT_EQ(-1, TString("moss.exe").FindLast('\\'));
    EXPECT_EQ(-1, TString().FindLast('\\'));
    EXPECT_EQ(1, TString("a\\b").FindLast(0x100 | '\\'));

    TString text("abc"); // SetChar cannot unterminate the text
    text.SetChar(3, 'd');
    text.SetChar(-1, 'd');
    EXPECT_STREQ("abc", text);
    TString empty;
    empty.SetChar(0, 'x');
    EXPECT_STREQ("", empty);
}

TEST(TString, LeftPartIsBoundedByTheTextAndConcatenationSizedExactly) {
    TString text("MOSS HARBOR");
    EXPECT_TRUE(text.LeftPart(-3).IsSharedEmpty());
    EXPECT_STREQ("MOSS", text.LeftPart(4));
    TString whole = text.LeftPart(text.Length() + 10);
    EXPECT_STREQ("MOSS HARBOR", whole);
    EXPECT_EQ(11, whole.Capacity());

    // Concatenation allocates exactly both lengths.
    TString folder("D:");
    TString path = folder + "\\moss.exe";
    EXPECT_STREQ("D:\\moss.exe", path);
    EXPECT_EQ(11, path.Capacity());
    EXPECT_STREQ("D:", folder + nullptr);
    TString grown("a");
    grown += nullptr;
    grown += "";
    grown += "b";
    EXPECT_STREQ("ab", grown);
    EXPECT_EQ(2, grown.Capacity());
}

TEST(TString, FormatBuildsTheLaunchersPaths) {
    TString path("stale text that is longer than the result");
    path.Format("%s\\%s", "C:\\Games\\MOSS", "moss.exe");
    EXPECT_STREQ("C:\\Games\\MOSS\\moss.exe", path);
    path.Format("%s%s", "D:\\", "moss.exe");
    EXPECT_STREQ("D:\\moss.exe", path);

    TString shared("kept");
    TString formatted(shared);
    formatted.Format("%s\\redist\\DirectX6\\", "E:");
    EXPECT_STREQ("kept", shared);
    EXPECT_STREQ("E:\\redist\\DirectX6\\", formatted);
}

TEST(TString, FormatEstimatesAreUpperBoundsByTheTableAndCutTheText) {
    EXPECT_EQ(0, Estimate(""));
    EXPECT_EQ(3, Estimate("a%%b"));
    EXPECT_EQ(1, Estimate("%s", ""));
    EXPECT_EQ(4, Estimate("%s", "moss"));
    EXPECT_EQ(4, Estimate("%ls", L"moss"));
    EXPECT_EQ(4, Estimate("%hS", "moss"));
    EXPECT_EQ(10, Estimate("%10s", "moss"));
    EXPECT_EQ(2, Estimate("%.2s", "moss"));
    EXPECT_EQ(8, Estimate("%*.*s", 8, 2, "moss"));
    EXPECT_EQ(4, Estimate("%.*s", -1, "moss")); // a negative precision is none
    EXPECT_EQ(2, Estimate("%c", 'x'));
    EXPECT_EQ(32, Estimate("%d", 7));
    EXPECT_EQ(50, Estimate("%40.10x", 7));
    EXPECT_EQ(34, Estimate("%#o", 7));
    EXPECT_EQ(128, Estimate("%f", 1.5));
    EXPECT_EQ(32, Estimate("%p", nullptr));
    EXPECT_EQ(0, Estimate("%n", nullptr));
    EXPECT_EQ(0, Estimate("%y"));
    // Arguments are consumed in order, whatever their kind.
    EXPECT_EQ(32 + 128 + 5, Estimate("%d%g%s", 1, 2.0, "harbr"));
    EXPECT_EQ(6, Estimate("%s", static_cast<const char*>(nullptr))); // the run time's "(null)"
    EXPECT_EQ(6, Estimate("%S", static_cast<const wchar_t*>(nullptr)));

    TString text;
    text.Format("%s", static_cast<const char*>(nullptr));
    EXPECT_STREQ("(null)", text);
    text.Format("%f", 1e200); // an oversized conversion is cut to the estimate
    EXPECT_EQ(128, text.Length());
    EXPECT_EQ(128, text.Capacity());
}
