// The launcher shell in process: the instance guard, the colour check, the game's folder, the
// search for the game's files, the artwork, the labels and the menu window of class "TEST".
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

TEST(Shell, TheGuardTakesTheFourNamesInOrderAndAnyOfThemTakenAlreadyEndsIt) {
    const char* const names[] = {"MOSS HARBOR PC", "MOSS HARBOR PC Setup",
                                 "MOSS HARBOR PC Uninstall", "MOSS HARBOR PC Launch"};
    auto existing = [&] {
        std::string found;
        for (const char* name : names) {
            HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
            found += mutex && CloseHandle(mutex) ? '1' : '0';
        }
        return found;
    };
    for (int taken = 0; taken <= 4; ++taken) { // 4: none taken before
        HANDLE other = taken < 4 ? CreateMutexA(nullptr, FALSE, names[taken]) : nullptr;
        EXPECT_EQ(taken == 4 ? 1 : 0, AcquireInstanceGuard());
        CloseHandle(other);
        // The names before it stay taken; the guard closed its own handle of the name.
        EXPECT_EQ(std::string(taken, '1') + std::string(4 - taken, '0'), existing());
        ReleaseInstanceGuard();
        EXPECT_EQ("0000", existing());
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

namespace {

// A file, or a folder, put somewhere for one test and taken away again.
struct Placed {
    std::string path;
    bool folder = false;
    Placed(std::string at, bool asFolder = false) : path(std::move(at)), folder(asFolder) {
        folder ? void(CreateDirectoryA(path.c_str(), nullptr)) : WriteTextFile(path, "probe");
    }
    ~Placed() { folder ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str()); }
};

} // namespace

// The test program's folder stands for the launcher's; D: and E: are CD-ROM drives, C: a disk.
TEST(Shell, TheGameIsLookedForInTheCallersFolderThenBesideTheProgramThenOnEachCdRom) {
    Kept<TString> game(GameDirectory);
    for (auto pathAndFolder : {std::pair<const char*, const char*>{"D:\\moss.exe", "D:"},
                               {"C:\\Games\\MOSS HARBOR\\moss.exe", "C:\\Games\\MOSS HARBOR"},
                               {"\\moss.exe", "\\moss.exe"}}) {
        SetGameDirectory(pathAndFolder.first);
        EXPECT_STREQ(pathAndFolder.second, GameDirectory);
    }
    const std::string name = "probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    *strrchr(program, '\\') = '\0';
    const std::string caller = MakeScratchFolder("locate");
    auto locate = [&](const char* directory) {
        TString path("untouched");
        int found = LocateFile(name.c_str(), path, directory);
        return std::to_string(found) + " " + path.Text();
    };
    EXPECT_EQ("0 untouched", locate(nullptr));
    {
        Placed onE("E:\\" + name), onFixedDisk("C:\\" + name);
        EXPECT_EQ("1 E:\\" + name, locate(nullptr));
        Placed onD("D:\\" + name);
        EXPECT_EQ("1 D:\\" + name, locate(nullptr));
        {
            Placed folder(program + ("\\" + name), true);
            EXPECT_EQ("1 D:\\" + name, locate(nullptr));
        }
        Placed beside(program + ("\\" + name));
        EXPECT_EQ("1 " + beside.path, locate((caller + "\\missing").c_str()));
        Placed inCaller(caller + "\\" + name);
        EXPECT_EQ("1 " + inCaller.path, locate(caller.c_str()));
        // An empty folder names the root of the current drive.
        char current[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, current);
        SetCurrentDirectoryA("C:\\windows");
        EXPECT_EQ("1 \\" + name, locate(""));
        SetCurrentDirectoryA(current);
    }
    RemoveTree(caller);
}

namespace {

COLORREF TableColour(ArtworkBitmap bitmap, int index) {
    const BITMAPINFOHEADER* header = LockArtworkBitmap(bitmap);
    const BYTE* entry = reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * index;
    return RGB(entry[2], entry[1], entry[0]);
}

// A pixel of a bitmap resource (rows of whole DWORDs, bottom-up) through its colour table.
COLORREF ArtworkPixel(ArtworkBitmap bitmap, int x, int y) {
    const BITMAPINFOHEADER* header = LockArtworkBitmap(bitmap);
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * 256;
    int row = header->biHeight - 1 - y;
    return TableColour(bitmap, bits[row * ((header->biWidth + 3) & ~3) + x]);
}

// What the menu surface shows where a bar would lie, at points where bar and background
// differ: 'B' the bar, '-' the background, '?' neither or both.
char Seen(ArtworkBitmap bar, int left, int top) {
    const BITMAPINFOHEADER* header = LockArtworkBitmap(bar);
    std::string seen;
    for (int k = 0; k < 16; ++k) {
        int x = k * (header->biWidth - 1) / 15, y = k * (header->biHeight - 1) / 15;
        COLORREF painted = GetPixel(MenuSurface.memoryDC, left + x, top + y);
        COLORREF onBar = ArtworkPixel(bar, x, y),
                 under = ArtworkPixel(Background, left + x, top + y);
        if (onBar != under)
            seen += painted == onBar ? 'B' : painted == under ? '-' : '?';
    }
    return seen.find_first_not_of(seen[0]) == std::string::npos ? seen[0] : '?';
}

} // namespace

TEST(Shell, TheArtworkGivesFourPalettesAndABarUnderTheHighlightedActiveItemOnly) {
    Kept<HINSTANCE> instance(AppInstance);
    AppInstance = GetModuleHandleA(nullptr);
    ASSERT_EQ(1, CreateArtworkPalettes());
    for (int k = 0; k < ArtworkBitmapCount; ++k) {
        PALETTEENTRY entries[256] = {};
        EXPECT_EQ(256u, GetPaletteEntries(ArtworkPalette[k], 0, 256, entries));
        EXPECT_EQ(256u, ArtworkColourCount[k]);
        for (int i = 0; i < 256; ++i) {
            const PALETTEENTRY& e = entries[i];
            ASSERT_EQ(TableColour(ArtworkBitmap(k), i),
                      RGB(e.peRed, e.peGreen, e.peBlue) | e.peFlags);
        }
    }
    const struct {
        ArtworkBitmap bar;
        int left, top;
    } bars[MenuItemCount] = {{WideBar, 325, 30},    {WideBar, 325, 90},    {NarrowBar, 325, 150},
                             {NarrowBar, 473, 150}, {WideBar, 325, 210},   {WideBar, 325, 270},
                             {NarrowBar, 325, 330}, {NarrowBar, 473, 330}, {NarrowBar, 325, 390},
                             {NarrowBar, 473, 390}};
    CreateMenuSurface(nullptr); // compatible with the screen, as the window's
    for (int highlighted = -1; highlighted < MenuItemCount; ++highlighted) {
        for (int item = 0; item < MenuItemCount; ++item)
            ItemHighlight[item] = item == highlighted;
        EXPECT_EQ(1, PaintArtwork(nullptr, MenuSurface.memoryDC));
        std::string seen, expected(MenuItemCount, '-');
        for (const auto& bar : bars)
            seen += Seen(bar.bar, bar.left, bar.top);
        if (highlighted >= 0 && !strchr("2347", '0' + highlighted)) // not on an empty slot
            expected[highlighted] = 'B';
        EXPECT_EQ(expected, seen) << "highlighted " << highlighted;
    }
    DestroyMenuSurface();
    DeleteArtworkPalettes();
    ItemHighlight[MenuItemCount - 1] = 0;
}

namespace {

// A painting of the labels recorded in an enhanced metafile: the texts with their places,
// widths and colours, the font, and the other records in order, as "type:first parameter".
struct Recording {
    struct Text {
        std::string text;
        LONG x, y, width;
        COLORREF colour;
    };
    std::vector<Text> texts;
    std::string font;
    std::string others;
    COLORREF colour = 0;
    int result;

    explicit Recording(HWND window) {
        HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        result = PaintMenuLabels(window, metafile);
        HENHMETAFILE painted = CloseEnhMetaFile(metafile);
        EnumEnhMetaFile(nullptr, painted, Record, this, nullptr);
        DeleteEnhMetaFile(painted);
    }
    static int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM self) {
        Recording& r = *reinterpret_cast<Recording*>(self);
        auto at = reinterpret_cast<const BYTE*>(record);
        if (record->iType == EMR_EXTTEXTOUTW) {
            const EMRTEXT& t = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
            auto chars = reinterpret_cast<const WCHAR*>(at + t.offString);
            auto advances = reinterpret_cast<const INT*>(at + t.offDx);
            r.texts.push_back({std::string(chars, chars + t.nChars), t.ptlReference.x,
                               t.ptlReference.y, std::accumulate(advances, advances + t.nChars, 0),
                               r.colour});
        } else if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
            const LOGFONTW& f =
                reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont;
            char text[160];
            snprintf(text, sizeof text, "%ld %ld %ld %ld %ld %d%d%d %d %d %d %d %#x %ls",
                     f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic,
                     f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
                     f.lfQuality, f.lfPitchAndFamily, f.lfFaceName);
            r.font = text;
        } else if (record->iType == EMR_SETTEXTCOLOR) {
            r.colour = record->dParm[0];
        } else if (record->iType != EMR_HEADER && record->iType != EMR_EOF) {
            r.others +=
                std::to_string(record->iType) + ":" + std::to_string(record->dParm[0]) + " ";
        }
        return 1;
    }
};

} // namespace

