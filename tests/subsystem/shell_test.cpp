// The launcher shell in process: the instance guard, the colour check, the game's folder, the
// search for the game's files, and the menu window of class "TEST" with its artwork, labels and
// commands.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "ArtworkPalettes.h"
#include "DisplayDeviceList.h"
#include "Kept.h"
#include "LauncherSettings.h"
#include "LocateFile.h"
#include "MenuArtwork.h"
#include "MenuClass.h"
#include "MenuLabels.h"
#include "MenuLayout.h"
#include "MenuSurface.h"
#include "MenuWindow.h"
#include "ScriptedMessageBoxes.h"
#include "StartUp.h"
#include "TestFiles.h"
#include "TestKey.h"
#include "resource.h"

TEST(Shell, TheGuardTakesTheFourNamesAndAnyOfThemTakenAlreadyEndsIt) {
    const char* const names[] = {"MOSS HARBOR PC", "MOSS HARBOR PC Setup",
                                 "MOSS HARBOR PC Uninstall", "MOSS HARBOR PC Launch"};
    for (int taken = 0; taken <= 4; ++taken) { // 4: none taken before
        HANDLE other = taken < 4 ? CreateMutexA(nullptr, FALSE, names[taken]) : nullptr;
        EXPECT_EQ(taken == 4 ? 1 : 0, AcquireInstanceGuard()) << taken;
        ReleaseInstanceGuard();
        CloseHandle(other);
    }
}

TEST(Shell, BelowSixteenBitsPerPixelThePlayerIsAskedForHighColour) {
    for (DWORD bits : {8u, 16u}) {
        ScriptedMessageBoxes boxes(IDOK);
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
        mode.dmBitsPerPel = bits;
        EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN));
        EXPECT_EQ(bits == 16 ? 1 : 0, CheckColourDepth());
        std::string shown;
        for (const ShownBox& box : boxes.Shown())
            shown += box.text + "|" + box.caption + "|" + std::to_string(box.flags) +
                     (box.owner ? "|owned" : "");
        EXPECT_EQ(bits == 16 ? ""
                             : "Please set the screen color to High Color(16 BIT) and reboot.|"
                               "MOSS HARBOR|48",
                  shown);
    }
    ChangeDisplaySettingsA(nullptr, 0);
}

// The test program's folder stands for the launcher's; D: and E: are CD-ROM drives, C: a disk.
TEST(Shell, TheGameIsLookedForInTheCallersFolderThenBesideTheProgramThenOnEachCdRom) {
    Kept<TString> game(GameDirectory);
    SetGameDirectory("D:\\moss.exe");
    EXPECT_STREQ("D:", GameDirectory);
    SetGameDirectory("\\moss.exe"); // a backslash only in front: the path stays whole
    EXPECT_STREQ("\\moss.exe", GameDirectory);

    const std::string name = "probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string beside = std::string(program, strrchr(program, '\\') + 1) + name;
    auto locate = [&](const char* directory) {
        TString path("untouched");
        int found = LocateFile(name.c_str(), path, directory);
        return std::to_string(found) + " " + path.Text();
    };
    EXPECT_EQ("0 untouched", locate(nullptr));
    for (const char* root : {"C:\\", "E:\\"})
        WriteTextFile(root + name, "probe");
    EXPECT_EQ("1 E:\\" + name, locate(nullptr)); // a fixed disk's root is not looked at
    WriteTextFile("D:\\" + name, "probe");
    EXPECT_EQ("1 D:\\" + name, locate(nullptr)); // the first CD-ROM drive that has it
    CreateDirectoryA(beside.c_str(), nullptr);   // a folder of that name is passed over
    EXPECT_EQ("1 D:\\" + name, locate(nullptr));
    RemoveDirectoryA(beside.c_str());
    WriteTextFile(beside, "probe");
    EXPECT_EQ("1 " + beside, locate("C:\\missing"));
    EXPECT_EQ("1 C:\\" + name, locate("C:")); // the caller's folder: here the root of C:
    for (std::string path : {"C:\\" + name, "D:\\" + name, "E:\\" + name, beside})
        DeleteFileA(path.c_str());
}

