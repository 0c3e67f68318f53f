// IsDirectXInstalled: the one test of the installed DirectX runtime, asked anew every time.
#pragma once
#include <windows.h>

// DirectX 6.1: version 4.06 (0x40006), release 2 build 0 (0x20000).
enum : DWORD { DirectX61Version = 0x40006, DirectX61Revision = 0x20000 };

// 1 when the installed DirectX is at least minVersion/minRevision, 0 otherwise or unreadable.
int IsDirectXInstalled(DWORD minVersion, DWORD minRevision);
