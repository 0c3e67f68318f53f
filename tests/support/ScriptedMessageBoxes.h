// Answers the launcher's message boxes (SystemCalls.MessageBoxA) from a script, in order, and
// keeps what each box showed. While the object lives no real box appears.
#pragma once
#include <windows.h>

#include "SystemCalls.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct ShownBox {
    HWND owner;
    std::string text;
    bool hasCaption; // false: a null caption, the system's default
    std::string caption;
    UINT flags;
};

class ScriptedMessageBoxes {
  public:
    // Boxes are answered from the queue (see Answer), then with standingAnswer; 0 makes the
    // script strict: every box needs a queued answer. whileShown, when given, runs as each box
    // comes up, before it is answered.
    explicit ScriptedMessageBoxes(int standingAnswer = 0,
                                  std::function<void(const ShownBox&)> whileShown = nullptr);
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    // Queues answers (IDOK, IDCANCEL, IDYES, IDNO) for the boxes to come. A box with no answer
    // left fails the test and is answered IDCANCEL, which ends every retry loop.
    void Answer(std::initializer_list<int> answers);

    const std::vector<ShownBox>& Shown() const { return shown_; }
    size_t Unanswered() const { return answers_.size(); }

  private:
    static int WINAPI Show(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

    decltype(SystemCallTable::MessageBoxA) saved_;
    std::deque<int> answers_;
    std::vector<ShownBox> shown_;
    std::function<void(const ShownBox&)> watcher_;
    int standingAnswer_;
};