namespace {

// The numbers of the flags set, or "-".
std::string Set(const LONG* flags, int count) {
    std::string set;
    for (int i = 0; i < count; ++i)
        set += flags[i] ? std::to_string(i) : "";
    return set.empty() ? "-" : set;
}

// A pixel of a menu bitmap: 256 table entries, then rows of whole DWORDs, bottom-up.
COLORREF ArtworkPixel(ArtworkBitmap bitmap, int x, int y) {
    const BITMAPINFOHEADER* header = LockArtworkBitmap(bitmap);
    const BYTE* table = reinterpret_cast<const BYTE*>(header) + header->biSize;
    int row = header->biHeight - 1 - y;
    const BYTE* entry = table + 4 * table[4 * 256 + row * ((header->biWidth + 3) & ~3) + x];
    return RGB(entry[2], entry[1], entry[0]);
}

// The items whose bar the artwork, painted afresh, shows (numbered as Set does): at the points
// of the bar's diagonal where bar and background differ, all show the bar; "?" for an item
// that shows neither the bar nor the background there.
std::string Bars() {
    PaintArtwork(nullptr, MenuSurface.memoryDC);
    std::string bars;
    for (int item = 0; item < MenuItemCount; ++item) {
        ArtworkBitmap bar = strchr("0145", '0' + item) ? WideBar : NarrowBar; // wide: a whole row
        const BITMAPINFOHEADER* header = LockArtworkBitmap(bar);
        const MenuItemLayout& at = MenuLayout[item];
        std::string seen;
        for (int k = 0; k < 16; ++k) {
            int x = k * (header->biWidth - 1) / 15, y = k * (header->biHeight - 1) / 15;
            COLORREF painted = GetPixel(MenuSurface.memoryDC, at.left + x, at.top + y);
            COLORREF onBar = ArtworkPixel(bar, x, y),
                     under = ArtworkPixel(Background, at.left + x, at.top + y);
            if (onBar != under)
                seen += painted == onBar ? 'B' : painted == under ? '-' : '?';
        }
        if (seen.find_first_not_of('-') != std::string::npos)
            bars += seen.find_first_not_of('B') == std::string::npos ? std::to_string(item) : "?";
    }
    return bars.empty() ? "-" : bars;
}

// The item of each label, in painting order.
const char LabelItems[] = "0115589966";

// A painting of the labels recorded in an enhanced metafile. Places: each text, then its place
// from its item's left ("c": centred in the item) and top. Colours: 'o' orange, 'g' grey. Others:
// PaintMenuLabels' result, then the other records in order: the font (height, weight, italic,
// underline, strike-out, character set, pitch and family, face), the rest "type:first parameter".
struct Recording {
    std::string places, colours, others;
    COLORREF colour = 0;

    explicit Recording(HWND window) {
        HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        others = std::to_string(PaintMenuLabels(window, metafile)) + " ";
        HENHMETAFILE painted = CloseEnhMetaFile(metafile);
        EnumEnhMetaFile(nullptr, painted, Record, this, nullptr);
        DeleteEnhMetaFile(painted);
    }
    static int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM self) {
        Recording& r = *reinterpret_cast<Recording*>(self);
        auto at = reinterpret_cast<const BYTE*>(record);
        if (record->iType == EMR_EXTTEXTOUTW && r.colours.size() < 10) {
            const EMRTEXT& t = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
            auto chars = reinterpret_cast<const WCHAR*>(at + t.offString);
            auto advances = reinterpret_cast<const INT*>(at + t.offDx);
            const MenuItemLayout& item = MenuLayout[LabelItems[r.colours.size()] - '0'];
            LONG x = t.ptlReference.x - item.left,
                 width = std::accumulate(advances, advances + t.nChars, 0);
            r.places += std::string(chars, chars + t.nChars) + " " +
                        (x == (item.width - width) / 2 ? "c" : std::to_string(x)) + " " +
                        std::to_string(t.ptlReference.y - item.top) + "|";
            r.colours += r.colour == RGB(255, 120, 30)    ? 'o'
                         : r.colour == RGB(184, 184, 184) ? 'g'
                                                          : '?';
        } else if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
            const LOGFONTW& f =
                reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont;
            char font[96];
            snprintf(font, sizeof font, "font %ld %ld %d%d%d %d %#x %ls ", f.lfHeight, f.lfWeight,
                     f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfPitchAndFamily,
                     f.lfFaceName);
            r.others += font;
        } else if (record->iType == EMR_SETTEXTCOLOR) {
            r.colour = record->dParm[0];
        } else if (record->iType != EMR_HEADER && record->iType != EMR_EOF) {
            r.others +=
                std::to_string(record->iType) + ":" + std::to_string(record->dParm[0]) + " ";
        }
        return 1;
    }
};

