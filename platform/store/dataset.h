#pragma once
// A cursor over rows: a table of the kennel database or the result of a
// query. See store.h for the overview of the table store.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/store/field.h"
#include "platform/store/schema.h"
#include "platform/store/value.h"

namespace platform {

class Database;
class DataSet;

enum class DataSetState { Inactive, Browse, Edit, Insert };

enum class DataEventKind {
    Opened,          // the data set was opened
    Closed,          // the data set was closed
    Scrolled,        // another record became current
    StateChanged,    // browse / edit / insert changed
    FieldChanged,    // a field of the current record got a new value (event.field)
    DataSetChanged,  // rows were added, removed, re-read or filtered; redraw everything
    Destroyed,       // the data set is being destroyed: drop every pointer to it
};

struct DataEvent {
    DataEventKind kind = DataEventKind::DataSetChanged;
    const Field* field = nullptr;
};

// Bound controls, grids and data sources listen to a data set. Their calls
// are held back while the data set's controls are disabled.
class DataSetListener {
  public:
    virtual ~DataSetListener() = default;
    virtual void OnDataEvent(DataSet& dataSet, const DataEvent& event) = 0;
};

// The position of one row; stays valid while the row exists and passes the filter.
struct Bookmark {
    std::optional<std::int64_t> row;
    bool IsValid() const { return row.has_value(); }
};

// Program hooks. Unlike listeners they run also while controls are disabled.
// A "before" hook may throw to stop the operation.
struct DataSetHooks {
    std::function<void(DataSet&)> afterOpen, beforeClose, afterClose;
    std::function<void(DataSet&)> afterScroll;
    std::function<void(DataSet&)> onNewRecord;  // fills the defaults of an appended row
    std::function<void(DataSet&)> beforeEdit, afterEdit, beforeInsert, afterInsert;
    std::function<void(DataSet&)> beforePost, afterPost, afterCancel;
    std::function<void(DataSet&)> beforeDelete, afterDelete;
};

class DataSet {
  public:
    using RowId = std::int64_t;
    using RecordFilter = std::function<bool(DataSet&)>;

    virtual ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    // The component name ("TaMain_Card") and the name shown in messages.
    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    virtual QString DisplayName() const = 0;
    Database* GetDatabase() const { return database_; }
    virtual bool IsQuery() const = 0;

    // ---- open and close ----
    void Open();
    void Close();
    bool IsActive() const { return state_ != DataSetState::Inactive; }
    void SetActive(bool active) { active ? Open() : Close(); }
    DataSetState State() const { return state_; }
    void Refresh();  // re-reads the rows, keeps the current row when it still exists

    // ---- moving ----
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return rows_.empty(); }
    int RecordCount() const { return static_cast<int>(rows_.size()); }
    int RecNo() const { return pos_; }  // 0-based position of the current row, -1 when none
    void MoveTo(int index);

    // Moves to the first row whose columns (names joined by ";") equal the
    // values exactly, case-sensitive. Not found: false, position unchanged.
    bool Locate(const QString& columns, const QVariantList& values);
    bool Locate(const QString& column, const QVariant& value) {
        return Locate(column, QVariantList{value});
    }

    // ---- the record filter ----
    void SetOnFilterRecord(RecordFilter filter);
    void SetFiltered(bool on);  // re-evaluates the filter for every row and goes to the first
    bool Filtered() const { return filtered_; }
    // A cheap necessary condition of the record filter: only rows whose text
    // column `column` holds the text `text()` somewhere can pass it. The store
    // checks it before a row is read, so a filter over a large table reads
    // only the rows that can pass; the filter itself still decides. An empty
    // text narrows nothing.
    struct FilterNarrowing {
        QString column;
        std::function<QString()> text;
    };
    void SetFilterNarrowing(FilterNarrowing narrowing) { narrowing_ = std::move(narrowing); }

    // ---- editing ----
    void Edit();
    void Append();
    void Insert() { Append(); }
    void Post();
    void Cancel();
    void Delete();  // the next row becomes current
    bool Modified() const { return modified_; }
    bool CanModify() const { return !ReadOnly(); }

    // ---- bulk appending (loads of many rows) ----
    // Between the two, a posted new row is written to the table and nothing
    // is re-read after it; the rows are read once when the bulk append ends.
    // The column rules and the post hooks apply to every row as always.
    void BeginBulkAppend();
    void EndBulkAppend();
    bool InBulkAppend() const { return bulkAppend_; }

