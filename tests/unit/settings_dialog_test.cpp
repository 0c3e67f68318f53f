// The settings dialog as the player meets it: devices, screen modes, options, presets, OK and
// Cancel, read back from its controls and from the settings record.
#include <gtest/gtest.h>

#include "SettingsDialogDriver.h"
#include "resource.h"

namespace {

using Shown = std::vector<std::string>;

const DWORD Defaults = 0xFFFFFFFB;

// The same capabilities in both screen modes, as the device list builds them.
DisplayDevice Device(const char* name, LONG fullScreenOnly, LONG accelerated, LONG filtering,
                     BYTE tag) {
    return {
        name, fullScreenOnly, {accelerated, accelerated}, {filtering, filtering}, TaggedGuid(tag)};
}

Shown AllChoices(SettingsDialogDriver& dialog) {
    Shown shown;
    for (int option = 0; option < 6; ++option)
        shown.push_back(dialog.ShownChoice(option));
    return shown;
}

std::vector<bool> AllEnabled(SettingsDialogDriver& dialog) {
    std::vector<bool> enabled;
    for (int option = 0; option < 6; ++option)
        enabled.push_back(dialog.ChoicesEnabled(option));
    return enabled;
}

const char* const FullScreenEntry = "640 x 480 16 Bit Color Full Screen";
const char* const WindowEntry = "640 x 480 16 Bit Color Window";

} // namespace

TEST(SettingsDialog, OpensWithEveryTextSetAndTheCurrentDeviceChosen) {
    TestDeviceList list({Device("First Board", 0, 1, 1, 1), Device("Second Board", 0, 1, 1, 2)}, 1);
    LauncherSettings.displayMode = 1;
    LauncherSettings.options[0] = LauncherSettings.options[1] = Defaults;
    SettingsDialogDriver dialog;

    EXPECT_EQ("MOSS HARBOR", dialog.Text(0));
    // The template's texts are empty placeholders: each must have been set.
    for (int id :
         {IDOK, IDCANCEL, IDC_DEVICE_TITLE, IDC_DEVICE_HINT, IDC_MODE_TITLE, IDC_MODE_DESCRIPTION,
          IDC_OPTIONS_TITLE, IDC_DESCRIPTION_TITLE, IDC_OPTION_DESCRIPTION, IDC_QUALITY_PRESET,
          IDC_SPEED_PRESET, IDC_QUALITY_TEXT, IDC_SPEED_TEXT, IDC_CHOICE_FIRST, IDC_CHOICE_SECOND})
        EXPECT_NE("", dialog.Text(id)) << "control " << id;
    EXPECT_EQ("Plays the game in a window at 640 x 480 resolution.",
              dialog.Text(IDC_MODE_DESCRIPTION));

    EXPECT_EQ(Shown({"First Board", "Second Board"}), dialog.ComboEntries(IDC_DEVICE_BOX));
    EXPECT_EQ(1, dialog.ComboSelection(IDC_DEVICE_BOX));
    EXPECT_EQ(Shown({FullScreenEntry, WindowEntry}), dialog.ComboEntries(IDC_MODE_BOX));
    EXPECT_EQ(1, dialog.ComboSelection(IDC_MODE_BOX));
    EXPECT_EQ(Shown({"Hardware Accelerate", "Rendering", "Filtering", "Sound", "Movie",
                     "Stereo/Monaural"}),
              dialog.ListEntries(IDC_OPTION_LIST));
    EXPECT_EQ(0, SendDlgItemMessageA(dialog.Window(), IDC_OPTION_LIST, LB_GETCURSEL, 0, 0));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog.Window(), IDC_CHOICE_THIRD)));

    dialog.SelectOption(5);
    EXPECT_EQ("Switches the sound STEREO/MONAURAL.", dialog.Text(IDC_OPTION_DESCRIPTION));
    EXPECT_EQ("Stereo", dialog.Text(IDC_CHOICE_FIRST));
    EXPECT_EQ("Monaural", dialog.Text(IDC_CHOICE_SECOND));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog.Window(), IDC_CHOICE_THIRD)));
}

