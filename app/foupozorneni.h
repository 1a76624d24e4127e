#pragma once
// The start-up reminder "Upozornění": what is overdue or due within the next
// days of the setting "Upozornit dní předem", shown before the launcher
// takes input, with "Otevřít diář" (the dialog's result is Accepted) and
// "Zavřít" (Rejected).

#include <QDialog>
#include <memory>
#include <vector>

#include "records/diary/diary_entry.h"

class QTableWidget;
class TDM1;
namespace diary {
class DueReading;
}

class TFoUpozorneni : public QDialog {
    Q_OBJECT
  public:
    TFoUpozorneni(const std::vector<diary::DiaryEntry>& entries, int daysAhead,
                  QWidget* parent = nullptr);

    QTableWidget* GridUpozorneni = nullptr;
};

// Starts reading what the start-up reminder shows (overdue, or due from
// today to `daysAhead` days on) from the database of `dataFolder` (or the
// club's server at that address) beside the rest of the start; nothing when `daysAhead` is 0. A
// database that cannot be read yet (a first start) shows no reminder.
std::unique_ptr<diary::DueReading> StartDueCheck(const QString& dataFolder, int daysAhead);

// The start-up check: waits for the reading, shows the reminder when
// anything is due and answers whether the breeder asked for the diary. A
// store that fails is left for the diary to report.
bool ShowDueAtStart(diary::DueReading* reading, int daysAhead, QWidget* parent = nullptr);
bool ShowDueAtStart(TDM1& dm, int daysAhead, QWidget* parent = nullptr);