TEST(Shell, TheLabelsAreDrawnInTheirPlacesGreyAndTheHighlightedItemsInOrange) {
    Kept<SettingsRecord> settings(LauncherSettings);
    DisplayDeviceList.SetSize(1, -1);
    const struct {
        int item;
        const char* text;
        int x, y; // from the item's left and top; x -1: centred
    } labels[] = {{0, "Play MOSS HARBOR", -1, 23},
                  {1, "Change Settings", -1, 13},
                  {1, "Software", -1, 30},
                  {5, "Install Intel(R)Indeo(R)Video5.11", 6, 16},
                  {5, "DirectX(R)6,DirectX(R)Media", 121, 30},
                  {8, "Exit", -1, 23},
                  {9, "Online", -1, 13},
                  {9, "Help", -1, 30},
                  {6, "Halden", -1, 14},
                  {6, "Web Site", -1, 23}};
    HWND window =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    for (int highlighted : {-1, 0, 1, 5, 6, 8, 9}) {
        for (int item = 0; item < MenuItemCount; ++item)
            ItemHighlight[item] = item == highlighted;
        Recording painted(window);
        EXPECT_EQ(1, painted.result);
        ASSERT_EQ(10u, painted.texts.size());
        std::string colours, expected; // 'o' orange, 'g' grey
        for (int i = 0; i < 10; ++i) {
            const auto& label = labels[i];
            const MenuItemLayout& item = MenuLayout[label.item];
            const Recording::Text& drawn = painted.texts[i];
            EXPECT_EQ(label.text, drawn.text);
            EXPECT_EQ(label.x < 0 ? item.left + (item.width - drawn.width) / 2
                                  : item.left + label.x,
                      drawn.x)
                << label.text;
            EXPECT_EQ(item.top + label.y, drawn.y) << label.text;
            colours += drawn.colour == RGB(255, 120, 30)    ? 'o'
                       : drawn.colour == RGB(184, 184, 184) ? 'g'
                                                            : '?';
            expected += label.item == highlighted ? 'o' : 'g';
        }
        EXPECT_EQ(expected, colours);
        // Transparent, aspect filtering, the label font selected, the DC's own back, deleted.
        EXPECT_EQ("18:1 16:1 37:1 37:2147483661 40:1 ", painted.others);
        // Height, width, escapement, orientation, weight, italic, underline, strike-out,
        // character set, precisions, quality, pitch and family, face.
        EXPECT_EQ("14 0 0 0 700 000 0 0 0 0 0x10 Times New Roman", painted.font);
    }
    char title[32] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("MOSS HARBOR", title);
    DestroyWindow(window);
    Recording nothing(window); // its title cannot be set
    EXPECT_EQ(0, nothing.result);
    EXPECT_TRUE(nothing.texts.empty());

    // The second line of Change Settings: the current device and the current mode's word.
    const struct {
        LONG accelerated[2];
        DWORD mode, options[2];
        const char* label;
    } cases[] = {{{1, 1}, 0, {1, 1}, "Hardware Accelerate"},
                 {{0, 1}, 0, {1, 1}, "Software"},
                 {{1, 1}, 0, {~1u, 1}, "Software"},
                 {{1, 0}, 1, {1, 1}, "Software"},
                 {{0, 1}, 1, {~1u, 1}, "Hardware Accelerate"},
                 {{1, 1}, 1, {1, ~1u}, "Software"}};
    for (const auto& c : cases) {
        std::copy(c.accelerated, c.accelerated + 2, DisplayDeviceList[0].accelerated);
        LauncherSettings.displayMode = c.mode;
        std::copy(c.options, c.options + 2, LauncherSettings.options);
        EXPECT_STREQ(c.label, AccelerationLabel())
            << c.accelerated[0] << c.accelerated[1] << c.mode;
    }
    DisplayDeviceList.SetSize(0, -1);
    ItemHighlight[9] = 0;
}

