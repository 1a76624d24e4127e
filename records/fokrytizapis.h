#pragma once
// The mating entry form TFoKrytiZapis ("Krytí - zápis"): one new mating of
// the animal the record sheet shows, with its partner, the partner's owner,
// who assisted, up to three mating dates with manner and place, the
// breeder's intention, whether it took and, later, the litter date and the
// puppy counts. Under the fields a live line shows the planned litter's
// inbreeding coefficient once the partner is known.
//
// The record sheet creates it, sets the label Jmeno_registr to the current
// registered name and shows it modally. It closes after a successful write
// or on "Storno"; a refused write keeps it open with every input.

#include <array>

#include "records/entry_dialog.h"
#include "records/mating_entry.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class TComboBoxKopa;
class TDM1;
class TDateEditKopa;
class TKEditKopa;
class TWholeNumberEditKopa;
class TLitterInbreedingLabel;

class TFoKrytiZapis : public TEntryDialog {
    Q_OBJECT
  public:
    explicit TFoKrytiZapis(TDM1& dm, QWidget* parent = nullptr);

    // The registered name the record sheet fills in before showing the form.
    QLabel* Jmeno_registr = nullptr;

    // Rows added here appear under the form's fields, above its buttons.
    QVBoxLayout* BottomRows() const { return bottomRows_; }

    TMatingInput Input() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildFields();
    void BuildButtons();
    void LayOut();
    void SetTabOrder();

    void PickPartnerClick();
    void CopyFromAddressBook(TKEditKopa* field);
    void ShowLitterInbreeding();
    QStringList InputFailures() override;
    void WriteEntry() override;

    TDM1& dm_;
    TKEditKopa* editPartner_ = nullptr;
    TKEditKopa* editMajitel_ = nullptr;
    TKEditKopa* editAsistence_ = nullptr;
    std::array<TDateEditKopa*, 3> editDatum_{};
    std::array<TComboBoxKopa*, 3> comboZpusob_{};
    std::array<TKEditKopa*, 3> editMisto_{};
    QPlainTextEdit* memoZamer_ = nullptr;
    TWholeNumberEditKopa* editPocetPes_ = nullptr;
    TWholeNumberEditKopa* editPocetFena_ = nullptr;
    QCheckBox* checkNakryto_ = nullptr;
    TDateEditKopa* editDatumVrh_ = nullptr;
    QPushButton* pickPartner_ = nullptr;
    QPushButton* pickMajitel_ = nullptr;
    QPushButton* pickAsistence_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QToolButton* help_ = nullptr;
    QVBoxLayout* bottomRows_ = nullptr;
    TLitterInbreedingLabel* litterInbreeding_ = nullptr;
};
