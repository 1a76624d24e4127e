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

#include "records/bound_edit_dialog.h"

class TDBComboBoxKopa;
class TDBMemoLumex;
class TDM1;
class TKDBEditKopa;

class TFoOsetreniEdit : public TBoundEditDialog {
    Q_OBJECT
  public:
    explicit TFoOsetreniEdit(TDM1& dm, QWidget* parent = nullptr);

  private:
    void BuildControls();
    void LayOut();

    TKDBEditKopa* animal_ = nullptr;
    TKDBEditKopa* doctor_ = nullptr;
    TKDBEditKopa* visitDate_ = nullptr;
    TDBComboBoxKopa* reason_ = nullptr;
    TKDBEditKopa* description_ = nullptr;
    TKDBEditKopa* result_ = nullptr;
    TKDBEditKopa* preparations_ = nullptr;
    TKDBEditKopa* nextVisit_ = nullptr;
    TDBMemoLumex* note_ = nullptr;
};
