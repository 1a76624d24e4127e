#include "controls/db_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <exception>

#include "controls/field_data_link.h"
#include "platform/messages.h"
#include "platform/store/dataset.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"

namespace {

bool IsEditing(const platform::DataSet& dataSet) {
    return dataSet.State() == platform::DataSetState::Edit ||
           dataSet.State() == platform::DataSetState::Insert;
}

// Runs a store operation started by the user; a refusal ends in the error box.
template <typename F>
bool Guarded(F&& operation) {
    try {
        operation();
        return true;
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
    } catch (const std::exception& error) {
        ShowStoreError(platform::StoreError(QString::fromStdString(error.what())));
    }
    return false;
}

}  // namespace

// ---- the model ----------------------------------------------------------------

DbGridModel::DbGridModel(platform::DataSource& source, TDbGridKOPA& grid)
    : platform::DataSetModel(source), source_(source), grid_(grid) {
    inserting_ = Inserting();
}

platform::DataSet* DbGridModel::OpenDataSet() const {
    platform::DataSet* dataSet = source_.GetDataSet();
    return dataSet != nullptr && dataSet->IsActive() ? dataSet : nullptr;
}

bool DbGridModel::Inserting() const {
    platform::DataSet* dataSet = OpenDataSet();
    return dataSet != nullptr && dataSet->State() == platform::DataSetState::Insert;
}

int DbGridModel::ShownCurrentRow() const {
    platform::DataSet* dataSet = OpenDataSet();
    if (dataSet == nullptr) {
        return -1;
    }
    return Inserting() ? dataSet->RecordCount() : dataSet->RecNo();
}

int DbGridModel::rowCount(const QModelIndex& parent) const {
    const int stored = DataSetModel::rowCount(parent);
    return parent.isValid() ? 0 : stored + (inserting_ ? 1 : 0);
}

bool DbGridModel::ShowsEditBuffer(int row) const {
    platform::DataSet* dataSet = OpenDataSet();
    return dataSet != nullptr && IsEditing(*dataSet) && row == ShownCurrentRow();
}

QVariant DbGridModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::TextAlignmentRole && index.isValid()) {
        if (const std::optional<Qt::Alignment> own = grid_.ColumnAlignment(index.column())) {
            return QVariant::fromValue(*own);
        }
    }
    if (!index.isValid() || !ShowsEditBuffer(index.row()) ||
        (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return DataSetModel::data(index, role);
    }
    // The record being edited: its fields read the edit buffer.
    const platform::Field* field = FieldAt(index.column());
    if (field == nullptr) {
        return QVariant();
    }
    try {
        return role == Qt::DisplayRole ? field->DisplayText() : field->EditText();
    } catch (const std::exception&) {
        return field->AsString();
    }
}

Qt::ItemFlags DbGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = DataSetModel::flags(index);
    platform::DataSet* dataSet = OpenDataSet();
    const platform::Field* field = FieldAt(index.column());
    // Without AutoEdit on the source only a record already being edited takes input.
    if (index.isValid() && !grid_.ReadOnly() && dataSet != nullptr && dataSet->CanModify() &&
        (grid_.DataSource() == nullptr || grid_.DataSource()->AutoEdit() || IsEditing(*dataSet)) &&
        field != nullptr && field->Kind() != platform::ColumnType::Graphic) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool DbGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    platform::DataSet* dataSet = OpenDataSet();
    if (role != Qt::EditRole || dataSet == nullptr || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    const QString text = value.toString();
    return Guarded([&] {
        if (index.row() != ShownCurrentRow()) {
            dataSet->MoveTo(index.row());
        }
        platform::Field* field = FieldAt(index.column());
        if (field == nullptr) {
            return;
        }
        if (field->EditText() == text && !IsEditing(*dataSet)) {
            return;  // nothing changed: the record need not be edited
        }
        if (!IsEditing(*dataSet)) {
            dataSet->Edit();
        }
        field->SetText(text);
    });
}

