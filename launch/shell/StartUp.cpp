// Start-up: the instance guard, the colour-depth check and the folder of the game.
#include "StartUp.h"
#include "LocateFile.h"
#include "SystemCalls.h"

namespace {

// Created in this order, closed in the reverse one. The launcher holds all four while it runs,
// so none of the game's programs can start beside it, nor it beside them.
const char* const GuardNames[] = {"MOSS HARBOR PC", "MOSS HARBOR PC Setup",
                                  "MOSS HARBOR PC Uninstall", "MOSS HARBOR PC Launch"};
HANDLE InstanceGuard[4];

} // namespace

void SetGameDirectory(const TString& gamePath) {
    int backslash = gamePath.FindLast('\\');
    GameDirectory = backslash > 0 ? gamePath.LeftPart(backslash) : gamePath;
}

int LocateGame() {
    TString gamePath;
    if (!LocateFile("moss.exe", gamePath, nullptr))
        return 0;
    SetGameDirectory(gamePath);
    return 1;
}

int AcquireInstanceGuard() {
    for (int i = 0; i < 4; ++i) {
        InstanceGuard[i] = CreateMutexA(nullptr, FALSE, GuardNames[i]);
        if (!InstanceGuard[i])
            return 0;
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            CloseHandle(InstanceGuard[i]);
            InstanceGuard[i] = nullptr;
            return 0;
        }
    }
    return 1;
}

void ReleaseInstanceGuard() {
    for (int i = 3; i >= 0; --i) {
        if (InstanceGuard[i]) {
            CloseHandle(InstanceGuard[i]);
            InstanceGuard[i] = nullptr;
        }
    }
}

int CheckColourDepth() {
    HDC screen = GetDC(nullptr);
    int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    if (bitsPerPixel >= 16)
        return 1;
    SystemCalls.MessageBoxA(nullptr,
                            "Please set the screen color to High Color(16 BIT) and reboot.",
                            "MOSS HARBOR", MB_OK | MB_ICONEXCLAMATION);
    return 0;
}
