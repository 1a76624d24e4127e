#include "platform/store/csv_load.h"

#include <QSet>

#include "platform/store/csv.h"
#include "platform/store/store.h"
#include "platform/store/text_width.h"

namespace platform {
namespace {

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

std::vector<Field*> MapHeader(Table& table, const CsvRecord& header, const QString& file) {
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

// The value of one cell: a text longer than its column is refused, or with
// `cut` let through (the store cuts it) and remembered.
void CheckWidth(const Field& field, const QString& text, qint64 line, bool cut,
                std::vector<CsvCut>& cuts) {
    if (!IsTooLongFor(field.Column(), text))
        return;
    if (!cut)
        throw StoreError(TooLongText(field.Column(), text) +
                         QStringLiteral(" (s volbou --cut se zkrátí)"));
    cuts.push_back({line, field.Name(), text.size(), field.Column().width});
}

void AppendRecords(Table& table, const std::vector<CsvRecord>& records,
                   const std::vector<Field*>& fields, const QString& file, bool cut,
                   std::vector<CsvCut>& cuts) {
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
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

std::vector<CsvRecord> ParseNamed(const QByteArray& csv, const QString& shownFile) {
    std::vector<CsvRecord> records;
    try {
        records = ParseCsv(csv);
    } catch (const StoreError& e) {
        throw StoreError(shownFile + QStringLiteral(", ") + e.Message());
    }
    if (records.empty())
        throw StoreError(
            QStringLiteral("%1: soubor nemá záhlaví se jmény sloupců.").arg(shownFile));
    return records;
}

}  // namespace

CsvLoadResult AppendCsv(Database& database, const QString& tableName, const QByteArray& csv,
                        const QString& shownFile, bool cut) {
    Table table(database, tableName);
    const std::vector<CsvRecord> records = ParseNamed(csv, shownFile);
    table.Open();
    const std::vector<Field*> fields = MapHeader(table, records[0], shownFile);
    CsvLoadResult result;
    result.tableName = table.TableName();
    table.BeginBulkAppend();
    try {
        AppendRecords(table, records, fields, shownFile, cut, result.cuts);
    } catch (...) {
        table.Cancel();
        throw;
    }
    table.EndBulkAppend();
    result.added = static_cast<qint64>(records.size()) - 1;
    return result;
}

CsvLoadResult LoadCsv(Database& database, const QString& tableName, const QByteArray& csv,
                      const QString& shownFile, bool cut) {
    database.StartTransaction();
    CsvLoadResult result;
    try {
        result = AppendCsv(database, tableName, csv, shownFile, cut);
        database.Commit();
    } catch (...) {
        database.RollbackAfterFailure();
        throw;
    }
    database.Analyze();  // statistics for the query planner, now that the table has grown
    return result;
}

}  // namespace platform
