// InstallSoftware: the Install Software command. Offers DirectX 6, Indeo Video 5.11 and
// DirectX Media from the CD's redist folder, then the reboot that DirectX asked for.
#pragma once
#include <windows.h>

// owner is the menu window. 0 when the DirectX step failed for good or the player declined
// the reboot, 1 otherwise.
int InstallSoftware(HWND owner);
