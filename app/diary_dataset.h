#pragma once
// The diary's entries as a read-only data set, so the report generator
// prints them like any list: columns Datum, Druh, Jmeno_registr, Text and
// Po_terminu ("po termínu" or empty), in the diary's order. The entries are
// those last given; the set never reads the store itself.

#include <vector>

#include "platform/store/dataset.h"
#include "records/diary/diary_entry.h"

class TDiaryDataSet : public platform::DataSet {
  public:
    explicit TDiaryDataSet(platform::Database& database);

    // Replaces the entries; an open set re-reads them.
    void SetEntries(std::vector<diary::DiaryEntry> entries);

    QString DisplayName() const override { return QStringLiteral("Diář"); }
    bool IsQuery() const override { return true; }

  protected:
    std::vector<platform::ColumnSchema> DoOpen() override;
    void DoClose() override {}
    std::vector<RowId> LoadRowIds() override;
    void FetchRow(RowId id, platform::Row& out) override;
    std::vector<RowId> FindRows(const std::vector<int>& columns,
                                const std::vector<platform::Value>& values) override;

  private:
    std::vector<diary::DiaryEntry> entries_;
};
