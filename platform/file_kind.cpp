#include "platform/file_kind.h"

#include <sys/stat.h>

#include <QFile>
#include <cerrno>

namespace platform {

FileKind KindOfFile(const QString& path) {
    if (path.isEmpty()) {
        return FileKind::Missing;
    }
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return errno == EACCES ? FileKind::NoAccess : FileKind::Missing;
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
    if (S_ISSOCK(status.st_mode)) {
        return FileKind::Socket;
    }
    return FileKind::Other;
}

QString WhyNotAFile(FileKind kind) {
    switch (kind) {
        case FileKind::Regular:
            return QString();
        case FileKind::Missing:
            return QStringLiteral("soubor neexistuje");
        case FileKind::NoAccess:
            return QStringLiteral("k souboru není přístup");
        case FileKind::Folder:
            return QStringLiteral("je to složka, ne soubor");
        case FileKind::Fifo:
            return QStringLiteral("je to pojmenovaná roura (FIFO), ne soubor");
        case FileKind::Device:
            return QStringLiteral("je to zařízení, ne soubor");
        case FileKind::Socket:
            return QStringLiteral("je to soket, ne soubor");
        case FileKind::Other:
            break;
    }
    return QStringLiteral("není to obyčejný soubor");
}

QString NotARegularFileReason(const QString& path) {
    return WhyNotAFile(KindOfFile(path));
}

bool PathExists(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

}  // namespace platform
