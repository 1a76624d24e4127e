#pragma once
// The date field of the entry forms: a TKEditKopa in plain-text mode whose
// text is completed when the user leaves it ("5" becomes the 5th of this
// month, "5.3" the 5th of March of this year). A text that does not complete
// shows "Chybné datum !" and the focus returns to the field with the text
// kept; an empty field stays empty.

#include "controls/K_Edit.h"

class TDateEditKopa : public TKEditKopa {
    Q_OBJECT
  public:
    explicit TDateEditKopa(QWidget* parent = nullptr);

    // Completes the text now, as leaving the field does; false after the
    // error box when it does not complete.
    bool CompleteText();

  protected:
    bool LeaveChecked() override;
};
