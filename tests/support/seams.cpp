#include "tests/support/seams.h"

namespace testing_support {

ScriptedMessages::ScriptedMessages() {
    previous_ = platform::SetMessageHandler([this](const platform::MessageRequest& request) {
        shown_.push_back(request);
        if (!answers_.empty()) {
            const int answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        return request.defaultButton ? request.defaultButton
                                     : platform::FirstButton(request.buttons);
    });
}

ScriptedMessages::~ScriptedMessages() {
    platform::SetMessageHandler(std::move(previous_));
}

QStringList ScriptedMessages::Texts() const {
    QStringList texts;
    for (const auto& request : shown_) {
        texts << request.text;
    }
    return texts;
}

FixedClock::FixedClock(const QDateTime& now) {
    platform::SetClock([now] { return now; });
}

FixedClock::~FixedClock() {
    platform::SetClock({});
}

ScriptedModal::ScriptedModal(platform::ModalHandler script)
    : previous_(platform::SetModalHandler(std::move(script))) {}

ScriptedModal::~ScriptedModal() {
    platform::SetModalHandler(std::move(previous_));
}

ScriptedFileDialog::ScriptedFileDialog(platform::FileDialogHandler script)
    : previous_(platform::SetFileDialogHandler(std::move(script))) {}

ScriptedFileDialog::~ScriptedFileDialog() {
    platform::SetFileDialogHandler(std::move(previous_));
}

}  // namespace testing_support
