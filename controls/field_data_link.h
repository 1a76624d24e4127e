#pragma once
// The tie between a bound control and one field of the data set a
// DataSource follows. The link listens to the source and tells its control
// when the shown value must be read again or the record's state changed; it
// puts the record into editing when the user starts typing (if the source
// and the data set allow it) and remembers whether the control holds an
// unwritten change.
//
// Bound controls write their change when they are left. A post started from
// elsewhere (the navigator's "Ulož", a form's own button) first calls
// UpdateBoundControls so that a change still sitting in the focused control
// reaches the record.

#include <QString>
#include <functional>

#include "platform/store/datasource.h"

namespace platform {
class Field;
class StoreError;
}  // namespace platform

class FieldDataLink : public platform::DataSourceListener {
  public:
    // `dataChange`: show the field's value again (another record, a cancel,
    // a value written by someone else). `stateChange`: the record's state or
    // the data set's activity changed (read-only and colours may follow).
    // `updateData`: write the control's value into the field (may throw
    // StoreError).
    FieldDataLink(std::function<void()> dataChange, std::function<void()> stateChange,
                  std::function<void()> updateData);
    ~FieldDataLink() override;
    FieldDataLink(const FieldDataLink&) = delete;
    FieldDataLink& operator=(const FieldDataLink&) = delete;

    platform::DataSource* DataSource() const { return source_; }
    void SetDataSource(platform::DataSource* source);
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);

    // The data set followed, when it is open; else null.
    platform::DataSet* ActiveDataSet() const;
    // The bound field of the open data set; null when there is none.
    platform::Field* Field() const;
    bool Editing() const;
    // Whether the control may change the field: a field of an open data set
    // that can be edited, and the control itself not read-only.
    bool CanModify() const;
    bool ReadOnly = false;

    // Puts the record into editing as typing does: true when it is being
    // edited or inserted afterwards. Refuses (false) without a field, on a
    // read-only data set or control, and when the source does not edit by
    // itself; a refusal of the store is shown in the error box.
    bool Edit();

    bool Modified() const { return modified_; }
    void SetModified() { modified_ = true; }
    // Forgets the change and shows the field's value again.
    void Reset();
    // Writes a pending change into the field; throws StoreError when the
    // field refuses it (the change stays pending).
    void UpdateRecord();

    void OnSourceEvent(platform::DataSource& source, const platform::DataEvent& event) override;

  private:
    void Changed();

    platform::DataSource* source_ = nullptr;
    QString fieldName_;
    bool modified_ = false;
    bool writing_ = false;
    std::function<void()> dataChange_, stateChange_, updateData_;
};

// The binding every data-aware control offers: the source it follows and
// the name of its field, kept by the control's link.
class FieldBinding {
  public:
    platform::DataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(platform::DataSource* source) { link_.SetDataSource(source); }
    QString DataField() const { return link_.FieldName(); }
    void SetDataField(const QString& name) { link_.SetFieldName(name); }
    platform::Field* Field() const { return link_.Field(); }

  protected:
    FieldBinding(std::function<void()> dataChange, std::function<void()> stateChange,
                 std::function<void()> updateData)
        : link_(std::move(dataChange), std::move(stateChange), std::move(updateData)) {}
    ~FieldBinding() = default;

    FieldDataLink link_;
};

// A control that holds a change of its own making for a data set outside a
// field link (a grid's open cell editor) and commits it on request.
class PendingChangeHolder {
  public:
    virtual ~PendingChangeHolder() = default;
    // The data set the held change belongs to; null when nothing is held.
    virtual platform::DataSet* PendingDataSet() const = 0;
    virtual void CommitPendingChange() = 0;
};
void RegisterPendingChangeHolder(PendingChangeHolder* holder);
void UnregisterPendingChangeHolder(PendingChangeHolder* holder);

// Writes the pending changes of every bound control of `dataSet`; throws the
// first StoreError a field raises.
void UpdateBoundControls(platform::DataSet& dataSet);

// The box every store error not caught elsewhere ends in (error icon, OK).
void ShowStoreError(const platform::StoreError& error);
