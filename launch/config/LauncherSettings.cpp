// The settings record and its twelve registry values, read and written in the same order.
#include "LauncherSettings.h"

#include <climits>
#include <cstring>

#include "TRegistry.h"

SettingsRecord LauncherSettings;

namespace {

// Every option bit set except Filtering (bit 2).
constexpr DWORD DefaultOptions = 0xFFFFFFFB;

void SetSettingsKey(TRegistry& registry) {
    registry.SetKey(HKEY_LOCAL_MACHINE, "HALDEN", "MOSSHARBOR TRIAL", nullptr);
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
    settings.setup = registry.QueryDword("Setup", 0);
    settings.install = registry.QueryDword("Install", 0);
    settings.indeoCheck = registry.QueryDword("Indeo Check", 0);
    // The mode indexes the two option words: anything but full screen is the window mode.
    settings.displayMode = registry.QueryDword("Display Mode", 0) != 0 ? 1 : 0;
    settings.device = registry.QueryDword("Device", 0);
    LoadDeviceId(registry, settings.deviceId);
    settings.options[0] = registry.QueryDword("Option0", DefaultOptions);
    settings.options[1] = registry.QueryDword("Option1", DefaultOptions);
    settings.installFlag = registry.QueryDword("Install Flag", 0);
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
