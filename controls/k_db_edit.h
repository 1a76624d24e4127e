#pragma once
// TKDBEditKopa: the one-line field bound to a field of the current record of
// a data source. It shows the field's display text (its display format, such
// as "12.50 kg") while not focused and its edit text while focused, follows
// every move and state change of the data set, puts the record into editing
// when the user types (when the source allows it), and writes the value back
// when it is left, after the field checks of TKEdit (required input). A value
// the store refuses is shown in the error box and the focus stays in the
// field. Only Enter moves on; Up and Down stay in the field. On a data set
// that cannot be edited (a query) the field is read-only.

#include "controls/K_Edit.h"
#include "controls/field_data_link.h"

class TKDBEditKopa : public TKEditKopa, public FieldBinding {
    Q_OBJECT
  public:
    explicit TKDBEditKopa(QWidget* parent = nullptr);

    // The characters the field takes; 0: as many as a text column holds.
    int MaxLength = 0;

    // The control's own read-only setting; the data set may make it read-only too.
    bool ReadOnly() const { return link_.ReadOnly; }
    void SetReadOnly(bool readOnly);
    // Whether the shown text holds a change not yet written to the field.
    bool Modified() const { return link_.Modified(); }
    // Writes a pending change now; false (after the error box) when refused.
    bool UpdateRecord();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool LeaveChecked() override;

  private:
    void ShowField();
    void UpdateReadOnly();
    void WriteField();
    static bool ChangesText(const QKeyEvent* event);

    bool loading_ = false;
};
