#include "platform/sheets/sheet_export.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

#include "platform/atomic_file.h"
#include "platform/sheets/sheet_writer.h"
#include "platform/store/dataset.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"

namespace platform {

namespace {

// Walks a data set without anyone following it: bound controls hear nothing
// and the scroll hook is off; at the end the row current before is current
// again (and the hook runs once for it, as after any move).
class QuietWalk {
  public:
    explicit QuietWalk(DataSet& dataSet)
        : dataSet_(dataSet),
          mark_(dataSet.GetBookmark()),
          afterScroll_(std::exchange(dataSet.Hooks().afterScroll, nullptr)) {
        dataSet_.DisableControls();
    }
    ~QuietWalk() {
        dataSet_.Hooks().afterScroll = afterScroll_;
        if (mark_.IsValid()) {
            dataSet_.GotoBookmark(mark_);
        }
        dataSet_.EnableControls();
    }
    QuietWalk(const QuietWalk&) = delete;
    QuietWalk& operator=(const QuietWalk&) = delete;

  private:
    DataSet& dataSet_;
    Bookmark mark_;
    std::function<void(DataSet&)> afterScroll_;
};

std::unique_ptr<SheetWriter> NewWriter(SheetFormat format, const QString& file,
                                       const QString& sheetName) {
    return format == SheetFormat::Csv ? NewCsvWriter(file) : NewXlsxWriter(file, sheetName);
}

bool WriteRows(DataSet& dataSet, SheetWriter& writer, const std::vector<SheetColumn>& columns,
               int& rows) {
    std::vector<SheetCell> cells(columns.size());
    QuietWalk walk(dataSet);
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        for (size_t i = 0; i < columns.size(); ++i) {
            ReadSheetCell(dataSet.Fields(static_cast<int>(i)), columns[i], cells[i]);
        }
        if (!writer.AddRow(cells)) {
            return false;
        }
        ++rows;
    }
    return true;
}

}  // namespace

QString WriteFailureText(const AtomicFile& file) {
    const QString failure = file.FailureText();
    return failure.isEmpty() ? QStringLiteral("Soubor \"%1\" nelze zapsat.")
                                   .arg(QDir::toNativeSeparators(file.Target()))
                             : failure;
}

std::optional<SheetFormat> SheetFormatNamed(const QString& name) {
    if (name == QLatin1String("xlsx")) {
        return SheetFormat::Xlsx;
    }
    if (name == QLatin1String("csv")) {
        return SheetFormat::Csv;
    }
    return std::nullopt;
}

SheetFormat SheetFormatOfFile(const QString& file) {
    return QFileInfo(file).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
               ? SheetFormat::Csv
               : SheetFormat::Xlsx;
}

SheetResult WriteSheet(DataSet& dataSet, const QString& file, SheetFormat format,
                       const QString& sheetName) {
    SheetResult result;
    if (!dataSet.IsActive()) {
        result.error = QStringLiteral("Seznam není otevřen, tabulku nelze uložit.");
        return result;
    }
    const std::vector<SheetColumn> columns = SheetColumns(dataSet);
    std::unique_ptr<SheetWriter> writer = NewWriter(format, file, sheetName);
    try {
        if (writer->Begin(columns) && WriteRows(dataSet, *writer, columns, result.rows)) {
            writer->Finish();
        }
    } catch (const StoreError& error) {
        result.error = error.Message();
    }
    if (result.error.isEmpty()) {
        result.error = writer->Error();
    }
    result.notes = writer->Notes();
    return result;
}

}  // namespace platform
