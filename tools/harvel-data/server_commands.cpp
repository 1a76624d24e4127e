#include "server_commands.h"

#include <QDir>

#include "platform/czech_plural.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/postgres_schema.h"
#include "platform/store/store_copy.h"

namespace harvel_data {
namespace {

QString Shown(const QString& address) {
    return platform::IsServerAddress(address) ? platform::AddressWithoutPassword(address)
                                              : QDir::toNativeSeparators(address);
}

// "1 záznam", "3 záznamy", "5 záznamů"
QString Records(std::int64_t count) {
    return QStringLiteral("%1 %2").arg(count).arg(platform::CzechPlural(
        count, {QStringLiteral("záznam"), QStringLiteral("záznamy"), QStringLiteral("záznamů")}));
}

}  // namespace

void InitServerCommand(const QString& address, QTextStream& out) {
    platform::PostgresConnection connection(address);
    platform::CreateServerSchema(connection);
    out << QStringLiteral(
               "V databázi %1 vytvořeny prázdné tabulky a role %2 (čtení) a %3 "
               "(čtení a zápis).\n")
               .arg(connection.ShownAddress(), QString::fromLatin1(platform::kServerReaderRole),
                    QString::fromLatin1(platform::kServerWriterRole));
}

void CopyCommand(const QString& source, const QString& destination, QTextStream& out) {
    const platform::StoreCopyResult result = platform::CopyStore(source, destination);
    for (const platform::CopiedTable& table : result.tables) {
        out << QStringLiteral("%1: %2\n").arg(table.fileName, Records(table.rows));
    }
    out << QStringLiteral(
               "Zkopírováno %1 z %2 do %3; kopie souhlasí se zdrojem řádek po "
               "řádku.\n")
               .arg(Records(result.Rows()), Shown(source), Shown(destination));
}

}  // namespace harvel_data
