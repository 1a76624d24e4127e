#include "platform/store/dataset.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/store/database.h"
#include "platform/store/store_error.h"

namespace platform {
namespace {

const Value kNull;

}  // namespace

DataSet::DataSet(Database& database) : database_(&database) {
    database.Register(this);
}

DataSet::~DataSet() {
    const std::vector<DataSetListener*> listeners = listeners_;
    for (DataSetListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) {
            listener->OnDataEvent(*this, {DataEventKind::Destroyed, nullptr});
        }
    }
    if (database_ != nullptr) {
        database_->Unregister(this);
    }
}

void DataSet::RequireActive() const {
    if (!IsActive()) {
        throw StoreError(QStringLiteral("%1 není otevřena.").arg(DisplayName()));
    }
}

// ---- open and close ------------------------------------------------------------

void DataSet::Open() {
    if (IsActive()) {
        return;
    }
    if (database_ == nullptr || !database_->IsOpen()) {
        throw StoreError(QStringLiteral("Databáze není otevřena (%1).").arg(DisplayName()));
    }
    const std::vector<ColumnSchema> columns = DoOpen();
    if (!KeepsFields() || fields_.empty()) {
        BuildFields(columns);
    }
    try {
        state_ = DataSetState::Browse;
        LoadRows();
    } catch (...) {
        state_ = DataSetState::Inactive;
        rows_.clear();
        DoClose();
        throw;
    }
    pos_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    FetchCurrent();
    Notify(DataEventKind::Opened);
    if (hooks_.afterOpen) {
        hooks_.afterOpen(*this);
    }
    if (!rows_.empty() && hooks_.afterScroll) {
        hooks_.afterScroll(*this);
    }
}

void DataSet::Close() {
    if (!IsActive()) {
        return;
    }
    if (hooks_.beforeClose) {
        hooks_.beforeClose(*this);
    }
    edit_.clear();
    modified_ = false;
    DoClose();
    rows_.clear();
    InvalidatePositions();
    current_.clear();
    loaded_.clear();
    currentId_.reset();
    pos_ = -1;
    bof_ = eof_ = true;
    state_ = DataSetState::Inactive;
    if (!KeepsFields()) {
        fields_.clear();
    }
    Notify(DataEventKind::Closed);
    if (hooks_.afterClose) {
        hooks_.afterClose(*this);
    }
}

void DataSet::Refresh() {
    RequireActive();
    CheckBrowseMode();
    const std::optional<RowId> current =
        pos_ >= 0 ? std::optional<RowId>(rows_[pos_]) : std::nullopt;
    const int oldPos = pos_;
    LoadRows();
    int pos = current ? PositionOf(*current) : -1;
    if (pos < 0) {
        pos = std::min(std::max(oldPos, 0), RecordCount() - 1);
    }
    pos_ = pos;
    if (rows_.empty()) {
        bof_ = eof_ = true;
    } else {
        bof_ = eof_ = false;
    }
    FetchCurrent();
    Notify(DataEventKind::DataSetChanged);
}

void DataSet::ReloadAfterRollback() {
    if (!IsActive()) {
        return;
    }
    edit_.clear();
    modified_ = false;
    if (state_ != DataSetState::Browse) {
        SetState(DataSetState::Browse);
    }
    Refresh();
}

void DataSet::DetachDatabase() {
    try {
        Close();
    } catch (...) {
        // The connection goes away; nothing more can be done for this data set.
    }
    database_ = nullptr;
}

void DataSet::LoadRows() {
    rows_.clear();
    InvalidatePositions();
    if (filtered_ && filter_) {
        const auto keep = [this](RowId id, const Row& row) {
            if (PassesFilter(row)) {
                rows_.push_back(id);
            }
        };
        const Field* column = narrowing_.text ? FindField(narrowing_.column) : nullptr;
        const QString text = column ? narrowing_.text() : QString();
        if (text.isEmpty()) {
            ScanRows(keep);
        } else {
            ScanRowsContaining(column->Index(), text, keep);
        }
    } else {
        rows_ = LoadRowIds();
    }
}

