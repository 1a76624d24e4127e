#pragma once
// A spreadsheet file being written: the header row of captions, then the
// rows one by one, then Finish, which puts the whole file in place of its
// target or leaves the target as it was. The writers of .xlsx and .csv
// files share this shape.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/sheets/sheet_cells.h"

namespace platform {

class AtomicFile;

class SheetWriter {
  public:
    virtual ~SheetWriter() = default;

    // Starts the file; false (with Error()) when it cannot be created.
    virtual bool Begin(const std::vector<SheetColumn>& columns) = 0;
    // One row of cells in column order; false when it could not be written.
    virtual bool AddRow(const std::vector<SheetCell>& cells) = 0;
    // Writes the rest and replaces the target; false when anything failed.
    virtual bool Finish() = 0;

    // Why the file was not written (Czech), empty while all is well.
    const QString& Error() const { return error_; }
    // What the file holds otherwise than the list shows it (a text cut to
    // the spreadsheet's cell limit), one sentence each.
    const QStringList& Notes() const { return notes_; }

  protected:
    bool Fail(const QString& error) {
        if (error_.isEmpty()) {
            error_ = error;
        }
        return false;
    }
    void Note(const QString& note) { notes_ << note; }

  private:
    QString error_;
    QStringList notes_;
};

// Why `file` was not written: its failure text, or a general one.
QString WriteFailureText(const AtomicFile& file);

// A workbook with one sheet named `sheetName` (cut to the 31 characters a
// sheet name may have, the characters it may not hold replaced).
std::unique_ptr<SheetWriter> NewXlsxWriter(const QString& target, const QString& sheetName);
// UTF-8 text with a byte-order mark, fields separated by semicolons.
std::unique_ptr<SheetWriter> NewCsvWriter(const QString& target);

}  // namespace platform
