// InstallDirectX6: installs the DirectX 6 runtime through the DirectX setup library.
#pragma once
#include <windows.h>

// 1 when the last DirectX installation asked for a restart, else 0. 0 at start-up; written
// only by InstallDirectX6, and kept between install commands.
extern int RebootFlag;

// Installs DirectX 6 from "<GameDirectory>\redist\DirectX6\" unless DirectX 6.1 is present and
// after the player agreed. 0 when the installation failed for good (the command stops there),
// 1 in every other case, the player's refusals included.
int InstallDirectX6(HWND owner);
