#include "report/designer/dialog_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace designer_ui {

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QLineEdit* FormEdit(QFormLayout* form, const QString& name, const QString& caption,
                    QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    form->addRow(Caption(caption, edit, parent), edit);
    return edit;
}

QComboBox* FormCombo(QFormLayout* form, const QString& name, const QString& caption,
                     QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    form->addRow(Caption(caption, combo, parent), combo);
    return combo;
}

QCheckBox* NamedCheck(const QString& name, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* NamedButton(const QString& name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

QPushButton* AddClosingButtons(QBoxLayout* layout, const ButtonCaption& confirm,
                               const ButtonCaption& cancel, QDialog* dialog) {
    auto* row = new QHBoxLayout;
    auto* ok = NamedButton(confirm.name, confirm.text, dialog);
    ok->setDefault(true);
    auto* back = NamedButton(cancel.name, cancel.text, dialog);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(back);
    layout->addLayout(row);
    QObject::connect(back, &QPushButton::clicked, dialog, &QDialog::reject);
    return ok;
}

int WholeOr(const QLineEdit* edit, int fallback) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool ReadNumber(const QLineEdit* edit, double& value) {
    bool ok = false;
    const double read =
        edit->text().trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (ok) {
        value = read;
    }
    return ok;
}

}  // namespace designer_ui
