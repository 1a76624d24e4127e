#include "platform/mail_sender.h"

#include <QProcess>

namespace platform {
namespace {

// xdg-email ends at once when it hands the message to a client that is
// already running; a client it starts itself may keep it waiting, which
// counts as taken.
constexpr int kAnswerWaitMs = 5000;

MailHandler& Handler() {
    static MailHandler handler;
    return handler;
}

bool RunXdgEmail(const MailRequest& request) {
    // Kept on the heap: a client that xdg-email starts keeps it running, and
    // a QProcess that is destroyed kills what it runs.
    auto* process = new QProcess;
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->setProgram(QStringLiteral("xdg-email"));
    process->setArguments({QStringLiteral("--subject"), request.subject, QStringLiteral("--attach"),
                           request.attachment});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    if (!process->waitForFinished(kAnswerWaitMs)) {
        return true;  // still running: the mail client has the message
    }
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

}  // namespace

bool SendFileByMail(const MailRequest& request) {
    if (Handler()) {
        return Handler()(request);
    }
    return RunXdgEmail(request);
}

MailHandler SetMailHandler(MailHandler handler) {
    MailHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

}  // namespace platform
