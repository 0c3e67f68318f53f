// PlayGame in-process: the real registry, the real DSETUP.dll stand-in and the stand-in game
// (told to end at once), with every message box answered through the system call table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "CopiedTestRun.h"
#include "FileVersion.h"
#include "GameFolder.h"
#include "Kept.h"
#include "StandInRecords.h"
#include "LauncherSettings.h"
#include "LauncherState.h"
#include "PlayGame.h"
#include "ScriptedMessageBoxes.h"
#include "SoundDeviceList.h"
#include "SystemCalls.h"
#include "TestFiles.h"
#include "TestKey.h"
#include "TestWindow.h"

namespace {

const char* const SettingsKey = "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL";
const char* const DirectXKey = "SOFTWARE\\Microsoft\\DirectX";

const char* const DirectXRefusal = "Please install DirectX (R)6 or above first.";
const char* const SoundRefusal = "Direct Sound compatible sound device could not be found.";
const char* const IndeoQuestion = "Indeo Video 5.11  may have not been installed.\n"
                                  "Movie may not function properly.\nOK to proceed?";
const UINT IndeoButtons = MB_YESNO | MB_DEFBUTTON2;

int FakeDeviceCount;
HRESULT FakeEnumerationResult;

HRESULT WINAPI FakeEnumerate(LPDSENUMCALLBACKA callback, LPVOID context) {
    for (int i = 0; i < FakeDeviceCount; ++i)
        callback(nullptr, "Fake Sound", "fake.drv", context);
    return FakeEnumerationResult;
}

class PlayGameTest : public testing::Test {
  protected:
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, savedFolder_);
        CopyFileA((BinaryFolder() + "\\moss.exe").c_str(), game_.c_str(), FALSE);
        ASSERT_TRUE(SetCurrentDirectoryA(workFolder_.c_str()));
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", "1");
        DeleteFileA(codecBeside_.c_str());
        directX_.StoreText("Version", "4.09.00.0904");
        // The settings a finished setup left; Play reads none of them from the registry.
        settings_.StoreDword("Setup", 1);
        settings_.StoreText("Install Path", gameFolder_);
        LauncherSettings = Record();
        std::memcpy(savedBusy_, CommandBusy, sizeof savedBusy_);
        std::memset(CommandBusy, 0, sizeof CommandBusy);
    }
    void TearDown() override {
        SoundDeviceList.Clear();
        std::memcpy(CommandBusy, savedBusy_, sizeof savedBusy_);
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", nullptr);
        SetCurrentDirectoryA(savedFolder_);
        DeleteFileA(codecBeside_.c_str());
        RemoveTree(workFolder_);
        RemoveTree(gameFolder_);
    }

    // Every field differs from its default, so a value left out or swapped shows.
    SettingsRecord Record() const {
        SettingsRecord record;
        record.setup = 1;
        record.install = 2;
        record.indeoCheck = 0;
        record.displayMode = 1;
        record.device = 1;
        record.deviceId = {0x11223344, 0x5566, 0x7788, {1, 2, 3, 4, 5, 6, 7, 8}};
        record.options[0] = 0x2B;
        record.options[1] = 0x0F;
        record.installFlag = 3;
        record.savePath = "C:\\saves";
        record.installPath = gameFolder_.c_str();
        record.execute = "moss.exe -fast";
        return record;
    }

    int Play() { return PlayGame(owner_); }
    std::vector<GameStart> Starts() const { return log_.GameStarts(); }
    std::string Settings() const { return settings_.Snapshot(); }
    DWORD StoredNumber(const char* name) const { return settings_.Read(name).Number(); }
    std::string StoredText(const char* name) const { return settings_.Read(name).Text(); }

    static void UseSoundDevices(int count, HRESULT result) {
        FakeDeviceCount = count;
        FakeEnumerationResult = result;
        SystemCalls.DirectSoundEnumerateA = FakeEnumerate;
    }
    // Copies the codec of a version ("5.2818") beside the program and waits (3 s at most) until
    // the module search by bare name finds it: Wine now and then still sees the old state.
    void InstallCodec(const char* version) {
        std::string built = BinaryFolder() + "\\indeo-" + version + "\\ir50_32.dll";
        ASSERT_TRUE(CopyFileA(built.c_str(), codecBeside_.c_str(), FALSE)) << built;
        DWORD wanted = 5u << 16 | static_cast<DWORD>(std::atoi(version + 2));
        VS_FIXEDFILEINFO info = {};
        for (int waited = 0; waited < 3000; waited += 20) {
            if (GetFileVersion("ir50_32.dll", info) && info.dwFileVersionMS == wanted)
                return;
            Sleep(20);
        }
        FAIL() << "the module search does not find the codec " << version << " beside the program";
    }
    void ExpectBox(const ShownBox& box, const char* text, UINT flags) const {
        EXPECT_EQ(text, box.text);
        EXPECT_TRUE(box.hasCaption);
        EXPECT_EQ("MOSS HARBOR", box.caption);
        EXPECT_EQ(flags, box.flags);
        EXPECT_EQ(owner_, box.owner);
    }
    // The game was started once, as the launcher starts it, in the caller's current folder.
    void ExpectGameStarted(const std::string& path) const {
        std::vector<GameStart> starts = Starts();
        ASSERT_EQ(1u, starts.size()) << "starts of the game";
        EXPECT_EQ(path + " 4806173", starts[0].commandLine);
        EXPECT_EQ(workFolder_, starts[0].folder);
    }

    // The module search finds a codec beside the test program first.
    const std::string codecBeside_ = BinaryFolder() + "\\ir50_32.dll";
    TestKey settings_{HKEY_LOCAL_MACHINE, SettingsKey, TestKey::Emptied};
    TestKey directX_{HKEY_LOCAL_MACHINE, DirectXKey};
    Kept<SystemCallTable> calls_{SystemCalls};
    Kept<SettingsRecord> record_{LauncherSettings};
    LONG savedBusy_[CommandSlotCount] = {};
    char savedFolder_[MAX_PATH] = {};
    // Blanks in the game's folder: its path is passed unquoted.
    const std::string gameFolder_ = MakeScratchFolder("play game");
    const std::string game_ = gameFolder_ + "\\moss.exe";
    const std::string workFolder_ = MakeScratchFolder("play-cwd");
    StandInLog log_{workFolder_ + "\\game.log"};
    TestWindow owner_;
};

} // namespace

