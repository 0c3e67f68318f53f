// The settings record and its twelve registry values, read and written in the same order.
#include "LauncherSettings.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "TRegistry.h"

SettingsRecord LauncherSettings;

namespace {

// Every option bit set except Filtering (bit 2).
constexpr DWORD DefaultOptions = 0xFFFFFFFB;

void SetSettingsKey(TRegistry& registry) {
    registry.SetKey(HKEY_LOCAL_MACHINE, "HALDEN", "MOSSHARBOR TRIAL", nullptr);
}

// A number stored in more than 4 bytes reads as its leading 4 (the low half of a 64-bit value):
// taking the default instead would turn a "Setup" of the wrong width into a new run of the
// game's setup, which rewrites everything the game stored.
DWORD LoadNumber(TRegistry& registry, const char* name, DWORD defaultValue) {
    DWORD stored = 0;
    if (!registry.QueryBinary(name, nullptr, stored) || stored <= sizeof(DWORD))
        return registry.QueryDword(name, defaultValue);
    void* block = registry.QueryBinaryAlloc(name, stored);
    if (!block)
        return defaultValue;
    DWORD value = 0;
    std::memcpy(&value, block, stored < sizeof value ? stored : sizeof value);
    std::free(block);
    return value;
}

// A missing value, or one longer than a GUID (not one a device was chosen by), leaves the field
// as it was; a shorter one replaces only its leading bytes.
void LoadDeviceId(TRegistry& registry, GUID& deviceId) {
    BYTE stored[sizeof(GUID)];
    DWORD size = sizeof stored;
    if (registry.QueryBinary("Device ID", stored, size))
        std::memcpy(&deviceId, stored, size);
}

// Reads the text whatever its length: a text cut or emptied here would be written back over
// the game's own value by the next Play.
void LoadText(TRegistry& registry, const char* name, TString& field) {
    DWORD stored = 0;
    registry.QueryBinary(name, nullptr, stored);
    if (stored >= INT_MAX)
        stored = 0; // beyond what a TString holds: unreadable, so the default
    int capacity = stored > MAX_PATH ? static_cast<int>(stored) : MAX_PATH;
    char* buffer = field.BeginWrite(capacity);
    registry.QueryString(name, buffer, capacity + 1, "");
    field.EndWrite(-1);
}

} // namespace

void LoadLauncherSettings() {
    TRegistry registry;
    SetSettingsKey(registry);
    SettingsRecord& settings = LauncherSettings;
    settings.setup = LoadNumber(registry, "Setup", 0);
    settings.install = LoadNumber(registry, "Install", 0);
    settings.indeoCheck = LoadNumber(registry, "Indeo Check", 0);
    // The mode indexes the two option words: anything but full screen is the window mode.
    settings.displayMode = LoadNumber(registry, "Display Mode", 0) != 0 ? 1 : 0;
    settings.device = LoadNumber(registry, "Device", 0);
    LoadDeviceId(registry, settings.deviceId);
    settings.options[0] = LoadNumber(registry, "Option0", DefaultOptions);
    settings.options[1] = LoadNumber(registry, "Option1", DefaultOptions);
    settings.installFlag = LoadNumber(registry, "Install Flag", 0);
    LoadText(registry, "Save Path", settings.savePath);
    LoadText(registry, "Install Path", settings.installPath);
    LoadText(registry, "Execute", settings.execute);
}

void SaveLauncherSettings() {
    TRegistry registry;
    SetSettingsKey(registry);
    const SettingsRecord& settings = LauncherSettings;
    registry.SetDword("Setup", settings.setup);
    registry.SetDword("Install", settings.install);
    registry.SetDword("Indeo Check", settings.indeoCheck);
    registry.SetDword("Display Mode", settings.displayMode);
    registry.SetDword("Device", settings.device);
    registry.SetBinary("Device ID", &settings.deviceId, sizeof settings.deviceId);
    registry.SetDword("Option0", settings.options[0]);
    registry.SetDword("Option1", settings.options[1]);
    registry.SetDword("Install Flag", settings.installFlag);
    registry.SetString("Save Path", settings.savePath);
    registry.SetString("Install Path", settings.installPath);
    registry.SetString("Execute", settings.execute);
}
