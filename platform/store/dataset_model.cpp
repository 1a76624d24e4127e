#include "platform/store/dataset_model.h"

#include "platform/store/store_error.h"

namespace platform {
namespace {

constexpr int kCachedRows = 512;

}  // namespace

DataSetModel::DataSetModel(DataSource& source, const QStringList& fieldNames, QObject* parent)
    : QAbstractTableModel(parent), source_(source), names_(fieldNames) {
    source_.AddListener(this);
}

DataSetModel::~DataSetModel() {
    source_.RemoveListener(this);
}

DataSet* DataSetModel::ActiveDataSet() const {
    DataSet* dataSet = source_.GetDataSet();
    return dataSet != nullptr && dataSet->IsActive() ? dataSet : nullptr;
}

QStringList DataSetModel::ShownNames() const {
    if (!names_.isEmpty()) {
        return names_;
    }
    DataSet* dataSet = ActiveDataSet();
    return dataSet != nullptr ? dataSet->FieldNames() : QStringList();
}

void DataSetModel::SetFieldNames(const QStringList& fieldNames) {
    beginResetModel();
    names_ = fieldNames;
    cache_.clear();
    endResetModel();
}

void DataSetModel::SetColumnTitle(int column, const QString& title) {
    if (title.isEmpty()) {
        titles_.remove(column);
    } else {
        titles_[column] = title;
    }
    emit headerDataChanged(Qt::Horizontal, column, column);
}

Field* DataSetModel::FieldAt(int column) const {
    DataSet* dataSet = source_.GetDataSet();
    const QStringList names = ShownNames();
    if (dataSet == nullptr || column < 0 || column >= names.size()) {
        return nullptr;
    }
    return dataSet->FindField(names[column]);
}

int DataSetModel::CurrentRow() const {
    DataSet* dataSet = ActiveDataSet();
    return dataSet != nullptr ? dataSet->RecNo() : -1;
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    DataSet* dataSet = ActiveDataSet();
    return dataSet != nullptr ? dataSet->RecordCount() : 0;
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ShownNames().size());
}

const Row* DataSetModel::CachedRow(int row) const {
    auto it = cache_.find(row);
    if (it != cache_.end()) {
        return &it.value();
    }
    DataSet* dataSet = ActiveDataSet();
    if (dataSet == nullptr) {
        return nullptr;
    }
    if (cache_.size() >= kCachedRows) {
        cache_.clear();
    }
    try {
        return &cache_.insert(row, dataSet->RowAt(row)).value();
    } catch (const StoreError&) {
        return nullptr;
    }
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return QVariant();
    }
    Field* field = FieldAt(index.column());
    if (field == nullptr) {
        return QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        const int a = field->Alignment();
        const Qt::Alignment h = a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return QVariant();
    }
    const Row* row = CachedRow(index.row());
    if (row == nullptr) {
        return QVariant();
    }
    QString text;
    try {
        field->Owner().WithRecord(*row, [&] {
            text = role == Qt::DisplayRole ? field->DisplayText() : field->EditText();
        });
    } catch (const std::exception&) {
        return QVariant();
    }
    return text;
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    if (titles_.contains(section)) {
        return titles_.value(section);
    }
    if (Field* field = FieldAt(section)) {
        return field->DisplayLabel();
    }
    const QStringList names = ShownNames();
    return section >= 0 && section < names.size() ? QVariant(names[section]) : QVariant();
}

void DataSetModel::ResetAll() {
    beginResetModel();
    cache_.clear();
    endResetModel();
}

void DataSetModel::OnSourceEvent(DataSource&, const DataEvent& event) {
    switch (event.kind) {
        case DataEventKind::Scrolled:
            emit currentRowChanged(CurrentRow());
            break;
        case DataEventKind::FieldChanged:
        case DataEventKind::StateChanged: {
            const int row = CurrentRow();
            cache_.remove(row);
            if (row >= 0 && columnCount() > 0) {
                emit dataChanged(index(row, 0), index(row, columnCount() - 1));
            }
            break;
        }
        default:
            ResetAll();
            emit currentRowChanged(CurrentRow());
    }
}

}  // namespace platform