    // ---- fields ----
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    Field& Fields(int index) { return *fields_.at(static_cast<size_t>(index)); }
    const Field& Fields(int index) const { return *fields_.at(static_cast<size_t>(index)); }
    Field* FindField(const QString& name);
    const Field* FindField(const QString& name) const;
    Field& FieldByName(const QString& name);  // throws StoreError when absent
    QStringList FieldNames() const;
    // Settings for the field of that name, kept across re-opens of a query.
    FieldOptions& FieldSetup(const QString& name);

    // ---- bookmarks ----
    Bookmark GetBookmark() const;
    bool GotoBookmark(const Bookmark& bookmark);  // false when the row is gone
    bool BookmarkValid(const Bookmark& bookmark) const;
    void FreeBookmark(Bookmark& bookmark) { bookmark.row.reset(); }

    // ---- notifications ----
    void DisableControls();
    void EnableControls();  // a held-back change is told as one DataSetChanged
    bool ControlsDisabled() const { return disableCount_ > 0; }
    void AddListener(DataSetListener* listener);
    void RemoveListener(DataSetListener* listener);
    DataSetHooks& Hooks() { return hooks_; }

    // ---- reading any row without moving (grids) ----
    Row RowAt(int index);
    // Runs `read` with the row as the record the fields show.
    void WithRecord(const Row& row, const std::function<void()>& read);

    // ---- used by Field and Database ----
    const Value& ActiveValue(int index) const;
    void StoreFieldValue(Field& field, Value value);
    void ReloadAfterRollback();
    void DetachDatabase();

  protected:
    explicit DataSet(Database& database);

    // What a kind of data set supplies. Ids are stable row identities.
    virtual std::vector<ColumnSchema> DoOpen() = 0;  // prepares; returns the columns
    virtual void DoClose() = 0;
    virtual std::vector<RowId> LoadRowIds() = 0;  // all rows in order
    virtual void ScanRows(const std::function<void(RowId, const Row&)>& visit);
    // ScanRows over only the rows whose column holds `text`; a data set that
    // cannot narrow visits every row (the filter still decides).
    virtual void ScanRowsContaining(int column, const QString& text,
                                    const std::function<void(RowId, const Row&)>& visit);
    virtual void FetchRow(RowId id, Row& out) = 0;
    virtual std::vector<RowId> FindRows(const std::vector<int>& columns,
                                        const std::vector<Value>& values) = 0;
    virtual bool ReadOnly() const { return true; }
    virtual RowId InsertRow(const Row& row);
    virtual void UpdateRow(RowId id, const Row& row);
    virtual void DeleteRow(RowId id);
    // Order of two rows as the data set lists them; default: by id.
    virtual int CompareOrder(const Row& a, RowId idA, const Row& b, RowId idB) const;
    // Whether the field objects survive a re-open (tables: yes).
    virtual bool KeepsFields() const { return false; }
    // Whether rows are ordered by their values (CompareOrder) rather than by id.
    virtual bool HasKeyOrder() const { return false; }
    // A data set that reads single columns cheaply (a query's packed result)
    // fills the current record column by column as fields are read.
    virtual bool FetchesByColumn() const { return false; }
    virtual Value FetchValue(RowId id, int column);

    void BuildFields(const std::vector<ColumnSchema>& columns);
    void RequireActive() const;
    void RequireWritableDatabase() const;

  private:
    void Notify(DataEventKind kind, const Field* field = nullptr);
    void SetState(DataSetState state);
    void CheckBrowseMode();
    void LoadRows();
    bool PassesFilter(const Row& row);
    void FetchCurrent();
    void LoadWholeCurrent();
    void AfterMove();
    int InsertPosition(const Row& row, RowId id);
    int PositionOf(RowId id);
    void InvalidatePositions() { positions_.clear(); }

    Database* database_;
    QString name_;
    DataSetState state_ = DataSetState::Inactive;
    std::vector<std::unique_ptr<Field>> fields_;
    std::map<QString, std::shared_ptr<FieldOptions>> options_;  // by lower-case name
    std::vector<RowId> rows_;                   // the rows shown, in order, filter applied
    std::unordered_map<RowId, int> positions_;  // row id -> index in rows_, built on demand
    int pos_ = -1;
    bool bof_ = true, eof_ = true;
    mutable Row current_;  // the current record; filled lazily when FetchesByColumn()
    mutable std::vector<char> loaded_;
    std::optional<RowId> currentId_;
    Row edit_;
    const Row* peek_ = nullptr;
    bool modified_ = false;
    bool bulkAppend_ = false;
    RecordFilter filter_;
    FilterNarrowing narrowing_;
    bool filtered_ = false;
    int disableCount_ = 0;
    bool heldBack_ = false;
    std::vector<DataSetListener*> listeners_;
    DataSetHooks hooks_;
};

}  // namespace platform
