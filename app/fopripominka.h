#pragma once
// The reminder form "Připomínka" of the diary: the date, the text and
// "Upozornit" (whether the diary shows it) of one row of schedule.db, new or
// changed. "Zápis" needs a date ("Není zadáno datum připomínky", or "Neplatné
// datum" for one that does not complete, e.g. "5.3" is the 5th of March of
// this year) and a text ("Není zadán text připomínky"), each followed by
// "Nelze zapsat, opravte data"; it writes through the store and ends with
// "Příkaz byl vykonán ".

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TDM1;

class TFoPripominka : public QDialog {
    Q_OBJECT
  public:
    // `row` is the reminder's row of schedule.db; 0 writes a new one.
    TFoPripominka(TDM1& dm, qint64 row = 0, QWidget* parent = nullptr);

    QLineEdit* EditDatum = nullptr;
    QLineEdit* EditAkce = nullptr;
    QCheckBox* CheckUpozornit = nullptr;

  private:
    void LayOut();
    void LoadRow();
    void ZapisClick();
    bool CheckInput();
    bool Write();

    TDM1& dm_;
    qint64 row_;
    QPushButton* zapis_ = nullptr;
    QPushButton* storno_ = nullptr;
};