void DataSet::ScanRows(const std::function<void(RowId, const Row&)>& visit) {
    Row row;
    for (RowId id : LoadRowIds()) {
        FetchRow(id, row);
        visit(id, row);
    }
}

void DataSet::ScanRowsContaining(int, const QString&,
                                 const std::function<void(RowId, const Row&)>& visit) {
    ScanRows(visit);
}

bool DataSet::PassesFilter(const Row& row) {
    if (!filtered_ || !filter_) {
        return true;
    }
    bool passes = false;
    WithRecord(row, [&] { passes = filter_(*this); });
    return passes;
}

void DataSet::FetchCurrent() {
    loaded_.clear();
    if (pos_ < 0 || pos_ >= RecordCount()) {
        currentId_.reset();
        current_.clear();
        return;
    }
    currentId_ = rows_[static_cast<size_t>(pos_)];
    if (FetchesByColumn()) {
        current_.assign(fields_.size(), Value());
        loaded_.assign(fields_.size(), 0);
    } else {
        FetchRow(*currentId_, current_);
    }
}

void DataSet::LoadWholeCurrent() {
    if (!loaded_.empty() && currentId_) {
        FetchRow(*currentId_, current_);
    }
    loaded_.clear();
}

Value DataSet::FetchValue(RowId id, int column) {
    Row row;
    FetchRow(id, row);
    return static_cast<size_t>(column) < row.size() ? row[static_cast<size_t>(column)] : Value();
}

void DataSet::WithRecord(const Row& row, const std::function<void()>& read) {
    const Row* saved = peek_;
    peek_ = &row;
    try {
        read();
    } catch (...) {
        peek_ = saved;
        throw;
    }
    peek_ = saved;
}

Row DataSet::RowAt(int index) {
    RequireActive();
    if (index < 0 || index >= RecordCount()) {
        throw StoreError(
            QStringLiteral("Řádek %1 v %2 neexistuje.").arg(index + 1).arg(DisplayName()));
    }
    if (index == pos_ && state_ == DataSetState::Edit) {
        return edit_;
    }
    Row row;
    FetchRow(rows_[static_cast<size_t>(index)], row);
    return row;
}

// ---- moving ----------------------------------------------------------------------

void DataSet::CheckBrowseMode() {
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) {
        if (modified_) {
            Post();
        } else {
            Cancel();
        }
    }
}

void DataSet::AfterMove() {
    Notify(DataEventKind::Scrolled);
    if (hooks_.afterScroll) {
        hooks_.afterScroll(*this);
    }
}

void DataSet::First() {
    RequireActive();
    CheckBrowseMode();
    pos_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    FetchCurrent();
    AfterMove();
}

void DataSet::Last() {
    RequireActive();
    CheckBrowseMode();
    pos_ = RecordCount() - 1;
    eof_ = true;
    bof_ = rows_.empty();
    FetchCurrent();
    AfterMove();
}

void DataSet::Next() {
    RequireActive();
    CheckBrowseMode();
    if (pos_ + 1 < RecordCount()) {
        ++pos_;
        eof_ = false;
        FetchCurrent();
    } else {
        eof_ = true;
    }
    bof_ = rows_.empty();
    AfterMove();
}

void DataSet::Prior() {
    RequireActive();
    CheckBrowseMode();
    if (pos_ > 0) {
        --pos_;
        bof_ = false;
        FetchCurrent();
    } else {
        bof_ = true;
    }
    eof_ = rows_.empty();
    AfterMove();
}

void DataSet::MoveTo(int index) {
    RequireActive();
    CheckBrowseMode();
    if (rows_.empty()) {
        return;
    }
    pos_ = std::clamp(index, 0, RecordCount() - 1);
    bof_ = eof_ = false;
    FetchCurrent();
    AfterMove();
}

int DataSet::PositionOf(RowId id) {
    if (positions_.empty() && !rows_.empty()) {
        positions_.reserve(rows_.size());
        for (size_t i = 0; i < rows_.size(); ++i) {
            positions_.emplace(rows_[i], static_cast<int>(i));
        }
    }
    const auto it = positions_.find(id);
    return it == positions_.end() ? -1 : it->second;
}

