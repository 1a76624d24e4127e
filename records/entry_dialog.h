#pragma once
// TEntryDialog: what every entry form of the event books (litters, matings,
// vet visits, shows, titles, exams, breeding approval) does when its write
// button is pressed, told once. The checks run in order and each failing
// one shows its own message, then "Nelze zapsat, opravte data", and the
// form stays open. Otherwise the form may still ask (the litter's unlikely
// parents) and then writes its entry; a store that refuses it leaves
// nothing of the entry behind, its message is shown and the form stays open
// with every input. A write done ends with "Příkaz byl vykonán " and closes
// the form.
//
// A form derives from it, builds its own fields, connects its write button
// to WriteClick and states its checks and its write.

#include <QDialog>
#include <QList>
#include <QStringList>

class QVBoxLayout;
namespace platform {
class StoreError;
}

class TEntryDialog : public QDialog {
    Q_OBJECT
  protected:
    TEntryDialog(const QString& objectName, const QString& caption, QWidget* parent);

    // The write button's handler.
    void WriteClick();

    // Ends the form's layout, below its fields: `gap` pixels, then the row
    // of the write buttons at the left and "Storno" and help at the right.
    // The form keeps at least the size its contents need.
    void AddButtonRow(QVBoxLayout* layout, int gap, const QList<QWidget*>& writeButtons,
                      const QList<QWidget*>& closingButtons);

    // The message of every check that fails, in the order the checks run;
    // empty when the entry may be written.
    virtual QStringList InputFailures() = 0;
    // Asked once the checks pass; false leaves the form open, nothing written.
    virtual bool ConfirmWrite() { return true; }
    // Writes the entry; a refusal of the store throws its StoreError and
    // leaves nothing of the entry in the tables.
    virtual void WriteEntry() = 0;
    // What a refused write shows: the store's own text unless the form
    // has a message of its own.
    virtual QString RefusalMessage(const platform::StoreError& error) const;

  private:
    bool WriteChecked();
};
