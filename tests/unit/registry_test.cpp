// TRegistry against the real registry: lazy opening, the mode switches, defaults, and reads
// that never leave a buffer unterminated.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ImportPatch.h"
#include "TestKey.h"
#include "TRegistry.h"

namespace {

const char* const TestPath = "Software\\HaldenTests\\Registry";

// The key opens, creates, flushes and closes made by the program while the log lives.
class RegistryCallLog {
  public:
    RegistryCallLog()
        : open_("advapi32.dll", "RegOpenKeyExA", reinterpret_cast<void*>(&OpenKey)),
          create_("advapi32.dll", "RegCreateKeyExA", reinterpret_cast<void*>(&CreateKey)),
          flush_("advapi32.dll", "RegFlushKey", reinterpret_cast<void*>(&FlushKey)),
          close_("advapi32.dll", "RegCloseKey", reinterpret_cast<void*>(&CloseKey)) {
        EXPECT_TRUE(open_.Installed() && create_.Installed() && flush_.Installed() &&
                    close_.Installed());
        active = this;
    }
    ~RegistryCallLog() { active = nullptr; }

    std::vector<std::string> calls;

  private:
    static RegistryCallLog* active;

    static void Note(const std::string& call) { active->calls.push_back(call); }
    static std::string Access(REGSAM access) {
        return access == KEY_ALL_ACCESS ? " full" : " limited";
    }
    static LONG WINAPI OpenKey(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
        Note("open" + Access(access));
        return reinterpret_cast<decltype(&RegOpenKeyExA)>(active->open_.Original())(
            root, path, options, access, key);
    }
    static LONG WINAPI CreateKey(HKEY root, LPCSTR path, DWORD reserved, LPSTR keyClass,
                                 DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                                 PHKEY key, LPDWORD disposition) {
        Note("create" + Access(access));
        return reinterpret_cast<decltype(&RegCreateKeyExA)>(active->create_.Original())(
            root, path, reserved, keyClass, options, access, security, key, disposition);
    }
    static LONG WINAPI FlushKey(HKEY key) {
        Note("flush");
        return reinterpret_cast<decltype(&RegFlushKey)>(active->flush_.Original())(key);
    }
    static LONG WINAPI CloseKey(HKEY key) {
        Note("close");
        return reinterpret_cast<decltype(&RegCloseKey)>(active->close_.Original())(key);
    }

    ImportPatch open_, create_, flush_, close_;
};

RegistryCallLog* RegistryCallLog::active;

using Calls = std::vector<std::string>;

// A buffer whose last byte is the last readable byte of its page: reading past it faults.
class GuardedBuffer {
  public:
    explicit GuardedBuffer(DWORD size) : size_(size) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        page_ = system.dwPageSize;
        base_ = static_cast<char*>(
            VirtualAlloc(nullptr, 2 * page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + page_, page_, PAGE_NOACCESS, &old);
        Fill('Q');
    }
    ~GuardedBuffer() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    char* Data() const { return base_ + page_ - size_; }
    DWORD Size() const { return size_; }
    void Fill(char c) const { std::memset(Data(), c, size_); }

  private:
    DWORD size_;
    DWORD page_;
    char* base_;
};

class RegistryTest : public testing::Test {
  protected:
    RegistryTest() { registry.SetKey(HKEY_CURRENT_USER, "HaldenTests", nullptr, "Registry"); }

