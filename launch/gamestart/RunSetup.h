// The first-run setup: runs the game's setup program before the menu opens.
#pragma once
#include <windows.h>

// 1 when minst.exe ran and ended with exit code 0, else 0 (the launcher then ends). The
// settings are reloaded afterwards whenever the program was found. owner is hidden while the
// program runs and shown again after, if it was visible before.
int RunSetup(HWND owner);
