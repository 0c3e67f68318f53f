// The in-house library as its callers meet it: TString, TRegistry on the real registry, the file
// probes on real files, ReportError, and the DirectDraw driver enumeration on fake and real
// drivers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "FakeDirectDraw.h"
#include "FileStatus.h"
#include "FileVersion.h"
#include "Kept.h"
#include "ReportError.h"
#include "TDirectDrawEnum.h"
#include "TRegistry.h"
#include "TString.h"
#include "TestFiles.h"
#include "TestKey.h"

namespace {

// Text, length/capacity and sharing count of a TString.
std::string State(const TString& text) {
    return std::string(text) + " " + std::to_string(text.Length()) + "/" +
           std::to_string(text.Capacity()) + " x" + std::to_string(text.RefCount());
}

TEST(TString, CopiesShareUntilOneIsWrittenAndTheOriginalNeverChanges) {
    TString original("C:\\GAME\\moss.exe"), copy(original), assigned;
    assigned = copy;
    EXPECT_EQ("C:\\GAME\\moss.exe 16/16 x3", State(original));
    copy.SetChar(7, '\0');
    EXPECT_EQ("C:\\GAME 16/16 x1", State(copy));
    assigned.BeginWrite(0);
    TString late(assigned);
    assigned.EndWrite(2);
    EXPECT_EQ("C: 2/16 x1", State(assigned));
    // A locked text is copied, never shared, and keeps its block while the pointer is out.
    char* command = original.LockText();
    TString lockedCopy(original), other("ab");
    other = original;
    command[0] = 'D';
    for (const TString* unchanged : {&late, &lockedCopy, &other})
        EXPECT_EQ("C:\\GAME\\moss.exe 16/16 x1", State(*unchanged));
    original = other;
    EXPECT_EQ(command, original.Text());
    original.UnlockText();
    EXPECT_EQ("C:\\GAME\\moss.exe 16/16 x2", State(TString(original)));
}

TEST(TString, EmptyTextsShareOneBlockThatNothingChanges) {
    TString empty, shared("abc"), sharer(shared);
    for (const TString& text : {empty, TString(static_cast<const char*>(nullptr)), TString(""),
                                TString() + "", shared.LeftPart(0)})
        EXPECT_TRUE(text.IsSharedEmpty());
    EXPECT_EQ(" 0/0 x-1", State(empty));
    shared = "";
    EXPECT_EQ("abc 3/3 x1", State(sharer));
}

// A fresh text gets a block of exactly the estimate.
template <class... Arguments> int FormatCapacity(const char* format, Arguments... arguments) {
    TString text;
    text.Format(format, arguments...);
    return text.Capacity();
}

TEST(TString, WritesCutsSearchesAndFormats) {
    TString path;
    std::strcpy(path.BeginWrite(260), "C:\\GAME");
    path.EndWrite(-1);
    EXPECT_EQ("C:\\GAME 7/260 x1", State(path));
    EXPECT_TRUE(path.LeftPart(-3).IsSharedEmpty());
    EXPECT_EQ("C:\\ 3/3 x1", State(path.LeftPart(3)));
    EXPECT_EQ("C:\\GAME 7/7 x1", State(path.LeftPart(17)));
    EXPECT_EQ(2, path.FindLast(0x100 | '\\'));
    EXPECT_EQ(-1, path.FindLast('/'));
    path.Format("%s\\%s", "C:\\GAME", "moss.exe");
    EXPECT_EQ("C:\\GAME\\moss.exe 16/260 x1", State(path));
    EXPECT_EQ(1 + 6 + 5 + 3 + 10 + 4 + 2 + 3,
              FormatCapacity("%s%s%5.2s%.3s%*s%ls%S%hS", "", static_cast<const char*>(nullptr),
                             "abcdef", "abcdef", 10, "ab", L"wide", L"ab", "abc"));
    EXPECT_EQ(2 + 10 + 34 + 50 + 128 + 32 + 3,
              FormatCapacity("%c%10lc%#x%40.10d%f%pa%%b", 'x', L'y', 1, 2, 1.0, nullptr));
}

// Shift-JIS characters whose trail byte is 0x5C: run with code page 932 (tests/CMakeLists.txt).
TEST(ShiftJis, FindLastNeverTakesATrailByteForABackslash) {
    ASSERT_EQ(932u, GetACP());
    EXPECT_EQ(-1, TString("\x95\\\x83\\").FindLast('\\'));
    EXPECT_EQ(5, TString("C:\\\x83\\\\\x94\\").FindLast('\\'));
}

TEST(TRegistry, OpensLazilyCreatesTheKeyOnlyToWriteAndClosesIt) {
    const char* path = "Software\\HaldenTests\\Registry";
    TestKey scratch(HKEY_CURRENT_USER, path, TestKey::Emptied);
    TRegistry refused;
    EXPECT_FALSE(refused.SetKey(HKEY_CLASSES_ROOT, "HaldenTests", nullptr, "Registry"));
    EXPECT_EQ(nullptr, refused.Root());
    HKEY key;
    {
        TRegistry registry;
        ASSERT_TRUE(registry.SetKey(HKEY_CURRENT_USER, "HaldenTests", nullptr, "Registry"));
        EXPECT_EQ(7u, registry.QueryDword("Setup", 7));
        EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key));
        EXPECT_TRUE(registry.SetDword("Setup", 0x01020304));
        EXPECT_EQ(0x01020304u, registry.QueryDword("Setup", 0));
        EXPECT_EQ(TRegistry::Reading, registry.Mode());

