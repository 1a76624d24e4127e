#pragma once
// Appends the rows of a CSV file (csv.h) to one table through the store, so
// every column rule applies: the header names the columns (in any case), a
// text longer than its column is refused unless cutting is asked for, an
// event row without its animal is refused by the store. Every failure is a
// StoreError naming the file, the row and the column.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <vector>

#include "platform/store/database.h"

namespace platform {

// A text cut to its column's width because cutting was asked for.
struct CsvCut {
    qint64 line;
    QString column;
    qsizetype length;
    int width;
};

struct CsvLoadResult {
    QString tableName;  // as the store spells it
    qint64 added = 0;
    std::vector<CsvCut> cuts;
};

// Appends inside the caller's transaction; a failure leaves the table's
// current record cancelled and the transaction for the caller to roll back.
// The file is read as the rows are appended, one row held at a time.
CsvLoadResult AppendCsv(Database& database, const QString& tableName, QIODevice& csv,
                        const QString& shownFile, bool cut);
CsvLoadResult AppendCsv(Database& database, const QString& tableName, const QByteArray& csv,
                        const QString& shownFile, bool cut);

// The same in one transaction of its own: a failing row leaves the table
// exactly as it was.
CsvLoadResult LoadCsv(Database& database, const QString& tableName, QIODevice& csv,
                      const QString& shownFile, bool cut);
CsvLoadResult LoadCsv(Database& database, const QString& tableName, const QByteArray& csv,
                      const QString& shownFile, bool cut);

}  // namespace platform
