// The launcher shell in process: the instance guard, the colour check, the game's folder, the
// search for the game's files, the artwork, the labels and the menu window of class "TEST".
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

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
    for (int taken = 0; taken < 4; ++taken) {
        HANDLE other = CreateMutexA(nullptr, FALSE, names[taken]);
        EXPECT_EQ(0, AcquireInstanceGuard());
        CloseHandle(other);
        // The names before it stay taken; its own handle of the name was closed.
        EXPECT_EQ(std::string(taken, '1') + std::string(4 - taken, '0'), existing());
        ReleaseInstanceGuard();
        EXPECT_EQ("0000", existing());
    }
    EXPECT_EQ(1, AcquireInstanceGuard());
    EXPECT_EQ("1111", existing());
    ReleaseInstanceGuard();
    EXPECT_EQ("0000", existing());
}

TEST(Shell, BelowSixteenBitsPerPixelThePlayerIsAskedForHighColour) {
    for (DWORD bits : {8u, 16u}) {
        ScriptedMessageBoxes boxes(IDOK);
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        mode.dmBitsPerPel = bits;
        mode.dmPelsWidth = GetSystemMetrics(SM_CXSCREEN);
        mode.dmPelsHeight = GetSystemMetrics(SM_CYSCREEN);
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        ASSERT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN));
        EXPECT_EQ(bits == 16 ? 1 : 0, CheckColourDepth());
        std::string shown;
        for (const ShownBox& box : boxes.Shown())
            shown += box.text + "|" + box.caption + "|" + std::to_string(box.flags) +
                     (box.owner ? " owned" : "");
        EXPECT_EQ(bits == 16 ? ""
                             : "Please set the screen color to High Color(16 BIT) and reboot.|"
                               "MOSS HARBOR|48",
                  shown);
    }
    ChangeDisplaySettingsA(nullptr, 0);
}

TEST(Shell, TheGameFolderIsCutBeforeTheLastBackslash) {
    Kept<TString> game(GameDirectory);
    for (auto pathAndFolder : {std::pair<const char*, const char*>{"D:\\moss.exe", "D:"},
                               {"C:\\Games\\MOSS HARBOR\\moss.exe", "C:\\Games\\MOSS HARBOR"},
                               {"\\moss.exe", "\\moss.exe"}}) {
        SetGameDirectory(pathAndFolder.first);
        EXPECT_STREQ(pathAndFolder.second, GameDirectory);
    }
}

// The test program's folder stands for the launcher's; D: and E: are CD-ROM drives, C: a disk.
TEST(Shell, FilesAreLookedForInTheCallersFolderThenBesideTheProgramThenOnEachCdRom) {
    const std::string name = "probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string own = std::string(program).substr(0, strrchr(program, '\\') - program);
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
            Placed folder(own + "\\" + name, true);
            EXPECT_EQ("1 D:\\" + name, locate(nullptr));
        }
        Placed beside(own + "\\" + name);
        EXPECT_EQ("1 " + beside.path, locate(nullptr));
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

// A pixel of a bitmap resource, through its colour table.
COLORREF ArtworkPixel(ArtworkBitmap bitmap, int x, int y) {
    const BITMAPINFOHEADER* header = LockArtworkBitmap(bitmap);
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * 256;
    int row = header->biHeight - 1 - y; // stored bottom-up, rows of whole DWORDs
    return TableColour(bitmap, bits[row * ((header->biWidth + 3) & ~3) + x]);
}

