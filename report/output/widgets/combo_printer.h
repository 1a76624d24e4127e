#pragma once
// A drop-down list (not editable) of the installed printers' names, in the
// order of the printer system's list.

#include <QComboBox>

class TComboBoxPrinter : public QComboBox {
    Q_OBJECT
  public:
    explicit TComboBoxPrinter(QWidget* parent = nullptr);

    // Lists the printers and selects `index`: -1 selects the current printer
    // when there is one; an index below -1 or beyond the list selects nothing.
    void Fill(int index);
    // The index in the printer list of the selected name; -1 when nothing is
    // selected or the name is no longer installed.
    int SelectedPrinterIndex() const;
    QString SelectedName() const;
    // Re-lists the printers and keeps the selection by name.
    void Refresh();

  private:
    void List();
};
