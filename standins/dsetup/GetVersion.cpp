// DirectXSetupGetVersion: the installed DirectX as the system records it, e.g. "4.06.02.0436"
// (DirectX 6.1) gives version 0x00040006 and revision 0x000201B4.
#include "DirectXSetup.h"
#include "VersionText.h"

extern "C" INT WINAPI DirectXSetupGetVersion(DWORD* version, DWORD* revision) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, DirectXKey, 0, KEY_READ, &key))
        return 0;
    char text[64] = {};
    DWORD size = sizeof text - 1; // the last byte stays NUL whatever the value holds
    DWORD type = 0;
    LONG status =
        RegQueryValueExA(key, "Version", nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    DWORD installedVersion = 0;
    DWORD installedRevision = 0;
    if (status != ERROR_SUCCESS || type != REG_SZ ||
        !ParseVersionText(text, installedVersion, installedRevision))
        return 0;
    if (version)
        *version = installedVersion;
    if (revision)
        *revision = installedRevision;
    return 1;
}
