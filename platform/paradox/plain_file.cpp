#include "platform/paradox/plain_file.h"

#include <sys/stat.h>

#include <QFile>

namespace platform::paradox {

QString NotPlainFileReason(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        return QString();
    }
    if (S_ISREG(info.st_mode)) {
        return QString();
    }
    if (S_ISLNK(info.st_mode)) {
        return QStringLiteral("symbolický odkaz");
    }
    if (S_ISDIR(info.st_mode)) {
        return QStringLiteral("složka");
    }
    if (S_ISFIFO(info.st_mode)) {
        return QStringLiteral("pojmenovaná roura");
    }
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
        return QStringLiteral("zařízení");
    }
    if (S_ISSOCK(info.st_mode)) {
        return QStringLiteral("soket");
    }
    return QStringLiteral("zvláštní soubor");
}

}  // namespace platform::paradox