// What a painted surface shows where a bar would lie, at points where bar and background differ:
// 'B' the bar, '-' the background, '?' neither or both.
char Seen(HDC surface, ArtworkBitmap bar, int left, int top) {
    const BITMAPINFOHEADER* header = LockArtworkBitmap(bar);
    std::string seen;
    for (int k = 0; k < 16; ++k) {
        int x = k * (header->biWidth - 1) / 15, y = k * (header->biHeight - 1) / 15;
        COLORREF painted = GetPixel(surface, left + x, top + y);
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
        EXPECT_EQ(256u, ArtworkColourCount[k]);
        PALETTEENTRY entries[256] = {};
        EXPECT_EQ(256u, GetPaletteEntries(ArtworkPalette[k], 0, 256, entries));
        int wrong = 0;
        for (int i = 0; i < 256; ++i)
            wrong += RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue) !=
                         TableColour(ArtworkBitmap(k), i) ||
                     entries[i].peFlags;
        EXPECT_EQ(0, wrong) << "palette " << k;
    }
    const struct {
        ArtworkBitmap bar;
        int left, top;
    } bars[MenuItemCount] = {{WideBar, 325, 30},    {WideBar, 325, 90},    {NarrowBar, 325, 150},
                             {NarrowBar, 473, 150}, {WideBar, 325, 210},   {WideBar, 325, 270},
                             {NarrowBar, 325, 330}, {NarrowBar, 473, 330}, {NarrowBar, 325, 390},
                             {NarrowBar, 473, 390}};
    CreateMenuSurface(nullptr); // compatible with the screen, as the window's
    HDC surface = MenuSurface.memoryDC;
    for (int highlighted = -1; highlighted < MenuItemCount; ++highlighted) {
        for (int item = 0; item < MenuItemCount; ++item)
            ItemHighlight[item] = item == highlighted;
        EXPECT_EQ(1, PaintArtwork(nullptr, surface));
        std::string seen;
        for (const auto& bar : bars)
            seen += Seen(surface, bar.bar, bar.left, bar.top);
        std::string expected(MenuItemCount, '-');
        if (highlighted >= 0 && !strchr("2347", '0' + highlighted))
            expected[highlighted] = 'B';
        EXPECT_EQ(expected, seen) << "highlighted " << highlighted;
    }
    DestroyMenuSurface();
    DeleteArtworkPalettes();
    ItemHighlight[MenuItemCount - 1] = 0;
}

namespace {

// What a painting into an enhanced metafile did: its texts, each with its place, width and
// colour, and its other drawing attributes in order.
struct Recording {
    struct Text {
        std::string text;
        LONG x, y, width;
        COLORREF colour;
    };
    std::vector<Text> texts;
    std::string attributes;
    COLORREF colour = 0;

    static int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM self) {
        Recording& r = *reinterpret_cast<Recording*>(self);
        const DWORD* p = record->dParm;
        char text[160];
        if (record->iType == EMR_SETTEXTCOLOR)
            r.colour = p[0];
        if (record->iType == EMR_EXTTEXTOUTW) {
            auto out = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
            auto at = reinterpret_cast<const BYTE*>(record);
            auto chars = reinterpret_cast<const WCHAR*>(at + out->emrtext.offString);
            auto advances = reinterpret_cast<const INT*>(at + out->emrtext.offDx);
            Text t = {std::string(chars, chars + out->emrtext.nChars), out->emrtext.ptlReference.x,
                      out->emrtext.ptlReference.y, 0, r.colour};
            for (DWORD i = 0; i < out->emrtext.nChars; ++i)
                t.width += advances[i];
            r.texts.push_back(t);
        } else if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
            const LOGFONTW& f =
                reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont;
            snprintf(text, sizeof text, "font %ld %ld %ld %ld %ld %d%d%d %d %d %d %d %#x %ls ",
                     f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic,
                     f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
                     f.lfQuality, f.lfPitchAndFamily, f.lfFaceName);
            r.attributes += text;
        } else if (record->iType == EMR_SETBKMODE || record->iType == EMR_SETMAPPERFLAGS ||
                   record->iType == EMR_SELECTOBJECT || record->iType == EMR_DELETEOBJECT) {
            snprintf(text, sizeof text, "%lu:%#lx ", record->iType, p[0]);
            r.attributes += text;
        }
        return 1;
    }
    // Paints the labels of the menu window into a metafile and records them.
    int Paint(HWND window) {
        HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        int result = PaintMenuLabels(window, metafile);
        HENHMETAFILE painted = CloseEnhMetaFile(metafile);
        EnumEnhMetaFile(nullptr, painted, Record, this, nullptr);
        DeleteEnhMetaFile(painted);
        return result;
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
        Recording recording;
        EXPECT_EQ(1, recording.Paint(window));
        EXPECT_EQ("18:0x1 16:0x1 font 14 0 0 0 700 000 0 0 0 0 0x10 Times New Roman 37:0x1 "
                  "37:0x8000000d 40:0x1 ",
                  recording.attributes);
        ASSERT_EQ(10u, recording.texts.size());
        for (int i = 0; i < 10; ++i) {
            const auto& label = labels[i];
            const MenuItemLayout& item = MenuLayout[label.item];
            const Recording::Text& drawn = recording.texts[i];
            EXPECT_EQ(label.text, drawn.text);
            EXPECT_EQ(label.x < 0 ? item.left + (item.width - drawn.width) / 2
                                  : item.left + label.x,
                      drawn.x)
                << label.text;
            EXPECT_EQ(item.top + label.y, drawn.y) << label.text;
            EXPECT_EQ(label.item == highlighted ? RGB(255, 120, 30) : RGB(184, 184, 184),
                      drawn.colour)
                << label.text << " highlighted " << highlighted;
        }
    }
    char title[32] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("MOSS HARBOR", title);
    DestroyWindow(window);
    Recording nothing;
    EXPECT_EQ(0, nothing.Paint(window)) << "the title of a window that is gone";
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