void DbGridModel::OnSourceEvent(platform::DataSource& source, const platform::DataEvent& event) {
    const bool inserting = Inserting();
    if (inserting != inserting_) {
        beginResetModel();
        inserting_ = inserting;
        endResetModel();
    }
    DataSetModel::OnSourceEvent(source, event);
    if (event.kind == platform::DataEventKind::StateChanged && inserting) {
        emit currentRowChanged(ShownCurrentRow());
    }
}

// ---- the cell editor ---------------------------------------------------------

// A cell of a text column takes no more characters than the column holds,
// so nothing typed in the grid is cut by the store later.
class TextWidthDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        const auto* model = qobject_cast<const DbGridModel*>(index.model());
        const platform::Field* field = model != nullptr ? model->FieldAt(index.column()) : nullptr;
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line != nullptr && field != nullptr && field->Kind() == platform::ColumnType::Text &&
            field->Size() > 0) {
            line->setMaxLength(field->Size());
        }
        return editor;
    }
};

// ---- the grid ------------------------------------------------------------------

TDbGridKOPA::TDbGridKOPA(QWidget* parent) : QTableView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setItemDelegate(new TextWidthDelegate(this));
    RegisterPendingChangeHolder(this);
}

TDbGridKOPA::~TDbGridKOPA() {
    UnregisterPendingChangeHolder(this);
    if (source_ != nullptr) {
        source_->RemoveListener(this);
    }
    // The view lets go of the model before the model goes.
    setModel(nullptr);
}

void TDbGridKOPA::SetDataSource(platform::DataSource* source) {
    if (source == source_) {
        return;
    }
    const QStringList columns = model_ ? model_->FieldNames() : QStringList();
    setModel(nullptr);
    model_.reset();
    if (source_ != nullptr) {
        source_->RemoveListener(this);
    }
    source_ = source;
    relay_.SetDataSet(source_ != nullptr ? source_->GetDataSet() : nullptr);
    if (source_ == nullptr) {
        return;
    }
    source_->AddListener(this);
    model_ = std::make_unique<DbGridModel>(relay_, *this);
    model_->SetFieldNames(columns);
    setModel(model_.get());
    connect(model_.get(), &platform::DataSetModel::currentRowChanged, this,
            [this] { FollowDataSet(); });
    connect(model_.get(), &QAbstractItemModel::modelReset, this, [this] { FollowDataSet(); });
    FollowDataSet();
}

void TDbGridKOPA::OnSourceEvent(platform::DataSource& source, const platform::DataEvent& event) {
    if (event.kind == platform::DataEventKind::Destroyed) {
        source_ = nullptr;
        relay_.SetDataSet(nullptr);
        return;
    }
    if (source.GetDataSet() != relay_.GetDataSet()) {
        relay_.SetDataSet(source.GetDataSet());
    }
}

void TDbGridKOPA::SetColumns(const QStringList& fieldNames) {
    if (model_) {
        model_->SetFieldNames(fieldNames);
    }
}

void TDbGridKOPA::SetColumnTitle(int column, const QString& title) {
    if (model_) {
        model_->SetColumnTitle(column, title);
    }
}

void TDbGridKOPA::SetColumnAlignment(int column, Qt::Alignment alignment) {
    alignments_[column] = alignment;
    if (model_ && model_->rowCount() > 0) {
        emit model_->dataChanged(model_->index(0, column),
                                 model_->index(model_->rowCount() - 1, column));
    }
}

