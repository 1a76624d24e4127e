#include "controls/k_db_edit.h"

#include <QKeyEvent>

#include "platform/store/field.h"
#include "platform/store/store_error.h"

TKDBEditKopa::TKDBEditKopa(QWidget* parent)
    : TKEditKopa(parent),
      FieldBinding([this] { ShowField(); }, [this] { UpdateReadOnly(); },
                   [this] { WriteField(); }) {
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!loading_) {
            link_.SetModified();
        }
    });
    UpdateReadOnly();
}

void TKDBEditKopa::SetReadOnly(bool readOnly) {
    link_.ReadOnly = readOnly;
    UpdateReadOnly();
}

void TKDBEditKopa::UpdateReadOnly() {
    setReadOnly(!link_.CanModify());
}

// The value of the current record: the edit text while the user works in
// the field, the display text otherwise.
void TKDBEditKopa::ShowField() {
    const platform::Field* field = link_.Field();
    QString shown;
    int limit = 32767;
    if (field != nullptr) {
        try {
            shown = hasFocus() ? field->EditText() : field->DisplayText();
        } catch (const platform::StoreError&) {
            shown = field->AsString();  // a stored text that is not a number
        }
        if (field->Kind() == platform::ColumnType::Text && field->Size() > 0) {
            limit = field->Size();
        }
    }
    if (MaxLength > 0 && MaxLength < limit) {
        limit = MaxLength;
    }
    loading_ = true;
    setMaxLength(limit);
    setText(shown);
    loading_ = false;
    UpdateReadOnly();
}

void TKDBEditKopa::WriteField() {
    platform::Field* field = link_.Field();
    if (field == nullptr) {
        return;
    }
    field->SetText(text());
}

bool TKDBEditKopa::UpdateRecord() {
    try {
        link_.UpdateRecord();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return false;
    }
    return true;
}

bool TKDBEditKopa::ChangesText(const QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        return true;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        return true;
    }
    if (key == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier) {
        return true;
    }
    const QString typed = event->text();
    return typed.size() == 1 && typed.at(0).unicode() > 31 &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

void TKDBEditKopa::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // Only the Enter member of KeyLikeTab acts here: the arrow and page keys
    // stay in the field.
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
        key == Qt::Key_PageDown) {
        // Past TKEdit on purpose: its handling would move the focus on.
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Escape && link_.Modified()) {
        link_.Reset();
        selectAll();
        return;
    }
    if (ChangesText(event) && !link_.Edit()) {
        event->accept();  // refused: nothing bound, read-only, or no editing allowed
        return;
    }
    TKEditKopa::keyPressEvent(event);
}

void TKDBEditKopa::focusInEvent(QFocusEvent* event) {
    // hasFocus() is already true here, so the edit text is shown; a change
    // kept after a refused write stays.
    if (!link_.Modified()) {
        ShowField();
    }
    TKEditKopa::focusInEvent(event);
}

bool TKDBEditKopa::LeaveChecked() {
    if (!UpdateRecord()) {
        ReturnFocus();
        return false;
    }
    if (!link_.Modified()) {
        ShowField();
    }
    return true;
}
