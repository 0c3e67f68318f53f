// The display device list: its storage, its building from the DirectDraw drivers and the choice
// of the device the game will use.
#include "DisplayDeviceList.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "GrowthStep.h"
#include "LauncherSettings.h"
#include "TDirectDrawEnum.h"

DisplayDeviceTable DisplayDeviceList;

namespace {

// The launcher has no way on without memory for its device list; it ends as TString does.
DisplayDevice* NewRecord() {
    auto* record = new (std::nothrow) DisplayDevice();
    if (!record)
        std::abort();
    return record;
}

DisplayDevice** NewSlots(LONG count) {
    auto* slots = static_cast<DisplayDevice**>(std::malloc(count * sizeof(DisplayDevice*)));
    if (!slots)
        std::abort();
    return slots;
}

DisplayDevice RecordOfDriver(const TDirectDrawEnum& drivers, LONG index) {
    DisplayDevice record = {};
    record.description = drivers.GetDescription(index);
    record.fullScreenOnly = drivers.IsWindowCapable(index) ? 0 : 1;
    for (int mode = 0; mode < 2; ++mode) {
        record.accelerated[mode] = drivers.IsAccelerated(index);
        record.filtering[mode] = record.accelerated[mode] ? drivers.HasCaps(index) : 0;
    }
    record.deviceGuid = drivers.GetDeviceGuid(index);
    return record;
}

void AppendRecord(const DisplayDevice& record) {
    DisplayDeviceList.SetSize(DisplayDeviceList.size + 1, -1);
    DisplayDeviceList[DisplayDeviceList.size - 1] = record;
}

// The saved device when one was chosen before, else the first accelerated in full screen; the
// first entry when neither is found.
LONG ChooseCurrentDevice() {
    for (LONG i = 0; i < DisplayDeviceList.size; ++i) {
        const DisplayDevice& record = DisplayDeviceList[i];
        if (LauncherSettings.device ? IsEqualGUID(record.deviceGuid, LauncherSettings.deviceId)
                                    : record.accelerated[0] != 0)
            return i;
    }
    return 0;
}

} // namespace

void DisplayDeviceTable::SetSize(LONG newSize, LONG newGrowBy) {
    if (newGrowBy != -1)
        growBy = newGrowBy;
    if (newSize <= 0) {
        for (LONG i = 0; i < size; ++i)
            delete records[i];
        std::free(records);
        records = nullptr;
        size = capacity = 0;
        return;
    }
    if (!records) {
        records = NewSlots(newSize);
        capacity = newSize;
    } else if (newSize > capacity) {
        LONG step = growBy ? growBy : GrowthStep(size);
        LONG newCapacity = capacity + step > newSize ? capacity + step : newSize;
        DisplayDevice** slots = NewSlots(newCapacity);
        std::memcpy(slots, records, size * sizeof(DisplayDevice*));
        std::free(records);
        records = slots;
        capacity = newCapacity;
    }
    for (LONG i = newSize; i < size; ++i) {
        delete records[i];
        records[i] = nullptr;
    }
    for (LONG i = size; i < newSize; ++i)
        records[i] = NewRecord();
    size = newSize;
}

LONG BuildDisplayDeviceList() {
    TDirectDrawEnum drivers;
    DisplayDeviceList.SetSize(0, -1);
    drivers.Enumerate();
    for (LONG i = 0; i < drivers.GetDriverCount(); ++i)
        AppendRecord(RecordOfDriver(drivers, i));
    if (DisplayDeviceList.size == 0) {
        DisplayDevice placeholder = {};
        placeholder.description = "UNKNOWN DEVICE";
        AppendRecord(placeholder);
    }
    DisplayDeviceList.current = ChooseCurrentDevice();
    return DisplayDeviceList.size;
}

int SelectDisplayDevice() {
    // The settings dialog sets current; a negative index is taken as out of range too.
    if (DisplayDeviceList.current < 0 || DisplayDeviceList.current >= DisplayDeviceList.size) {
        if (DisplayDeviceList.size < 1) {
            LauncherSettings.device = 0;
            return 0;
        }
        DisplayDeviceList.current = 0;
    }
    LauncherSettings.device = 1;
    LauncherSettings.deviceId = DisplayDeviceList[DisplayDeviceList.current].deviceGuid;
    return 1;
}
