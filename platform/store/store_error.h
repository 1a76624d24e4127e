#pragma once
// The one error type of the table store. Every failing store operation throws
// a StoreError whose text is readable by a user (Czech, names the table or
// column concerned); callers show Message() in their error boxes.

#include <QString>
#include <stdexcept>

namespace platform {

class StoreError : public std::runtime_error {
  public:
    explicit StoreError(const QString& message, int engineCode = 0)
        : std::runtime_error(message.toStdString()), message_(message), engineCode_(engineCode) {}
    const QString& Message() const { return message_; }
    // The SQLite (extended) result code behind the error, 0 when none.
    int EngineCode() const { return engineCode_; }

  private:
    QString message_;
    int engineCode_ = 0;
};

}  // namespace platform
