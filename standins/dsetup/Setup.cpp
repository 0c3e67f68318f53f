// DirectXSetupA: "installs" DirectX from a source folder by recording the version that the
// folder's manifest, dxsetup.ini, names. No files are copied and no window is shown.
#include "DirectXSetup.h"
#include "VersionText.h"

#include <cstdio>
#include <cstring>

namespace {

bool IsFolder(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The manifest's path in buffer; false when it does not fit.
bool ManifestPath(const char* folder, char (&buffer)[MAX_PATH]) {
    size_t length = std::strlen(folder);
    const char* separator = length && folder[length - 1] == '\\' ? "" : "\\";
    int written = std::snprintf(buffer, sizeof buffer, "%s%sdxsetup.ini", folder, separator);
    return written > 0 && written < static_cast<int>(sizeof buffer);
}

// Records the version where DirectXSetupGetVersion reads it.
bool RecordVersion(const char* text) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, DirectXKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr))
        return false;
    LONG status = RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(std::strlen(text) + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

} // namespace

extern "C" INT WINAPI DirectXSetupA(HWND, LPSTR sourceFolder, DWORD) {
    if (!sourceFolder || !IsFolder(sourceFolder))
        return DSETUPERR_CANTFINDDIR;
    char manifest[MAX_PATH];
    if (!ManifestPath(sourceFolder, manifest) ||
        GetFileAttributesA(manifest) == INVALID_FILE_ATTRIBUTES)
        return DSETUPERR_CANTFINDINF;

    // A manifest that names no well-formed version is as good as none.
    char version[64];
    GetPrivateProfileStringA("DirectX", "Version", "", version, sizeof version, manifest);
    DWORD versionWord;
    DWORD revisionWord;
    if (!ParseVersionText(version, versionWord, revisionWord))
        return DSETUPERR_CANTFINDINF;
    if (!RecordVersion(version))
        return DSETUPERR_INTERNAL;
    return GetPrivateProfileIntA("DirectX", "Restart", 0, manifest) ? DSETUPERR_SUCCESS_RESTART
                                                                    : DSETUPERR_SUCCESS;
}
