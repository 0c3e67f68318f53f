// The display devices and the settings dialog: the device list built from DirectDraw drivers,
// template 165 as stored, and the dialog as a player drives it: modelessly through its
// controls, and modally through Change Settings with the dialog manager's Enter and Escape.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ChangeSettings.h"
#include "DisplayDeviceList.h"
#include "FakeDirectDraw.h"
#include "Kept.h"
#include "LauncherSettings.h"
#include "LauncherState.h"
#include "ScriptedMessageBoxes.h"
#include "SettingsDialog.h"
#include "TestKey.h"
#include "resource.h"

namespace {

class Display : public testing::Test {
  public:
    ~Display() override { DisplayDeviceList.SetSize(0, -1); }

    // Differing in the last byte only, so that comparing part of a GUID shows; 0: the null GUID.
    static GUID Guid(BYTE tag) { return tag ? GUID{1, 1, 1, {1, 1, 1, 1, 1, 1, 1, tag}} : GUID{}; }
    static int Tag(const GUID& guid) {
        return IsEqualGUID(guid, Guid(guid.Data4[7])) ? guid.Data4[7] : -1;
    }
    // Builds the list from the drivers, with a saved device (tag 0: none).
    static LONG Build(std::vector<FakeDriver> drivers, BYTE saved = 0) {
        FakeDirectDrawMachine machine(drivers);
        LauncherSettings.device = saved != 0;
        LauncherSettings.deviceId = Guid(saved);
        LONG size = BuildDisplayDeviceList();
        EXPECT_TRUE(machine.AllReleased());
        return size;
    }
    // "description fullScreenOnly accelerated[0, 1] filtering[0, 1] tag" of every device.
    static std::string Devices() {
        std::string list;
        for (LONG i = 0; i < DisplayDeviceList.size; ++i) {
            const DisplayDevice& d = DisplayDeviceList[i];
            char text[160];
            snprintf(text, sizeof text, "%s%s %ld %ld%ld %ld%ld %d", i ? "|" : "",
                     d.description.Text(), d.fullScreenOnly, d.accelerated[0], d.accelerated[1],
                     d.filtering[0], d.filtering[1], Tag(d.deviceGuid));
            list += text;
        }
        return list;
    }
    // What the dialog edits and OK selects: "c<current> m<mode> <option words> d<device> g<tag>".
    static std::string Chosen() {
        const SettingsRecord& s = LauncherSettings;
        char text[96];
        snprintf(text, sizeof text, "c%ld m%lu %lx %lx d%lu g%d", DisplayDeviceList.current,
                 s.displayMode, s.options[0], s.options[1], s.device, Tag(s.deviceId));
        return text;
    }

  private:
    Kept<SettingsRecord> settings_{LauncherSettings};
};

} // namespace

TEST_F(Display, EachDriverGivesADeviceAndNoUsableDriverThePlaceholder) {
    FakeDriver failing{"Broken", Guid(4)};
    failing.failing = FakeCall::GetCaps;
    EXPECT_EQ(4, Build({FakeDriver{"Plain", Guid(1), 0}, FakeDriver{"Full", Guid(2), DDCAPS_3D, 0},
                        FakeDriver{"3D", Guid(3)}, failing}));
    // Filtering only with acceleration, although the plain board's capabilities were read.
    EXPECT_EQ("Plain 0 00 00 1|Full 1 11 11 2|3D 0 11 11 3|Broken 1 00 00 4", Devices());
    failing.failing = FakeCall::Create;
    for (const auto& drivers : {std::vector<FakeDriver>{}, std::vector<FakeDriver>{failing}}) {
        EXPECT_EQ(1, Build(drivers, 7));
        EXPECT_EQ("UNKNOWN DEVICE 0 00 00 0", Devices());
        EXPECT_EQ(1, SelectDisplayDevice());
        EXPECT_EQ("c0 m0 0 0 d1 g0", Chosen());
    }
}

