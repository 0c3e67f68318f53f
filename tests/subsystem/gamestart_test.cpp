// Game start and prerequisites in-process: real children (the stand-ins), the real registry and
// DSETUP.dll; boxes, the sound device list, DirectXSetupA, the disk query and the reboot through
// SystemCalls. What a command does is noted, in order, in one transcript.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <deque>
#include <sstream>
#include <utility>

#include "IndeoCheck.h"
#include "InstallSoftware.h"
#include "LauncherSettings.h"
#include "LauncherState.h"
#include "PlayGame.h"
#include "RunProcess.h"
#include "RunSetup.h"
#include "ScriptedMessageBoxes.h"
#include "SetupResult.h"
#include "TestFiles.h"
#include "TestKey.h"

namespace {

// DirectX 6.1 exactly (4.06 release 2), and one build short of it.
const char DirectX61[] = "4.06.02.0000", DirectX60[] = "4.06.01.65535";
const UINT NoCaption = 0x80000000; // not a MessageBoxA flag: the system's default caption

// Every box of these commands, by the label the transcript gives it. A box is known by the start
// of its text: all of it but for the questions the journeys check whole.
const std::tuple<const char*, const char*, UINT> Boxes[] = {
    {"DX", "Direct X(R) 6 is required to play MOSS HARBOR.OK to install Direct X(R) 6?", MB_YESNO},
    {"Indeo", "Intel(R) Indeo(R) Video 5.11 is required", MB_YESNO},
    {"Media", "Direct X(R) Media is required", MB_YESNO},
    {"reboot?", "Please reboot to complete the installation.\n OK to reboot?", MB_OKCANCEL},
    {"warn", "MOSS HARBOR will not function properly unless rebooting the computer.", MB_OK},
    {"windows", "Your Windows(R) is not support DirectX(R). Setup discontinued.", MB_OK},
    {"damaged", "The CD-ROM may be dirty or be damaged.", MB_OK},
    {"full", "Not enough free space in Windows(R)95 drive. Please make some room and try again.",
     MB_OK},
    {"CD", "Cannot find a CD. Please insert a CD and try again.", MB_OKCANCEL},
    {"internal", "An error occurred. Please reboot and start over.", MB_OK},
    {"15MB",
     "It is required to have over 15MB space to install Direct X\xAE"
     "6\nPlease press OK after creating the space of 15MB in system drive.\nDirect X\xAE"
     "6  will not be installed if you press the cancel button.",
     MB_OKCANCEL},
    {"no DirectX", "Please install DirectX (R)6 or above first.", MB_OK},
    {"no sound", "Direct Sound compatible sound device could not be found.", MB_OK},
    {"Indeo?", "Indeo Video 5.11  may have not been installed.\n", MB_YESNO | MB_DEFBUTTON2},
    {"error", "Error:CreateProcess Setup", MB_OK | NoCaption},
    {"game error", "Error:CreateProcess MOSS HARBOR", MB_OK | NoCaption},
};

HWND Menu;
std::string Game, Scratch;
const std::string Tests = BinaryFolder() + "\\..\\tests"; // this program's folder
std::string Events;                                       // "|event" each
size_t StartsSeen;

// Notes the stand-ins started since the last event, each run in Scratch (the current folder),
// by their command lines without the program's folder; then the event.
void Note(const std::string& event) {
    std::string log = ReadTextFile(Scratch + "\\starts.log"), line;
    std::istringstream starts(log.substr(std::exchange(StartsSeen, log.size())));
    // "<name>\t<folder>\t<command line>", or from moss.exe "<command line>\t<folder>\r"
    while (std::getline(starts, line)) {
        bool moss = line.back() == '\r';
        EXPECT_NE(std::string::npos, line.find('\t' + Scratch + (moss ? '\r' : '\t'))) << line;
        line = moss ? line.substr(0, line.find('\t')) : line.substr(line.rfind('\t') + 1);
        Events += "|" + line.substr(line.rfind('\\', line.find(' ')) + 1);
    }
    Events += "|" + event;
}

// A box by its label: "!" when its flags or caption are not the table's, "@0" without owner.
void NoteBox(const ShownBox& box) {
    UINT flags = box.flags | (box.hasCaption ? 0 : NoCaption);
    bool right = box.caption == (flags & NoCaption ? "" : "MOSS HARBOR"); // "" when none
    std::string event = "?" + box.text;
    for (auto [label, text, wanted] : Boxes)
        if (box.text.rfind(text, 0) == 0)
            event = label + std::string(right && flags == wanted ? "" : "!");
    Note(event + (box.owner == Menu ? "" : box.owner ? "@?" : "@0"));
}

LRESULT CALLBACK MenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW)
        Note(wParam ? "show" : "hide");
    return DefWindowProcA(window, message, wParam, lParam);
}

