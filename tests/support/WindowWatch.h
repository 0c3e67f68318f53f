// Records the windows that one thread of another process creates, through a window event hook
// for the whole desktop. Events arrive while the test's thread dispatches messages (for example
// in ChildProcess::WaitForExit). One watch at a time.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class WindowWatch {
  public:
    explicit WindowWatch(DWORD threadId);
    ~WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    bool Active() const { return hook_ != nullptr; }
    // Class names of the windows created so far ("" when gone before it could be read).
    const std::vector<std::string>& Created() const { return created_; }

  private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    DWORD threadId_;
    HWINEVENTHOOK hook_;
    std::vector<std::string> created_;
};