TEST_F(Display, TheSavedDeviceIsChosenElseTheFirstAcceleratedAndSelectingCopiesIt) {
    for (auto savedAndChosen : {std::pair<BYTE, LONG>{2, 1}, {1, 0}, {9, 0}, {0, 1}}) {
        Build({FakeDriver{"Plain", Guid(1), 0}, FakeDriver{"3D", Guid(2)},
               FakeDriver{"Twin", Guid(2)}},
              savedAndChosen.first);
        EXPECT_EQ(savedAndChosen.second, DisplayDeviceList.current) << int(savedAndChosen.first);
    }
    Build({FakeDriver{"Plain", Guid(1), 0}, FakeDriver{"Plain", Guid(2), 0}});
    EXPECT_EQ(0, DisplayDeviceList.current);
    for (LONG current : {1, 2}) { // 2 is out of range: the first device
        DisplayDeviceList.current = current;
        EXPECT_EQ(1, SelectDisplayDevice());
        EXPECT_EQ(current == 1 ? "c1 m0 0 0 d1 g2" : "c0 m0 0 0 d1 g1", Chosen());
    }
    DisplayDeviceList.SetSize(0, -1);
    EXPECT_EQ(0, SelectDisplayDevice());
    EXPECT_EQ(0u, LauncherSettings.device);
}

namespace {

// DLGITEMTEMPLATEEX up to its class, one of the system's (0xFFFF, then the atom): help id,
// extended style, style, position, size, id, class.
using StoredControl = std::vector<DWORD>;
const DWORD Button = 0x80FFFF, Static = 0x82FFFF, ListBox = 0x83FFFF, ComboBox = 0x85FFFF;
const DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP;
const DWORD DropList = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD Push = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP;
const DWORD Choice = Push | BS_AUTORADIOBUTTON | BS_PUSHLIKE | BS_CENTER;
const DWORD Edge = WS_EX_CLIENTEDGE;
const StoredControl Controls[] = {
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
    {0, Edge, Choice | WS_GROUP, MAKELONG(172, 117), MAKELONG(85, 15), 2000, Button},
    {0, Edge, Choice, MAKELONG(172, 135), MAKELONG(85, 15), 2001, Button},
    {0, Edge, Choice, MAKELONG(172, 153), MAKELONG(85, 15), 2002, Button},
    {0, 0, Label, MAKELONG(7, 183), MAKELONG(250, 8), 1042, Static},
    {0, 0, Label, MAKELONG(7, 195), MAKELONG(249, 30), 1026, Static},
    {0, 0, Label, MAKELONG(7, 228), MAKELONG(117, 40), 1047, Static},
    {0, 0, Label, MAKELONG(139, 228), MAKELONG(117, 40), 1048, Static},
    {0, 0, Push, MAKELONG(35, 270), MAKELONG(60, 14), 1045, Button},
    {0, 0, Push, MAKELONG(167, 270), MAKELONG(60, 14), 1046, Button},
};

} // namespace

TEST_F(Display, TheSettingsTemplateIsStoredAsDesigned) {
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
    for (const StoredControl& control : Controls) {
        at += (4 - reinterpret_cast<uintptr_t>(at) % 4) % 4;
        auto stored = reinterpret_cast<const DWORD*>(at);
        EXPECT_EQ(control, StoredControl(stored, stored + 7));
        at += 7 * sizeof(DWORD);
        // The text, a placeholder, then the creation data.
        at += *reinterpret_cast<const WORD*>(at) == 0xFFFF ? 4 : 2 * (wcslen((wchar_t*)at) + 1);
        at += 2 + *reinterpret_cast<const WORD*>(at);
    }
}

