#include "app/single_instance.h"

#include <QDir>
#include <QLocalSocket>

#include "platform/messages.h"

namespace {

constexpr int kConnectTimeoutMs = 500;

QString UserName() {
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) {
        name = qEnvironmentVariable("USERNAME");
    }
    return name.isEmpty() ? QStringLiteral("user") : name;
}

}  // namespace

SingleInstanceLock::SingleInstanceLock() = default;

SingleInstanceLock::~SingleInstanceLock() {
    server_.close();
    if (lock_) {
        lock_->unlock();
    }
}

QString SingleInstanceLock::LockFilePath() const {
    return QDir::temp().filePath(QStringLiteral("%1-%2.lock").arg(kInstanceName, UserName()));
}

bool SingleInstanceLock::Acquire() {
    lock_ = std::make_unique<QLockFile>(LockFilePath());
    // A running copy may run for weeks, so age never makes the lock stale;
    // QLockFile still takes over a lock whose owning process is gone.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    Listen();
    return true;
}

void SingleInstanceLock::Listen() {
    // The lock is ours, so a server socket left by a copy that died is stale.
    QLocalServer::removeServer(QString::fromLatin1(kInstanceName));
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            socket->disconnectFromServer();
            socket->deleteLater();
        }
    });
    server_.listen(QString::fromLatin1(kInstanceName));
}

void ReportRunningCopy() {
    QLocalSocket socket;
    socket.connectToServer(QString::fromLatin1(kInstanceName));
    if (socket.waitForConnected(kConnectTimeoutMs)) {
        socket.disconnectFromServer();
    }
    platform::ShowMessage(QStringLiteral("        Aplikace je již spuštěna    "),
                          QStringLiteral("Upozornění"), platform::MessageIcon::Error,
                          platform::mbOK);
}