        scratch.Store("Twenty", REG_BINARY, std::string(20, 'b'));
        TestKey child(HKEY_CURRENT_USER, (std::string(path) + "\\Child").c_str());
        child.StoreText("Leaf", "");
        EXPECT_EQ(5u, registry.QueryDword("Twenty", 5));
        char buffer[16];
        DWORD twenty = 16, missing = 16, subkeys = 9, values = 9;
        EXPECT_FALSE(registry.QueryBinary("Twenty", buffer, twenty));
        EXPECT_FALSE(registry.QueryBinary("Missing", buffer, missing));
        EXPECT_EQ(20u, twenty);
        EXPECT_EQ(0u, missing);
        EXPECT_TRUE(registry.DeleteSubkey("Child"));
        EXPECT_FALSE(registry.DeleteSubkey("Child"));
        EXPECT_TRUE(registry.Close());
        EXPECT_FALSE(registry.QueryInfo(&subkeys, &values));
        EXPECT_EQ(0u, subkeys + values);
        registry.SetDword("Install", 1);
        key = registry.Key();
    }
    DWORD flags;
    EXPECT_FALSE(GetHandleInformation(key, &flags)) << "the accessor left its key open";
}

TEST(ReportError, ReturnsZeroAndChangesNothing) {
    TString message("lost");
    EXPECT_EQ(0, ReportError(9, E_FAIL, message));
    EXPECT_EQ("lost 4/4 x1", State(message));
}

