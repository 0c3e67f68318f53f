// TEMPORARY, test-only: definitions that other branches bring into launch/ (the device list
// global, DisplayDeviceTable::SetSize, SelectDisplayDevice, IsDirectXInstalled). Remove this file
// when they are merged; nothing else refers to it.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DirectXCheck.h"
#include "DirectXSetup.h"
#include "DisplayDeviceList.h"
#include "LauncherSettings.h"

DisplayDeviceTable DisplayDeviceList;

// Only emptying is needed here: tests fill the list with their own records.
void DisplayDeviceTable::SetSize(LONG newSize, LONG) {
    if (newSize != 0) {
        std::fputs("PendingDefinitions: SetSize can only empty the list\n", stderr);
        std::abort();
    }
    for (LONG i = 0; i < size; ++i)
        delete records[i];
    delete[] records;
    records = nullptr;
    size = capacity = 0;
}

int SelectDisplayDevice() {
    if (DisplayDeviceList.current >= DisplayDeviceList.size) {
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

// Asks the DSETUP.dll stand-in, which reads HKLM\SOFTWARE\Microsoft\DirectX "Version".
int IsDirectXInstalled(DWORD minVersion, DWORD minRevision) {
    DWORD version = 0;
    DWORD revision = 0;
    if (!DirectXSetupGetVersion(&version, &revision))
        return 0;
    if (version != minVersion)
        return version > minVersion;
    return revision >= minRevision;
}
