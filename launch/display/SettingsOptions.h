// The settings dialog's tables: the six options in bit order, the two screen modes and the two
// presets, with the rules that tie them to the current display device.
#pragma once
#include <windows.h>
#include "DisplayDeviceList.h"

enum { OptionCount = 6, ScreenModeCount = 2, PresetCount = 2 };

// Option word bits. A set bit is the first choice (ON, HIGH, Stereo).
enum : DWORD {
    HardwareAccelerateBit = 1,
    RenderingBit = 2,
    FilteringBit = 4,
    // Kept separately for each display mode; every other bit is held equal in both words.
    PerModeOptionBits = HardwareAccelerateBit | FilteringBit,
};

// When an option's choice buttons may be used.
enum class ChoiceRule { DeviceAccelerated, AccelerationOn, FilteringAvailableAndOn, Always };

struct OptionEntry {
    const char* name;        // option list text
    const char* setLabel;    // first choice button: the bit set
    const char* clearLabel;  // second choice button: the bit clear
    const char* description; // shown under "Description"
    ChoiceRule rule;
};
// Indexed by bit number, which is also the option list index.
extern const OptionEntry SettingsOptions[OptionCount];

struct ScreenModeEntry {
    const char* text;        // screen-mode box entry
    const char* description; // shown below the box
};
// Indexed by display mode: 0 full screen, 1 window.
extern const ScreenModeEntry ScreenModes[ScreenModeCount];

struct OptionPreset {
    int button;
    const char* title;
    int explanationId;
    const char* explanation;
    bool choices[OptionCount]; // by bit: true = first choice
};
extern const OptionPreset OptionPresets[PresetCount];

// Whether option's choices may be changed for device in mode while word is the mode's word.
bool IsChoiceEnabled(int option, const DisplayDevice& device, int mode, DWORD word);
// own with the shared bits taken from other.
DWORD ShareOptionBits(DWORD own, DWORD other);
// word with bits 0 to 5 set as the preset says, then limited to what device offers in mode.
DWORD ApplyPreset(const OptionPreset& preset, DWORD word, const DisplayDevice& device, int mode);
