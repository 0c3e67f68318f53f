// The DirectX setup library (DSETUP.dll), imported by ordinal: 11 and 5.
#pragma once
#include <windows.h>

#define DSETUP_DDRAWDRV 0x00000008
#define DSETUP_DSOUNDDRV 0x00000010
#define DSETUP_DXCORE 0x00010000
#define DSETUP_DIRECTX (DSETUP_DXCORE | DSETUP_DDRAWDRV | DSETUP_DSOUNDDRV)

// DirectXSetupA results: done, done but a restart is needed, or a failure below zero.
#define DSETUPERR_SUCCESS 0
#define DSETUPERR_SUCCESS_RESTART 1
#define DSETUPERR_BADWINDOWSVERSION -1
#define DSETUPERR_SOURCEFILENOTFOUND -2
#define DSETUPERR_BADSOURCESIZE -3
#define DSETUPERR_BADSOURCETIME -4
#define DSETUPERR_NOCOPY -5
#define DSETUPERR_OUTOFDISKSPACE -6
#define DSETUPERR_CANTFINDINF -7
#define DSETUPERR_CANTFINDDIR -8
#define DSETUPERR_INTERNAL -9

extern "C" {
// Installed DirectX: version = major << 16 | minor, revision = release << 16 | build.
INT WINAPI DirectXSetupGetVersion(DWORD* version, DWORD* revision);
INT WINAPI DirectXSetupA(HWND owner, LPSTR sourceFolder, DWORD flags);
}