bool DataSet::Locate(const QString& columns, const QVariantList& values) {
    RequireActive();
    CheckBrowseMode();
    const QStringList names = columns.split(';');
    if (names.size() != values.size()) {
        throw StoreError(QStringLiteral("Hledání v %1: počet hodnot neodpovídá sloupcům „%2“.")
                             .arg(DisplayName(), columns));
    }
    std::vector<int> indexes;
    std::vector<Value> wanted;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const Field& field = FieldByName(names[i].trimmed());
        const QVariant& v = values[i];
        // A text longer than the column can never be stored, so it matches nothing.
        if (field.Kind() == ColumnType::Text && field.Size() > 0 &&
            v.typeId() == QMetaType::QString && v.toString().size() > field.Size()) {
            return false;
        }
        indexes.push_back(field.Index());
        wanted.push_back(Field::ConvertVariant(field.Column(), v));
    }
    int best = INT_MAX;
    for (RowId id : FindRows(indexes, wanted)) {
        const int p = PositionOf(id);
        if (p >= 0 && p < best) {
            best = p;
        }
    }
    if (best == INT_MAX) {
        return false;
    }
    pos_ = best;
    bof_ = eof_ = false;
    FetchCurrent();
    AfterMove();
    return true;
}

// ---- filter ----------------------------------------------------------------------

void DataSet::SetOnFilterRecord(RecordFilter filter) {
    filter_ = std::move(filter);
    if (IsActive() && filtered_) {
        SetFiltered(true);
    }
}

void DataSet::SetFiltered(bool on) {
    if (!IsActive()) {
        filtered_ = on;
        return;
    }
    CheckBrowseMode();
    filtered_ = on;
    LoadRows();
    Notify(DataEventKind::DataSetChanged);
    First();
}

// ---- editing ---------------------------------------------------------------------

void DataSet::SetState(DataSetState state) {
    if (state_ == state) {
        return;
    }
    state_ = state;
    Notify(DataEventKind::StateChanged);
}

void DataSet::Edit() {
    RequireActive();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) {
        return;
    }
    if (ReadOnly()) {
        RequireWritableDatabase();
        throw StoreError(
            QStringLiteral("%1 je jen pro čtení a nelze ji upravovat.").arg(DisplayName()));
    }
    if (rows_.empty()) {
        Append();
        return;
    }
    if (hooks_.beforeEdit) {
        hooks_.beforeEdit(*this);
    }
    LoadWholeCurrent();
    edit_ = current_;
    modified_ = false;
    SetState(DataSetState::Edit);
    if (hooks_.afterEdit) {
        hooks_.afterEdit(*this);
    }
}

void DataSet::Append() {
    RequireActive();
    CheckBrowseMode();
    if (ReadOnly()) {
        RequireWritableDatabase();
        throw StoreError(
            QStringLiteral("%1 je jen pro čtení a nelze do ní přidávat.").arg(DisplayName()));
    }
    if (hooks_.beforeInsert) {
        hooks_.beforeInsert(*this);
    }
    edit_.assign(fields_.size(), Value());
    SetState(DataSetState::Insert);
    bof_ = eof_ = false;
    if (hooks_.onNewRecord) {
        try {
            hooks_.onNewRecord(*this);
        } catch (...) {
            Cancel();
            throw;
        }
    }
    modified_ = false;  // defaults alone do not make a row worth posting
    if (hooks_.afterInsert) {
        hooks_.afterInsert(*this);
    }
}

void DataSet::StoreFieldValue(Field& field, Value value) {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) {
        throw StoreError(QStringLiteral("%1: záznam není otevřen pro úpravy (sloupec %2).")
                             .arg(DisplayName(), field.Name()));
    }
    Value& slot = edit_.at(static_cast<size_t>(field.Index()));
    if (slot == value) {
        return;
    }
    Value previous = std::move(slot);
    slot = std::move(value);
    if (field.Options().onValidate) {
        try {
            field.Options().onValidate(field);
        } catch (...) {
            edit_[static_cast<size_t>(field.Index())] = std::move(previous);
            throw;
        }
    }
    modified_ = true;
    Notify(DataEventKind::FieldChanged, &field);
}