FILETIME At(LONGLONG secondsSince1970) {
    ULONGLONG ticks = (secondsSince1970 + 11644473600LL) * 10000000;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// Attributes, size, names, and the times created, modified, accessed of an entry; "0" when it
// is not found and the record was left as it was.
std::string Record(const std::string& path) {
    FileStatus s, untouched;
    std::memset(&untouched, 0xA5, sizeof untouched);
    s = untouched;
    if (!GetFileStatus(path.c_str(), s))
        return std::memcmp(&s, &untouched, sizeof s) ? "0, record changed" : "0";
    return std::to_string(s.attributes) + " " + std::to_string(s.size) + " " + s.name + " " +
           s.shortName + " " + std::to_string(s.created) + " " + std::to_string(s.modified) + " " +
           std::to_string(s.accessed);
}

// A copy of a DLL without version information, given a version resource whose root block is the
// first rootLength bytes of root.
std::string VersionedCopy(const std::string& folder, const VS_FIXEDFILEINFO& root,
                          WORD rootLength) {
    std::string path = folder + "\\v" + std::to_string(rootLength) + ".dll";
    CopyFileA((BinaryFolder() + "\\DSETUP.dll").c_str(), path.c_str(), FALSE);
    struct {
        WORD length, rootLength, type;
        wchar_t key[17]; // "VS_VERSION_INFO", its NUL and the padding to 32 bits
        VS_FIXEDFILEINFO root;
    } resource = {static_cast<WORD>(40 + rootLength), rootLength, 0, L"VS_VERSION_INFO", root};
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    UpdateResourceA(update, RT_VERSION, MAKEINTRESOURCEA(1), 0, &resource, 40 + rootLength);
    EndUpdateResourceA(update, FALSE);
    return path;
}

// In a folder on tmpfs, which keeps a time before 1900. Wine gives the write time as creation
// time.
TEST(FileProbes, StatusAndVersionOfFilesFoldersAndMissingPaths) {
    std::string folder = "Z:\\dev\\shm\\lib-test-" + std::to_string(GetCurrentProcessId());
    std::string path = folder + "\\a long name.text";
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteTextFile(path, "12345");
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME times[] = {At(-3786724494), At(981173106), At(1015214706), At(2158977906)};
    EXPECT_TRUE(SetFileTime(file, nullptr, &times[0], &times[1]));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ("35 5 a long name.text A_LO~JK0.TEX 981173106 981173106 981173106", Record(path));
    // In 2038 a time no longer fits a signed 32-bit count of seconds: -1.
    EXPECT_TRUE(SetFileTime(file, nullptr, &times[2], &times[3]));
    CloseHandle(file);
    EXPECT_EQ("35 5 a long name.text A_LO~JK0.TEX -1 -1 1015214706", Record(path));
    EXPECT_EQ("16 0 ", Record(folder).substr(0, 5));
    EXPECT_EQ("0", Record(folder + "\\missing\\moss.exe"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    const VS_FIXEDFILEINFO root = {VS_FFI_SIGNATURE, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    VS_FIXEDFILEINFO filled, info;
    std::memset(&filled, 0x5A, sizeof filled);
    info = filled;
    EXPECT_EQ(0, GetFileVersion((BinaryFolder() + "\\DSETUP.dll").c_str(), info));
    EXPECT_EQ(0, std::memcmp(&filled, &info, sizeof info));
    EXPECT_EQ(1, GetFileVersion(VersionedCopy(folder, root, sizeof root).c_str(), info));
    EXPECT_EQ(0, std::memcmp(&root, &info, sizeof info));
    // A root block shorter than the structure fills only its own bytes.
    info = filled;
    EXPECT_EQ(1, GetFileVersion(VersionedCopy(folder, root, 20).c_str(), info));
    EXPECT_EQ(0, std::memcmp(&root, &info, 20));
    EXPECT_EQ(0, std::memcmp(&filled.dwProductVersionLS, &info.dwProductVersionLS, 32));
    RemoveTree(folder);
}

std::string Reports;

// Enumerates fake drivers twice, and tells of the second run: anything listed beyond the driver
// count, window-capable, accelerated and has-caps of each driver (and an unterminated
// description), the reports made, and any interface left held.
std::string Enumerated(std::vector<FakeDriver>& drivers) {
    FakeDirectDrawMachine machine(drivers);
    TDirectDrawEnum enumerator;
    enumerator.Enumerate();
    Reports.clear();
    std::string listed = enumerator.Enumerate() == DD_OK ? "" : "failed";
    LONG count = enumerator.GetDriverCount();
    if (enumerator.GetDescription(count) || !IsEqualGUID(GUID{}, enumerator.GetDeviceGuid(count)))
        listed += " beyond";
    for (LONG i = 0; i < count; ++i) {
        listed += " " + std::to_string(enumerator.IsWindowCapable(i)) +
                  std::to_string(enumerator.IsAccelerated(i)) +
                  std::to_string(enumerator.HasCaps(i));
        if (strnlen(enumerator.GetDescription(i), MAX_DDDEVICEID_STRING) == MAX_DDDEVICEID_STRING)
            listed += " unterminated";
    }
    return listed + Reports + (machine.AllReleased() ? "" : " held");
}

// The second of three drivers is the one of the case. 640 x 480 at 16 bits is a primary surface
// of 614,400 bytes. The fake's emulation layer can do everything, its hardware what the case says.
TEST(DirectDrawEnum, ClassifiesByHardwareAndEndsTheListWhereACallFails) {
    Kept<decltype(ReportErrorWatcher)> watcher(ReportErrorWatcher);
    ReportErrorWatcher = [](DWORD source, HRESULT code, const char* message) {
        Reports +=
            " report " + std::to_string(source) + " " + std::to_string(code) + " [" + message + "]";
    };
    const std::pair<void (*)(FakeDriver&), const char*> cases[] = {
        {[](FakeDriver& d) { d.caps2 = 0; }, " 111 011 111"},
        {[](FakeDriver& d) { d.caps = 0; }, " 111 101 111"},
        {[](FakeDriver& d) { d.surfaceCaps = 0; }, " 111 101 111"},
        {[](FakeDriver& d) { d.textureMemoryFree = 0x316000 - 1; }, " 111 011 111"},
        {[](FakeDriver& d) { d.textureMemoryFree = 0x316000; }, " 111 111 111"},
        {[](FakeDriver& d) { d.videoMemoryFree = 0x3B0000 - 614400 - 1; }, " 111 101 111"},
        {[](FakeDriver& d) { d.videoMemoryFree = 0x3B0000 - 614400; }, " 111 111 111"},
        {[](FakeDriver& d) { d.failing = FakeCall::Create; }, " 111"},
        // The fake answers E_NOINTERFACE.
        {[](FakeDriver& d) { d.failing = FakeCall::QueryInterface; },
         " 111 report 1 -2147467262 []"},
        {[](FakeDriver& d) { d.failing = FakeCall::GetCaps; }, " 111 000"},
        {[](FakeDriver& d) { d.failing = FakeCall::GetDeviceIdentifier; }, " 111 111 111"},
    };
    for (const auto& c : cases) {
        std::vector<FakeDriver> drivers(3);
        c.first(drivers[1]);
        EXPECT_EQ(c.second, Enumerated(drivers)) << "case " << &c - cases;
        EXPECT_EQ(0u, drivers[0].identifierFlags);
    }
}

HRESULT WINAPI NoDirectDraw(LPDDENUMCALLBACKA, LPVOID) {
    return DDERR_NODIRECTDRAWSUPPORT;
}

TEST(DirectDrawEnum, AFailedEnumerationGivesItsResult) {
    Kept<DirectDrawCallTable> calls(DirectDrawCalls);
    DirectDrawCalls.DirectDrawEnumerateA = NoDirectDraw;
    EXPECT_EQ(DDERR_NODIRECTDRAWSUPPORT, TDirectDrawEnum().Enumerate());
}

// Wine's own DirectDraw (one driver on this display) fills the DirectX 6 records as this build
// lays them out.
TEST(DirectDrawEnum, WineHasOnePrimaryDriverWithCapsAndAnIdentifier) {
    TDirectDrawEnum enumerator;
    EXPECT_EQ(DD_OK, enumerator.Enumerate());
    ASSERT_EQ(1, enumerator.GetDriverCount());
    EXPECT_EQ(1, enumerator.HasCaps(0));
    size_t length = strnlen(enumerator.GetDescription(0), MAX_DDDEVICEID_STRING);
    EXPECT_TRUE(length > 0 && length < MAX_DDDEVICEID_STRING) << length;
    EXPECT_FALSE(IsEqualGUID(GUID{}, enumerator.GetDeviceGuid(0)));
}

} // namespace