TEST_F(PlayGameTest, EachRefusalShowsItsBoxStaysInTheMenuAndWritesNothingUntilChecksPass) {
    struct Refusal {
        const char* what;
        std::function<void()> arrange;
        int answer;
        const char* text;
        UINT flags;
    } refusals[] = {
        {"DirectX 6.0", [this] { directX_.StoreText("Version", "4.06.01.0000"); }, IDOK,
         DirectXRefusal, MB_OK},
        {"no DirectX version recorded", [this] { directX_.Delete("Version"); }, IDOK,
         DirectXRefusal, MB_OK},
        {"no sound device", [] { UseSoundDevices(0, DS_OK); }, IDOK, SoundRefusal, MB_OK},
        {"a failed sound enumeration", [] { UseSoundDevices(2, DSERR_NODRIVER); }, IDOK,
         SoundRefusal, MB_OK},
        {"no Indeo codec, answered No", [] {}, IDNO, IndeoQuestion, IndeoButtons},
    };
    std::string before = Settings();
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        SystemCalls.DirectSoundEnumerateA = ::DirectSoundEnumerateA;
        directX_.StoreText("Version", "4.09.00.0904");
        LauncherSettings = Record();
        refusal.arrange();

        ScriptedMessageBoxes boxes(refusal.answer);
        EXPECT_EQ(0, Play());
        ASSERT_EQ(1u, boxes.Shown().size());
        ExpectBox(boxes.Shown()[0], refusal.text, refusal.flags);
        EXPECT_EQ(before, Settings()) << "nothing may be written";
        EXPECT_TRUE(Starts().empty());
    }
    // Every Play checks again: with DirectX 6.1 and Wine's null sound device it starts.
    SystemCalls.DirectSoundEnumerateA = ::DirectSoundEnumerateA;
    directX_.StoreText("Version", "4.06.02.0436");
    LauncherSettings.indeoCheck = 1;
    EXPECT_EQ(1, Play());
    ExpectGameStarted(game_);
}

TEST_F(PlayGameTest, WithTheGameNowhereItStaysQuietAndWritesNothing) {
    std::string folder = MakeScratchFolder("play-nowhere");
    std::string report;
    EXPECT_TRUE(
        RunTestsFromCopy(folder, {"PlayGameTest.DISABLED_FromAFolderWithoutTheGame"}, report))
        << report;
    RemoveTree(folder);
}

// Run by the test above from a copy of this program: its own folder holds no moss.exe.
TEST_F(PlayGameTest, DISABLED_FromAFolderWithoutTheGame) {
    ASSERT_FALSE(FileExists(BinaryFolder() + "\\moss.exe"));
    for (const char* root : {"D:\\moss.exe", "E:\\moss.exe", "\\moss.exe"})
        ASSERT_FALSE(FileExists(root)) << root;
    DeleteFileA(game_.c_str());
    std::string before = Settings();
    LauncherSettings.indeoCheck = 1;
    for (const char* installPath : {gameFolder_.c_str(), ""}) {
        SCOPED_TRACE(installPath);
        LauncherSettings.installPath = installPath;
        ScriptedMessageBoxes boxes(IDOK);
        EXPECT_EQ(0, Play());
        EXPECT_TRUE(boxes.Shown().empty());
        EXPECT_EQ(before, Settings());
    }
}

