// Game start and prerequisites in-process: real children (the stand-ins, this program), the real
// registry and DSETUP.dll; boxes, sound devices, DirectXSetupA, the disk query and the reboot
// through SystemCalls. What a command does is noted, in order, in one transcript.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <deque>

#include "DirectXCheck.h"
#include "IndeoCheck.h"
#include "InstallDirectX6.h"
#include "InstallSoftware.h"
#include "Kept.h"
#include "LauncherSettings.h"
#include "LauncherState.h"
#include "PlayGame.h"
#include "RunProcess.h"
#include "RunSetup.h"
#include "ScriptedMessageBoxes.h"
#include "SetupResult.h"
#include "TestFiles.h"
#include "TestKey.h"

using namespace std::string_literals;

namespace {

const char DirectX60[] = "4.06.00.0318", DirectX61[] = "4.06.02.0436";
const UINT NoCaption = 0x80000000; // not a MessageBoxA flag: the system's default caption

// Every box of these commands, by the label the transcript gives it.
const std::tuple<const char*, const char*, UINT> Boxes[] = {
    {"DX", "Direct X(R) 6 is required to play MOSS HARBOR.OK to install Direct X(R) 6?", MB_YESNO},
    {"Indeo",
     "Intel(R) Indeo(R) Video 5.11 is required to play MOSS HARBOR.OK to install Intel(R) "
     "Indeo(R) Video 5.11?",
     MB_YESNO},
    {"Media", "Direct X(R) Media is required to play MOSS HARBOR.OK to install Direct X(R) Media?",
     MB_YESNO},
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
    {"Indeo?",
     "Indeo Video 5.11  may have not been installed.\nMovie may not function properly.\nOK to "
     "proceed?",
     MB_YESNO | MB_DEFBUTTON2},
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
    std::string log = ReadTextFile(Scratch + "\\starts.log");
    for (size_t end; (end = log.find('\n', StartsSeen)) != std::string::npos;
         StartsSeen = end + 1) {
        // "<name>\t<folder>\t<command line>", or from moss.exe "<command line>\t<folder>\r"
        std::string line = log.substr(StartsSeen, end - StartsSeen);
        bool moss = line.back() == '\r';
        EXPECT_NE(std::string::npos, line.find('\t' + Scratch + (moss ? '\r' : '\t'))) << line;
        line = moss ? line.substr(0, line.find('\t')) : line.substr(line.rfind('\t') + 1);
        Events += "|" + line.substr(line.rfind('\\', line.find(' ')) + 1);
    }
    Events += "|" + event;
}

std::string Transcript() {
    Note("");
    std::string text = Events.substr(1, Events.size() - 2);
    Events.clear();
    return text;
}

// A box by its label: "!" when its flags or caption are not the table's, "@0" without owner.
void NoteBox(const ShownBox& box) {
    UINT flags = box.flags | (box.hasCaption ? 0 : NoCaption);
    bool right = box.caption == (flags & NoCaption ? "" : "MOSS HARBOR"); // "" when none
    std::string event = "?" + box.text;
    for (auto [label, text, wanted] : Boxes)
        if (box.text == text)
            event = label + std::string(right && flags == wanted ? "" : "!");
    Note(event + (box.owner == Menu ? "" : box.owner ? "@?" : "@0"));
}

LRESULT CALLBACK MenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW)
        Note(wParam ? "show" : "hide");
    return DefWindowProcA(window, message, wParam, lParam);
}

int SoundDevices;
HRESULT SoundResult;
HRESULT WINAPI FakeSound(LPDSENUMCALLBACKA callback, LPVOID context) {
    for (int i = 0; i < SoundDevices; ++i)
        callback(nullptr, "Fake Sound", "fake.drv", context);
    return SoundResult;
}

std::deque<int> SetupResults, FreeClusters; // the answers to the next calls

int Next(std::deque<int>& answers, int whenNoneLeft) {
    int answer = answers.empty() ? whenNoneLeft : answers.front();
    if (!answers.empty())
        answers.pop_front();
    return answer;
}

INT WINAPI FakeSetup(HWND owner, LPSTR source, DWORD flags) {
    bool right = owner == Menu && source == Game + "\\redist\\DirectX6\\" && flags == 0x10018;
    Note(right ? "setup" : "bad setup");
    return Next(SetupResults, -5); // no copy: ends the command silently
}

// Clusters of 4096 bytes (0: the query fails); unscripted, 4 GB: 2^32 bytes, past 32 bits.
BOOL WINAPI FakeDisk(LPCSTR root, LPDWORD sectors, LPDWORD bytes, LPDWORD free, LPDWORD total) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    Note(std::string(system, 3) == root ? "disk" : "bad disk");
    *sectors = 1;
    *bytes = 4096;
    *free = *total = Next(FreeClusters, 0x100000);
    return *free != 0;
}

