// The Install Software command as the player meets it: the questions in their order, the
// DirectX setup with its free-space test, and the reboot that DirectX asks for.
#include <gtest/gtest.h>

#include "DirectXSetup.h"
#include "InstallStage.h"

namespace {

using Transcript = std::vector<std::string>;

TEST_F(InstallTest, WithDirectX61PresentTheFirstQuestionIsIndeo) {
    SetDirectXVersion("4.06.02.0436");
    AnswerBoxes({IDNO, IDNO});
    EXPECT_EQ(1, Install());
    EXPECT_EQ(Transcript({"ask Indeo", "ask DirectX Media"}), transcript_);
}

TEST_F(InstallTest, DirectXAskingForARestartLeadsToTheRebootAfterTheOtherQuestions) {
    ScriptSetupResults({DSETUPERR_SUCCESS_RESTART});
    AnswerBoxes({IDYES, IDNO, IDNO, IDOK});
    EXPECT_EQ(1, Install());
    EXPECT_EQ(Transcript({"ask DirectX 6", "measure", "hide 0", "setup", "show 0", "ask Indeo",
                          "ask DirectX Media", "ask reboot", "reboot"}),
              transcript_);

    ASSERT_EQ(1u, setupCalls_.size());
    EXPECT_EQ(menu_, setupCalls_[0].owner);
    EXPECT_EQ(gameFolder_ + "\\redist\\DirectX6\\", setupCalls_[0].source);
    EXPECT_EQ(0x10018u, setupCalls_[0].flags);
    ASSERT_EQ(1u, reboots_.size());
    EXPECT_EQ(static_cast<UINT>(EWX_REBOOT), reboots_[0].flags);
    EXPECT_EQ(0u, reboots_[0].reason);
    EXPECT_TRUE(reboots_[0].mayShutDown) << "Windows NT would refuse the reboot";
}

TEST_F(InstallTest, ADeclinedRestartIsOwedUntilDirectX6IsDeclined) {
    ScriptSetupResults({DSETUPERR_SUCCESS_RESTART});
    AnswerBoxes({IDYES, IDNO, IDNO, IDCANCEL, IDOK});
    EXPECT_EQ(0, Install());
    EXPECT_EQ(Transcript({"ask DirectX 6", "measure", "hide 0", "setup", "show 0", "ask Indeo",
                          "ask DirectX Media", "ask reboot", "reboot warning"}),
              transcript_);

    // The runtime is in place now: the next command skips DirectX and still owes the restart.
    SetDirectXVersion("4.06.02.0436");
    transcript_.clear();
    AnswerBoxes({IDNO, IDNO, IDCANCEL, IDOK});
    EXPECT_EQ(0, Install());
    EXPECT_EQ(Transcript({"ask Indeo", "ask DirectX Media", "ask reboot", "reboot warning"}),
              transcript_);

    // Saying no to DirectX 6 forgets the restart.
    SetDirectXVersion("4.06.00.0318");
    transcript_.clear();
    AnswerBoxes({IDNO, IDNO, IDNO});
    EXPECT_EQ(1, Install());
    EXPECT_EQ(Transcript({"ask DirectX 6", "ask Indeo", "ask DirectX Media"}), transcript_);
    EXPECT_TRUE(reboots_.empty());
}

TEST_F(InstallTest, BelowFifteenMegabytesTheSpaceQuestionComesFirstAndOkMeasuresAgain) {
    ScriptDisk({AlmostFifteenMegabytes, OneClusterShort, FifteenMegabytes});
    ScriptSetupResults({DSETUPERR_SUCCESS});
    AnswerBoxes({IDYES, IDOK, IDOK, IDNO, IDNO});
    EXPECT_EQ(1, Install());
    EXPECT_EQ(
        Transcript({"ask DirectX 6", "measure", "need 15 MB", "measure", "need 15 MB", "measure",
                    "hide 0", "setup", "show 0", "ask Indeo", "ask DirectX Media"}),
        transcript_);

    // The root of the system folder's drive, e.g. "C:\".
    char system[MAX_PATH];
    ASSERT_NE(0u, GetSystemDirectoryA(system, MAX_PATH));
    std::string systemFolder = system;
    std::string root = systemFolder.substr(0, systemFolder.find('\\') + 1);
    ASSERT_EQ(3u, root.size()) << systemFolder;
    EXPECT_EQ(std::vector<std::string>(3, root), measuredRoots_);
}

TEST_F(InstallTest, CancellingTheSpaceQuestionSkipsDirectX6AndGoesOnWithIndeo) {
    // 14.9 MB, and a query that fails, which counts as no room.
    for (DiskAnswer disk : {AlmostFifteenMegabytes, DiskAnswer{FALSE, 0, 0, 0}}) {
        transcript_.clear();
        ScriptDisk({disk});
        AnswerBoxes({IDYES, IDCANCEL, IDNO, IDNO});
        EXPECT_EQ(1, Install());
        EXPECT_EQ(Transcript(
                      {"ask DirectX 6", "measure", "need 15 MB", "ask Indeo", "ask DirectX Media"}),
                  transcript_);
    }
}

} // namespace
