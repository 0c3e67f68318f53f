// The display devices and the settings dialog: the device list built from DirectDraw drivers,
// template 165 as stored, and the dialog as a player drives it through its controls to OK or
// Cancel.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "DisplayDeviceList.h"
#include "FakeDirectDraw.h"
#include "Kept.h"
#include "LauncherSettings.h"
#include "SettingsDialog.h"
#include "resource.h"

namespace {

// Differing in the last byte only, so that comparing part of a GUID shows; 0: the null GUID.
GUID Guid(BYTE tag) {
    return tag ? GUID{1, 1, 1, {1, 1, 1, 1, 1, 1, 1, tag}} : GUID{};
}
int Tag(const GUID& guid) {
    return IsEqualGUID(guid, Guid(guid.Data4[7])) ? guid.Data4[7] : -1;
}

// Builds the list from the drivers, with a saved device (tag 0: none), and tells its size, the
// current index, then "description fullScreenOnly accelerated[0, 1] filtering[0, 1] tag" of
// every device.
std::string Build(std::vector<FakeDriver> drivers, BYTE saved = 0) {
    FakeDirectDrawMachine machine(drivers);
    LauncherSettings.device = saved != 0;
    LauncherSettings.deviceId = Guid(saved);
    std::string list = std::to_string(BuildDisplayDeviceList());
    list += " " + std::to_string(DisplayDeviceList.current);
    for (LONG i = 0; i < DisplayDeviceList.size; ++i) {
        const DisplayDevice& d = DisplayDeviceList[i];
        char text[160];
        snprintf(text, sizeof text, "|%s %ld %ld%ld %ld%ld %d", d.description.Text(),
                 d.fullScreenOnly, d.accelerated[0], d.accelerated[1], d.filtering[0],
                 d.filtering[1], Tag(d.deviceGuid));
        list += text;
    }
    EXPECT_TRUE(machine.AllReleased());
    return list;
}

// What the dialog edits and OK selects: "c<current> m<mode> <option words> d<device> g<tag>".
std::string Chosen() {
    const SettingsRecord& s = LauncherSettings;
    char text[96];
    snprintf(text, sizeof text, "c%ld m%lu %lx %lx d%lu g%d", DisplayDeviceList.current,
             s.displayMode, s.options[0], s.options[1], s.device, Tag(s.deviceId));
    return text;
}

TEST(Display, EachDriverGivesADeviceAndTheSavedOrFirstAcceleratedOneIsChosen) {
    // The last two boards are the same.
    const std::vector<FakeDriver> drivers = {
        FakeDriver{"Plain", Guid(1), 0}, FakeDriver{"Full", Guid(2), DDCAPS_3D, 0},
        FakeDriver{"3D", Guid(3)}, FakeDriver{"Twin", Guid(3), 0}};
    // A saved board that is gone gives the first device, even when a later one is accelerated.
    // Filtering only with acceleration, although the plain boards' capabilities were read.
    for (auto [saved, chosen] : {std::pair<BYTE, std::string>{3, "4 2"}, {9, "4 0"}, {0, "4 1"}})
        EXPECT_EQ(chosen + "|Plain 0 00 00 1|Full 1 11 11 2|3D 0 11 11 3|Twin 0 00 00 3",
                  Build(drivers, saved));
    // One slot for the first entry, then room for the step of an eighth of the size, at least 4.
    EXPECT_EQ(5, DisplayDeviceList.capacity);
    EXPECT_EQ("1 0|UNKNOWN DEVICE 0 00 00 0", Build({}, 7));
    EXPECT_EQ(1, SelectDisplayDevice());
    EXPECT_EQ("c0 m0 0 0 d1 g0", Chosen());
}

// DLGITEMTEMPLATEEX up to its class, one of the system's (0xFFFF, then the atom): help id,
// extended style, style, position, size, id, class.
const DWORD Button = 0x80FFFF, Static = 0x82FFFF, ListBox = 0x83FFFF, ComboBox = 0x85FFFF;
const DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP;
const DWORD DropList = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD Push = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP;
const DWORD Choice = Push | BS_AUTORADIOBUTTON | BS_PUSHLIKE | BS_CENTER;
const std::vector<DWORD> Controls[] = {
    {0, 0, Push | BS_DEFPUSHBUTTON, MAKELONG(163, 294), MAKELONG(45, 14), IDOK, Button},
    {0, 0, Push, MAKELONG(211, 294), MAKELONG(45, 14), IDCANCEL, Button},
    {0, 0, Label, MAKELONG(7, 7), MAKELONG(250, 10), 1050, Static},
    {0, 0, DropList, MAKELONG(7, 19), MAKELONG(249, 54), 1015, ComboBox},
    {0, 0, Label, MAKELONG(7, 35), MAKELONG(250, 18), 1039, Static},
    {0, 0, Label, MAKELONG(7, 55), MAKELONG(250, 10), 1014, Static},
    {0, 0, DropList, MAKELONG(7, 67), MAKELONG(249, 54), 1013, ComboBox},
    {0, 0, Label, MAKELONG(7, 83), MAKELONG(250, 18), 1040, Static},
    {0, 0, Label, MAKELONG(7, 103), MAKELONG(255, 14), 1041, Static},
    {0, 0, 0x50A11101, MAKELONG(7, 117), MAKELONG(155, 60), 1023, ListBox},
    {0, WS_EX_CLIENTEDGE, Choice | WS_GROUP, MAKELONG(172, 117), MAKELONG(85, 15), 2000, Button},
    {0, WS_EX_CLIENTEDGE, Choice, MAKELONG(172, 135), MAKELONG(85, 15), 2001, Button},
    {0, WS_EX_CLIENTEDGE, Choice, MAKELONG(172, 153), MAKELONG(85, 15), 2002, Button},
    {0, 0, Label, MAKELONG(7, 183), MAKELONG(250, 8), 1042, Static},
    {0, 0, Label, MAKELONG(7, 195), MAKELONG(249, 30), 1026, Static},
    {0, 0, Label, MAKELONG(7, 228), MAKELONG(117, 40), 1047, Static},
    {0, 0, Label, MAKELONG(139, 228), MAKELONG(117, 40), 1048, Static},
    {0, 0, Push, MAKELONG(35, 270), MAKELONG(60, 14), 1045, Button},
    {0, 0, Push, MAKELONG(167, 270), MAKELONG(60, 14), 1046, Button},
};

TEST(Display, TheSettingsTemplateIsStoredAsDesigned) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_SETTINGS), RT_DIALOG);
    auto at = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    // DLGTEMPLATEEX: version 1, 0xFFFF, help id, extended style, style, 19 controls, position,
    // size, no menu, no class, an empty caption, 9 points, weight 400, not italic, character set 1.
    const std::vector<WORD> dialog = {1, 0xFFFF, 0,   0, 0, 0, 0xC0, 0x80C0, 19,   0,
                                      0, 263,    315, 0, 0, 0, 9,    400,    0x100};
    auto words = reinterpret_cast<const WORD*>(at);
    EXPECT_EQ(dialog, std::vector<WORD>(words, words + dialog.size()));
    EXPECT_STREQ(L"Times New Roman", reinterpret_cast<const wchar_t*>(words + dialog.size()));
    at += 2 * dialog.size() + sizeof L"Times New Roman";
    for (const std::vector<DWORD>& control : Controls) {
        at += (4 - reinterpret_cast<uintptr_t>(at) % 4) % 4;
        auto stored = reinterpret_cast<const DWORD*>(at);
        EXPECT_EQ(control, std::vector<DWORD>(stored, stored + 7));
        at += 7 * sizeof(DWORD);
        // The text, a placeholder, then the creation data.
        at += *reinterpret_cast<const WORD*>(at) == 0xFFFF ? 4 : 2 * (wcslen((wchar_t*)at) + 1);
        at += 2 + *reinterpret_cast<const WORD*>(at);
    }
}

