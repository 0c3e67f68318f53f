// InstallIndeo, InstallDirectXMedia: a question, then the installers with the menu hidden.
#include "InstallRedist.h"
#include "HiddenWindow.h"
#include "RunProcess.h"
#include "LauncherState.h"
#include "SystemCalls.h"
#include "TString.h"

namespace {

bool PlayerAgrees(HWND owner, const char* question) {
    return SystemCalls.MessageBoxA(owner, question, "MOSS HARBOR", MB_YESNO) == IDYES;
}

TString RedistFolder() {
    return GameDirectory + "\\redist";
}

// Runs one installer to its end. Its exit code means nothing to the launcher; one that does
// not start gets the box without owner or caption, since the menu is hidden meanwhile.
void RunInstaller(const TString& path, const char* switches) {
    TString commandLine = path + switches;
    DWORD exitCode;
    if (!RunProcess(path, commandLine.LockText(), 1, &exitCode, 1))
        SystemCalls.MessageBoxA(nullptr, "Error:CreateProcess Setup", nullptr, MB_OK);
}

} // namespace

int InstallIndeo(HWND owner) {
    if (!PlayerAgrees(owner, "Intel(R) Indeo(R) Video 5.11 is required to play MOSS HARBOR.OK to "
                             "install Intel(R) Indeo(R) Video 5.11?"))
        return 1;
    TString installer;
    installer.Format("%s\\%s", RedistFolder().Text(), "iv5setup.exe");
    HiddenWindow hidden(owner);
    RunInstaller(installer, "");
    return 1;
}

int InstallDirectXMedia(HWND owner) {
    if (!PlayerAgrees(owner, "Direct X(R) Media is required to play MOSS HARBOR.OK to install "
                             "Direct X(R) Media?"))
        return 1;
    TString redist = RedistFolder();
    TString media;
    media.Format("%s\\dxmedia.exe", redist.Text());
    TString patch;
    patch.Format("%s\\dxm6ptch.exe", redist.Text());
    HiddenWindow hidden(owner);
    RunInstaller(media, " -NQ -id:my_GUID");
    RunInstaller(patch, " /c:\"isv.inf\" /Q:A");
    return 1;
}