int DataSet::InsertPosition(const Row& row, RowId id) {
    size_t lo = 0, hi = rows_.size();
    Row other;
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        bool before = false;
        if (HasKeyOrder()) {
            FetchRow(rows_[mid], other);
            before = CompareOrder(other, rows_[mid], row, id) < 0;
        } else {
            before = rows_[mid] < id;
        }
        if (before) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return static_cast<int>(lo);
}

void DataSet::Post() {
    RequireActive();
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) {
        return;
    }
    if (hooks_.beforePost) {
        hooks_.beforePost(*this);
    }
    const bool inserting = state_ == DataSetState::Insert;
    RowId id = 0;
    if (inserting && bulkAppend_) {
        InsertRow(edit_);
        edit_.clear();
        modified_ = false;
        SetState(DataSetState::Browse);
        if (hooks_.afterPost) {
            hooks_.afterPost(*this);
        }
        return;
    }
    if (inserting) {
        id = InsertRow(edit_);
    } else {
        id = rows_[static_cast<size_t>(pos_)];
        UpdateRow(id, edit_);
        rows_.erase(rows_.begin() + pos_);
    }
    InvalidatePositions();
    Row stored;
    FetchRow(id, stored);
    const int at = InsertPosition(stored, id);
    if (PassesFilter(stored)) {
        rows_.insert(rows_.begin() + at, id);
        pos_ = at;
    } else {
        pos_ = rows_.empty() ? -1 : std::min(at, RecordCount() - 1);
    }
    edit_.clear();
    modified_ = false;
    bof_ = eof_ = rows_.empty();
    FetchCurrent();
    SetState(DataSetState::Browse);
    Notify(DataEventKind::DataSetChanged);
    if (hooks_.afterPost) {
        hooks_.afterPost(*this);
    }
}

void DataSet::BeginBulkAppend() {
    RequireActive();
    CheckBrowseMode();
    bulkAppend_ = true;
}

void DataSet::EndBulkAppend() {
    if (!bulkAppend_) {
        return;
    }
    bulkAppend_ = false;
    if (!IsActive()) {
        return;
    }
    Cancel();
    Refresh();
}

void DataSet::Cancel() {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) {
        return;
    }
    edit_.clear();
    modified_ = false;
    bof_ = eof_ = rows_.empty();
    SetState(DataSetState::Browse);
    if (hooks_.afterCancel) {
        hooks_.afterCancel(*this);
    }
}

