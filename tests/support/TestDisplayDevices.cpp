// Display devices for one test.
#include "TestDisplayDevices.h"

ScopedDisplayDevices::ScopedDisplayDevices(DisplayDevice* devices, LONG count, LONG current)
    : savedRecords_(DisplayDeviceList.records), savedSize_(DisplayDeviceList.size),
      savedCapacity_(DisplayDeviceList.capacity), savedCurrent_(DisplayDeviceList.current) {
    for (LONG k = 0; k < count; ++k)
        pointers_.push_back(&devices[k]);
    DisplayDeviceList.records = count ? pointers_.data() : nullptr;
    DisplayDeviceList.size = count;
    DisplayDeviceList.capacity = count;
    DisplayDeviceList.current = current;
}

ScopedDisplayDevices::~ScopedDisplayDevices() {
    DisplayDeviceList.records = savedRecords_;
    DisplayDeviceList.size = savedSize_;
    DisplayDeviceList.capacity = savedCapacity_;
    DisplayDeviceList.current = savedCurrent_;
}
