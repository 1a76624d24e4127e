#include "records/date_edit_kopa.h"

#include "app/complete_date.h"

TDateEditKopa::TDateEditKopa(QWidget* parent) : TKEditKopa(parent) {
    CommaToPoint = true;
}

bool TDateEditKopa::CompleteText() {
    const std::optional<QString> completed = CompleteDateField(text());
    if (!completed) {
        return false;
    }
    if (*completed != text()) {
        setText(*completed);
    }
    return true;
}

bool TDateEditKopa::LeaveChecked() {
    if (CompleteText()) {
        return true;
    }
    ReturnFocus();
    return false;
}
