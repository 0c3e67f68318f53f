// InstallSoftware: the three components in their fixed order, then the reboot question.
#include "InstallSoftware.h"
#include "InstallDirectX6.h"
#include "InstallRedist.h"
#include "RebootMachine.h"
#include "SetupResult.h"
#include "SystemCalls.h"

int InstallSoftware(HWND owner) {
    if (!InstallDirectX6(owner))
        return 0;
    InstallIndeo(owner);
    InstallDirectXMedia(owner);
    // A restart asked for by an earlier command is still owed, so it is asked for again.
    if (!RebootFlag)
        return 1;

    MessageOwner = owner;
    if (SystemCalls.MessageBoxA(MessageOwner,
                                "Please reboot to complete the installation.\n OK to reboot?",
                                "MOSS HARBOR", MB_OKCANCEL) == IDCANCEL) {
        SystemCalls.MessageBoxA(
            MessageOwner, "MOSS HARBOR will not function properly unless rebooting the computer.",
            "MOSS HARBOR", MB_OK);
        return 0;
    }
    RebootMachine();
    return 1;
}
