#pragma once
// Building blocks the event-book entry and edit forms share: the error box,
// fields and buttons named as the forms name them, captions tied to their
// field, the registered-name label, the help button, the navigator of the
// edit forms (no insert, no refresh) and the write of one new row.

#include <QString>
#include <QStringList>
#include <functional>

class QLabel;
class QPushButton;
class QToolButton;
class QWidget;
class TDBNavigatorKopa;
class TKEditKopa;
namespace platform {
class DataSet;
class Field;
class DataSource;
class Table;
}  // namespace platform

// The error box with an OK button.
void ShowErrorBox(const QString& text);
// Every message of the list in its own error box, in order; answers whether
// there was any.
bool ShowEachError(const QStringList& messages);

// A plain-text field of an entry form; `maxLength` 0 leaves the input open.
// `commaToPoint` turns a typed comma into a period.
template <typename Edit>
Edit* NewEntryEdit(const char* name, int maxLength, bool commaToPoint, QWidget* parent);

QPushButton* NewFormButton(const char* name, const QString& caption, QWidget* parent,
                           const QString& hint = QString());
// The caption of a field; clicking it or its mnemonic goes to the field.
QLabel* NewCaption(const QString& text, QWidget* buddy, QWidget* parent);
// The label of the registered name an entry form writes for, which the
// record sheet fills in: bold, selectable, never edited.
QLabel* NewRegisteredNameLabel(const char* name, QWidget* parent);
// The help button (a question-mark picture) that opens `topic`.
QToolButton* NewHelpButton(int topic, QWidget* parent);

// The edit forms' navigator: first, prior, next, last, delete, edit, post and
// cancel with their Czech captions, over `source`.
TDBNavigatorKopa* NewEditNavigator(platform::DataSource& source, QWidget* parent);

void OpenIfClosed(platform::DataSet& dataSet);

// Appends one row to `table` (opened when closed), lets `fill` set its
// fields and posts it. A row the store refuses is dropped, so nothing of it
// stays in the table, and the store's error passes on to the caller.
void AppendRow(platform::Table& table, const std::function<void(platform::Table&)>& fill);

// The characters a text column of a table holds ("kryti.DB", "Majitel");
// 0 for a column of another kind, which takes any length typed.
int ColumnWidth(const QString& table, const QString& column);

// Writes a record that is still being edited or inserted, with the change
// held by the focused bound field; a refusal of the store is shown in the
// error box and answers false (the record stays in editing).
bool PostPendingEdit(platform::DataSet& dataSet);

// Sets a date column from a date field's text: an empty text stores no
// date; a text that is no date goes to the store as typed, which refuses it
// with its own message rather than storing nothing silently.
void SetDateFromText(platform::Field& field, const QString& text);

// Sets the tab order of the widgets as listed.
void ChainTabOrder(const QList<QWidget*>& order);

// ---- template definitions ----------------------------------------------------
#include "controls/K_Edit.h"

template <typename Edit>
Edit* NewEntryEdit(const char* name, int maxLength, bool commaToPoint, QWidget* parent) {
    auto* edit = new Edit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    edit->CommaToPoint = commaToPoint;
    edit->Loaded();
    return edit;
}
