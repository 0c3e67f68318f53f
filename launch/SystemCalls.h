// The few system calls a test must control. Production code calls them through this table,
// which holds the real functions unless a test replaces an entry.
#pragma once
#include <windows.h>
#include <dsound.h>

struct SystemCallTable {
    int(WINAPI* MessageBoxA)(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);
    HRESULT(WINAPI* DirectSoundEnumerateA)(LPDSENUMCALLBACKA callback, LPVOID context);
    INT(WINAPI* DirectXSetupA)(HWND owner, LPSTR sourceFolder, DWORD flags);
    BOOL(WINAPI* GetDiskFreeSpaceA)
    (LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector, LPDWORD freeClusters,
     LPDWORD totalClusters);
    BOOL(WINAPI* ExitWindowsEx)(UINT flags, DWORD reason);
};

extern SystemCallTable SystemCalls;
