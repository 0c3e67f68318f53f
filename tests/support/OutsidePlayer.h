// Plays the player's part in a launcher that runs as another process: clicks on its menu items,
// finds its message boxes and its settings dialog, and answers them, all through posted
// messages, as the system delivers a player's input.
#pragma once
#include <windows.h>

#include <string>

// Posts a left-button press in the middle of a menu item (client coordinates).
void ClickMenuItem(HWND menu, int item);

// A visible message box of the process (class #32770 with a text control), or null.
HWND FindMessageBox(DWORD processId);
// The visible settings dialog of the process, or null.
HWND FindSettingsDialog(DWORD processId);
// Waits (up to timeoutMs) for one of the two; null when none came.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
HWND WaitForSettingsDialog(DWORD processId, DWORD timeoutMs);

std::string MessageBoxText(HWND box);
std::string WindowCaption(HWND window);
// Presses a button (IDOK, IDCANCEL, IDYES, IDNO) and waits until the window is gone; false when
// it stayed for timeoutMs.
bool PressButton(HWND window, int button, DWORD timeoutMs);
// Presses whichever of No, Cancel and OK the box has: the safe way out of an unexpected box.
void DismissMessageBox(HWND box);
