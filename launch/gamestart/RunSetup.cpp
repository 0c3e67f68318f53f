// RunSetup: minst.exe /E, waited for with the menu hidden; its settings are read back.
#include "RunSetup.h"
#include "LauncherSettings.h"
#include "LocateFile.h"
#include "RunProcess.h"
#include "SystemCalls.h"

int RunSetup(HWND owner) {
    TString path;
    if (!LocateFile("minst.exe", path, nullptr))
        return 0;
    TString commandLine = path + " /E";

    // At opening the menu is not shown yet: the dialog manager shows it once it is painted.
    // Showing it here would flash an empty window, even before a launcher that ends at once.
    bool wasVisible = IsWindowVisible(owner) != FALSE;
    ShowWindow(owner, SW_HIDE);
    DWORD exitCode = NoExitCode;
    int started = RunProcess(path, commandLine.LockText(), 1, &exitCode, 0);
    commandLine.UnlockText();
    if (!started)
        SystemCalls.MessageBoxA(owner, "Error:CreateProcess Setup", nullptr, MB_OK);
    if (wasVisible)
        ShowWindow(owner, SW_SHOW);

    LoadLauncherSettings();
    return started && exitCode == 0 ? 1 : 0;
}
