// The menu window. For now a plain window that closes on a close request.
#include "MenuWindow.h"

LONG CommandBusy[CommandSlotCount];

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefDlgProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK MenuDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && wParam == IDCANCEL) {
        DestroyWindow(window);
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}
