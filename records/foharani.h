#pragma once
// The seasons form "Hárání" of one bitch, opened from the record sheet: the
// list of her recorded seasons (first day and note, oldest first), the
// predicted next season, and "Nové hárání", "Opravit", "Smazat" (after the
// question "Smazat záznam?") and "Zavřít". New and changed seasons go
// through the entry form TFoHaraniZapis.

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class TDM1;

class TFoHarani : public QDialog {
    Q_OBJECT
  public:
    TFoHarani(TDM1& dm, const QString& registeredName, QWidget* parent = nullptr);

    QTableWidget* GridHarani = nullptr;
    QLabel* LabelPredpoklad = nullptr;

    // Re-reads her seasons and the prediction.
    void Reload();
    // Opens the entry form for a new season; the record sheet's new-entry
    // button comes here directly.
    void NewSeason();

  private:
    void BuildControls();
    void LayOut();
    qint64 ChosenRow();
    void ChangeSeason();
    void DeleteSeason();

    TDM1& dm_;
    QString registeredName_;
    QPushButton* nove_ = nullptr;
    QPushButton* opravit_ = nullptr;
    QPushButton* smazat_ = nullptr;
    QPushButton* zavrit_ = nullptr;
};
