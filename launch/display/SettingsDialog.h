// The settings dialog (template IDD_SETTINGS): display device, screen mode and game options,
// edited in the settings record and the device list in memory only.
#pragma once
#include <windows.h>

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Offers the screen modes of the current device (full screen only forces mode 0), then
// refreshes the option list.
void RefreshScreenModeBox(HWND dialog);
// Takes the shared bits into the current word, limits it to the current device and shows the
// first option.
void RefreshOptionList(HWND dialog);
