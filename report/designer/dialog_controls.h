#pragma once
// Small builders shared by the designer's dialogs: a caption label that is
// its field's buddy, named fields, check boxes, buttons and whole numbers
// read from a field with a fallback.

#include <QString>

class QBoxLayout;
class QCheckBox;
class QDialog;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace designer_ui {

// A label with `text` whose buddy is `buddy`.
QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent);
// A named line edit added to `form` under a caption label.
QLineEdit* FormEdit(QFormLayout* form, const QString& name, const QString& caption,
                    QWidget* parent);
// A named combo box added to `form` under a caption label.
QComboBox* FormCombo(QFormLayout* form, const QString& name, const QString& caption,
                     QWidget* parent);
QCheckBox* NamedCheck(const QString& name, const QString& text, QWidget* parent);
QPushButton* NamedButton(const QString& name, const QString& text, QWidget* parent);

struct ButtonCaption {
    QString name, text;
};
// The dialog's closing row at the foot of `layout`, right-aligned: the
// confirming button (the default one; its action is the caller's) and the
// cancelling one, which rejects the dialog. Returns the confirming button.
QPushButton* AddClosingButtons(QBoxLayout* layout, const ButtonCaption& confirm,
                               const ButtonCaption& cancel, QDialog* dialog);
// The whole number in the field, or `fallback` when the text is not one.
int WholeOr(const QLineEdit* edit, int fallback);
// The number in the field ("," read as "."), or false.
bool ReadNumber(const QLineEdit* edit, double& value);

}  // namespace designer_ui
