// The settings record against the registry key it shares with the game and its setup program.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <string>

#include "LauncherSettings.h"
#include "TestKey.h"

using namespace std::string_literals;

namespace {

const char* const SettingsPath = "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL";
const GUID Known = {0x11223344, 0x5566, 0x7788, {1, 2, 3, 4, 5, 6, 7, 8}};

std::string Bytes(const void* data, size_t size) {
    return std::string(static_cast<const char*>(data), size);
}

// The record's numbers, then the bytes of deviceId, then its texts.
std::string Fields() {
    const SettingsRecord& s = LauncherSettings;
    std::string fields;
    for (DWORD number : {s.setup, s.install, s.indeoCheck, s.displayMode, s.device, s.options[0],
                         s.options[1], s.installFlag})
        fields += std::to_string(number) + " ";
    return fields + Bytes(&s.deviceId, sizeof s.deviceId) + "|" + s.savePath.Text() + "|" +
           s.installPath.Text() + "|" + s.execute.Text();
}

class Settings : public testing::Test {
  protected:
    Settings() { LauncherSettings = {9, 9, 9, 9, 9, Known, {9, 9}, 9, "x", "x", "x"}; }

    TestKey key{HKEY_LOCAL_MACHINE, SettingsPath, TestKey::Emptied};
};

TEST_F(Settings, SavingWritesTheTwelveValuesAndLoadingReadsThemBackSafely) {
    LauncherSettings = {1, 2, 3, 1, 5, Known, {6, 7}, 8, "C:\\SAVE", "C:\\GAME", "moss.exe"};
    SaveLauncherSettings();
    std::string stored; // type:bytes of each value
    for (const char* name :
         {"Setup", "Install", "Indeo Check", "Display Mode", "Device", "Device ID", "Option0",
          "Option1", "Install Flag", "Save Path", "Install Path", "Execute"})
        stored += std::to_string(key.Read(name).type) + ":" + key.Read(name).bytes + "|";
    EXPECT_EQ("4:\1\0\0\0|4:\2\0\0\0|4:\3\0\0\0|4:\1\0\0\0|4:\5\0\0\0|3:"s + Bytes(&Known, 16) +
                  "|4:\6\0\0\0|4:\7\0\0\0|4:\10\0\0\0|1:C:\\SAVE\0|1:C:\\GAME\0|1:moss.exe\0|"s,
              stored);

    // Numbers wider than 4 bytes read as their default; a shorter "Device ID" replaces only its
    // leading bytes; texts are read whole, so that saving gives them back byte for byte.
    key.Store("Setup", REG_BINARY, "\1\0\0\0\0\0\0\0"s);
    key.Store("Option0", REG_BINARY, "\5\0\0\0\0"s);
    key.Store("Device ID", REG_BINARY, "\xAA\xBB\xCC\xDD");
    const std::string text(69999, 'b');
    key.StoreText("Execute", text);
    LoadLauncherSettings();
    const std::string device = "\xAA\xBB\xCC\xDD" + Bytes(&Known, 16).substr(4);
    EXPECT_EQ("0 2 3 1 5 4294967291 7 8 " + device + "|C:\\SAVE|C:\\GAME|" + text, Fields());
    SaveLauncherSettings();
    EXPECT_TRUE(key.Read("Execute").bytes == text + '\0');
}

// Sets the access list of the settings key (SDDL).
void SetAccess(const char* sddl) {
    HKEY opened = nullptr;
    PSECURITY_DESCRIPTOR access = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &access, nullptr);
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, SettingsPath, 0, WRITE_DAC, &opened);
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, access));
    LocalFree(access);
    RegCloseKey(opened);
}

// "Setup" reads 0 then, so the setup runs.
TEST_F(Settings, WithoutTheKeyOrFullAccessToItEveryValueTakesItsDefault) {
    // What loading gives when no value can be read (deviceId keeps what it held).
    const std::string defaults = "0 0 0 0 0 4294967291 4294967291 0 " + Bytes(&Known, 16) + "|||";
    LoadLauncherSettings();
    EXPECT_EQ(defaults, Fields());
    HKEY opened; // loading created nothing
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, SettingsPath, 0, KEY_READ, &opened));
    key.StoreDword("Setup", 1);
    SetAccess("D:(A;;KRWD;;;WD)"); // everyone may read and change the access list, no more
    LoadLauncherSettings();
    SetAccess("D:(A;;KA;;;WD)");
    EXPECT_EQ(defaults, Fields());
}

} // namespace
