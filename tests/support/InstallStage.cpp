// InstallTest: the fakes note every call in one transcript, so a test reads as what happened.
#include "InstallStage.h"

#include "DirectXSetup.h"
#include "InstallDirectX6.h"
#include "InstallSoftware.h"
#include "SetupResult.h"
#include "StartUp.h"
#include "SystemCalls.h"
#include "TestFiles.h"

const std::vector<ExpectedBox> InstallBoxes = {
    {"ask DirectX 6", "Direct X(R) 6 is required to play MOSS HARBOR.OK to install Direct X(R) 6?",
     MB_YESNO, true, true},
    {"ask Indeo",
     "Intel(R) Indeo(R) Video 5.11 is required to play MOSS HARBOR.OK to install Intel(R) "
     "Indeo(R) Video 5.11?",
     MB_YESNO, true, true},
    {"ask DirectX Media",
     "Direct X(R) Media is required to play MOSS HARBOR.OK to install Direct X(R) Media?", MB_YESNO,
     true, true},
    {"ask reboot", "Please reboot to complete the installation.\n OK to reboot?", MB_OKCANCEL, true,
     true},
    {"reboot warning", "MOSS HARBOR will not function properly unless rebooting the computer.",
     MB_OK, true, true},
    {"installer error", "Error:CreateProcess Setup", MB_OK, false, false},
    {"wrong Windows", "Your Windows(R) is not support DirectX(R). Setup discontinued.", MB_OK, true,
     true},
    {"damaged CD", "The CD-ROM may be dirty or be damaged.", MB_OK, true, true},
    {"full drive",
     "Not enough free space in Windows(R)95 drive. Please make some room and try again.", MB_OK,
     true, true},
    {"insert CD", "Cannot find a CD. Please insert a CD and try again.", MB_OKCANCEL, true, true},
    {"internal error", "An error occurred. Please reboot and start over.", MB_OK, true, true},
    {"need 15 MB",
     "It is required to have over 15MB space to install Direct X\xAE"
     "6\nPlease press OK after creating the space of 15MB in system drive.\nDirect X\xAE"
     "6  will not be installed if you press the cancel button.",
     MB_OKCANCEL, true, true},
};

const std::vector<ExpectedSetupFailure> SetupFailuresWithBoxes = {
    {-1, "wrong Windows", false}, {-2, "damaged CD", false},     {-3, "damaged CD", false},
    {-4, "damaged CD", false},    {-6, "full drive", false},     {-7, "damaged CD", false},
    {-8, "insert CD", true},      {-9, "internal error", false}, {99, "need 15 MB", true},
};

namespace {

InstallTest* Stage = nullptr;
const char MenuClass[] = "InstallTestMenu";
const char* const InstallerNames[] = {"iv5setup.exe", "dxmedia.exe", "dxm6ptch.exe"};

void SetShutdownPrivilege(bool enabled) {
    HANDLE token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enabled ? SE_PRIVILEGE_ENABLED : 0;
    EXPECT_TRUE(LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid));
    EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
    CloseHandle(token);
}

bool ShutdownPrivilegeEnabled() {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    PRIVILEGE_SET wanted = {};
    wanted.PrivilegeCount = 1;
    wanted.Control = PRIVILEGE_SET_ALL_NECESSARY;
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &wanted.Privilege[0].Luid);
    BOOL held = FALSE;
    bool asked = PrivilegeCheck(token, &wanted, &held);
    CloseHandle(token);
    return asked && held;
}

void RegisterMenuClass(WNDPROC procedure) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = MenuClass;
    RegisterClassA(&windowClass); // fails harmlessly when an earlier test registered it
}

} // namespace

