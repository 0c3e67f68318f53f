// The Play command: pre-flight checks, the settings saved, the game started.
#pragma once
#include <windows.h>

// The game's launch token, passed after its path.
extern const char* const LaunchToken;

// 1 when the launcher is to close (the game was started, or its start failed after the error
// box), 0 to stay in the menu. owner owns every message box.
int PlayGame(HWND owner);
