#include "app/single_instance.h"

#include <QLocalSocket>

#include "platform/instance_lock.h"
#include "platform/messages.h"

namespace {

constexpr int kConnectTimeoutMs = 500;

}  // namespace

SingleInstanceLock::SingleInstanceLock() = default;

SingleInstanceLock::~SingleInstanceLock() {
    server_.close();
    if (lock_) {
        lock_->unlock();
    }
}

QString SingleInstanceLock::LockFilePath() const {
    return platform::InstanceLockFilePath();
}

bool SingleInstanceLock::Acquire() {
    lock_ = platform::TryInstanceLock();
    if (!lock_) {
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
