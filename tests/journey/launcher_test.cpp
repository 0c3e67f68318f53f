// Journeys through the real launcher.exe, run as another process from a game folder: the boxes
// it shows, what it starts (the stand-ins record their command lines) and what it leaves in the
// registry. Wine draws with its GDI renderer here, which opens a menu in a fifth of the time; no
// journey of this program depends on acceleration. Ends with one line counting the robustness
// scenarios run and passed, and the stored values they lost.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "TestKey.h"

namespace {

// Starts the folder's launcher.exe in that folder, as a player starts it.
bool StartLauncher(ChildProcess& launcher, const std::string& folder, bool suspended = false) {
    std::string program = folder + "\\launcher.exe";
    return launcher.Start(program, "\"" + program + "\"", folder, suspended);
}

// Presses button on the launcher's next message box, as a player does: "<caption>|<text>", or
// "" when none came.
std::string AnswerBox(ChildProcess& process, int button) {
    const int messageTextId = 0xFFFF;
    HWND box = process.WaitForWindow("#32770", ChildTimeoutMs, messageTextId);
    if (!box)
        return "";
    char caption[256] = {};
    char text[1024] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, messageTextId, text, sizeof text);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < ChildTimeoutMs;)
        Sleep(10);
    return std::string(caption) + "|" + text;
}

const char* const Numbers[] = {"Setup",  "Install", "Indeo Check", "Display Mode",
                               "Device", "Option0", "Option1",     "Install Flag"};
const auto Text = [](const std::string& text) { return text + '\0'; };
const auto Dword = [](DWORD value) { return std::string(reinterpret_cast<char*>(&value), 4); };

// The last line of the program.
struct Tally {
    int run = 0, passed = 0, lost = 0;
    const char* line = "robustness: %d scenarios run, %d passed, %d stored values lost\n";
    ~Tally() { std::printf(line, run, passed, lost); }
} Count;

// A game folder of its own (launcher.exe, DSETUP.dll, the game, which ends once it has recorded
// its start, and the log every stand-in records its start in) where the setup has been done.
struct Game {
    explicit Game(const char* name = "journey") : files{MakeGameFolder(name)} {
        SetEnvironmentVariableA("MOSS_STANDIN_LOG", log.c_str());
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", "1");
        renderer.StoreText("renderer", "gdi");
        settings.StoreDword("Setup", 1);
    }
    // A value the launcher only carries comes back as it was stored.
    void ExpectKept(const char* name, DWORD type, const std::string& bytes) const {
        StoredValue stored = settings.Read(name);
        Count.lost += stored.type != type || stored.bytes != bytes;
        EXPECT_TRUE(stored.type == type && stored.bytes == bytes) << name << ": " << stored.bytes;
    }
    bool OpenMenu() {
        return StartLauncher(launcher, folder) && (menu = launcher.WaitForWindow("TEST"));
    }
    // Presses the mouse on Play (400, 60), sent so that the reply tells when it has been handled;
    // answers each box it shows meanwhile with button: their "<caption>|<text>".
    std::string ClickPlay(int button = IDOK) {
        bool handled = false;
        SendMessageCallbackA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 60), Handled,
                             reinterpret_cast<ULONG_PTR>(&handled));
        std::string boxes;
        for (DWORD start = GetTickCount(); !handled && GetTickCount() - start < ChildTimeoutMs;) {
            boxes += launcher.FindTopWindow("#32770", 0xFFFF) ? AnswerBox(launcher, button) : "";
            Sleep(5), PumpMessages(); // the reply comes as a message
        }
        return boxes;
    }
    static void CALLBACK Handled(HWND, UINT, ULONG_PTR handled, LRESULT) {
        *reinterpret_cast<bool*>(handled) = true;
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
    HWND menu = nullptr;
};

// Play from an open menu: the game starts once, quietly, and the launcher ends with 0, leaving
// the numbers and the device in their sizes (the texts are checked by their journeys).
void ExpectPlayStarts(Game& game, const std::string& question = "") {
    EXPECT_EQ(question, game.ClickPlay(IDYES));
    EXPECT_EQ(0u, game.launcher.WaitForExit());
    EXPECT_EQ(game.moss + " 4806173\t" + game.folder + "\r\n", ReadTextFile(game.log));
    for (const char* number : Numbers)
        EXPECT_EQ(4u, game.settings.Read(number).bytes.size()) << number;
    const std::string mode = game.settings.Read("Display Mode").bytes;
    EXPECT_TRUE(mode == Dword(0) || mode == Dword(1)) << "full screen or window";
    EXPECT_NE(Dword(0), game.settings.Read("Setup").bytes);
    EXPECT_EQ(16u, game.settings.Read("Device ID").bytes.size());
}