TEST(SettingsDialog, DefaultWordsOnAnAcceleratedDeviceShowOnHighOffOnOnStereo) {
    TestDeviceList list({Device("Board", 0, 1, 1, 1)}, 0);
    LauncherSettings.options[0] = LauncherSettings.options[1] = Defaults;
    for (int mode = 0; mode < 2; ++mode) {
        LauncherSettings.displayMode = mode;
        SettingsDialogDriver dialog;
        EXPECT_EQ(Shown({"ON", "HIGH", "OFF", "ON", "ON", "Stereo"}), AllChoices(dialog));
        EXPECT_EQ(std::vector<bool>(6, true), AllEnabled(dialog));
        EXPECT_EQ(Defaults, LauncherSettings.options[mode]);
    }
}

TEST(SettingsDialog, FullScreenOnlyDeviceForcesFullScreenUntilAnotherDeviceIsChosen) {
    TestDeviceList list(
        {Device("Window Board", 0, 1, 1, 1), Device("Full Screen Board", 1, 1, 1, 2)}, 1);
    LauncherSettings.displayMode = 1;
    SettingsDialogDriver dialog;
    EXPECT_EQ(0u, LauncherSettings.displayMode);
    EXPECT_EQ(Shown({FullScreenEntry}), dialog.ComboEntries(IDC_MODE_BOX));
    EXPECT_EQ(0, dialog.ComboSelection(IDC_MODE_BOX));
    EXPECT_EQ("Plays the game in the full screen at 640 x 480 resolution.",
              dialog.Text(IDC_MODE_DESCRIPTION));

    dialog.ChooseDevice(0);
    EXPECT_EQ(Shown({FullScreenEntry, WindowEntry}), dialog.ComboEntries(IDC_MODE_BOX));
    EXPECT_EQ(0, dialog.ComboSelection(IDC_MODE_BOX));
    EXPECT_EQ(0u, LauncherSettings.displayMode);

    dialog.ChooseScreenMode(1);
    EXPECT_EQ(1u, LauncherSettings.displayMode);
    EXPECT_EQ("Plays the game in a window at 640 x 480 resolution.",
              dialog.Text(IDC_MODE_DESCRIPTION));
    dialog.ChooseDevice(1);
    EXPECT_EQ(0u, LauncherSettings.displayMode);
    EXPECT_EQ(Shown({FullScreenEntry}), dialog.ComboEntries(IDC_MODE_BOX));
}

TEST(SettingsDialog, NoAccelerationInTheChosenModeLocksAccelerationAndFiltering) {
    // Accelerated in full screen only.
    TestDeviceList list({{"Board", 0, {1, 0}, {1, 0}, TaggedGuid(1)}}, 0);
    LauncherSettings.displayMode = 1;
    LauncherSettings.options[0] = LauncherSettings.options[1] = 0xFFFFFFFF;
    SettingsDialogDriver dialog;
    EXPECT_EQ(Shown({"OFF", "HIGH", "OFF", "ON", "ON", "Stereo"}), AllChoices(dialog));
    EXPECT_EQ(std::vector<bool>({false, false, false, true, true, true}), AllEnabled(dialog));
    EXPECT_EQ(0xFFFFFFFAu, LauncherSettings.options[1]);

    dialog.ChooseScreenMode(0);
    EXPECT_EQ(Shown({"ON", "HIGH", "ON", "ON", "ON", "Stereo"}), AllChoices(dialog));
    EXPECT_EQ(std::vector<bool>(6, true), AllEnabled(dialog));
}

