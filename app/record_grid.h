#pragma once
// A read-only grid over the data set a data source follows: one row per
// record, whole rows selected. Choosing a row moves the data set to it, and
// every move of the data set selects its row, so the grid and the bound
// fields always show the same record.

#include <QStringList>
#include <QTableView>

#include "platform/store/dataset_model.h"

class TRecordGrid : public QTableView {
    Q_OBJECT
  public:
    // `fields`: the columns shown, in order (all fields when empty).
    TRecordGrid(platform::DataSource& source, const QStringList& fields, QWidget* parent = nullptr);

    platform::DataSetModel& Model() { return *model_; }
    void SetColumnTitle(int column, const QString& title);

  private:
    void SelectCurrentRow(int row);
    void MoveDataSet(const QModelIndex& current);

    platform::DataSource& source_;
    platform::DataSetModel* model_;
    bool following_ = false;
};
