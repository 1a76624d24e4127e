#include "app/record_grid.h"

#include <QHeaderView>

#include "platform/messages.h"
#include "platform/store/store_error.h"

TRecordGrid::TRecordGrid(platform::DataSource& source, const QStringList& fields, QWidget* parent)
    : QTableView(parent),
      source_(source),
      model_(new platform::DataSetModel(source, fields, this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    connect(model_, &platform::DataSetModel::currentRowChanged, this,
            &TRecordGrid::SelectCurrentRow);
    connect(model_, &QAbstractItemModel::modelReset, this,
            [this] { SelectCurrentRow(model_->CurrentRow()); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { MoveDataSet(current); });
    SelectCurrentRow(model_->CurrentRow());
}

void TRecordGrid::SetColumnTitle(int column, const QString& title) {
    model_->SetColumnTitle(column, title);
}

void TRecordGrid::SelectCurrentRow(int row) {
    if (following_) {
        return;
    }
    following_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clearSelection();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex index = model_->index(row, column);
        selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    following_ = false;
}

// A row the user chooses becomes the data set's current record; a card
// being edited is posted first, as every move does, and a refused post is
// reported while the grid returns to the record still current.
void TRecordGrid::MoveDataSet(const QModelIndex& current) {
    platform::DataSet* dataSet = source_.GetDataSet();
    if (following_ || !current.isValid() || dataSet == nullptr || !dataSet->IsActive() ||
        current.row() == dataSet->RecNo()) {
        return;
    }
    following_ = true;
    try {
        dataSet->MoveTo(current.row());
    } catch (const platform::StoreError& error) {
        platform::ShowMessage(error.Message(), QString(), platform::MessageIcon::Error,
                              platform::mbOK);
    }
    following_ = false;
    SelectCurrentRow(dataSet->RecNo());
}
