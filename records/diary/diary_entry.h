#pragma once
// One entry of the breeder's diary: something due on a day, computed from
// the books (a next vet visit, an expected litter, an expected season) or
// written by the breeder (a reminder of schedule.db).

#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

namespace diary {

// In the order the diary sorts entries of one day (the kinds' names in
// Czech order).
enum class DiaryKind { NextVisit, ExpectedSeason, ExpectedLitter, Reminder };

// "Další návštěva", "Předpokládané hárání", "Předpokládaný vrh", "Upozornění".
QString DiaryKindText(DiaryKind kind);

// The mark of an entry whose day has passed while it is still open.
QString OverdueText();

struct DiaryEntry {
    QDate date;
    DiaryKind kind = DiaryKind::Reminder;
    QString animal;  // registered name; empty for own reminders
    QString text;
    bool overdue = false;
    std::int64_t reminderRow = 0;  // the reminder's row in schedule.db
};

// The days the diary shows; open entries before `today` are always shown.
struct DiarySpan {
    QDate from;
    QDate to;
};

// Today to 30 days on.
inline constexpr int kDefaultDiaryDays = 30;
DiarySpan DefaultSpan(const QDate& today);

// Whether the entry belongs to the span: overdue, or dated within it.
bool Shows(const DiarySpan& span, const DiaryEntry& entry);

// By date, then kind, then registered name (Czech order), then text.
void SortEntries(std::vector<DiaryEntry>& entries);

}  // namespace diary
