#pragma once
// TDbGridKOPA: the record list of the forms, a grid over the data set a
// DataSource follows. The grid's current row is the data set's current
// record both ways: choosing a row moves the data set, moving the data set
// moves the grid. Cells can be edited in place (unless the grid or the data
// set is read-only); a record being inserted shows as an extra last row.
// Additions to a plain grid: Enter acting as Tab (EnterIsTab) down to the
// next record or right to the next column and on to the next record
// (EnterDirectionMove), OnMysDown after a left button press, and
// OnMouseRightClickDown instead of the grid's own right-button handling.
// Ctrl+Delete deletes the current record after asking.

#include <QHash>
#include <QTableView>
#include <functional>
#include <memory>
#include <optional>

#include "controls/field_data_link.h"
#include "platform/store/dataset_model.h"

enum TDirectionMove { DownMove, RightMove };

class TDbGridKOPA;

// The grid's model: the store's data-set model, editable in place, with the
// record being edited or inserted shown from its edit buffer.
class DbGridModel : public platform::DataSetModel {
    Q_OBJECT
  public:
    DbGridModel(platform::DataSource& source, TDbGridKOPA& grid);

    // The row the current record is shown in (the extra row while inserting).
    int ShownCurrentRow() const;
    bool Inserting() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    void OnSourceEvent(platform::DataSource& source, const platform::DataEvent& event) override;

  private:
    platform::DataSet* OpenDataSet() const;
    bool ShowsEditBuffer(int row) const;

    platform::DataSource& source_;
    TDbGridKOPA& grid_;
    bool inserting_ = false;
};

class TDbGridKOPA : public QTableView,
                    public PendingChangeHolder,
                    public platform::DataSourceListener {
    Q_OBJECT
  public:
    explicit TDbGridKOPA(QWidget* parent = nullptr);
    ~TDbGridKOPA() override;

    platform::DataSource* DataSource() const { return source_; }
    void SetDataSource(platform::DataSource* source);
    // The columns shown, by field name (all fields when empty), and their titles.
    void SetColumns(const QStringList& fieldNames);
    void SetColumnTitle(int column, const QString& title);
    // An alignment of one column's cells that replaces the field's own.
    void SetColumnAlignment(int column, Qt::Alignment alignment);
    std::optional<Qt::Alignment> ColumnAlignment(int column) const;
    DbGridModel* GridModel() const { return model_.get(); }

    bool EnterIsTab = false;
    TDirectionMove EnterDirectionMove = DownMove;
    bool CrLf = false;  // kept for forms that set it
    // Whether the whole row is selected rather than one cell.
    bool RowSelect() const { return selectionBehavior() == QAbstractItemView::SelectRows; }
    void SetRowSelect(bool wholeRow);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool ConfirmDelete = true;

    std::function<void(TDbGridKOPA*, QMouseEvent*)> OnMysDown;
    std::function<void(TDbGridKOPA*, QMouseEvent*)> OnMouseRightClickDown;

    // A cell being edited when a post starts elsewhere gives its text first.
    platform::DataSet* PendingDataSet() const override;
    void CommitPendingChange() override;

    // Follows re-pointing and destruction of the source it was given.
    void OnSourceEvent(platform::DataSource& source, const platform::DataEvent& event) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    platform::DataSet* OpenDataSet() const;
    void FollowDataSet();
    void MoveDataSetTo(int row);
    void EnterMove();
    void DeleteWithConfirmation();

    platform::DataSource* source_ = nullptr;
    // The model reads the data set through a source of the grid's own, so
    // that it never outlives its source even when the given one goes first.
    platform::DataSource relay_;
    std::unique_ptr<DbGridModel> model_;
    bool readOnly_ = false;
    bool following_ = false;
    QHash<int, Qt::Alignment> alignments_;
};
