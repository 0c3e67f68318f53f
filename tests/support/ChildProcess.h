// A program a test starts: every wait has a time-out, and a program still running when the
// test lets go of it is ended.
#pragma once
#include <windows.h>

#include <string>

class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // commandLine is passed as given (the launcher passes unquoted paths); folder "" keeps the
    // test's own. A suspended start lets a WindowWatch be set on the thread before it runs.
    bool Start(const std::string& program, const std::string& commandLine,
               const std::string& folder, bool suspended = false);
    void Resume();
    DWORD ProcessId() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }

    // The exit code, or STILL_ACTIVE when the program has not ended within the time-out. This
    // thread's messages are dispatched meanwhile, so window event hooks are called.
    DWORD WaitForExit(DWORD timeoutMs);
    // A visible top-level window of this process with the given class, or null after timeoutMs.
    HWND WaitForWindow(const char* className, DWORD timeoutMs);

  private:
    PROCESS_INFORMATION info_ = {};
};

// Dispatches this thread's pending messages.
void PumpMessages();
