// ScriptedMessageBoxes: one scripted instance at a time stands in for MessageBoxA.
#include "ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

ScriptedMessageBoxes* Active = nullptr;

} // namespace

ScriptedMessageBoxes::ScriptedMessageBoxes(int standingAnswer,
                                           std::function<void(const ShownBox&)> whileShown)
    : saved_(SystemCalls.MessageBoxA), watcher_(std::move(whileShown)),
      standingAnswer_(standingAnswer) {
    EXPECT_EQ(nullptr, Active) << "two scripts at once";
    Active = this;
    SystemCalls.MessageBoxA = Show;
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    SystemCalls.MessageBoxA = saved_;
    Active = nullptr;
}

void ScriptedMessageBoxes::Answer(std::initializer_list<int> answers) {
    answers_.insert(answers_.end(), answers);
}

int WINAPI ScriptedMessageBoxes::Show(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
    ScriptedMessageBoxes& self = *Active;
    self.shown_.push_back(
        {owner, text ? text : "", caption != nullptr, caption ? caption : "", flags});
    if (self.watcher_)
        self.watcher_(self.shown_.back());
    if (self.answers_.empty()) {
        if (!self.standingAnswer_)
            ADD_FAILURE() << "a box nobody expected: \"" << self.shown_.back().text << "\"";
        return self.standingAnswer_ ? self.standingAnswer_ : IDCANCEL;
    }
    int answer = self.answers_.front();
    self.answers_.pop_front();
    return answer;
}