TEST(SettingsDialog, AccelerationOffLocksRenderingAndFilteringWhenTheyAreSelected) {
    TestDeviceList list({Device("Board", 0, 1, 1, 1)}, 0);
    LauncherSettings.displayMode = 0;
    LauncherSettings.options[0] = LauncherSettings.options[1] = 0xFFFFFFFF;
    SettingsDialogDriver dialog;
    dialog.SelectOption(0);
    dialog.Click(IDC_CHOICE_SECOND);
    EXPECT_EQ(0xFFFFFFFEu, LauncherSettings.options[0]) << "only the acceleration bit changes";
    EXPECT_EQ(Shown({"OFF", "HIGH", "ON", "ON", "ON", "Stereo"}), AllChoices(dialog));
    EXPECT_EQ(std::vector<bool>({true, false, false, true, true, true}), AllEnabled(dialog));

    dialog.SelectOption(0);
    dialog.Click(IDC_CHOICE_FIRST);
    EXPECT_TRUE(dialog.ChoicesEnabled(1));
    dialog.Click(IDC_CHOICE_SECOND);
    EXPECT_EQ("LOW", dialog.ShownChoice(1));
    EXPECT_EQ(0xFFFFFFFDu, LauncherSettings.options[0]);
}

TEST(SettingsDialog, EachModeKeepsItsAccelerationAndFilteringWhileTheOtherOptionsFollow) {
    TestDeviceList list({Device("Board", 0, 1, 1, 1)}, 0);
    LauncherSettings.displayMode = 0;
    LauncherSettings.options[0] = LauncherSettings.options[1] = 0xFFFFFFFF;
    SettingsDialogDriver dialog;
    for (int option : {2, 3, 5, 0}) { // Filtering, Sound, Stereo/Monaural, Hardware Accelerate
        dialog.SelectOption(option);
        dialog.Click(IDC_CHOICE_SECOND);
    }
    dialog.ChooseScreenMode(1);
    EXPECT_EQ(Shown({"ON", "HIGH", "ON", "OFF", "ON", "Monaural"}), AllChoices(dialog));
    EXPECT_EQ(0xFFFFFFD7u, LauncherSettings.options[1]);
    EXPECT_EQ(0xFFFFFFD2u, LauncherSettings.options[0]);

    dialog.ChooseScreenMode(0);
    EXPECT_EQ(Shown({"OFF", "HIGH", "OFF", "OFF", "ON", "Monaural"}), AllChoices(dialog));
}

TEST(SettingsDialog, PresetsSetTheSixOptionsWithinWhatTheDeviceOffers) {
    struct Case {
        LONG accelerated;
        int button;
        DWORD bits; // bits 0 to 5 after the click
        const char* stereoShown;
    };
    const Case cases[] = {
        {1, IDC_QUALITY_PRESET, 0x3B, "Stereo"}, // 1,1,0,1,1,1
        {1, IDC_SPEED_PRESET, 0x19, "Monaural"}, // 1,0,0,1,1,0
        {0, IDC_QUALITY_PRESET, 0x38, "Stereo"}, // 0,0,0,1,1,1
        {0, IDC_SPEED_PRESET, 0x18, "Monaural"}, // 0,0,0,1,1,0
    };
    const DWORD high = 0xA5A5A5C0; // bits 6 to 31, which no preset touches
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "accelerated " << c.accelerated << ", button " << c.button);
        TestDeviceList list({Device("Board", 0, c.accelerated, c.accelerated, 1)}, 0);
        LauncherSettings.displayMode = 1;
        LauncherSettings.options[0] = LauncherSettings.options[1] = high | 0x06;
        SettingsDialogDriver dialog;
        dialog.SelectOption(5);
        dialog.Click(c.button);
        EXPECT_EQ(high | c.bits, LauncherSettings.options[1]);
        EXPECT_EQ(c.stereoShown, dialog.MarkedChoice()) << "the mark follows the preset";
        EXPECT_EQ(c.stereoShown, dialog.ShownChoice(5));
    }
}

