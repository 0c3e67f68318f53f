// What the settings dialog works on: the current device, the option word of the chosen display
// mode, and the choice buttons that show one option of that word.
#pragma once
#include <windows.h>
#include "DisplayDeviceList.h"

// The device at the list's current index.
DisplayDevice& CurrentDevice();
// The chosen display mode: 0 full screen, 1 window.
int CurrentMode();
// options[displayMode], and the word of the other mode.
DWORD& CurrentOptionWord();
DWORD& OtherOptionWord();

// Checks the first choice button when set, else the second; the others lose their mark.
void MarkChoice(HWND dialog, bool set);
// Shows option in the choice buttons and under "Description": labels, mark, enabled state.
void ShowOption(HWND dialog, int option);
