// Display devices for one test, placed in DisplayDeviceList without resizing it.
#pragma once
#include <vector>

#include "DisplayDeviceList.h"

// Points the list at the given records (owned by the caller) and gives the list back as it
// was when destroyed.
class ScopedDisplayDevices {
  public:
    ScopedDisplayDevices(DisplayDevice* devices, LONG count, LONG current);
    ScopedDisplayDevices(const ScopedDisplayDevices&) = delete;
    ScopedDisplayDevices& operator=(const ScopedDisplayDevices&) = delete;
    ~ScopedDisplayDevices();

  private:
    std::vector<DisplayDevice*> pointers_;
    DisplayDevice** savedRecords_;
    LONG savedSize_;
    LONG savedCapacity_;
    LONG savedCurrent_;
};