void InstallTest::SetUp() {
    Stage = this;
    SystemCalls.DirectXSetupA = FakeSetup;
    SystemCalls.GetDiskFreeSpaceA = FakeDiskSpace;
    SystemCalls.ExitWindowsEx = FakeReboot;
    boxes_.OnShow([this](const ShownBox& box) { NoteBox(box); });
    SetDirectXVersion("4.06.00.0318");
    SetShutdownPrivilege(false);
    RebootFlag = 0;
    MessageOwner = nullptr;

    gameFolder_ = MakeScratchFolder("install");
    std::string redist = gameFolder_ + "\\redist";
    ASSERT_TRUE(CreateDirectoryA(redist.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((redist + "\\DirectX6").c_str(), nullptr));
    WriteTextFile(redist + "\\DirectX6\\dxsetup.ini",
                  "[DirectX]\r\nVersion=4.06.02.0436\r\nRestart=0\r\n");
    for (const char* name : InstallerNames)
        ASSERT_TRUE(
            CopyFileA((BinaryFolder() + "\\" + name).c_str(), Installer(name).c_str(), TRUE))
            << name;
    GameDirectory = gameFolder_.c_str();
    log_ = std::make_unique<StandInLog>(gameFolder_ + "\\starts.log");

    RegisterMenuClass(MenuProc);
    menu_ = CreateWindowExA(0, MenuClass, "menu", WS_POPUP | WS_VISIBLE, 0, 0, 64, 48, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(menu_ != nullptr);
    transcript_.clear();
}

void InstallTest::TearDown() {
    DestroyWindow(menu_);
    log_.reset();
    RemoveTree(gameFolder_);
    RebootFlag = 0;
    MessageOwner = nullptr;
    Stage = nullptr;
}

void InstallTest::SetDirectXVersion(const char* text) {
    directX_.StoreText("Version", text);
}

void InstallTest::ScriptSetupResults(std::initializer_list<int> results) {
    setupResults_.insert(setupResults_.end(), results);
}

void InstallTest::ScriptDisk(std::initializer_list<DiskAnswer> answers) {
    diskAnswers_.insert(diskAnswers_.end(), answers);
}

void InstallTest::UseRealSetupLibrary() {
    SystemCalls.DirectXSetupA = ::DirectXSetupA;
    SystemCalls.GetDiskFreeSpaceA = ::GetDiskFreeSpaceA;
}

int InstallTest::Install() {
    int result = InstallSoftware(menu_);
    EXPECT_TRUE(IsWindowVisible(menu_)) << "the menu stayed hidden";
    EXPECT_EQ(0u, boxes_.Unanswered()) << "fewer boxes came than were answered";
    return result;
}

std::vector<std::string> InstallTest::Starts() const {
    std::vector<std::string> commandLines;
    for (const StandInStart& start : log_->Starts())
        commandLines.push_back(start.commandLine);
    return commandLines;
}

void InstallTest::NoteBox(const ShownBox& box) {
    for (const ExpectedBox& expected : InstallBoxes) {
        if (box.text != expected.text)
            continue;
        EXPECT_EQ(expected.flags, box.flags) << expected.label;
        EXPECT_EQ(expected.owned ? menu_ : nullptr, box.owner) << expected.label;
        EXPECT_EQ(expected.captioned, box.hasCaption) << expected.label;
        EXPECT_EQ(expected.captioned ? "MOSS HARBOR" : "", box.caption) << expected.label;
        transcript_.push_back(expected.label);
        return;
    }
    transcript_.push_back("unknown box: " + box.text);
}

LRESULT CALLBACK InstallTest::MenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW && Stage && Stage->menu_ == window && Stage->log_)
        Stage->transcript_.push_back((wParam ? "show " : "hide ") +
                                     std::to_string(Stage->log_->Starts().size()));
    return DefWindowProcA(window, message, wParam, lParam);
}

INT WINAPI InstallTest::FakeSetup(HWND owner, LPSTR source, DWORD flags) {
    Stage->transcript_.push_back("setup");
    Stage->setupCalls_.push_back({owner, source ? source : "(null)", flags});
    if (Stage->setupResults_.empty()) {
        ADD_FAILURE() << "DirectXSetupA called once too often";
        return -5; // ends the command without a box
    }
    int result = Stage->setupResults_.front();
    Stage->setupResults_.pop_front();
    return result;
}

BOOL WINAPI InstallTest::FakeDiskSpace(LPCSTR root, LPDWORD sectorsPerCluster,
                                       LPDWORD bytesPerSector, LPDWORD freeClusters,
                                       LPDWORD totalClusters) {
    Stage->transcript_.push_back("measure");
    Stage->measuredRoots_.push_back(root ? root : "(null)");
    if (Stage->diskAnswers_.empty())
        Stage->diskAnswers_.push_back(FourGigabytes);
    DiskAnswer answer = Stage->diskAnswers_.front();
    Stage->diskAnswers_.pop_front();
    if (!answer.ok)
        return FALSE; // a failed query leaves the numbers as they were
    *sectorsPerCluster = answer.sectorsPerCluster;
    *bytesPerSector = answer.bytesPerSector;
    *freeClusters = answer.freeClusters;
    *totalClusters = answer.freeClusters * 2;
    return TRUE;
}

BOOL WINAPI InstallTest::FakeReboot(UINT flags, DWORD reason) {
    Stage->transcript_.push_back("reboot");
    Stage->reboots_.push_back({flags, reason, ShutdownPrivilegeEnabled()});
    return TRUE;
}
