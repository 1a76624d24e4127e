#include "records/entry_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <exception>

#include "app/shared_messages.h"
#include "platform/store/store_error.h"
#include "records/entry_form_parts.h"

TEntryDialog::TEntryDialog(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
}

void TEntryDialog::WriteClick() {
    if (WriteChecked()) {
        ShowCommandDone();
        accept();
    }
}

void TEntryDialog::AddButtonRow(QVBoxLayout* layout, int gap, const QList<QWidget*>& writeButtons,
                                const QList<QWidget*>& closingButtons) {
    auto* buttons = new QHBoxLayout;
    for (QWidget* button : writeButtons) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    for (QWidget* button : closingButtons) {
        buttons->addWidget(button);
    }
    layout->addSpacing(gap);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

QString TEntryDialog::RefusalMessage(const platform::StoreError& error) const {
    return error.Message();
}

// The checks may read the tables themselves, so they run under the same
// catch as the write: a store error there is shown and the form stays open.
bool TEntryDialog::WriteChecked() {
    try {
        if (ShowEachError(InputFailures())) {
            ShowErrorBox(QStringLiteral("Nelze zapsat, opravte data"));
            return false;
        }
        if (!ConfirmWrite()) {
            return false;
        }
        WriteEntry();
    } catch (const platform::StoreError& error) {
        ShowErrorBox(RefusalMessage(error));
        return false;
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromLocal8Bit(error.what()));
        return false;
    }
    return true;
}