BOOL WINAPI FakeReboot(UINT flags, DWORD reason) {
    HANDLE token;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    PRIVILEGE_SET shutdown = {1, PRIVILEGE_SET_ALL_NECESSARY, {}};
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &shutdown.Privilege[0].Luid);
    BOOL enabled = FALSE; // as it is in a new process
    PrivilegeCheck(token, &shutdown, &enabled);
    CloseHandle(token);
    Note(flags == EWX_REBOOT && reason == 0 && enabled ? "reboot" : "bad reboot");
    return TRUE;
}

// Makes path a module whose version resource has a root block of rootSize bytes with this file
// version (major << 16 | minor).
void PutCodec(const std::string& path, DWORD version, WORD rootSize) {
    ASSERT_TRUE(CopyFileA((Tests + "\\DSETUP.dll").c_str(), path.c_str(), FALSE));
    struct {
        WORD length, rootLength, type;
        wchar_t key[16];
        WORD padding;
        DWORD root[13]; // VS_FIXEDFILEINFO
    } block = {WORD(40 + rootSize), rootSize, 0,
               L"VS_VERSION_INFO",  0,        {0xFEEF04BD, 1 << 16, version}};
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    ASSERT_TRUE(UpdateResourceA(update, RT_VERSION, MAKEINTRESOURCEA(1), 0, &block, 40 + rootSize));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
}

class GameStart : public testing::Test {
  protected:
    GameStart() {
        SystemCalls = {SystemCalls.MessageBoxA, FakeSound, FakeSetup, FakeDisk, FakeReboot};
        SetCurrentDirectoryA((Scratch = MakeScratchFolder("gamestart")).c_str());
        SetEnvironmentVariableA("MOSS_STANDIN_LOG", (Scratch + "\\starts.log").c_str());
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", "1"); // a game started ends at once
        GameDirectory = (Game = BinaryFolder() + "\\gamecd").c_str();
        WNDCLASSA menu = {0, MenuProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "Menu"};
        RegisterClassA(&menu);
        Menu = CreateWindowA("Menu", "", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr, nullptr,
                             nullptr, nullptr);
        StartsSeen = 0;
        Events.clear();
    }
    ~GameStart() override {
        DestroyWindow(Menu);
        SetCurrentDirectoryA(Tests.c_str());
        RemoveTree(Scratch);
    }

    // Play with every box answered so: its result and transcript.
    std::string Play(int answer = IDOK) {
        ScriptedMessageBoxes boxes(answer, NoteBox);
        int result = PlayGame(Menu);
        return std::to_string(result) + " " + Transcript();
    }

    // Install Software with this DirectX version, these answers, DirectXSetupA results and free
    // clusters; each must be used up.
    void Install(const char* directX, std::initializer_list<int> answers, std::deque<int> setups,
                 std::deque<int> clusters, int result, const std::string& transcript) {
        directX_.StoreText("Version", directX);
        SetupResults = setups;
        FreeClusters = clusters;
        MessageOwner = nullptr;
        ScriptedMessageBoxes boxes;
        boxes.OnShow(NoteBox);
        boxes.Answer(answers);
        EXPECT_EQ(result, InstallSoftware(Menu)) << transcript;
        EXPECT_EQ(transcript, Transcript());
        EXPECT_EQ(0u, boxes.Unanswered() + SetupResults.size() + FreeClusters.size()) << transcript;
    }

    using Slots = std::array<LONG, CommandSlotCount>;
    Kept<Slots> busy_{reinterpret_cast<Slots&>(CommandBusy)};
    Kept<SystemCallTable> calls_{SystemCalls};
    Kept<TString> gameDirectory_{GameDirectory};
    Kept<SettingsRecord> settings_{LauncherSettings};
    Kept<int> rebootFlag_{RebootFlag};
    Kept<HWND> messageOwner_{MessageOwner};
    TestKey key_{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied};
    TestKey directX_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX"};
};

} // namespace

// This program as a child of RunProcess: a console program, so never idle; it ends with
// GAMESTART_EXIT after 200 ms.
TEST(GameStartChild, DISABLED_EndsLater) {
    char code[12] = "0";
    GetEnvironmentVariableA("GAMESTART_EXIT", code, sizeof code);
    Sleep(200);
    ExitProcess(std::atoi(code));
}

