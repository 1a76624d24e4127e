#include "records/diary/due_reading.h"

#include "platform/store/database.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/sqlite_handle.h"
#include "records/diary/diary_book.h"

namespace diary {

namespace {

std::vector<DiaryEntry> ReadDue(const QString& database, const DiarySpan& span,
                                const QDate& today) {
    if (platform::IsServerAddress(database)) {
        platform::Database server(database, platform::OpenMode::ReadOnly);
        return ReadDiary(server, span, today);
    }
    const std::unique_ptr<platform::Connection> connection =
        platform::Connection::OpenForReading(database);
    connection->MapFileForReading();
    return ReadDiary(*connection, span, today);
}

}  // namespace

DueReading::DueReading(const QString& database, int daysAhead, const QDate& today)
    : entries_(std::async(std::launch::async, [database, daysAhead, today] {
          return ReadDue(database, {today, today.addDays(daysAhead)}, today);
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
