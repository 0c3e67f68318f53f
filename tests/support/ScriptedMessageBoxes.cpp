// ScriptedMessageBoxes: the recording stand-in for MessageBoxA.
#include "ScriptedMessageBoxes.h"

#include <utility>

namespace {

ScriptedMessageBoxes* Current;

} // namespace

ScriptedMessageBoxes::ScriptedMessageBoxes(int answer,
                                           std::function<void(const ShownBox&)> whileShown)
    : answer_(answer), whileShown_(std::move(whileShown)), previous_(SystemCalls.MessageBoxA) {
    Current = this;
    SystemCalls.MessageBoxA = Show;
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    SystemCalls.MessageBoxA = previous_;
    Current = nullptr;
}

int WINAPI ScriptedMessageBoxes::Show(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
    Current->boxes_.push_back(
        {owner, text ? text : "", caption != nullptr, caption ? caption : "", flags});
    if (Current->whileShown_)
        Current->whileShown_(Current->boxes_.back());
    return Current->answer_;
}
