#include "controls/field_data_link.h"

#include <algorithm>
#include <vector>

#include "platform/messages.h"
#include "platform/store/dataset.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"

namespace {

// Every live link, so that a post can collect the changes still held by
// controls (the focused one above all).
std::vector<FieldDataLink*>& AllLinks() {
    static std::vector<FieldDataLink*> links;
    return links;
}

std::vector<PendingChangeHolder*>& AllHolders() {
    static std::vector<PendingChangeHolder*> holders;
    return holders;
}

}  // namespace

void RegisterPendingChangeHolder(PendingChangeHolder* holder) {
    AllHolders().push_back(holder);
}

void UnregisterPendingChangeHolder(PendingChangeHolder* holder) {
    auto& holders = AllHolders();
    holders.erase(std::remove(holders.begin(), holders.end(), holder), holders.end());
}

FieldDataLink::FieldDataLink(std::function<void()> dataChange, std::function<void()> stateChange,
                             std::function<void()> updateData)
    : dataChange_(std::move(dataChange)),
      stateChange_(std::move(stateChange)),
      updateData_(std::move(updateData)) {
    AllLinks().push_back(this);
}

FieldDataLink::~FieldDataLink() {
    if (source_ != nullptr) {
        source_->RemoveListener(this);
    }
    auto& links = AllLinks();
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
}

void FieldDataLink::SetDataSource(platform::DataSource* source) {
    if (source == source_) {
        return;
    }
    if (source_ != nullptr) {
        source_->RemoveListener(this);
    }
    source_ = source;
    if (source_ != nullptr) {
        source_->AddListener(this);
    }
    modified_ = false;
    Changed();
}

void FieldDataLink::SetFieldName(const QString& name) {
    if (name == fieldName_) {
        return;
    }
    fieldName_ = name;
    modified_ = false;
    Changed();
}

platform::DataSet* FieldDataLink::ActiveDataSet() const {
    platform::DataSet* dataSet = source_ != nullptr ? source_->GetDataSet() : nullptr;
    return dataSet != nullptr && dataSet->IsActive() ? dataSet : nullptr;
}

platform::Field* FieldDataLink::Field() const {
    platform::DataSet* dataSet = ActiveDataSet();
    if (dataSet == nullptr || fieldName_.isEmpty()) {
        return nullptr;
    }
    return dataSet->FindField(fieldName_);
}

bool FieldDataLink::Editing() const {
    platform::DataSet* dataSet = ActiveDataSet();
    return dataSet != nullptr && (dataSet->State() == platform::DataSetState::Edit ||
                                  dataSet->State() == platform::DataSetState::Insert);
}

bool FieldDataLink::CanModify() const {
    return !ReadOnly && Field() != nullptr && ActiveDataSet()->CanModify();
}

bool FieldDataLink::Edit() {
    if (!CanModify()) {
        return false;
    }
    if (Editing()) {
        return true;
    }
    if (!source_->AutoEdit()) {
        return false;
    }
    try {
        ActiveDataSet()->Edit();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return false;
    }
    return Editing();
}

void FieldDataLink::Reset() {
    modified_ = false;
    if (dataChange_) {
        dataChange_();
    }
}

void FieldDataLink::UpdateRecord() {
    if (!modified_ || Field() == nullptr || !updateData_) {
        return;
    }
    writing_ = true;
    try {
        updateData_();
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    modified_ = false;
}

void FieldDataLink::Changed() {
    if (stateChange_) {
        stateChange_();
    }
    if (dataChange_) {
        dataChange_();
    }
}

void FieldDataLink::OnSourceEvent(platform::DataSource&, const platform::DataEvent& event) {
    using Kind = platform::DataEventKind;
    switch (event.kind) {
        case Kind::Destroyed:
            source_ = nullptr;
            modified_ = false;
            Changed();
            return;
        case Kind::StateChanged: {
            if (stateChange_) {
                stateChange_();
            }
            // Editing starts from the value shown; a cancel or a new record
            // must show the record's own values.
            platform::DataSet* dataSet = ActiveDataSet();
            if (dataSet == nullptr || dataSet->State() != platform::DataSetState::Edit) {
                Reset();
            }
            return;
        }
        case Kind::FieldChanged:
            if (writing_) {
                return;
            }
            if (event.field != nullptr && event.field != Field()) {
                return;
            }
            Reset();
            return;
        case Kind::Opened:
        case Kind::Closed:
            modified_ = false;
            Changed();
            return;
        case Kind::Scrolled:
        case Kind::DataSetChanged:
            Reset();
            return;
    }
}

void UpdateBoundControls(platform::DataSet& dataSet) {
    const std::vector<PendingChangeHolder*> holders = AllHolders();
    for (PendingChangeHolder* holder : holders) {
        const auto& live = AllHolders();
        if (std::find(live.begin(), live.end(), holder) != live.end() &&
            holder->PendingDataSet() == &dataSet) {
            holder->CommitPendingChange();
        }
    }
    const std::vector<FieldDataLink*> links = AllLinks();
    for (FieldDataLink* link : links) {
        if (std::find(AllLinks().begin(), AllLinks().end(), link) == AllLinks().end()) {
            continue;
        }
        if (link->Modified() && link->ActiveDataSet() == &dataSet) {
            link->UpdateRecord();
        }
    }
}

void ShowStoreError(const platform::StoreError& error) {
    platform::ShowMessage(error.Message(), platform::DefaultCaption(), platform::MessageIcon::Error,
                          platform::mbOK);
}
