#include "controls/db_radio_group.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QRadioButton>

#include "platform/store/field.h"
#include "platform/store/store_error.h"

TDBRadioGroupInt::TDBRadioGroupInt(QWidget* parent)
    : QGroupBox(parent), FieldBinding([this] { ShowField(); }, {}, [this] { WriteField(); }) {
    grid_ = new QGridLayout(this);
    group_.setExclusive(true);
    connect(&group_, &QButtonGroup::idClicked, this, [this](int id) { OptionClicked(id); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget* now) { FocusChanged(old, now); });
}

TDBRadioGroupInt::~TDBRadioGroupInt() {
    disconnect(qApp, nullptr, this, nullptr);
}

void TDBRadioGroupInt::SetItems(const QStringList& items) {
    items_ = items;
    Rebuild();
}

void TDBRadioGroupInt::SetColumns(int columns) {
    columns_ = std::max(1, columns);
    Rebuild();
}

QRadioButton* TDBRadioGroupInt::Button(int index) const {
    return qobject_cast<QRadioButton*>(group_.button(index));
}

int TDBRadioGroupInt::ItemIndex() const {
    return group_.checkedId();
}

// Options fill the columns top to bottom, as many rows as the longest column needs.
void TDBRadioGroupInt::Rebuild() {
    for (QAbstractButton* button : group_.buttons()) {
        group_.removeButton(button);
        delete button;
    }
    const int count = static_cast<int>(items_.size());
    const int rows = (count + columns_ - 1) / columns_;
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(items_[i], this);
        button->installEventFilter(this);
        group_.addButton(button, i);
        grid_->addWidget(button, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
    }
    shown_ = -2;
    ShowField();
}

void TDBRadioGroupInt::Select(int index) {
    if (index < 0 || Button(index) == nullptr) {
        // An exclusive group cannot be emptied; open it for a moment.
        group_.setExclusive(false);
        for (QAbstractButton* button : group_.buttons()) {
            button->setChecked(false);
        }
        group_.setExclusive(true);
        index = -1;
    } else {
        Button(index)->setChecked(true);
    }
    if (index != shown_) {
        const bool first = shown_ == -2;
        shown_ = index;
        if (!first && OnChange) {
            OnChange(this);
        }
    }
}

void TDBRadioGroupInt::ShowField() {
    const platform::Field* field = link_.Field();
    int index = -1;
    if (field != nullptr && !field->IsNull()) {
        try {
            index = static_cast<int>(field->AsInteger());
        } catch (const platform::StoreError&) {
            index = -1;
        }
    }
    Select(index);
}

void TDBRadioGroupInt::WriteField() {
    platform::Field* field = link_.Field();
    if (field == nullptr) {
        return;
    }
    const int index = ItemIndex();
    if (index < 0) {
        field->Clear();
    } else {
        field->SetAsInteger(index);
    }
}

void TDBRadioGroupInt::OptionClicked(int index) {
    if (index == shown_ && !link_.Modified()) {
        return;
    }
    if (!link_.Modified() && !link_.Edit()) {
        ShowField();  // refused: the record's value stays selected
        return;
    }
    link_.SetModified();
    Select(index);
}

bool TDBRadioGroupInt::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && link_.Modified()) {
            link_.Reset();
            return true;
        }
        if ((key == Qt::Key_Backspace || key == Qt::Key_Space) && !link_.Edit()) {
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

// Leaving the group (the focus goes from one of its options to a widget
// outside it) writes the selection.
void TDBRadioGroupInt::FocusChanged(QWidget* old, QWidget* now) {
    const bool wasInside = old != nullptr && isAncestorOf(old);
    const bool isInside = now != nullptr && (now == this || isAncestorOf(now));
    if (!wasInside || isInside || !link_.Modified()) {
        return;
    }
    try {
        link_.UpdateRecord();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        QRadioButton* back = Button(std::max(ItemIndex(), 0));
        if (back != nullptr) {
            back->setFocus(Qt::OtherFocusReason);
        }
    }
}
