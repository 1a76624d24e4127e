#pragma once
// Scripted seams for tests: record every message box and answer it, fix the
// clock, script modal dialogs. Each object restores the previous handler when
// it goes out of scope.

#include <QDateTime>
#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/widgets/dialogs.h"

namespace testing_support {

class ScriptedMessages {
  public:
    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // Answers given in order; when they run out, the default button answers.
    void Answer(int button) { answers_.push_back(button); }

    const std::vector<platform::MessageRequest>& Shown() const { return shown_; }
    QStringList Texts() const;
    void Clear() { shown_.clear(); }

  private:
    std::vector<platform::MessageRequest> shown_;
    std::deque<int> answers_;
    platform::MessageHandler previous_;
};

class FixedClock {
  public:
    explicit FixedClock(const QDateTime& now);
    explicit FixedClock(const QDate& today) : FixedClock(QDateTime(today, QTime(12, 0))) {}
    ~FixedClock();
};

// Every ExecModal goes to `script`, which may drive the dialog and returns its result.
class ScriptedModal {
  public:
    explicit ScriptedModal(platform::ModalHandler script);
    ~ScriptedModal();

  private:
    platform::ModalHandler previous_;
};

class ScriptedFileDialog {
  public:
    explicit ScriptedFileDialog(platform::FileDialogHandler script);
    ~ScriptedFileDialog();

  private:
    platform::FileDialogHandler previous_;
};

}  // namespace testing_support
