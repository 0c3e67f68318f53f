// ChildProcess: CreateProcessA with time-outs on every wait.
#include "ChildProcess.h"

#include <vector>

ChildProcess::~ChildProcess() {
    if (!info_.hProcess)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::Start(const std::string& program, const std::string& commandLine,
                         const std::string& folder, bool suspended) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0'); // CreateProcessA may write to the command line
    return CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE,
                          suspended ? CREATE_SUSPENDED : 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info_) != 0;
}

void ChildProcess::Resume() {
    ResumeThread(info_.hThread);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;) {
        if (GetTickCount() - start >= timeoutMs)
            return STILL_ACTIVE;
        MsgWaitForMultipleObjects(1, &info_.hProcess, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

struct WindowQuery {
    DWORD processId;
    const char* className;
    int controlId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* query = reinterpret_cast<WindowQuery*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner != query->processId || lstrcmpA(name, query->className) != 0 ||
        !IsWindowVisible(window) || (query->controlId && !GetDlgItem(window, query->controlId)))
        return TRUE;
    query->found = window;
    return FALSE;
}

} // namespace

HWND ChildProcess::FindTopWindow(const char* className, int controlId) const {
    WindowQuery query = {info_.dwProcessId, className, controlId, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND ChildProcess::WaitForWindow(const char* className, DWORD timeoutMs, int controlId) {
    DWORD start = GetTickCount();
    do {
        if (HWND found = FindTopWindow(className, controlId))
            return found;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0)
            return nullptr;
        PumpMessages();
        Sleep(10);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

DWORD ChildProcess::Close(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit();
}
