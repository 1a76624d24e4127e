#include "controls/combo_check.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>

#include "platform/store/field.h"
#include "platform/store/store_error.h"

namespace {

bool IsEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Keys with which a choice box changes its value.
bool ChangesChoice(const QKeyEvent* event, bool editable) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return !editable || event->modifiers() == Qt::NoModifier;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            return editable;
        default:
            break;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        return editable;
    }
    const QString typed = event->text();
    return typed.size() == 1 && typed.at(0).unicode() > 31 &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

}  // namespace

// ---- TComboBoxKopa ---------------------------------------------------------------

TComboBoxKopa::TComboBoxKopa(QWidget* parent) : QComboBox(parent) {
    ColorOnFocus = palette().color(QPalette::ToolTipBase);
    ColorOnDisabled = palette().color(QPalette::Button);
    normalColour_ = palette().color(QPalette::Base);
    SetStyle(csDropDown);
}

void TComboBoxKopa::SetStyle(TComboBoxStyle style) {
    const QString text = currentText();
    setEditable(style == csDropDown);
    if (style == csDropDown) {
        setInsertPolicy(QComboBox::NoInsert);
    }
    SetText(text);
}

void TComboBoxKopa::SetItems(const QStringList& items) {
    const QString text = currentText();
    clear();
    addItems(items);
    SetText(text);
}

// A closed list shows its own word for a text written in another case or
// with blanks around it ("fena" from an older installation shows "Fena").
void TComboBoxKopa::SetText(const QString& text) {
    if (isEditable()) {
        setCurrentIndex(findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
        setEditText(text);
    } else {
        setCurrentIndex(findText(text.trimmed(), Qt::MatchFixedString));
    }
}

void TComboBoxKopa::SetBackground(const QColor& colour) {
    if (!colour.isValid()) {
        return;
    }
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    setPalette(p);
}

void TComboBoxKopa::keyPressEvent(QKeyEvent* event) {
    if (EnterIsTab && IsEnter(event)) {
        focusNextChild();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void TComboBoxKopa::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    if (ColorOnFocusActive) {
        SetBackground(ColorOnFocus);
    }
}

void TComboBoxKopa::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (ColorOnFocusActive && event->reason() != Qt::PopupFocusReason) {
        SetBackground(isEnabled() ? normalColour_ : ColorOnDisabled);
    }
}

void TComboBoxKopa::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        SetBackground(isEnabled() ? normalColour_ : ColorOnDisabled);
    }
}

// ---- TDBComboBoxKopa -------------------------------------------------------------

TDBComboBoxKopa::TDBComboBoxKopa(QWidget* parent)
    : TComboBoxKopa(parent),
      FieldBinding([this] { ShowField(); }, [this] { UpdateReadOnly(); },
                   [this] {
                       if (platform::Field* field = link_.Field()) {
                           field->SetText(currentText());
                       }
                   }) {
    connect(this, &QComboBox::activated, this, [this] { UserChanged(); });
    connect(this, &QComboBox::editTextChanged, this, [this] {
        if (!loading_ && isEditable() && lineEdit()->hasFocus()) {
            UserChanged();
        }
    });
    UpdateReadOnly();
}

void TDBComboBoxKopa::SetReadOnly(bool readOnly) {
    link_.ReadOnly = readOnly;
    UpdateReadOnly();
}

void TDBComboBoxKopa::UpdateReadOnly() {
    if (isEditable()) {
        lineEdit()->setReadOnly(!link_.CanModify());
    }
}

void TDBComboBoxKopa::ShowField() {
    const platform::Field* field = link_.Field();
    loading_ = true;
    SetText(field != nullptr ? field->AsString() : QString());
    if (isEditable() && field != nullptr && field->Kind() == platform::ColumnType::Text &&
        field->Size() > 0) {
        lineEdit()->setMaxLength(field->Size());
    }
    loading_ = false;
    UpdateReadOnly();
}

// A change by the user: the record goes into editing, or the change is undone.
void TDBComboBoxKopa::UserChanged() {
    if (loading_) {
        return;
    }
    if (link_.Modified() || link_.Edit()) {
        link_.SetModified();
        return;
    }
    ShowField();
}

void TDBComboBoxKopa::showPopup() {
    if (link_.CanModify()) {
        QComboBox::showPopup();
    }
}

void TDBComboBoxKopa::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && link_.Modified()) {
        link_.Reset();
        return;
    }
    if (!(EnterIsTab && IsEnter(event)) && ChangesChoice(event, isEditable()) && !link_.Edit()) {
        event->accept();  // refused: read-only or no editing allowed
        return;
    }
    TComboBoxKopa::keyPressEvent(event);
}

void TDBComboBoxKopa::wheelEvent(QWheelEvent* event) {
    if (link_.CanModify()) {
        TComboBoxKopa::wheelEvent(event);
    }
}

void TDBComboBoxKopa::focusOutEvent(QFocusEvent* event) {
    TComboBoxKopa::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) {
        return;
    }
    try {
        link_.UpdateRecord();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        setFocus(Qt::OtherFocusReason);
    }
}

// ---- check boxes -----------------------------------------------------------------

TCheckboxMy::TCheckboxMy(QWidget* parent) : QCheckBox(parent) {}

void TCheckboxMy::keyPressEvent(QKeyEvent* event) {
    if (EnterIsTab && IsEnter(event)) {
        focusNextChild();
        return;
    }
    QCheckBox::keyPressEvent(event);
}

TDBCheckboxMy::TDBCheckboxMy(QWidget* parent)
    : TCheckboxMy(parent), FieldBinding([this] { ShowField(); }, {}, [this] { WriteField(); }) {}

void TDBCheckboxMy::ShowField() {
    const platform::Field* field = link_.Field();
    bool on = false;
    if (field != nullptr && !field->IsNull()) {
        if (field->Kind() == platform::ColumnType::Boolean) {
            on = field->AsBoolean();
        } else {
            on = field->AsString().compare(ValueChecked, Qt::CaseInsensitive) == 0;
        }
    }
    setChecked(on);
}

void TDBCheckboxMy::WriteField() {
    platform::Field* field = link_.Field();
    if (field == nullptr) {
        return;
    }
    if (field->Kind() == platform::ColumnType::Boolean) {
        field->SetAsBoolean(isChecked());
    } else {
        field->SetText(isChecked() ? ValueChecked : ValueUnchecked);
    }
}

// A click or Space: the record goes into editing and takes the new state at once.
void TDBCheckboxMy::nextCheckState() {
    if (!link_.Edit()) {
        return;
    }
    TCheckboxMy::nextCheckState();
    link_.SetModified();
    try {
        link_.UpdateRecord();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        link_.Reset();
    }
}
