// The .csv form of a list, as Czech spreadsheet programs open it: UTF-8 with
// a byte-order mark (so the letters with diacritics are read as such),
// semicolons between the fields, numbers with a decimal comma and dates as
// d.M.yyyy. A text that would be taken for a formula gets an apostrophe in
// front, the sign for "this is text".

#include <QByteArray>

#include "platform/atomic_file.h"
#include "platform/sheets/sheet_writer.h"
#include "platform/store/csv.h"

namespace platform {

namespace {

constexpr QChar kSeparator = u';';
constexpr qsizetype kBufferSize = 1 << 16;  // the file is written in pieces of this size

QString NumberText(const SheetCell& cell) {
    return QString::number(cell.number, 'g', 15).replace(u'.', u',');
}

class CsvSheetWriter : public SheetWriter {
  public:
    explicit CsvSheetWriter(const QString& target) : file_(target) {}

    bool Begin(const std::vector<SheetColumn>& columns) override {
        columns_ = columns;
        if (!file_.Open()) {
            return Fail(WriteFailureText(file_));
        }
        QStringList captions;
        for (const SheetColumn& column : columns_) {
            captions << (column.unit.isEmpty()
                             ? column.caption
                             : QStringLiteral("%1 (%2)").arg(column.caption, column.unit));
        }
        buffer_ = QByteArray("\xEF\xBB\xBF") + CsvLine(captions, kSeparator);
        return true;
    }

    bool AddRow(const std::vector<SheetCell>& cells) override {
        fields_.clear();
        for (size_t i = 0; i < cells.size(); ++i) {
            fields_ << FieldText(columns_.at(i), cells[i]);
        }
        buffer_ += CsvLine(fields_, kSeparator);
        return buffer_.size() < kBufferSize || Flush();
    }

    bool Finish() override {
        if (!Error().isEmpty() || !Flush() || !file_.Commit()) {
            Fail(WriteFailureText(file_));
            file_.Discard();
            return false;
        }
        return true;
    }

  private:
    static QString FieldText(const SheetColumn& column, const SheetCell& cell) {
        if (cell.empty) {
            return QString();
        }
        if (column.kind == SheetKind::Number) {
            return NumberText(cell);
        }
        if (column.kind == SheetKind::Text && LooksLikeFormula(cell.text)) {
            return QLatin1Char('\'') + cell.text;
        }
        return cell.text;
    }

    bool Flush() {
        if (file_.write(buffer_) != buffer_.size()) {
            return Fail(WriteFailureText(file_));
        }
        buffer_.clear();
        return true;
    }

    AtomicFile file_;
    std::vector<SheetColumn> columns_;
    QStringList fields_;
    QByteArray buffer_;
};

}  // namespace

std::unique_ptr<SheetWriter> NewCsvWriter(const QString& target) {
    return std::make_unique<CsvSheetWriter>(target);
}

}  // namespace platform
