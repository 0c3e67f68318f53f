// The real launcher.exe under Wine against a hostile machine, driven from outside as a player
// drives it: many launchers at once, every stored setting malformed in turn, awkward paths and
// programs that vanish or crash. Ends with one line: scenarios run, passed, stored values lost.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "GameFolder.h"
#include "MenuItems.h"
#include "OutsidePlayer.h"
#include "StandInRecords.h"
#include "TestFiles.h"
#include "TestKey.h"

namespace {

const char* const SettingsPath = "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL";

// Values the game's own programs stored that the launcher only carries and must give back.
int LostValues = 0;

class Tally : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo& test) override {
        ++run_;
        if (test.result()->Passed())
            ++passed_;
    }
    void OnTestProgramEnd(const testing::UnitTest&) override {
        std::printf("robustness: %d scenarios run, %d passed, %d stored values lost\n", run_,
                    passed_, LostValues);
        std::fflush(stdout);
    }
    int run_ = 0;
    int passed_ = 0;
};
const bool TallyListening = (testing::UnitTest::GetInstance()->listeners().Append(new Tally), true);

std::string TextBytes(const std::string& text) {
    return text + '\0';
}

std::string DwordBytes(DWORD value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// What the game and its setup stored. Install Path is the game folder.
const DWORD GameInstall = 1;
const DWORD GameInstallFlag = 7;
const std::string GameSavePath = "C:\\Saves\\Sp\xE4ter Moss";
const std::string GameExecute = "moss.exe /fast";
const std::string GameDeviceId = "0123456789ABCDEF";

std::string Join(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts)
        joined += "[" + text + "] ";
    return joined;
}

class RobustnessTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(FileExists("D:\\moss.exe")) << "a game was left on drive D:";
        ASSERT_FALSE(FileExists("E:\\moss.exe")) << "a game was left on drive E:";
        directX_.StoreText("Version", "4.06.02.0436");
        folder_ = MakeGameFolder("robust", true);
        log_ = std::make_unique<StandInLog>(folder_ + "-standins.log");
        // The stand-in game closes as soon as it has recorded its start.
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", "1");
    }
    void TearDown() override {
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", nullptr);
        SetEnvironmentVariableA("MOSS_MINST_CRASH", nullptr);
        log_.reset();
        RemoveTree(folder_);
    }

    void StoreGameValues(const std::string& installPath) {
        settings_.StoreDword("Setup", 1);
        settings_.StoreDword("Install", GameInstall);
        settings_.StoreDword("Indeo Check", 1);
        settings_.StoreDword("Display Mode", 0);
        settings_.StoreDword("Device", 1);
        settings_.Store("Device ID", REG_BINARY, GameDeviceId);
        settings_.StoreDword("Option0", 0xFFFFFFFB);
        settings_.StoreDword("Option1", 0xFFFFFFFB);
        settings_.StoreDword("Install Flag", GameInstallFlag);
        settings_.StoreText("Save Path", GameSavePath);
        settings_.StoreText("Install Path", installPath);
        settings_.StoreText("Execute", GameExecute);
    }

    static HWND OpenMenu(ChildProcess& launcher, const std::string& folder) {
        HWND menu = StartLauncher(launcher, folder) ? launcher.WaitForWindow("TEST") : nullptr;
        if (!menu)
            ADD_FAILURE() << "no menu from " << folder << "; exit code " << launcher.WaitForExit(0);
        return menu;
    }

    // Waits for the launcher to end, dismissing (and noting) every box it shows meanwhile.
    static DWORD WaitForEnd(ChildProcess& launcher, std::vector<std::string>& boxes) {
        DWORD start = GetTickCount();
        do {
            DWORD code = launcher.WaitForExit(20);
            if (code != STILL_ACTIVE)
                return code;
            if (HWND box = launcher.FindTopWindow(DialogClass, MessageTextId)) {
                boxes.push_back(MessageBoxText(box));
                DismissMessageBox(box);
            }
        } while (GetTickCount() - start < ChildTimeoutMs);
        return STILL_ACTIVE;
    }

    // The text of a box the last click brought up (dismissed), or "": the second empty message
    // is answered only once the click has been handled.
    static std::string BoxAfterClick(ChildProcess& launcher, HWND menu) {
        DWORD_PTR ignored;
        for (int i = 0; i < 2; ++i)
            SendMessageTimeoutA(menu, WM_NULL, 0, 0, SMTO_NORMAL, ChildTimeoutMs, &ignored);
        HWND box = launcher.FindTopWindow(DialogClass, MessageTextId);
        std::string text = box ? MessageBoxText(box) : "";
        if (box)
            DismissMessageBox(box);
        return text;
    }

    // Play clicked in an open menu: the launcher ends with 0, quietly, and the game started once.
    void ExpectPlayStarts(ChildProcess& launcher, HWND menu, const std::string& game) {
        ClickMenuItem(menu, ItemPlay);
        std::vector<std::string> boxes;
        EXPECT_EQ(0u, WaitForEnd(launcher, boxes)) << "Play does not close the launcher";
        EXPECT_TRUE(boxes.empty()) << Join(boxes);
        std::vector<GameStart> starts = log_->GameStarts();
        ASSERT_EQ(1u, starts.size());
        EXPECT_EQ(game + " 4806173", starts[0].commandLine);
    }
    void ExpectPlayStarts(const std::string& launcherFolder, const std::string& game) {
        ChildProcess launcher;
        if (HWND menu = OpenMenu(launcher, launcherFolder))
            ExpectPlayStarts(launcher, menu, game);
    }

    // A value the launcher only carries must come back as the game stored it.
    void ExpectKept(const char* name, DWORD type, const std::string& bytes) {
        StoredValue stored = settings_.Read(name);
        if (stored.found && stored.type == type && stored.bytes == bytes)
            return;
        ++LostValues;
        ADD_FAILURE() << "\"" << name << "\" was lost: type " << stored.type << ", "
                      << stored.bytes.size() << " bytes";
    }

    TestKey settings_{HKEY_LOCAL_MACHINE, SettingsPath, TestKey::Emptied};
    TestKey directX_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX"};
    std::string folder_;
    std::unique_ptr<StandInLog> log_;
};

