// IsIndeoInstalled: the codec module found beside the program decides.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FileVersion.h"
#include "IndeoCheck.h"
#include "TestFiles.h"

namespace {

// The module search order looks in the program's own folder first.
class IndeoCheckTest : public ::testing::Test {
  protected:
    void SetUp() override { DeleteFileA(beside_.c_str()); }
    void TearDown() override { DeleteFileA(beside_.c_str()); }

    void InstallCodec(const char* variant) {
        std::string built = BinaryFolder() + "\\indeo-" + variant + "\\ir50_32.dll";
        ASSERT_TRUE(CopyFileA(built.c_str(), beside_.c_str(), FALSE)) << built;
    }

    std::string beside_ = BinaryFolder() + "\\ir50_32.dll";
};

TEST_F(IndeoCheckTest, Indeo511PassesAndTheBuildBeforeItFails) {
    InstallCodec("5.2818");
    VS_FIXEDFILEINFO info = {};
    ASSERT_EQ(1, GetFileVersion(beside_.c_str(), info));
    ASSERT_EQ(0x50B02u, info.dwFileVersionMS) << "the test codec carries the wrong version";
    EXPECT_NE(0, IsIndeoInstalled());

    InstallCodec("5.2817");
    EXPECT_EQ(0, IsIndeoInstalled());
}

TEST_F(IndeoCheckTest, NoCodecWithAVersionFails) {
    EXPECT_EQ(0, IsIndeoInstalled());
}

// Leaves the stack below the caller full of 0xFF, the highest version there is, so that the
// next call reads it wherever it reads memory that it did not fill itself.
__attribute__((noinline)) void FillStackWithOnes() {
    volatile unsigned char stack[4096];
    for (unsigned i = 0; i < sizeof stack; ++i)
        stack[i] = 0xFF;
}

TEST_F(IndeoCheckTest, ARootBlockTooShortToHoldAVersionFails) {
    InstallCodec("short");
    VS_FIXEDFILEINFO info;
    std::memset(&info, 0xFF, sizeof info);
    ASSERT_EQ(1, GetFileVersion(beside_.c_str(), info));
    ASSERT_EQ(0xFFFFFFFFu, info.dwFileVersionMS) << "the test codec's root block holds a version";
    FillStackWithOnes();
    EXPECT_EQ(0, IsIndeoInstalled());
}

} // namespace