// The highlighted items, once the bars and the labels are seen to follow them: the labels in
// their places, in the label font, grey but for the highlighted item's, which are orange.
std::string Highlighted(HWND menu) {
    std::string set = Set(ItemHighlight, MenuItemCount);
    EXPECT_EQ(set, Bars());
    Recording painted(menu);
    EXPECT_EQ("Play MOSS HARBOR c 23|Change Settings c 13|Hardware Accelerate c 30|"
              "Install Intel(R)Indeo(R)Video5.11 6 16|DirectX(R)6,DirectX(R)Media 121 30|"
              "Exit c 23|Online c 13|Help c 30|Halden c 14|Web Site c 23|",
              painted.places);
    std::string expected;
    for (const char* item = LabelItems; *item; ++item)
        expected += ItemHighlight[*item - '0'] ? 'o' : 'g';
    EXPECT_EQ(expected, painted.colours);
    // Transparent, aspect filtering, the label font selected, the DC's own back, deleted.
    EXPECT_EQ("1 18:1 16:1 font 14 700 000 0 0x10 Times New Roman 37:1 37:2147483661 40:1 ",
              painted.others);
    return set;
}

} // namespace

TEST(Shell, TheMenuWindowShowsItsHighlightFollowsTheMouseAndTheKeysAndRunsItsCommands) {
    TestKey stored(HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied);
    stored.StoreDword("Setup", 1);
    stored.StoreDword("Display Mode", 1);
    TestKey directX(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX");
    directX.StoreText("Version", "4.06.00.0318"); // Play and Change Settings only say so
    // The shell opens web pages and .htm files with a stand-in that records its command line.
    // Wine's classes root does not see HKEY_CURRENT_USER\Software\Classes: the machine's.
    const std::string opener = "\"" + BinaryFolder() + "\\iv5setup.exe\"", open = opener + " %1";
    TestKey https(HKEY_LOCAL_MACHINE, "Software\\Classes\\https\\shell\\open\\command");
    https.StoreText("", open);
    TestKey htm(HKEY_LOCAL_MACHINE, "Software\\Classes\\.htm");
    htm.StoreText("", "MossTest.Page");
    TestKey page(HKEY_LOCAL_MACHINE, "Software\\Classes\\MossTest.Page\\shell\\open\\command");
    page.StoreText("", open);
    Kept<TString> game(GameDirectory);
    Kept<SettingsRecord> settings(LauncherSettings);
    Kept<HINSTANCE> instance(AppInstance);
    AppInstance = GetModuleHandleA(nullptr);
    HWND menu = nullptr;
    std::string busy; // the busy flags while each box was shown over the menu
    ScriptedMessageBoxes boxes(IDNO, [&](const ShownBox& box) {
        busy += Set(CommandBusy, CommandSlotCount) + (box.owner == menu ? " " : "? ");
    });
    RegisterMenuClass();
    menu = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MENU), nullptr, MenuDialogProc, 0);
    ASSERT_TRUE(IsWindow(menu));
    // Class "TEST" holds the dialog manager's bytes, whose layout differs on 32-bit Windows.
    EXPECT_EQ(DLGWINDOWEXTRA, GetClassLongPtrA(menu, GCL_CBWNDEXTRA));
    SetWindowLongPtrA(menu, DWLP_USER, 0x5A5A);
    EXPECT_EQ(0x5A5A, GetWindowLongPtrA(menu, DWLP_USER)) << "the extra bytes end too early";

    // The second line of Change Settings follows the current device and the current mode's
    // option word (by default with bit 0 set): here window mode, read from the settings key,
    // where both allow hardware acceleration, and full screen allows neither.
    DisplayDevice& device = DisplayDeviceList[DisplayDeviceList.current];
    device.accelerated[0] = 0;
    device.accelerated[1] = 1;
    LauncherSettings.options[0] = ~1u;

    std::string shown = Highlighted(menu); // Play first
    for (int key : {VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_UP, VK_UP, VK_UP, VK_UP,
                    VK_UP, VK_UP, VK_DOWN, VK_ESCAPE, VK_LEFT, VK_RIGHT, int('A')}) {
        SendMessageA(menu, WM_KEYDOWN, key, 1);
        shown += " " + Highlighted(menu);
    }
    // Then the mouse: an item's last column and row, the empty slots and the title panel are
    // background, where it highlights nothing; and then the keys move no highlight.
    for (POINT point :
         {POINT{400, 60}, {620, 60}, {400, 89}, {619, 88}, {540, 420}, {500, 180}, {100, 240}}) {
        SendMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        shown += " " + Highlighted(menu);
    }
    for (int key : {VK_TAB, VK_DOWN, VK_UP, VK_RETURN})
        SendMessageA(menu, WM_KEYDOWN, key, 1);
    shown += " " + Set(ItemHighlight, MenuItemCount);
    // The keys' steps, the mouse's, and the last four keys'.
    EXPECT_EQ("0 1 5 6 8 9 0 9 8 6 5 1 0 1 1 1 1 1 0 - - 0 9 - - -", shown);

    // Play, Change Settings, Install Software (three questions), Web Site, Help; then Enter
    // on Change Settings. The stand-in opener records its starts in the game's folder.
    const std::string folder = MakeScratchFolder("menu"), log = folder + "\\starts.log";
    CreateDirectoryA((folder + "\\HELP").c_str(), nullptr);
    WriteTextFile(folder + "\\HELP\\TOP.HTM", "help");
    SetEnvironmentVariableA("MOSS_STANDIN_LOG", log.c_str());
    GameDirectory = folder.c_str();
    for (POINT point : {POINT{400, 60}, {400, 120}, {400, 300}, {399, 360}, {540, 420}})
        SendMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(400, 120));
    SendMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ("0 1 5 5 5 1 ", busy);
    for (size_t box : {0, 1}) // Play and Change Settings: DirectX 6.0 is too old for both
        EXPECT_EQ("Please install DirectX (R)6 or above first.", boxes.Shown().at(box).text);
    std::string starts; // both are recorded within 10 s
    for (DWORD start = GetTickCount();
         std::count(starts.begin(), starts.end(), '\n') < 2 && GetTickCount() - start < 10000;
         Sleep(20))
        starts = ReadTextFile(log);
    SetEnvironmentVariableA("MOSS_STANDIN_LOG", nullptr);
    RemoveTree(folder);
    EXPECT_NE(std::string::npos,
              starts.find("\t" + opener + " https://www.halden.example/mossharbor/\n"))
        << starts;
    EXPECT_NE(std::string::npos, starts.find("\t" + opener + " " + folder + "\\HELP\\TOP.HTM\n"))
        << starts;

    device.accelerated[1] = 0; // the device lacks it in window mode
    EXPECT_STREQ("Software", AccelerationLabel());

    // Exit closes the menu and releases its palettes and its surface.
    HPALETTE palette = ArtworkPalette[0];
    HDC surface = MenuSurface.memoryDC;
    SendMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(399, 420));
    EXPECT_FALSE(IsWindow(menu));
    EXPECT_EQ(0u, GetObjectType(palette) | GetObjectType(surface));
}
