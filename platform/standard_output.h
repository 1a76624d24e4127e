#pragma once
// The standard output and error of the command-line tools. Every write is
// checked, so a full disk or /dev/full behind a redirection is a failure the
// tool reports, not a success. Where the output is a terminal, control
// characters inside the data (an escape sequence in a dog's name could
// retitle, clear or recolour the window) are shown as visible escapes such as
// "\x1B"; a file or a pipe gets the bytes as they are stored.

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace platform {

// Control characters other than line feed and tab (C0, DEL and the C1 range
// of UTF-8) written as "\xNN" / "\u0085".
QByteArray EscapeControlCharacters(const QByteArray& utf8);

class StandardOutput : public QIODevice {
  public:
    // fd 1 or 2; escapes control characters when it is a terminal.
    explicit StandardOutput(int fd);

    bool IsTerminal() const { return terminal_; }
    bool Failed() const { return systemError_ != 0; }
    // "na disku není místo" (empty while all is well).
    QString FailureReason() const;

    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

  private:
    int fd_;
    bool terminal_;
    int systemError_ = 0;
};

// One line of a message on stderr, escaped like the output when stderr is a terminal.
void WriteErrorLine(const QString& text);

}  // namespace platform
