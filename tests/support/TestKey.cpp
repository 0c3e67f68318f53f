// TestKey over the plain registry API; every key handle is closed where it was opened.
#include "TestKey.h"

#include <gtest/gtest.h>

namespace {

class OpenKey {
  public:
    OpenKey(HKEY root, const std::string& path, bool create = false) {
        LONG status = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key_, nullptr)
                             : RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key_);
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

void DeleteTree(HKEY root, const std::string& path) {
    char child[256];
    for (;;) {
        OpenKey key(root, path);
        if (!key.Get() || RegEnumKeyA(key.Get(), 0, child, sizeof child) != ERROR_SUCCESS)
            break;
        DeleteTree(root, path + "\\" + child);
    }
    RegDeleteKeyA(root, path.c_str());
}

} // namespace

TestKey::TestKey(HKEY root, const char* path, Start start) : root_(root), path_(path) {
    for (std::string part = path_; !OpenKey(root_, part).Get();) {
        topCreated_ = part;
        size_t cut = part.rfind('\\');
        if (cut == std::string::npos)
            break;
        part.erase(cut);
    }
    OpenKey key(root_, path_);
    char name[16384];
    for (DWORD index = 0, length = sizeof name;
         key.Get() && RegEnumValueA(key.Get(), index, name, &length, nullptr, nullptr, nullptr,
                                    nullptr) == ERROR_SUCCESS;
         ++index, length = sizeof name)
        saved_.emplace_back(name, Read(name));
    if (start == Emptied)
        Empty();
}

TestKey::~TestKey() {
    if (!topCreated_.empty()) {
        DeleteTree(root_, topCreated_);
        return;
    }
    OpenKey key(root_, path_, true);
    char name[16384];
    for (DWORD length = sizeof name; RegEnumValueA(key.Get(), 0, name, &length, nullptr, nullptr,
                                                   nullptr, nullptr) == ERROR_SUCCESS;
         length = sizeof name)
        RegDeleteValueA(key.Get(), name);
    for (const auto& value : saved_)
        Store(value.first.c_str(), value.second.type, value.second.bytes);
}

void TestKey::Empty() const {
    DeleteTree(root_, path_);
    EXPECT_FALSE(Exists()) << path_;
}

bool TestKey::Exists() const {
    return OpenKey(root_, path_).Get() != nullptr;
}

void TestKey::Store(const char* name, DWORD type, const std::string& bytes) const {
    OpenKey key(root_, path_, true);
    ASSERT_NE(nullptr, key.Get()) << path_;
    // The byte after the data must not be a NUL, or the system would store a NUL the caller left
    // out of bytes: store from a copy with a guard byte.
    std::string guarded = bytes + 'X';
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key.Get(), name, 0, type,
                                            reinterpret_cast<const BYTE*>(guarded.data()),
                                            static_cast<DWORD>(bytes.size())));
}

void TestKey::StoreDword(const char* name, DWORD value) const {
    Store(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void TestKey::StoreText(const char* name, const std::string& text) const {
    Store(name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

StoredValue TestKey::Read(const char* name) const {
    StoredValue value;
    OpenKey key(root_, path_);
    DWORD size = 0;
    if (!key.Get() ||
        RegQueryValueExA(key.Get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.bytes.resize(size);
    value.found =
        RegQueryValueExA(key.Get(), name, nullptr, &value.type,
                         reinterpret_cast<BYTE*>(&value.bytes[0]), &size) == ERROR_SUCCESS;
    value.bytes.resize(size);
    return value;
}
