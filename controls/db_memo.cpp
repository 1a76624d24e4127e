#include "controls/db_memo.h"

#include <QKeyEvent>
#include <QPushButton>

#include "controls/memo_limit.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"

TDBMemoLumex::TDBMemoLumex(QWidget* parent)
    : QPlainTextEdit(parent),
      FieldBinding([this] { ShowField(); }, [this] { UpdateReadOnly(); },
                   [this] {
                       if (platform::Field* field = link_.Field()) {
                           field->SetText(toPlainText());
                       }
                   }) {
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!loading_) {
            link_.SetModified();
        }
    });
    UpdateReadOnly();
}

void TDBMemoLumex::SetReadOnly(bool readOnly) {
    link_.ReadOnly = readOnly;
    UpdateReadOnly();
}

void TDBMemoLumex::UpdateReadOnly() {
    setReadOnly(!link_.CanModify());
}

void TDBMemoLumex::ShowField() {
    const platform::Field* field = link_.Field();
    // A text column takes no more than its width: what is typed beyond it
    // stops at the caret instead of being cut by the store later.
    if (!limited_ && field != nullptr && field->Kind() == platform::ColumnType::Text &&
        field->Size() > 0) {
        LimitMemoLength(this, field->Size());
        limited_ = true;
    }
    loading_ = true;
    setPlainText(field != nullptr ? field->AsString() : QString());
    loading_ = false;
    UpdateReadOnly();
}

bool TDBMemoLumex::ChangesText(const QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        return true;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        return true;
    }
    const QString typed = event->text();
    return typed.size() == 1 && typed.at(0).unicode() > 31 &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

void TDBMemoLumex::PressDefaultButton() {
    for (QPushButton* button : window()->findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isEnabled() && button->isVisible()) {
            button->click();
            return;
        }
    }
}

void TDBMemoLumex::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        PressDefaultButton();
        return;
    }
    if (key == Qt::Key_Escape && link_.Modified()) {
        link_.Reset();
        return;
    }
    if (ChangesText(event) && !link_.Edit()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemoLumex::insertFromMimeData(const QMimeData* source) {
    if (link_.Edit()) {
        QPlainTextEdit::insertFromMimeData(source);
    }
}

void TDBMemoLumex::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) {
        return;
    }
    if (!link_.Editing()) {
        return;
    }
    try {
        link_.UpdateRecord();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        setFocus(Qt::OtherFocusReason);
    }
}
