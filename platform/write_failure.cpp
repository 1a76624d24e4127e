#include "platform/write_failure.h"

#include <cerrno>
#include <cstring>

namespace platform {

QString WriteFailureReason(int systemError) {
    switch (systemError) {
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("na disku není místo");
        case EACCES:
        case EPERM:
            return QStringLiteral("chybí oprávnění k zápisu");
        case EROFS:
            return QStringLiteral("disk je chráněn proti zápisu");
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("složka neexistuje");
        case EISDIR:
            return QStringLiteral("je to složka, ne soubor");
        case EFBIG:
            return QStringLiteral("soubor je příliš velký");
        case ENAMETOOLONG:
            return QStringLiteral("název souboru je příliš dlouhý");
        case EIO:
            return QStringLiteral("chyba zařízení při zápisu");
        case EPIPE:
            return QStringLiteral("příjemce výstupu skončil");
        default:
            return QStringLiteral("chyba systému: %1")
                .arg(QString::fromLocal8Bit(std::strerror(systemError)));
    }
}

}  // namespace platform
