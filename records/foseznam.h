#pragma once
// The animal pick-list TFoSeznam ("Seznam"): a modal list of every record
// sheet over the data module's query Query_MainCard, from which the user
// picks one animal for a sire, dam, partner or filter field.
//
// Callers do not build it themselves; PickAnimal runs the whole pick.

#include <QDialog>
#include <QString>
#include <optional>

class QPushButton;
class TDM1;
class TDbGridKOPA;

class TFoSeznam : public QDialog {
    Q_OBJECT
  public:
    // The grid follows SoQuery_MainCard; the query is opened by the caller.
    explicit TFoSeznam(TDM1& dm, QWidget* parent = nullptr);

    TDbGridKOPA* Grid() const { return grid_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    TDbGridKOPA* grid_ = nullptr;
};

// Opens Query_MainCard, shows the pick-list modally and, when it closes with
// OK on a row, answers that row's Jmeno_registr. Storno, an empty list or a
// failing query answer nothing (a store error is shown in the error box).
// The query is closed again in every case.
std::optional<QString> PickAnimal(TDM1& dm, QWidget* parent = nullptr);
