// RunSetup in-process: the stand-in setup beside this program, the real registry, and the
// error box answered through the system call table. (With no setup anywhere the launcher ends
// quietly: the first start player test shows it.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopiedTestRun.h"
#include "Kept.h"
#include "LauncherSettings.h"
#include "RunSetup.h"
#include "ScriptedMessageBoxes.h"
#include "StandInRecords.h"
#include "TestFiles.h"
#include "TestKey.h"
#include "TestWindow.h"

namespace {

const char* const SetupSwitches[] = {"MOSS_MINST_EXIT", "MOSS_MINST_NO_SETUP", "MOSS_MINST_CRASH",
                                     "MOSS_MINST_WAIT"};

// Looks at the owner from another thread while the setup, told to wait for an event, runs.
struct Lookout {
    HWND owner;
    const StandInLog& log;
    HANDLE release;
    bool setupSeen = false;
    bool ownerVisible = true;

    static DWORD WINAPI Watch(void* context) {
        auto* lookout = static_cast<Lookout*>(context);
        for (int i = 0; i < 500 && !lookout->setupSeen; ++i) {
            lookout->setupSeen = !lookout->log.Starts().empty();
            Sleep(lookout->setupSeen ? 0 : 20);
        }
        lookout->ownerVisible = IsWindowVisible(lookout->owner) != FALSE;
        SetEvent(lookout->release);
        return 0;
    }
};

class RunSetupTest : public testing::Test {
  protected:
    void SetUp() override {
        settings_.StoreText("Install Path", "C:\\old");
        LauncherSettings = Stale();
    }
    void TearDown() override {
        for (const char* name : SetupSwitches)
            SetEnvironmentVariableA(name, nullptr);
        RemoveTree(scratch_);
    }

    // What the menu held before the setup ran: nothing of it may survive a reload.
    static SettingsRecord Stale() {
        SettingsRecord record;
        record.setup = 7;
        record.indeoCheck = 7;
        record.displayMode = 1;
        record.options[0] = record.options[1] = 7;
        record.savePath = "stale";
        record.installPath = "stale";
        record.execute = "stale";
        return record;
    }
    static void ExpectReloaded(DWORD setup, const std::string& installPath) {
        const SettingsRecord& now = LauncherSettings;
        EXPECT_EQ(setup, now.setup);
        EXPECT_EQ(0u, now.indeoCheck);
        EXPECT_EQ(0u, now.displayMode);
        EXPECT_EQ(0xFFFFFFFBu, now.options[0]);
        EXPECT_EQ(0xFFFFFFFBu, now.options[1]);
        EXPECT_STREQ("", now.savePath);
        EXPECT_EQ(installPath, now.installPath.Text());
        EXPECT_STREQ("", now.execute);
    }

    Kept<SettingsRecord> record_{LauncherSettings};
    TestKey settings_{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied};
    TestWindow owner_{true};
    std::string scratch_ = MakeScratchFolder("setup");
};

} // namespace

TEST_F(RunSetupTest, OnlyExitCodeZeroLetsTheMenuOpenButEveryRunIsReadBack) {
    struct Run {
        const char* variable;
        const char* value;
        int result;
        DWORD setup;
        std::string installPath;
    } const runs[] = {
        {"MOSS_MINST_EXIT", "0", 1, 1, BinaryFolder()},
        {"MOSS_MINST_EXIT", "1", 0, 1, BinaryFolder()},
        {"MOSS_MINST_EXIT", "259", 0, 1, BinaryFolder()}, // the code of a running process
        {"MOSS_MINST_CRASH", "1", 0, 0, "C:\\old"},       // before it wrote anything
        {"MOSS_MINST_NO_SETUP", "1", 1, 0, BinaryFolder()},
    };
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    for (const Run& run : runs) {
        SCOPED_TRACE(std::string(run.variable) + "=" + run.value);
        settings_.Empty();
        settings_.StoreText("Install Path", "C:\\old");
        SetEnvironmentVariableA(run.variable, run.value);
        LauncherSettings = Stale();
        StandInLog log(scratch_ + "\\starts.log");
        ScriptedMessageBoxes boxes(IDOK);
        EXPECT_EQ(run.result, RunSetup(owner_));
        EXPECT_TRUE(boxes.Shown().empty());
        ExpectReloaded(run.setup, run.installPath);
        SetEnvironmentVariableA(run.variable, nullptr);

        std::vector<StandInStart> starts = log.Starts();
        ASSERT_EQ(1u, starts.size());
        EXPECT_EQ("minst.exe", starts[0].program);
        EXPECT_EQ(BinaryFolder() + "\\minst.exe /E", starts[0].commandLine);
        EXPECT_EQ(folder, starts[0].folder);
    }
}

