// IsIndeoInstalled: the codec module found beside the program decides.
#include <gtest/gtest.h>

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

    void InstallCodec(const char* version) {
        std::string built = BinaryFolder() + "\\indeo-" + version + "\\ir50_32.dll";
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

} // namespace
