// The display device list built from fake drivers: records, placeholder, choice of the current
// device, selection into the settings record, and the growth of the pointer array.
#include <gtest/gtest.h>

#include <vector>

#include "DisplayDeviceList.h"
#include "FakeDirectDraw.h"
#include "LauncherSettings.h"

namespace {

const GUID SomeGuid = {0x12345678, 0x9ABC, 0xDEF0, {1, 1, 2, 3, 5, 8, 13, 21}};

bool IsZeroGuid(const GUID& guid) {
    return IsEqualGUID(guid, GUID{});
}

class DeviceList : public ::testing::Test {
  protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        DisplayDeviceList.SetSize(0, 0);
        DisplayDeviceList.current = 0;
        LauncherSettings.device = 0;
        LauncherSettings.deviceId = GUID{};
    }
    // A driver DirectDraw lists with no 3D acceleration.
    FakeDriver& Add2DDriver() {
        FakeDriver& driver = machine.AddDriver();
        driver.caps = 0;
        return driver;
    }

    FakeDirectDrawMachine machine;
};

TEST_F(DeviceList, WithoutAUsableDriverOnlyThePlaceholderIsListedAndSelected) {
    void (*machines[])(FakeDirectDrawMachine&) = {
        [](FakeDirectDrawMachine&) {},
        [](FakeDirectDrawMachine& m) { m.AddDriver().createResult = DDERR_GENERIC; },
        [](FakeDirectDrawMachine& m) { m.AddDriver().queryResult = E_NOINTERFACE; },
    };
    for (auto setup : machines) {
        FakeDirectDrawMachine local;
        setup(local);
        LauncherSettings.device = 1;
        LauncherSettings.deviceId = SomeGuid;

        ASSERT_EQ(1, BuildDisplayDeviceList());
        const DisplayDevice& only = DisplayDeviceList[0];
        EXPECT_STREQ("UNKNOWN DEVICE", only.description);
        // Not accelerated, but both screen modes stay on offer.
        EXPECT_EQ(0, only.fullScreenOnly);
        EXPECT_EQ(0, only.accelerated[0] | only.accelerated[1]);
        EXPECT_EQ(0, only.filtering[0] | only.filtering[1]);
        EXPECT_TRUE(IsZeroGuid(only.deviceGuid));
        EXPECT_EQ(0, DisplayDeviceList.current);

        EXPECT_EQ(1, SelectDisplayDevice());
        EXPECT_EQ(1u, LauncherSettings.device);
        EXPECT_TRUE(IsZeroGuid(LauncherSettings.deviceId));
        EXPECT_TRUE(local.AllReleased());
    }
}

TEST_F(DeviceList, RecordsFollowTheDriversInOrder) {
    FakeDriver& capable = machine.AddDriver();
    capable.description = "Capable";
    machine.AddDriver().caps2 = 0;                // cannot render in a window
    machine.AddDriver().textureMemoryFree = 1024; // too little texture memory for a window
    Add2DDriver().description = "Plain";
    FakeDriver& unreadable = machine.AddDriver();
    unreadable.capsResult = DDERR_GENERIC;
    unreadable.deviceGuid = capable.deviceGuid;

    ASSERT_EQ(5, BuildDisplayDeviceList());

    struct Expected {
        const char* description;
        LONG fullScreenOnly;
        LONG accelerated;
        LONG filtering;
    } expected[] = {
        {"Capable", 0, 1, 1}, {"Fake 3D Adapter", 1, 1, 1}, {"Fake 3D Adapter", 1, 1, 1},
        {"Plain", 0, 0, 0},   {"Fake 3D Adapter", 1, 0, 0},
    };
    for (LONG i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const DisplayDevice& record = DisplayDeviceList[i];
        EXPECT_STREQ(expected[i].description, record.description);
        EXPECT_EQ(expected[i].fullScreenOnly, record.fullScreenOnly);
        for (int mode = 0; mode < 2; ++mode) {
            EXPECT_EQ(expected[i].accelerated, record.accelerated[mode]);
            EXPECT_EQ(expected[i].filtering, record.filtering[mode]);
        }
        EXPECT_TRUE(IsEqualGUID(machine[i].deviceGuid, record.deviceGuid));
    }
    EXPECT_TRUE(machine.AllReleased());
}

