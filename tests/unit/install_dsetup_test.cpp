// Install Software with the real DSETUP.dll stand-in and the real disk query: DirectX is
// installed from the redist folder's manifest, as on the game's CD.
#include <gtest/gtest.h>

#include "DirectXCheck.h"
#include "InstallStage.h"
#include "StartUp.h"
#include "TestFiles.h"

namespace {

using Transcript = std::vector<std::string>;

class InstallWithSetupLibraryTest : public InstallTest {
  protected:
    void SetUp() override {
        InstallTest::SetUp();
        UseRealSetupLibrary();
    }
    std::string RecordedDirectXVersion() const { return directX_.Read("Version").Text(); }
};

TEST_F(InstallWithSetupLibraryTest, DirectX61IsInstalledOnceAndNotOfferedAgain) {
    ASSERT_EQ(0, IsDirectXInstalled(DirectX61Version, DirectX61Revision));
    AnswerBoxes({IDYES, IDNO, IDNO});
    EXPECT_EQ(1, Install());
    EXPECT_EQ(Transcript({"ask DirectX 6", "hide 0", "show 0", "ask Indeo", "ask DirectX Media"}),
              transcript_)
        << "the manifest asks for no restart";
    EXPECT_EQ("4.06.02.0436", RecordedDirectXVersion());
    EXPECT_EQ(1, IsDirectXInstalled(DirectX61Version, DirectX61Revision));

    transcript_.clear();
    AnswerBoxes({IDNO, IDNO});
    EXPECT_EQ(1, Install());
    EXPECT_EQ(Transcript({"ask Indeo", "ask DirectX Media"}), transcript_);
}

TEST_F(InstallWithSetupLibraryTest, WithoutTheCdFilesTheSetupAsksForTheCd) {
    RemoveTree(gameFolder_ + "\\redist");
    AnswerBoxes({IDYES, IDOK, IDCANCEL});
    EXPECT_EQ(0, Install());
    EXPECT_EQ(Transcript({"ask DirectX 6", "hide 0", "show 0", "insert CD", "hide 0", "show 0",
                          "insert CD"}),
              transcript_);
    EXPECT_EQ("4.06.00.0318", RecordedDirectXVersion());
}

TEST_F(InstallWithSetupLibraryTest, TheAssembledGameCdWalksTheWholeSequence) {
    std::string cd = BinaryFolder() + "\\gamecd";
    ASSERT_TRUE(FileExists(cd + "\\launcher.exe")) << "the gamecd target was not built";
    GameDirectory = cd.c_str();
    AnswerBoxes({IDYES, IDYES, IDYES, IDOK});
    EXPECT_EQ(1, Install());
    EXPECT_EQ(Transcript({"ask DirectX 6", "hide 0", "show 0", "ask Indeo", "hide 0", "show 1",
                          "ask DirectX Media", "hide 1", "show 3", "ask reboot", "reboot"}),
              transcript_);
    EXPECT_EQ("4.06.02.0436", RecordedDirectXVersion());
    std::string redist = cd + "\\redist\\";
    EXPECT_EQ(Transcript({redist + "iv5setup.exe", redist + "dxmedia.exe -NQ -id:my_GUID",
                          redist + "dxm6ptch.exe /c:\"isv.inf\" /Q:A"}),
              Starts());
    ASSERT_EQ(1u, reboots_.size());
    EXPECT_EQ(static_cast<UINT>(EWX_REBOOT), reboots_[0].flags);
}

} // namespace
