// DescribeSettings: plain registry reads of the values the launcher writes before a start.
#include "SettingsText.h"

#include <windows.h>

#include <cstdio>

namespace {

class SettingsKey {
  public:
    SettingsKey() {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", 0, KEY_READ,
                          &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~SettingsKey() {
        if (key_)
            RegCloseKey(key_);
    }
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    bool Read(const char* name, DWORD wantedType, void* value, DWORD size) const {
        DWORD type = 0;
        DWORD got = size;
        return key_ &&
               RegQueryValueExA(key_, name, nullptr, &type, static_cast<BYTE*>(value), &got) ==
                   ERROR_SUCCESS &&
               type == wantedType && got == size;
    }

  private:
    HKEY key_;
};

std::string DeviceLine(const SettingsKey& key) {
    GUID id;
    if (!key.Read("Device ID", REG_BINARY, &id, sizeof id))
        return "Display device: none chosen";
    char line[80];
    std::snprintf(
        line, sizeof line, "Display device: {%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
        static_cast<unsigned long>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1],
        id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return line;
}

std::string OptionNames(DWORD options) {
    std::string names = options & 0x01 ? "hardware accelerate" : "no hardware accelerate";
    names += options & 0x02 ? ", high rendering" : ", low rendering";
    if (options & 0x04)
        names += ", filtering";
    if (options & 0x08)
        names += ", sound";
    if (options & 0x10)
        names += ", movie";
    names += options & 0x20 ? ", stereo" : ", monaural";
    return names;
}

} // namespace

std::string DescribeSettings() {
    SettingsKey key;
    std::string text = DeviceLine(key) + "\r\n";
    DWORD mode = 0;
    if (!key.Read("Display Mode", REG_DWORD, &mode, sizeof mode) || mode > 1)
        return text + "Display mode: not set";
    text += mode == 0 ? "Display mode: 0 (full screen)\r\n" : "Display mode: 1 (window)\r\n";

    DWORD options = 0;
    if (!key.Read(mode == 0 ? "Option0" : "Option1", REG_DWORD, &options, sizeof options))
        return text + "Options: not set";
    char word[32];
    std::snprintf(word, sizeof word, "Options: 0x%08lX (", static_cast<unsigned long>(options));
    return text + word + OptionNames(options) + ")";
}
