// DirectXSetupA of the DSETUP.dll stand-in: what the launcher's install command meets.
#include <gtest/gtest.h>

#include <string>

#include "DirectXCheck.h"
#include "DirectXSetup.h"
#include "TestFiles.h"
#include "TestKey.h"

namespace {

class DirectXSetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A machine with DirectX 6.0, which the game does not accept.
        directX_.StoreText("Version", "4.06.00.0318");
        CreateDirectoryA((cd_ + "\\redist").c_str(), nullptr);
        CreateDirectoryA(source_.c_str(), nullptr);
    }
    void TearDown() override { RemoveTree(cd_); }

    int Setup(std::string folder) { return DirectXSetupA(nullptr, &folder[0], DSETUP_DIRECTX); }
    std::string RecordedVersion() const { return directX_.Read("Version").Text(); }

    TestKey directX_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX"};
    std::string cd_ = MakeScratchFolder("dxsetup");
    // The launcher's source folder ends with a backslash.
    std::string source_ = cd_ + "\\redist\\DirectX6\\";
};

} // namespace

TEST_F(DirectXSetupTest, AMissingSourceFolderOrManifestIsAnError) {
    EXPECT_EQ(DSETUPERR_CANTFINDDIR, Setup(cd_ + "\\redist\\DirectX7\\"));
    EXPECT_EQ(DSETUPERR_CANTFINDDIR, Setup(""));
    EXPECT_EQ(DSETUPERR_CANTFINDINF, Setup(source_));
    WriteTextFile(source_ + "dxsetup.ini", "[DirectX]\r\nRestart=0\r\n");
    EXPECT_EQ(DSETUPERR_CANTFINDINF, Setup(source_)) << "no version";
    WriteTextFile(source_ + "dxsetup.ini", "[DirectX]\r\nVersion=6.1\r\n");
    EXPECT_EQ(DSETUPERR_CANTFINDINF, Setup(source_)) << "a malformed version";
    EXPECT_EQ("4.06.00.0318", RecordedVersion());
}

TEST_F(DirectXSetupTest, InstallingRecordsTheVersionSoTheCheckThenPasses) {
    WriteTextFile(source_ + "dxsetup.ini", "[DirectX]\r\nVersion=4.06.02.0436\r\nRestart=0\r\n");
    ASSERT_EQ(0, IsDirectXInstalled(DirectX61Version, DirectX61Revision));
    EXPECT_EQ(DSETUPERR_SUCCESS, Setup(source_));
    EXPECT_EQ("4.06.02.0436", RecordedVersion());
    EXPECT_EQ(1, IsDirectXInstalled(DirectX61Version, DirectX61Revision));
}

TEST_F(DirectXSetupTest, AManifestThatAsksForARestartGivesOne) {
    WriteTextFile(source_ + "dxsetup.ini", "[DirectX]\r\nVersion=4.06.02.0436\r\nRestart=1\r\n");
    std::string withoutBackslash = source_.substr(0, source_.size() - 1);
    EXPECT_EQ(DSETUPERR_SUCCESS_RESTART, Setup(withoutBackslash));
    EXPECT_EQ("4.06.02.0436", RecordedVersion());
}
