// Stands in for MessageBoxA in the system call table and records every box asked for.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct RecordedMessageBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

// Each box is answered with answer; the previous entry is put back when the recorder goes.
class MessageBoxRecorder {
  public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<RecordedMessageBox>& Boxes() const;
};
