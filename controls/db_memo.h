#pragma once
// TDBMemoLumex: multi-line text bound to a field of the current record. It
// takes characters and arrow keys from the keyboard; Tab goes on to the next
// field (Shift+Tab back) and Enter goes to the form's default button instead
// of starting a new line. Typing puts the record into editing (when the
// source allows it); leaving the memo while the record is being edited or
// inserted writes the field at once, and a refusal keeps the focus in the
// memo with the error shown. Esc discards an unwritten change.

#include <QPlainTextEdit>

#include "controls/field_data_link.h"

class TDBMemoLumex : public QPlainTextEdit, public FieldBinding {
    Q_OBJECT
  public:
    explicit TDBMemoLumex(QWidget* parent = nullptr);

    bool ReadOnly() const { return link_.ReadOnly; }
    void SetReadOnly(bool readOnly);
    bool Modified() const { return link_.Modified(); }
    QString Text() const { return toPlainText(); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void ShowField();
    void UpdateReadOnly();
    void PressDefaultButton();
    static bool ChangesText(const QKeyEvent* event);

    bool loading_ = false;
    bool limited_ = false;
};