TEST(SettingsDialog, CancelPutsBackDeviceModeAndBothWordsAsTheyWereAtOpening) {
    TestDeviceList list({Device("Board", 0, 1, 1, 1), Device("Full Screen Plain", 1, 0, 0, 2),
                         Device("No Filtering", 0, 1, 0, 3)},
                        2);
    LauncherSettings.displayMode = 1;
    LauncherSettings.options[0] = 0x0000FF3F;
    LauncherSettings.options[1] = 0xABCD0005;
    LauncherSettings.device = 1;
    LauncherSettings.deviceId = TaggedGuid(3);
    SettingsDialogDriver dialog;
    // Opening already took the shared bits and dropped Filtering, which this device lacks.
    EXPECT_EQ(0x0000FF3Bu, LauncherSettings.options[1]);

    dialog.ChooseDevice(1);
    dialog.Click(IDC_QUALITY_PRESET);
    dialog.ChooseDevice(0);
    dialog.ChooseScreenMode(1);
    dialog.SelectOption(4);
    dialog.Click(IDC_CHOICE_SECOND);
    dialog.Click(IDCANCEL);

    EXPECT_FALSE(IsWindowVisible(dialog.Window()));
    EXPECT_EQ(2, DisplayDeviceList.current);
    EXPECT_EQ(1u, LauncherSettings.displayMode);
    EXPECT_EQ(0x0000FF3Fu, LauncherSettings.options[0]);
    EXPECT_EQ(0xABCD0005u, LauncherSettings.options[1]);
    EXPECT_TRUE(IsEqualGUID(TaggedGuid(3), LauncherSettings.deviceId));
}

TEST(SettingsDialog, OkWithOnlyTheUnknownDeviceSelectsItWithAZeroId) {
    TestDeviceList list({Device("UNKNOWN DEVICE", 0, 0, 0, 0)}, 0);
    LauncherSettings.device = 0;
    LauncherSettings.deviceId = TaggedGuid(0x5A);
    SettingsDialogDriver dialog;
    dialog.Click(IDOK);
    EXPECT_FALSE(IsWindowVisible(dialog.Window()));
    EXPECT_EQ(1u, LauncherSettings.device);
    EXPECT_TRUE(IsEqualGUID(GUID_NULL, LauncherSettings.deviceId));
}

TEST(SettingsDialog, OkHoldsTheSharedBitsEqualAndKeepsTheChosenDevice) {
    TestDeviceList list({Device("First", 0, 1, 1, 1), Device("Second", 0, 1, 1, 2)}, 0);
    LauncherSettings.displayMode = 0;
    LauncherSettings.options[0] = 0xFFFFFFFB;
    LauncherSettings.options[1] = 0xFFFF003D;
    {
        SettingsDialogDriver dialog;
        dialog.Click(IDOK);
    }
    EXPECT_EQ(0xFFFF0039u, LauncherSettings.options[0]);
    EXPECT_EQ(0xFFFF003Du, LauncherSettings.options[1]);

    SettingsDialogDriver dialog;
    dialog.ChooseDevice(1);
    dialog.SelectOption(3);
    dialog.Click(IDC_CHOICE_SECOND); // Sound OFF, in full screen only so far
    dialog.Click(IDOK);
    EXPECT_EQ(0xFFFF003Du & ~8u, LauncherSettings.options[1]);
    EXPECT_EQ(1, DisplayDeviceList.current);
    EXPECT_EQ(1u, LauncherSettings.device);
    EXPECT_TRUE(IsEqualGUID(TaggedGuid(2), LauncherSettings.deviceId));
}

// A stored mode other than 0 or 1 would make the dialog write past the two option words.
TEST(SettingsDialog, StoredModeBeyondWindowOpensAsWindowAndCancelKeepsIt) {
    TestDeviceList list({Device("Board", 0, 0, 0, 1)}, 0);
    LauncherSettings.displayMode = 2;
    LauncherSettings.options[0] = LauncherSettings.options[1] = Defaults;
    LauncherSettings.installFlag = 0x77;
    {
        SettingsDialogDriver dialog;
        EXPECT_EQ(1, dialog.ComboSelection(IDC_MODE_BOX));
        dialog.Click(IDCANCEL);
    }
    EXPECT_EQ(2u, LauncherSettings.displayMode);
    EXPECT_EQ(0x77u, LauncherSettings.installFlag);

    SettingsDialogDriver dialog;
    dialog.Click(IDOK);
    EXPECT_EQ(1u, LauncherSettings.displayMode);
    EXPECT_EQ(0xFFFFFFFAu, LauncherSettings.options[1]);
    EXPECT_EQ(0x77u, LauncherSettings.installFlag);
}
