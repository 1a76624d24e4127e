#pragma once
// The progress window of taking over an old installation ("Převzetí dat"):
// the table being read, a bar over the rows of all tables and "Přerušit".
// The import runs on the user-interface thread; each progress report lets
// pending events through, so a press of "Přerušit" stops it at the next one.

#include <QDialog>

#include "platform/paradox/installation_import.h"

class QLabel;
class QProgressBar;
class QPushButton;

class TFoPrevzeti : public QDialog {
    Q_OBJECT
  public:
    explicit TFoPrevzeti(QWidget* parent = nullptr);

    // The import's progress handler: shows the state, lets events through and
    // answers false once "Přerušit" was pressed.
    bool Progress(const platform::paradox::ImportProgress& progress);
    bool Interrupted() const { return interrupted_; }

  private:
    QLabel* LabelTabulka_;
    QProgressBar* ProgressBar1_;
    QPushButton* BtnPrerusit_;
    bool interrupted_ = false;
};