const std::string IndeoQuestion = "MOSS HARBOR|Indeo Video 5.11  may have not been installed.\n"
                                  "Movie may not function properly.\nOK to proceed?";

// Robustness scenarios are counted.
class Robustness : public testing::Test {
    void TearDown() override { ++Count.run, Count.passed += !HasFailure(); }
};

} // namespace

// From a folder with blanks and accents, with the game's values stored and "Display Mode" 7.
TEST_F(Robustness, PlayRefusesAMachineThatCannotRunTheGameThenStartsItKeepingTheGamesValues) {
    Game game("Moss Harbor Caf\xE9 \xC9"
              "dition");
    for (const char* number : Numbers)
        game.settings.StoreDword(number, number == std::string("Display Mode") ? 7 : 1);
    game.settings.StoreDword("Indeo Check", 0);
    game.settings.StoreText("Save Path", "C:\\Sp\xE4ter");
    game.settings.StoreText("Install Path", game.folder);
    game.settings.StoreText("Execute", "moss.exe /fast");
    ASSERT_TRUE(game.OpenMenu());
    EXPECT_EQ(IndeoQuestion, game.ClickPlay(IDNO));
    ASSERT_TRUE(MoveFileA(game.moss.c_str(), (game.moss + ".gone").c_str()));
    EXPECT_EQ("", game.ClickPlay()) << "the game gone: nothing happens";
    EXPECT_TRUE(IsWindowVisible(game.menu));
    EXPECT_EQ(Dword(0), game.settings.Read("Indeo Check").bytes) << "a refused Play wrote";
    ASSERT_TRUE(MoveFileA((game.moss + ".gone").c_str(), game.moss.c_str()));
    ExpectPlayStarts(game);
    EXPECT_EQ(Dword(1), game.settings.Read("Indeo Check").bytes);
    EXPECT_EQ(Dword(1), game.settings.Read("Display Mode").bytes);
    for (const char* number : {"Install", "Install Flag"})
        game.ExpectKept(number, REG_DWORD, Dword(1));
    game.ExpectKept("Save Path", REG_SZ, Text("C:\\Sp\xE4ter"));
    game.ExpectKept("Install Path", REG_SZ, Text(game.folder));
    game.ExpectKept("Execute", REG_SZ, Text("moss.exe /fast"));
}

TEST_F(Robustness, OfTenLaunchersOneOpensItsMenuNineEndWithOneAsDoesOneStartedBesideIt) {
    Game game;
    ChildProcess launchers[10];
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
    for (ChildProcess& launcher : launchers) { // the one left opens its menu, closes with 0
        if (launcher.WaitForExit(0) == STILL_ACTIVE) {
            HWND menu = launcher.WaitForWindow("TEST");
            ChildProcess beside;
            EXPECT_TRUE(StartLauncher(beside, game.folder) && beside.WaitForExit() == 1);
            EXPECT_EQ(0u, launcher.Close(menu));
        }
    }
}

// Every number, the device and every text stored wrongly, one way in each run.
TEST_F(Robustness, ValuesStoredWronglyLeaveTheMenuAndPlayWorkingAndComeBackSane) {
    const struct {
        DWORD numberType, deviceType, textType;
        std::string number, device, text;
    } runs[] = {
        {REG_SZ, REG_SZ, REG_BINARY, Text("1"), Text("{device}"), "D:\\Saves"},
        {REG_DWORD, REG_BINARY, REG_SZ, std::string("\1", 2), "12345678", "C:\\\xE9nd"},
        {REG_DWORD, REG_BINARY, REG_SZ, Dword(1) + Dword(2), std::string(20, '\x7F'),
         Text(std::string(300, 'L'))},
    };
    for (const auto& run : runs) {
        Game game;
        for (const char* number : Numbers)
            game.settings.Store(number, run.numberType, run.number);
        game.settings.Store("Device ID", run.deviceType, run.device);
        for (const char* text : {"Save Path", "Install Path", "Execute"})
            game.settings.Store(text, run.textType, run.text);
        if (run.number.size() > 4) // read as the defaults: not the setup again, but Indeo asked
            game.settings.StoreDword("Setup", 1);
        ASSERT_TRUE(game.OpenMenu());
        ExpectPlayStarts(game, run.number.size() > 4 ? IndeoQuestion : "");
        for (const char* text : {"Save Path", "Install Path", "Execute"})
            game.ExpectKept(text, REG_SZ, Text(run.text.c_str())); // read up to a NUL, or whole
    }
}
