#pragma once
// CSV as the data tool reads and writes it: UTF-8 (a byte-order mark is
// skipped), fields separated by commas (a header line with semicolons and no
// commas switches to semicolons, as spreadsheets write in Czech), quoting
// per RFC 4180 (a field in double quotes may hold separators, line breaks
// and "" for one quote), CR LF or LF line ends. Blank lines are skipped.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform {

struct CsvRecord {
    int line = 0;  // 1-based line where the record starts
    QStringList fields;
};

// Throws StoreError naming the line for an unterminated quote, text after a
// closing quote or bytes that are not UTF-8.
std::vector<CsvRecord> ParseCsv(const QByteArray& data);

// One line of CSV (ending in CR LF), quoting the fields that need it; the
// fields are separated by `separator` (a comma, or a semicolon for Czech
// spreadsheet programs).
QByteArray CsvLine(const QStringList& fields, QChar separator = u',');

}  // namespace platform