namespace {

// The player at the settings dialog.
struct Player {
    HWND dialog;

    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
    }
    std::string Text(int id) const {
        char text[512] = {};
        GetDlgItemTextA(dialog, id, text, sizeof text);
        return text;
    }
    // A box's entries (or their last words) joined by '|', the selected one marked '>'.
    std::string Entries(int id, bool lastWords = false) const {
        bool list = id == IDC_OPTION_LIST;
        LRESULT selected = Send(id, list ? LB_GETCURSEL : CB_GETCURSEL);
        std::string entries;
        for (LRESULT i = 0; i < Send(id, list ? LB_GETCOUNT : CB_GETCOUNT); ++i) {
            char text[256] = {};
            Send(id, list ? LB_GETTEXT : CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            entries += (i ? "|" : "") + std::string(i == selected ? ">" : "") +
                       (lastWords ? strrchr(text, ' ') + 1 : text);
        }
        return entries;
    }
    // A box's entry picked, or (id a button) option `entry` selected and the button clicked.
    void Do(int id, int entry) const {
        int box = id == IDC_MODE_BOX || id == IDC_DEVICE_BOX ? id : IDC_OPTION_LIST;
        Send(box, box == IDC_OPTION_LIST ? LB_SETCURSEL : CB_SETCURSEL, entry);
        WORD code = box == IDC_OPTION_LIST ? LBN_SELCHANGE : CBN_SELCHANGE;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(box, code), LPARAM(GetDlgItem(dialog, box)));
        if (box != id)
            Send(id, BM_CLICK);
    }
    // The marked choice; each option's marked choice once selected ("*": its choices are
    // disabled); the screen modes; what is chosen.
    std::string View() const {
        auto marked = [this] {
            return Send(2000, BM_GETCHECK) == Send(2001, BM_GETCHECK)
                       ? "?"
                       : Text(Send(2000, BM_GETCHECK) ? 2000 : 2001);
        };
        std::string view = marked() + "|";
        for (int option = 0; option < 6; ++option) {
            Do(IDC_OPTION_LIST, option);
            bool enabled = IsWindowEnabled(GetDlgItem(dialog, 2000));
            bool same = enabled == !!IsWindowEnabled(GetDlgItem(dialog, 2001));
            view += (option ? " " : "") + marked() + (!same ? "?" : enabled ? "" : "*");
        }
        return view + "|" + Entries(IDC_MODE_BOX, true) + "|" + Display::Chosen();
    }
};

const char* const ModeTexts[] = {"Plays the game in the full screen at 640 x 480 resolution.",
                                 "Plays the game in a window at 640 x 480 resolution."};