TEST_F(DeviceList, TheSavedDeviceIsChosenByItsGuidElseTheFirstAcceleratedElseTheFirst) {
    // 3D acceleration of the four drivers; the fourth has the third's device GUID.
    Add2DDriver();
    machine.AddDriver().caps = 0;
    machine.AddDriver();
    machine.AddDriver().deviceGuid = machine[2].deviceGuid;
    struct Case {
        const char* what;
        DWORD device;
        GUID saved;
        LONG current;
    } const cases[] = {
        {"no saved device: the first accelerated", 0, SomeGuid, 2},
        {"the saved device", 1, machine[1].deviceGuid, 1},
        {"a GUID two entries share: the first of them", 1, machine[2].deviceGuid, 2},
        {"a board since removed: the first entry", 1, SomeGuid, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LauncherSettings.device = c.device;
        LauncherSettings.deviceId = c.saved;
        ASSERT_EQ(4, BuildDisplayDeviceList());
        EXPECT_EQ(c.current, DisplayDeviceList.current);
        EXPECT_EQ(1, SelectDisplayDevice());
        EXPECT_EQ(1u, LauncherSettings.device);
        EXPECT_TRUE(IsEqualGUID(machine[c.current].deviceGuid, LauncherSettings.deviceId));
    }
    machine[2].caps = machine[3].caps = 0;
    LauncherSettings.device = 0;
    BuildDisplayDeviceList();
    EXPECT_EQ(0, DisplayDeviceList.current) << "none accelerated: the first";
}

TEST_F(DeviceList, SelectionOutsideTheListFallsBackToTheFirstEntry) {
    machine.AddDriver();
    machine.AddDriver();
    BuildDisplayDeviceList();
    for (LONG outside : {2L, -1L}) {
        SCOPED_TRACE(outside);
        DisplayDeviceList.current = outside;
        LauncherSettings.device = 0;
        EXPECT_EQ(1, SelectDisplayDevice());
        EXPECT_EQ(0, DisplayDeviceList.current);
        EXPECT_EQ(1u, LauncherSettings.device);
        EXPECT_TRUE(IsEqualGUID(machine[0].deviceGuid, LauncherSettings.deviceId));
    }

    DisplayDeviceList.SetSize(0, -1);
    LauncherSettings.device = 1;
    EXPECT_EQ(0, SelectDisplayDevice());
    EXPECT_EQ(0u, LauncherSettings.device);
}

std::vector<LONG> CapacitiesWhileAppending(DisplayDeviceTable& table, LONG count) {
    std::vector<LONG> capacities;
    while (table.size < count) {
        table.SetSize(table.size + 1, -1);
        if (capacities.empty() || capacities.back() != table.capacity)
            capacities.push_back(table.capacity);
    }
    return capacities;
}

TEST(DeviceTable, AutomaticGrowthStepsByAnEighthOfTheSizeFromFourToOneThousandAndTwentyFour) {
    DisplayDeviceTable table;
    EXPECT_EQ((std::vector<LONG>{1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 46, 51, 57, 64}),
              CapacitiesWhileAppending(table, 64));

    table.SetSize(10000, -1);
    EXPECT_EQ(10000, table.capacity);
    table.SetSize(10001, -1);
    EXPECT_EQ(11024, table.capacity);
    // A jump beyond the step takes exactly the size asked for.
    table.SetSize(20000, -1);
    EXPECT_EQ(20000, table.capacity);
}

TEST(DeviceTable, FixedGrowthStepIsKeptUntilReplaced) {
    DisplayDeviceTable table;
    table.SetSize(0, 3);
    EXPECT_EQ((std::vector<LONG>{1, 4, 7, 10}), CapacitiesWhileAppending(table, 10));
    table.SetSize(table.size + 1, 0);
    EXPECT_EQ(14, table.capacity);
}

TEST(DeviceTable, RecordsSurviveGrowthAndShrinkingAndNewOnesStartEmpty) {
    DisplayDeviceTable table;
    table.SetSize(2, -1);
    table[0].description = "kept";
    table[0].fullScreenOnly = 1;
    DisplayDevice* first = &table[0];

    table.SetSize(9, -1);
    EXPECT_EQ(first, &table[0]);
    EXPECT_STREQ("kept", table[0].description);

    table.SetSize(1, -1);
    EXPECT_EQ(1, table.size);
    EXPECT_EQ(9, table.capacity);
    table.SetSize(3, -1);
    EXPECT_STREQ("kept", table[0].description);
    EXPECT_EQ(1, table[0].fullScreenOnly);
    EXPECT_STREQ("", table[2].description);
    EXPECT_EQ(0, table[2].fullScreenOnly);
    EXPECT_TRUE(IsZeroGuid(table[2].deviceGuid));

    table.SetSize(0, -1);
    EXPECT_EQ(nullptr, table.records);
    EXPECT_EQ(0, table.capacity);
}

} // namespace
