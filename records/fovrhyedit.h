#pragma once
// The litter edit form TFoVrhyEdit ("Vrhy - úpravy"): browses and edits the
// current dam's litters. A navigator (without insert and refresh), a grid of
// birth dates and sires, and the bound fields of the current litter. Edits
// go straight to vrhy.db through the bound fields; new litters are added only
// through the entry form.
//
// The record sheet switches the litter table's record filter off and on
// before showing it, so the table holds only the current dam's rows.

#include "records/bound_edit_dialog.h"

class TDBMemoLumex;
class TDM1;
class TKDBEditKopa;

class TFoVrhyEdit : public TBoundEditDialog {
    Q_OBJECT
  public:
    explicit TFoVrhyEdit(TDM1& dm, QWidget* parent = nullptr);

  private:
    void BuildControls();
    void LayOut();

    TKDBEditKopa* dam_ = nullptr;
    TKDBEditKopa* sire_ = nullptr;
    TKDBEditKopa* breed_ = nullptr;
    TKDBEditKopa* birth_ = nullptr;
    TKDBEditKopa* males_ = nullptr;
    TKDBEditKopa* females_ = nullptr;
    TDBMemoLumex* names_ = nullptr;
    TDBMemoLumex* note_ = nullptr;
};
