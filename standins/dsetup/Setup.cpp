// DirectXSetupA: installing DirectX is not offered by this stand-in yet.
#include "DirectXSetup.h"

extern "C" INT WINAPI DirectXSetupA(HWND, LPSTR, DWORD) {
    return DSETUPERR_INTERNAL;
}
