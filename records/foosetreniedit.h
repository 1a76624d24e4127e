#pragma once
// The health-card edit form TFoOsetreniEdit ("Návštěva lékaře - úpravy"):
// browses and edits the current animal's vet visits. A navigator (without
// insert and refresh), a grid of visit dates and reasons that asks before a
// row is deleted, and the bound fields of the current visit with the entry
// form's captions. The treatment table's source does not start editing by
// itself: "Oprav" does. New visits are added only through the entry form.
//
// The record sheet switches the treatment table's record filter on before
// showing it, so the table holds only the current animal's rows.

#include <QDialog>

class QPushButton;
class TDBComboBoxKopa;
class TDBMemoLumex;
class TDBNavigatorKopa;
class TDM1;
class TDbGridKOPA;
class TKDBEditKopa;

class TFoOsetreniEdit : public QDialog {
    Q_OBJECT
  public:
    explicit TFoOsetreniEdit(TDM1& dm, QWidget* parent = nullptr);

  public slots:
    // Closing writes a visit still being edited; a refusal keeps the form open.
    void done(int result) override;

  private:
    void BuildControls();
    void LayOut();

    TDM1& dm_;
    TDBNavigatorKopa* navigator_ = nullptr;
    TDbGridKOPA* grid_ = nullptr;
    TKDBEditKopa* animal_ = nullptr;
    TKDBEditKopa* doctor_ = nullptr;
    TKDBEditKopa* visitDate_ = nullptr;
    TDBComboBoxKopa* reason_ = nullptr;
    TKDBEditKopa* description_ = nullptr;
    TKDBEditKopa* result_ = nullptr;
    TKDBEditKopa* preparations_ = nullptr;
    TKDBEditKopa* nextVisit_ = nullptr;
    TDBMemoLumex* note_ = nullptr;
    QPushButton* close_ = nullptr;
};
