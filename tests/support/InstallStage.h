// The stage of the install command's tests: a menu window that notes when it is hidden and
// shown, a game folder with the CD's redist layout and the real installer stand-ins, the
// DirectX version in the registry, and fakes for the boxes, the setup library, the disk query
// and the reboot. Everything is put back after each test.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "Kept.h"
#include "ScriptedMessageBoxes.h"
#include "StartUp.h"
#include "StandInRecords.h"
#include "TString.h"
#include "TestKey.h"

// A box of the install command as the player must see it. The transcript names it by label.
struct ExpectedBox {
    const char* label;
    const char* text;
    UINT flags;
    bool owned;     // by the menu window; else no owner
    bool captioned; // "MOSS HARBOR"; else no caption
};
extern const std::vector<ExpectedBox> InstallBoxes;

// A DirectXSetupA failure that shows a box, and whether that box offers to try again.
struct ExpectedSetupFailure {
    int code;
    const char* label;
    bool offersRetry;
};
extern const std::vector<ExpectedSetupFailure> SetupFailuresWithBoxes;

// One answer of the disk query: its result and the numbers it gives.
struct DiskAnswer {
    BOOL ok;
    DWORD sectorsPerCluster;
    DWORD bytesPerSector;
    DWORD freeClusters;
};
// 3814 clusters of 4 KB: 14.9 MB; one cluster short of 15 MB: 14.996 MB.
constexpr DiskAnswer AlmostFifteenMegabytes = {TRUE, 8, 512, 3814};
constexpr DiskAnswer OneClusterShort = {TRUE, 8, 512, 3839};
constexpr DiskAnswer FifteenMegabytes = {TRUE, 8, 512, 3840};
// 4096 MB: the byte count does not fit 32 bits.
constexpr DiskAnswer FourGigabytes = {TRUE, 1, 4096, 0x100000};

class InstallTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // "4.06.02.0436" is DirectX 6.1; SetUp leaves "4.06.00.0318", DirectX 6.0.
    void SetDirectXVersion(const char* text);
    void AnswerBoxes(std::initializer_list<int> answers) { boxes_.Answer(answers); }
    // Results for the coming DirectXSetupA calls; a call beyond them fails the test.
    void ScriptSetupResults(std::initializer_list<int> results);
    // Answers for the coming disk queries; once they are used up the disk has FourGigabytes.
    void ScriptDisk(std::initializer_list<DiskAnswer> answers);
    // The real DSETUP.dll and disk query instead of the fakes.
    void UseRealSetupLibrary();
    // Runs the command on the menu window; the menu must be visible again afterwards.
    int Install();
    std::vector<std::string> Starts() const;
    std::string Installer(const char* name) const { return gameFolder_ + "\\redist\\" + name; }

    struct SetupCall {
        HWND owner;
        std::string source;
        DWORD flags;
    };
    struct RebootCall {
        UINT flags;
        DWORD reason;
        bool mayShutDown; // the shutdown privilege was enabled
    };

    HWND menu_ = nullptr;
    std::string gameFolder_;
    // In order: box labels, "measure", "setup", "reboot", "hide N" and "show N" (N: installer
    // starts so far).
    std::vector<std::string> transcript_;
    std::vector<SetupCall> setupCalls_;
    std::vector<std::string> measuredRoots_;
    std::vector<RebootCall> reboots_;
    std::unique_ptr<StandInLog> log_;
    ScriptedMessageBoxes boxes_;
    TestKey directX_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX"};

  private:
    static LRESULT CALLBACK MenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT WINAPI FakeSetup(HWND owner, LPSTR source, DWORD flags);
    static BOOL WINAPI FakeDiskSpace(LPCSTR root, LPDWORD sectorsPerCluster, LPDWORD bytesPerSector,
                                     LPDWORD freeClusters, LPDWORD totalClusters);
    static BOOL WINAPI FakeReboot(UINT flags, DWORD reason);
    void NoteBox(const ShownBox& box);

    Kept<SystemCallTable> calls_{SystemCalls};
    Kept<TString> gameDirectory_{GameDirectory};
    std::deque<int> setupResults_;
    std::deque<DiskAnswer> diskAnswers_;
};
