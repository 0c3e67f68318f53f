// TRegistry: accessor of one registry key, opened in the mode each operation needs.
#include "TRegistry.h"

#include <initializer_list>

TRegistry::TRegistry() : mode(Closed), root(nullptr), key(nullptr) {}

TRegistry::~TRegistry() {
    Open(Closed);
}

BOOL TRegistry::Open(DWORD requested) {
    if (requested > Writing)
        return 0;
    if (mode == requested)
        return 1;
    if (key) {
        if (mode == Writing)
            RegFlushKey(key);
        RegCloseKey(key);
    }
    key = nullptr;
    mode = Closed;
    if (requested != Closed) {
        LONG result = RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key);
        // Only a write creates a missing key.
        if (result != ERROR_SUCCESS && requested == Writing)
            result = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (result != ERROR_SUCCESS) {
            key = nullptr;
            return 0;
        }
    }
    mode = requested;
    return 1;
}

BOOL TRegistry::Close() {
    return Open(Closed);
}

DWORD TRegistry::QueryDword(const char* name, DWORD defaultValue) {
    // Starts at zero so that data shorter than 4 bytes reads zero-extended.
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!Open(Reading) || RegQueryValueExA(key, name, nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return defaultValue;
    return value;
}

char* TRegistry::QueryString(const char* name, char* buffer, DWORD size, const char* defaultText) {
    if (size == 0)
        return buffer;
    DWORD stored = size;
    bool read = Open(Reading) &&
                RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                                 &stored) == ERROR_SUCCESS;
    // A text stored without its NUL gets none when it fills the whole buffer: it did not fit.
    if (read && stored == size && buffer[size - 1] != '\0')
        read = false;
    if (read) {
        if (stored < size)
            buffer[stored] = '\0';
    } else if (defaultText) {
        lstrcpynA(buffer, defaultText, size);
    } else {
        buffer[size - 1] = '\0';
    }
    return buffer;
}

BOOL TRegistry::QueryBinary(const char* name, void* buffer, DWORD& size) {
    LONG result = ERROR_INVALID_HANDLE;
    if (Open(Reading))
        result = RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size);
    if (result == ERROR_SUCCESS)
        return 1;
    if (result != ERROR_MORE_DATA)
        size = 0;
    return 0;
}

BOOL TRegistry::SetValue(const char* name, DWORD type, const void* data, DWORD size) {
    return Open(Writing) && RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data),
                                           size) == ERROR_SUCCESS;
}

BOOL TRegistry::SetDword(const char* name, DWORD value) {
    return SetValue(name, REG_DWORD, &value, sizeof value);
}

BOOL TRegistry::SetString(const char* name, const char* text) {
    if (!text)
        text = "";
    return SetValue(name, REG_SZ, text, lstrlenA(text) + 1);
}

BOOL TRegistry::SetBinary(const char* name, const void* data, DWORD size) {
    return SetValue(name, REG_BINARY, data, size);
}

BOOL TRegistry::SetKey(HKEY rootKey, const char* company, const char* product, const char* subkey) {
    const char* top;
    if (rootKey == HKEY_CURRENT_USER)
        top = "Software";
    else if (rootKey == HKEY_LOCAL_MACHINE)
        top = "SOFTWARE";
    else
        return 0;
    path = top;
    for (const char* name : {company, product, subkey}) {
        if (name) {
            path += "\\";
            path += name;
        }
    }
    root = rootKey;
    return 1;
}

BOOL TRegistry::SetPath(HKEY rootKey, const char* keyPath) {
    root = rootKey;
    path = keyPath;
    return 1;
}

BOOL TRegistry::QueryInfo(DWORD* subkeys, DWORD* values) {
    DWORD subkeyCount = 0;
    DWORD valueCount = 0;
    bool known =
        key && RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeyCount, nullptr, nullptr,
                                &valueCount, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    if (!known)
        subkeyCount = valueCount = 0;
    if (subkeys)
        *subkeys = subkeyCount;
    if (values)
        *values = valueCount;
    return known;
}

BOOL TRegistry::DeleteSubkey(const char* name) {
    // An empty name would delete the open key itself.
    if (!name || !*name)
        return 0;
    return Open(Writing) && RegDeleteKeyA(key, name) == ERROR_SUCCESS;
}
