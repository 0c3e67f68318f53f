// RunProcess: creates a child process, lets it come up, and waits for its end when asked.
#include "RunProcess.h"

namespace {

// Owns one kernel handle; closes it when it goes out of scope.
class ScopedHandle {
  public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() {
        if (handle_)
            CloseHandle(handle_);
    }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

// Answers the messages that other threads and processes send to the launcher's windows until
// the process ends; posted messages stay queued. The handle, not a STILL_ACTIVE exit code,
// tells the end: a child may really exit with 259. Sleeping in the wait keeps the processor
// free for the installer. False when the wait failed.
bool WaitAnsweringSentMessages(HANDLE process) {
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0)
            return true;
        if (woken != WAIT_OBJECT_0 + 1)
            return false;
        // Peeking delivers the pending sent messages; PM_NOREMOVE leaves the queue as it is.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    }
}

bool WaitForEnd(HANDLE process, int pumpMessages) {
    if (pumpMessages)
        return WaitAnsweringSentMessages(process);
    return WaitForSingleObject(process, INFINITE) != WAIT_FAILED;
}

DWORD ReadExitCode(HANDLE process) {
    DWORD code;
    return GetExitCodeProcess(process, &code) ? code : NoExitCode;
}

} // namespace

static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "32-bit STARTUPINFOA is 68 bytes");

int RunProcess(const char* applicationPath, char* commandLine, int wait, DWORD* exitCode,
               int pumpMessages) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created = {};
    DWORD code = NoExitCode;
    BOOL started = CreateProcessA(applicationPath, commandLine, nullptr, nullptr, FALSE,
                                  DETACHED_PROCESS | CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr,
                                  &startup, &created);
    if (started) {
        ScopedHandle process(created.hProcess);
        {
            ScopedHandle thread(created.hThread);
            WaitForInputIdle(process.Get(), 10000);
        }
        if (wait && WaitForEnd(process.Get(), pumpMessages))
            code = ReadExitCode(process.Get());
    }
    if (exitCode)
        *exitCode = code;
    return started;
}
