#pragma once
// The animal pick-list TFoSeznam ("Seznam"): a modal list of every record
// sheet over the data module's query Query_MainCard, from which the user
// picks one animal for a sire, dam, partner or filter field.
//
// Callers do not build it themselves; PickAnimal runs the whole pick.

#include <QDialog>
#include <QString>
#include <optional>

#include "app/parent_doubts.h"

class QPushButton;
class TSearchField;
class TDM1;
class TDbGridKOPA;

// Which animals a pick-list offers: a sire's list males and animals of
// unknown sex, a dam's list females and unknown, never the animal itself.
struct TPickFilter {
    TAnimalSex sex = TAnimalSex::asUnknown;  // asUnknown: every sex
    QString exclude;                         // a registered name left out
    bool Offers(const QString& name, const QString& sex) const;
};

class TFoSeznam : public QDialog {
    Q_OBJECT
  public:
    // The grid follows SoQuery_MainCard; the query is opened by the caller.
    // The search field above it finds the animals `filter` offers.
    explicit TFoSeznam(TDM1& dm, QWidget* parent = nullptr, const TPickFilter& filter = {});

    TDbGridKOPA* Grid() const { return grid_; }
    TSearchField* Search() const { return search_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    TDbGridKOPA* grid_ = nullptr;
    TSearchField* search_ = nullptr;
};

// Opens Query_MainCard with only the animals `filter` offers, shows the
// pick-list modally and, when it closes with OK on a row, answers that row's
// Jmeno_registr. Storno, an empty list or a failing query answer nothing (a
// store error is shown in the error box). The query is closed again and its
// filter removed in every case.
std::optional<QString> PickAnimal(TDM1& dm, QWidget* parent = nullptr,
                                  const TPickFilter& filter = {});
