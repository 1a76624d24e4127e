#pragma once
// The breeder's diary computed from the books, never stored twice:
//   "Další návštěva"        every next visit of the health card, open until
//                           a visit of that animal is recorded on or after it;
//   "Předpokládaný vrh"     first mating + 63 days of every mating whose
//                           litter is not recorded (no litter date, no litter
//                           of the bitch 56 to 72 days after the mating) and
//                           that is not marked as not covered;
//                           neither of the two for an animal whose record
//                           sheet says it died or left the register;
//   "Předpokládané hárání"  the predicted next season of every bitch the
//                           kennel owns that is alive and not excluded;
//   "Upozornění"            the reminders of schedule.db that still remind.
// Every look-up goes through an index of the store, so the diary of a large
// kennel reads only the rows that can be due.

#include <QDate>
#include <vector>

#include "records/diary/diary_entry.h"

namespace platform {
class Connection;
class Database;
}  // namespace platform

namespace diary {

// Days from the first mating to the expected litter, and the days after the
// mating within which a recorded litter of the bitch is taken as this one's.
inline constexpr int kGestationDays = 63;
inline constexpr int kLitterWindowFirstDay = 56;
inline constexpr int kLitterWindowLastDay = 72;

// The entries of the span, sorted; an open entry dated before `today` is
// overdue and always included. Throws StoreError when the store fails.
std::vector<DiaryEntry> ReadDiary(platform::Database& database, const DiarySpan& span,
                                  const QDate& today);
// The same on a reading connection of the kennel's file of its own.
std::vector<DiaryEntry> ReadDiary(platform::Connection& connection, const DiarySpan& span,
                                  const QDate& today);

}  // namespace diary
