#include "platform/store/data_check.h"

#include <QSet>

#include "platform/store/database.h"
#include "platform/store/field.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/row_keys.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_error.h"
#include "platform/store/table.h"
#include "platform/store/value_check.h"

namespace platform {
namespace {

// The event tables whose rows point to a record sheet by registered name.
const char* const kEventTables[] = {"osetreni.db", "vystavy.db",  "tituly.db",
                                    "Zkousky.DB",  "chovnost.DB", "kryti.DB",
                                    "vrhy.db",     "rodokmen.db", "foto_album.db"};

bool IsEventTable(const QString& fileName) {
    for (const char* name : kEventTables) {
        if (fileName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

void CheckPages(Database& database, std::vector<CheckFinding>& findings) {
    if (database.IsServer()) {
        return;  // a server keeps its own pages whole
    }
    Statement check(database.Handle().Raw(), QStringLiteral("PRAGMA quick_check"));
    while (check.Step()) {
        const Value v = check.Column(0);
        const auto* text = std::get_if<QString>(&v);
        if (text != nullptr && *text == QLatin1String("ok")) {
            continue;
        }
        CheckFinding finding;
        finding.kind = CheckFinding::DamagedPage;
        finding.text = text != nullptr ? *text : QString();
        findings.push_back(finding);
    }
}

QSet<QString> RecordSheetNames(Database& database) {
    QSet<QString> names;
    if (database.IsServer()) {
        const QStringList all = database.Server().Values(
            QStringLiteral("SELECT \"Jmeno_registr\" FROM main_card WHERE \"Jmeno_registr\" IS "
                           "NOT NULL"));
        return QSet<QString>(all.begin(), all.end());
    }
    Statement s(database.Handle().Raw(),
                QStringLiteral("SELECT Jmeno_registr FROM main_card WHERE typeof(Jmeno_registr) = "
                               "'text'"));
    while (s.Step()) {
        names.insert(std::get<QString>(s.Column(0)));
    }
    return names;
}

void CheckTable(Database& database, const TableSchema& schema, const QSet<QString>& sheets,
                std::vector<CheckFinding>& findings) {
    Table table(database, schema.fileName);
    table.Open();
    const ColumnSchema* key = IdentifyingColumn(schema);
    const Field* name =
        IsEventTable(schema.fileName) ? table.FindField(QStringLiteral("Jmeno_registr")) : nullptr;
    int row = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        ++row;
        AddDamagedValues(table, row, findings);
        // An event row without a name is listed once, as a row without its key.
        if (key != nullptr && table.FindField(key->name)->AsString().trimmed().isEmpty()) {
            findings.push_back({CheckFinding::EmptyKey, schema.fileName, row, key->name,
                                QStringLiteral("prázdný klíč záznamu")});
        } else if (name != nullptr && !sheets.contains(name->AsString())) {
            findings.push_back(
                {CheckFinding::Orphan, schema.fileName, row, QString(),
                 QStringLiteral("osiřelý záznam: registrované jméno „%1“ nemá kartu v "
                                "hlavní evidenci")
                     .arg(name->AsString())});
        }
    }
}

}  // namespace

QString CheckFinding::Line() const {
    if (kind == DamagedPage) {
        return (table.isEmpty() ? QStringLiteral("databáze") : table) +
               QStringLiteral(": poškození: ") + text;
    }
    QString line = QStringLiteral("%1, řádek %2").arg(table).arg(row);
    if (!column.isEmpty()) {
        line += QStringLiteral(", sloupec ") + column;
    }
    return line + QStringLiteral(": ") + text;
}

void AddDamagedValues(const Table& table, int row, std::vector<CheckFinding>& findings) {
    for (int i = 0; i < table.FieldCount(); ++i) {
        const Field& field = table.Fields(i);
        if (field.IsDamaged()) {
            findings.push_back({CheckFinding::DamagedValue, table.TableName(), row, field.Name(),
                                DamageText(field.Column(), field.StoredValue())});
        }
    }
}

std::vector<CheckFinding> CheckDatabase(Database& database) {
    std::vector<CheckFinding> findings;
    CheckPages(database, findings);
    const QSet<QString> sheets = RecordSheetNames(database);
    for (const TableSchema& schema : AllTableSchemas()) {
        try {
            CheckTable(database, schema, sheets, findings);
        } catch (const StoreError& error) {
            // Memory that ran out says nothing about the file.
            if ((error.EngineCode() & 0xFF) == SQLITE_NOMEM) {
                throw;
            }
            // A damaged page stops the table's reading; the rest is still checked.
            findings.push_back({CheckFinding::DamagedPage, schema.fileName, 0, QString(),
                                QStringLiteral("tabulku nelze dočíst: ") + error.Message()});
        }
    }
    return findings;
}

}  // namespace platform
