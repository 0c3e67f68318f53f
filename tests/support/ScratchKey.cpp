// A throw-away registry key for tests.
#include "ScratchKey.h"

#include <gtest/gtest.h>

namespace {

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace

bool DeleteKeyTree(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[256];
        DWORD length = sizeof name;
        std::vector<std::string> children;
        for (DWORD index = 0; RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr,
                                            nullptr) == ERROR_SUCCESS;
             ++index, length = sizeof name)
            children.push_back(name);
        RegCloseKey(key);
        for (const std::string& child : children)
            DeleteKeyTree(root, path + "\\" + child);
        RegDeleteKeyA(root, path.c_str());
    }
    return !KeyExists(root, path);
}

ScratchKey::ScratchKey(HKEY root, const char* path) : root_(root), path_(path) {
    EXPECT_TRUE(DeleteKeyTree(root_, path_)) << path_;
    for (size_t cut = path_.rfind('\\'); cut != std::string::npos && cut > 0;
         cut = path_.rfind('\\', cut - 1)) {
        std::string parent = path_.substr(0, cut);
        if (KeyExists(root_, parent))
            break;
        missingParents_.push_back(parent);
    }
}

ScratchKey::~ScratchKey() {
    EXPECT_TRUE(DeleteKeyTree(root_, path_)) << path_;
    // Parents stay when something else was put below them meanwhile.
    for (const std::string& parent : missingParents_)
        RegDeleteKeyA(root_, parent.c_str());
}

bool ScratchKey::Exists() const {
    return KeyExists(root_, path_);
}

void ScratchKey::Store(const char* name, DWORD type, const std::string& bytes) const {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    // One byte past the data must not be a NUL, or the system would count a NUL the caller
    // left out of bytes; std::string holds one there, so store from a copy with a guard byte.
    std::string guarded = bytes + 'X';
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(guarded.data()),
                             static_cast<DWORD>(bytes.size())));
    RegCloseKey(key);
}

void ScratchKey::StoreDword(const char* name, DWORD value) const {
    Store(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void ScratchKey::StoreText(const char* name, const std::string& text) const {
    Store(name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

StoredValue ScratchKey::Read(const char* name) const {
    StoredValue value = {false, REG_NONE, {}};
    HKEY key;
    if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.found =
            RegQueryValueExA(key, name, nullptr, &value.type,
                             reinterpret_cast<BYTE*>(&value.bytes[0]), &size) == ERROR_SUCCESS;
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    return value;
}

DWORD ScratchKey::CountValues() const {
    HKEY key;
    DWORD values = 0;
    if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return values;
}
