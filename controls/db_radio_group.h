#pragma once
// TDBRadioGroupInt: an option group bound to a whole-number field; the
// field's value is the index of the selected option (an empty field selects
// nothing). Clicking an option marks the record changed (it goes into
// editing when the source allows it); leaving the group writes the index to
// the field, and a refusal returns the focus to the selected option (or the
// first) with the error shown. Backspace and Space put the record into
// editing; Esc discards the change. OnChange runs whenever the selection
// changes.

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>
#include <functional>

#include "controls/field_data_link.h"

class QGridLayout;
class QRadioButton;

class TDBRadioGroupInt : public QGroupBox, public FieldBinding {
    Q_OBJECT
  public:
    explicit TDBRadioGroupInt(QWidget* parent = nullptr);
    ~TDBRadioGroupInt() override;

    const QStringList& Items() const { return items_; }
    void SetItems(const QStringList& items);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    bool ReadOnly() const { return link_.ReadOnly; }
    void SetReadOnly(bool readOnly) { link_.ReadOnly = readOnly; }
    bool Modified() const { return link_.Modified(); }

    // The selected option, -1 for none.
    int ItemIndex() const;
    QRadioButton* Button(int index) const;

    std::function<void(TDBRadioGroupInt*)> OnChange;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Rebuild();
    void Select(int index);
    void ShowField();
    void WriteField();
    void OptionClicked(int index);
    void FocusChanged(QWidget* old, QWidget* now);

    QStringList items_;
    int columns_ = 1;
    QButtonGroup group_;
    QGridLayout* grid_ = nullptr;
    int shown_ = -1;
};
