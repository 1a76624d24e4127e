#include "records/whole_number_edit.h"

#include "records/entry_form_parts.h"

namespace {

constexpr int kSmallintMaximum = 32767;

}  // namespace

TWholeNumberEditKopa::TWholeNumberEditKopa(QWidget* parent) : TKEditKopa(parent) {}

bool TWholeNumberEditKopa::LeaveChecked() {
    const QString typed = text().trimmed();
    bool number = false;
    const int value = typed.toInt(&number);
    if (typed.isEmpty() || (number && value >= 0 && value <= kSmallintMaximum)) {
        return true;
    }
    ShowErrorBox(QStringLiteral("%1: „%2“ není celé číslo od 0 do %3.")
                     .arg(Caption, text())
                     .arg(kSmallintMaximum));
    ReturnFocus();
    return false;
}
