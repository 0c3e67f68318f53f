// The display device list: storage of its records.
#include "DisplayDeviceList.h"

DisplayDeviceTable DisplayDeviceList;

void DisplayDeviceTable::SetSize(LONG newSize, LONG newGrowBy) {
    if (newGrowBy != -1)
        growBy = newGrowBy;
    if (newSize == 0) {
        for (LONG k = 0; k < size; ++k)
            delete records[k];
        delete[] records;
        records = nullptr;
        size = capacity = 0;
        return;
    }
    if (!records) {
        records = new DisplayDevice*[newSize];
        for (LONG k = 0; k < newSize; ++k)
            records[k] = new DisplayDevice();
        size = capacity = newSize;
        return;
    }
    if (newSize > capacity) {
        LONG step = growBy;
        if (step == 0)
            step = size / 8 < 4 ? 4 : (size / 8 > 1024 ? 1024 : size / 8);
        LONG newCapacity = capacity + step > newSize ? capacity + step : newSize;
        DisplayDevice** grown = new DisplayDevice*[newCapacity];
        for (LONG k = 0; k < size; ++k)
            grown[k] = records[k];
        delete[] records;
        records = grown;
        capacity = newCapacity;
    }
    for (LONG k = size; k < newSize; ++k)
        records[k] = new DisplayDevice();
    for (LONG k = newSize; k < size; ++k)
        delete records[k];
    size = newSize;
}
