// The DirectSound devices found by the last count.
#pragma once
#include <windows.h>
#include "TString.h"

struct SoundDeviceInfo {
    const GUID* guid; // as DirectSound passed it (null for the primary driver); not a copy
    TString description;
    TString module;
};

// A growable array of owned entries.
class SoundDeviceTable {
  public:
    SoundDeviceTable() = default;
    SoundDeviceTable(const SoundDeviceTable&) = delete;
    SoundDeviceTable& operator=(const SoundDeviceTable&) = delete;
    ~SoundDeviceTable() { Clear(); }

    // 0 when memory ran out; the table is then unchanged.
    int Append(const GUID* guid, const char* description, const char* module);
    // Destroys every entry and frees the array.
    void Clear();
    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    const SoundDeviceInfo& operator[](int index) const { return *entries_[index]; }

  private:
    bool Reserve(int needed);

    SoundDeviceInfo** entries_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};

// Refilled by every CountSoundDevices; only its length is used.
extern SoundDeviceTable SoundDeviceList;
