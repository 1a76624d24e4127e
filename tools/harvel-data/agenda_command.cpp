#include "agenda_command.h"

#include "platform/clock.h"
#include "platform/store/database.h"
#include "records/diary/agenda_lines.h"
#include "records/diary/diary_book.h"

namespace harvel_data {

void AgendaCommand(const QStringList& arguments, QTextStream& out) {
    const QDate today = platform::Today();
    const diary::DiarySpan span = diary::ParseAgendaSpan(arguments.mid(1), today);
    platform::Database database(arguments.value(0), platform::OpenMode::ReadOnly);
    for (const diary::DiaryEntry& entry : diary::ReadDiary(database, span, today)) {
        out << diary::AgendaLine(entry) << '\n';
    }
}

}  // namespace harvel_data
