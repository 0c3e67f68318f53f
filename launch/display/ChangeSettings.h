// The Change Settings command.
#pragma once
#include <windows.h>

// Opens the settings dialog modally over owner, once DirectX 6.1 is found; tells the player
// otherwise. Returns 0 in every case; the caller repaints after it.
int ChangeSettings(HWND owner);