// ---- Ten launchers at once ----

TEST_F(RobustnessTest, OfTenLaunchersStartedTogetherExactlyOneOpensItsMenu) {
    StoreGameValues(folder_);
    ChildProcess launchers[10];
    for (ChildProcess& launcher : launchers)
        ASSERT_TRUE(StartLauncher(launcher, folder_, true));
    for (ChildProcess& launcher : launchers)
        launcher.Resume();

    // All but one end at once with 1; the one left running is the winner.
    std::vector<ChildProcess*> running;
    for (DWORD start = GetTickCount(); GetTickCount() - start < ChildTimeoutMs; Sleep(10)) {
        running.clear();
        for (ChildProcess& launcher : launchers) {
            if (launcher.WaitForExit(0) == STILL_ACTIVE)
                running.push_back(&launcher);
        }
        if (running.size() <= 1)
            break;
    }
    ASSERT_EQ(1u, running.size()) << "launchers still running";
    for (ChildProcess& launcher : launchers) {
        if (&launcher != running[0]) {
            EXPECT_EQ(1u, launcher.WaitForExit(0)) << "a launcher that ended";
        }
    }
    HWND menu = running[0]->WaitForWindow("TEST");
    ASSERT_NE(nullptr, menu) << "the one left running shows no menu";
    EXPECT_EQ(0u, running[0]->Close(menu));
}

// ---- Every stored value hostile in turn ----

struct HostileValue {
    std::string label;
    const char* name;
    DWORD type;
    std::string bytes;
    std::string textReading; // texts: what the game must find after Play
};

void PrintTo(const HostileValue& hostile, std::ostream* out) {
    *out << hostile.label;
}