namespace {

// The numbers of the flags set, or "-".
std::string Set(const LONG* flags, int count) {
    std::string set;
    for (int i = 0; i < count; ++i)
        set += flags[i] ? std::to_string(i) : "";
    return set.empty() ? "-" : set;
}

// A game folder with its help page, where the stand-ins that the shell starts record their
// command lines; removed again however the test ends.
struct GameFolder {
    std::string path = MakeScratchFolder("menu");
    GameFolder() {
        CreateDirectoryA((path + "\\HELP").c_str(), nullptr);
        WriteTextFile(path + "\\HELP\\TOP.HTM", "help");
        SetEnvironmentVariableA("MOSS_STANDIN_LOG", (path + "\\starts.log").c_str());
    }
    ~GameFolder() {
        SetEnvironmentVariableA("MOSS_STANDIN_LOG", nullptr);
        RemoveTree(path);
    }
    // The recorded starts once there are `count` of them; the folder is watched, 10 s at most.
    std::string Starts(long count) const {
        HANDLE change = FindFirstChangeNotificationA(path.c_str(), FALSE, FILE_NOTIFY_CHANGE_SIZE);
        std::string lines = ReadTextFile(path + "\\starts.log");
        for (DWORD start = GetTickCount();
             std::count(lines.begin(), lines.end(), '\n') < count && GetTickCount() - start < 10000;
             lines = ReadTextFile(path + "\\starts.log")) {
            WaitForSingleObject(change, 100);
            FindNextChangeNotification(change);
        }
        FindCloseChangeNotification(change);
        return lines;
    }
};

HWND OpenMenu() {
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MENU), nullptr, MenuDialogProc, 0);
}

} // namespace

