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
    std::string text;
    char name[16384];
    BYTE data[65536];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key.Get(), i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        char head[64];
        std::snprintf(head, sizeof head, "\" type %lu:", type);
        text += "value \"" + std::string(name, nameSize) + head;
        for (DWORD b = 0; b < dataSize; ++b) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02X", data[b]);
            text += hex;
        }
        text += "\n";
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key.Get(), i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        text += "key \"" + std::string(name, nameSize) + "\"\n";
    }
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
