// TDirectDrawEnum against fake drivers: classification, order, failures and interface release.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDirectDraw.h"
#include "ReportError.h"
#include "TDirectDrawEnum.h"

namespace {

struct Report {
    DWORD source;
    HRESULT code;
    std::string message;
};
std::vector<Report> Reports;

void RecordReport(DWORD source, HRESULT code, const char* message) {
    Reports.push_back({source, code, message});
}

class DirectDrawEnum : public ::testing::Test {
  protected:
    void SetUp() override {
        Reports.clear();
        ReportErrorWatcher = RecordReport;
    }
    void TearDown() override { ReportErrorWatcher = nullptr; }

    FakeDirectDrawMachine machine;
    TDirectDrawEnum drivers;
};

GUID ZeroGuid() {
    return GUID{};
}

struct ClassificationCase {
    const char* name;
    void (*setup)(FakeDriver&);
    LONG windowCapable;
    LONG accelerated;
};

// 640 x 480 at 16 bits: a primary surface of 1280 x 480 = 614,400 bytes.
const ClassificationCase ClassificationCases[] = {
    {"a capable 3D board", [](FakeDriver&) {}, 1, 1},
    {"no windowed rendering, plenty of memory",
     [](FakeDriver& d) {
         d.caps2 = 0;
         d.textureMemoryFree = 64 << 20;
     },
     0, 1},
    {"3,235,839 bytes of texture memory free", [](FakeDriver& d) { d.textureMemoryFree = 3235839; },
     0, 1},
    {"3,235,840 bytes of texture memory free", [](FakeDriver& d) { d.textureMemoryFree = 3235840; },
     1, 1},
    {"3D without texture surfaces", [](FakeDriver& d) { d.surfaceCaps = 0; }, 1, 0},
    {"texture surfaces without 3D", [](FakeDriver& d) { d.caps = 0; }, 1, 0},
    {"primary plus free video memory 3,866,623 bytes",
     [](FakeDriver& d) { d.videoMemoryFree = 3866623 - 614400; }, 1, 0},
    {"primary plus free video memory 3,866,624 bytes",
     [](FakeDriver& d) { d.videoMemoryFree = 3866624 - 614400; }, 1, 1},
    {"free video memory that wraps the 32-bit sum",
     [](FakeDriver& d) { d.videoMemoryFree = 0xFFFFFFFF; }, 1, 0},
    {"display mode unreadable: free video memory alone too small",
     [](FakeDriver& d) {
         d.displayModeResult = DDERR_GENERIC;
         d.videoMemoryFree = 0x3AFFFF;
     },
     1, 0},
    {"display mode unreadable: free video memory alone enough",
     [](FakeDriver& d) {
         d.displayModeResult = DDERR_GENERIC;
         d.videoMemoryFree = 0x3B0000;
     },
     1, 1},
    {"free texture memory unreadable", [](FakeDriver& d) { d.videoMemoryResult = DDERR_GENERIC; },
     0, 1},
};

TEST_F(DirectDrawEnum, ClassifiesEachDriverByItsHardwareCapabilitiesAndFreeMemory) {
    for (const ClassificationCase& c : ClassificationCases) {
        SCOPED_TRACE(c.name);
        FakeDirectDrawMachine single;
        c.setup(single.AddDriver());
        ASSERT_EQ(DD_OK, drivers.Enumerate());
        ASSERT_EQ(1, drivers.GetDriverCount());
        EXPECT_EQ(c.windowCapable, drivers.IsWindowCapable(0));
        EXPECT_EQ(c.accelerated, drivers.IsAccelerated(0));
        EXPECT_EQ(1, drivers.HasCaps(0));
        EXPECT_TRUE(single.AllReleased());
    }
}

TEST_F(DirectDrawEnum, ListsEveryDriverInDirectDrawOrderKeepingDuplicates) {
    FakeDriver& primary = machine.AddDriver();
    primary.description = "Primary 2D Adapter";
    primary.caps = 0;
    FakeDriver& boardA = machine.AddDriver();
    boardA.description = "Add-on 3D Board";
    FakeDriver& boardB = machine.AddDriver();
    boardB.description = "Add-on 3D Board";
    boardB.deviceGuid = boardA.deviceGuid;

    drivers.Enumerate();

    ASSERT_EQ(3, drivers.GetDriverCount());
    EXPECT_STREQ("Primary 2D Adapter", drivers.GetDescription(0));
    // The add-on board names itself, not the adapter it sits beside.
    EXPECT_STREQ("Add-on 3D Board", drivers.GetDescription(1));
    EXPECT_STREQ("Add-on 3D Board", drivers.GetDescription(2));
    EXPECT_TRUE(IsEqualGUID(primary.deviceGuid, drivers.GetDeviceGuid(0)));
    EXPECT_TRUE(IsEqualGUID(boardA.deviceGuid, drivers.GetDeviceGuid(1)));
    EXPECT_TRUE(IsEqualGUID(boardA.deviceGuid, drivers.GetDeviceGuid(2)));
    EXPECT_EQ(0, drivers.IsAccelerated(0));
    EXPECT_EQ(1, drivers.IsAccelerated(1));
    for (size_t i = 0; i < machine.DriverCount(); ++i)
        EXPECT_EQ(1, machine[i].createCalls) << "driver " << i;
    EXPECT_TRUE(machine.AllReleased());
    EXPECT_TRUE(Reports.empty());
}

TEST_F(DirectDrawEnum, ADriverThatCannotBeCreatedOrLacksIDirectDraw4EndsTheList) {
    for (bool created : {false, true}) {
        SCOPED_TRACE(created ? "no IDirectDraw4" : "not created");
        FakeDirectDrawMachine local;
        local.AddDriver().description = "First";
        FakeDriver& failing = local.AddDriver();
        if (created)
            failing.queryResult = E_NOINTERFACE;
        else
            failing.createResult = DDERR_NODIRECTDRAWHW;
        local.AddDriver();
        Reports.clear();
        drivers.Enumerate();

        EXPECT_EQ(1, drivers.GetDriverCount());
        EXPECT_STREQ("First", drivers.GetDescription(0));
        EXPECT_EQ(2, local.callbacks);
        EXPECT_TRUE(local.AllReleased());
        // Only the missing interface is reported: source 1 and the HRESULT.
        ASSERT_EQ(created ? 1u : 0u, Reports.size());
        for (const Report& report : Reports) {
            EXPECT_EQ(1u, report.source);
            EXPECT_EQ(E_NOINTERFACE, report.code);
            EXPECT_EQ("", report.message);
        }
    }
}

TEST_F(DirectDrawEnum, DriverWhoseCapabilitiesCannotBeReadIsListedWithoutFlagsAndEndsTheList) {
    FakeDriver& unreadable = machine.AddDriver();
    unreadable.description = "Unreadable";
    unreadable.capsResult = DDERR_GENERIC;
    machine.AddDriver();

    drivers.Enumerate();

    ASSERT_EQ(1, drivers.GetDriverCount());
    EXPECT_STREQ("Unreadable", drivers.GetDescription(0));
    EXPECT_TRUE(IsEqualGUID(unreadable.deviceGuid, drivers.GetDeviceGuid(0)));
    EXPECT_EQ(0, drivers.IsWindowCapable(0));
    EXPECT_EQ(0, drivers.IsAccelerated(0));
    EXPECT_EQ(0, drivers.HasCaps(0));
    EXPECT_EQ(1, machine.callbacks);
    EXPECT_TRUE(Reports.empty());
    EXPECT_TRUE(machine.AllReleased());
}

TEST_F(DirectDrawEnum, UnreadableOrOverlongIdentifierStillGivesATerminatedDescription) {
    FakeDriver& silent = machine.AddDriver();
    silent.identifierResult = DDERR_GENERIC;
    machine.AddDriver().description = std::string(600, 'D');

    drivers.Enumerate();

    ASSERT_EQ(2, drivers.GetDriverCount());
    EXPECT_STREQ("", drivers.GetDescription(0));
    EXPECT_TRUE(IsEqualGUID(ZeroGuid(), drivers.GetDeviceGuid(0)));
    EXPECT_EQ(1, drivers.IsWindowCapable(0));
    EXPECT_EQ(1, drivers.IsAccelerated(0));
    EXPECT_EQ(std::string(511, 'D'), drivers.GetDescription(1));
}

TEST_F(DirectDrawEnum, EnumeratingAgainStartsAfreshAndAnIndexBeyondTheDriversGivesNothing) {
    machine.AddDriver().description = "First";
    FakeDriver& second = machine.AddDriver();
    drivers.Enumerate();
    ASSERT_EQ(2, drivers.GetDriverCount());

    second.capsResult = DDERR_GENERIC;
    machine[0].caps2 = 0;
    drivers.Enumerate();
    ASSERT_EQ(2, drivers.GetDriverCount());
    EXPECT_STREQ("First", drivers.GetDescription(0));
    EXPECT_EQ(0, drivers.IsWindowCapable(0));
    EXPECT_EQ(0, drivers.HasCaps(1));
    for (LONG index : {2L, -1L}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(nullptr, drivers.GetDescription(index));
        EXPECT_TRUE(IsEqualGUID(ZeroGuid(), drivers.GetDeviceGuid(index)));
        EXPECT_EQ(0, drivers.IsWindowCapable(index));
        EXPECT_EQ(0, drivers.IsAccelerated(index));
        EXPECT_EQ(0, drivers.HasCaps(index));
    }
}

} // namespace
