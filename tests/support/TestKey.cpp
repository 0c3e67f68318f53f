// TestKey over the plain registry API; every key handle is closed where it was opened.
#include "TestKey.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

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

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    char name[16384];
    for (DWORD index = 0, length = sizeof name;
         RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
         ++index, length = sizeof name)
        names.push_back(name);
    return names;
}

bool DeleteKeyTree(HKEY root, const std::string& path) {
    std::vector<std::string> children;
    {
        OpenKey key(root, path);
        char name[256];
        for (DWORD index = 0, length = sizeof name;
             key.Get() && RegEnumKeyExA(key.Get(), index, name, &length, nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS;
             ++index, length = sizeof name)
            children.push_back(name);
    }
    for (const std::string& child : children)
        DeleteKeyTree(root, path + "\\" + child);
    RegDeleteKeyA(root, path.c_str());
    return !OpenKey(root, path).Get();
}

} // namespace

DWORD StoredValue::Number() const {
    DWORD value = 0xDEADBEEF;
    if (found && type == REG_DWORD && bytes.size() == sizeof value)
        std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

std::string StoredValue::Text() const {
    if (!found || type != REG_SZ)
        return "(missing)";
    return bytes.substr(0, bytes.find('\0'));
}

TestKey::TestKey(HKEY root, const char* path, Start start)
    : root_(root), path_(path), existed_(Exists()) {
    if (existed_) {
        OpenKey key(root_, path_);
        for (const std::string& name : ValueNames(key.Get()))
            saved_.emplace_back(name, Read(name.c_str()));
    }
    for (size_t cut = path_.rfind('\\'); !existed_ && cut != std::string::npos && cut > 0;
         cut = path_.rfind('\\', cut - 1)) {
        std::string parent = path_.substr(0, cut);
        if (OpenKey(root_, parent).Get())
            break;
        missingParents_.push_back(parent);
    }
    if (start == Emptied)
        Empty();
}

TestKey::~TestKey() {
    if (!existed_) {
        EXPECT_TRUE(DeleteKeyTree(root_, path_)) << path_;
        // Parents stay when something else was put below them meanwhile.
        for (const std::string& parent : missingParents_)
            RegDeleteKeyA(root_, parent.c_str());
        return;
    }
    OpenKey key(root_, path_, true);
    for (const std::string& name : ValueNames(key.Get()))
        RegDeleteValueA(key.Get(), name.c_str());
    for (const auto& value : saved_)
        Store(value.first.c_str(), value.second.type, value.second.bytes);
}

bool TestKey::Exists() const {
    return OpenKey(root_, path_).Get() != nullptr;
}

void TestKey::Empty() const {
    EXPECT_TRUE(DeleteKeyTree(root_, path_)) << path_;
}

void TestKey::Store(const char* name, DWORD type, const std::string& bytes) const {
    OpenKey key(root_, path_, true);
    ASSERT_NE(nullptr, key.Get()) << path_;
    // One byte past the data must not be a NUL, or the system would count a NUL the caller
    // left out of bytes; std::string holds one there, so store from a copy with a guard byte.
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

void TestKey::Delete(const char* name) const {
    OpenKey key(root_, path_);
    if (key.Get())
        RegDeleteValueA(key.Get(), name);
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

DWORD TestKey::CountValues() const {
    OpenKey key(root_, path_);
    DWORD values = 0;
    if (key.Get())
        RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr);
    return values;
}

std::string TestKey::Snapshot() const {
    OpenKey key(root_, path_);
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
