#include "app/diary_dataset.h"

#include "app/diary_captions.h"
#include "app/rows_holding.h"

namespace {

using platform::ColumnSchema;
using platform::ColumnType;

constexpr int kKindWidth = 30;
constexpr int kNameWidth = 40;
constexpr int kTextWidth = 255;
constexpr int kOverdueWidth = 12;

}  // namespace

TDiaryDataSet::TDiaryDataSet(platform::Database& database) : DataSet(database) {
    SetName(QStringLiteral("TaDiar"));
}

void TDiaryDataSet::SetEntries(std::vector<diary::DiaryEntry> entries) {
    entries_ = std::move(entries);
    if (IsActive()) {
        Refresh();
    }
}

std::vector<ColumnSchema> TDiaryDataSet::DoOpen() {
    return {{QStringLiteral("Datum"), ColumnType::Date, 0, diary_captions::DateColumn()},
            {QStringLiteral("Druh"), ColumnType::Text, kKindWidth, diary_captions::KindColumn()},
            {QStringLiteral("Jmeno_registr"), ColumnType::Text, kNameWidth,
             diary_captions::AnimalColumn()},
            {QStringLiteral("Text"), ColumnType::Text, kTextWidth, diary_captions::TextColumn()},
            {QStringLiteral("Po_terminu"), ColumnType::Text, kOverdueWidth,
             diary_captions::StateColumn()}};
}

std::vector<platform::DataSet::RowId> TDiaryDataSet::LoadRowIds() {
    std::vector<RowId> ids(entries_.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        ids[i] = static_cast<RowId>(i);
    }
    return ids;
}

void TDiaryDataSet::FetchRow(RowId id, platform::Row& out) {
    out.clear();
    if (id < 0 || static_cast<size_t>(id) >= entries_.size()) {
        return;
    }
    const diary::DiaryEntry& entry = entries_[static_cast<size_t>(id)];
    out = {entry.date.toString(Qt::ISODate), diary::DiaryKindText(entry.kind), entry.animal,
           entry.text, entry.overdue ? diary::OverdueText() : QString()};
}

std::vector<platform::DataSet::RowId> TDiaryDataSet::FindRows(
    const std::vector<int>& columns, const std::vector<platform::Value>& values) {
    return RowsHolding(
        entries_.size(), [this](RowId id, platform::Row& row) { FetchRow(id, row); }, columns,
        values);
}
