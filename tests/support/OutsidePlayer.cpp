// OutsidePlayer: the windows of another process, driven with posted messages.
#include "OutsidePlayer.h"

#include "MenuLayout.h"

void ClickMenuItem(HWND menu, int item) {
    const MenuItemLayout& layout = MenuLayout[item];
    int x = layout.left + layout.width / 2;
    int y = layout.top + layout.height / 2;
    PostMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(menu, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::string MessageBoxText(HWND box) {
    char text[1024] = {};
    GetDlgItemTextA(box, MessageTextId, text, sizeof text);
    return text;
}

std::string WindowCaption(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool PressButton(HWND window, int button, DWORD timeoutMs) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, button)));
    DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

void DismissMessageBox(HWND box) {
    for (int button : {IDNO, IDCANCEL, IDOK}) {
        if (GetDlgItem(box, button)) {
            PressButton(box, button, 2000);
            return;
        }
    }
}
