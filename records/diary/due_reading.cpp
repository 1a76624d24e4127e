#include "records/diary/due_reading.h"

#include "platform/store/sqlite_handle.h"
#include "records/diary/diary_book.h"

namespace diary {

DueReading::DueReading(const QString& databaseFile, int daysAhead, const QDate& today)
    : entries_(std::async(std::launch::async, [databaseFile, daysAhead, today] {
          const std::unique_ptr<platform::Connection> connection =
              platform::Connection::OpenForReading(databaseFile);
          connection->MapFileForReading();
          return ReadDiary(*connection, {today, today.addDays(daysAhead)}, today);
      })) {}

DueReading::~DueReading() {
    if (entries_.valid()) {
        entries_.wait();
    }
}

std::vector<DiaryEntry> DueReading::Entries() {
    return entries_.get();
}

}  // namespace diary
