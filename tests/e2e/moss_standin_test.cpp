// The stand-in game of the demo, as the launcher starts it: it refuses a start without the
// launch token and shows the settings it was started with. (How it records its starts and holds
// the game's name is relied on by the Play and start-up tests.)
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "TestKey.h"

TEST(MossStandIn, RefusesAStartWithoutTheTokenAndShowsTheSettingsOfItsMode) {
    const std::string game = BinaryFolder() + "\\moss.exe";
    for (const std::string& commandLine : {game, game + " 4806172"}) {
        ChildProcess refused;
        ASSERT_TRUE(refused.Start(game, commandLine, ""));
        EXPECT_EQ(2u, refused.WaitForExit(10000)) << commandLine;
    }

    TestKey settings(HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL");
    const GUID device = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    settings.Store("Device ID", REG_BINARY,
                   std::string(reinterpret_cast<const char*>(&device), 16));
    settings.StoreDword("Display Mode", 1);
    settings.StoreDword("Option0", 0x3F);
    settings.StoreDword("Option1", 0x3A);
    ChildProcess started;
    ASSERT_TRUE(started.Start(game, game + " 4806173", ""));
    HWND window = started.WaitForWindow("MossHarborStandIn", 10000);
    ASSERT_NE(nullptr, window);
    char text[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(FindWindowExA(window, nullptr, "Static", nullptr), WM_GETTEXT, sizeof text,
                        reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 10000, &copied);
    EXPECT_STREQ("MOSS HARBOR (demo stand-in) started.\r\n"
                 "Display device: {12345678-9ABC-DEF0-0102-030405060708}\r\n"
                 "Display mode: 1 (window)\r\n"
                 "Options: 0x0000003A (no hardware accelerate, high rendering, sound, movie, "
                 "stereo)",
                 text);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, started.WaitForExit(10000));
}
