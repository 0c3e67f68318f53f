// SoundDeviceList: the entries and the growth of the array that holds them.
#include "SoundDeviceList.h"
#include "GrowthStep.h"

#include <cstdlib>
#include <cstring>
#include <new>

SoundDeviceTable SoundDeviceList;

bool SoundDeviceTable::Reserve(int needed) {
    if (needed <= capacity_)
        return true;
    int step = static_cast<int>(GrowthStep(count_));
    int capacity = capacity_ + step > needed ? capacity_ + step : needed;
    auto* entries =
        static_cast<SoundDeviceInfo**>(std::malloc(sizeof(SoundDeviceInfo*) * capacity));
    if (!entries)
        return false;
    if (count_)
        std::memcpy(entries, entries_, sizeof(SoundDeviceInfo*) * count_);
    std::free(entries_);
    entries_ = entries;
    capacity_ = capacity;
    return true;
}

int SoundDeviceTable::Append(const GUID* guid, const char* description, const char* module) {
    if (!Reserve(count_ + 1))
        return 0;
    auto* entry = new (std::nothrow) SoundDeviceInfo{guid, description, module};
    if (!entry)
        return 0;
    entries_[count_++] = entry;
    return 1;
}

void SoundDeviceTable::Clear() {
    for (int i = 0; i < count_; ++i)
        delete entries_[i];
    std::free(entries_);
    entries_ = nullptr;
    count_ = 0;
    capacity_ = 0;
}