std::vector<HostileValue> HostileValues() {
    std::vector<HostileValue> values;
    auto add = [&values](const char* name, const char* kind, DWORD type, std::string bytes,
                         std::string reading = "") {
        std::string label;
        for (const char* c = name; *c; ++c)
            if (*c != ' ')
                label += *c;
        values.push_back({label + "_" + kind, name, type, std::move(bytes), std::move(reading)});
    };
    for (const char* number : {"Setup", "Install", "Indeo Check", "Display Mode", "Device",
                               "Option0", "Option1", "Install Flag"}) {
        add(number, "WrongType", REG_SZ, TextBytes("1"));
        add(number, "TooShort", REG_DWORD, std::string("\x01\x00", 2));
    }
    // Too long reads as the default; a "Setup" or "Indeo Check" of 0 has a test of its own.
    for (const char* number :
         {"Install", "Display Mode", "Device", "Option0", "Option1", "Install Flag"})
        add(number, "TooLong", REG_DWORD, DwordBytes(1) + DwordBytes(2));
    add("Display Mode", "Seven", REG_DWORD, DwordBytes(7));
    add("Device ID", "WrongType", REG_SZ, TextBytes("{device}"));
    add("Device ID", "TooShort", REG_BINARY, "12345678");
    add("Device ID", "TooLong", REG_BINARY, std::string(20, '\x7F'));
    for (const char* text : {"Save Path", "Install Path", "Execute"}) {
        add(text, "WrongType", REG_BINARY, "D:\\Moss Saves", "D:\\Moss Saves");
        add(text, "TooLong", REG_SZ, TextBytes(std::string(300, 'L')), std::string(300, 'L'));
        add(text, "Unterminated", REG_SZ, "C:\\Open \xE9nd", "C:\\Open \xE9nd");
    }
    return values;
}

class HostileSetting : public RobustnessTest, public testing::WithParamInterface<HostileValue> {
  protected:
    // The twelve values after Play: every number 4 bytes, Display Mode 0 or 1, the device 16
    // bytes, every text one terminated REG_SZ.
    void ExpectSaneRecord() {
        for (const char* number : {"Setup", "Install", "Indeo Check", "Display Mode", "Device",
                                   "Option0", "Option1", "Install Flag"}) {
            StoredValue stored = settings_.Read(number);
            EXPECT_TRUE(stored.found && stored.type == REG_DWORD && stored.bytes.size() == 4)
                << number;
        }
        StoredValue mode = settings_.Read("Display Mode");
        EXPECT_TRUE(mode.bytes == DwordBytes(0) || mode.bytes == DwordBytes(1));
        EXPECT_NE(DwordBytes(0), settings_.Read("Setup").bytes);
        StoredValue id = settings_.Read("Device ID");
        EXPECT_TRUE(id.found && id.type == REG_BINARY && id.bytes.size() == 16);
        for (const char* text : {"Save Path", "Install Path", "Execute"}) {
            StoredValue stored = settings_.Read(text);
            EXPECT_TRUE(stored.found && stored.type == REG_SZ && !stored.bytes.empty() &&
                        stored.bytes.find('\0') == stored.bytes.size() - 1)
                << text;
        }
    }

    void ExpectGameValuesKept(const HostileValue& hostile) {
        auto carried = [&hostile](const char* name) { return std::string(name) != hostile.name; };
        if (carried("Install"))
            ExpectKept("Install", REG_DWORD, DwordBytes(GameInstall));
        if (carried("Install Flag"))
            ExpectKept("Install Flag", REG_DWORD, DwordBytes(GameInstallFlag));
        const std::pair<const char*, std::string> texts[] = {
            {"Save Path", GameSavePath}, {"Install Path", folder_}, {"Execute", GameExecute}};
        for (const auto& text : texts) {
            const std::string& expected = carried(text.first) ? text.second : hostile.textReading;
            ExpectKept(text.first, REG_SZ, TextBytes(expected));
        }
    }
};

TEST_P(HostileSetting, TheMenuOpensSettingsWorkAndPlayWritesSaneValuesKeepingTheGames) {
    const HostileValue& hostile = GetParam();
    StoreGameValues(folder_);
    settings_.Store(hostile.name, hostile.type, hostile.bytes);

    ChildProcess launcher;
    HWND menu = OpenMenu(launcher, folder_);
    ASSERT_NE(nullptr, menu);
    ClickMenuItem(menu, ItemChangeSettings);
    HWND dialog = launcher.WaitForWindow(DialogClass, ChildTimeoutMs, DeviceBoxId);
    ASSERT_NE(nullptr, dialog) << "Change Settings opens no dialog";
    EXPECT_TRUE(PressButton(dialog, IDOK, ChildTimeoutMs)) << "the dialog does not close on OK";
    ExpectPlayStarts(launcher, menu, folder_ + "\\moss.exe");

    ExpectSaneRecord();
    ExpectGameValuesKept(hostile);
}