// The settings dialog, as the player has it open.
HWND Dialog;

LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(Dialog, id, message, wParam, lParam);
}
// A control's text; 0: the caption.
std::string Text(int id) {
    char text[512] = {};
    GetWindowTextA(id ? GetDlgItem(Dialog, id) : Dialog, text, sizeof text);
    return text;
}
// A box's entries joined by '|', the selected one marked '>'.
std::string Entries(int id) {
    bool list = id == IDC_OPTION_LIST;
    LRESULT selected = Send(id, list ? LB_GETCURSEL : CB_GETCURSEL);
    std::string entries;
    for (LRESULT i = 0; i < Send(id, list ? LB_GETCOUNT : CB_GETCOUNT); ++i) {
        char text[256] = {};
        Send(id, list ? LB_GETTEXT : CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries += (i ? "|" : "") + std::string(i == selected ? ">" : "") + text;
    }
    return entries;
}
// A box's entry picked, or (id a button) option `entry` selected and the button clicked.
void Do(int id, int entry) {
    int box = id == IDC_MODE_BOX || id == IDC_DEVICE_BOX ? id : IDC_OPTION_LIST;
    Send(box, box == IDC_OPTION_LIST ? LB_SETCURSEL : CB_SETCURSEL, entry);
    // LBN_SELCHANGE is the same code.
    SendMessageA(Dialog, WM_COMMAND, MAKEWPARAM(box, CBN_SELCHANGE),
                 LPARAM(GetDlgItem(Dialog, box)));
    if (box != id)
        Send(id, BM_CLICK);
}
// The marked choice; each option's marked choice once selected ("*": its choices are
// disabled); the number of screen modes offered '>' the selected one; what is chosen.
std::string View() {
    auto marked = [] { return Text(Send(2000, BM_GETCHECK) ? 2000 : 2001); };
    std::string view = marked() + "|";
    for (int option = 0; option < 6; ++option) {
        Do(IDC_OPTION_LIST, option);
        bool enabled = IsWindowEnabled(GetDlgItem(Dialog, 2001));
        view += (option ? " " : "") + marked() + (enabled ? "" : "*");
    }
    return view + "|" + std::to_string(Send(IDC_MODE_BOX, CB_GETCOUNT)) + ">" +
           std::to_string(Send(IDC_MODE_BOX, CB_GETCURSEL)) + "|" + Chosen();
}

// Every text of the dialog, byte for byte: caption, labels, the window mode's description,
// screen modes, options, then each option's choices and description; last, the full screen's
// description.
const char* const Texts =
    "MOSS HARBOR|Device Select|Select your accelerator board here.|Screen Mode Select|OK|Cancel|"
    "Options|Description|Prioritize Quality|Prioritize Speed|Prioritizes game's graphics and "
    "sound quality over game speed. Please note the game speed may be sacrificed by choosing "
    "this option.|Prioritizes game speed. Game's graphics and sound quality will be sacrificed. "
    "To increase the game speed, please also try choosing the FULL SCREEN mode.|Plays the game "
    "in a window at 640 x 480 resolution.|640 x 480 16 Bit Color Full Screen|>640 x 480 16 Bit "
    "Color Window|>Hardware Accelerate|Rendering|Filtering|Sound|Movie|Stereo/Monaural|ON|OFF|"
    "Turns ON/OFF the hardware acceleration. Set this to OFF when playing without using a "
    "hardware accelerator.|HIGH|LOW|Switches the rendering quality HIGH/LOW.|ON|OFF|Turns ON/OFF "
    "the filtering. Setting this to ON generally results in better graphics quality. However, "
    "this feature may not function properly with some of the 3D accelerator boards. In that "
    "case, please set this to OFF.|ON|OFF|Turns ON/OFF the sound. Set this to OFF if you do not "
    "require sound.|ON|OFF|Turns ON/OFF the demo movie. Under certain hardware environments, "
    "movie playback could hinder proper gameplay. In that case, please set this to OFF.|Stereo|"
    "Monaural|Switches the sound STEREO/MONAURAL.|Plays the game in the full screen at 640 x 480 "
    "resolution.";

// Opens the dialog in the window mode, the two option words apart.
void Open() {
    LauncherSettings.displayMode = 1;
    LauncherSettings.options[0] = 0xA5A5A5FF;
    LauncherSettings.options[1] = 0xA5A5A5DA;
    Dialog =
        CreateDialogParamA(nullptr, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, SettingsDialogProc, 0);
}

TEST(Display, TheDialogFollowsThePlayerAndOkTakesOrCancelPutsBackTheChoices) {
    Kept<SettingsRecord> settings(LauncherSettings);
    Build({FakeDriver{"3D", Guid(1)}, FakeDriver{"Full", Guid(2), DDCAPS_3D, 0},
           FakeDriver{"Plain", Guid(3), 0}, FakeDriver{"No Filtering", Guid(4)}},
          1);
    ASSERT_EQ(4, DisplayDeviceList.size); // the boards the steps below change and choose
    DisplayDeviceList[0].accelerated[1] = DisplayDeviceList[0].filtering[1] = 0;
    DisplayDeviceList[3].filtering[0] = DisplayDeviceList[3].filtering[1] = 0;
    Open();                // the window mode's word takes the shared bits of the other
    Do(IDC_DEVICE_BOX, 1); // full screen only
    Do(2001, 3);           // Sound OFF in the full screen's word
    SendMessageA(Dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ("c0 m1 a5a5a5ff a5a5a5da d1 g1", Chosen()) << "Cancel puts back what was there";
    DestroyWindow(Dialog);

    Open();
    std::string shown = Text(0);
    for (int id : {1050, 1039, 1014, IDOK, IDCANCEL, 1041, 1042, 1045, 1046, 1047, 1048, 1040})
        shown += "|" + Text(id);
    shown += "|" + Entries(IDC_MODE_BOX) + "|" + Entries(IDC_OPTION_LIST);
    for (int option = 0; option < 6; ++option) {
        Do(IDC_OPTION_LIST, option);
        shown += "|" + Text(2000) + "|" + Text(2001) + "|" + Text(1026);
        EXPECT_FALSE(GetWindowLongA(GetDlgItem(Dialog, 2002), GWL_STYLE) & WS_VISIBLE);
    }
    EXPECT_EQ(">3D|Full|Plain|No Filtering", Entries(IDC_DEVICE_BOX));
    const std::tuple<int, int, const char*> steps[] = {
        {1023, 0, "OFF|OFF* HIGH* OFF* ON ON Stereo|2>1|c0 m1 a5a5a5ff a5a5a5fa d1 g1"},
        {1013, 0, "ON|ON HIGH ON ON ON Stereo|2>0|c0 m0 a5a5a5ff a5a5a5fa d1 g1"},
        // Only the clicked option's bit changes: Rendering and Filtering lock when selected.
        {2001, 0, "OFF|OFF HIGH* ON* ON ON Stereo|2>0|c0 m0 a5a5a5fe a5a5a5fa d1 g1"},
        {2001, 5, "Monaural|OFF HIGH* ON* ON ON Monaural|2>0|c0 m0 a5a5a5de a5a5a5fa d1 g1"},
        // The window mode keeps its own acceleration and filtering and takes the shared bits.
        {1013, 1, "OFF|OFF* HIGH* OFF* ON ON Monaural|2>1|c0 m1 a5a5a5de a5a5a5da d1 g1"},
        {1015, 1, "OFF|OFF HIGH* ON* ON ON Monaural|1>0|c1 m0 a5a5a5de a5a5a5da d1 g1"},
        // Presets keep bits 6 to 31 and stay within what the device offers.
        {1046, 1, "LOW|ON LOW OFF ON ON Monaural|1>0|c1 m0 a5a5a5d9 a5a5a5da d1 g1"},
        // The first choice sets its own bit.
        {2000, 1, "HIGH|ON HIGH OFF ON ON Monaural|1>0|c1 m0 a5a5a5db a5a5a5da d1 g1"},
        {1015, 2, "OFF|OFF* HIGH* OFF* ON ON Monaural|2>0|c2 m0 a5a5a5da a5a5a5da d1 g1"},
        {1045, 1, "LOW|OFF* LOW* OFF* ON ON Stereo|2>0|c2 m0 a5a5a5f8 a5a5a5da d1 g1"},
        {1015, 3, "OFF|OFF HIGH* OFF* ON ON Monaural|2>0|c3 m0 a5a5a5da a5a5a5da d1 g1"},
        {1045, 1, "HIGH|ON HIGH OFF* ON ON Stereo|2>0|c3 m0 a5a5a5fb a5a5a5da d1 g1"},
    };
    for (auto [id, entry, view] : steps) {
        Do(id, entry);
        EXPECT_EQ(view, View()) << id << " " << entry;
    }
    EXPECT_EQ(Texts, shown + "|" + Text(1040));
    // OK gives the shared bits to the other word and selects the device.
    SendMessageA(Dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ("c3 m0 a5a5a5fb a5a5a5fa d1 g4", Chosen());
    DestroyWindow(Dialog);
}

} // namespace
