// The launcher's entry point: guard, colour check, game location, menu window, message loop.
#include <windows.h>
#include <commctrl.h>

#include "MenuClass.h"
#include "MenuWindow.h"
#include "StartUp.h"
#include "resource.h"

namespace {

// Polls until the menu window posts its quit message. When the queue is empty it waits for
// input instead of spinning, so an idle launcher uses no processor time. The common controls
// are initialised the first time the queue runs dry, once the menu has painted its first
// frame: none of the launcher's windows uses them, and loading them at start only delayed the
// menu and added their pages to the peak of the opening.
WPARAM RunMessageLoop() {
    MSG message;
    bool commonControlsReady = false;
    for (;;) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!commonControlsReady) {
                InitCommonControls();
                commonControlsReady = true;
            }
            WaitMessage();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (message.message == WM_QUIT)
            return message.wParam;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!AcquireInstanceGuard())
        return 1;
    if (!CheckColourDepth()) {
        ReleaseInstanceGuard();
        return 1;
    }

    if (!LocateGame())
        return 0;

    AppInstance = instance;
    RegisterMenuClass();
    // A menu that closed while opening (its setup failed) has posted the quit message already;
    // one that could not be created at all never will, so the loop must not start.
    MSG quit;
    if (!CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MENU), nullptr, MenuDialogProc, 0) &&
        !PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
        ReleaseInstanceGuard();
        return 1;
    }
    WPARAM exitCode = RunMessageLoop();
    ReleaseInstanceGuard();
    return static_cast<int>(exitCode);
}