INSTANTIATE_TEST_SUITE_P(EveryValue, HostileSetting, testing::ValuesIn(HostileValues()),
                         [](const testing::TestParamInfo<HostileValue>& param) {
                             return param.param.label;
                         });

// A number stored in more than 4 bytes reads as its default, 0: "Indeo Check" brings the codec
// question back at the next Play, and "Setup" runs the game's setup again before the menu.
TEST_F(RobustnessTest, NumbersStoredInEightBytesTakeTheirDefaults) {
    const std::string eightBytes = DwordBytes(1) + DwordBytes(2);
    StoreGameValues(folder_);
    settings_.Store("Indeo Check", REG_DWORD, eightBytes);
    ChildProcess launcher;
    HWND menu = OpenMenu(launcher, folder_);
    ASSERT_NE(nullptr, menu);
    ClickMenuItem(menu, ItemPlay);
    EXPECT_EQ(0u, BoxAfterClick(launcher, menu).find("Indeo Video 5.11  may have not"));
    EXPECT_EQ(0u, launcher.Close(menu));

    CopyFileA((BinaryFolder() + "\\minst.exe").c_str(), (folder_ + "\\minst.exe").c_str(), FALSE);
    settings_.Store("Setup", REG_DWORD, eightBytes);
    ChildProcess again;
    menu = OpenMenu(again, folder_);
    ASSERT_NE(nullptr, menu);
    std::vector<StandInStart> starts = log_->Starts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ(folder_ + "\\minst.exe /E", starts[0].commandLine);
    EXPECT_EQ(0u, again.Close(menu));
}

// ---- Paths ----

// A folder below the game folder holding its own launcher, DSETUP.dll and game.
std::string MakeLauncherFolder(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string bin = BinaryFolder();
    for (const char* name : {"launcher.exe", "DSETUP.dll", "moss.exe"})
        CopyFileA((bin + "\\" + name).c_str(), (folder + "\\" + name).c_str(), FALSE);
    return folder;
}

TEST_F(RobustnessTest, AGameFolderNearTheLongestPathStartsItsOwnGame) {
    // The launcher's own path is 259 characters, the longest a path can be.
    std::string deep = folder_ + "\\";
    deep += std::string(259 - deep.size() - std::string("\\launcher.exe").size(), 'p');
    MakeLauncherFolder(deep);
    ASSERT_EQ(259u, (deep + "\\launcher.exe").size());
    StoreGameValues(deep);
    ExpectPlayStarts(deep, deep + "\\moss.exe");
    ExpectKept("Install Path", REG_SZ, TextBytes(deep));
}

TEST_F(RobustnessTest, BlanksAndAccentedLettersInThePathReachTheGameUnquoted) {
    ASSERT_EQ(1252u, GetACP());
    std::string odd = MakeLauncherFolder(folder_ + "\\Moss Harbor Caf\xE9 \xC9"
                                                   "dition");
    StoreGameValues(odd);
    ExpectPlayStarts(odd, odd + "\\moss.exe");
    ExpectKept("Install Path", REG_SZ, TextBytes(odd));
}

TEST_F(RobustnessTest, AnInstallPathOfAMissingFolderFallsBackToTheLaunchersGame) {
    std::string missing = folder_ + "\\no such folder";
    StoreGameValues(missing);
    ExpectPlayStarts(folder_, folder_ + "\\moss.exe");
    ExpectKept("Install Path", REG_SZ, TextBytes(missing));
}

TEST_F(RobustnessTest, AFolderNamedMossExeInTheInstallFolderIsPassedOver) {
    std::string installed = folder_ + "\\installed";
    CreateDirectoryA(installed.c_str(), nullptr);
    CreateDirectoryA((installed + "\\moss.exe").c_str(), nullptr);
    StoreGameValues(installed);
    ExpectPlayStarts(folder_, folder_ + "\\moss.exe");
}

TEST_F(RobustnessTest, TheGameInTheInstallFolderWinsOverTheOneBesideTheLauncher) {
    std::string installed = MakeLauncherFolder(folder_ + "\\installed");
    StoreGameValues(installed);
    ExpectPlayStarts(folder_, installed + "\\moss.exe");
}

// ---- Faults ----

