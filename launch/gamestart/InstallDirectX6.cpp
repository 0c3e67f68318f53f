// InstallDirectX6: the question, the free-space test and the setup call, with their retries.
#include "InstallDirectX6.h"
#include "DirectXCheck.h"
#include "DirectXSetup.h"
#include "HiddenWindow.h"
#include "SetupResult.h"
#include "LauncherState.h"
#include "SystemCalls.h"
#include "SystemDriveSpace.h"

int RebootFlag = 0;

namespace {

// The setup library wants this much room on the system drive.
constexpr double RequiredMegabytes = 15.0;

// False when the player gave up waiting for the room.
bool WaitForDiskSpace() {
    while (SystemDriveFreeMegabytes() < RequiredMegabytes) {
        if (!ShowSetupResult(SetupCodeNoDiskSpace))
            return false;
    }
    return true;
}

} // namespace

int InstallDirectX6(HWND owner) {
    if (IsDirectXInstalled(DirectX61Version, DirectX61Revision) == 1)
        return 1;

    TString sourceFolder;
    sourceFolder.Format("%s\\redist\\DirectX6\\", GameDirectory.Text());
    int answer = SystemCalls.MessageBoxA(
        owner, "Direct X(R) 6 is required to play MOSS HARBOR.OK to install Direct X(R) 6?",
        "MOSS HARBOR", MB_YESNO);
    MessageOwner = owner;
    if (answer != IDYES) {
        RebootFlag = 0;
        return 1;
    }

    // The setup library takes a writable text; it stays ours until sourceFolder goes.
    char* source = sourceFolder.LockText();
    for (;;) {
        if (!WaitForDiskSpace())
            return 1;
        int result;
        {
            HiddenWindow hidden(owner);
            result = SystemCalls.DirectXSetupA(owner, source, DSETUP_DIRECTX);
        }
        if (result == DSETUPERR_SUCCESS || result == DSETUPERR_SUCCESS_RESTART) {
            RebootFlag = result;
            return 1;
        }
        if (!ShowSetupResult(result))
            return 0;
    }
}
