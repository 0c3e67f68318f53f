// Display devices for one test.
#include "TestDeviceList.h"

GUID TaggedGuid(BYTE tag) {
    GUID guid;
    FillMemory(&guid, sizeof guid, tag);
    return guid;
}

TestDeviceList::TestDeviceList(std::initializer_list<DisplayDevice> devices, LONG current)
    : devices_(devices), savedRecords_(DisplayDeviceList.records),
      savedSize_(DisplayDeviceList.size), savedCapacity_(DisplayDeviceList.capacity),
      savedCurrent_(DisplayDeviceList.current), savedSettings_(LauncherSettings) {
    for (DisplayDevice& device : devices_)
        records_.push_back(&device);
    DisplayDeviceList.records = records_.empty() ? nullptr : records_.data();
    DisplayDeviceList.size = DisplayDeviceList.capacity = static_cast<LONG>(records_.size());
    DisplayDeviceList.current = current;
}

TestDeviceList::~TestDeviceList() {
    DisplayDeviceList.records = savedRecords_;
    DisplayDeviceList.size = savedSize_;
    DisplayDeviceList.capacity = savedCapacity_;
    DisplayDeviceList.current = savedCurrent_;
    LauncherSettings = savedSettings_;
}
