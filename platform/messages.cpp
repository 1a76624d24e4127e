#include "platform/messages.h"

#include <cstdio>

namespace platform {
namespace {

MessageHandler& CurrentHandler() {
    static MessageHandler handler;
    return handler;
}

QString& CaptionStore() {
    static QString caption = QStringLiteral("Harvel 1.0");
    return caption;
}

int AnswerOnStderr(const MessageRequest& request) {
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(request.caption), qUtf8Printable(request.text));
    return request.defaultButton ? request.defaultButton : FirstButton(request.buttons);
}

}  // namespace

int FirstButton(int buttons) {
    for (int bit = mbOK; bit <= mbIgnore; bit <<= 1) {
        if (buttons & bit) {
            return bit;
        }
    }
    return mbOK;
}

int ShowMessage(const MessageRequest& request) {
    MessageRequest filled = request;
    if (filled.caption.isNull()) {
        filled.caption = DefaultCaption();
    }
    if (const MessageHandler& handler = CurrentHandler()) {
        return handler(filled);
    }
    return AnswerOnStderr(filled);
}

int ShowMessage(const QString& text, const QString& caption, MessageIcon icon, int buttons,
                int defaultButton) {
    return ShowMessage(MessageRequest{text, caption, icon, buttons, defaultButton});
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

QString DefaultCaption() {
    return CaptionStore();
}

void SetDefaultCaption(const QString& caption) {
    CaptionStore() = caption;
}

}  // namespace platform
