// Journeys through the real launcher.exe, run as another process from a game folder: the boxes
// it shows, what it starts (the stand-ins record their command lines) and what it leaves in the
// registry. Wine draws with its GDI renderer here, which opens a menu in a fifth of the time; no
// journey of this program depends on acceleration. Ends with one line counting the robustness
// scenarios run and passed, and the stored values they lost.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "MenuItems.h"
#include "OutsidePlayer.h"
#include "TestFiles.h"
#include "TestKey.h"

namespace {

const char* const Numbers[] = {"Setup",  "Install", "Indeo Check", "Display Mode",
                               "Device", "Option0", "Option1",     "Install Flag"};
const char* const Texts[] = {"Save Path", "Install Path", "Execute"};
const auto Text = [](const std::string& text) { return text + '\0'; };
const auto Dword = [](DWORD value) { return std::string(reinterpret_cast<char*>(&value), 4); };

struct Tally {
    ~Tally() {
        std::printf("robustness: %d scenarios run, %d passed, %d stored values lost\n", run, passed,
                    lost);
    }
    int run = 0, passed = 0, lost = 0;
} Count;

// A game folder of its own (launcher.exe, DSETUP.dll, the game, which ends once it has recorded
// its start, and the log every stand-in records its start in) where the setup has been done.
struct Game {
    explicit Game(const char* name = "journey") : files{MakeGameFolder(name, true)} {
        SetEnvironmentVariableA("MOSS_STANDIN_LOG", log.c_str());
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", "1");
        renderer.StoreText("renderer", "gdi");
        settings.StoreDword("Setup", 1);
    }
    // What the game and its setup stored, with values the launcher only carries.
    void StoreGameValues() const {
        for (const char* number : Numbers)
            settings.StoreDword(number, 1);
        settings.Store("Device ID", REG_BINARY, "0123456789ABCDEF");
        settings.StoreText("Save Path", "C:\\Saves\\Sp\xE4ter Moss");
        settings.StoreText("Install Path", folder);
        settings.StoreText("Execute", "moss.exe /fast");
    }
    // A carried value comes back as it was stored.
    void ExpectKept(const char* name, DWORD type, const std::string& bytes) const {
        StoredValue stored = settings.Read(name);
        Count.lost += stored.type != type || stored.bytes != bytes;
        EXPECT_TRUE(stored.type == type && stored.bytes == bytes) << name << ": " << stored.bytes;
    }
    const struct Files {
        ~Files() { RemoveTree(folder); } // once the launcher below has ended
        std::string folder;
    } files;
    const std::string folder = files.folder, moss = folder + "\\moss.exe",
                      log = folder + "\\starts.log";
    TestKey settings{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied};
    TestKey renderer{HKEY_CURRENT_USER, "Software\\Wine\\Direct3D"};
    ChildProcess launcher;
};

HWND OpenMenu(Game& game) {
    return StartLauncher(game.launcher, game.folder) ? game.launcher.WaitForWindow("TEST")
                                                     : nullptr;
}

// Lets the launcher handle the input posted so far (the second empty message is answered only
// after it): "<caption>|<text>" of the box that input brought up, answered with button, or "".
std::string Settle(Game& game, HWND menu, int button = IDOK) {
    DWORD_PTR ignored;
    for (int i = 0; i < 2; ++i)
        SendMessageTimeoutA(menu, WM_NULL, 0, 0, SMTO_NORMAL, ChildTimeoutMs, &ignored);
    return game.launcher.FindTopWindow("#32770", 0xFFFF, false) ? AnswerBox(game.launcher, button)
                                                                : "";
}

// Play from an open menu: the game starts once, quietly, and the launcher ends with 0, leaving
// all twelve values in their types and sizes.
void ExpectPlayStarts(Game& game, HWND menu, const std::string& question = "") {
    ClickMenuItem(menu, ItemPlay);
    EXPECT_EQ(question, Settle(game, menu, IDYES));
    EXPECT_EQ(0u, game.launcher.WaitForExit());
    EXPECT_EQ(game.moss + " 4806173\t" + game.folder + "\r\n", ReadTextFile(game.log));
    for (const char* number : Numbers)
        EXPECT_EQ(4u, game.settings.Read(number).bytes.size()) << number;
    EXPECT_LE(game.settings.Read("Display Mode").bytes, Dword(1));
    EXPECT_NE(Dword(0), game.settings.Read("Setup").bytes);
    EXPECT_EQ(16u, game.settings.Read("Device ID").bytes.size());
    for (const char* text : Texts)
        EXPECT_EQ(REG_SZ, game.settings.Read(text).type) << text;
}

const std::string IndeoQuestion = "MOSS HARBOR|Indeo Video 5.11  may have not been installed.\n"
                                  "Movie may not function properly.\nOK to proceed?";

// Robustness scenarios are counted.
class Robustness : public testing::Test {
    void TearDown() override {
        ++Count.run;
        Count.passed += !HasFailure();
    }
};

} // namespace

