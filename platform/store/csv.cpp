#include "platform/store/csv.h"

#include <QBuffer>

#include "platform/store/csv_reader.h"

namespace platform {

std::vector<CsvRecord> ParseCsv(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    std::vector<CsvRecord> records;
    CsvRecord record;
    while (reader.Next(record)) {
        records.push_back(std::move(record));
    }
    return records;
}

QByteArray CsvLine(const QStringList& fields, QChar separator) {
    QStringList quoted;
    for (const QString& f : fields) {
        // A comma-separated field with a semicolon is quoted too, so that a
        // header line is never taken for a semicolon-separated one.
        const bool needs = f.contains(separator) || (separator == u',' && f.contains(';')) ||
                           f.contains('"') || f.contains('\n') || f.contains('\r') ||
                           f.startsWith(' ') || f.endsWith(' ');
        if (!needs) {
            quoted << f;
            continue;
        }
        QString q = f;
        q.replace('"', QStringLiteral("\"\""));
        quoted << '"' + q + '"';
    }
    return quoted.join(separator).toUtf8() + "\r\n";
}

}  // namespace platform
