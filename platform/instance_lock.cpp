#include "platform/instance_lock.h"

#include <QDir>

namespace platform {
namespace {

QString UserName() {
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) {
        name = qEnvironmentVariable("USERNAME");
    }
    return name.isEmpty() ? QStringLiteral("user") : name;
}

}  // namespace

QString InstanceLockFilePath() {
    return QDir::temp().filePath(QStringLiteral("harvel-%1.lock").arg(UserName()));
}

std::unique_ptr<QLockFile> TryInstanceLock() {
    auto lock = std::make_unique<QLockFile>(InstanceLockFilePath());
    // A running copy may run for weeks, so age never makes the lock stale;
    // QLockFile still takes over a lock whose owning process is gone.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return nullptr;
    }
    return lock;
}

}  // namespace platform