// From a folder with blanks and accents, with the game's values stored and "Display Mode" 7.
TEST_F(Robustness, PlayRefusesAMachineThatCannotRunTheGameThenStartsItKeepingTheGamesValues) {
    Game game("Moss Harbor Caf\xE9 \xC9"
              "dition");
    game.StoreGameValues();
    game.settings.StoreDword("Indeo Check", 0);
    game.settings.StoreDword("Display Mode", 7);
    HWND menu = OpenMenu(game);
    ASSERT_NE(nullptr, menu);
    ClickMenuItem(menu, ItemPlay);
    EXPECT_EQ(IndeoQuestion, Settle(game, menu, IDNO));
    ASSERT_TRUE(MoveFileA(game.moss.c_str(), (game.moss + ".gone").c_str()));
    ClickMenuItem(menu, ItemPlay);
    EXPECT_EQ("", Settle(game, menu)) << "the game gone: nothing happens";
    EXPECT_TRUE(IsWindowVisible(menu));
    EXPECT_EQ(Dword(0), game.settings.Read("Indeo Check").bytes) << "a refused Play wrote";
    ASSERT_TRUE(MoveFileA((game.moss + ".gone").c_str(), game.moss.c_str()));
    ExpectPlayStarts(game, menu);
    EXPECT_EQ(Dword(1), game.settings.Read("Indeo Check").bytes);
    EXPECT_EQ(Dword(1), game.settings.Read("Display Mode").bytes);
    game.ExpectKept("Install", REG_DWORD, Dword(1));
    game.ExpectKept("Install Flag", REG_DWORD, Dword(1));
    game.ExpectKept("Save Path", REG_SZ, Text("C:\\Saves\\Sp\xE4ter Moss"));
    game.ExpectKept("Install Path", REG_SZ, Text(game.folder));
    game.ExpectKept("Execute", REG_SZ, Text("moss.exe /fast"));
}

TEST_F(Robustness, OfTenLaunchersOneOpensItsMenuNineEndWithOneAsOneBesideTheSetup) {
    Game game;
    ChildProcess launchers[10], beside;
    for (ChildProcess& launcher : launchers)
        ASSERT_TRUE(StartLauncher(launcher, game.folder, true));
    for (ChildProcess& launcher : launchers)
        launcher.Resume();
    int ended = 0;
    for (DWORD start = GetTickCount(); ended < 9 && GetTickCount() - start < ChildTimeoutMs;) {
        ended = 0;
        for (ChildProcess& launcher : launchers)
            ended += launcher.WaitForExit(10) == 1;
    }
    EXPECT_EQ(9, ended);
    for (ChildProcess& launcher : launchers) // the one left opens its menu, closes with 0
        EXPECT_TRUE(launcher.WaitForExit(0) != STILL_ACTIVE ||
                    launcher.Close(launcher.WaitForWindow("TEST")) == 0);
    HANDLE setup = CreateMutexA(nullptr, FALSE, "MOSS HARBOR PC Setup");
    EXPECT_TRUE(StartLauncher(beside, game.folder) && beside.WaitForExit() == 1);
    CloseHandle(setup);
}

// Every number, the device and every text stored wrongly, one way in each run.
TEST_F(Robustness, ValuesStoredWronglyLeaveTheMenuAndPlayWorkingAndComeBackSane) {
    const struct {
        DWORD numberType, deviceType, textType;
        std::string number, device, text, reading;
    } runs[] = {
        {REG_SZ, REG_SZ, REG_BINARY, Text("1"), Text("{device}"), "D:\\Saves", "D:\\Saves"},
        {REG_DWORD, REG_BINARY, REG_SZ, std::string("\1", 2), "12345678", "C:\\\xE9nd",
         "C:\\\xE9nd"},
        {REG_DWORD, REG_BINARY, REG_SZ, Dword(1) + Dword(2), std::string(20, '\x7F'),
         Text(std::string(300, 'L')), std::string(300, 'L')},
    };
    for (const auto& run : runs) {
        Game game;
        SCOPED_TRACE(run.number.size());
        for (const char* number : Numbers)
            game.settings.Store(number, run.numberType, run.number);
        game.settings.Store("Device ID", run.deviceType, run.device);
        for (const char* text : Texts)
            game.settings.Store(text, run.textType, run.text);
        bool eightBytes = run.number.size() > 4; // read as the defaults: Indeo is asked
        if (eightBytes)
            game.settings.StoreDword("Setup", 1); // not the setup again
        HWND menu = OpenMenu(game);
        ASSERT_NE(nullptr, menu);
        ExpectPlayStarts(game, menu, eightBytes ? IndeoQuestion : "");
        for (const char* text : Texts)
            game.ExpectKept(text, REG_SZ, Text(run.reading));
    }
}
