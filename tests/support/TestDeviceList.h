// Display devices for one test, placed in DisplayDeviceList without resizing it.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "DisplayDeviceList.h"
#include "LauncherSettings.h"

// A GUID whose bytes are all tag.
GUID TaggedGuid(BYTE tag);

// Puts copies of the devices into DisplayDeviceList with the given current index; on
// destruction gives back the list and the settings record as they were.
class TestDeviceList {
  public:
    TestDeviceList(std::initializer_list<DisplayDevice> devices, LONG current);
    ~TestDeviceList();
    TestDeviceList(const TestDeviceList&) = delete;
    TestDeviceList& operator=(const TestDeviceList&) = delete;

  private:
    std::vector<DisplayDevice> devices_;
    std::vector<DisplayDevice*> records_;
    DisplayDevice** savedRecords_;
    LONG savedSize_;
    LONG savedCapacity_;
    LONG savedCurrent_;
    SettingsRecord savedSettings_;
};
