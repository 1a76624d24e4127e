#include "data_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cstdio>

#include "platform/czech_plural.h"
#include "platform/standard_output.h"
#include "platform/store/csv.h"
#include "platform/store/csv_load.h"
#include "platform/store/data_check.h"
#include "platform/store/store.h"
#include "platform/store/value_check.h"

namespace harvel_data {
namespace {

using platform::ColumnType;
using platform::Field;
using platform::StoreError;

// Display texts go on one line each: a line break inside a value is written as \n.
QString OneLine(QString text) {
    text.remove('\r');
    text.replace('\n', QStringLiteral("\\n"));
    text.replace('\t', ' ');
    return text;
}

QString CsvText(const Field& field) {
    // A value damaged outside the program is written as it is stored.
    if (field.IsDamaged()) {
        return platform::StoredText(field.StoredValue());
    }
    if (field.IsNull()) {
        return QString();
    }
    switch (field.Kind()) {
        case ColumnType::Graphic:
            return QString::fromLatin1(field.AsBytes().toBase64());
        case ColumnType::Boolean:
            return field.AsBoolean() ? QStringLiteral("true") : QStringLiteral("false");
        case ColumnType::Float:
            return QString::number(field.AsFloat(), 'g', QLocale::FloatingPointShortest);
        default:
            return field.AsString();
    }
}

void OpenForReading(QFile& file) {
    if (!file.open(QIODevice::ReadOnly)) {
        throw StoreError(
            QStringLiteral("Soubor %1 nelze otevřít: %2").arg(file.fileName(), file.errorString()));
    }
}

void ListCuts(const std::vector<platform::CsvCut>& cuts, const QString& file, QTextStream& out) {
    if (cuts.empty()) {
        return;
    }
    out << QStringLiteral("Zkrácené texty (--cut):\n");
    for (const platform::CsvCut& c : cuts) {
        out << QStringLiteral("%1, řádek %2, sloupec %3: %4 znaků zkráceno na %5\n")
                   .arg(file)
                   .arg(c.line)
                   .arg(c.column)
                   .arg(c.length)
                   .arg(c.width);
    }
}

}  // namespace

void InitCommand(const QString& folder, QTextStream& out) {
    platform::Database::CreateSchema(folder);
    out << QStringLiteral("Vytvořena databáze %1 s prázdnými tabulkami.\n")
               .arg(QDir::toNativeSeparators(platform::Database::DatabaseFile(folder)));
}

void SqlCommand(const QString& folder, const QString& statement, QTextStream& out) {
    platform::Database database(folder, platform::OpenMode::ReadOnly);
    platform::Query query(database);
    query.SetSQL(statement.split('\n'));
    query.Open();
    out << query.FieldNames().join('\t') << '\n';
    for (query.First(); !query.Eof(); query.Next()) {
        QStringList texts;
        for (int i = 0; i < query.FieldCount(); ++i) {
            texts << OneLine(query.Fields(i).DisplayText());
        }
        out << texts.join('\t') << '\n';
    }
}

void LoadCommand(const QString& folder, const QString& tableName, const QString& csvFile, bool cut,
                 QTextStream& out) {
    platform::Database database(folder);
    const QString shownFile = QFileInfo(csvFile).fileName();
    QFile csv(csvFile);
    OpenForReading(csv);
    const platform::CsvLoadResult result =
        platform::LoadCsv(database, tableName, csv, shownFile, cut);
    const qint64 added = result.added;
    // "přidán 1 řádek", "přidány 4 řádky", "přidáno 5 řádků"
    const QString verb = platform::CzechPlural(
        added, {QStringLiteral("přidán"), QStringLiteral("přidány"), QStringLiteral("přidáno")});
    const QString noun = platform::CzechPlural(
        added, {QStringLiteral("řádek"), QStringLiteral("řádky"), QStringLiteral("řádků")});
    out << QStringLiteral("Do tabulky %1 %2 %3 %4.\n")
               .arg(result.tableName, verb)
               .arg(added)
               .arg(noun);
    ListCuts(result.cuts, shownFile, out);
}

void DumpCommand(const QString& folder, const QString& tableName, QTextStream& out) {
    platform::Database database(folder, platform::OpenMode::ReadOnly);
    platform::Table table(database, tableName);
    table.Open();
    out << QString::fromUtf8(platform::CsvLine(table.FieldNames()));
    std::vector<platform::CheckFinding> damaged;
    int row = 0;
    for (table.First(); !table.Eof(); table.Next()) {
        platform::AddDamagedValues(table, ++row, damaged);
        QStringList texts;
        for (int i = 0; i < table.FieldCount(); ++i) {
            texts << CsvText(table.Fields(i));
        }
        out << QString::fromUtf8(platform::CsvLine(texts));
    }
    out.flush();
    for (const platform::CheckFinding& finding : damaged) {
        platform::WriteErrorLine(QStringLiteral("Poškozená hodnota: ") + finding.Line());
    }
}

}  // namespace harvel_data
