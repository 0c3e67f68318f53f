// The launcher's entry point: guard, colour check, game location, menu window, message loop.
#include <windows.h>
#include <commctrl.h>

#include "MenuWindow.h"
#include "StartUp.h"
#include "resource.h"

namespace {

void RegisterMenuClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MenuWindowProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA; // the dialog manager runs windows of this class
    windowClass.hInstance = AppInstance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "TEST";
    RegisterClassA(&windowClass);
}

// Polls until the menu window posts its quit message. When the queue is empty it waits for
// input instead of spinning, so an idle launcher uses no processor time.
WPARAM RunMessageLoop() {
    MSG message;
    for (;;) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
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
    InitCommonControls();
    RegisterMenuClass();
    // Without its window nothing would ever post the quit message.
    if (!CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MENU), nullptr, MenuDialogProc, 0)) {
        ReleaseInstanceGuard();
        return 1;
    }
    WPARAM exitCode = RunMessageLoop();
    ReleaseInstanceGuard();
    return static_cast<int>(exitCode);
}
