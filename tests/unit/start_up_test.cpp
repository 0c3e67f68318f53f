// Start-up pieces in process: the game folder cut, the instance guard and the colour check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StartUp.h"
#include "SystemCalls.h"
#include "TestFiles.h"

namespace {

const char* const GuardNames[] = {"MOSS HARBOR PC", "MOSS HARBOR PC Setup",
                                  "MOSS HARBOR PC Uninstall", "MOSS HARBOR PC Launch"};

bool MutexExists(const char* name) {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (mutex)
        CloseHandle(mutex);
    return mutex != nullptr;
}

struct Box {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};
std::vector<Box> Boxes;

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
    Boxes.push_back({owner, text, caption, flags});
    return IDOK;
}

// Wine lets one process see another colour depth of the same screen.
class ColourDepth : public testing::Test {
  protected:
    void SetUp() override {
        Boxes.clear();
        saved_ = SystemCalls.MessageBoxA;
        SystemCalls.MessageBoxA = RecordBox;
    }
    void TearDown() override {
        SystemCalls.MessageBoxA = saved_;
        ChangeDisplaySettingsA(nullptr, 0);
    }
    void Use(DWORD bitsPerPixel) {
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
    decltype(SystemCalls.MessageBoxA) saved_;
};

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

TEST(InstanceGuard, HoldsAllFourNamesUntilReleased) {
    for (const char* name : GuardNames)
        ASSERT_FALSE(MutexExists(name)) << name;
    ASSERT_EQ(1, AcquireInstanceGuard());
    for (const char* name : GuardNames)
        EXPECT_TRUE(MutexExists(name)) << name;
    ReleaseInstanceGuard();
    for (const char* name : GuardNames)
        EXPECT_FALSE(MutexExists(name)) << name;
}

TEST(InstanceGuard, AnyNameHeldElsewhereFailsItAndReleaseLetsGoOfTheRest) {
    HANDLE uninstall = CreateMutexA(nullptr, FALSE, "MOSS HARBOR PC Uninstall");
    ASSERT_NE(nullptr, uninstall);
    EXPECT_EQ(0, AcquireInstanceGuard());
    EXPECT_TRUE(MutexExists("MOSS HARBOR PC"));
    EXPECT_FALSE(MutexExists("MOSS HARBOR PC Launch"));
    ReleaseInstanceGuard();
    CloseHandle(uninstall);
    for (const char* name : GuardNames)
        EXPECT_FALSE(MutexExists(name)) << name;
}

TEST_F(ColourDepth, EightBitsPerPixelAsksForHighColourOnce) {
    Use(8);
    EXPECT_EQ(0, CheckColourDepth());
    ASSERT_EQ(1u, Boxes.size());
    EXPECT_EQ(nullptr, Boxes[0].owner);
    EXPECT_EQ("Please set the screen color to High Color(16 BIT) and reboot.", Boxes[0].text);
    EXPECT_EQ("MOSS HARBOR", Boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), Boxes[0].flags);
}

TEST_F(ColourDepth, SixteenBitsAndMorePassSilently) {
    for (DWORD bits : {16u, 32u}) {
        Use(bits);
        EXPECT_EQ(1, CheckColourDepth()) << bits;
    }
    EXPECT_TRUE(Boxes.empty());
}
