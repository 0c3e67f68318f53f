// PlayGame: DirectX 6.1, a sound device and the Indeo codec (or the player's consent), then the
// settings are saved and the game started with its launch token.
#include "PlayGame.h"
#include "DirectXCheck.h"
#include "IndeoCheck.h"
#include "LauncherSettings.h"
#include "LocateFile.h"
#include "LauncherState.h"
#include "RunProcess.h"
#include "CountSoundDevices.h"
#include "SystemCalls.h"

const char* const LaunchToken = "4806173";

namespace {

const char* const Caption = "MOSS HARBOR";

bool OtherCommandBusy() {
    for (int slot = 1; slot < CommandSlotCount; ++slot) {
        if (CommandBusy[slot] == 1)
            return true;
    }
    return false;
}

// Asked at most once per run: the flag is set before the codec is looked at.
bool IndeoAcceptable(HWND owner) {
    if (LauncherSettings.indeoCheck != 0)
        return true;
    LauncherSettings.indeoCheck = 1;
    if (IsIndeoInstalled())
        return true;
    return SystemCalls.MessageBoxA(owner,
                                   "Indeo Video 5.11  may have not been installed.\n"
                                   "Movie may not function properly.\nOK to proceed?",
                                   Caption, MB_YESNO | MB_DEFBUTTON2) != IDNO;
}

void StartGame(HWND owner, const TString& path) {
    TString commandLine;
    commandLine.Format("%s %s", static_cast<const char*>(path), LaunchToken);
    int started = RunProcess(path, commandLine.LockText(), 0, nullptr, 0);
    commandLine.UnlockText();
    if (!started)
        SystemCalls.MessageBoxA(owner, "Error:CreateProcess MOSS HARBOR", nullptr, MB_OK);
}

} // namespace

int PlayGame(HWND owner) {
    if (OtherCommandBusy())
        return 0;
    if (!IsDirectXInstalled(DirectX61Version, DirectX61Revision)) {
        SystemCalls.MessageBoxA(owner, "Please install DirectX (R)6 or above first.", Caption,
                                MB_OK);
        return 0;
    }
    if (CountSoundDevices() == 0) {
        SystemCalls.MessageBoxA(owner, "Direct Sound compatible sound device could not be found.",
                                Caption, MB_OK);
        return 0;
    }
    if (!IndeoAcceptable(owner))
        return 0;
    TString path;
    if (!LocateFile("moss.exe", path, LauncherSettings.installPath))
        return 0;
    SaveLauncherSettings();
    StartGame(owner, path);
    return 1;
}
