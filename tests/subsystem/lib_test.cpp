// The in-house library as its callers meet it: TString, TRegistry on the real registry, the file
// probes on real files, and the DirectDraw driver enumeration, with its error report, on fake
// and real drivers.
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
    EXPECT_EQ("C:\\GAME\\moss.exe 16/16 x2|C:\\GAME 16/16 x1", State(original) + "|" + State(copy));
    assigned.BeginWrite(0);
    TString late(assigned);
    assigned.EndWrite(2);
    EXPECT_EQ("C:\\GAME\\moss.exe 16/16 x1|C: 2/16 x1", State(original) + "|" + State(assigned));
    // A locked text is copied, never shared: what is written through the pointer stays its own.
    char* command = original.LockText();
    TString lockedCopy(original);
    command[0] = 'D';
    for (const TString* unchanged : {&late, &lockedCopy})
        EXPECT_EQ("C:\\GAME\\moss.exe 16/16 x1", State(*unchanged));
    original.UnlockText();
    EXPECT_EQ("D:\\GAME\\moss.exe 16/16 x2", State(TString(original)));
}

TEST(TString, WritesCutsSearchesAndFormats) {
    TString path, file, numbers;
    std::strcpy(path.BeginWrite(260), "C:\\GAME");
    path.EndWrite(-1);
    EXPECT_EQ("C:\\GAME 7/260 x1", State(path));
    EXPECT_EQ("C:\\ 3/3 x1", State(path.LeftPart(3)));
    EXPECT_EQ(2, path.FindLast('\\'));
    // A fresh text gets a block of exactly the estimate.
    file.Format("%s\\%s", path.Text(), "moss.exe");
    EXPECT_EQ("C:\\GAME\\moss.exe 16/16 x1", State(file));
    numbers.Format("%c%10lc%#x%40.10d%f%pa%%b", 'x', L'y', 1, 2, 1.0, nullptr);
    EXPECT_EQ(2 + 10 + 34 + 50 + 128 + 32 + 3, numbers.Capacity());
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
    HKEY key;
    {
        TRegistry registry;
        ASSERT_TRUE(registry.SetKey(HKEY_CURRENT_USER, "HaldenTests", nullptr, "Registry"));
        EXPECT_EQ(7u, registry.QueryDword("Setup", 7));
        EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key));
        EXPECT_TRUE(registry.SetDword("Setup", 0x01020304));
        EXPECT_EQ(0x01020304u, registry.QueryDword("Setup", 0));
        // Too small a buffer gives the size needed.
        scratch.Store("Twenty", REG_BINARY, std::string(20, 'b'));
        char buffer[16];
        DWORD twenty = 16;
        EXPECT_FALSE(registry.QueryBinary("Twenty", buffer, twenty));
        EXPECT_EQ(20u, twenty);
        registry.SetDword("Install", 1);
        key = registry.Key();
    }
    DWORD flags;
    EXPECT_FALSE(GetHandleInformation(key, &flags)) << "the accessor left its key open";
}

