#pragma once
// The one road every message box takes. The program installs a handler that
// shows a real box (platform/widgets); tests install one that records the
// request and answers for the user. Without a handler the request is written
// to stderr and answered with its default button, so headless tools never block.

#include <QString>
#include <functional>

namespace platform {

enum class MessageIcon { None, Error, Warning, Information, Question };

// Buttons are flags; the answer is the one button pressed.
enum MessageButton : int {
    mbOK = 0x01,
    mbCancel = 0x02,
    mbYes = 0x04,
    mbNo = 0x08,
    mbAbort = 0x10,
    mbRetry = 0x20,
    mbIgnore = 0x40,
};

struct MessageRequest {
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::None;
    int buttons = mbOK;
    int defaultButton = 0;  // 0: the first button of `buttons`
};

using MessageHandler = std::function<int(const MessageRequest&)>;

// Shows a message and returns the button pressed.
int ShowMessage(const QString& text, const QString& caption, MessageIcon icon, int buttons = mbOK,
                int defaultButton = 0);
int ShowMessage(const MessageRequest& request);

// Replaces the handler; returns the previous one. An empty handler restores
// the stderr fallback.
MessageHandler SetMessageHandler(MessageHandler handler);

// The first button present in `buttons`, in the order of MessageButton.
int FirstButton(int buttons);

// The caption message boxes get when a Part gives none: the application title.
QString DefaultCaption();
void SetDefaultCaption(const QString& caption);

}  // namespace platform
