// The real launcher.exe under Wine, started as a player starts it: from a game folder, beside
// other programs of the game, without the game, and with the game on a CD.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "TestFiles.h"
#include "TestKey.h"
#include "WindowWatch.h"

namespace {

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
    void TearDown() override { RemoveTree(folder_); }

    // Runs a launcher that is expected to end on its own and returns its exit code; the class
    // names of the windows it created go to created.
    DWORD RunToEnd(std::vector<std::string>& created) {
        ChildProcess launcher;
        if (!StartLauncher(launcher, folder_, true))
            return 1000;
        WindowWatch watch(launcher.ThreadId());
        EXPECT_TRUE(watch.Active());
        launcher.Resume();
        DWORD code = launcher.WaitForExit();
        PumpMessages();
        created = watch.Created();
        return code;
    }

    TestKey settings_{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL"};
    std::string folder_ = MakeGameFolder("start", true);
};

} // namespace

TEST_F(LauncherStart, ACloseRequestEndsItWithZeroAndReleasesTheFourNames) {
    ChildProcess launcher;
    ASSERT_TRUE(StartLauncher(launcher, folder_, true));
    WindowWatch watch(launcher.ThreadId());
    launcher.Resume();
    HWND menu = launcher.WaitForWindow("TEST");
    ASSERT_NE(nullptr, menu);
    PumpMessages();
    const std::vector<std::string>& created = watch.Created();
    EXPECT_NE(created.end(), std::find(created.begin(), created.end(), "TEST"))
        << "the window watch must see the menu window created; it saw " << Join(created);
    for (const char* name : GuardNames)
        EXPECT_TRUE(MutexExists(name)) << name;

    EXPECT_EQ(0u, launcher.Close(menu));
    for (const char* name : GuardNames)
        EXPECT_FALSE(MutexExists(name)) << name;

    ChildProcess next;
    ASSERT_TRUE(StartLauncher(next, folder_));
    HWND nextMenu = next.WaitForWindow("TEST");
    ASSERT_NE(nullptr, nextMenu) << "a new launcher starts after the first has ended";
    EXPECT_EQ(0u, next.Close(nextMenu));
}

TEST_F(LauncherStart, ASecondLauncherEndsWithOneAndShowsNothing) {
    ChildProcess first;
    ASSERT_TRUE(StartLauncher(first, folder_));
    HWND menu = first.WaitForWindow("TEST");
    ASSERT_NE(nullptr, menu);

    std::vector<std::string> created;
    EXPECT_EQ(1u, RunToEnd(created));
    EXPECT_TRUE(created.empty()) << Join(created);

    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), first.WaitForExit(0));
    EXPECT_TRUE(IsWindowVisible(menu));
    EXPECT_EQ(0u, first.Close(menu));
}

TEST_F(LauncherStart, AnyProgramOfTheGameKeepsItFromStarting) {
    for (const char* name : GuardNames) {
        HANDLE held = CreateMutexA(nullptr, FALSE, name);
        ASSERT_NE(nullptr, held);
        std::vector<std::string> created;
        EXPECT_EQ(1u, RunToEnd(created)) << name;
        EXPECT_TRUE(created.empty()) << name << ": " << Join(created);
        CloseHandle(held);
    }

    ChildProcess game; // the stand-in game holds the game's name while it runs
    std::string moss = folder_ + "\\moss.exe";
    ASSERT_TRUE(game.Start(moss, moss + " 4806173", folder_));
    HWND gameWindow = game.WaitForWindow("MossHarborStandIn");
    ASSERT_NE(nullptr, gameWindow);
    std::vector<std::string> created;
    EXPECT_EQ(1u, RunToEnd(created)) << "while the game runs";
    EXPECT_TRUE(created.empty()) << Join(created);
    EXPECT_EQ(0u, game.Close(gameWindow));
}

TEST_F(LauncherStart, WithoutTheGameItEndsWithZeroAndShowsNothing) {
    DeleteFileA((folder_ + "\\moss.exe").c_str());
    std::vector<std::string> created;
    EXPECT_EQ(0u, RunToEnd(created));
    EXPECT_TRUE(created.empty()) << Join(created);
    for (const char* name : GuardNames)
        EXPECT_FALSE(MutexExists(name)) << name;
}

TEST_F(LauncherStart, AGameOnACdOpensTheMenuFromAFolderWithoutItAndFromTheCdItself) {
    DeleteFileA((folder_ + "\\moss.exe").c_str());
    {
        ScopedFile disc(BinaryFolder() + "\\moss.exe", "D:\\moss.exe");
        ASSERT_TRUE(disc.Placed());
        ChildProcess launcher;
        ASSERT_TRUE(StartLauncher(launcher, folder_));
        HWND menu = launcher.WaitForWindow("TEST");
        ASSERT_NE(nullptr, menu) << "the game at the root of D:";
        EXPECT_EQ(0u, launcher.Close(menu));
    }
    ScopedFile launcherFile(BinaryFolder() + "\\launcher.exe", "E:\\launcher.exe");
    ScopedFile library(BinaryFolder() + "\\DSETUP.dll", "E:\\DSETUP.dll");
    ScopedFile game(BinaryFolder() + "\\moss.exe", "E:\\moss.exe");
    ASSERT_TRUE(launcherFile.Placed() && library.Placed() && game.Placed());
    ChildProcess launcher;
    ASSERT_TRUE(StartLauncher(launcher, "E:"));
    HWND menu = launcher.WaitForWindow("TEST");
    ASSERT_NE(nullptr, menu) << "started from E:, the game beside it";
    EXPECT_EQ(0u, launcher.Close(menu));
}
