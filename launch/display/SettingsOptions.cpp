// The settings dialog's tables and the rules of the option bits.
#include "SettingsOptions.h"
#include "resource.h"

const OptionEntry SettingsOptions[OptionCount] = {
    {"Hardware Accelerate", "ON", "OFF",
     "Turns ON/OFF the hardware acceleration. Set this to OFF when playing without using a "
     "hardware accelerator.",
     ChoiceRule::DeviceAccelerated},
    {"Rendering", "HIGH", "LOW", "Switches the rendering quality HIGH/LOW.",
     ChoiceRule::AccelerationOn},
    {"Filtering", "ON", "OFF",
     "Turns ON/OFF the filtering. Setting this to ON generally results in better graphics "
     "quality. However, this feature may not function properly with some of the 3D accelerator "
     "boards. In that case, please set this to OFF.",
     ChoiceRule::FilteringAvailableAndOn},
    {"Sound", "ON", "OFF", "Turns ON/OFF the sound. Set this to OFF if you do not require sound.",
     ChoiceRule::Always},
    {"Movie", "ON", "OFF",
     "Turns ON/OFF the demo movie. Under certain hardware environments, movie playback could "
     "hinder proper gameplay. In that case, please set this to OFF.",
     ChoiceRule::Always},
    {"Stereo/Monaural", "Stereo", "Monaural", "Switches the sound STEREO/MONAURAL.",
     ChoiceRule::Always},
};

const ScreenModeEntry ScreenModes[ScreenModeCount] = {
    {"640 x 480 16 Bit Color Full Screen",
     "Plays the game in the full screen at 640 x 480 resolution."},
    {"640 x 480 16 Bit Color Window", "Plays the game in a window at 640 x 480 resolution."},
};

const OptionPreset OptionPresets[PresetCount] = {
    {IDC_QUALITY_PRESET,
     "Prioritize Quality",
     IDC_QUALITY_TEXT,
     "Prioritizes game's graphics and sound quality over game speed. Please note the game speed "
     "may be sacrificed by choosing this option.",
     {true, true, false, true, true, true}},
    {IDC_SPEED_PRESET,
     "Prioritize Speed",
     IDC_SPEED_TEXT,
     "Prioritizes game speed. Game's graphics and sound quality will be sacrificed. To increase "
     "the game speed, please also try choosing the FULL SCREEN mode.",
     {true, false, false, true, true, false}},
};

bool IsChoiceEnabled(int option, const DisplayDevice& device, int mode, DWORD word) {
    switch (SettingsOptions[option].rule) {
        case ChoiceRule::DeviceAccelerated:
            return device.accelerated[mode] != 0;
        case ChoiceRule::AccelerationOn:
            return (word & HardwareAccelerateBit) != 0;
        case ChoiceRule::FilteringAvailableAndOn:
            return device.filtering[mode] != 0 && (word & HardwareAccelerateBit) != 0;
        case ChoiceRule::Always:
            break;
    }
    return true;
}

DWORD ShareOptionBits(DWORD own, DWORD other) {
    return (own & PerModeOptionBits) | (other & ~PerModeOptionBits);
}

DWORD ApplyPreset(const OptionPreset& preset, DWORD word, const DisplayDevice& device, int mode) {
    for (int bit = 0; bit < OptionCount; ++bit) {
        if (preset.choices[bit])
            word |= 1u << bit;
        else
            word &= ~(1u << bit);
    }
    // Without acceleration the game renders in software: no quality rendering, no filtering.
    if (!device.accelerated[mode])
        word &= ~(HardwareAccelerateBit | RenderingBit | FilteringBit);
    if (!device.filtering[mode])
        word &= ~FilteringBit;
    return word;
}
