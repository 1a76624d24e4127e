#include "platform/store/data_folder_lock.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

namespace platform {

namespace {

// A holder locks first and writes its name right after; a refused writer
// waits this long for the name before it says "another program".
constexpr int kHolderNameWaitMs = 500;
constexpr int kHolderNamePollMs = 20;
// How often a lock file removed by its last holder between our opening and
// locking it is opened anew.
constexpr int kOpenAttempts = 20;

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString& HolderName() {
    static QString name;
    return name;
}

QString ThisHolder() {
    if (!HolderName().isEmpty()) {
        return HolderName();
    }
    if (QCoreApplication::instance() != nullptr) {
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    }
    return QStringLiteral("neznámý program");
}

bool SameFile(int fd, const QByteArray& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

int EngineCodeOf(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return SQLITE_FULL;
        case EROFS:
        case EACCES:
        case EPERM:
            return SQLITE_READONLY;
        default:
            return SQLITE_IOERR;
    }
}

[[noreturn]] void ThrowCannotLock(const QString& folder, int error) {
    throw StoreError(QStringLiteral("Do složky dat „%1“ nelze zapisovat: zámek dat %2 nelze "
                                    "vytvořit (%3).")
                         .arg(Native(folder), QString::fromLatin1(kDataLockFileName),
                              QString::fromLocal8Bit(std::strerror(error))),
                     EngineCodeOf(error));
}

// The file is written by our own processes, but anyone may have put text in
// it: only printable characters of a short first line reach a message.
QString PrintableName(const QString& line) {
    QString name;
    for (const QChar c : line.left(80)) {
        if (c.isPrint()) {
            name += c;
        }
    }
    return name.trimmed();
}

// Who holds the lock, as the lock file names them.
DataFolderBusy ReadHolder(int fd) {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        char buffer[512];
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
        const QStringList lines =
            QString::fromUtf8(buffer, n > 0 ? static_cast<qsizetype>(n) : 0).split(u'\n');
        bool numbered = false;
        const qint64 processId = lines.value(1).trimmed().toLongLong(&numbered);
        const QString holder = PrintableName(lines.value(0));
        if ((numbered && !holder.isEmpty()) || waited.elapsed() >= kHolderNameWaitMs) {
            return DataFolderBusy(holder, numbered ? processId : 0);
        }
        QThread::msleep(kHolderNamePollMs);
    }
}

void WriteHolder(int fd) {
    const QByteArray text = QStringLiteral("%1\n%2\n")
                                .arg(ThisHolder())
                                .arg(QCoreApplication::applicationPid())
                                .toUtf8();
    // A name that cannot be written (a full disk) leaves the lock held; a
    // refused writer then names no holder.
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, text.constData(), text.size(), 0);
    }
}

// Opens and locks the lock file; the descriptor of the locked file.
int OpenAndLock(const QString& folder, const QByteArray& path) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowCannotLock(folder, errno);
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EWOULDBLOCK) {
                const DataFolderBusy busy = ReadHolder(fd);
                ::close(fd);
                throw busy;
            }
            ::close(fd);
            if (error == EINTR) {
                continue;
            }
            ThrowCannotLock(folder, error);
        }
        // The last holder removed the file between our opening and locking
        // it: the lock of a removed file keeps nobody out.
        if (!SameFile(fd, path)) {
            ::close(fd);
            continue;
        }
        WriteHolder(fd);
        return fd;
    }
    throw StoreError(QStringLiteral("Zámek dat ve složce „%1“ nelze získat.").arg(Native(folder)));
}

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

// The locks this process holds, by the folder's canonical path.
std::map<QString, std::weak_ptr<DataLockHolding>>& Registry() {
    static std::map<QString, std::weak_ptr<DataLockHolding>> holdings;
    return holdings;
}

}  // namespace

class DataLockHolding {
  public:
    DataLockHolding(int fd, QByteArray path) : fd_(fd), path_(std::move(path)) {}
    ~DataLockHolding() {
        // Removed while still locked and only while the name is still ours,
        // so a writer waiting on this file finds it gone and opens anew.
        if (SameFile(fd_, path_)) {
            ::unlink(path_.constData());
        }
        ::close(fd_);
    }
    DataLockHolding(const DataLockHolding&) = delete;
    DataLockHolding& operator=(const DataLockHolding&) = delete;

  private:
    int fd_;
    QByteArray path_;
};

void SetDataLockHolderName(const QString& name) {
    HolderName() = name;
}

DataFolderBusy::DataFolderBusy(const QString& holder, qint64 processId)
    : StoreError(holder.isEmpty()
                     ? QStringLiteral("Data používá jiný program.")
                     : QStringLiteral("Data používá %1 (proces %2).").arg(holder).arg(processId),
                 SQLITE_BUSY) {
    reason_ = Message().chopped(1);
}

QString DataFolderLock::LockFile(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QString::fromLatin1(kDataLockFileName));
}

DataFolderLock::DataFolderLock(const QString& dataFolder) {
    const QFileInfo folder(dataFolder);
    if (!folder.isDir()) {
        throw StoreError(QStringLiteral("Složka dat „%1“ neexistuje.").arg(Native(dataFolder)));
    }
    key_ = folder.canonicalFilePath();
    const std::lock_guard<std::mutex> guard(RegistryMutex());
    std::weak_ptr<DataLockHolding>& held = Registry()[key_];
    holding_ = held.lock();
    if (holding_) {
        return;
    }
    try {
        const QByteArray path = QFile::encodeName(LockFile(key_));
        holding_ = std::make_shared<DataLockHolding>(OpenAndLock(dataFolder, path), path);
    } catch (...) {
        Registry().erase(key_);
        throw;
    }
    held = holding_;
}

DataFolderLock::~DataFolderLock() {
    // Released under the registry's mutex, so another thread of this process
    // never finds the file still locked by a holding on its way out.
    const std::lock_guard<std::mutex> guard(RegistryMutex());
    holding_.reset();
    const auto held = Registry().find(key_);
    if (held != Registry().end() && held->second.expired()) {
        Registry().erase(held);
    }
}

}  // namespace platform
