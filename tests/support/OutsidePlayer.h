// Plays the player's part in a launcher that runs as another process: clicks on its menu items
// and answers its message boxes and its settings dialog, all through posted messages, as the
// system delivers a player's input. Find the windows with ChildProcess::FindTopWindow.
#pragma once
#include <windows.h>

#include <string>

const char DialogClass[] = "#32770";
const int MessageTextId = 0xFFFF; // the text of a message box
const int DeviceBoxId = 1015;     // the device list of the settings dialog

// Posts a left-button press in the middle of a menu item (client coordinates).
void ClickMenuItem(HWND menu, int item);
std::string MessageBoxText(HWND box);
std::string WindowCaption(HWND window);
// Presses a button (IDOK, IDCANCEL, IDYES, IDNO) and waits until the window is gone; false when
// it stayed for timeoutMs.
bool PressButton(HWND window, int button, DWORD timeoutMs);
// Presses whichever of No, Cancel and OK the box has: the safe way out of an unexpected box.
void DismissMessageBox(HWND box);