TEST_F(RunSetupTest, TheMenuIsHiddenWhileTheSetupRunsAndShownAfterOnlyIfItWasShown) {
    StandInLog log(scratch_ + "\\starts.log");
    std::string eventName = "MossHarborSetupTest-" + std::to_string(GetCurrentProcessId());
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(nullptr, release);
    SetEnvironmentVariableA("MOSS_MINST_WAIT", eventName.c_str());
    Lookout lookout{owner_, log, release};
    HANDLE watcher = CreateThread(nullptr, 0, Lookout::Watch, &lookout, 0, nullptr);
    ASSERT_NE(nullptr, watcher);
    EXPECT_EQ(1, RunSetup(owner_));
    WaitForSingleObject(watcher, 15000);
    CloseHandle(watcher);
    CloseHandle(release);
    SetEnvironmentVariableA("MOSS_MINST_WAIT", nullptr);
    EXPECT_TRUE(lookout.setupSeen);
    EXPECT_FALSE(lookout.ownerVisible) << "hidden while the setup runs";
    EXPECT_TRUE(IsWindowVisible(owner_)) << "shown again after";

    // At opening the menu is not shown yet; the dialog manager shows it once it is painted.
    ShowWindow(owner_, SW_HIDE);
    EXPECT_EQ(1, RunSetup(owner_));
    EXPECT_FALSE(IsWindowVisible(owner_));
    SetEnvironmentVariableA("MOSS_MINST_EXIT", "1");
    EXPECT_EQ(0, RunSetup(owner_));
    EXPECT_FALSE(IsWindowVisible(owner_));
}

TEST_F(RunSetupTest, ASetupThatCannotStartIsReportedOwnedByTheHiddenMenu) {
    std::string folder = MakeScratchFolder("setup-broken");
    WriteTextFile(folder + "\\minst.exe", "not a program");
    std::string report;
    EXPECT_TRUE(
        RunTestsFromCopy(folder, {"RunSetupTest.DISABLED_FromAFolderWithABrokenMinst"}, report))
        << report;
    RemoveTree(folder);
}

// Run by the test above from a copy of this program, beside a minst.exe that is no program.
TEST_F(RunSetupTest, DISABLED_FromAFolderWithABrokenMinst) {
    ASSERT_EQ("not a program", ReadTextFile(BinaryFolder() + "\\minst.exe"));
    settings_.StoreDword("Setup", 1);
    bool visibleWhenShown = true;
    ScriptedMessageBoxes boxes(
        IDOK, [&](const ShownBox& box) { visibleWhenShown = IsWindowVisible(box.owner) != 0; });
    EXPECT_EQ(0, RunSetup(owner_));
    ASSERT_EQ(1u, boxes.Shown().size());
    const ShownBox& box = boxes.Shown()[0];
    EXPECT_EQ("Error:CreateProcess Setup", box.text);
    EXPECT_FALSE(box.hasCaption) << "the system's default caption";
    EXPECT_EQ(static_cast<UINT>(MB_OK), box.flags);
    EXPECT_EQ(owner_, box.owner);
    EXPECT_FALSE(visibleWhenShown) << "the box comes while the menu is hidden";
    EXPECT_TRUE(IsWindowVisible(owner_));
    ExpectReloaded(1, "C:\\old");
}
