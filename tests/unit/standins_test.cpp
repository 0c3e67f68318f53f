// The stand-ins of the game's setup and of the component installers, started the way the
// launcher starts them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RunProcess.h"
#include "StandInRecords.h"
#include "TestFiles.h"
#include "TestRegistry.h"

namespace {

const char SettingsKey[] = "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL";

class SetupStandInTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteRegistryKey(HKEY_LOCAL_MACHINE, SettingsKey);
        scratch_ = MakeScratchFolder("minst");
    }
    void TearDown() override {
        RemoveTree(scratch_);
        for (const char* name : {"MOSS_MINST_EXIT", "MOSS_MINST_NO_SETUP", "MOSS_MINST_CRASH"})
            SetEnvironmentVariableA(name, nullptr);
    }

    // As the setup launcher does: unquoted path and " /E", blocking wait.
    DWORD RunSetupProgram() {
        std::string commandLine = path_ + " /E";
        DWORD exitCode = 0;
        EXPECT_NE(0, RunProcess(path_.c_str(), &commandLine[0], 1, &exitCode, 0));
        return exitCode;
    }
    static DWORD Number(const char* name) {
        DWORD value = 0xDEADBEEF;
        EXPECT_TRUE(ReadRegistryDword(HKEY_LOCAL_MACHINE, SettingsKey, name, value)) << name;
        return value;
    }
    static std::string Text(const char* name) {
        std::string text = "(missing)";
        EXPECT_TRUE(ReadRegistryString(HKEY_LOCAL_MACHINE, SettingsKey, name, text)) << name;
        return text;
    }

    SavedRegistryKey saved_{HKEY_LOCAL_MACHINE, SettingsKey};
    std::string path_ = BinaryFolder() + "\\minst.exe";
    std::string scratch_;
};

TEST_F(SetupStandInTest, LeavesTheSettingsOfAFinishedSetupAndSucceeds) {
    StandInLog log(scratch_ + "\\log.txt");
    EXPECT_EQ(0u, RunSetupProgram());

    std::vector<StandInStart> starts = log.Starts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ("minst.exe", starts[0].program);
    EXPECT_EQ(path_ + " /E", starts[0].commandLine);

    EXPECT_NE(0u, Number("Setup"));
    EXPECT_EQ(BinaryFolder(), Text("Install Path"));
    for (const char* zero : {"Install", "Indeo Check", "Display Mode", "Device", "Install Flag"})
        EXPECT_EQ(0u, Number(zero)) << zero;
    EXPECT_EQ(0xFFFFFFFBu, Number("Option0"));
    EXPECT_EQ(0xFFFFFFFBu, Number("Option1"));
    std::vector<BYTE> deviceId;
    EXPECT_TRUE(ReadRegistryBinary(HKEY_LOCAL_MACHINE, SettingsKey, "Device ID", deviceId));
    EXPECT_EQ(std::vector<BYTE>(16, 0), deviceId);
    EXPECT_EQ("", Text("Save Path"));
    EXPECT_EQ("", Text("Execute"));
}

TEST_F(SetupStandInTest, TestSwitchesFailTheSetupInTheirWays) {
    SetEnvironmentVariableA("MOSS_MINST_EXIT", "1");
    SetEnvironmentVariableA("MOSS_MINST_NO_SETUP", "1");
    EXPECT_EQ(1u, RunSetupProgram());
    DWORD setup;
    EXPECT_FALSE(ReadRegistryDword(HKEY_LOCAL_MACHINE, SettingsKey, "Setup", setup));
    EXPECT_EQ(BinaryFolder(), Text("Install Path"));

    DeleteRegistryKey(HKEY_LOCAL_MACHINE, SettingsKey);
    SetEnvironmentVariableA("MOSS_MINST_CRASH", "1");
    EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), RunSetupProgram());
    std::string installPath;
    EXPECT_FALSE(ReadRegistryString(HKEY_LOCAL_MACHINE, SettingsKey, "Install Path", installPath))
        << "a crashed setup wrote its settings";
}

TEST(InstallerStandIns, RecordTheCommandLinesTheLauncherGivesThemAndSucceed) {
    std::string redist = BinaryFolder();
    std::string scratch = MakeScratchFolder("installers");
    StandInLog log(scratch + "\\log.txt");
    struct Run {
        const char* program;
        const char* switches;
    } runs[] = {
        {"iv5setup.exe", ""},
        {"dxmedia.exe", " -NQ -id:my_GUID"},
        {"dxm6ptch.exe", " /c:\"isv.inf\" /Q:A"},
    };
    for (const Run& run : runs) {
        std::string path = redist + "\\" + run.program;
        std::string commandLine = path + run.switches;
        DWORD exitCode = 1;
        EXPECT_NE(0, RunProcess(path.c_str(), &commandLine[0], 1, &exitCode, 1)) << path;
        EXPECT_EQ(0u, exitCode) << path;
    }

    std::vector<StandInStart> starts = log.Starts();
    ASSERT_EQ(3u, starts.size());
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(runs[i].program, starts[i].program);
        EXPECT_EQ(redist + "\\" + runs[i].program + runs[i].switches, starts[i].commandLine);
        EXPECT_EQ(folder, starts[i].folder) << "the launcher's folder is inherited";
    }
    RemoveTree(scratch);
}

} // namespace
