// The stand-in game, as the launcher starts it: "<path> 4806173", holding the game's mutex,
// telling tests how it was started and showing the settings it was started with.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TestFiles.h"

namespace {

const DWORD TimeoutMs = 10000;
const char MakerPath[] = "SOFTWARE\\HALDEN";
const char SettingsPath[] = "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL";

bool KeyExists(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool GameMutexExists() {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "MOSS HARBOR PC");
    if (mutex)
        CloseHandle(mutex);
    return mutex != nullptr;
}

// Sets values of the settings key for one test and puts back what was there before.
class SettingsValues {
  public:
    SettingsValues() : makerExisted_(KeyExists(MakerPath)), keyExisted_(KeyExists(SettingsPath)) {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, SettingsPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
    }
    ~SettingsValues() {
        for (const Saved& value : saved_) {
            if (value.existed)
                RegSetValueExA(key_, value.name.c_str(), 0, value.type, value.data.data(),
                               static_cast<DWORD>(value.data.size()));
            else
                RegDeleteValueA(key_, value.name.c_str());
        }
        RegCloseKey(key_);
        if (!keyExisted_)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, SettingsPath);
        if (!makerExisted_)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, MakerPath);
    }
    SettingsValues(const SettingsValues&) = delete;
    SettingsValues& operator=(const SettingsValues&) = delete;

    void Set(const char* name, DWORD type, const void* data, DWORD size) {
        Saved value = {name, 0, std::vector<BYTE>(1024), false};
        DWORD got = static_cast<DWORD>(value.data.size());
        value.existed = RegQueryValueExA(key_, name, nullptr, &value.type, value.data.data(),
                                         &got) == ERROR_SUCCESS;
        value.data.resize(value.existed ? got : 0);
        saved_.push_back(value);
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size));
    }
    void SetDword(const char* name, DWORD value) { Set(name, REG_DWORD, &value, sizeof value); }

  private:
    struct Saved {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
        bool existed;
    };
    bool makerExisted_;
    bool keyExisted_;
    HKEY key_ = nullptr;
    std::vector<Saved> saved_;
};

class MossStandIn : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = MakeScratchFolder("moss");
        log_ = folder_ + "\\starts.log";
        SetEnvironmentVariableA("MOSS_STANDIN_LOG", log_.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableA("MOSS_STANDIN_LOG", nullptr);
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", nullptr);
        RemoveTree(folder_);
    }
    std::string Log() const {
        std::ifstream file(log_, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    const std::string game_ = BinaryFolder() + "\\moss.exe";
    std::string folder_;
    std::string log_;
};

} // namespace

TEST_F(MossStandIn, RecordsHowItWasStartedAndClosesOnTheTestSwitch) {
    SetEnvironmentVariableA("MOSS_STANDIN_EXIT", "1");
    ChildProcess game;
    ASSERT_TRUE(game.Start(game_, game_ + " 4806173", folder_));
    EXPECT_EQ(0u, game.WaitForExit(TimeoutMs));
    ChildProcess again;
    ASSERT_TRUE(again.Start(game_, game_ + " 4806173", "C:\\"));
    EXPECT_EQ(0u, again.WaitForExit(TimeoutMs));
    EXPECT_EQ(game_ + " 4806173\t" + folder_ + "\r\n" + game_ + " 4806173\tC:\\\r\n", Log());
}

TEST_F(MossStandIn, WithoutTheLaunchTokenItEndsWithTwo) {
    ChildProcess game;
    ASSERT_TRUE(game.Start(game_, game_ + " 4806172", folder_));
    EXPECT_EQ(2u, game.WaitForExit(TimeoutMs));
    ChildProcess bare;
    ASSERT_TRUE(bare.Start(game_, game_, folder_));
    EXPECT_EQ(2u, bare.WaitForExit(TimeoutMs));
    EXPECT_EQ(game_ + " 4806172\t" + folder_ + "\r\n" + game_ + "\t" + folder_ + "\r\n", Log());
}

TEST_F(MossStandIn, ShowsTheSettingsOfItsModeAndHoldsTheGameMutex) {
    SettingsValues settings;
    const GUID device = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    settings.Set("Device ID", REG_BINARY, &device, sizeof device);
    settings.SetDword("Display Mode", 1);
    settings.SetDword("Option0", 0x3F);
    settings.SetDword("Option1", 0x3A);

    ChildProcess game;
    ASSERT_TRUE(game.Start(game_, game_ + " 4806173", folder_));
    HWND window = game.WaitForWindow("MossHarborStandIn", TimeoutMs);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(GameMutexExists());
    char text[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(FindWindowExA(window, nullptr, "Static", nullptr), WM_GETTEXT, sizeof text,
                        reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, TimeoutMs, &copied);
    EXPECT_STREQ("MOSS HARBOR (demo stand-in) started.\r\n"
                 "Display device: {12345678-9ABC-DEF0-0102-030405060708}\r\n"
                 "Display mode: 1 (window)\r\n"
                 "Options: 0x0000003A (no hardware accelerate, high rendering, sound, movie, "
                 "stereo)",
                 text);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, game.WaitForExit(TimeoutMs));
    EXPECT_FALSE(GameMutexExists());
}
