// The Indeo and DirectX Media installers, run from the CD's redist folder with the menu hidden.
#include <gtest/gtest.h>

#include "InstallStage.h"
#include "TestFiles.h"

namespace {

using Transcript = std::vector<std::string>;

class InstallRedistTest : public InstallTest {
  protected:
    void SetUp() override {
        InstallTest::SetUp();
        SetDirectXVersion("4.06.02.0436"); // straight to the installers
    }
};

TEST_F(InstallRedistTest, AcceptedInstallersRunHiddenWithTheirCommandLines) {
    AnswerBoxes({IDYES, IDYES});
    EXPECT_EQ(1, Install());
    // "hide N" and "show N": N installers had started by then.
    EXPECT_EQ(
        Transcript({"ask Indeo", "hide 0", "show 1", "ask DirectX Media", "hide 1", "show 3"}),
        transcript_);
    EXPECT_EQ(Transcript({Installer("iv5setup.exe"), Installer("dxmedia.exe") + " -NQ -id:my_GUID",
                          Installer("dxm6ptch.exe") + " /c:\"isv.inf\" /Q:A"}),
              Starts());
}

TEST_F(InstallRedistTest, AMissingDxmediaIsReportedOnceAndThePatchStillRuns) {
    ASSERT_TRUE(DeleteFileA(Installer("dxmedia.exe").c_str()));
    AnswerBoxes({IDNO, IDYES, IDOK});
    EXPECT_EQ(1, Install());
    EXPECT_EQ(Transcript({"ask Indeo", "ask DirectX Media", "hide 0", "installer error", "show 1"}),
              transcript_);
    EXPECT_EQ(Transcript({Installer("dxm6ptch.exe") + " /c:\"isv.inf\" /Q:A"}), Starts());
}

TEST_F(InstallRedistTest, WithoutARedistFolderEachAcceptedInstallerEndsInTheErrorBox) {
    RemoveTree(gameFolder_ + "\\redist");
    AnswerBoxes({IDYES, IDOK, IDYES, IDOK, IDOK});
    EXPECT_EQ(1, Install());
    EXPECT_EQ(Transcript({"ask Indeo", "hide 0", "installer error", "show 0", "ask DirectX Media",
                          "hide 0", "installer error", "installer error", "show 0"}),
              transcript_);
    EXPECT_TRUE(Starts().empty());
}

} // namespace
