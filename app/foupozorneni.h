#pragma once
// The start-up reminder "Upozornění": what is overdue or due within the next
// days of the setting "Upozornit dní předem", shown before the launcher
// takes input, with "Otevřít diář" (the dialog's result is Accepted) and
// "Zavřít" (Rejected).

#include <QDialog>
#include <vector>

#include "records/diary/diary_entry.h"

class QTableWidget;
class TDM1;

class TFoUpozorneni : public QDialog {
    Q_OBJECT
  public:
    TFoUpozorneni(const std::vector<diary::DiaryEntry>& entries, int daysAhead,
                  QWidget* parent = nullptr);

    QTableWidget* GridUpozorneni = nullptr;
};

// The start-up check: nothing when `daysAhead` is 0 or nothing is due;
// otherwise shows the reminder and answers whether the breeder asked for
// the diary. A store that fails is left for the diary to report.
bool ShowDueAtStart(TDM1& dm, int daysAhead, QWidget* parent = nullptr);

// The entries the start-up reminder shows: overdue or due from today to
// `daysAhead` days on.
std::vector<diary::DiaryEntry> DueEntries(TDM1& dm, int daysAhead);