    TestKey scratch{HKEY_CURRENT_USER, TestPath, TestKey::Emptied};
    TRegistry registry;
};

TEST_F(RegistryTest, AMissingKeyReadsDefaultsWithFullAccessAndIsNotCreated) {
    RegistryCallLog log;
    EXPECT_EQ(7u, registry.QueryDword("Setup", 7));
    char text[16] = "";
    EXPECT_STREQ("none", registry.QueryString("Save Path", text, sizeof text, "none"));
    DWORD size = 16;
    EXPECT_FALSE(registry.QueryBinary("Device ID", text, size));
    EXPECT_EQ(0u, size);
    EXPECT_EQ(0u, registry.Mode());
    EXPECT_EQ(nullptr, registry.Key());
    EXPECT_EQ(Calls(3, "open full"), log.calls);
    EXPECT_FALSE(scratch.Exists());
}

TEST_F(RegistryTest, TheFirstWriteCreatesTheKeyLaterWritesReuseItAndDestructionFlushes) {
    RegistryCallLog log;
    {
        TRegistry writer;
        writer.SetKey(HKEY_CURRENT_USER, "HaldenTests", nullptr, "Registry");
        ASSERT_TRUE(writer.SetDword("Setup", 1));
        EXPECT_EQ((Calls{"open full", "create full"}), log.calls);
        EXPECT_EQ(2u, writer.Mode());
        HKEY opened = writer.Key();
        EXPECT_TRUE(writer.SetString("Execute", "moss.exe"));
        EXPECT_TRUE(writer.SetBinary("Device ID", "\x01\x00\x02", 3));
        EXPECT_EQ(opened, writer.Key());
        EXPECT_EQ(2u, log.calls.size());
    }
    EXPECT_EQ((Calls{"open full", "create full", "flush", "close"}), log.calls);

    StoredValue setup = scratch.Read("Setup");
    EXPECT_EQ(REG_DWORD, setup.type);
    EXPECT_EQ(std::string("\x01\0\0\0", 4), setup.bytes);
    StoredValue execute = scratch.Read("Execute");
    EXPECT_EQ(REG_SZ, execute.type);
    EXPECT_EQ(std::string("moss.exe", 9), execute.bytes); // with its NUL
    StoredValue id = scratch.Read("Device ID");
    EXPECT_EQ(REG_BINARY, id.type);
    EXPECT_EQ(std::string("\x01\x00\x02", 3), id.bytes);
}

TEST_F(RegistryTest, AReadAfterAWriteFlushesAndReopensTheKeyForReading) {
    scratch.StoreDword("Install", 3);
    RegistryCallLog log;
    ASSERT_TRUE(registry.SetDword("Setup", 5));
    EXPECT_EQ(Calls{"open full"}, log.calls); // the key exists: opened, not created
    EXPECT_EQ(5u, registry.QueryDword("Setup", 0));
    EXPECT_EQ(1u, registry.Mode());
    EXPECT_EQ((Calls{"open full", "flush", "close", "open full"}), log.calls);
    EXPECT_EQ(3u, registry.QueryDword("Install", 0));
    EXPECT_EQ(4u, log.calls.size());

    EXPECT_FALSE(registry.Open(7)); // no such mode
    EXPECT_EQ(1u, registry.Mode());
    EXPECT_TRUE(registry.Close());
    EXPECT_EQ(0u, registry.Mode());
    EXPECT_EQ(nullptr, registry.Key());
    EXPECT_EQ("close", log.calls.back()); // a key only read is not flushed
    EXPECT_TRUE(registry.Close());
    EXPECT_EQ(5u, log.calls.size());
}

TEST_F(RegistryTest, QueryDwordZeroExtendsShortDataAndDefaultsLongData) {
    struct {
        DWORD type;
        std::string bytes;
        DWORD expected;
    } const cases[] = {
        {REG_DWORD, std::string("\x78\x56\x34\x12", 4), 0x12345678},
        {REG_DWORD, "\x07\x01", 0x107},
        {REG_DWORD, "", 0},
        {REG_DWORD, std::string(8, '\x01'), 99},
        {REG_BINARY, "\x02", 2},                  // the stored type is not checked
        {REG_SZ, std::string("\x31\0", 2), 0x31}, // neither for a text
    };
    for (const auto& c : cases) {
        scratch.Store("Value", c.type, c.bytes);
        EXPECT_EQ(c.expected, registry.QueryDword("Value", 99)) << c.bytes.size() << " bytes";
    }
}

TEST_F(RegistryTest, QueryStringEndsEveryTextInsideTheBuffer) {
    struct {
        DWORD type;
        std::string bytes;
        DWORD room;
        const char* defaultText;
        std::string expected;
    } const cases[] = {
        {REG_SZ, std::string("abcdefg\0", 8), 8, "x", "abcdefg"},
        {REG_SZ, "abcdefgh", 8, "x", "x"},           // no NUL, exactly as long as the buffer
        {REG_SZ, "abcdefgh", 8, nullptr, "abcdefg"}, // no default: cut to the buffer
        {REG_SZ, "abc", 8, "x", "abc"},
        {REG_BINARY, "abcd", 8, "x", "abcd"},
        {REG_DWORD, "\x41\x42\x43\x44", 4, "x", "x"},
        {REG_SZ, std::string(299, 'p') + '\0', 260, "default", "default"},
        {REG_SZ, std::string(299, 'p') + '\0', 300, "x", std::string(299, 'p')},
        {REG_SZ, "abc", 2, "a long default", "a"}, // a default too long is cut
    };
    for (const auto& c : cases) {
        scratch.Store("Text", c.type, c.bytes);
        GuardedBuffer buffer(c.room);
        char* text = registry.QueryString("Text", buffer.Data(), c.room, c.defaultText);
        EXPECT_EQ(buffer.Data(), text);
        EXPECT_EQ(c.expected, text) << c.bytes.substr(0, 16); // faults when unterminated
    }
    GuardedBuffer missing(4);
    missing.Fill('Q');
    EXPECT_EQ("QQQ", std::string(registry.QueryString("Missing", missing.Data(), 4, nullptr)));
}

TEST_F(RegistryTest, QueryBinaryReportsTheStoredSize) {
    scratch.Store("Sixteen", REG_BINARY, std::string(16, '\x16'));
    scratch.Store("Twenty", REG_BINARY, std::string(20, '\x20'));
    char buffer[16] = {};
    DWORD size = 16;
    EXPECT_TRUE(registry.QueryBinary("Sixteen", buffer, size));
    EXPECT_EQ(16u, size);
    EXPECT_EQ(std::string(16, '\x16'), std::string(buffer, 16));
    size = 16;
    EXPECT_FALSE(registry.QueryBinary("Missing", buffer, size));
    EXPECT_EQ(0u, size);
    size = 16;
    EXPECT_FALSE(registry.QueryBinary("Twenty", buffer, size));
    EXPECT_EQ(20u, size);
    size = 0;
    EXPECT_TRUE(registry.QueryBinary("Twenty", nullptr, size));
    EXPECT_EQ(20u, size);
}

TEST_F(RegistryTest, QueryBinaryAllocHandsOverACopyOfTheStoredBytes) {
    const std::string stored("\x00\x01\x02\x03\xFF\x00", 6);
    scratch.Store("Blob", REG_BINARY, stored);
    DWORD size = 0;
    void* block = registry.QueryBinaryAlloc("Blob", size);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(stored.size(), size);
    EXPECT_EQ(stored, std::string(static_cast<char*>(block), size));
    std::free(block);
    EXPECT_EQ(nullptr, registry.QueryBinaryAlloc("Missing", size));
    EXPECT_EQ(0u, size);
}

TEST(RegistryKey, SetKeyBuildsThePathBelowEitherRootAndRefusesOthers) {
    TRegistry registry;
    EXPECT_TRUE(registry.SetKey(HKEY_LOCAL_MACHINE, "HALDEN", "MOSSHARBOR TRIAL", nullptr));
    EXPECT_STREQ("SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", registry.Path());
    EXPECT_EQ(HKEY_LOCAL_MACHINE, registry.Root());
    EXPECT_TRUE(registry.SetKey(HKEY_CURRENT_USER, "HALDEN", nullptr, "Options"));
    EXPECT_STREQ("Software\\HALDEN\\Options", registry.Path());
    EXPECT_EQ(HKEY_CURRENT_USER, registry.Root());
    EXPECT_TRUE(registry.SetKey(HKEY_CURRENT_USER, nullptr, nullptr, nullptr));
    EXPECT_STREQ("Software", registry.Path());

    EXPECT_FALSE(registry.SetKey(HKEY_CLASSES_ROOT, "HALDEN", "MOSSHARBOR TRIAL", nullptr));
    EXPECT_STREQ("Software", registry.Path());
    EXPECT_EQ(HKEY_CURRENT_USER, registry.Root());

    EXPECT_TRUE(registry.SetPath(HKEY_USERS, nullptr));
    EXPECT_STREQ("", registry.Path());
    EXPECT_EQ(HKEY_USERS, registry.Root());
    EXPECT_EQ(0u, registry.Mode());
}

TEST_F(RegistryTest, QueryInfoCountsOnlyWhileTheKeyIsOpen) {
    DWORD subkeys = 99, values = 99;
    EXPECT_FALSE(registry.QueryInfo(&subkeys, &values));
    EXPECT_EQ(0u, subkeys);
    EXPECT_EQ(0u, values);

    scratch.StoreDword("Setup", 1);
    scratch.StoreDword("Install", 1);
    TestKey child(HKEY_CURRENT_USER, "Software\\HaldenTests\\Registry\\Child");
    child.StoreDword("Inner", 1);
    registry.QueryDword("Setup", 0);
    EXPECT_TRUE(registry.QueryInfo(&subkeys, &values));
    EXPECT_EQ(1u, subkeys);
    EXPECT_EQ(2u, values);
    EXPECT_TRUE(registry.QueryInfo(nullptr, nullptr));

    EXPECT_TRUE(registry.DeleteSubkey("Child"));
    EXPECT_FALSE(child.Exists());
    EXPECT_FALSE(registry.DeleteSubkey("Child"));
    EXPECT_FALSE(registry.DeleteSubkey("")); // never the open key itself
    EXPECT_TRUE(scratch.Exists());

    registry.Close();
    values = 99;
    EXPECT_FALSE(registry.QueryInfo(nullptr, &values));
    EXPECT_EQ(0u, values);
}

} // namespace
