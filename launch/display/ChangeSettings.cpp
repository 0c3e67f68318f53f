// The Change Settings command: the DirectX check, then the modal settings dialog.
#include "ChangeSettings.h"
#include "DirectXCheck.h"
#include "SettingsDialog.h"
#include "LauncherState.h"
#include "SystemCalls.h"
#include "resource.h"

int ChangeSettings(HWND owner) {
    // The dialog's device and option choices mean nothing to a game that cannot start.
    if (!IsDirectXInstalled(DirectX61Version, DirectX61Revision)) {
        SystemCalls.MessageBoxA(owner, "Please install DirectX (R)6 or above first.", "MOSS HARBOR",
                                MB_OK);
        return 0;
    }
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, SettingsDialogProc, 0);
    return 0;
}