TEST_F(RobustnessTest, AGameRemovedAfterStartUpLeavesPlayQuietlyInTheMenu) {
    StoreGameValues(folder_);
    std::string before = settings_.Snapshot();
    ChildProcess launcher;
    HWND menu = OpenMenu(launcher, folder_);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(DeleteFileA((folder_ + "\\moss.exe").c_str()));

    ClickMenuItem(menu, ItemPlay);
    EXPECT_EQ("", BoxAfterClick(launcher, menu));
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), launcher.WaitForExit(0));
    EXPECT_TRUE(IsWindowVisible(menu));
    EXPECT_TRUE(log_->GameStarts().empty());
    EXPECT_EQ(before, settings_.Snapshot()) << "Play wrote";
    EXPECT_EQ(0u, launcher.Close(menu));
}

TEST_F(RobustnessTest, ACrashingSetupEndsTheLauncherWithZeroAndNoMenu) {
    CopyFileA((BinaryFolder() + "\\minst.exe").c_str(), (folder_ + "\\minst.exe").c_str(), FALSE);
    StoreGameValues(folder_);
    settings_.StoreDword("Setup", 0);
    SetEnvironmentVariableA("MOSS_MINST_CRASH", "1");

    ChildProcess launcher;
    ASSERT_TRUE(StartLauncher(launcher, folder_));
    std::vector<std::string> boxes;
    EXPECT_EQ(0u, WaitForEnd(launcher, boxes));
    EXPECT_TRUE(boxes.empty()) << Join(boxes);
    std::vector<StandInStart> starts = log_->Starts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ(folder_ + "\\minst.exe /E", starts[0].commandLine);
    EXPECT_EQ(DwordBytes(0), settings_.Read("Setup").bytes);
    ExpectKept("Save Path", REG_SZ, TextBytes(GameSavePath));
}

TEST_F(RobustnessTest, AMissingInstallerGivesOneErrorBoxAndTheSequenceGoesOn) {
    std::string redist = folder_ + "\\redist";
    CreateDirectoryA(redist.c_str(), nullptr);
    for (const char* name : {"iv5setup.exe", "dxm6ptch.exe"})
        CopyFileA((BinaryFolder() + "\\" + name).c_str(), (redist + "\\" + name).c_str(), FALSE);
    StoreGameValues(folder_);

    ChildProcess launcher;
    HWND menu = OpenMenu(launcher, folder_);
    ASSERT_NE(nullptr, menu);
    ClickMenuItem(menu, ItemInstallSoftware);
    // DirectX 6.1 is present: its question is skipped.
    const struct {
        const char* caption;
        const char* text;
        int answer;
    } expected[] = {
        {"MOSS HARBOR",
         "Intel(R) Indeo(R) Video 5.11 is required to play MOSS HARBOR.OK to install Intel(R) "
         "Indeo(R) Video 5.11?",
         IDYES},
        {"MOSS HARBOR",
         "Direct X(R) Media is required to play MOSS HARBOR.OK to install Direct X(R) Media?",
         IDYES},
        {"Error", "Error:CreateProcess Setup", IDOK},
    };
    for (const auto& box : expected) {
        HWND shown = launcher.WaitForWindow(DialogClass, ChildTimeoutMs, MessageTextId);
        ASSERT_NE(nullptr, shown) << "no box \"" << box.text << "\"";
        EXPECT_EQ(box.text, MessageBoxText(shown));
        EXPECT_EQ(box.caption, WindowCaption(shown));
        EXPECT_TRUE(PressButton(shown, box.answer, ChildTimeoutMs));
    }
    // The menu comes back once the last installer has ended; the command then has no box left.
    EXPECT_NE(nullptr, launcher.WaitForWindow("TEST")) << "the menu is not shown again";
    EXPECT_EQ("", BoxAfterClick(launcher, menu)) << "one more box";

    std::vector<StandInStart> starts = log_->Starts();
    ASSERT_EQ(2u, starts.size());
    EXPECT_EQ(redist + "\\iv5setup.exe", starts[0].commandLine);
    EXPECT_EQ(redist + "\\dxm6ptch.exe /c:\"isv.inf\" /Q:A", starts[1].commandLine);
    EXPECT_EQ(0u, launcher.Close(menu));
}

} // namespace
