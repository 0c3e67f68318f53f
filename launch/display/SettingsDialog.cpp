// The settings dialog's procedure and its handlers. Every change goes straight into the
// settings record and the device list; Cancel puts back what was there at opening.
#include "SettingsDialog.h"
#include "LauncherSettings.h"
#include "SettingsChoices.h"
#include "SettingsOptions.h"
#include "resource.h"

namespace {

struct SavedSettings {
    LONG current;
    DWORD displayMode;
    DWORD options[2];
};
// The values at opening, for Cancel. The dialog is modal, so there is only ever one.
SavedSettings Saved;

struct DialogText {
    int id;
    const char* text;
};
const DialogText FixedTexts[] = {
    {IDC_DEVICE_TITLE, "Device Select"},
    {IDC_DEVICE_HINT, "Select your accelerator board here."},
    {IDC_MODE_TITLE, "Screen Mode Select"},
    {IDOK, "OK"},
    {IDCANCEL, "Cancel"},
    {IDC_OPTIONS_TITLE, "Options"},
    {IDC_DESCRIPTION_TITLE, "Description"},
};

// The selected option, or -1 when the list has none.
int SelectedOption(HWND dialog) {
    LRESULT selected = SendDlgItemMessageA(dialog, IDC_OPTION_LIST, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

BOOL OnInitDialog(HWND dialog) {
    Saved = {DisplayDeviceList.current,
             LauncherSettings.displayMode,
             {LauncherSettings.options[0], LauncherSettings.options[1]}};
    // A stored mode other than 0 or 1 would index past the option words: take it as window.
    LauncherSettings.displayMode = LauncherSettings.displayMode != 0;

    SetWindowTextA(dialog, "MOSS HARBOR");
    for (const DialogText& text : FixedTexts)
        SetDlgItemTextA(dialog, text.id, text.text);
    for (const OptionPreset& preset : OptionPresets) {
        SetDlgItemTextA(dialog, preset.button, preset.title);
        SetDlgItemTextA(dialog, preset.explanationId, preset.explanation);
    }

    HWND box = GetDlgItem(dialog, IDC_DEVICE_BOX);
    for (LONG i = 0; i < DisplayDeviceList.size; ++i)
        SendMessageA(box, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(DisplayDeviceList[i].description.Text()));
    SendMessageA(box, CB_SETCURSEL, DisplayDeviceList.current, 0);

    RefreshScreenModeBox(dialog);
    RefreshOptionList(dialog);
    return TRUE;
}

void OnDeviceChanged(HWND dialog) {
    LRESULT selected = SendDlgItemMessageA(dialog, IDC_DEVICE_BOX, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return;
    DisplayDeviceList.current = static_cast<LONG>(selected);
    RefreshScreenModeBox(dialog);
}

void OnScreenModeChanged(HWND dialog) {
    LRESULT selected = SendDlgItemMessageA(dialog, IDC_MODE_BOX, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return;
    LauncherSettings.displayMode = selected != 0;
    SetDlgItemTextA(dialog, IDC_MODE_DESCRIPTION, ScreenModes[CurrentMode()].description);
    RefreshOptionList(dialog);
}

void OnOptionSelected(HWND dialog) {
    int option = SelectedOption(dialog);
    if (option >= 0)
        ShowOption(dialog, option);
}

// Only this option's bit changes: options that depend on it are re-evaluated when selected.
void OnChoiceClicked(HWND dialog, int button) {
    int option = SelectedOption(dialog);
    if (option < 0)
        return;
    DWORD bit = 1u << option;
    if (button == IDC_CHOICE_FIRST)
        CurrentOptionWord() |= bit;
    else
        CurrentOptionWord() &= ~bit;
}

void OnPresetClicked(HWND dialog, const OptionPreset& preset) {
    CurrentOptionWord() = ApplyPreset(preset, CurrentOptionWord(), CurrentDevice(), CurrentMode());
    int option = SelectedOption(dialog);
    if (option >= 0)
        MarkChoice(dialog, ((CurrentOptionWord() >> option) & 1) != 0);
}

void OnOk(HWND dialog, WPARAM wParam) {
    OtherOptionWord() = ShareOptionBits(OtherOptionWord(), CurrentOptionWord());
    SelectDisplayDevice();
    EndDialog(dialog, static_cast<INT_PTR>(wParam));
}

void OnCancel(HWND dialog) {
    DisplayDeviceList.current = Saved.current;
    LauncherSettings.displayMode = Saved.displayMode;
    LauncherSettings.options[0] = Saved.options[0];
    LauncherSettings.options[1] = Saved.options[1];
    EndDialog(dialog, 0);
}

BOOL OnCommand(HWND dialog, WPARAM wParam) {
    int control = LOWORD(wParam);
    int notification = HIWORD(wParam);
    switch (control) {
        case IDOK:
            OnOk(dialog, wParam);
            return TRUE;
        case IDCANCEL:
            OnCancel(dialog);
            return TRUE;
        case IDC_DEVICE_BOX:
            if (notification == CBN_SELCHANGE)
                OnDeviceChanged(dialog);
            break;
        case IDC_MODE_BOX:
            if (notification == CBN_SELCHANGE)
                OnScreenModeChanged(dialog);
            break;
        case IDC_OPTION_LIST:
            if (notification == LBN_SELCHANGE)
                OnOptionSelected(dialog);
            break;
        case IDC_CHOICE_FIRST:
        case IDC_CHOICE_SECOND:
        case IDC_CHOICE_THIRD:
            if (notification == BN_CLICKED)
                OnChoiceClicked(dialog, control);
            break;
        case IDC_QUALITY_PRESET:
        case IDC_SPEED_PRESET:
            if (notification == BN_CLICKED)
                OnPresetClicked(dialog, OptionPresets[control == IDC_SPEED_PRESET]);
            break;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog);
        case WM_COMMAND:
            return OnCommand(dialog, wParam);
    }
    return FALSE;
}
