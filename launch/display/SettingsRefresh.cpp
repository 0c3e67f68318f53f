// The settings dialog's two refresh steps, run when the device or the screen mode changes.
#include "SettingsDialog.h"
#include "LauncherSettings.h"
#include "SettingsChoices.h"
#include "SettingsOptions.h"
#include "resource.h"

void RefreshScreenModeBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, IDC_MODE_BOX);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    int offered = ScreenModeCount;
    if (CurrentDevice().fullScreenOnly) {
        LauncherSettings.displayMode = 0;
        offered = 1;
    }
    for (int mode = 0; mode < offered; ++mode)
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ScreenModes[mode].text));
    RefreshOptionList(dialog);
    SendMessageA(box, CB_SETCURSEL, CurrentMode(), 0);
    SetDlgItemTextA(dialog, IDC_MODE_DESCRIPTION, ScreenModes[CurrentMode()].description);
}

void RefreshOptionList(HWND dialog) {
    DWORD& word = CurrentOptionWord();
    word = ShareOptionBits(word, OtherOptionWord());
    HWND list = GetDlgItem(dialog, IDC_OPTION_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const OptionEntry& option : SettingsOptions)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(option.name));

    const DisplayDevice& device = CurrentDevice();
    if (!device.accelerated[CurrentMode()])
        word &= ~HardwareAccelerateBit;
    if (!device.filtering[CurrentMode()])
        word &= ~FilteringBit;
    ShowOption(dialog, 0);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
}
