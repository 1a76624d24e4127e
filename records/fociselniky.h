#pragma once
// The code lists TFociselniky ("Číselníky"), opened by the launcher's
// "Číselníky ": one tab "Plemena" with the breed list plemeno.db in a grid
// ("Do výběru", "Plemeno", "Poznámka"), a navigator with insert, "Zavřít"
// and a help button. The data module's column rules do the rest: "Do
// výběru" shows "Ano"/"Ne" and takes typed text containing ANO or NE, and a
// breed without a name is refused with "Položka názvu plemena musí být
// vyplněna" while the row stays in editing. The record sheet's breed choice
// is filled at program start, so changes reach it at the next start.

#include <QDialog>

class QPushButton;
class QTabWidget;
class TDBNavigatorKopa;
class TDM1;
class TDbGridKOPA;

class TFociselniky : public QDialog {
    Q_OBJECT
  public:
    explicit TFociselniky(TDM1& dm, QWidget* parent = nullptr);

  public slots:
    // Closing writes a breed still being edited; a refusal keeps the form open.
    void done(int result) override;

  private:
    void BuildControls();
    void LayOut();

    TDM1& dm_;
    QTabWidget* tabs_ = nullptr;
    TDBNavigatorKopa* navigator_ = nullptr;
    TDbGridKOPA* grid_ = nullptr;
    QPushButton* close_ = nullptr;
};

// Lets the launcher open the code lists (it lives below this folder and
// reaches the form through the hook); the program calls it once at start.
void InstallCodeLists();
