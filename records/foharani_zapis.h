#pragma once
// The entry form of one season, "Hárání - zápis" for a new season and
// "Hárání - úpravy" for a recorded one: the first day and a note. "Zápis"
// needs a date ("Není zadáno datum hárání", or "Neplatné datum" for one that
// does not complete, each followed by "Nelze zapsat, opravte data"), writes
// the row through the store and ends with "Příkaz byl vykonán ". A row the
// store refuses is dropped, its error is shown and the form stays open.

#include <QDialog>

class QLabel;
class QPushButton;
class TDateEditKopa;
class TDM1;
class TKEditKopa;

class TFoHaraniZapis : public QDialog {
    Q_OBJECT
  public:
    // `row` is the season's row of harani.db to change; 0 appends a new one.
    TFoHaraniZapis(TDM1& dm, const QString& registeredName, qint64 row = 0,
                   QWidget* parent = nullptr);

    TDateEditKopa* EditDatum = nullptr;
    TKEditKopa* EditPoznamka = nullptr;

  private:
    void LayOut(const QString& registeredName);
    void LoadRow();
    void ZapisClick();
    bool CheckDate();
    bool Write();

    TDM1& dm_;
    QString registeredName_;
    qint64 row_;
    QPushButton* zapis_ = nullptr;
    QPushButton* storno_ = nullptr;
};
