#include "records/plain_text_limit.h"

#include <QPlainTextEdit>
#include <QTextCursor>

void LimitPlainText(QPlainTextEdit* edit, int maxLength) {
    if (maxLength <= 0) {
        return;
    }
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, maxLength] {
        const int excess = static_cast<int>(edit->toPlainText().size()) - maxLength;
        if (excess <= 0) {
            return;
        }
        QTextCursor cursor = edit->textCursor();
        const int end = cursor.position();
        // Text set by a program leaves the cursor at the start: the end goes.
        const int start = end >= excess ? end - excess : maxLength;
        cursor.setPosition(start);
        cursor.setPosition(end >= excess ? end : maxLength + excess, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        edit->setTextCursor(cursor);
    });
}
