// The menu window's procedures: each message goes to its handler.
#include "MenuWindow.h"
#include "MenuCommands.h"
#include "MenuInput.h"
#include "MenuOpening.h"
#include "MenuRegions.h"
#include "MenuSurface.h"

namespace {

// Pressing the mouse on the background drags the window.
LRESULT OnHitTest(HWND window, WPARAM wParam, LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(window, &point);
    if (IsOnBackground(point.x, point.y))
        return HTCAPTION;
    return DefDlgProcA(window, WM_NCHITTEST, wParam, lParam);
}

INT_PTR OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    CopyMenuSurfaceTo(target);
    EndPaint(window, &paint);
    return FALSE;
}

INT_PTR OnSetFocus(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    return FALSE;
}

// IDCANCEL is the dialog manager's translation of a close request.
INT_PTR OnCommand(HWND window, WPARAM wParam) {
    return wParam == IDCANCEL ? CloseMenu(window) : FALSE;
}

INT_PTR OnDestroy() {
    DestroyMenuSurface();
    return FALSE;
}

} // namespace

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST)
        return OnHitTest(window, wParam, lParam);
    return DefDlgProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK MenuDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnMenuOpen(window);
        case WM_PAINT:
            return OnPaint(window);
        case WM_SETFOCUS:
            return OnSetFocus(window);
        case WM_MOUSEMOVE:
            return OnMenuMouseMove(window, lParam);
        case WM_LBUTTONDOWN:
            return OnMenuButtonDown(window, lParam);
        case WM_KEYDOWN:
            return OnMenuKeyDown(window, wParam);
        case WM_COMMAND:
            return OnCommand(window, wParam);
        case WM_DESTROY:
            return OnDestroy();
        default:
            return FALSE;
    }
}