HRESULT WINAPI NoSound(LPDSENUMCALLBACKA, LPVOID) {
    return DS_OK;
}

std::deque<int> SetupResults, FreeClusters; // the answers to the next calls

int Next(std::deque<int>& answers, int whenNoneLeft) {
    int answer = answers.empty() ? whenNoneLeft : answers.front();
    if (!answers.empty())
        answers.pop_front();
    return answer;
}

INT WINAPI DxSetup(HWND owner, LPSTR source, DWORD flags) {
    bool right = owner == Menu && source == Game + "\\redist\\DirectX6\\" && flags == 0x10018;
    Note(right ? "setup" : "bad setup");
    return Next(SetupResults, -5); // no copy: ends the command silently
}

// Clusters of 4096 bytes (0: the query fails); unscripted, 4 GB: 2^32 bytes, past 32 bits.
BOOL WINAPI Disk(LPCSTR root, LPDWORD sectors, LPDWORD bytes, LPDWORD free, LPDWORD total) {
    Note(std::string(std::getenv("SystemDrive")) + "\\" == root ? "disk" : "bad disk");
    *sectors = *bytes = 64;
    *free = *total = Next(FreeClusters, 0x100000);
    return *free != 0;
}

BOOL WINAPI Reboot(UINT flags, DWORD reason) {
    Note(flags == EWX_REBOOT && reason == 0 ? "reboot" : "bad reboot");
    return TRUE;
}

// Makes path a module whose version resource has a root block of size bytes with this file
// version (major << 16 | minor).
void PutCodec(const std::string& path, DWORD version, WORD size) {
    ASSERT_TRUE(CopyFileA((Tests + "\\DSETUP.dll").c_str(), path.c_str(), FALSE));
    struct {
        WORD length, rootLength, type;
        wchar_t key[17]; // with the padding to a 32-bit boundary
        DWORD root[13];  // VS_FIXEDFILEINFO
    } block = {WORD(40 + size), size, 0, L"VS_VERSION_INFO", {0xFEEF04BD, 1 << 16, version}};
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    ASSERT_TRUE(UpdateResourceA(update, RT_VERSION, MAKEINTRESOURCEA(1), 0, &block, 40 + size));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
}

class GameStart : public testing::Test {
  protected:
    GameStart() {
        SystemCalls = {SystemCalls.MessageBoxA, DirectSoundEnumerateA, DxSetup, Disk, Reboot};
        SetCurrentDirectoryA((Scratch = MakeScratchFolder("gamestart")).c_str());
        SetEnvironmentVariableA("MOSS_STANDIN_LOG", (Scratch + "\\starts.log").c_str());
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", "1"); // a game started ends at once
        GameDirectory = (Game = BinaryFolder() + "\\gamecd").c_str();
        StartsSeen = 0; // a new log, read as the window shows
        WNDCLASSA menu = {0, MenuProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "Menu"};
        RegisterClassA(&menu);
        Menu = CreateWindowA("Menu", "", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr, nullptr,
                             nullptr, nullptr);
        Events.clear();
    }
    ~GameStart() override {
        DestroyWindow(Menu);
        SetCurrentDirectoryA(Tests.c_str());
        RemoveTree(Scratch);
    }

    // Runs command with this DirectX version, these answers, DirectXSetupA results and free
    // clusters, each to be used up: its result and transcript.
    std::string Run(int (*command)(HWND), std::initializer_list<int> answers,
                    const char* directX = DirectX61, std::deque<int> setups = {},
                    std::deque<int> clusters = {}) {
        directX_.StoreText("Version", directX);
        SetupResults = setups;
        FreeClusters = clusters;
        MessageOwner = nullptr;
        ScriptedMessageBoxes boxes(0, NoteBox);
        boxes.Answer(answers);
        std::string result = std::to_string(command(Menu)) + " ";
        Note("");
        result += Events.substr(1, Events.size() - 2);
        Events.clear();
        EXPECT_EQ(0u, boxes.Unanswered() + SetupResults.size() + FreeClusters.size()) << result;
        return result;
    }

