#pragma once
// A read-only grid over the rows of a data source, whole rows selected, that
// keeps the grid's selected row and the data set's current row the same:
// clicking a row moves the data set there, and moving the data set (a
// navigator, a locate) selects its row in the grid.

#include <QStringList>
#include <QTableView>

#include "platform/store/dataset_model.h"

class TRecordGrid : public QTableView {
    Q_OBJECT
  public:
    // Shows `fieldNames` of the rows `source` follows, titled `titles` (an
    // empty title keeps the field's display label).
    TRecordGrid(platform::DataSource& source, const QStringList& fieldNames,
                const QStringList& titles, QWidget* parent = nullptr);

    platform::DataSetModel& Model() { return model_; }
    // Selects the row of the data set's current record.
    void FollowCurrentRow();

  private:
    void MoveDataSetTo(int row);

    platform::DataSource& source_;
    platform::DataSetModel model_;
    bool following_ = false;
};
