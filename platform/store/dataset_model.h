#pragma once
// A Qt item model over the data set a DataSource follows, for grids: one
// column per chosen field (all fields when none are chosen), the fields'
// display labels as headers, display texts and alignment as the store gives
// them. The model follows re-pointing of the source. It must not outlive
// the source.

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

#include "platform/store/datasource.h"

namespace platform {

class DataSetModel : public QAbstractTableModel, public DataSourceListener {
    Q_OBJECT

  public:
    explicit DataSetModel(DataSource& source, const QStringList& fieldNames = {},
                          QObject* parent = nullptr);
    ~DataSetModel() override;

    void SetFieldNames(const QStringList& fieldNames);
    const QStringList& FieldNames() const { return names_; }
    // A column title that replaces the field's display label ("" restores it).
    void SetColumnTitle(int column, const QString& title);
    Field* FieldAt(int column) const;
    int CurrentRow() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void OnSourceEvent(DataSource& source, const DataEvent& event) override;

  signals:
    void currentRowChanged(int row);

  private:
    DataSet* ActiveDataSet() const;
    QStringList ShownNames() const;
    const Row* CachedRow(int row) const;
    void ResetAll();

    DataSource& source_;
    QStringList names_;
    QHash<int, QString> titles_;
    mutable QHash<int, Row> cache_;
};

}  // namespace platform
