#pragma once
// The progress window of a report run: one line of text and "Přerušit".
// The engine shows it while it prepares the pages and while it sends them to
// the printer, and asks between pages and elements whether the user stopped.

#include <QDialog>

#include "report/engine/sestavyt.h"

class QLabel;
class QPushButton;

class TFormInfo final : public QDialog, public TRunProgress {
    Q_OBJECT
  public:
    explicit TFormInfo(QWidget* parent = nullptr);

    // Shows the text, and the window when it is hidden.
    void SetText(const QString& text) override;
    // Processes pending user-interface events; true once "Přerušit" was pressed.
    bool Poll() override;

    void SetStopEnabled(bool enabled);
    bool Stopped() const { return stopped_; }
    // The stop flag itself, for printing loops that watch it between pages.
    const bool* StopFlag() const { return &stopped_; }
    QString Text() const;

  private:
    QLabel* text_ = nullptr;
    QPushButton* stop_ = nullptr;
    bool stopped_ = false;
};

// The text shown before the pages go to the printer ("Přerušit" disabled).
void ShowSendingToPrinter(TFormInfo& form);

// Makes every report run show a TFormInfo window.
void InstallRunProgressWindow();