TEST_F(PlayGameTest, StartingSavesAllTwelveSettingsThenStartsTheGameWithItsToken) {
    InstallCodec("5.2818");
    ScriptedMessageBoxes boxes(IDNO);
    EXPECT_EQ(1, Play());
    EXPECT_TRUE(boxes.Shown().empty()) << "Indeo 5.2818 passes without a question";
    ExpectGameStarted(game_);

    const std::pair<const char*, DWORD> numbers[] = {
        {"Setup", 1},  {"Install", 2},    {"Indeo Check", 1}, {"Display Mode", 1},
        {"Device", 1}, {"Option0", 0x2B}, {"Option1", 0x0F},  {"Install Flag", 3}};
    for (const auto& number : numbers)
        EXPECT_EQ(number.second, StoredNumber(number.first)) << number.first;
    GUID expected = Record().deviceId;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&expected), sizeof expected),
              settings_.Read("Device ID").bytes);
    EXPECT_EQ("C:\\saves", StoredText("Save Path"));
    EXPECT_EQ(gameFolder_, StoredText("Install Path"));
    EXPECT_EQ("moss.exe -fast", StoredText("Execute"));
    EXPECT_EQ(12u, settings_.CountValues());
}

TEST_F(PlayGameTest, Indeo5_2817AsksOncePerRunYesStartsTheGameAndTheStoredCheckAsksNoMore) {
    InstallCodec("5.2817");
    ScriptedMessageBoxes boxes; // a strict script: a box beyond it fails the test
    boxes.Answer({IDNO});
    EXPECT_EQ(0, Play()) << "answered No";
    EXPECT_EQ(1, Play()) << "the second Play of the run does not ask again";
    ExpectGameStarted(game_);
    EXPECT_EQ(1u, StoredNumber("Indeo Check"));

    // A later run reads "Indeo Check" 1: no question.
    LauncherSettings = Record();
    LauncherSettings.indeoCheck = StoredNumber("Indeo Check");
    EXPECT_EQ(1, Play());

    LauncherSettings = Record(); // a run that has not asked yet
    boxes.Answer({IDYES});
    EXPECT_EQ(1, Play());
    ASSERT_EQ(2u, boxes.Shown().size());
    ExpectBox(boxes.Shown()[1], IndeoQuestion, IndeoButtons);
    EXPECT_EQ(0u, boxes.Unanswered());
}

TEST_F(PlayGameTest, AnEmptyInstallPathLooksAtTheRootOfTheCurrentDriveFirst) {
    std::string root = workFolder_.substr(0, 3);
    ASSERT_EQ(":\\", root.substr(1));
    ScopedFile atRoot(game_, root + "moss.exe");
    ASSERT_TRUE(atRoot.Placed());
    LauncherSettings.installPath = "";
    LauncherSettings.indeoCheck = 1;
    ScriptedMessageBoxes boxes(IDOK);
    EXPECT_EQ(1, Play());
    // Before the copy beside this program: "\moss.exe" is the folder "" joined to the name.
    ExpectGameStarted("\\moss.exe");
    EXPECT_EQ("", StoredText("Install Path"));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(PlayGameTest, AGameThatCannotStartIsReportedAfterTheSettingsWereSavedAndStillCloses) {
    WriteTextFile(game_, "not a program");
    LauncherSettings.indeoCheck = 1;
    std::string savedWhenShown;
    ScriptedMessageBoxes boxes(IDOK, [&](const ShownBox&) {
        savedWhenShown = StoredText("Execute") + "|" + StoredText("Install Path");
    });
    EXPECT_EQ(1, Play()) << "the launcher closes also after a failed start";
    ASSERT_EQ(1u, boxes.Shown().size());
    const ShownBox& box = boxes.Shown()[0];
    EXPECT_EQ("Error:CreateProcess MOSS HARBOR", box.text);
    EXPECT_FALSE(box.hasCaption) << "the system's default caption";
    EXPECT_EQ(static_cast<UINT>(MB_OK), box.flags);
    EXPECT_EQ(owner_, box.owner);
    EXPECT_EQ("moss.exe -fast|" + gameFolder_, savedWhenShown);
    EXPECT_TRUE(Starts().empty());
}

TEST_F(PlayGameTest, AnotherCommandInProgressKeepsPlayQuiet) {
    // Past the guard this Play would stop at the DirectX box.
    directX_.Delete("Version");
    std::string before = Settings();
    ScriptedMessageBoxes boxes(IDOK);
    for (int slot = 1; slot < CommandSlotCount; ++slot) {
        CommandBusy[slot] = 1;
        EXPECT_EQ(0, Play()) << "slot " << slot;
        CommandBusy[slot] = 0;
    }
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(before, Settings());

    CommandBusy[0] = 1; // Play's own slot, set by the menu around this very call
    EXPECT_EQ(0, Play());
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ(DirectXRefusal, boxes.Shown()[0].text);
}
