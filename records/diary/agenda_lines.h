#pragma once
// The diary as text lines, one entry a line, tab-separated: the date
// (d.M.yyyy), the kind, the registered name (empty for own reminders), the
// text, and "po termínu" in a fifth column where it applies. A tab or a line
// break inside a value would split it, so a tab becomes a blank and a line
// break a literal \n.

#include <QString>
#include <QStringList>

#include "records/diary/diary_entry.h"

namespace diary {

QString AgendaLine(const DiaryEntry& entry);

// The span of `agenda [--from d.M.yyyy] [--to d.M.yyyy]`; the default is
// today to 30 days on. Throws StoreError naming a bad option or date.
DiarySpan ParseAgendaSpan(const QStringList& options, const QDate& today);

}  // namespace diary
