#include "data_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <cstdio>

#include "platform/czech_plural.h"
#include "platform/standard_output.h"
#include "platform/store/csv.h"
#include "platform/store/data_check.h"
#include "platform/store/store.h"
#include "platform/store/text_width.h"
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
    if (field.IsDamaged())
        return platform::StoredText(field.StoredValue());
    if (field.IsNull())
        return QString();
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

void SetFromCsv(Field& field, const QString& text) {
    if (field.Kind() == ColumnType::Graphic) {
        const auto decoded = QByteArray::fromBase64Encoding(
            text.trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            throw StoreError(QStringLiteral("obrázek musí být zapsán v kódování base64"));
        field.SetAsBytes(*decoded);
        return;
    }
    field.SetAsString(text);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(
            QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path, file.errorString()));
    return file.readAll();
}

std::vector<Field*> MapHeader(platform::Table& table, const platform::CsvRecord& header,
                              const QString& file) {
    std::vector<Field*> fields;
    QSet<QString> seen;
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const QString name = header.fields[i].trimmed();
        Field* field = table.FindField(name);
        if (field == nullptr)
            throw StoreError(
                QStringLiteral("%1, řádek %2, sloupec %3: tabulka %4 nemá sloupec „%5“.")
                    .arg(file)
                    .arg(header.line)
                    .arg(i + 1)
                    .arg(table.TableName(), name));
        if (seen.contains(field->Name().toLower()))
            throw StoreError(QStringLiteral("%1, řádek %2: sloupec %3 je v záhlaví dvakrát.")
                                 .arg(file)
                                 .arg(header.line)
                                 .arg(field->Name()));
        seen.insert(field->Name().toLower());
        fields.push_back(field);
    }
    return fields;
}

// A text the load cut to its column's width on purpose (--cut).
struct Cut {
    qint64 line;
    QString column;
    qsizetype length;
    int width;
};

// The value of one cell: a text longer than its column is refused, or with
// --cut let through (the store cuts it) and remembered.
void CheckWidth(const Field& field, const QString& text, qint64 line, bool cut,
                std::vector<Cut>& cuts) {
    if (!platform::IsTooLongFor(field.Column(), text))
        return;
    if (!cut)
        throw StoreError(platform::TooLongText(field.Column(), text) +
                         QStringLiteral(" (s volbou --cut se zkrátí)"));
    cuts.push_back({line, field.Name(), text.size(), field.Column().width});
}

void AppendRecords(platform::Table& table, const std::vector<platform::CsvRecord>& records,
                   const std::vector<Field*>& fields, const QString& file, bool cut,
                   std::vector<Cut>& cuts) {
    for (size_t r = 1; r < records.size(); ++r) {
        const platform::CsvRecord& record = records[r];
        if (record.fields.size() != static_cast<qsizetype>(fields.size()))
            throw StoreError(QStringLiteral("%1, řádek %2: očekáváno %3 hodnot, nalezeno %4.")
                                 .arg(file)
                                 .arg(record.line)
                                 .arg(fields.size())
                                 .arg(record.fields.size()));
        table.Append();
        for (size_t c = 0; c < fields.size(); ++c) {
            const QString& text = record.fields[static_cast<qsizetype>(c)];
            try {
                CheckWidth(*fields[c], text, record.line, cut, cuts);
                SetFromCsv(*fields[c], text);
            } catch (const StoreError& e) {
                throw StoreError(QStringLiteral("%1, řádek %2, sloupec %3: %4")
                                     .arg(file)
                                     .arg(record.line)
                                     .arg(fields[c]->Name(), e.Message()));
            }
        }
        try {
            table.Post();
        } catch (const StoreError& e) {
            throw StoreError(
                QStringLiteral("%1, řádek %2: %3").arg(file).arg(record.line).arg(e.Message()));
        }
    }
}

void ListCuts(const std::vector<Cut>& cuts, const QString& file, QTextStream& out) {
    if (cuts.empty())
        return;
    out << QStringLiteral("Zkrácené texty (--cut):\n");
    for (const Cut& c : cuts)
        out << QStringLiteral("%1, řádek %2, sloupec %3: %4 znaků zkráceno na %5\n")
                   .arg(file)
                   .arg(c.line)
                   .arg(c.column)
                   .arg(c.length)
                   .arg(c.width);
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
        for (int i = 0; i < query.FieldCount(); ++i)
            texts << OneLine(query.Fields(i).DisplayText());
        out << texts.join('\t') << '\n';
    }
}

void LoadCommand(const QString& folder, const QString& tableName, const QString& csvFile, bool cut,
                 QTextStream& out) {
    platform::Database database(folder);
    platform::Table table(database, tableName);
    const QString shownFile = QFileInfo(csvFile).fileName();
    std::vector<platform::CsvRecord> records;
    try {
        records = platform::ParseCsv(ReadFile(csvFile));
    } catch (const StoreError& e) {
        throw StoreError(shownFile + QStringLiteral(", ") + e.Message());
    }
    if (records.empty())
        throw StoreError(
            QStringLiteral("%1: soubor nemá záhlaví se jmény sloupců.").arg(shownFile));
    table.Open();
    const std::vector<Field*> fields = MapHeader(table, records[0], shownFile);
    // One transaction: a failing row leaves the table exactly as it was.
    std::vector<Cut> cuts;
    database.StartTransaction();
    table.BeginBulkAppend();
    try {
        AppendRecords(table, records, fields, shownFile, cut, cuts);
        database.Commit();
    } catch (...) {
        table.Cancel();
        database.RollbackAfterFailure();
        throw;
    }
    table.EndBulkAppend();
    database.Analyze();  // statistics for the query planner, now that the table has grown
    const qint64 added = static_cast<qint64>(records.size()) - 1;
    // "přidán 1 řádek", "přidány 4 řádky", "přidáno 5 řádků"
    const QString verb = platform::CzechPlural(
        added, {QStringLiteral("přidán"), QStringLiteral("přidány"), QStringLiteral("přidáno")});
    const QString noun = platform::CzechPlural(
        added, {QStringLiteral("řádek"), QStringLiteral("řádky"), QStringLiteral("řádků")});
    out << QStringLiteral("Do tabulky %1 %2 %3 %4.\n")
               .arg(table.TableName(), verb)
               .arg(added)
               .arg(noun);
    ListCuts(cuts, shownFile, out);
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
        for (int i = 0; i < table.FieldCount(); ++i)
            texts << CsvText(table.Fields(i));
        out << QString::fromUtf8(platform::CsvLine(texts));
    }
    out.flush();
    for (const platform::CheckFinding& finding : damaged)
        platform::WriteErrorLine(QStringLiteral("Poškozená hodnota: ") + finding.Line());
}

}  // namespace harvel_data
