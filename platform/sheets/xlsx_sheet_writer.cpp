// The .xlsx form of a list, written with libxlsxwriter: a bold header row of
// captions that stays in view (frozen) and carries a filter, dates as dates
// ("d.m.yyyy"), numbers as numbers with their unit in the number format,
// every other value as a text cell (never a formula), and each column as
// wide as its longest value within reason.
//
// The library streams the rows to the disk as they come (its constant
// memory mode), so a long list needs little memory. It writes the workbook
// into a temporary folder; the finished file is then copied into place
// through an AtomicFile, so a failure never leaves half a workbook.

#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "platform/atomic_file.h"
#include "platform/sheets/sheet_writer.h"

namespace platform {

namespace {

constexpr int kWidestColumn = 60;         // characters
constexpr lxw_row_t kRowLimit = 1048576;  // the rows a sheet can have, the header among them
constexpr int kSheetNameLength = 31;

QString SheetName(const QString& wanted) {
    QString name = wanted.left(kSheetNameLength);
    for (QChar& c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c)) {
            c = u'_';
        }
    }
    return name.trimmed().isEmpty() ? QStringLiteral("List1") : name;
}

// "0.00" with the unit "kg" gives 0.00" kg".
QByteArray NumberFormat(const SheetColumn& column) {
    QString format = column.numberPattern;
    if (!column.unit.isEmpty()) {
        format += QStringLiteral("\" %1\"").arg(QString(column.unit).remove(u'"'));
    }
    return format.toUtf8();
}

QString LibraryError(lxw_error error) {
    return QString::fromUtf8(lxw_strerror(error));
}

class XlsxSheetWriter : public SheetWriter {
  public:
    XlsxSheetWriter(const QString& target, const QString& sheetName)
        : target_(target), sheetName_(SheetName(sheetName)) {}

    ~XlsxSheetWriter() override {
        if (workbook_ != nullptr) {
            workbook_close(workbook_);
        }
    }

    bool Begin(const std::vector<SheetColumn>& columns) override {
        if (!folder_.isValid()) {
            return Fail(QStringLiteral("Dočasnou složku pro sešit se nepodařilo vytvořit: %1")
                            .arg(folder_.errorString()));
        }
        const QByteArray temporary = QFile::encodeName(folder_.filePath("list.xlsx"));
        const QByteArray tmpdir = QFile::encodeName(folder_.path());
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = const_cast<char*>(tmpdir.constData());
        workbook_ = workbook_new_opt(temporary.constData(), &options);
        const QByteArray name = sheetName_.toUtf8();
        sheet_ =
            workbook_ != nullptr ? workbook_add_worksheet(workbook_, name.constData()) : nullptr;
        if (sheet_ == nullptr) {
            return Fail(QStringLiteral("Sešit se nepodařilo založit."));
        }
        SetUpColumns(columns);
        return WriteHeader();
    }

