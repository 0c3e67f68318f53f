// SavedRegistryKey and single-value helpers over the plain registry API.
#include "TestRegistry.h"

#include <algorithm>
#include <cstring>

namespace {

class OpenKey {
  public:
    OpenKey(HKEY root, const char* path, REGSAM access, bool create = false) {
        LONG status =
            create ? RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &key_, nullptr)
                   : RegOpenKeyExA(root, path, 0, access, &key_);
        if (status != ERROR_SUCCESS)
            key_ = nullptr;
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

bool SetValue(HKEY root, const char* path, const char* name, DWORD type, const void* data,
              DWORD size) {
    OpenKey key(root, path, KEY_SET_VALUE, true);
    return key.Get() && RegSetValueExA(key.Get(), name, 0, type, static_cast<const BYTE*>(data),
                                       size) == ERROR_SUCCESS;
}

bool ReadValue(HKEY root, const char* path, const char* name, DWORD wantedType,
               std::vector<BYTE>& data) {
    OpenKey key(root, path, KEY_QUERY_VALUE);
    DWORD type = 0;
    DWORD size = 0;
    if (!key.Get() || RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size) ||
        type != wantedType)
        return false;
    data.assign(size, 0);
    if (RegQueryValueExA(key.Get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

} // namespace

SavedRegistryKey::SavedRegistryKey(HKEY root, const char* path) : root_(root), path_(path) {
    OpenKey key(root, path, KEY_QUERY_VALUE);
    existed_ = key.Get() != nullptr;
    for (DWORD index = 0; existed_; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueA(key.Get(), index, name, &nameLength, nullptr, &type, nullptr, &size))
            break;
        Value value{name, type, std::vector<BYTE>(size)};
        RegQueryValueExA(key.Get(), name, nullptr, &type, value.data.data(), &size);
        values_.push_back(value);
    }
}

SavedRegistryKey::~SavedRegistryKey() {
    if (!existed_) {
        DeleteRegistryKey(root_, path_.c_str());
        return;
    }
    OpenKey key(root_, path_.c_str(), KEY_ALL_ACCESS, true);
    if (!key.Get())
        return;
    std::vector<std::string> added;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        if (RegEnumValueA(key.Get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr))
            break;
        if (std::none_of(values_.begin(), values_.end(),
                         [&](const Value& value) { return value.name == name; }))
            added.push_back(name);
    }
    for (const std::string& name : added)
        RegDeleteValueA(key.Get(), name.c_str());
    for (const Value& value : values_)
        RegSetValueExA(key.Get(), value.name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
}

bool SetRegistryString(HKEY root, const char* path, const char* name, const char* text) {
    return SetValue(root, path, name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

bool SetRegistryDword(HKEY root, const char* path, const char* name, DWORD value) {
    return SetValue(root, path, name, REG_DWORD, &value, sizeof value);
}

void DeleteRegistryValue(HKEY root, const char* path, const char* name) {
    OpenKey key(root, path, KEY_SET_VALUE);
    if (key.Get())
        RegDeleteValueA(key.Get(), name);
}

void DeleteRegistryKey(HKEY root, const char* path) {
    RegDeleteKeyA(root, path);
}

bool ReadRegistryString(HKEY root, const char* path, const char* name, std::string& text) {
    std::vector<BYTE> data;
    if (!ReadValue(root, path, name, REG_SZ, data))
        return false;
    text.assign(data.begin(), data.end());
    text.resize(std::find(text.begin(), text.end(), '\0') - text.begin());
    return true;
}

bool ReadRegistryDword(HKEY root, const char* path, const char* name, DWORD& value) {
    std::vector<BYTE> data;
    if (!ReadValue(root, path, name, REG_DWORD, data) || data.size() != sizeof value)
        return false;
    std::memcpy(&value, data.data(), sizeof value);
    return true;
}

bool ReadRegistryBinary(HKEY root, const char* path, const char* name, std::vector<BYTE>& data) {
    return ReadValue(root, path, name, REG_BINARY, data);
}
