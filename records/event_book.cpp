#include "records/event_book.h"

QString EntryInputName(const QString& column) {
    return QStringLiteral("Edit_") + column;
}

QString EditInputName(const QString& column) {
    return QStringLiteral("DBEdit_") + column;
}
