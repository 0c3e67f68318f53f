// Plays the player's part in a modal dialog that a call opens on this thread.
#pragma once
#include <windows.h>
#include <functional>

struct ModalPlay {
    bool dialogSeen = false;
    bool timedOut = false; // the dialog was still open 5 s after the call began, and cancelled
};

// Runs call; the first visible dialog box this thread shows meanwhile is handed to act, from
// inside the dialog's own message loop. A dialog left open is cancelled, so no test hangs.
ModalPlay PlayModalDialog(const std::function<void()>& call,
                          const std::function<void(HWND dialog)>& act);
// Posts a key press to the dialog's focused control, as the keyboard would deliver it.
void PressKey(HWND dialog, WPARAM key);