TEST_F(GameStart, RunProcessWaitsAsAskedAndLetsGoOfTheChild) {
    std::string self = Tests + "\\gamestart_test.exe";
    DWORD code = 7;
    for (auto [pump, exit] : {std::pair(0, "42"), {1, "42"}, {1, "259"}}) {
        SetEnvironmentVariableA("GAMESTART_EXIT", exit);
        std::string line = self + " --gtest_also_run_disabled_tests --gtest_filter=*EndsLater";
        EXPECT_EQ(1, RunProcess(self.c_str(), &line[0], 1, &code, pump));
        EXPECT_EQ(exit, std::to_string(code)) << pump;
    }

    // wait 0: back once the game is idle (its window is up), holding no handle to it any more.
    SetEnvironmentVariableA("MOSS_STANDIN_EXIT", nullptr);
    std::string moss = Game + "\\moss.exe", line = moss + " 4806173";
    EXPECT_EQ(1, RunProcess(moss.c_str(), &line[0], 0, nullptr, 0));
    HWND game = FindWindowA("MossHarborStandIn", nullptr);
    EXPECT_NE(nullptr, game) << "back before the game was idle";
    for (DWORD start = GetTickCount(); !game && GetTickCount() - start < 5000; Sleep(10))
        game = FindWindowA("MossHarborStandIn", nullptr); // to close it all the same
    DWORD id = 0;
    GetWindowThreadProcessId(game, &id);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    ASSERT_NE(nullptr, process) << "the game is not up";
    PostMessageA(game, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 5000));
    // Wine frees an ended process a moment after the last handle to it or its thread goes.
    for (DWORD start = GetTickCount(); process && GetTickCount() - start < 3000; Sleep(10)) {
        CloseHandle(process);
        process = OpenProcess(SYNCHRONIZE, FALSE, id);
    }
    EXPECT_EQ(nullptr, process) << "a handle of the game is still open";
}

TEST_F(GameStart, DirectXAndIndeoVersions) {
    const std::pair<const char*, int> versions[] = {
        {DirectX60, 0},         {"4.06.01.65535", 0},    {"4.06.02.0000", 1},
        {"4.07.00.0000", 1},    {"5.00.00.0000", 1},     {"4.05.65535.65535", 0},
        {"4.06.32768.0000", 1}, {"32768.00.00.0000", 1}, {"4.06", 0}};
    for (auto [version, installed] : versions) {
        directX_.StoreText("Version", version);
        EXPECT_EQ(installed, IsDirectXInstalled(DirectX61Version, DirectX61Revision)) << version;
    }
    // The bare name finds the codec beside this program first. A short root block reads as zeros.
    const std::string codec = Tests + "\\ir50_32.dll";
    EXPECT_EQ(0, IsIndeoInstalled()) << "no codec";
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
    directX_.StoreText("Version", "4.06.01.65535");
    CommandBusy[0] = 1; // Play's own slot, set around the call
    SoundDevices = 1;
    EXPECT_EQ("0 no DirectX", Play());
    directX_.StoreText("Version", DirectX61); // asked again at every Play
    EXPECT_EQ("0 Indeo?", Play(IDNO));
    SoundDevices = 0; // the list is refilled, not appended to
    EXPECT_EQ("0 no sound", Play());
    SoundDevices = 2;
    SoundResult = DSERR_NODRIVER;
    EXPECT_EQ("0 no sound", Play());
    SystemCalls.DirectSoundEnumerateA = ::DirectSoundEnumerateA; // Wine's null ALSA device
    EXPECT_EQ("0 ", Play()) << "asked once per run; moss.exe in no folder and on no CD";
    EXPECT_FALSE(key_.Read("Setup").found) << "a refused Play wrote the settings";

    LauncherSettings.installPath = Game.c_str();
    for (int slot = 1; slot < CommandSlotCount; ++slot) {
        CommandBusy[slot] = 1;
        EXPECT_EQ("0 ", Play()) << slot;
        CommandBusy[slot] = 0;
    }
    LauncherSettings.indeoCheck = 0;
    EXPECT_EQ("1 Indeo?|moss.exe 4806173", Play(IDYES));
    EXPECT_EQ(std::string("\1\0\0\0", 4), key_.Read("Indeo Check").bytes);

    // The settings are saved (the last value written is there) before the start, also when it
    // fails.
    key_.Empty();
    WriteTextFile(Scratch + "\\moss.exe", "not a program");
    LauncherSettings.installPath = Scratch.c_str();
    ScriptedMessageBoxes boxes(IDOK, [this](const ShownBox& box) {
        Note(key_.Read("Execute").found ? "saved" : "unsaved");
        NoteBox(box);
    });
    EXPECT_EQ(1, PlayGame(Menu));
    EXPECT_EQ("saved|game error", Transcript());
}

