#pragma once
// TSestavaD: a report that reads its records through the data bridge, from a
// data source of the table store, or, when the application assigns
// OnGetData, record by record from its own events (event mode).

#include <QStringList>
#include <functional>

#include "platform/paint/picture.h"
#include "report/engine/DB_Bridge.h"
#include "report/engine/sestavyt.h"

class TSestavaD : public TSestavaTyp {
  public:
    TSestavaD();
    ~TSestavaD() override;

    // ---- data source ------------------------------------------------------------
    platform::DataSource* DataSource() const { return bridge_.GetDataSource(); }
    void SetDataSource(platform::DataSource* source) { bridge_.SetDataSource(source); }
    TBridge& Bridge() { return bridge_; }

    // Event mode: OnGetData assigned. (There is no form designer that edits
    // the component at design time, so that exception never applies.)
    bool EventMode() const { return static_cast<bool>(OnGetData); }

    // ---- events -------------------------------------------------------------------
    // After every data step and once before editing in event mode.
    std::function<void(TSestavaD&)> OnGetData;
    // Replaces stepping the data source.
    std::function<TStepResult(TSestavaD&, TStepDir)> OnStepData;
    std::function<void(TSestavaD&, int index, int& dataType)> OnGetDataType;
    std::function<void(TSestavaD&, int index, int& alignment)> OnGetAlignment;

    // ---- field lists --------------------------------------------------------------
    const QStringList& FieldNames() const { return fieldNames_; }
    const QStringList& FieldLabels() const { return fieldLabels_; }
    // The texts of the current record in event mode; the OnGetData handler
    // writes them ("Položka n" placeholders after every SetFieldNames).
    QStringList FieldValues;
    void SetFieldNames(const QStringList& names);
    void SetFieldLabels(const QStringList& labels);

    // ---- run side -------------------------------------------------------------------
    // Checks (and, after asking, opens) the data of this report and its details.
    virtual bool PrepareData();
    // Reads the field lists of the data source (and of every detail).
    virtual bool LoadFieldLists();
    // Closes the data set when PrepareData opened it.
    void CloseIfOpened();

    // ---- data provider --------------------------------------------------------------
    int FieldCount() const override { return static_cast<int>(fieldNames_.size()); }
    int DataType(int i) override;
    int Alignment(int i) override;
    int DisplayWidth(int i) override;
    QString ValueText(int i) override;
    double ValueNumber(int i) override;
    QString MemoText(int i) override;
    const platform::Picture* FieldPicture(int i) override;
    bool IsNull(int i) override;
    QString FieldLabel(int i) override;
    QString FieldName(int i) override;
    int FindField(const QString& name) const override;
    TStepResult StepData(TStepDir dir) override;
    void RefreshData() override;

  protected:
    bool InRange(int i) const { return i >= 0 && i < FieldCount(); }
    bool SourceMode() const { return !EventMode(); }
    // The attached details that read their own data.
    template <typename Visit>
    void ForEachDataDetail(Visit visit);

  private:
    double SourceNumber(int i) const;

    TBridge bridge_;
    QStringList fieldNames_;
    QStringList fieldLabels_;
    QString memo_;
    platform::Picture picture_;
    bool openedHere_ = false;
};

template <typename Visit>
void TSestavaD::ForEachDataDetail(Visit visit) {
    for (int d = 0; d < Detaily().Count(); ++d) {
        if (auto* detail = dynamic_cast<TSestavaD*>(Detaily()[d])) {
            visit(*detail);
        }
    }
}
