#pragma once
// Choice boxes and check boxes of the entry forms. With EnterIsTab, Enter
// moves on to the next field as Tab does. The choice boxes take ColorOnFocus
// while focused and ColorOnDisabled while disabled. The bound ones show a
// field of the current record, put the record into editing when the user
// changes them (when the source allows it) and write the field: the choice
// box when it is left, the check box at once.

#include <QCheckBox>
#include <QColor>
#include <QComboBox>

#include "controls/field_data_link.h"

// Free text with a list to pick from, or a closed list.
enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBoxKopa : public QComboBox {
    Q_OBJECT
  public:
    explicit TComboBoxKopa(QWidget* parent = nullptr);

    bool EnterIsTab = true;
    QColor ColorOnFocus;  // the tooltip background of the palette
    bool ColorOnFocusActive = true;
    QColor ColorOnDisabled;  // the button face colour of the palette

    TComboBoxStyle Style() const { return isEditable() ? csDropDown : csDropDownList; }
    void SetStyle(TComboBoxStyle style);
    void SetItems(const QStringList& items);
    // The text shown: the typed text, or the chosen item of a closed list.
    QString Text() const { return currentText(); }
    void SetText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void SetBackground(const QColor& colour);
    QColor normalColour_;
};

class TDBComboBoxKopa : public TComboBoxKopa, public FieldBinding {
    Q_OBJECT
  public:
    explicit TDBComboBoxKopa(QWidget* parent = nullptr);

    bool ReadOnly() const { return link_.ReadOnly; }
    void SetReadOnly(bool readOnly);
    bool Modified() const { return link_.Modified(); }
    // Whether the shown value can be changed now (bound field, editable data set).
    bool CanModify() const { return link_.CanModify(); }

    void showPopup() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void ShowField();
    void UpdateReadOnly();
    void UserChanged();

    bool loading_ = false;
};

class TCheckboxMy : public QCheckBox {
    Q_OBJECT
  public:
    explicit TCheckboxMy(QWidget* parent = nullptr);
    bool EnterIsTab = true;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class TDBCheckboxMy : public TCheckboxMy, public FieldBinding {
    Q_OBJECT
  public:
    explicit TDBCheckboxMy(QWidget* parent = nullptr);

    bool ReadOnly() const { return link_.ReadOnly; }
    void SetReadOnly(bool readOnly) { link_.ReadOnly = readOnly; }

    // The texts a text field holds for checked and unchecked ("True", "False").
    QString ValueChecked = QStringLiteral("True");
    QString ValueUnchecked = QStringLiteral("False");
    // Kept for forms that set them; the box does nothing with them.
    bool AutoCaption = false;
    QString CaptionChecked;

  protected:
    void nextCheckState() override;

  private:
    void ShowField();
    void WriteField();
};
