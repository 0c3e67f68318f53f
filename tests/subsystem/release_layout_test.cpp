// Records laid out differently on 32-bit and 64-bit Windows, read by the real calls that take
// them: the dialog manager (menu window of class "TEST"), CreateProcessA (the runner's startup
// record), Wine's DirectDraw, DSETUP.dll's ordinals 5 and 11; and a sound device to count.
#include <gtest/gtest.h>

#include <string>

#include "CountSoundDevices.h"
#include "DirectXCheck.h"
#include "DirectXSetup.h"
#include "LauncherState.h"
#include "MenuClass.h"
#include "MenuWindow.h"
#include "RunProcess.h"
#include "SystemCalls.h"
#include "TDirectDrawEnum.h"
#include "TestKey.h"
#include "resource.h"

TEST(ReleaseLayout, TheMenuWindowOfClassTestRunsAsADialog) {
    TestKey settings(HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL");
    settings.StoreDword("Setup", 1);
    AppInstance = GetModuleHandleA(nullptr);
    RegisterMenuClass();
    HWND menu = CreateDialogA(AppInstance, MAKEINTRESOURCEA(IDD_MENU), nullptr, MenuDialogProc);
    ASSERT_EQ(menu, FindWindowA("TEST", nullptr));
    EXPECT_EQ(DLGWINDOWEXTRA, GetClassLongPtrA(menu, GCL_CBWNDEXTRA));
    SetWindowLongPtrA(menu, DWLP_USER, 0x5A5A);
    EXPECT_EQ(0x5A5A, GetWindowLongPtrA(menu, DWLP_USER)) << "the extra bytes end too early";
    // The dialog manager hands the command to the dialog procedure, which closes the menu.
    SendMessageA(menu, WM_COMMAND, IDCANCEL, 0);
    MSG quit;
    EXPECT_TRUE(!IsWindow(menu) && PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(ReleaseLayout, DISABLED_EndsWithTheSizeOfItsStartupRecord) {
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    ExitProcess(startup.dwFlags == 0 ? startup.cb : 1);
}

TEST(ReleaseLayout, AChildStartsFromTheRunnersStartupRecord) {
    char path[MAX_PATH];
    std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    std::string line = "\"" + self + "\" --gtest_also_run_disabled_tests " +
                       "--gtest_filter=ReleaseLayout.DISABLED_EndsWithTheSizeOfItsStartupRecord";
    DWORD code = 0;
    ASSERT_EQ(1, RunProcess(self.c_str(), &line[0], 1, &code, 0));
    EXPECT_EQ(sizeof(void*) == 4 ? 68u : 104u, code);
}

TEST(ReleaseLayout, WinesDirectDrawFillsTheIdentifierCapabilityAndModeRecords) {
    TDirectDrawEnum drivers;
    ASSERT_EQ(DD_OK, drivers.Enumerate());
    EXPECT_STRNE("", drivers.GetDescription(0));
    EXPECT_FALSE(IsEqualGUID(GUID{}, drivers.GetDeviceGuid(0)));
    // GetCaps fills DDCAPS up to its dwSize: 3D and texture flags arrive only at the right places.
    EXPECT_EQ(1, drivers.HasCaps(0));
    EXPECT_EQ(1, drivers.IsAccelerated(0)) << "no OpenGL for Wine's DirectDraw?";

    IDirectDraw* directDraw = nullptr;
    IDirectDraw4* directDraw4 = nullptr;
    ASSERT_EQ(DD_OK, DirectDrawCreate(nullptr, &directDraw, nullptr));
    directDraw->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(&directDraw4));
    directDraw->Release();
    ASSERT_NE(nullptr, directDraw4);
    DDSURFACEDESC2 mode = {};
    mode.dwSize = sizeof mode; // 32-bit Wine takes only 108 or 124, 64-bit Wine 120 or 136
    EXPECT_EQ(DD_OK, directDraw4->GetDisplayMode(&mode));
    EXPECT_EQ(DWORD(GetSystemMetrics(SM_CYSCREEN)), mode.dwHeight);
    directDraw4->Release();
}

TEST(ReleaseLayout, DsetupOrdinalsFiveAndElevenAreCalledThroughTheImportTable) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(base + PIMAGE_DOS_HEADER(base)->e_lfanew);
    auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
        base + headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    while (module->Name && lstrcmpiA(reinterpret_cast<char*>(base + module->Name), "DSETUP.dll"))
        ++module;
    ASSERT_NE(0u, module->Name);
    auto* imports = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    EXPECT_EQ(IMAGE_ORDINAL_FLAG | 5, imports[0].u1.Ordinal);
    EXPECT_EQ(IMAGE_ORDINAL_FLAG | 11, imports[1].u1.Ordinal);
    EXPECT_EQ(0u, imports[2].u1.Ordinal) << "more than ordinals 5 and 11";
    // Bound to the DLL's code, they answer as the stand-in does.
    TestKey directX(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX");
    directX.StoreText("Version", "4.06.02.0436");
    EXPECT_EQ(1, IsDirectXInstalled(DirectX61Version, DirectX61Revision));
    char nowhere[] = "Q:\\no such folder\\";
    EXPECT_EQ(DSETUPERR_CANTFINDDIR, SystemCalls.DirectXSetupA(nullptr, nowhere, DSETUP_DIRECTX));
}

TEST(ReleaseLayout, DirectSoundListsTheNullAlsaDevice) {
    EXPECT_GE(CountSoundDevices(), 1);
}
