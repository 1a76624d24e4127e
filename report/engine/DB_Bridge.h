#pragma once
// TBridge: the report's view of one data source of the table store. The
// engine never touches data sets directly; every read of a field, every step
// through the records and every bookmark goes through here, and every
// failure of the store is turned into a harmless answer (0, empty, not null)
// so that a bad value never stops a run.

#include <QString>
#include <QStringList>

#include "platform/store/dataset.h"
#include "report/engine/data_types.h"

namespace platform {
class DataSource;
class Picture;
}  // namespace platform

class TBridge {
  public:
    TBridge() = default;
    TBridge(const TBridge&) = delete;
    TBridge& operator=(const TBridge&) = delete;

    // ---- the link ---------------------------------------------------------
    void SetDataSource(platform::DataSource* source);
    platform::DataSource* GetDataSource() const { return source_; }
    platform::DataSet* DataSet() const;
    bool HasDataSet() const { return DataSet() != nullptr; }
    // The data set belongs to a named database (one whose alias can be resolved).
    bool IsDatabaseDataSet() const;

    // ---- state and stepping -------------------------------------------------
    bool IsActive() const;
    // Opens the data set; a failure leaves it closed (IsActive tells).
    void Open();
    void Close();
    TStepResult Step(TStepDir dir);

    // ---- bookmarks ----------------------------------------------------------
    void SaveBookmark();
    // Goes back to the saved record and forgets it; nothing when none is saved.
    void RestoreBookmark();
    bool HasBookmark() const { return bookmark_.IsValid(); }

    void DisableControls();
    void EnableControls();

    // ---- fields ---------------------------------------------------------------
    void ReadNames(QStringList& names) const;
    void ReadLabels(QStringList& labels) const;
    int FieldType(int i) const;
    int FieldAlignment(int i) const;  // 0 left, 1 right, 2 centre
    int FieldDisplayWidth(int i) const;
    QString FieldText(int i) const;  // the store's display text
    QString FieldString(int i) const;
    double FieldFloat(int i) const;
    bool FieldBoolean(int i) const;
    bool FieldIsNull(int i) const;
    // Binary and memo fields: their whole content as text; others their string value.
    QString FieldMemo(int i) const;
    // Loads the picture of a binary field; false (picture cleared) when it holds none.
    // False for an empty field and for bytes that are no readable picture;
    // for the latter `error`, when given, says why.
    bool FieldPicture(int i, platform::Picture& picture, QString* error = nullptr) const;

    // The folder of a named database alias: the text after "=" of its first
    // parameter (at most 255 characters). A failure shows
    // "Function GetAliasPath error: %s" and answers empty.
    QString AliasPath(const QString& alias) const;

  private:
    const platform::Field* FieldAt(int i) const;

    platform::DataSource* source_ = nullptr;
    platform::Bookmark bookmark_;
};