// Reads every text the dialog sets, then goes through the steps of a player.
void Play(const Player& player) {
    char caption[32] = {};
    GetWindowTextA(player.dialog, caption, sizeof caption);
    std::string shown = caption;
    for (int id : {1050, 1039, 1014, IDOK, IDCANCEL, 1041, 1042, 1045, 1046, 1047, 1048})
        shown += "|" + player.Text(id);
    EXPECT_EQ("MOSS HARBOR|Device Select|Select your accelerator board here.|Screen Mode Select|OK|"
              "Cancel|Options|Description|Prioritize Quality|Prioritize Speed|Prioritizes game's "
              "graphics and sound quality over game speed. Please note the game speed may be "
              "sacrificed by choosing this option.|Prioritizes game speed. Game's graphics and "
              "sound quality will be sacrificed. To increase the game speed, please also try "
              "choosing the FULL SCREEN mode.",
              shown);
    EXPECT_EQ(">3D|Full|Plain|No Filtering", player.Entries(IDC_DEVICE_BOX));
    EXPECT_EQ("640 x 480 16 Bit Color Full Screen|>640 x 480 16 Bit Color Window",
              player.Entries(IDC_MODE_BOX));
    EXPECT_EQ(">Hardware Accelerate|Rendering|Filtering|Sound|Movie|Stereo/Monaural",
              player.Entries(IDC_OPTION_LIST));
    shown.clear();
    for (int option = 0; option < 6; ++option) {
        player.Do(IDC_OPTION_LIST, option);
        shown += player.Text(2000) + "|" + player.Text(2001) + "|" + player.Text(1026) + "|";
        EXPECT_FALSE(GetWindowLongA(GetDlgItem(player.dialog, 2002), GWL_STYLE) & WS_VISIBLE);
    }
    player.Do(IDC_OPTION_LIST, 0);
    EXPECT_EQ("ON|OFF|Turns ON/OFF the hardware acceleration. Set this to OFF when playing without "
              "using a hardware accelerator.|HIGH|LOW|Switches the rendering quality HIGH/LOW.|ON|"
              "OFF|Turns ON/OFF the filtering. Setting this to ON generally results in better "
              "graphics quality. However, this feature may not function properly with some of the "
              "3D accelerator boards. In that case, please set this to OFF.|ON|OFF|Turns ON/OFF "
              "the sound. Set this to OFF if you do not require sound.|ON|OFF|Turns ON/OFF the "
              "demo movie. Under certain hardware environments, movie playback could hinder "
              "proper gameplay. In that case, please set this to OFF.|Stereo|Monaural|Switches "
              "the sound STEREO/MONAURAL.|",
              shown);

    const struct {
        int id, entry;
        const char* view;
    } steps[] = {
        {0, 0, "OFF|OFF* HIGH* OFF* ON ON Stereo|Screen|>Window|c0 m1 a5a5a5ff a5a5a5fa d0 g0"},
        {1013, 0, "ON|ON HIGH ON ON ON Stereo|>Screen|Window|c0 m0 a5a5a5ff a5a5a5fa d0 g0"},
        // Only the clicked option's bit changes: Rendering and Filtering lock when selected.
        {2001, 0, "OFF|OFF HIGH* ON* ON ON Stereo|>Screen|Window|c0 m0 a5a5a5fe a5a5a5fa d0 g0"},
        {2000, 0, "ON|ON HIGH ON ON ON Stereo|>Screen|Window|c0 m0 a5a5a5ff a5a5a5fa d0 g0"},
        {2001, 5,
         "Monaural|ON HIGH ON ON ON Monaural|>Screen|Window|c0 m0 a5a5a5df a5a5a5fa d0 g0"},
        // The window mode keeps its own acceleration and filtering and takes the shared bits.
        {1013, 1,
         "OFF|OFF* HIGH* OFF* ON ON Monaural|Screen|>Window|c0 m1 a5a5a5df a5a5a5da d0 g0"},
        {1015, 1, "ON|ON HIGH ON ON ON Monaural|>Screen|c1 m0 a5a5a5df a5a5a5da d0 g0"},
        {1015, 2,
         "OFF|OFF* HIGH* OFF* ON ON Monaural|>Screen|Window|c2 m0 a5a5a5da a5a5a5da d0 g0"},
        // Presets keep bits 6 to 31 and stay within what the device offers.
        {1045, 1, "LOW|OFF* LOW* OFF* ON ON Stereo|>Screen|Window|c2 m0 a5a5a5f8 a5a5a5da d0 g0"},
        {1046, 1, "LOW|OFF* LOW* OFF* ON ON Monaural|>Screen|Window|c2 m0 a5a5a5d8 a5a5a5da d0 g0"},
        {1015, 0, "OFF|OFF HIGH* OFF* ON ON Monaural|>Screen|Window|c0 m0 a5a5a5da a5a5a5da d0 g0"},
        {1045, 1, "HIGH|ON HIGH OFF ON ON Stereo|>Screen|Window|c0 m0 a5a5a5fb a5a5a5da d0 g0"},
        {1046, 1, "LOW|ON LOW OFF ON ON Monaural|>Screen|Window|c0 m0 a5a5a5d9 a5a5a5da d0 g0"},
        {1015, 3, "ON|ON HIGH OFF* ON ON Monaural|>Screen|Window|c3 m0 a5a5a5db a5a5a5da d0 g0"},
        {1045, 1, "HIGH|ON HIGH OFF* ON ON Stereo|>Screen|Window|c3 m0 a5a5a5fb a5a5a5da d0 g0"},
    };
    for (const auto& step : steps) {
        if (step.id)
            player.Do(step.id, step.entry);
        EXPECT_EQ(step.view, player.View()) << step.id << " " << step.entry;
        EXPECT_EQ(ModeTexts[LauncherSettings.displayMode], player.Text(1040));
    }
}