    TestKey key_{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied};
    TestKey directX_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX"};
};

} // namespace

TEST_F(GameStart, IndeoVersions) {
    // The bare name finds the codec beside this program first. A short root block reads as zeros.
    const std::string codec = Tests + "\\ir50_32.dll";
    const std::tuple<DWORD, WORD, int> codecs[] = {
        {0x50B01, 52, 0}, {0x50B02, 52, 1}, {0x60000, 52, 1}, {0x60000, 8, 0}, {0x80000000, 52, 1}};
    for (auto [version, rootSize, installed] : codecs) {
        PutCodec(codec, version, rootSize);
        EXPECT_EQ(installed, IsIndeoInstalled() != 0) << std::hex << version << " " << rootSize;
    }
    DeleteFileA(codec.c_str());
}

TEST_F(GameStart, PlayChecksTheMachineThenSavesTheSettingsAndStartsTheGame) {
    LauncherSettings.installPath = (Game + "\\elsewhere").c_str();
    CommandBusy[0] = 1; // Play's own slot, set around the call
    EXPECT_EQ("0 no DirectX", Run(PlayGame, {IDOK}, DirectX60));
    EXPECT_EQ("0 Indeo?", Run(PlayGame, {IDYES})) << "moss.exe in no folder and on no CD";
    EXPECT_FALSE(key_.Read("Setup").found) << "a refused Play wrote the settings";

    LauncherSettings.installPath = Game.c_str();
    SetEnvironmentVariableA("MOSS_STANDIN_EXIT", nullptr); // the game stays until closed
    EXPECT_EQ("1 moss.exe 4806173", Run(PlayGame, {})) << "Indeo is asked once per run";
    EXPECT_EQ(std::string("\1\0\0\0", 4), key_.Read("Indeo Check").bytes);
    // Back once the game is idle (its window is up), holding no handle to it.
    DWORD id = 0, thread = GetWindowThreadProcessId(FindWindowA("MossHarborStandIn", nullptr), &id);
    HANDLE game = OpenProcess(SYNCHRONIZE, FALSE, id);
    EXPECT_NE(nullptr, game) << "back before the game was idle";
    PostThreadMessageA(thread, WM_QUIT, 0, 0);
    // Wine frees an ended process a moment after the last handle to it or its thread goes.
    for (DWORD start = GetTickCount(); game && GetTickCount() - start < 5000; Sleep(10)) {
        CloseHandle(game);
        game = OpenProcess(SYNCHRONIZE, FALSE, id);
    }
    EXPECT_EQ(nullptr, game) << "a handle of the game is still open";

    // A start that fails closes the launcher all the same, after its box.
    WriteTextFile(Scratch + "\\moss.exe", "not a program");
    LauncherSettings.installPath = Scratch.c_str();
    EXPECT_EQ("1 game error", Run(PlayGame, {IDOK}));
    SystemCalls.DirectSoundEnumerateA = NoSound; // after Wine's null device: refilled
    EXPECT_EQ("0 no sound", Run(PlayGame, {IDOK}));
    CommandBusy[2] = 1; // another command's
    EXPECT_EQ("0 ", Run(PlayGame, {}));
}

TEST_F(GameStart, RunSetupRunsMinstWithTheMenuHiddenAndReadsTheSettingsBackAfterAFailure) {
    const std::string minst = Tests + "\\minst.exe";
    ASSERT_TRUE(CopyFileA((BinaryFolder() + "\\minst.exe").c_str(), minst.c_str(), FALSE));
    SetEnvironmentVariableA("MOSS_MINST_EXIT", "1");
    EXPECT_EQ("0 hide|minst.exe /E|show", Run(RunSetup, {}));
    EXPECT_EQ(key_.Read("Install Path").bytes, std::string(LauncherSettings.installPath) + '\0');
    DeleteFileA(minst.c_str());
}

