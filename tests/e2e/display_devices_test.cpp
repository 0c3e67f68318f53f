// The display devices of the machine under Wine's real DirectDraw, as the menu finds them when
// it opens: the enumeration, the device list built from it, and the device chosen.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DirectDrawCalls.h"
#include "DisplayDeviceList.h"
#include "LauncherSettings.h"
#include "TDirectDrawEnum.h"
#include "TestFiles.h"
#include "TestKey.h"

namespace {

std::vector<bool> CreatedFromNullGuid;

HRESULT WINAPI WatchDirectDrawCreate(GUID* driverGuid, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    CreatedFromNullGuid.push_back(driverGuid == nullptr);
    return ::DirectDrawCreate(driverGuid, directDraw, outer);
}

class RealDirectDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        DirectDrawCalls.DirectDrawCreate = WatchDirectDrawCreate;
        CreatedFromNullGuid.clear();
    }
    void TearDown() override {
        DirectDrawCalls = saved_;
        DisplayDeviceList.SetSize(0, 0);
        DisplayDeviceList.current = 0;
        LauncherSettings = savedSettings_;
    }

    DirectDrawCallTable saved_ = DirectDrawCalls;
    SettingsRecord savedSettings_ = LauncherSettings;
};

TEST_F(RealDirectDraw, MenuOpeningListsWinesPrimaryDriverFirstAndRemembersTheChoice) {
    TDirectDrawEnum drivers;
    EXPECT_EQ(DD_OK, drivers.Enumerate());
    ASSERT_GE(drivers.GetDriverCount(), 1);
    ASSERT_FALSE(CreatedFromNullGuid.empty());
    EXPECT_TRUE(CreatedFromNullGuid[0]);
    EXPECT_STRNE("", drivers.GetDescription(0));
    EXPECT_EQ(1, drivers.HasCaps(0));

    LauncherSettings.device = 0;
    ASSERT_EQ(drivers.GetDriverCount(), BuildDisplayDeviceList());
    EXPECT_STREQ(drivers.GetDescription(0), DisplayDeviceList[0].description);
    ASSERT_EQ(1, SelectDisplayDevice());
    EXPECT_EQ(1u, LauncherSettings.device);
    const GUID chosen = LauncherSettings.deviceId;
    EXPECT_FALSE(IsEqualGUID(GUID{}, chosen));
    EXPECT_TRUE(IsEqualGUID(DisplayDeviceList[DisplayDeviceList.current].deviceGuid, chosen));

    // The next start finds the saved device again.
    BuildDisplayDeviceList();
    SelectDisplayDevice();
    EXPECT_TRUE(IsEqualGUID(chosen, LauncherSettings.deviceId));
}

// A child run of this program writes its first device to the file this variable names.
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

// Runs the probe on a board with that much video memory (Wine reads its size once per process,
// hence a child) and returns what it wrote ("" when it failed).
std::string FirstDeviceOfABoardWith(const char* megabytes) {
    TestKey wine(HKEY_CURRENT_USER, "Software\\Wine\\Direct3D");
    wine.StoreText("VideoMemorySize", megabytes);
    std::string path = MakeScratchFolder("probe") + "\\device.txt";
    SetEnvironmentVariableA(ProbeFileVariable, path.c_str());
    std::string self = BinaryFolder() + "\\display_devices_test.exe";
    ChildProcess probe;
    if (probe.Start(self,
                    "\"" + self +
                        "\" --gtest_also_run_disabled_tests "
                        "--gtest_filter=DisplayDeviceProbe.DISABLED_WritesTheFirstDevice",
                    ""))
        probe.WaitForExit(30000);
    SetEnvironmentVariableA(ProbeFileVariable, nullptr);
    std::string written = ReadTextFile(path);
    RemoveTree(path.substr(0, path.rfind('\\')));
    return written;
}

// The display is 1024 x 768 at 32 bits: the primary surface alone takes 3 MB.
TEST(SmallVideoMemory, ABoardRunsAcceleratedAndInAWindowAsFarAsItsMemoryAllows) {
    EXPECT_EQ("fullScreenOnly 1 accelerated 1 1 filtering 1 1", FirstDeviceOfABoardWith("4"));
    EXPECT_EQ("fullScreenOnly 1 accelerated 0 0 filtering 0 0", FirstDeviceOfABoardWith("2"));
    EXPECT_EQ("fullScreenOnly 0 accelerated 1 1 filtering 1 1", FirstDeviceOfABoardWith("128"));
}

} // namespace
