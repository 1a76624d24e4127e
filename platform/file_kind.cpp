#include "platform/file_kind.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace platform {

FileKind KindOfFile(const QString& path) {
    if (path.isEmpty()) {
        return FileKind::Missing;
    }
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return FileKind::Missing;
    }
    if (S_ISREG(status.st_mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(status.st_mode)) {
        return FileKind::Folder;
    }
    if (S_ISFIFO(status.st_mode)) {
        return FileKind::Fifo;
    }
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
        return FileKind::Device;
    }
    return FileKind::Other;
#else
    const QFileInfo info(path);
    if (!info.exists()) {
        return FileKind::Missing;
    }
    if (info.isDir()) {
        return FileKind::Folder;
    }
    return info.isFile() ? FileKind::Regular : FileKind::Other;
#endif
}

QString WhyNotAFile(FileKind kind) {
    switch (kind) {
        case FileKind::Regular:
            return QString();
        case FileKind::Missing:
            return QStringLiteral("soubor neexistuje");
        case FileKind::Folder:
            return QStringLiteral("je to složka, ne soubor");
        case FileKind::Fifo:
            return QStringLiteral("je to roura (FIFO), ne soubor");
        case FileKind::Device:
            return QStringLiteral("je to zařízení, ne soubor");
        case FileKind::Other:
            break;
    }
    return QStringLiteral("není to obyčejný soubor");
}

}  // namespace platform
