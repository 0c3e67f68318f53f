// OutsidePlayer: the windows of another process, found with EnumWindows and driven with posted
// messages.
#include "OutsidePlayer.h"

#include "MenuLayout.h"

namespace {

struct DialogQuery {
    DWORD processId;
    int controlId; // the control that tells the window apart
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
    auto* query = reinterpret_cast<DialogQuery*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner != query->processId || lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) ||
        !GetDlgItem(window, query->controlId))
        return TRUE;
    query->found = window;
    return FALSE;
}

HWND FindDialog(DWORD processId, int controlId) {
    DialogQuery query = {processId, controlId, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForDialog(DWORD processId, int controlId, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = FindDialog(processId, controlId))
            return found;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(10);
    }
}

const int MessageTextId = 0xFFFF;
const int DeviceBoxId = 1015;

} // namespace

void ClickMenuItem(HWND menu, int item) {
    const MenuItemLayout& layout = MenuLayout[item];
    int x = layout.left + layout.width / 2;
    int y = layout.top + layout.height / 2;
    PostMessageA(menu, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(menu, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

HWND FindMessageBox(DWORD processId) {
    return FindDialog(processId, MessageTextId);
}

HWND FindSettingsDialog(DWORD processId) {
    return FindDialog(processId, DeviceBoxId);
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    return WaitForDialog(processId, MessageTextId, timeoutMs);
}

HWND WaitForSettingsDialog(DWORD processId, DWORD timeoutMs) {
    return WaitForDialog(processId, DeviceBoxId, timeoutMs);
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
