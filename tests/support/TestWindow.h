// A plain popup window standing in for the menu window: the owner of boxes, dialogs and
// installers, or the window whose title the label painting sets. Destroyed at the end.
#pragma once
#include <windows.h>

class TestWindow {
  public:
    explicit TestWindow(bool visible = false)
        : window_(CreateWindowExA(0, "STATIC", "menu", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0,
                                  64, 64, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window_; }
    operator HWND() const { return window_; }

  private:
    HWND window_;
};
