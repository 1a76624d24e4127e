#include "platform/file_kind.h"

#include <sys/stat.h>

#include <QFile>
#include <cerrno>
#include <cstring>

namespace platform {

QString NotARegularFileReason(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return QStringLiteral("soubor neexistuje");
        if (errno == EACCES)
            return QStringLiteral("k souboru není přístup");
        return QStringLiteral("soubor nelze najít (%1)")
            .arg(QString::fromLocal8Bit(strerror(errno)));
    }
    if (S_ISREG(info.st_mode))
        return QString();
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("je to složka, ne soubor");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("je to pojmenovaná roura (FIFO), ne soubor");
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("je to zařízení, ne soubor");
    if (S_ISSOCK(info.st_mode))
        return QStringLiteral("je to soket, ne soubor");
    return QStringLiteral("není to obyčejný soubor");
}

bool PathExists(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

}  // namespace platform
