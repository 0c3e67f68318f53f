// WindowWatch: an out-of-context EVENT_OBJECT_CREATE hook filtered by thread.
#include "WindowWatch.h"

namespace {

WindowWatch* CurrentWatch;

} // namespace

WindowWatch::WindowWatch(DWORD threadId) : threadId_(threadId) {
    CurrentWatch = this;
    hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, OnEvent, 0, 0,
                            WINEVENT_OUTOFCONTEXT);
}

WindowWatch::~WindowWatch() {
    if (hook_)
        UnhookWinEvent(hook_);
    CurrentWatch = nullptr;
}

void CALLBACK WindowWatch::OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG,
                                   DWORD thread, DWORD) {
    if (!CurrentWatch || object != OBJID_WINDOW || thread != CurrentWatch->threadId_)
        return;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    CurrentWatch->created_.push_back(name);
}
