#pragma once
// "Formát papíru": the name and size of one paper format, shown in the
// designer's unit. Built-in formats are only shown; user formats can be
// renamed and resized. "Konec" takes the typed values (a number that cannot
// be read keeps the previous one; a size of zero or less is refused with a
// message and the dialog stays open), "Zpět" changes nothing.

#include <QDialog>

#include "report/output/paper_formats.h"

class QLabel;
class QLineEdit;

class TDlgFormatPapiru : public QDialog {
    Q_OBJECT
  public:
    TDlgFormatPapiru(const TFormatPapiru& format, bool editable, const QString& unitLabel, int unit,
                     QWidget* parent = nullptr);

    // The format as it is after "Konec".
    const TFormatPapiru& Format() const { return format_; }

  private:
    void Finish();

    TFormatPapiru format_;
    int unit_;
    QLineEdit* name_;
    QLineEdit* width_;
    QLineEdit* height_;
};

// The format list's Edit: opens the dialog on format `index`; on "Konec" the
// format in the list is replaced. Returns the dialog result.
int EditPaperFormat(TListFormatu& list, int index, bool editable, const QString& unitLabel,
                    int unit, QWidget* parent = nullptr);
// The dialog on a single format that is not in a list yet; on "Konec" `format`
// takes the typed values.
int EditNewPaperFormat(TFormatPapiru& format, const QString& unitLabel, int unit,
                       QWidget* parent = nullptr);
