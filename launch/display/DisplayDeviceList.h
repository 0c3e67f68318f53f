// The display devices offered to the player, and the chosen one.
#pragma once
#include <windows.h>
#include "TString.h"

struct DisplayDevice {
    TString description; // driver description, or "UNKNOWN DEVICE"
    LONG fullScreenOnly; // 1 when the device cannot run the game in a window
    LONG accelerated[2]; // by display mode: 3D hardware acceleration available
    LONG filtering[2];   // by display mode: filtering available
    GUID deviceGuid;     // all zero for the placeholder entry
};

class DisplayDeviceTable {
  public:
    DisplayDeviceTable() = default;
    DisplayDeviceTable(const DisplayDeviceTable&) = delete;
    DisplayDeviceTable& operator=(const DisplayDeviceTable&) = delete;
    ~DisplayDeviceTable() { SetSize(0, -1); }

    // Resizes the list (0 or below empties it); newGrowBy -1 keeps the current growth step, 0
    // makes it automatic.
    void SetSize(LONG newSize, LONG newGrowBy);
    DisplayDevice& operator[](LONG index) { return *records[index]; }

    DisplayDevice** records = nullptr;
    LONG size = 0;
    LONG capacity = 0;
    LONG growBy = 0;
    LONG current = 0; // index of the chosen device
};

// Built once when the menu window opens; current is changed only by the settings dialog.
extern DisplayDeviceTable DisplayDeviceList;

// Fills the list from the DirectDraw drivers (a placeholder when there is none) and chooses the
// current device; returns the number of entries.
LONG BuildDisplayDeviceList();
// Copies the current device into the settings record; 0 when the list is empty.
int SelectDisplayDevice();
