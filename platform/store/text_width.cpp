#include "platform/store/text_width.h"

namespace platform {

bool IsTooLongFor(const ColumnSchema& column, const QString& text) {
    return column.type == ColumnType::Text && column.width > 0 && text.size() > column.width;
}

QString TooLongText(const ColumnSchema& column, const QString& text) {
    return QStringLiteral("text má %1 znaků, sloupec jich pojme %2")
        .arg(text.size())
        .arg(column.width);
}

}  // namespace platform
