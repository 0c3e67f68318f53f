// DirectXSetupGetVersion: the installed DirectX as the system records it, e.g. "4.06.02.0436"
// (DirectX 6.1) gives version 0x00040006 and revision 0x000201B4.
#include "DirectXSetup.h"

#include <cstdio>

extern "C" INT WINAPI DirectXSetupGetVersion(DWORD* version, DWORD* revision) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", 0, KEY_READ, &key))
        return 0;
    char text[64] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    LONG status =
        RegQueryValueExA(key, "Version", nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return 0;

    unsigned major, minor, release, build;
    int consumed = 0;
    if (std::sscanf(text, "%u.%u.%u.%u%n", &major, &minor, &release, &build, &consumed) != 4 ||
        text[consumed] != '\0' || major > 0xFFFF || minor > 0xFFFF || release > 0xFFFF ||
        build > 0xFFFF)
        return 0;
    if (version)
        *version = major << 16 | minor;
    if (revision)
        *revision = release << 16 | build;
    return 1;
}