std::optional<Qt::Alignment> TDbGridKOPA::ColumnAlignment(int column) const {
    const auto found = alignments_.constFind(column);
    if (found == alignments_.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

void TDbGridKOPA::SetRowSelect(bool wholeRow) {
    setSelectionBehavior(wholeRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void TDbGridKOPA::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (readOnly) {
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    } else {
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed);
    }
}

platform::DataSet* TDbGridKOPA::OpenDataSet() const {
    platform::DataSet* dataSet = source_ != nullptr ? source_->GetDataSet() : nullptr;
    return dataSet != nullptr && dataSet->IsActive() ? dataSet : nullptr;
}

// Puts the grid's current cell on the data set's current record.
void TDbGridKOPA::FollowDataSet() {
    if (!model_ || following_) {
        return;
    }
    const int row = model_->ShownCurrentRow();
    if (row < 0 || row >= model_->rowCount() || model_->columnCount() == 0) {
        return;
    }
    const int column = std::max(currentIndex().column(), 0);
    if (currentIndex().row() == row && currentIndex().column() == column) {
        return;
    }
    following_ = true;
    setCurrentIndex(model_->index(row, std::min(column, model_->columnCount() - 1)));
    following_ = false;
}

void TDbGridKOPA::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (following_ || !model_ || !current.isValid()) {
        return;
    }
    if (current.row() != model_->ShownCurrentRow()) {
        MoveDataSetTo(current.row());
    }
}

// Choosing a row moves the data set; a record being edited is posted on the
// way (the store does that), and a refusal keeps the grid where the data set is.
void TDbGridKOPA::MoveDataSetTo(int row) {
    platform::DataSet* dataSet = OpenDataSet();
    if (dataSet == nullptr) {
        return;
    }
    if (row >= dataSet->RecordCount()) {
        FollowDataSet();
        return;
    }
    Guarded([&] {
        UpdateBoundControls(*dataSet);
        dataSet->MoveTo(row);
    });
    FollowDataSet();
}

platform::DataSet* TDbGridKOPA::PendingDataSet() const {
    return state() == QAbstractItemView::EditingState ? OpenDataSet() : nullptr;
}

// The open cell editor holds the focus (the navigator's buttons take none).
void TDbGridKOPA::CommitPendingChange() {
    QWidget* editor = QApplication::focusWidget();
    if (state() != QAbstractItemView::EditingState || editor == nullptr ||
        !viewport()->isAncestorOf(editor)) {
        return;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TDbGridKOPA::EnterMove() {
    platform::DataSet* dataSet = OpenDataSet();
    if (dataSet == nullptr || !model_) {
        return;
    }
    const int column = std::max(currentIndex().column(), 0);
    if (EnterDirectionMove == RightMove && column + 1 < model_->columnCount()) {
        setCurrentIndex(model_->index(currentIndex().row(), column + 1));
        return;
    }
    const int nextColumn = EnterDirectionMove == RightMove ? 0 : column;
    Guarded([&] {
        UpdateBoundControls(*dataSet);
        dataSet->Next();
    });
    const int row = model_->ShownCurrentRow();
    if (row >= 0 && row < model_->rowCount()) {
        following_ = true;
        setCurrentIndex(model_->index(row, nextColumn));
        following_ = false;
    }
}

void TDbGridKOPA::DeleteWithConfirmation() {
    platform::DataSet* dataSet = OpenDataSet();
    if (dataSet == nullptr || readOnly_ || !dataSet->CanModify() ||
        (dataSet->IsEmpty() && dataSet->State() != platform::DataSetState::Insert)) {
        return;
    }
    if (ConfirmDelete &&
        platform::ShowMessage(QStringLiteral("Smazat záznam?"), QStringLiteral("Potvrzení"),
                              platform::MessageIcon::Question,
                              platform::mbOK | platform::mbCancel) != platform::mbOK) {
        return;
    }
    Guarded([&] { dataSet->Delete(); });
}

void TDbGridKOPA::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && EnterIsTab && state() != QAbstractItemView::EditingState) {
        EnterMove();
        QTableView::keyPressEvent(event);  // the grid's own Enter handling
        return;
    }
    if (key == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        DeleteWithConfirmation();
        return;
    }
    if (key == Qt::Key_Escape) {
        platform::DataSet* dataSet = OpenDataSet();
        if (dataSet != nullptr && IsEditing(*dataSet)) {
            Guarded([&] { dataSet->Cancel(); });
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void TDbGridKOPA::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (OnMouseRightClickDown) {
            OnMouseRightClickDown(this, event);
        }
        return;
    }
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && OnMysDown) {
        OnMysDown(this, event);
    }
}
