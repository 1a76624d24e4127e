#pragma once
// A named view through which controls, grids and reports see one data set.
// It can be re-pointed to another data set (the record sheet shows a table
// in edit mode and a query in browse mode); its listeners hear the events of
// whatever data set it follows, and a DataSetChanged when it is re-pointed.

#include <QString>
#include <vector>

#include "platform/store/dataset.h"

namespace platform {

class DataSource;

// Controls and grids bound to a data source. GetDataSet() of the source may be
// null (nothing followed); re-pointing is told as DataSetChanged. A source
// being destroyed tells its listeners Destroyed: they must drop it.
class DataSourceListener {
  public:
    virtual ~DataSourceListener() = default;
    virtual void OnSourceEvent(DataSource& source, const DataEvent& event) = 0;
};

class DataSource : public DataSetListener {
  public:
    explicit DataSource(const QString& name = QString(), DataSet* dataSet = nullptr);
    ~DataSource() override;
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    DataSet* GetDataSet() const { return dataSet_; }
    void SetDataSet(DataSet* dataSet);

    // Whether a control bound here may put the data set into editing by itself.
    bool AutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }

    void AddListener(DataSourceListener* listener);
    void RemoveListener(DataSourceListener* listener);

    void OnDataEvent(DataSet& dataSet, const DataEvent& event) override;

  private:
    void Forward(const DataEvent& event);

    QString name_;
    DataSet* dataSet_ = nullptr;
    bool autoEdit_ = true;
    std::vector<DataSourceListener*> listeners_;
};

}  // namespace platform
