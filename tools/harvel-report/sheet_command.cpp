#include "sheet_command.h"

#include <cstdio>

#include "platform/sheets/sheet_export.h"

namespace harvel_report {

namespace {

void Say(const QString& text) {
    std::fprintf(stderr, "harvel-report: %s\n", text.toUtf8().constData());
}

}  // namespace

QString WriteSheetFile(platform::DataSet& rows, const QString& format, const QString& outFile,
                       const QString& sheetName) {
    const platform::SheetResult result = platform::WriteSheet(
        rows, outFile, platform::SheetFormatNamed(format).value_or(platform::SheetFormat::Xlsx),
        sheetName);
    for (const QString& note : result.notes) {
        Say(note);
    }
    if (result.Ok() && result.rows == 0) {
        Say(QStringLiteral("Seznam je prázdný, tabulka má jen řádek se záhlavím."));
    }
    return result.error;
}

}  // namespace harvel_report