// Plays the player's part in the dialog that Change Settings opens, from inside its modal loop
// (a thread timer); a dialog still open 5 s later is ended, so that no test hangs.
std::function<void(Player)> Act;
int Ticks;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA("#32770", nullptr); // message boxes are scripted: no other
    if (dialog && Act)
        std::exchange(Act, nullptr)(Player{dialog});
    else if (dialog && ++Ticks == 500)
        EndDialog(dialog, 0);
}
// True when the dialog opened and the player closed it.
bool ChangeSettingsPlayed(HWND menu, std::function<void(Player)> act) {
    Act = std::move(act);
    Ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
    EXPECT_EQ(0, ChangeSettings(menu));
    KillTimer(nullptr, timer);
    return !Act && Ticks < 500;
}

} // namespace

// The menu window is the owner; the settings dialog runs modally over it, disabling it.
TEST_F(Display, ChangeSettingsNeedsDirectX61AndItsDialogFollowsThePlayer) {
    TestKey directX(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX");
    TestKey stored(HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied);
    Kept<HINSTANCE> instance(AppInstance);
    AppInstance = GetModuleHandleA(nullptr);
    HWND menu = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr,
                                nullptr, nullptr, nullptr);
    Build({FakeDriver{"3D", Guid(1)}, FakeDriver{"Full", Guid(2), DDCAPS_3D, 0},
           FakeDriver{"Plain", Guid(3), 0}, FakeDriver{"No Filtering", Guid(4)}},
          1);
    DisplayDeviceList[0].accelerated[1] = DisplayDeviceList[0].filtering[1] = 0;
    DisplayDeviceList[3].filtering[0] = DisplayDeviceList[3].filtering[1] = 0;
    ScriptedMessageBoxes boxes;
    boxes.Answer({IDOK});
    directX.StoreText("Version", "4.06.00.0318");
    EXPECT_FALSE(ChangeSettingsPlayed(menu, [](Player player) { EndDialog(player.dialog, 0); }));
    ASSERT_EQ(1u, boxes.Shown().size());
    const ShownBox& box = boxes.Shown()[0];
    EXPECT_EQ(menu, box.owner);
    EXPECT_EQ("Please install DirectX (R)6 or above first.|MOSS HARBOR|0",
              box.text + "|" + box.caption + "|" + std::to_string(box.flags));

    directX.StoreText("Version", "4.06.02.0436");
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        SettingsRecord& s = LauncherSettings;
        s.device = 0;
        s.deviceId = GUID_NULL;
        DisplayDeviceList.current = key == VK_RETURN ? 0 : 3;
        s.displayMode = 1;
        s.options[0] = s.options[1] = 0xA5A5A5FF;
        EXPECT_TRUE(ChangeSettingsPlayed(menu, [&](Player player) {
            EXPECT_TRUE(GetWindow(player.dialog, GW_OWNER) == menu && !IsWindowEnabled(menu));
            if (key == VK_RETURN)
                Play(player);
            else {
                EXPECT_EQ("3D|Full|Plain|>No Filtering", player.Entries(IDC_DEVICE_BOX));
                player.Do(IDC_DEVICE_BOX, 2); // changes the window mode's word
                player.Do(IDC_DEVICE_BOX, 1); // full screen only
                player.Do(2001, 3);
            }
            SetFocus(GetDlgItem(player.dialog, IDC_OPTION_LIST));
            PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
        })) << key;
        // OK gives the shared bits to the other word and selects the device; Cancel puts back
        // what was there.
        EXPECT_EQ(key == VK_RETURN ? "c3 m0 a5a5a5fb a5a5a5fa d1 g4"
                                   : "c3 m1 a5a5a5ff a5a5a5ff d0 g0",
                  Chosen());
    }
    EXPECT_FALSE(stored.Read("Option0").found) << "the dialog wrote to the registry";
    DestroyWindow(menu);
}
