// CountSoundDevices: enumerates DirectSound devices into SoundDeviceList.
#include "CountSoundDevices.h"
#include "SoundDeviceList.h"
#include "SystemCalls.h"

namespace {

BOOL CALLBACK AddSoundDevice(GUID* guid, const char* description, const char* module, void*) {
    SoundDeviceList.Append(guid, description, module);
    return TRUE;
}

} // namespace

int CountSoundDevices() {
    SoundDeviceList.Clear();
    if (SystemCalls.DirectSoundEnumerateA(AddSoundDevice, nullptr) != DS_OK)
        return 0;
    return SoundDeviceList.Count();
}
