#include "platform/store/datasource.h"

#include <algorithm>

namespace platform {

DataSource::DataSource(const QString& name, DataSet* dataSet) : name_(name) {
    SetDataSet(dataSet);
}

DataSource::~DataSource() {
    if (dataSet_ != nullptr) {
        dataSet_->RemoveListener(this);
    }
    dataSet_ = nullptr;
    // Bound controls may outlive the source (a form's members go before its
    // child widgets): tell them to drop their pointer to it.
    Forward({DataEventKind::Destroyed, nullptr});
}

void DataSource::SetDataSet(DataSet* dataSet) {
    if (dataSet == dataSet_) {
        return;
    }
    if (dataSet_ != nullptr) {
        dataSet_->RemoveListener(this);
    }
    dataSet_ = dataSet;
    if (dataSet_ != nullptr) {
        dataSet_->AddListener(this);
    }
    Forward({DataEventKind::DataSetChanged, nullptr});
}

void DataSource::AddListener(DataSourceListener* listener) {
    if (listener != nullptr &&
        std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void DataSource::RemoveListener(DataSourceListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void DataSource::OnDataEvent(DataSet&, const DataEvent& event) {
    if (event.kind == DataEventKind::Destroyed) {
        dataSet_ = nullptr;
        Forward({DataEventKind::DataSetChanged, nullptr});
        return;
    }
    Forward(event);
}

void DataSource::Forward(const DataEvent& event) {
    const std::vector<DataSourceListener*> listeners = listeners_;
    for (DataSourceListener* listener : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
            continue;
        }
        listener->OnSourceEvent(*this, event);
    }
}

}  // namespace platform