// DirectX 6 is asked for below 4.06 release 2 (or when its version is unreadable), not above.
TEST_F(GameStart, InstallSoftwareAsksInOrderRetriesWhereOfferedAndOwesTheRestart) {
    EXPECT_EQ("1 Indeo|hide|iv5setup.exe|show|Media|hide|dxmedia.exe -NQ "
              "-id:my_GUID|dxm6ptch.exe /c:\"isv.inf\" /Q:A|show",
              Run(InstallSoftware, {IDYES, IDYES}, "4.07.00.0000"));
    // A restart asked for and declined is asked for by every later command...
    EXPECT_EQ("0 DX|disk|hide|setup|show|Indeo|Media|reboot?|warn",
              Run(InstallSoftware, {IDYES, IDNO, IDNO, IDCANCEL, IDOK}, "4.06", {1}));
    EXPECT_EQ("0 Indeo|Media|reboot?|warn", Run(InstallSoftware, {IDNO, IDNO, IDCANCEL, IDOK}));
    // ... also after Cancel on the 15 MB box (14.9 MB free); OK reboots.
    EXPECT_EQ("1 DX|disk|15MB|Indeo|Media|reboot?|reboot",
              Run(InstallSoftware, {IDYES, IDCANCEL, IDNO, IDNO, IDOK}, DirectX60, {}, {3814}));
    // OK measures again (a failed query, one cluster short, 15 MB); a result 0 owes none.
    EXPECT_EQ(
        "1 DX|disk|15MB|disk|15MB|disk|hide|setup|show|Indeo|Media",
        Run(InstallSoftware, {IDYES, IDOK, IDOK, IDNO, IDNO}, DirectX60, {0}, {0, 3839, 3840}));
    // No CD: OK measures and tries again. Declining DirectX forgets a restart.
    EXPECT_EQ("1 DX|disk|hide|setup|show|CD|disk|hide|setup|show|Indeo|Media|reboot?|reboot",
              Run(InstallSoftware, {IDYES, IDOK, IDNO, IDNO, IDOK}, DirectX60, {-8, 1}));
    EXPECT_EQ("1 DX|Indeo|Media", Run(InstallSoftware, {IDNO, IDNO, IDNO}, "4.05.65535.65535"));
    // Every other failure, and Cancel on the CD box, stops the command after its box if any.
    const std::pair<int, const char*> failures[] = {
        {-1, "|windows"}, {-2, "|damaged"}, {-3, "|damaged"}, {-4, "|damaged"},
        {-6, "|full"},    {-7, "|damaged"}, {-8, "|CD"},      {-9, "|internal"}};
    for (auto [code, box] : failures)
        EXPECT_EQ("0 DX|disk|hide|setup|show" + std::string(box),
                  Run(InstallSoftware, {IDYES, code == -8 ? IDCANCEL : IDOK}, DirectX60, {code}));
    for (int code : {-5, 2, -10})
        EXPECT_EQ("0 DX|disk|hide|setup|show", Run(InstallSoftware, {IDYES}, DirectX60, {code}));

    // Without a redist folder each installer has its box, and the rest still runs.
    GameDirectory = (Game = Scratch).c_str();
    EXPECT_EQ("1 Indeo|hide|error@0|show|Media|hide|error@0|error@0|show",
              Run(InstallSoftware, {IDYES, IDOK, IDYES, IDOK, IDOK}));
}

// The child's exit code: the size of the startup record it was started with (68 bytes on 32-bit
// Windows), or 1 when the runner left a flag set in it.
TEST(StartupRecord, DISABLED_EndsWithItsSize) {
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    ExitProcess(startup.dwFlags == 0 ? startup.cb : 1);
}

TEST(StartupRecord, TheRunnerStartsAChildFromARecordOfItsArchitecture) {
    std::string self = Tests + "\\gamestart_test.exe",
                line = "\"" + self +
                       "\" --gtest_also_run_disabled_tests --gtest_filter=StartupRecord.DISABLED_*";
    DWORD code = 0;
    ASSERT_EQ(1, RunProcess(self.c_str(), &line[0], 1, &code, 0));
    EXPECT_EQ(sizeof(void*) == 4 ? 68u : 104u, code);
}
