// Stands in for MessageBoxA in the system call table: records every box with whether it had a
// caption at all, answers it, and lets the test look at the world while the box is up.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "SystemCalls.h"

struct ShownBox {
    HWND owner;
    std::string text;
    bool hasCaption; // false for a null caption (the system's default one)
    std::string caption;
    UINT flags;
};

class ScriptedMessageBoxes {
  public:
    // Every box is answered with answer; whileShown, when given, runs as each box comes up.
    explicit ScriptedMessageBoxes(int answer,
                                  std::function<void(const ShownBox&)> whileShown = nullptr);
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    const std::vector<ShownBox>& Boxes() const { return boxes_; }

  private:
    static int WINAPI Show(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

    int answer_;
    std::function<void(const ShownBox&)> whileShown_;
    std::vector<ShownBox> boxes_;
    decltype(SystemCallTable::MessageBoxA) previous_;
};
