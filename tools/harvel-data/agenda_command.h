#pragma once
// agenda DIR [--from d.M.yyyy] [--to d.M.yyyy]: the breeder's diary of the
// span (default today to 30 days on, with every overdue entry), one entry a
// line as records/diary/agenda_lines.h writes it, sorted by date, kind and
// name. Reads the data folder read-only.

#include <QStringList>
#include <QTextStream>

namespace harvel_data {

void AgendaCommand(const QStringList& arguments, QTextStream& out);

}  // namespace harvel_data