void DataSet::Delete() {
    RequireActive();
    if (state_ == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (state_ == DataSetState::Edit) {
        edit_.clear();
        modified_ = false;
        SetState(DataSetState::Browse);
    }
    if (rows_.empty() || pos_ < 0) {
        throw StoreError(
            QStringLiteral("%1: není co smazat, tabulka je prázdná.").arg(DisplayName()));
    }
    if (ReadOnly()) {
        RequireWritableDatabase();
        throw StoreError(
            QStringLiteral("%1 je jen pro čtení a nelze z ní mazat.").arg(DisplayName()));
    }
    if (hooks_.beforeDelete) {
        hooks_.beforeDelete(*this);
    }
    DeleteRow(rows_[static_cast<size_t>(pos_)]);
    rows_.erase(rows_.begin() + pos_);
    InvalidatePositions();
    if (pos_ >= RecordCount()) {
        pos_ = RecordCount() - 1;
    }
    bof_ = eof_ = rows_.empty();
    FetchCurrent();
    Notify(DataEventKind::DataSetChanged);
    if (hooks_.afterDelete) {
        hooks_.afterDelete(*this);
    }
    AfterMove();
}

// A data set of a read-only database is refused with the database's own
// words, which say why nothing can be changed.
void DataSet::RequireWritableDatabase() const {
    if (database_ != nullptr) {
        database_->RequireWritable();
    }
}

DataSet::RowId DataSet::InsertRow(const Row&) {
    throw StoreError(QStringLiteral("%1 je jen pro čtení.").arg(DisplayName()));
}
void DataSet::UpdateRow(RowId, const Row&) {
    throw StoreError(QStringLiteral("%1 je jen pro čtení.").arg(DisplayName()));
}
void DataSet::DeleteRow(RowId) {
    throw StoreError(QStringLiteral("%1 je jen pro čtení.").arg(DisplayName()));
}

int DataSet::CompareOrder(const Row&, RowId idA, const Row&, RowId idB) const {
    return idA < idB ? -1 : (idA > idB ? 1 : 0);
}

// ---- fields ----------------------------------------------------------------------

const Value& DataSet::ActiveValue(int index) const {
    const Row* row = peek_ != nullptr                                                   ? peek_
                     : (state_ == DataSetState::Edit || state_ == DataSetState::Insert) ? &edit_
                                                                                        : &current_;
    if (index < 0 || static_cast<size_t>(index) >= row->size()) {
        return kNull;
    }
    if (row == &current_ && static_cast<size_t>(index) < loaded_.size() &&
        !loaded_[static_cast<size_t>(index)]) {
        current_[static_cast<size_t>(index)] =
            const_cast<DataSet*>(this)->FetchValue(*currentId_, index);
        loaded_[static_cast<size_t>(index)] = 1;
    }
    return (*row)[static_cast<size_t>(index)];
}

void DataSet::BuildFields(const std::vector<ColumnSchema>& columns) {
    fields_.clear();
    for (size_t i = 0; i < columns.size(); ++i) {
        auto& options = options_[columns[i].name.toLower()];
        if (!options) {
            options = std::make_shared<FieldOptions>();
        }
        fields_.push_back(std::make_unique<Field>(*this, static_cast<int>(i), columns[i], options));
    }
}

Field* DataSet::FindField(const QString& name) {
    return const_cast<Field*>(std::as_const(*this).FindField(name));
}

const Field* DataSet::FindField(const QString& name) const {
    for (const auto& field : fields_) {
        if (field->Name().compare(name, Qt::CaseInsensitive) == 0) {
            return field.get();
        }
    }
    return nullptr;
}

Field& DataSet::FieldByName(const QString& name) {
    Field* field = FindField(name);
    if (field == nullptr) {
        throw StoreError(QStringLiteral("Sloupec „%1“ v %2 neexistuje.").arg(name, DisplayName()));
    }
    return *field;
}

QStringList DataSet::FieldNames() const {
    QStringList names;
    for (const auto& field : fields_) {
        names << field->Name();
    }
    return names;
}

FieldOptions& DataSet::FieldSetup(const QString& name) {
    auto& slot = options_[name.toLower()];
    if (!slot) {
        slot = std::make_shared<FieldOptions>();
    }
    return *slot;
}

// ---- bookmarks -------------------------------------------------------------------

Bookmark DataSet::GetBookmark() const {
    Bookmark b;
    if (IsActive() && pos_ >= 0) {
        b.row = rows_[static_cast<size_t>(pos_)];
    }
    return b;
}

bool DataSet::BookmarkValid(const Bookmark& bookmark) const {
    return bookmark.IsValid() &&
           std::find(rows_.begin(), rows_.end(), *bookmark.row) != rows_.end();
}

bool DataSet::GotoBookmark(const Bookmark& bookmark) {
    RequireActive();
    CheckBrowseMode();
    if (!bookmark.IsValid()) {
        return false;
    }
    const int p = PositionOf(*bookmark.row);
    if (p < 0) {
        return false;
    }
    pos_ = p;
    bof_ = eof_ = false;
    FetchCurrent();
    AfterMove();
    return true;
}

// ---- notifications ---------------------------------------------------------------

void DataSet::DisableControls() {
    ++disableCount_;
}

void DataSet::EnableControls() {
    if (disableCount_ > 0) {
        --disableCount_;
    }
    if (disableCount_ == 0 && heldBack_) {
        heldBack_ = false;
        Notify(DataEventKind::DataSetChanged);
    }
}

void DataSet::AddListener(DataSetListener* listener) {
    if (listener != nullptr &&
        std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void DataSet::RemoveListener(DataSetListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void DataSet::Notify(DataEventKind kind, const Field* field) {
    if (disableCount_ > 0) {
        heldBack_ = true;
        return;
    }
    const std::vector<DataSetListener*> listeners = listeners_;
    for (DataSetListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
            continue;
        }
        listener->OnDataEvent(*this, {kind, field});
    }
}

}  // namespace platform
