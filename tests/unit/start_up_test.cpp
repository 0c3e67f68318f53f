// Start-up pieces in process: the game folder cut and the colour check. (The instance guard is
// shown end to end by the launcher start tests.)
#include <gtest/gtest.h>

#include "ScriptedMessageBoxes.h"
#include "StartUp.h"
#include "TestFiles.h"

namespace {

// Wine lets one process see another colour depth of the same screen.
void UseColourDepth(DWORD bitsPerPixel) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmBitsPerPel = bitsPerPixel;
    mode.dmPelsWidth = GetSystemMetrics(SM_CXSCREEN);
    mode.dmPelsHeight = GetSystemMetrics(SM_CYSCREEN);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    ASSERT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN));
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(static_cast<int>(bitsPerPixel), GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
}

} // namespace

TEST(SetGameDirectory, CutsTheGamePathBeforeItsLastBackslash) {
    SetGameDirectory("D:\\moss.exe");
    EXPECT_STREQ("D:", GameDirectory);
    SetGameDirectory("C:\\Games\\MOSS HARBOR\\moss.exe");
    EXPECT_STREQ("C:\\Games\\MOSS HARBOR", GameDirectory);
    SetGameDirectory("\\moss.exe"); // a backslash at the start is no folder to cut to
    EXPECT_STREQ("\\moss.exe", GameDirectory);
}

TEST(LocateGame, KeepsTheFolderOfTheGameBesideTheProgram) {
    ASSERT_TRUE(FileExists(BinaryFolder() + "\\moss.exe"));
    ASSERT_EQ(1, LocateGame());
    EXPECT_STREQ(BinaryFolder().c_str(), GameDirectory);
}

TEST(ColourDepth, BelowSixteenBitsPerPixelTheScreenColourIsAskedForOnce) {
    for (DWORD bits : {8u, 16u, 32u}) {
        SCOPED_TRACE(bits);
        ScriptedMessageBoxes boxes(IDOK);
        UseColourDepth(bits);
        EXPECT_EQ(bits >= 16 ? 1 : 0, CheckColourDepth());
        ASSERT_EQ(bits >= 16 ? 0u : 1u, boxes.Shown().size());
        for (const ShownBox& box : boxes.Shown()) {
            EXPECT_EQ(nullptr, box.owner);
            EXPECT_EQ("Please set the screen color to High Color(16 BIT) and reboot.", box.text);
            EXPECT_EQ("MOSS HARBOR", box.caption);
            EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), box.flags);
        }
    }
    ChangeDisplaySettingsA(nullptr, 0);
}
