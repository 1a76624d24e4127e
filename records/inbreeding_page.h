#pragma once
// TInbreedingPage: the page "Příbuzenská plemenitba" of the pedigree sheet.
// It shows the inbreeding coefficient of the animal over every known
// generation, over 10 and over 5 generations (per cent, two decimals), how
// many generations are known and complete, the completeness of each
// generation, the ancestor loss over five generations, the common ancestors
// of sire and dam with each one's share, and the faults found in the
// kennel's pedigrees.

#include <QWidget>

#include "records/genetics/inbreeding_figures.h"

class QLabel;
class QTableWidget;

class TInbreedingPage : public QWidget {
    Q_OBJECT
  public:
    explicit TInbreedingPage(QWidget* parent = nullptr);

    void ShowFigures(const QString& animal, const pedigree::TInbreedingFigures& figures,
                     const QStringList& problems);

    // "15.63 %": a coefficient in per cent with two decimals.
    static QString Percent(double coefficient);

  private:
    QLabel* AddFigure(const char* name, const QString& caption);
    void ShowCommonAncestors(const pedigree::TInbreedingFigures& figures);

    QLabel* animal_ = nullptr;
    QLabel* f_ = nullptr;
    QLabel* f10_ = nullptr;
    QLabel* f5_ = nullptr;
    QLabel* generations_ = nullptr;
    QLabel* completeness_ = nullptr;
    QLabel* loss_ = nullptr;
    QTableWidget* common_ = nullptr;
    QLabel* problems_ = nullptr;
    class QGridLayout* figures_ = nullptr;
};
