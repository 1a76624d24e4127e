#include "controls/k_list_box.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "controls/K_Edit.h"

TKListBox::TKListBox(QWidget* parent) : QListWidget(parent), KeyLikeTab(keyEnter | keyDownUp) {}

// Returns true when the key left the list for another field.
bool TKListBox::MoveVertically(bool down, bool control) {
    const bool leave =
        control || ((KeyLikeTab & keyInLine) &&
                    (count() == 0 || (down ? currentRow() >= count() - 1 : currentRow() <= 0)));
    if (!leave) {
        return false;
    }
    if (down) {
        focusNextChild();
    } else {
        focusPreviousChild();
    }
    return true;
}

void TKListBox::keyPressEvent(QKeyEvent* event) {
    if (!(KeyLikeTab & keyDownUp)) {
        QListWidget::keyPressEvent(event);
        return;
    }
    const bool control = event->modifiers() & Qt::ControlModifier;
    int key = event->key();
    if ((KeyLikeTab & keyEnter) && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        key = Qt::Key_Down;
    }
    if (key == Qt::Key_Down || key == Qt::Key_Up) {
        if (MoveVertically(key == Qt::Key_Down, control)) {
            return;
        }
        if (count() > 0) {
            const int row = currentRow() + (key == Qt::Key_Down ? 1 : -1);
            setCurrentRow(std::clamp(row, 0, count() - 1));
        }
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TKListBox::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    if (!ColorOnFocusActive) {
        return;
    }
    colourBeforeFocus_ = palette().color(QPalette::Base);
    QPalette p = palette();
    p.setColor(QPalette::Base, ColorOnFocus);
    setPalette(p);
}

void TKListBox::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    if (!ColorOnFocusActive || !colourBeforeFocus_.isValid() ||
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    QPalette p = palette();
    p.setColor(QPalette::Base, colourBeforeFocus_);
    setPalette(p);
}