std::string Highlighted() {
    std::string items;
    for (int item = 0; item < MenuItemCount; ++item)
        items += ItemHighlight[item] ? std::to_string(item) : "";
    return items.empty() ? "-" : items;
}

// A file that other processes append lines to, once it holds `count` lines; its folder's
// changes are waited for, 10 s at most.
std::string AwaitLines(const std::string& folder, const std::string& path, long count) {
    HANDLE change = FindFirstChangeNotificationA(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_SIZE);
    std::string text = ReadTextFile(path);
    for (DWORD start = GetTickCount();
         std::count(text.begin(), text.end(), '\n') < count && GetTickCount() - start < 10000;
         text = ReadTextFile(path)) {
        WaitForSingleObject(change, 100);
        FindNextChangeNotification(change);
    }
    FindCloseChangeNotification(change);
    return text;
}

} // namespace

TEST(Shell, TheMenuWindowOpensCentredAndFollowsTheMouseTheKeysAndItsCommands) {
    TestKey stored(HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied);
    stored.StoreDword("Setup", 1);
    stored.StoreDword("Display Mode", 1);
    TestKey directX(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX");
    directX.StoreText("Version", "4.06.00.0318"); // Play and Change Settings only say so
    // The shell opens web pages and .htm files with a stand-in that records its command line.
    TestKey https(HKEY_LOCAL_MACHINE, "Software\\Classes\\https");
    TestKey htm(HKEY_LOCAL_MACHINE, "Software\\Classes\\.htm");
    TestKey page(HKEY_LOCAL_MACHINE, "Software\\Classes\\MossHarborTest.Page");
    const std::string opener = "\"" + BinaryFolder() + "\\iv5setup.exe\"";
    const std::string command = opener + " %1";
    RegSetValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\https\\shell\\open\\command", REG_SZ,
                 command.c_str(), 0);
    RegSetValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.htm", REG_SZ, "MossHarborTest.Page", 0);
    RegSetValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\MossHarborTest.Page\\shell\\open\\command",
                 REG_SZ, command.c_str(), 0);
    const std::string folder = MakeScratchFolder("menu");
    CreateDirectoryA((folder + "\\HELP").c_str(), nullptr);
    WriteTextFile(folder + "\\HELP\\TOP.HTM", "help");
    SetEnvironmentVariableA("MOSS_STANDIN_LOG", (folder + "\\starts.log").c_str());
    Kept<TString> game(GameDirectory);
    GameDirectory = folder.c_str();
    Kept<SettingsRecord> settings(LauncherSettings);
    Kept<HINSTANCE> instance(AppInstance);
    AppInstance = GetModuleHandleA(nullptr);
    auto busyFlags = [] {
        std::string flags;
        for (LONG slot : CommandBusy)
            flags += char('0' + slot);
        return flags;
    };
    HWND menu = nullptr;
    std::string busy; // the busy flags while each box was shown over the menu
    ScriptedMessageBoxes boxes(
        IDNO, [&](const ShownBox& box) { busy += busyFlags() + (box.owner == menu ? " " : "? "); });
    auto open = [] {
        return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MENU), nullptr, MenuDialogProc,
                                  0);
    };
    RegisterMenuClass();
    menu = open();
    ASSERT_TRUE(IsWindow(menu));
    char text[64];
    RECT place;
    GetWindowRect(menu, &place);
    snprintf(text, sizeof text, "%ld,%ld %ldx%ld", place.left, place.top, place.right - place.left,
             place.bottom - place.top);
    EXPECT_EQ(std::to_string((GetSystemMetrics(SM_CXSCREEN) - 640) / 2) + "," +
                  std::to_string((GetSystemMetrics(SM_CYSCREEN) - 480) / 2) + " 640x480",
              text);
    GetWindowTextA(menu, text, sizeof text);
    EXPECT_STREQ("MOSS HARBOR", text);
    EXPECT_EQ("0", Highlighted());
    // Loaded settings, and the device list built from Wine's own DirectDraw driver.
    EXPECT_EQ(1u, LauncherSettings.displayMode);
    EXPECT_EQ(1u, LauncherSettings.device);
    EXPECT_STRNE("UNKNOWN DEVICE", DisplayDeviceList[DisplayDeviceList.current].description.Text());

    std::string shown;
    for (int key : {VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_UP, VK_UP, VK_UP, VK_UP,
                    VK_UP, VK_UP, VK_DOWN, VK_ESCAPE, VK_LEFT, VK_RIGHT, int('A')}) {
        SendMessageA(menu, WM_KEYDOWN, key, 1);
        shown += Highlighted() + " ";
    }
    EXPECT_EQ("1 5 6 8 9 0 9 8 6 5 1 0 1 1 1 1 1 ", shown);
    // An item's last column and row, the empty slots and the title panel are background: the
    // mouse there highlights nothing, and pressing it there drags the window.
    shown.clear();
    for (POINT point :
         {POINT{400, 60}, {620, 60}, {400, 89}, {619, 88}, {540, 420}, {500, 180}, {100, 240}}) {
        SendMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        ClientToScreen(menu, &point);
        LRESULT hit = SendMessageA(menu, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
        shown += Highlighted() + (hit == HTCAPTION ? "d " : " ");
    }
    EXPECT_EQ("0 -d -d 0 9 -d -d ", shown);
    for (int key : {VK_TAB, VK_DOWN, VK_UP, VK_RETURN})
        SendMessageA(menu, WM_KEYDOWN, key, 1);
    EXPECT_EQ("-", Highlighted());
    EXPECT_TRUE(boxes.Shown().empty());

    // Play, Change Settings, Install Software (three questions), Enter on Change Settings.
    for (POINT point : {POINT{400, 60}, {400, 120}, {400, 300}, {399, 360}, {540, 420}})
        SendMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(400, 120));
    SendMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ("1000000 0100000 0000010 0000010 0000010 0100000 ", busy);
    EXPECT_EQ("0000000", busyFlags());
    const std::string starts = AwaitLines(folder, folder + "\\starts.log", 2);
    EXPECT_NE(std::string::npos,
              starts.find("\t" + opener + " https://www.halden.example/mossharbor/\n"))
        << starts;
    EXPECT_NE(std::string::npos, starts.find("\t" + opener + " " + folder + "\\HELP\\TOP.HTM\n"))
        << starts;
    SetEnvironmentVariableA("MOSS_STANDIN_LOG", nullptr);
    RemoveTree(folder);

    // Exit, and a close request, end the loop with 0 and release the palettes and the surface.
    for (int close : {0, 1}) {
        HPALETTE palette = ArtworkPalette[0];
        HDC surface = MenuSurface.memoryDC;
        if (close)
            PostMessageA(menu, WM_CLOSE, 0, 0);
        else
            SendMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(399, 420));
        MSG message = {};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_QUIT)
            DispatchMessageA(&message);
        EXPECT_FALSE(IsWindow(menu));
        EXPECT_EQ(WM_QUIT, message.message);
        EXPECT_EQ(0u, message.wParam);
        EXPECT_EQ(0u, GetObjectType(palette) | GetObjectType(surface));
        menu = open();
    }
    DestroyWindow(menu);
}
