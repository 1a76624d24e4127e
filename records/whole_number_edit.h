#pragma once
// A count field of the entry forms (the numbers of male and female puppies):
// a TKEditKopa in plain-text mode that, when the user leaves it, refuses a
// text that is not a whole number of 0 to 32767 (the small-integer column
// it goes to) with the field's caption in the message, and keeps the input
// there with the text as typed. An empty field is left empty.

#include "controls/K_Edit.h"

class TWholeNumberEditKopa : public TKEditKopa {
    Q_OBJECT
  public:
    explicit TWholeNumberEditKopa(QWidget* parent = nullptr);

    // The caption the refusal names ("Počet štěňat – Pes").
    QString Caption;

  protected:
    bool LeaveChecked() override;
};
