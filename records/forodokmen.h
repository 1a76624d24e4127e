#pragma once
// The pedigree sheet TFoRodokmen ("Rodokmen"): shows and edits the stored
// pedigree row (rodokmen.db) of the record sheet's current animal on two
// pages laid out as a pedigree chart, the ancestors' names and their
// titles, and a third page with the animal's inbreeding figures. The
// searches fill the ancestors' parents from the record sheets; the closing
// question keeps changes from being lost.
//
// The record sheet positions the pedigree table on the animal's row (or has
// the form append a new one) and returns its own data set to the remembered
// position after the form closes.

#include <QDialog>
#include <QString>
#include <array>

#include "records/genetics/pedigree_positions.h"

class QLabel;
class QPushButton;
class QTabWidget;
class TDBNavigatorKopa;
class TDM1;
class TInbreedingPage;
class TKDBEditKopa;
class TPedigreeChart;

namespace platform {
class DataSet;
}

class TFoRodokmen : public QDialog {
    Q_OBJECT
  public:
    // `cards` is the record sheet's current data set, which the searches go
    // through. The pedigree table must be open and on the animal's row
    // unless `appendNew` asks for a new row of the current animal.
    TFoRodokmen(TDM1& dm, platform::DataSet& cards, bool appendNew, QWidget* parent = nullptr);

    // "Najdi předky po otci" / "… po matce".
    void SearchAncestors(bool sireSide);
    // Fills the page "Příbuzenská plemenitba" from the kennel and the row as shown.
    void ShowInbreeding();

  public slots:
    // Closing asks about unsaved changes: Yes posts, No cancels, Cancel stays.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildNamesPage();
    QWidget* BuildTitlesPage();
    QWidget* BuildHeader();
    TKDBEditKopa* BoundEdit(const QString& field, const QString& objectName);
    void ChainPlaces(const std::array<TKDBEditKopa*, pedigree::kLastPlace + 1>& fields);
    void ShowHoverText(QObject* field);
    bool CommitFocusedField();
    bool RowBeingEdited() const;
    bool ShowsTheAnimal() const;

    TDM1& dm_;
    platform::DataSet& cards_;
    QString animal_;  // whose pedigree the sheet shows
    QLabel* info_ = nullptr;
    QLabel* newPedigree_ = nullptr;
    TDBNavigatorKopa* navigator_ = nullptr;
    QTabWidget* pages_ = nullptr;
    TInbreedingPage* inbreeding_ = nullptr;
    std::array<TKDBEditKopa*, pedigree::kLastPlace + 1> names_{};
    std::array<TKDBEditKopa*, pedigree::kLastPlace + 1> titles_{};
};