TEST(Shell, TheMenuWindowOpensCentredAndFollowsTheMouseTheKeysAndItsCommands) {
    TestKey stored(HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied);
    stored.StoreDword("Setup", 1);
    stored.StoreDword("Display Mode", 1);
    TestKey directX(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX");
    directX.StoreText("Version", "4.06.00.0318"); // Play and Change Settings only say so
    // The shell opens web pages and .htm files with a stand-in that records its command line.
    // Wine's classes root does not see HKEY_CURRENT_USER\Software\Classes: the machine's.
    const std::string opener = "\"" + BinaryFolder() + "\\iv5setup.exe\"", open = opener + " %1";
    TestKey https(HKEY_LOCAL_MACHINE, "Software\\Classes\\https");
    TestKey htm(HKEY_LOCAL_MACHINE, "Software\\Classes\\.htm");
    TestKey page(HKEY_LOCAL_MACHINE, "Software\\Classes\\MossHarborTest.Page");
    RegSetValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\https\\shell\\open\\command", REG_SZ,
                 open.c_str(), 0);
    RegSetValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.htm", REG_SZ, "MossHarborTest.Page", 0);
    RegSetValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\MossHarborTest.Page\\shell\\open\\command",
                 REG_SZ, open.c_str(), 0);
    const GameFolder folder;
    Kept<TString> game(GameDirectory);
    GameDirectory = folder.path.c_str();
    Kept<SettingsRecord> settings(LauncherSettings);
    Kept<HINSTANCE> instance(AppInstance);
    AppInstance = GetModuleHandleA(nullptr);
    HWND menu = nullptr;
    std::string busy; // the busy flags while each box was shown over the menu
    ScriptedMessageBoxes boxes(IDNO, [&](const ShownBox& box) {
        busy += Set(CommandBusy, CommandSlotCount) + (box.owner == menu ? " " : "? ");
    });
    RegisterMenuClass();
    ASSERT_TRUE(IsWindow(menu = OpenMenu()));

    RECT place;
    GetWindowRect(menu, &place);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 640) / 2, place.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 480) / 2, place.top);
    EXPECT_EQ(640 * 480, (place.right - place.left) * (place.bottom - place.top));
    char title[32] = {};
    GetWindowTextA(menu, title, sizeof title);
    ASSERT_STREQ("MOSS HARBOR", title) << "the menu did not open as a dialog";
    // The settings loaded, the device list built from Wine's own DirectDraw driver and chosen.
    EXPECT_EQ(1u, LauncherSettings.displayMode);
    EXPECT_EQ(1u, LauncherSettings.device);
    EXPECT_STRNE("UNKNOWN DEVICE", DisplayDeviceList[DisplayDeviceList.current].description);

    std::string shown = Set(ItemHighlight, MenuItemCount); // Play first
    for (int key : {VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_UP, VK_UP, VK_UP, VK_UP,
                    VK_UP, VK_UP, VK_DOWN, VK_ESCAPE, VK_LEFT, VK_RIGHT, int('A')}) {
        SendMessageA(menu, WM_KEYDOWN, key, 1);
        shown += " " + Set(ItemHighlight, MenuItemCount);
    }
    EXPECT_EQ("0 1 5 6 8 9 0 9 8 6 5 1 0 1 1 1 1 1", shown);
    // An item's last column and row, the empty slots and the title panel are background: the
    // mouse there highlights nothing, and pressing it there drags the window.
    shown.clear();
    for (POINT point :
         {POINT{400, 60}, {620, 60}, {400, 89}, {619, 88}, {540, 420}, {500, 180}, {100, 240}}) {
        SendMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        ClientToScreen(menu, &point);
        LRESULT hit = SendMessageA(menu, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
        shown += Set(ItemHighlight, MenuItemCount) + (hit == HTCAPTION ? " drag " : " ");
    }
    for (int key : {VK_TAB, VK_DOWN, VK_UP, VK_RETURN})
        SendMessageA(menu, WM_KEYDOWN, key, 1);
    shown += Set(ItemHighlight, MenuItemCount);
    EXPECT_EQ("0 - drag - drag 0 9 - drag - drag -", shown);

    // Play, Change Settings, Install Software (three questions), Web Site, Help; then Enter
    // on Change Settings.
    for (POINT point : {POINT{400, 60}, {400, 120}, {400, 300}, {399, 360}, {540, 420}})
        SendMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(400, 120));
    SendMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ("0 1 5 5 5 1 ", busy);
    EXPECT_EQ("-", Set(CommandBusy, CommandSlotCount));
    const std::string starts = folder.Starts(2);
    EXPECT_NE(std::string::npos,
              starts.find("\t" + opener + " https://www.halden.example/mossharbor/\n"))
        << starts;
    EXPECT_NE(std::string::npos,
              starts.find("\t" + opener + " " + folder.path + "\\HELP\\TOP.HTM\n"))
        << starts;

    // Exit, and a close request, end the loop with 0 and release the palettes and the surface.
    for (UINT close : {WM_LBUTTONDOWN, WM_CLOSE}) {
        HPALETTE palette = ArtworkPalette[0];
        HDC surface = MenuSurface.memoryDC;
        PostMessageA(menu, close, 0, MAKELPARAM(399, 420));
        MSG message = {};
        for (DWORD start = GetTickCount(); GetTickCount() - start < 5000 &&
                                           PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) &&
                                           message.message != WM_QUIT;)
            DispatchMessageA(&message);
        EXPECT_FALSE(IsWindow(menu));
        EXPECT_EQ(WM_QUIT, message.message);
        EXPECT_EQ(0u, message.wParam);
        EXPECT_EQ(0u, GetObjectType(palette) | GetObjectType(surface));
        menu = OpenMenu();
    }
    DestroyWindow(menu);
}
