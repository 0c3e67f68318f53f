// The settings dialog's view of the settings record and its choice buttons.
#include "SettingsChoices.h"
#include "LauncherSettings.h"
#include "SettingsOptions.h"
#include "resource.h"

DisplayDevice& CurrentDevice() {
    return DisplayDeviceList[DisplayDeviceList.current];
}

int CurrentMode() {
    return static_cast<int>(LauncherSettings.displayMode);
}

DWORD& CurrentOptionWord() {
    return LauncherSettings.options[CurrentMode()];
}

DWORD& OtherOptionWord() {
    return LauncherSettings.options[1 - CurrentMode()];
}

void MarkChoice(HWND dialog, bool set) {
    CheckRadioButton(dialog, IDC_CHOICE_FIRST, IDC_CHOICE_THIRD,
                     set ? IDC_CHOICE_FIRST : IDC_CHOICE_SECOND);
}

void ShowOption(HWND dialog, int option) {
    const OptionEntry& entry = SettingsOptions[option];
    SetDlgItemTextA(dialog, IDC_CHOICE_FIRST, entry.setLabel);
    SetDlgItemTextA(dialog, IDC_CHOICE_SECOND, entry.clearLabel);
    MarkChoice(dialog, ((CurrentOptionWord() >> option) & 1) != 0);
    // Every option has two choices; the third button is never offered.
    ShowWindow(GetDlgItem(dialog, IDC_CHOICE_THIRD), SW_HIDE);
    SetDlgItemTextA(dialog, IDC_OPTION_DESCRIPTION, entry.description);
    BOOL enabled = IsChoiceEnabled(option, CurrentDevice(), CurrentMode(), CurrentOptionWord());
    EnableWindow(GetDlgItem(dialog, IDC_CHOICE_FIRST), enabled);
    EnableWindow(GetDlgItem(dialog, IDC_CHOICE_SECOND), enabled);
}
