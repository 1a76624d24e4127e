#include "platform/store/csv_load.h"

#include <QBuffer>
#include <QSet>

#include "platform/store/csv_reader.h"
#include "platform/store/store.h"
#include "platform/store/text_width.h"

namespace platform {
namespace {

void SetFromCsv(Field& field, const QString& text) {
    if (field.Kind() == ColumnType::Graphic) {
        const auto decoded = QByteArray::fromBase64Encoding(
            text.trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) {
            throw StoreError(QStringLiteral("obrázek musí být zapsán v kódování base64"));
        }
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
        if (field == nullptr) {
            throw StoreError(
                QStringLiteral("%1, řádek %2, sloupec %3: tabulka %4 nemá sloupec „%5“.")
                    .arg(file)
                    .arg(header.line)
                    .arg(i + 1)
                    .arg(table.TableName(), name));
        }
        if (seen.contains(field->Name().toLower())) {
            throw StoreError(QStringLiteral("%1, řádek %2: sloupec %3 je v záhlaví dvakrát.")
                                 .arg(file)
                                 .arg(header.line)
                                 .arg(field->Name()));
        }
        seen.insert(field->Name().toLower());
        fields.push_back(field);
    }
    return fields;
}

// The value of one cell: a text longer than its column is refused, or with
// `cut` let through (the store cuts it) and remembered.
void CheckWidth(const Field& field, const QString& text, qint64 line, bool cut,
                std::vector<CsvCut>& cuts) {
    if (!IsTooLongFor(field.Column(), text)) {
        return;
    }
    if (!cut) {
        throw StoreError(TooLongText(field.Column(), text) +
                         QStringLiteral(" (s volbou --cut se zkrátí)"));
    }
    cuts.push_back({line, field.Name(), text.size(), field.Column().width});
}

// One record's cells into the table's new row, posted.
void AppendRecord(Table& table, const CsvRecord& record, const std::vector<Field*>& fields,
                  const QString& file, bool cut, std::vector<CsvCut>& cuts) {
    if (record.fields.size() != static_cast<qsizetype>(fields.size())) {
        throw StoreError(QStringLiteral("%1, řádek %2: očekáváno %3 hodnot, nalezeno %4.")
                             .arg(file)
                             .arg(record.line)
                             .arg(fields.size())
                             .arg(record.fields.size()));
    }
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

// The next record of the file; a fault of the file is named with it.
bool NextRecord(CsvReader& reader, CsvRecord& record, const QString& shownFile) {
    try {
        return reader.Next(record);
    } catch (const StoreError& e) {
        throw StoreError(shownFile + QStringLiteral(", ") + e.Message());
    }
}

// Rows are read and appended one at a time, so only the current one is held.
qint64 AppendRecords(Table& table, CsvReader& reader, const std::vector<Field*>& fields,
                     const QString& file, bool cut, std::vector<CsvCut>& cuts) {
    qint64 added = 0;
    CsvRecord record;
    while (NextRecord(reader, record, file)) {
        AppendRecord(table, record, fields, file, cut, cuts);
        ++added;
    }
    return added;
}

QBuffer& OpenedBuffer(QBuffer& buffer, const QByteArray& bytes) {
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return buffer;
}

}  // namespace

CsvLoadResult AppendCsv(Database& database, const QString& tableName, QIODevice& csv,
                        const QString& shownFile, bool cut) {
    Table table(database, tableName);
    CsvReader reader(csv);
    CsvRecord header;
    if (!NextRecord(reader, header, shownFile)) {
        throw StoreError(
            QStringLiteral("%1: soubor nemá záhlaví se jmény sloupců.").arg(shownFile));
    }
    table.Open();
    const std::vector<Field*> fields = MapHeader(table, header, shownFile);
    CsvLoadResult result;
    result.tableName = table.TableName();
    table.BeginBulkAppend();
    try {
        result.added = AppendRecords(table, reader, fields, shownFile, cut, result.cuts);
    } catch (...) {
        table.Cancel();
        throw;
    }
    table.EndBulkAppend();
    return result;
}

CsvLoadResult AppendCsv(Database& database, const QString& tableName, const QByteArray& csv,
                        const QString& shownFile, bool cut) {
    QBuffer buffer;
    return AppendCsv(database, tableName, OpenedBuffer(buffer, csv), shownFile, cut);
}

CsvLoadResult LoadCsv(Database& database, const QString& tableName, QIODevice& csv,
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

CsvLoadResult LoadCsv(Database& database, const QString& tableName, const QByteArray& csv,
                      const QString& shownFile, bool cut) {
    QBuffer buffer;
    return LoadCsv(database, tableName, OpenedBuffer(buffer, csv), shownFile, cut);
}

}  // namespace platform
