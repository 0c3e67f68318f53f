// A program a test starts: every wait has a time-out, and a program still running when the
// test lets go of it is ended.
#pragma once
#include <windows.h>

#include <string>

const DWORD ChildTimeoutMs = 10000;

class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // commandLine is passed as given (the launcher passes unquoted paths); folder "" keeps the
    // test's own. Suspended starts let several programs start running together.
    bool Start(const std::string& program, const std::string& commandLine,
               const std::string& folder, bool suspended = false);
    void Resume();

    // The exit code, or STILL_ACTIVE when the program has not ended within the time-out. This
    // thread's messages are dispatched meanwhile, so window event hooks are called.
    DWORD WaitForExit(DWORD timeoutMs = ChildTimeoutMs);
    // A visible top-level window of this process with the given class (and, when controlId is
    // not 0, holding that control); null when none.
    HWND FindTopWindow(const char* className, int controlId = 0) const;
    // FindTopWindow, waited for; null after timeoutMs or once the process has ended.
    HWND WaitForWindow(const char* className, DWORD timeoutMs = ChildTimeoutMs, int controlId = 0);
    // Asks the window to close, as the system does, and waits for the exit code.
    DWORD Close(HWND window);

  private:
    PROCESS_INFORMATION info_ = {};
};

// Dispatches this thread's pending messages.
void PumpMessages();
