#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>

#include "platform/write_failure.h"

namespace platform {
namespace {

// How often a free temporary name is looked for before giving up.
constexpr int kNameAttempts = 100;

// The file a target names, its symbolic links followed (also a dangling one).
QString FollowLinks(const QString& target) {
    QFileInfo info(target);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth) {
        info = QFileInfo(info.symLinkTarget());
    }
    return info.filePath();
}

}  // namespace

AtomicFile::AtomicFile(const QString& target) : target_(target) {}

AtomicFile::~AtomicFile() {
    if (!committed_) {
        Discard();
    }
}

bool AtomicFile::Open() {
    finalName_ = FollowLinks(target_);
    struct stat existing {};
    const QByteArray finalPath = QFile::encodeName(finalName_);
    if (::stat(finalPath.constData(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            return Fail(EISDIR);
        }
        if (!S_ISREG(existing.st_mode)) {
            // A device or a pipe is written as it is: it cannot be replaced.
            fd_ = ::open(finalPath.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            if (fd_ < 0) {
                return Fail(errno);
            }
            return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        }
    } else {
        existing.st_mode = 0;
    }
    if (!CreateTemporary(finalName_)) {
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    if (existing.st_mode != 0 && S_ISREG(existing.st_mode)) {
        ::fchmod(fd_, existing.st_mode & 07777);
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool AtomicFile::CreateTemporary(const QString& finalName) {
    const QFileInfo info(finalName);
    const QDir folder = info.absoluteDir();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString name = QStringLiteral(".%1.%2.tmp")
                                 .arg(info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
        const QString path = folder.filePath(name);
        fd_ = ::open(QFile::encodeName(path).constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd_ >= 0) {
            temporary_ = path;
            return true;
        }
        if (errno != EEXIST) {
            return Fail(errno);
        }
    }
    return Fail(EEXIST);
}

qint64 AtomicFile::readData(char*, qint64) {
    return -1;
}

qint64 AtomicFile::writeData(const char* data, qint64 size) {
    if (fd_ < 0 || Failed()) {
        return -1;
    }
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, data + done, static_cast<size_t>(size - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Fail(errno);
            return -1;
        }
        done += n;
    }
    return done;
}

bool AtomicFile::Finish() {
    if (finished_) {
        return true;
    }
    if (!Failed() && fd_ < 0) {
        Fail(EBADF);
    }
    // A disk may report that it is full only when the data is synced.
    if (!Failed() && !temporary_.isEmpty() && ::fsync(fd_) != 0 && errno != EINVAL) {
        Fail(errno);
    }
    if (!Failed()) {
        const int fd = fd_;
        fd_ = -1;
        QIODevice::close();
        if (::close(fd) != 0 && errno != EINTR) {
            Fail(errno);
        }
    }
    if (Failed()) {
        // Nothing half-written is left behind.
        Discard();
        return false;
    }
    finished_ = true;
    return true;
}

bool AtomicFile::Commit() {
    if (committed_) {
        return true;
    }
    if (!Finish()) {
        return false;
    }
    if (!temporary_.isEmpty() && ::rename(QFile::encodeName(temporary_).constData(),
                                          QFile::encodeName(finalName_).constData()) != 0) {
        Fail(errno);
        Discard();
        return false;
    }
    committed_ = true;
    return true;
}

void AtomicFile::Discard() {
    CloseDescriptor();
    if (!temporary_.isEmpty() && !committed_) {
        ::unlink(QFile::encodeName(temporary_).constData());
    }
    temporary_.clear();
}

void AtomicFile::CloseDescriptor() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    if (isOpen()) {
        QIODevice::close();
    }
}

bool AtomicFile::Fail(int systemError) {
    // The first failure is the one reported.
    if (systemError_ == 0) {
        systemError_ = systemError != 0 ? systemError : EIO;
    }
    setErrorString(WriteFailureReason(systemError_));
    return false;
}

QString AtomicFile::FailureText() const {
    if (!Failed()) {
        return QString();
    }
    return QStringLiteral("Soubor \"%1\" nelze zapsat: %2.")
        .arg(QDir::toNativeSeparators(target_), WriteFailureReason(systemError_));
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    AtomicFile file(path);
    if (file.Open() && file.write(bytes) == bytes.size() && file.Commit()) {
        return QString();
    }
    const QString failure = file.FailureText();
    return failure.isEmpty()
               ? QStringLiteral("Soubor \"%1\" nelze zapsat.").arg(QDir::toNativeSeparators(path))
               : failure;
}

}  // namespace platform
