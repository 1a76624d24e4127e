#include "records/record_grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include "platform/messages.h"
#include "platform/store/store_error.h"

TRecordGrid::TRecordGrid(platform::DataSource& source, const QStringList& fieldNames,
                         const QStringList& titles, QWidget* parent)
    : QTableView(parent), source_(source), model_(source, fieldNames) {
    for (int column = 0; column < titles.size(); ++column) {
        if (!titles[column].isEmpty()) {
            model_.SetColumnTitle(column, titles[column]);
        }
    }
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    MoveDataSetTo(current.row());
                }
            });
    connect(&model_, &platform::DataSetModel::currentRowChanged, this,
            [this](int) { FollowCurrentRow(); });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] { FollowCurrentRow(); });
    FollowCurrentRow();
}

void TRecordGrid::FollowCurrentRow() {
    if (following_) {
        return;
    }
    const int row = model_.CurrentRow();
    following_ = true;
    if (row >= 0 && row < model_.rowCount()) {
        const QModelIndex target = model_.index(row, 0);
        if (selectionModel()->currentIndex().row() != row) {
            selectionModel()->setCurrentIndex(
                target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        scrollTo(target);
    } else {
        selectionModel()->clearSelection();
    }
    following_ = false;
}

void TRecordGrid::MoveDataSetTo(int row) {
    platform::DataSet* dataSet = source_.GetDataSet();
    if (following_ || dataSet == nullptr || !dataSet->IsActive() || dataSet->RecNo() == row) {
        return;
    }
    following_ = true;
    try {
        // A record being edited is posted before another one becomes
        // current, as the data set does for every move.
        dataSet->MoveTo(row);
    } catch (const platform::StoreError& error) {
        platform::ShowMessage(error.Message(), QString(), platform::MessageIcon::Error,
                              platform::mbOK);
    }
    following_ = false;
    FollowCurrentRow();
}
