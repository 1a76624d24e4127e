#include "report/designer/dlg_format_papiru.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/messages.h"
#include "platform/widgets/dialogs.h"
#include "report/designer/dialog_controls.h"
#include "report/output/length_units.h"

using namespace designer_ui;

TDlgFormatPapiru::TDlgFormatPapiru(const TFormatPapiru& format, bool editable,
                                   const QString& unitLabel, int unit, QWidget* parent)
    : QDialog(parent), format_(format), unit_(unit) {
    setObjectName(QStringLiteral("DlgFormatPapiru"));
    setWindowTitle(QStringLiteral("Formát papíru"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    name_ = FormEdit(form, QStringLiteral("EditNazev"), QStringLiteral("Název formátu:"), this);
    name_->setMaxLength(TListFormatu::kMaxNameLength);
    name_->setMinimumWidth(220);
    width_ = FormEdit(form, QStringLiteral("EditSirka"), QStringLiteral("Šířka papíru:"), this);
    height_ = FormEdit(form, QStringLiteral("EditVyska"), QStringLiteral("Výška papíru:"), this);
    auto* unitLabelWidget = new QLabel(unitLabel, this);
    unitLabelWidget->setObjectName(QStringLiteral("LabelUnit"));
    form->addRow(unitLabelWidget);
    layout->addLayout(form);
    name_->setText(format_.Name);
    width_->setText(QString::number(ShowInUnit(format_.Width, unit_)));
    height_->setText(QString::number(ShowInUnit(format_.Height, unit_)));
    for (QLineEdit* edit : {name_, width_, height_}) {
        edit->setReadOnly(!editable);
    }
    auto* ok = AddClosingButtons(layout, {QStringLiteral("BtnKonec"), QStringLiteral("Konec")},
                                 {QStringLiteral("BtnZpet"), QStringLiteral("Zpět")}, this);
    connect(ok, &QPushButton::clicked, this, &TDlgFormatPapiru::Finish);
}

void TDlgFormatPapiru::Finish() {
    TFormatPapiru typed = format_;
    typed.Name = name_->text().left(TListFormatu::kMaxNameLength);
    double value = 0;
    if (ReadNumber(width_, value)) {
        typed.Width = TakeFromUnit(value, unit_);
    }
    if (ReadNumber(height_, value)) {
        typed.Height = TakeFromUnit(value, unit_);
    }
    if (typed.Width <= 0 || typed.Height <= 0) {
        platform::ShowMessage(QStringLiteral("Šířka i výška papíru musí být větší než nula."),
                              QStringLiteral("Chyba"), platform::MessageIcon::Warning);
        (typed.Width <= 0 ? width_ : height_)->setFocus();
        return;
    }
    format_ = typed;
    accept();
}

int EditPaperFormat(TListFormatu& list, int index, bool editable, const QString& unitLabel,
                    int unit, QWidget* parent) {
    if (index < 0 || index >= list.Count()) {
        return QDialog::Rejected;
    }
    TDlgFormatPapiru dialog(list.Format(index), editable, unitLabel, unit, parent);
    const int result = platform::ExecModal(dialog);
    if (result == QDialog::Accepted && editable) {
        list.SetFormat(index, dialog.Format());
    }
    return result;
}

int EditNewPaperFormat(TFormatPapiru& format, const QString& unitLabel, int unit, QWidget* parent) {
    TDlgFormatPapiru dialog(format, true, unitLabel, unit, parent);
    const int result = platform::ExecModal(dialog);
    if (result == QDialog::Accepted) {
        format = dialog.Format();
    }
    return result;
}
