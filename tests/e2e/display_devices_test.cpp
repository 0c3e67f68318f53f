// The display devices of the machine under Wine's real DirectDraw, as the menu finds them when
// it opens: the enumeration, the device list built from it, and the device chosen.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "DirectDrawCalls.h"
#include "DisplayDeviceList.h"
#include "LauncherSettings.h"
#include "TDirectDrawEnum.h"

namespace {

std::vector<bool> CreatedFromNullGuid;

HRESULT WINAPI WatchDirectDrawCreate(GUID* driverGuid, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    CreatedFromNullGuid.push_back(driverGuid == nullptr);
    return ::DirectDrawCreate(driverGuid, directDraw, outer);
}

bool IsZeroGuid(const GUID& guid) {
    return IsEqualGUID(guid, GUID{});
}

class RealDirectDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = DirectDrawCalls;
        DirectDrawCalls.DirectDrawCreate = WatchDirectDrawCreate;
        CreatedFromNullGuid.clear();
        Reset();
    }
    void TearDown() override {
        DirectDrawCalls = saved;
        Reset();
    }
    static void Reset() {
        DisplayDeviceList.SetSize(0, 0);
        DisplayDeviceList.current = 0;
        LauncherSettings.device = 0;
        LauncherSettings.deviceId = GUID{};
    }

    DirectDrawCallTable saved;
};

TEST_F(RealDirectDraw, ListsThePrimaryDisplayDriverFirstWithItsOwnDescription) {
    TDirectDrawEnum drivers;
    EXPECT_EQ(DD_OK, drivers.Enumerate());

    ASSERT_GE(drivers.GetDriverCount(), 1);
    ASSERT_FALSE(CreatedFromNullGuid.empty());
    EXPECT_TRUE(CreatedFromNullGuid[0]);
    EXPECT_STRNE("", drivers.GetDescription(0));
    EXPECT_EQ(1, drivers.HasCaps(0));
}

TEST_F(RealDirectDraw, MenuOpeningChoosesWinesAdapterAndRemembersIt) {
    TDirectDrawEnum drivers;
    drivers.Enumerate();
    ASSERT_GE(drivers.GetDriverCount(), 1);

    ASSERT_EQ(drivers.GetDriverCount(), BuildDisplayDeviceList());
    EXPECT_STREQ(drivers.GetDescription(0), DisplayDeviceList[0].description);
    ASSERT_EQ(1, SelectDisplayDevice());
    EXPECT_EQ(1u, LauncherSettings.device);
    const GUID chosen = LauncherSettings.deviceId;
    EXPECT_FALSE(IsZeroGuid(chosen));
    EXPECT_TRUE(IsEqualGUID(DisplayDeviceList[DisplayDeviceList.current].deviceGuid, chosen));

    // The next start finds the saved device again.
    BuildDisplayDeviceList();
    SelectDisplayDevice();
    EXPECT_TRUE(IsEqualGUID(chosen, LauncherSettings.deviceId));
}

// Wine reads its video memory size once per process: a board with another amount of memory is
// examined by a child run of this program, which writes its first device to a file.
const char ProbeFileVariable[] = "DISPLAY_DEVICE_PROBE_FILE";

TEST(DisplayDeviceProbe, DISABLED_WritesTheFirstDevice) {
    char path[MAX_PATH];
    ASSERT_NE(0u, GetEnvironmentVariableA(ProbeFileVariable, path, MAX_PATH));
    BuildDisplayDeviceList();
    SelectDisplayDevice();
    const DisplayDevice& device = DisplayDeviceList[DisplayDeviceList.current];
    FILE* file = std::fopen(path, "w");
    ASSERT_NE(nullptr, file);
    std::fprintf(file, "fullScreenOnly %ld accelerated %ld %ld filtering %ld %ld",
                 static_cast<long>(device.fullScreenOnly), static_cast<long>(device.accelerated[0]),
                 static_cast<long>(device.accelerated[1]), static_cast<long>(device.filtering[0]),
                 static_cast<long>(device.filtering[1]));
    std::fclose(file);
}

// Wine's video memory size in megabytes, set for the life of the object; the value and the
// key are put back as they were.
class WineVideoMemory {
  public:
    explicit WineVideoMemory(const char* megabytes) {
        DWORD disposition = 0;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Direct3D", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key_, &disposition);
        createdKey_ = disposition == REG_CREATED_NEW_KEY;
        DWORD size = sizeof previous_;
        hadValue_ = RegQueryValueExA(key_, "VideoMemorySize", nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(previous_), &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, "VideoMemorySize", 0, REG_SZ, reinterpret_cast<const BYTE*>(megabytes),
                       lstrlenA(megabytes) + 1);
    }
    ~WineVideoMemory() {
        if (hadValue_)
            RegSetValueExA(key_, "VideoMemorySize", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(previous_), lstrlenA(previous_) + 1);
        else
            RegDeleteValueA(key_, "VideoMemorySize");
        RegCloseKey(key_);
        if (createdKey_)
            RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\Direct3D");
    }
    WineVideoMemory(const WineVideoMemory&) = delete;
    WineVideoMemory& operator=(const WineVideoMemory&) = delete;

  private:
    HKEY key_ = nullptr;
    bool createdKey_ = false;
    bool hadValue_ = false;
    char previous_[64] = {};
};

// Runs the probe in a child process and returns what it wrote ("" when it failed).
std::string FirstDeviceOfABoardWith(const char* megabytes) {
    WineVideoMemory memory(megabytes);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "display-device-probe.txt";
    DeleteFileA(path.c_str());
    SetEnvironmentVariableA(ProbeFileVariable, path.c_str());

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = std::string("\"") + self +
                              "\" --gtest_also_run_disabled_tests "
                              "--gtest_filter=DisplayDeviceProbe.DISABLED_WritesTheFirstDevice";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string result;
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        char text[128] = {};
        if (FILE* file = std::fopen(path.c_str(), "r")) {
            if (std::fgets(text, sizeof text, file))
                result = text;
            std::fclose(file);
        }
    }
    SetEnvironmentVariableA(ProbeFileVariable, nullptr);
    DeleteFileA(path.c_str());
    return result;
}

// The display is 1024 x 768 at 32 bits: the primary surface alone takes 3 MB.
TEST(SmallVideoMemory, FourMegabyteBoardRunsAcceleratedInFullScreenOnly) {
    EXPECT_EQ("fullScreenOnly 1 accelerated 1 1 filtering 1 1", FirstDeviceOfABoardWith("4"));
}

TEST(SmallVideoMemory, TwoMegabyteBoardRunsInFullScreenWithoutAcceleration) {
    EXPECT_EQ("fullScreenOnly 1 accelerated 0 0 filtering 0 0", FirstDeviceOfABoardWith("2"));
}

TEST(SmallVideoMemory, BoardWithPlentyOfMemoryRunsAcceleratedInBothModes) {
    EXPECT_EQ("fullScreenOnly 0 accelerated 1 1 filtering 1 1", FirstDeviceOfABoardWith("128"));
}

} // namespace
