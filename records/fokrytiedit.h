#pragma once
// The mating edit form TFoKrytiEditace ("Krytí - úpravy"): browses and edits
// the current animal's matings. A navigator (without insert and refresh), a
// grid of first mating dates and partners, and the bound fields of the
// current mating laid out as the entry form lays them out, with the
// breeder's intention, the note, and whether the mating took, which is
// known only weeks after the entry. Edits go straight to kryti.DB; new
// matings are added only through the entry form.
//
// The record sheet switches the mating table's record filter off and on
// before showing it, so the table holds only the current animal's rows.

#include <array>

#include "records/bound_edit_dialog.h"

class QPushButton;
class TDBCheckboxMy;
class TDBComboBoxKopa;
class TDBMemoLumex;
class TDM1;
class TKDBEditKopa;

class TFoKrytiEditace : public TBoundEditDialog {
    Q_OBJECT
  public:
    explicit TFoKrytiEditace(TDM1& dm, QWidget* parent = nullptr);

  private:
    void BuildControls();
    void BuildPickButtons();
    void LayOut();
    // Puts a value into a field of the current mating as typing would.
    void SetCurrentField(const char* column, const QString& value);
    void PickPartnerClick();
    void CopyFromAddressBook(const char* column, TKDBEditKopa* field);

    TDM1& dm_;
    TKDBEditKopa* animal_ = nullptr;
    TKDBEditKopa* partner_ = nullptr;
    TKDBEditKopa* owner_ = nullptr;
    TKDBEditKopa* assistance_ = nullptr;
    std::array<TKDBEditKopa*, 3> dates_{};
    std::array<TDBComboBoxKopa*, 3> manners_{};
    std::array<TKDBEditKopa*, 3> places_{};
    TDBMemoLumex* intention_ = nullptr;
    TDBMemoLumex* note_ = nullptr;
    TKDBEditKopa* males_ = nullptr;
    TKDBEditKopa* females_ = nullptr;
    TDBCheckboxMy* covered_ = nullptr;
    TKDBEditKopa* litterDate_ = nullptr;
    QPushButton* pickPartner_ = nullptr;
    QPushButton* pickOwner_ = nullptr;
    QPushButton* pickAssistance_ = nullptr;
};
