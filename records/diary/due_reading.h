#pragma once
// What the start-up reminder shows, read on a thread and a connection of its
// own. The program starts it as soon as the data folder is open, so the
// reading runs beside the building of the windows, and waits for it only
// when the launcher is shown. The connection reads through a memory mapping
// of the file: at start the page cache is empty, and copying every page of
// the health card into it costs more than the reading itself.

#include <QDate>
#include <QString>
#include <future>
#include <vector>

#include "records/diary/diary_entry.h"

namespace diary {

class DueReading {
  public:
    // Starts reading what is overdue or due from `today` to `daysAhead` days
    // on from the database file, or from a club's server by its address (on
    // a connection of its own, in one snapshot).
    DueReading(const QString& database, int daysAhead, const QDate& today);
    ~DueReading();  // waits for the reading to end
    DueReading(const DueReading&) = delete;
    DueReading& operator=(const DueReading&) = delete;

    // Waits for the entries; throws the StoreError the reading met. Answers
    // once: a second call throws std::future_error.
    std::vector<DiaryEntry> Entries();

  private:
    std::future<std::vector<DiaryEntry>> entries_;
};

}  // namespace diary
