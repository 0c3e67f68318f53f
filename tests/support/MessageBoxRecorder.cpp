// The recording stand-in for MessageBoxA.
#include "MessageBoxRecorder.h"
#include "SystemCalls.h"

namespace {

std::vector<RecordedMessageBox> Recorded;
int Answer;
decltype(SystemCallTable::MessageBoxA) RealMessageBoxA;

int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
    Recorded.push_back({owner, text ? text : "", caption ? caption : "", flags});
    return Answer;
}

} // namespace

MessageBoxRecorder::MessageBoxRecorder(int answer) {
    Recorded.clear();
    Answer = answer;
    RealMessageBoxA = SystemCalls.MessageBoxA;
    SystemCalls.MessageBoxA = RecordMessageBox;
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SystemCalls.MessageBoxA = RealMessageBoxA;
}

const std::vector<RecordedMessageBox>& MessageBoxRecorder::Boxes() const {
    return Recorded;
}
