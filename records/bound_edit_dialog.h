#pragma once
// TBoundEditDialog: the frame every edit form of the event books shares
// (litters, matings, vet visits, shows, titles, exams, breeding approval).
// A navigator over the book's source without insert and refresh, a grid of
// the rows the record sheet filtered to the current animal, the form's own
// bound fields of the current row beside it, and "Zavřít" at the bottom.
// Closing the form, by "Zavřít" or otherwise, first writes a row still being
// edited; a refusal of the store is shown and keeps the form open. New rows
// come only through the entry forms.

#include <QDialog>
#include <QString>
#include <vector>

class QLayout;
class QPushButton;
class TDBNavigatorKopa;
class TDbGridKOPA;
namespace platform {
class DataSet;
class DataSource;
}  // namespace platform

// A column of the edit form's grid.
struct TGridColumn {
    QString column;
    QString title;  // empty: the field name
};

class TBoundEditDialog : public QDialog {
    Q_OBJECT
  public slots:
    void done(int result) override;

  protected:
    // `rows` is the table behind `source`.
    TBoundEditDialog(const QString& objectName, const QString& caption, platform::DataSet& rows,
                     platform::DataSource& source, const std::vector<TGridColumn>& columns,
                     QWidget* parent);

    platform::DataSet& Rows() const { return rows_; }
    platform::DataSource& Source() const { return source_; }
    TDbGridKOPA* Grid() const { return grid_; }

    // Creates "Zavřít" (after the form's fields, so it comes last on Tab) and
    // lays the form out: the navigator on top, the grid and `detail` beside
    // each other with `gap` pixels between them, "Zavřít" at the bottom right.
    void LayOutAround(QLayout* detail, int gridStretch = 0, int gap = 0);

  private:
    platform::DataSet& rows_;
    platform::DataSource& source_;
    TDBNavigatorKopa* navigator_ = nullptr;
    TDbGridKOPA* grid_ = nullptr;
    QPushButton* close_ = nullptr;
};
