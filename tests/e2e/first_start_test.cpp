// The real launcher.exe on a machine where the game's setup has not been done ("Setup" 0): it
// runs minst.exe from its folder before the menu opens. (How it ends without a menu when the
// setup fails is watched on the X screen by first_start_player_test.sh.)
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "StandInRecords.h"
#include "TestFiles.h"
#include "TestKey.h"

namespace {

const char* const Switches[] = {"MOSS_MINST_NO_SETUP", "MOSS_MINST_WAIT", "MOSS_STANDIN_EXIT"};

bool WaitUntil(const std::function<bool()>& condition) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ChildTimeoutMs; Sleep(20)) {
        if (condition())
            return true;
    }
    return false;
}

class FirstStart : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* disc : {"D:\\minst.exe", "E:\\minst.exe", "D:\\moss.exe", "E:\\moss.exe"})
            ASSERT_FALSE(FileExists(disc)) << disc;
        ASSERT_TRUE(CopyFileA((BinaryFolder() + "\\minst.exe").c_str(), Setup().c_str(), FALSE));
    }
    void TearDown() override {
        for (const char* name : Switches)
            SetEnvironmentVariableA(name, nullptr);
        RemoveTree(folder_);
    }

    std::string Setup() const { return folder_ + "\\minst.exe"; }
    size_t SetupStarts() const { return log_.Starts().size(); }
    // Starts a launcher, waits for its menu and closes it as the system does.
    void OpenAndClose() const {
        ChildProcess launcher;
        ASSERT_TRUE(StartLauncher(launcher, folder_));
        HWND menu = launcher.WaitForWindow("TEST");
        ASSERT_NE(nullptr, menu) << "the menu opens";
        EXPECT_EQ(0u, launcher.Close(menu));
    }
    DWORD StoredNumber(const char* name) const { return settings_.Read(name).Number(); }

    TestKey settings_{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied};
    std::string folder_ = MakeGameFolder("first", true);
    StandInLog log_{folder_ + "\\starts.log"};
};

} // namespace

TEST_F(FirstStart, TheSetupRunsWhileTheMenuIsHiddenThenTheMenuOpensWithWhatItLeft) {
    std::string eventName = "MossHarborFirstStart-" + std::to_string(GetCurrentProcessId());
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(nullptr, release);
    SetEnvironmentVariableA("MOSS_MINST_WAIT", eventName.c_str());
    SetEnvironmentVariableA("MOSS_STANDIN_EXIT", "1");
    // The codec beside the launcher: Play asks no question.
    CopyFileA((BinaryFolder() + "\\indeo-5.2818\\ir50_32.dll").c_str(),
              (folder_ + "\\ir50_32.dll").c_str(), FALSE);

    ChildProcess launcher;
    ASSERT_TRUE(StartLauncher(launcher, folder_));
    bool setupRunning = WaitUntil([&] { return SetupStarts() == 1; });
    HWND menu = launcher.FindTopWindow("TEST", 0, false);
    bool menuVisible = menu && IsWindowVisible(menu);
    SetEvent(release);
    CloseHandle(release);
    ASSERT_TRUE(setupRunning);
    std::vector<StandInStart> starts = log_.Starts();
    EXPECT_EQ("minst.exe", starts[0].program);
    EXPECT_EQ(Setup() + " /E", starts[0].commandLine);
    EXPECT_NE(nullptr, menu) << "the menu window exists while the setup runs";
    EXPECT_FALSE(menuVisible);

    HWND opened = launcher.WaitForWindow("TEST");
    ASSERT_NE(nullptr, opened) << "the menu opens after the setup";
    EXPECT_EQ(menu, opened);
    EXPECT_EQ(1u, StoredNumber("Setup"));

    // Play writes back what the menu holds: the settings read after the setup, not the
    // "Setup" 0 and empty "Install Path" read at opening.
    PostMessageA(opened, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 60));
    EXPECT_EQ(0u, launcher.WaitForExit());
    std::vector<GameStart> games = log_.GameStarts();
    ASSERT_EQ(1u, games.size());
    EXPECT_EQ(folder_ + "\\moss.exe 4806173", games[0].commandLine);
    EXPECT_EQ(1u, StoredNumber("Setup"));
    EXPECT_EQ(folder_, settings_.Read("Install Path").Text());
    EXPECT_EQ(1u, StoredNumber("Indeo Check"));

    OpenAndClose();
    EXPECT_EQ(1u, SetupStarts()) << "the next start goes straight to the menu";
}

TEST_F(FirstStart, ASetupThatLeavesSetupUnmarkedRunsAgainAtTheNextStart) {
    SetEnvironmentVariableA("MOSS_MINST_NO_SETUP", "1");
    OpenAndClose();
    EXPECT_EQ(1u, SetupStarts());
    OpenAndClose();
    EXPECT_EQ(2u, SetupStarts());
}
