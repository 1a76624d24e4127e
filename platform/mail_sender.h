#pragma once
// The one road by which the program hands a file to the system's mail
// program as the attachment of a new message: "xdg-email --subject TEXT
// --attach FILE" opens the user's mail client with the message ready to be
// addressed. Tests install a handler that records the request and starts
// nothing.

#include <QString>
#include <functional>

namespace platform {

struct MailRequest {
    QString subject;
    QString attachment;  // full path of the file to attach
};

// Answers whether a mail program took the message.
using MailHandler = std::function<bool(const MailRequest& request)>;

// False when no mail program could be started (xdg-email missing, or it
// reports that no mail client is set up).
bool SendFileByMail(const MailRequest& request);

// Replaces the handler; returns the previous one. An empty handler restores
// xdg-email.
MailHandler SetMailHandler(MailHandler handler);

}  // namespace platform
