#include "platform/store/store_side.h"

#include "platform/store/postgres_connection.h"
#include "platform/store/postgres_store_side.h"
#include "platform/store/sqlite_store_side.h"

namespace platform {

std::unique_ptr<StoreSide> OpenStoreSide(const QString& address, StoreSide::Role role) {
    if (IsServerAddress(address)) {
        return std::make_unique<PostgresStoreSide>(address, role);
    }
    return std::make_unique<SqliteStoreSide>(address, role);
}

QString DestinationNotEmptyText(const QString& shown, const QString& tableFile) {
    return QStringLiteral(
               "Cílová databáze %1 již obsahuje záznamy (tabulka %2); kopie se "
               "zapisuje jen do prázdné databáze.")
        .arg(shown, tableFile);
}

}  // namespace platform
