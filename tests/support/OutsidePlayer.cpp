// OutsidePlayer: the windows of another process, driven with posted messages.
#include "OutsidePlayer.h"

bool StartLauncher(ChildProcess& launcher, const std::string& folder, bool suspended) {
    std::string program = folder + "\\launcher.exe";
    return launcher.Start(program, "\"" + program + "\"", folder, suspended);
}

std::string AnswerBox(ChildProcess& process, int button) {
    const int messageTextId = 0xFFFF;
    HWND box = process.WaitForWindow("#32770", ChildTimeoutMs, messageTextId);
    if (!box)
        return "";
    char caption[256] = {};
    char text[1024] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, messageTextId, text, sizeof text);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < ChildTimeoutMs;)
        Sleep(10);
    return std::string(caption) + "|" + text;
}