TEST_F(GameStart, RunSetupRunsMinstWithTheMenuHiddenAndReadsTheSettingsBack) {
    const std::string minst = Tests + "\\minst.exe";
    ScriptedMessageBoxes boxes(IDOK, NoteBox);
    EXPECT_EQ(0, RunSetup(Menu)) << "found nowhere";
    ASSERT_TRUE(CopyFileA((BinaryFolder() + "\\minst.exe").c_str(), minst.c_str(), FALSE));
    for (int exit : {0, 1}) {
        SetEnvironmentVariableA("MOSS_MINST_EXIT", std::to_string(exit).c_str());
        LauncherSettings.installPath = "stale";
        EXPECT_EQ(exit == 0, RunSetup(Menu));
        EXPECT_EQ(key_.Read("Install Path").bytes, LauncherSettings.installPath.Text() + "\0"s);
    }
    SetEnvironmentVariableA("MOSS_MINST_EXIT", nullptr);
    ShowWindow(Menu, SW_HIDE); // not shown yet, as at opening: it stays hidden
    WriteTextFile(minst, "not a program");
    key_.StoreText("Install Path", "C:\\stored");
    EXPECT_EQ(0, RunSetup(Menu));
    DeleteFileA(minst.c_str());
    EXPECT_STREQ("C:\\stored", LauncherSettings.installPath);
    EXPECT_EQ("hide|minst.exe /E|show|hide|minst.exe /E|show|hide|error", Transcript());
}

TEST_F(GameStart, InstallSoftwareAsksInOrderRetriesWhereOfferedAndOwesTheRestart) {
    Install(DirectX61, {IDYES, IDYES}, {}, {}, 1,
            "Indeo|hide|iv5setup.exe|show|Media|hide|dxmedia.exe -NQ "
            "-id:my_GUID|dxm6ptch.exe /c:\"isv.inf\" /Q:A|show");
    // A restart asked for and declined is asked for by every later command...
    Install(DirectX60, {IDYES, IDNO, IDNO, IDCANCEL, IDOK}, {1}, {}, 0,
            "DX|disk|hide|setup|show|Indeo|Media|reboot?|warn");
    Install(DirectX61, {IDNO, IDNO, IDCANCEL, IDOK}, {}, {}, 0, "Indeo|Media|reboot?|warn");
    // ... also after Cancel on the 15 MB box (14.9 MB free); OK reboots.
    Install(DirectX60, {IDYES, IDCANCEL, IDNO, IDNO, IDOK}, {}, {3814}, 1,
            "DX|disk|15MB|Indeo|Media|reboot?|reboot");
    // OK measures again (a failed query, one cluster short, 15 MB); a result 0 owes none.
    Install(DirectX60, {IDYES, IDOK, IDOK, IDNO, IDNO}, {0}, {0, 3839, 3840}, 1,
            "DX|disk|15MB|disk|15MB|disk|hide|setup|show|Indeo|Media");
    // No CD: OK measures and tries again, Cancel stops. Declining DirectX forgets a restart.
    Install(DirectX60, {IDYES, IDOK, IDNO, IDNO, IDOK}, {-8, 1}, {}, 1,
            "DX|disk|hide|setup|show|CD|disk|hide|setup|show|Indeo|Media|reboot?|reboot");
    Install(DirectX60, {IDYES, IDCANCEL}, {-8}, {}, 0, "DX|disk|hide|setup|show|CD");
    Install(DirectX60, {IDNO, IDNO, IDNO}, {}, {}, 1, "DX|Indeo|Media");
    // Every other failure stops the command, after its box if it has one.
    const std::pair<int, const char*> failures[] = {
        {-1, "|windows"}, {-2, "|damaged"}, {-3, "|damaged"}, {-4, "|damaged"},
        {-6, "|full"},    {-7, "|damaged"}, {-9, "|internal"}};
    for (auto [code, box] : failures)
        Install(DirectX60, {IDYES, IDOK}, {code}, {}, 0, "DX|disk|hide|setup|show"s + box);
    for (int code : {-5, 2, -10})
        Install(DirectX60, {IDYES}, {code}, {}, 0, "DX|disk|hide|setup|show");

    GameDirectory = (Game = Scratch).c_str(); // no redist folder
    Install(DirectX61, {IDYES, IDOK, IDYES, IDOK, IDOK}, {}, {}, 1,
            "Indeo|hide|error@0|show|Media|hide|error@0|error@0|show");
    CreateDirectoryA((Game + "\\redist").c_str(), nullptr);
    CopyFileA((BinaryFolder() + "\\dxm6ptch.exe").c_str(),
              (Game + "\\redist\\dxm6ptch.exe").c_str(), FALSE);
    Install(DirectX61, {IDNO, IDYES, IDOK}, {}, {}, 1,
            "Indeo|Media|hide|error@0|dxm6ptch.exe /c:\"isv.inf\" /Q:A|show");
}
