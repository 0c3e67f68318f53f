// Registry snapshots and the DirectX version override.
#include "RegistrySnapshot.h"

#include <cstdio>

namespace {

const char* const DirectXKey = "SOFTWARE\\Microsoft\\DirectX";

class OpenKey {
  public:
    OpenKey(HKEY root, const char* path, REGSAM access) {
        if (RegOpenKeyExA(root, path, 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~OpenKey() {
        if (key_)
            RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return key_; }

  private:
    HKEY key_;
};

} // namespace

std::string RegistrySnapshot(HKEY root, const char* path) {
    OpenKey key(root, path, KEY_READ);
    if (!key.Get())
        return "absent";
    DWORD subkeys = 0;
    DWORD values = 0;
    FILETIME written = {};
    RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, &written);
    char text[96];
    std::snprintf(text, sizeof text, "%lu subkeys, %lu values, written %08lX%08lX", subkeys, values,
                  written.dwHighDateTime, written.dwLowDateTime);
    return text;
}

DirectXVersionOverride::DirectXVersionOverride(const char* version) : existed_(false) {
    OpenKey key(HKEY_LOCAL_MACHINE, DirectXKey, KEY_READ | KEY_WRITE);
    char old[256] = {};
    DWORD size = sizeof old - 1;
    DWORD type = 0;
    existed_ = RegQueryValueExA(key.Get(), "Version", nullptr, &type, reinterpret_cast<BYTE*>(old),
                                &size) == ERROR_SUCCESS &&
               type == REG_SZ;
    saved_ = old;
    RegSetValueExA(key.Get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   lstrlenA(version) + 1);
}

DirectXVersionOverride::~DirectXVersionOverride() {
    OpenKey key(HKEY_LOCAL_MACHINE, DirectXKey, KEY_WRITE);
    if (existed_)
        RegSetValueExA(key.Get(), "Version", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(saved_.c_str()),
                       static_cast<DWORD>(saved_.size() + 1));
    else
        RegDeleteValueA(key.Get(), "Version");
}
