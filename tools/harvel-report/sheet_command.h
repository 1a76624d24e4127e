#pragma once
// harvel-report --format xlsx|csv: the rows of the data (a print source's
// list with its where and order texts, a table or a query) handed to a
// spreadsheet, without a template.

#include <QString>

namespace platform {
class DataSet;
}

namespace harvel_report {

// Writes `rows` into `outFile` as the spreadsheet `format` names, the sheet
// named `sheetName`. What the file holds otherwise than the list (a text
// cut to a cell's limit) and an empty list are said on stderr. Answers the
// reason it failed, empty when the file was written.
QString WriteSheetFile(platform::DataSet& rows, const QString& format, const QString& outFile,
                       const QString& sheetName);

}  // namespace harvel_report
