#include "records/site/site_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/store/store_error.h"
#include "platform/write_failure.h"

namespace site {
namespace {

const QString kListFile = QStringLiteral(".harvel-web");
const QString kTemporarySuffix = QStringLiteral(".harvel-tmp");

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void FailWriting(const QString& path, int systemError) {
    throw platform::StoreError(QStringLiteral("Soubor „%1“ nelze zapsat: %2.")
                                   .arg(Native(path), platform::WriteFailureReason(systemError)));
}

// Writes every byte, retrying interrupted and partial writes.
bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

}  // namespace

SiteFolder::SiteFolder(const QString& folder, const QStringList& subfolders)
    : dir_(folder), subfolders_(subfolders) {
    for (const QString& sub : subfolders) {
        if (!dir_.mkpath(sub)) {
            throw platform::StoreError(
                QStringLiteral("Složku „%1“ nelze vytvořit.").arg(Native(dir_.filePath(sub))));
        }
    }
}

SiteFolder::~SiteFolder() {
    if (committed_) {
        return;
    }
    for (const QString& relative : pending_) {
        QFile::remove(Temporary(relative));
    }
}

QString SiteFolder::Temporary(const QString& relative) const {
    return dir_.filePath(relative + kTemporarySuffix);
}

void SiteFolder::Write(const QString& relative, const QByteArray& bytes) {
    const QString path = Temporary(relative);
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        FailWriting(dir_.filePath(relative), errno);
    }
    pending_.push_back(relative);
    const bool written = WriteAll(fd, bytes);
    const int writeError = errno;
    if (::close(fd) != 0 && written && errno != EINTR) {
        FailWriting(dir_.filePath(relative), errno);
    }
    if (!written) {
        FailWriting(dir_.filePath(relative), writeError);
    }
}

QStringList SiteFolder::PreviousFiles() const {
    QFile list(dir_.filePath(kListFile));
    if (!list.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList names;
    for (const QString& line : QString::fromUtf8(list.readAll()).split(u'\n')) {
        const QString name = line.trimmed();
        if (!name.isEmpty() && IsSiteFile(name, subfolders_)) {
            names << name;
        }
    }
    return names;
}

// Only names of the site's own pages and folders are taken from the old
// list: an edited list never makes the site remove anything else.
bool SiteFolder::IsSiteFile(const QString& name, const QStringList& subfolders) {
    if (name.contains(QLatin1String("..")) || name.contains(u'\\') || name.startsWith(u'/')) {
        return false;
    }
    const QStringList parts = name.split(u'/');
    if (parts.size() == 1) {
        return name.endsWith(QLatin1String(".html")) || name.endsWith(QLatin1String(".css"));
    }
    return parts.size() == 2 && !parts[1].isEmpty() && subfolders.contains(parts[0]);
}

QStringList SiteFolder::Commit() {
    Write(kListFile, [this] {
        QStringList names;
        for (const QString& relative : pending_) {
            names << relative;
        }
        return (names.join(u'\n') + u'\n').toUtf8();
    }());
    const QByteArray folder = QFile::encodeName(dir_.absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A disk may report that it is full only when the data is synced.
    if (fd < 0 || ::syncfs(fd) != 0) {
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        FailWriting(dir_.absolutePath(), error);
    }
    const QStringList previous = PreviousFiles();
    for (const QString& relative : pending_) {
        const QString target = dir_.filePath(relative);
        if (::rename(QFile::encodeName(Temporary(relative)).constData(),
                     QFile::encodeName(target).constData()) != 0) {
            const int error = errno;
            ::close(fd);
            FailWriting(target, error);
        }
    }
    ::syncfs(fd);  // the renames themselves; the files are on the disk already
    ::close(fd);
    committed_ = true;
    QStringList removed;
    for (const QString& name : previous) {
        if (std::find(pending_.begin(), pending_.end(), name) == pending_.end() &&
            QFile::remove(dir_.filePath(name))) {
            removed << name;
        }
    }
    return removed;
}

}  // namespace site
