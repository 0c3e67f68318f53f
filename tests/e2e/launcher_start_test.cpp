// The real launcher.exe under Wine, started as a player starts it: from a game folder, beside
// other programs of the game, without the game, and with the game on a CD.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "GameFolder.h"
#include "TestFiles.h"
#include "TestKey.h"
#include "WindowWatch.h"

namespace {

const DWORD TimeoutMs = 10000;
const char* const GuardNames[] = {"MOSS HARBOR PC", "MOSS HARBOR PC Setup",
                                  "MOSS HARBOR PC Uninstall", "MOSS HARBOR PC Launch"};

bool MutexExists(const char* name) {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (mutex)
        CloseHandle(mutex);
    return mutex != nullptr;
}

std::string Join(const std::vector<std::string>& classes) {
    std::string joined;
    for (const std::string& name : classes)
        joined += "\"" + name + "\" ";
    return joined;
}

class LauncherStart : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(FileExists("D:\\moss.exe"));
        ASSERT_FALSE(FileExists("E:\\moss.exe"));
        for (const char* name : GuardNames)
            ASSERT_FALSE(MutexExists(name)) << name << " is held before the test";
        // The game's setup has been done: the menu opens without running it.
        settings_.StoreDword("Setup", 1);
    }
    void TearDown() override {
        if (!folder_.empty())
            RemoveTree(folder_);
    }

    const std::string& Folder(bool withGame) {
        if (folder_.empty())
            folder_ = MakeGameFolder("start", withGame);
        return folder_;
    }
    static bool Start(ChildProcess& launcher, const std::string& folder, bool suspended = false) {
        std::string program = folder + "\\launcher.exe";
        return launcher.Start(program, "\"" + program + "\"", folder, suspended);
    }
    // Runs a launcher that is expected to end on its own and returns its exit code; the class
    // names of the windows it created go to created.
    static DWORD RunToEnd(const std::string& folder, std::vector<std::string>& created) {
        ChildProcess launcher;
        if (!Start(launcher, folder, true))
            return 1000;
        WindowWatch watch(launcher.ThreadId());
        EXPECT_TRUE(watch.Active());
        launcher.Resume();
        DWORD code = launcher.WaitForExit(TimeoutMs);
        PumpMessages();
        created = watch.Created();
        return code;
    }
    static void Close(ChildProcess& launcher, HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, launcher.WaitForExit(TimeoutMs));
    }

    TestKey settings_{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL"};
    std::string folder_;
};

} // namespace

TEST_F(LauncherStart, ACloseRequestEndsItWithZeroAndReleasesTheFourNames) {
    ChildProcess launcher;
    ASSERT_TRUE(Start(launcher, Folder(true), true));
    WindowWatch watch(launcher.ThreadId());
    launcher.Resume();
    HWND menu = launcher.WaitForWindow("TEST", TimeoutMs);
    ASSERT_NE(nullptr, menu);
    PumpMessages();
    const std::vector<std::string>& created = watch.Created();
    EXPECT_NE(created.end(), std::find(created.begin(), created.end(), "TEST"))
        << "the window watch must see the menu window created; it saw " << Join(created);
    for (const char* name : GuardNames)
        EXPECT_TRUE(MutexExists(name)) << name;

    Close(launcher, menu);
    for (const char* name : GuardNames)
        EXPECT_FALSE(MutexExists(name)) << name;

    ChildProcess next;
    ASSERT_TRUE(Start(next, Folder(true)));
    HWND nextMenu = next.WaitForWindow("TEST", TimeoutMs);
    ASSERT_NE(nullptr, nextMenu) << "a new launcher starts after the first has ended";
    Close(next, nextMenu);
}

TEST_F(LauncherStart, ASecondLauncherEndsWithOneAndShowsNothing) {
    ChildProcess first;
    ASSERT_TRUE(Start(first, Folder(true)));
    HWND menu = first.WaitForWindow("TEST", TimeoutMs);
    ASSERT_NE(nullptr, menu);

    std::vector<std::string> created;
    EXPECT_EQ(1u, RunToEnd(Folder(true), created));
    EXPECT_TRUE(created.empty()) << Join(created);

    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), first.WaitForExit(0));
    EXPECT_TRUE(IsWindowVisible(menu));
    Close(first, menu);
}

TEST_F(LauncherStart, AnyProgramOfTheGameKeepsItFromStarting) {
    for (const char* name : GuardNames) {
        HANDLE held = CreateMutexA(nullptr, FALSE, name);
        ASSERT_NE(nullptr, held);
        std::vector<std::string> created;
        EXPECT_EQ(1u, RunToEnd(Folder(true), created)) << name;
        EXPECT_TRUE(created.empty()) << name << ": " << Join(created);
        CloseHandle(held);
    }
}

TEST_F(LauncherStart, WhileTheGameRunsItEndsWithOne) {
    ChildProcess game;
    std::string moss = Folder(true) + "\\moss.exe";
    ASSERT_TRUE(game.Start(moss, moss + " 4806173", Folder(true)));
    HWND gameWindow = game.WaitForWindow("MossHarborStandIn", TimeoutMs);
    ASSERT_NE(nullptr, gameWindow);
    std::vector<std::string> created;
    EXPECT_EQ(1u, RunToEnd(Folder(true), created));
    EXPECT_TRUE(created.empty()) << Join(created);
    PostMessageA(gameWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, game.WaitForExit(TimeoutMs));
}

TEST_F(LauncherStart, WithoutTheGameItEndsWithZeroAndShowsNothing) {
    std::vector<std::string> created;
    EXPECT_EQ(0u, RunToEnd(Folder(false), created));
    EXPECT_TRUE(created.empty()) << Join(created);
    for (const char* name : GuardNames)
        EXPECT_FALSE(MutexExists(name)) << name;
}

TEST_F(LauncherStart, AGameAtTheRootOfACdOpensTheMenu) {
    ScopedFile disc(BinaryFolder() + "\\moss.exe", "D:\\moss.exe");
    ASSERT_TRUE(disc.Placed());
    ChildProcess launcher;
    ASSERT_TRUE(Start(launcher, Folder(false)));
    HWND menu = launcher.WaitForWindow("TEST", TimeoutMs);
    ASSERT_NE(nullptr, menu);
    Close(launcher, menu);
}

TEST_F(LauncherStart, StartedFromTheCdItFindsTheGameBesideItself) {
    ScopedFile launcherFile(BinaryFolder() + "\\launcher.exe", "E:\\launcher.exe");
    ScopedFile library(BinaryFolder() + "\\DSETUP.dll", "E:\\DSETUP.dll");
    ScopedFile game(BinaryFolder() + "\\moss.exe", "E:\\moss.exe");
    ASSERT_TRUE(launcherFile.Placed() && library.Placed() && game.Placed());
    ChildProcess launcher;
    ASSERT_TRUE(launcher.Start("E:\\launcher.exe", "E:\\launcher.exe", "E:\\"));
    HWND menu = launcher.WaitForWindow("TEST", TimeoutMs);
    ASSERT_NE(nullptr, menu);
    Close(launcher, menu);
}
