#include "app/demo_kennel.h"

#include <QFile>

#include "platform/store/csv_load.h"
#include "platform/store/database.h"
#include "platform/store/store_error.h"

namespace {

// The record sheets first: every event row names an animal already there.
const char* const kDemoTables[] = {"main_card.db",  "vrhy.db",    "tituly.db",   "osetreni.db",
                                   "vystavy.db",    "kryti.DB",   "chovnost.DB", "Zkousky.DB",
                                   "foto_album.db", "plemeno.db", "adresar.db",  "rodokmen.db"};

QByteArray ReadDemoFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw platform::StoreError(QStringLiteral("Soubor ukázkových dat %1 nelze otevřít: %2")
                                       .arg(path, file.errorString()));
    }
    return file.readAll();
}

// "vrhy.db" is shipped as "vrhy.csv", "Zkousky.DB" as "Zkousky.csv".
QString CsvFileName(const QString& table) {
    return table.section(u'.', 0, 0) + QStringLiteral(".csv");
}

}  // namespace

qint64 LoadDemoKennel(const QString& dataFolder, const QString& demoFolder) {
    platform::Database database(dataFolder);
    qint64 written = 0;
    database.StartTransaction();
    try {
        for (const char* table : kDemoTables) {
            const QString name = CsvFileName(QString::fromLatin1(table));
            const QByteArray csv = ReadDemoFile(demoFolder + name);
            written +=
                platform::AppendCsv(database, QString::fromLatin1(table), csv, name, false).added;
        }
        database.Commit();
    } catch (...) {
        database.RollbackAfterFailure();
        throw;
    }
    database.Analyze();
    return written;
}
