#pragma once
// The litter edit form TFoVrhyEdit ("Vrhy - úpravy"): browses and edits the
// current dam's litters. A navigator (without insert and refresh), a grid of
// birth dates and sires, and the bound fields of the current litter. Edits
// go straight to vrhy.db through the bound fields; new litters are added only
// through the entry form.
//
// The record sheet switches the litter table's record filter off and on
// before showing it, so the table holds only the current dam's rows.

#include <QDialog>

class QPushButton;
class TDBMemoLumex;
class TDBNavigatorKopa;
class TDM1;
class TDbGridKOPA;
class TKDBEditKopa;

class TFoVrhyEdit : public QDialog {
    Q_OBJECT
  public:
    explicit TFoVrhyEdit(TDM1& dm, QWidget* parent = nullptr);

  public slots:
    // Closing writes a litter still being edited; a refusal keeps the form open.
    void done(int result) override;

  private:
    void BuildControls();
    void LayOut();
    TKDBEditKopa* BoundEdit(const char* name, const char* field, bool commaToPoint);
    TDBMemoLumex* BoundMemo(const char* name, const char* field);
    bool PostPendingEdit();

    TDM1& dm_;
    TDBNavigatorKopa* navigator_ = nullptr;
    TDbGridKOPA* grid_ = nullptr;
    TKDBEditKopa* dam_ = nullptr;
    TKDBEditKopa* sire_ = nullptr;
    TKDBEditKopa* breed_ = nullptr;
    TKDBEditKopa* birth_ = nullptr;
    TKDBEditKopa* males_ = nullptr;
    TKDBEditKopa* females_ = nullptr;
    TDBMemoLumex* names_ = nullptr;
    TDBMemoLumex* note_ = nullptr;
    QPushButton* close_ = nullptr;
};
