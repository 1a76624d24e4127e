#pragma once
// The health-card entry form TFoOsetreniNew ("Návštěva lékaře - zápis"):
// one vet visit of the animal the record sheet shows: the doctor (usually
// an address-book key), the date, the reason, what was done and found, the
// preparations used, the next visit and a note.
//
// The record sheet creates it, sets the label Jmeno_registr to the current
// registered name and shows it modally; after it closes the sheet closes the
// treatment table again. It closes after a successful write or on
// "Storno "; a refused write keeps it open with every input.

#include "records/entry_dialog.h"
#include "records/visit_entry.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TComboBoxKopa;
class TDM1;
class TDateEditKopa;
class TKEditKopa;

class TFoOsetreniNew : public TEntryDialog {
    Q_OBJECT
  public:
    explicit TFoOsetreniNew(TDM1& dm, QWidget* parent = nullptr);

    // The registered name the record sheet fills in before showing the form.
    QLabel* Jmeno_registr = nullptr;

    TVisitInput Input() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildFields();
    void BuildButtons();
    void LayOut();
    void SetTabOrder();
    void CopyDoctorClick();
    QStringList InputFailures() override;
    void WriteEntry() override;

    TDM1& dm_;
    TKEditKopa* editLekar_ = nullptr;
    TDateEditKopa* editDatumTed_ = nullptr;
    TComboBoxKopa* comboDuvod_ = nullptr;
    TKEditKopa* editPopis_ = nullptr;
    TKEditKopa* editVysledek_ = nullptr;
    TKEditKopa* editPreparaty_ = nullptr;
    TDateEditKopa* editDalsiNavsteva_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QPushButton* pickDoctor_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QToolButton* help_ = nullptr;
};
