// ShowSetupResult: one box per failure code, taken from a table.
#include "SetupResult.h"
#include "DirectXSetup.h"
#include "SystemCalls.h"

HWND MessageOwner = nullptr;

namespace {

struct SetupResultBox {
    int code;
    const char* text;
    UINT buttons; // MB_OKCANCEL offers a retry, MB_OK does not
};

const char DamagedCd[] = "The CD-ROM may be dirty or be damaged.";

// DSETUPERR_NOCOPY and every code not listed end without a box.
const SetupResultBox SetupResultBoxes[] = {
    {DSETUPERR_BADWINDOWSVERSION, "Your Windows(R) is not support DirectX(R). Setup discontinued.",
     MB_OK},
    {DSETUPERR_SOURCEFILENOTFOUND, DamagedCd, MB_OK},
    {DSETUPERR_BADSOURCESIZE, DamagedCd, MB_OK},
    {DSETUPERR_BADSOURCETIME, DamagedCd, MB_OK},
    {DSETUPERR_OUTOFDISKSPACE,
     "Not enough free space in Windows(R)95 drive. Please make some room and try again.", MB_OK},
    {DSETUPERR_CANTFINDINF, DamagedCd, MB_OK},
    {DSETUPERR_CANTFINDDIR, "Cannot find a CD. Please insert a CD and try again.", MB_OKCANCEL},
    {DSETUPERR_INTERNAL, "An error occurred. Please reboot and start over.", MB_OK},
    // 0xAE is the registered sign in the ANSI code page; the literal is split after each one
    // so that the digit 6 is not read as part of the escape.
    {SetupCodeNoDiskSpace,
     "It is required to have over 15MB space to install Direct X\xAE"
     "6\nPlease press OK after creating the space of 15MB in system drive.\nDirect X\xAE"
     "6  will not be installed if you press the cancel button.",
     MB_OKCANCEL},
};

} // namespace

int ShowSetupResult(int code) {
    for (const SetupResultBox& box : SetupResultBoxes) {
        if (box.code != code)
            continue;
        int answer = SystemCalls.MessageBoxA(MessageOwner, box.text, "MOSS HARBOR", box.buttons);
        return box.buttons == MB_OKCANCEL && answer == IDOK;
    }
    return 0;
}
