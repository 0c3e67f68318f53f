// CountSoundDevices: how many DirectSound devices the machine offers.
#pragma once

// Refills SoundDeviceList; its length, or 0 when the enumeration failed.
int CountSoundDevices();
