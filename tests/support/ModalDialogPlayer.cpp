// A thread timer, dispatched by the dialog's modal loop, finds the dialog and acts on it.
#include "ModalDialogPlayer.h"

namespace {

struct PlayState {
    const std::function<void(HWND)>& act;
    DWORD start;
    ModalPlay result;
};
PlayState* Playing;

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || lstrcmpA(name, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    if (!Playing->result.dialogSeen) {
        Playing->result.dialogSeen = true;
        Playing->act(dialog);
    } else if (GetTickCount() - Playing->start > 5000) {
        Playing->result.timedOut = true;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

} // namespace

ModalPlay PlayModalDialog(const std::function<void()>& call,
                          const std::function<void(HWND dialog)>& act) {
    PlayState state{act, GetTickCount(), {}};
    Playing = &state;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTick);
    call();
    KillTimer(nullptr, timer);
    Playing = nullptr;
    return state.result;
}

void PressKey(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    HWND target = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}
