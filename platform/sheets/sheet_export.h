#pragma once
// A list handed to a spreadsheet: every row of a data set, in the order and
// with the filter it has, written as an .xlsx workbook or a .csv file with a
// header row of the columns' captions. The file takes the place of its
// target only when all of it was written.

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

class DataSet;

enum class SheetFormat { Xlsx, Csv };

// "xlsx" or "csv"; nullopt for any other name.
std::optional<SheetFormat> SheetFormatNamed(const QString& name);
// By the file's suffix: ".csv" (any case) is CSV, anything else a workbook.
SheetFormat SheetFormatOfFile(const QString& file);

struct SheetResult {
    QString error;      // why nothing was written (Czech); empty when written
    QStringList notes;  // what the file holds otherwise than the list shows it
    int rows = 0;       // rows written below the header
    bool Ok() const { return error.isEmpty(); }
};

// Writes the rows of the open `dataSet` from the first to the last. The data
// set's current row is the same afterwards, and its scroll hooks (the record
// sheet following the list) are not run for the rows passed over.
// `sheetName` names the workbook's sheet (the print source's caption).
SheetResult WriteSheet(DataSet& dataSet, const QString& file, SheetFormat format,
                       const QString& sheetName);

}  // namespace platform
