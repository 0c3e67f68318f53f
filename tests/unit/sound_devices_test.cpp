// CountSoundDevices and the sound device list: Wine's DirectSound, and enumerations the seam
// makes up.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "CountSoundDevices.h"
#include "SoundDeviceList.h"
#include "SystemCalls.h"

namespace {

int FakeDevices;    // how many devices the fake enumeration reports
HRESULT FakeResult; // what it returns afterwards
char FakeName[32];  // description buffer it reuses for every device
GUID FakeGuids[3];  // devices 1 to 3 report these; device 0 is the primary driver (null)

HRESULT WINAPI FakeEnumerate(LPDSENUMCALLBACKA callback, LPVOID context) {
    for (int i = 0; i < FakeDevices; ++i) {
        std::snprintf(FakeName, sizeof FakeName, "Device %d", i);
        GUID* guid = i == 0 ? nullptr : &FakeGuids[(i - 1) % 3];
        if (!callback(guid, FakeName, i % 2 ? "odd.drv" : "even.drv", context))
            break;
    }
    return FakeResult;
}

class SoundDevicesTest : public ::testing::Test {
  protected:
    void SetUp() override { saved_ = SystemCalls; }
    void TearDown() override {
        SystemCalls = saved_;
        SoundDeviceList.Clear();
    }

    int CountFake(int devices, HRESULT result) {
        SystemCalls.DirectSoundEnumerateA = FakeEnumerate;
        FakeDevices = devices;
        FakeResult = result;
        return CountSoundDevices();
    }

    SystemCallTable saved_;
};

TEST_F(SoundDevicesTest, WinesDirectSoundOffersTheNullAlsaDevice) {
    int count = CountSoundDevices();
    EXPECT_GE(count, 1);
    ASSERT_EQ(count, SoundDeviceList.Count());
    EXPECT_EQ(nullptr, SoundDeviceList[0].guid) << "the primary driver comes first";
    for (int i = 0; i < count; ++i)
        EXPECT_GT(SoundDeviceList[i].description.Length(), 0) << i;
}

TEST_F(SoundDevicesTest, EachDeviceIsKeptWithItsGuidPointerAndCopiesOfItsNames) {
    EXPECT_EQ(3, CountFake(3, DS_OK));
    std::strcpy(FakeName, "overwritten");
    ASSERT_EQ(3, SoundDeviceList.Count());
    EXPECT_EQ(nullptr, SoundDeviceList[0].guid);
    EXPECT_EQ(&FakeGuids[0], SoundDeviceList[1].guid);
    EXPECT_EQ(&FakeGuids[1], SoundDeviceList[2].guid);
    EXPECT_STREQ("Device 0", SoundDeviceList[0].description);
    EXPECT_STREQ("Device 2", SoundDeviceList[2].description);
    EXPECT_STREQ("even.drv", SoundDeviceList[0].module);
    EXPECT_STREQ("odd.drv", SoundDeviceList[1].module);
}

TEST_F(SoundDevicesTest, EveryCountStartsAnewAndAFailedEnumerationCountsNoDevice) {
    const struct {
        int devices;
        HRESULT result;
        int counted;
    } runs[] = {{3, DS_OK, 3},          {2, DS_OK, 2},  {10000, DS_OK, 10000},
                {2, DSERR_NODRIVER, 0}, {0, E_FAIL, 0}, {0, DS_OK, 0}};
    for (const auto& run : runs)
        EXPECT_EQ(run.counted, CountFake(run.devices, run.result)) << run.devices;
    EXPECT_EQ(0, SoundDeviceList.Count());
    EXPECT_EQ(0, SoundDeviceList.Capacity()) << "an empty list holds no array";
}

TEST(SoundDeviceTable, GrowsByAnEighthOfItsCountBetweenFourAnd1024Entries) {
    SoundDeviceTable table;
    std::vector<int> capacities; // every capacity the table went through, in order
    for (int count = 1; count <= 10000; ++count) {
        ASSERT_EQ(1, table.Append(nullptr, "device", "module"));
        ASSERT_EQ(count, table.Count());
        if (capacities.empty() || capacities.back() != table.Capacity())
            capacities.push_back(table.Capacity());
    }
    // Steps of 4 up to 40 entries, then 40/8 = 5, 45/8 = 5, 50/8 = 6 and so on.
    std::vector<int> first(capacities.begin(), capacities.begin() + 16);
    EXPECT_EQ((std::vector<int>{4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63, 70, 78}),
              first);
    int last = static_cast<int>(capacities.size()) - 1;
    EXPECT_GT(capacities[last - 1], 8192);
    EXPECT_EQ(1024, capacities[last] - capacities[last - 1]) << "the step stops at 1024";

    table.Clear();
    EXPECT_EQ(0, table.Count());
    EXPECT_EQ(0, table.Capacity());
}

} // namespace
