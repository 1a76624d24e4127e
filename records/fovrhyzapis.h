#pragma once
// The litter entry form TFoVrhyZapis ("Zápis vrhu"): one new litter of the
// dam the record sheet shows, optionally with a record sheet for every puppy
// of the name list, written in one transaction.
//
// The record sheet creates it, sets the dam label Jmeno_reg_matka to the
// current registered name and EditPlemeno to the current breed, and shows it
// modally. It closes after a successful write or on "Storno "; a refused
// write keeps it open with every input.

#include "records/entry_dialog.h"
#include "records/litter_entry.h"

class QLabel;
class QPushButton;
class QToolButton;
class TDM1;
class TDateEditKopa;
class TKEditKopa;
class TWholeNumberEditKopa;
class TKListBox;

class TFoVrhyZapis : public TEntryDialog {
    Q_OBJECT
  public:
    explicit TFoVrhyZapis(TDM1& dm, QWidget* parent = nullptr);

    // Fields the record sheet fills before showing the form.
    QLabel* Jmeno_reg_matka = nullptr;
    TKEditKopa* EditPlemeno = nullptr;

    const TPuppyNames& PuppyNames() const { return names_; }
    // Set by the write button pressed last: "I s vytvořením karet" sets it.
    bool CreateCards() const { return createCards_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildFields();
    void BuildButtons();
    void LayOut();
    void SetTabOrder();

    void PickSireClick();
    void BtnAddSteneClick();
    void RemoveNameClick();
    void WriteLitterClick(bool createCards);
    QStringList InputFailures() override;
    bool ConfirmWrite() override;
    void WriteEntry() override;
    TLitterInput Input() const;
    void RefreshList();

    TDM1& dm_;
    TPuppyNames names_;
    bool createCards_ = false;

    TKEditKopa* editJmenoRegOtec_ = nullptr;
    TDateEditKopa* editDatumPorod_ = nullptr;
    TWholeNumberEditKopa* editPocetPes_ = nullptr;
    TWholeNumberEditKopa* editPocetFena_ = nullptr;
    TKEditKopa* editJmenoStenat_ = nullptr;
    TKListBox* listBoxJmenaStenat_ = nullptr;
    TKEditKopa* editPoznamka_ = nullptr;
    QPushButton* pickSire_ = nullptr;
    QPushButton* btnAddStene_ = nullptr;
    QPushButton* removeName_ = nullptr;
    QPushButton* btnWriteOnly_ = nullptr;
    QPushButton* btnGenerated_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QToolButton* help_ = nullptr;
};