    bool AddRow(const std::vector<SheetCell>& cells) override {
        if (row_ + 1 >= kRowLimit) {
            return Fail(QStringLiteral("Seznam má víc řádků, než list sešitu pojme (%1).")
                            .arg(kRowLimit - 1));
        }
        ++row_;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (!cells[i].empty && !WriteCell(static_cast<lxw_col_t>(i), cells[i])) {
                return false;
            }
        }
        return true;
    }

    bool Finish() override {
        if (!Error().isEmpty()) {
            return false;
        }
        SizeColumns();
        worksheet_freeze_panes(sheet_, 1, 0);
        if (!columns_.empty()) {
            worksheet_autofilter(sheet_, 0, 0, row_, static_cast<lxw_col_t>(columns_.size() - 1));
        }
        const lxw_error closed = workbook_close(workbook_);
        workbook_ = nullptr;
        if (closed != LXW_NO_ERROR) {
            return Fail(QStringLiteral("Sešit se nepodařilo zapsat: %1").arg(LibraryError(closed)));
        }
        return CopyIntoPlace();
    }

  private:
    void SetUpColumns(const std::vector<SheetColumn>& columns) {
        columns_ = columns;
        widths_.assign(columns.size(), 0);
        formats_.assign(columns.size(), nullptr);
        header_ = workbook_add_format(workbook_);
        format_set_bold(header_);
        lxw_format* date = nullptr;
        for (size_t i = 0; i < columns.size(); ++i) {
            const SheetColumn& column = columns[i];
            if (column.kind == SheetKind::Date) {
                if (date == nullptr) {
                    date = workbook_add_format(workbook_);
                    format_set_num_format(date, "d.m.yyyy");
                }
                formats_[i] = date;
            } else if (column.kind == SheetKind::Number && !column.numberPattern.isEmpty()) {
                formats_[i] = workbook_add_format(workbook_);
                format_set_num_format(formats_[i], NumberFormat(column).constData());
            }
        }
    }

    bool WriteHeader() {
        for (size_t i = 0; i < columns_.size(); ++i) {
            const QByteArray caption = columns_[i].caption.toUtf8();
            Widen(i, columns_[i].caption.size() + 2);  // room for the filter's arrow
            if (!Check(worksheet_write_string(sheet_, 0, static_cast<lxw_col_t>(i),
                                              caption.constData(), header_))) {
                return false;
            }
        }
        return true;
    }

    bool WriteCell(lxw_col_t column, const SheetCell& cell) {
        const SheetColumn& kind = columns_[column];
        Widen(column, cell.text.size() + (kind.unit.isEmpty() ? 0 : kind.unit.size() + 1));
        if (kind.kind != SheetKind::Text) {
            return Check(
                worksheet_write_number(sheet_, row_, column, cell.number, formats_[column]));
        }
        QString text = cell.text;
        if (text.size() > kSheetTextLimit) {
            Note(QStringLiteral("Řádek %1, sloupec „%2“: text delší než %3 znaků je v sešitu "
                                "zkrácen.")
                     .arg(row_)
                     .arg(kind.caption)
                     .arg(kSheetTextLimit));
            text.truncate(kSheetTextLimit);
        }
        // A text cell is text whatever it begins with: "=1+1" is not computed.
        const QByteArray bytes = text.toUtf8();
        return Check(worksheet_write_string(sheet_, row_, column, bytes.constData(), nullptr));
    }

    void Widen(size_t column, qsizetype characters) {
        widths_[column] = std::max(widths_[column], static_cast<int>(characters));
    }

    void SizeColumns() {
        for (size_t i = 0; i < widths_.size(); ++i) {
            const double width = std::min(widths_[i], kWidestColumn) + 1;
            worksheet_set_column(sheet_, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i),
                                 width, nullptr);
        }
    }

    bool Check(lxw_error error) {
        if (error == LXW_NO_ERROR) {
            return true;
        }
        return Fail(QStringLiteral("Řádek %1 se do sešitu nepodařilo zapsat: %2")
                        .arg(row_)
                        .arg(LibraryError(error)));
    }

    bool CopyIntoPlace() {
        QFile written(folder_.filePath("list.xlsx"));
        if (!written.open(QIODevice::ReadOnly)) {
            return Fail(
                QStringLiteral("Zapsaný sešit nelze přečíst: %1").arg(written.errorString()));
        }
        AtomicFile file(target_);
        if (!file.Open()) {
            return Fail(WriteFailureText(file));
        }
        while (!written.atEnd()) {
            const QByteArray piece = written.read(1 << 20);
            if (piece.isEmpty() || file.write(piece) != piece.size()) {
                return Fail(WriteFailureText(file));
            }
        }
        return file.Commit() || Fail(WriteFailureText(file));
    }

    QString target_;
    QString sheetName_;
    QTemporaryDir folder_{QDir(QDir::tempPath()).filePath(QStringLiteral("harvel-sheet-XXXXXX"))};
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* header_ = nullptr;
    std::vector<SheetColumn> columns_;
    std::vector<lxw_format*> formats_;
    std::vector<int> widths_;
    lxw_row_t row_ = 0;
};

}  // namespace

std::unique_ptr<SheetWriter> NewXlsxWriter(const QString& target, const QString& sheetName) {
    return std::make_unique<XlsxSheetWriter>(target, sheetName);
}

}  // namespace platform
