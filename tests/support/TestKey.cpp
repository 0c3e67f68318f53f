// TestKey over the plain registry API; every key handle is closed where it was opened. The tree
// calls of later systems are declared here: the tests run only under Wine.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "TestKey.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace {

// A key opened (or created) with full access, closed when it goes; null when it cannot be.
struct OpenKey : std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)> {
    OpenKey(HKEY root, const std::string& path, bool create = false)
        : unique_ptr(nullptr, RegCloseKey) {
        HKEY key = nullptr;
        if ((create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                      &key, nullptr)
                    : RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key)) == ERROR_SUCCESS)
            reset(key);
    }
};

// Copies root\from with everything below it to root\to (created).
void CopyTree(HKEY fromRoot, const std::string& from, HKEY toRoot, const std::string& to) {
    OpenKey target(toRoot, to, true);
    EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeA(fromRoot, from.c_str(), target.get())) << from;
}

} // namespace

TestKey::TestKey(HKEY root, const char* path, Start start) : root_(root), path_(path) {
    static int count;
    if (OpenKey(root_, path_).get()) {
        backup_ = "Software\\LauncherTestBackup\\" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(++count);
        CopyTree(root_, path_, HKEY_CURRENT_USER, backup_);
    }
    for (std::string part = path_; !OpenKey(root_, part).get();) {
        topCreated_ = part;
        size_t cut = part.rfind('\\');
        if (cut == std::string::npos)
            break;
        part.erase(cut);
    }
    if (start == Emptied)
        Empty();
}

TestKey::~TestKey() {
    Empty();
    if (!topCreated_.empty())
        RegDeleteTreeA(root_, topCreated_.c_str());
    if (backup_.empty())
        return;
    CopyTree(HKEY_CURRENT_USER, backup_, root_, path_);
    RegDeleteTreeA(HKEY_CURRENT_USER, backup_.c_str());
}

void TestKey::Empty() const {
    RegDeleteTreeA(root_, path_.c_str());
    RegDeleteKeyA(root_, path_.c_str());
    EXPECT_EQ(nullptr, OpenKey(root_, path_).get()) << path_;
}

void TestKey::Store(const char* name, DWORD type, const std::string& bytes) const {
    OpenKey key(root_, path_, true);
    ASSERT_NE(nullptr, key.get()) << path_;
    // The byte after the data must not be a NUL, or the system would store a NUL the caller left
    // out of bytes: store from a copy with a guard byte.
    std::string guarded = bytes + 'X';
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key.get(), name, 0, type,
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
    if (!key.get() ||
        RegQueryValueExA(key.get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.bytes.resize(size);
    value.found =
        RegQueryValueExA(key.get(), name, nullptr, &value.type,
                         reinterpret_cast<BYTE*>(&value.bytes[0]), &size) == ERROR_SUCCESS;
    value.bytes.resize(size);
    return value;
}