FILETIME At(LONGLONG secondsSince1970) {
    ULONGLONG ticks = (secondsSince1970 + 11644473600LL) * 10000000;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// Attributes, size, names, and the times created, modified, accessed of an entry; "0" when it
// is not found.
std::string Record(const std::string& path) {
    FileStatus s;
    if (!GetFileStatus(path.c_str(), s))
        return "0";
    return std::to_string(s.attributes) + " " + std::to_string(s.size) + " " + s.name + " " +
           s.shortName + " " + std::to_string(s.created) + " " + std::to_string(s.modified) + " " +
           std::to_string(s.accessed);
}

// Wine gives the write time as creation time.
TEST(FileProbes, StatusAndVersionOfFilesFoldersAndMissingPaths) {
    std::string folder = "Z:\\dev\\shm\\lib-test-" + std::to_string(GetCurrentProcessId());
    std::string path = folder + "\\a long name.text", dll = folder + "\\versioned.dll";
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteTextFile(path, "12345");
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME accessed = At(1015214706), written = At(2158977906);
    EXPECT_TRUE(SetFileTime(file, nullptr, &accessed, &written));
    CloseHandle(file);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    // In 2038 a time no longer fits a signed 32-bit count of seconds: -1.
    EXPECT_EQ("35 5 a long name.text A_LO~JK0.TEX -1 -1 1015214706", Record(path));
    EXPECT_EQ("16 0 ", Record(folder).substr(0, 5));
    EXPECT_EQ("0", Record(folder + "\\missing\\moss.exe"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A copy of a DLL without version information, given a version resource.
    const VS_FIXEDFILEINFO root = {VS_FFI_SIGNATURE, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    struct {
        WORD length, rootLength, type;
        wchar_t key[17]; // "VS_VERSION_INFO", its NUL and the padding to 32 bits
        VS_FIXEDFILEINFO root;
    } resource = {sizeof resource, sizeof root, 0, L"VS_VERSION_INFO", root};
    CopyFileA((BinaryFolder() + "\\DSETUP.dll").c_str(), dll.c_str(), FALSE);
    VS_FIXEDFILEINFO info = {};
    EXPECT_EQ(0, GetFileVersion(dll.c_str(), info));
    HANDLE update = BeginUpdateResourceA(dll.c_str(), FALSE);
    UpdateResourceA(update, RT_VERSION, MAKEINTRESOURCEA(1), 0, &resource, sizeof resource);
    EndUpdateResourceA(update, FALSE);
    EXPECT_EQ(1, GetFileVersion(dll.c_str(), info));
    EXPECT_EQ(0, std::memcmp(&root, &info, sizeof info));
    RemoveTree(folder);
}

std::string Reports;

// Enumerates fake drivers twice, and tells of the second run: window-capable, accelerated and
// has-caps of each driver, the reports made, and any interface left held.
std::string Enumerated(std::vector<FakeDriver>& drivers) {
    FakeDirectDrawMachine machine(drivers);
    TDirectDrawEnum enumerator;
    enumerator.Enumerate();
    Reports.clear();
    enumerator.Enumerate();
    std::string listed;
    for (LONG i = 0; i < enumerator.GetDriverCount(); ++i) {
        listed += " " + std::to_string(enumerator.IsWindowCapable(i)) +
                  std::to_string(enumerator.IsAccelerated(i)) +
                  std::to_string(enumerator.HasCaps(i));
    }
    return listed + Reports + (machine.AllReleased() ? "" : " held");
}

// The second of three drivers is the one of the case. 640 x 480 at 16 bits is a primary surface
// of 614,400 bytes. The fake's emulation layer can do everything, its hardware what the case
// says. The fake's own DirectDrawEnumerateA always succeeds: its result is not the case's.
TEST(DirectDrawEnum, ClassifiesByHardwareAndEndsTheListWhereACallFails) {
    Kept<decltype(ReportErrorWatcher)> watcher(ReportErrorWatcher);
    ReportErrorWatcher = [](DWORD source, HRESULT code, const char*) {
        Reports += " report " + std::to_string(source) + " " + std::to_string(code);
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
        {[](FakeDriver& d) { d.failing = FakeCall::QueryInterface; }, " 111 report 1 -2147467262"},
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

FakeDriver* Primary;      // the driver DirectDraw reports first
DirectDrawCallTable Fake; // the fake machine's own entry points

// A list that DirectDraw prepares only once the primary driver's object is being made: made
// after the list instead, it would wait for ever; after 10 s the list fails.
HRESULT WINAPI ListOnceThePrimaryIsAskedFor(LPDDENUMCALLBACKA callback, LPVOID context) {
    for (int waited = 0; !InterlockedCompareExchange(&Primary->creations, 0, 0); ++waited) {
        if (waited == 10000)
            return DDERR_GENERIC;
        Sleep(1);
    }
    return Fake.DirectDrawEnumerateA(callback, context);
}

// The primary driver's object is made while DirectDraw prepares its list, once, and is the one
// examined; when the list fails, or the object cannot be made, nothing stays held. Each run
// tells the driver count, then how often the first two drivers were created.
TEST(DirectDrawEnum, MakesThePrimaryDriversObjectBesideTheListOnce) {
    std::vector<FakeDriver> drivers(3);
    FakeDirectDrawMachine machine(drivers);
    Fake = DirectDrawCalls;
    Primary = &drivers[0];
    TDirectDrawEnum enumerator;
    auto run = [&](decltype(Fake.DirectDrawEnumerateA) list, HRESULT result) {
        DirectDrawCalls.DirectDrawEnumerateA = list;
        EXPECT_EQ(result, enumerator.Enumerate());
        return std::to_string(enumerator.GetDriverCount()) + " " +
               std::to_string(drivers[0].creations) + std::to_string(drivers[1].creations) +
               (machine.AllReleased() ? "" : " held");
    };
    EXPECT_EQ("3 11", run(ListOnceThePrimaryIsAskedFor, DD_OK));
    EXPECT_EQ("0 21", run(NoDirectDraw, DDERR_NODIRECTDRAWSUPPORT));
    drivers[0].failing = FakeCall::Create;
    EXPECT_EQ("0 31", run(Fake.DirectDrawEnumerateA, DD_OK));
}

// Wine's own DirectDraw (one driver on this display) fills the DirectX 6 records as this build
// lays them out; without DirectDraw the enumeration gives the failure.
TEST(DirectDrawEnum, GivesWinesOnePrimaryDriverOrTheFailureOfAMissingDirectDraw) {
    TDirectDrawEnum enumerator;
    EXPECT_EQ(DD_OK, enumerator.Enumerate());
    ASSERT_EQ(1, enumerator.GetDriverCount());
    EXPECT_EQ(1, enumerator.HasCaps(0));
    EXPECT_EQ(1, enumerator.IsAccelerated(0)) << "3D flags out of place, or Wine without OpenGL";
    EXPECT_EQ(1, enumerator.IsWindowCapable(0)) << "the display mode's record misread";
    EXPECT_STRNE("", enumerator.GetDescription(0));
    EXPECT_FALSE(IsEqualGUID(GUID{}, enumerator.GetDeviceGuid(0)));
    Kept<DirectDrawCallTable> calls(DirectDrawCalls);
    DirectDrawCalls.DirectDrawEnumerateA = NoDirectDraw;
    EXPECT_EQ(DDERR_NODIRECTDRAWSUPPORT, enumerator.Enumerate());
}

} // namespace
