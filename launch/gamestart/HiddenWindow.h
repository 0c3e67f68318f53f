// HiddenWindow: keeps a window hidden while an installer has the screen.
#pragma once
#include <windows.h>

// Hides the window when made and shows it again when it goes.
class HiddenWindow {
  public:
    explicit HiddenWindow(HWND window) : window_(window) { ShowWindow(window_, SW_HIDE); }
    ~HiddenWindow() { ShowWindow(window_, SW_SHOW); }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

  private:
    HWND window_;
};
