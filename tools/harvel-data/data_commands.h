#pragma once
// The commands of harvel-data. Each writes its output to `out` and throws
// platform::StoreError with the message to show when it fails.

#include <QString>
#include <QTextStream>

namespace harvel_data {

void InitCommand(const QString& folder, QTextStream& out);
void SqlCommand(const QString& folder, const QString& statement, QTextStream& out);
// A text longer than its column is refused with the row, the column and both
// lengths, and nothing is written; with `cut` it is cut and listed.
void LoadCommand(const QString& folder, const QString& table, const QString& csvFile, bool cut,
                 QTextStream& out);
void DumpCommand(const QString& folder, const QString& table, QTextStream& out);

}  // namespace harvel_data
