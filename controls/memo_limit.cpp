#include "controls/memo_limit.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <memory>

namespace {

struct LimitState {
    int length = 0;
    bool trimming = false;
};

}  // namespace

void LimitMemoLength(QPlainTextEdit* memo, int maxLength) {
    auto state = std::make_shared<LimitState>();
    state->length = memo->document()->characterCount() - 1;
    QTextDocument* document = memo->document();
    QObject::connect(document, &QTextDocument::contentsChange, memo,
                     [memo, document, maxLength, state](int position, int /*removed*/, int added) {
                         if (state->trimming) {
                             return;
                         }
                         const int before = state->length;
                         const int now = document->characterCount() - 1;
                         state->length = now;
                         // Replacing the whole document (a record being shown) reports the
                         // whole new text, closing paragraph mark included, as added.
                         const bool wholeText = position == 0 && added == now + 1;
                         const int limit = std::max(maxLength, before);
                         if (wholeText || added <= 0 || now <= limit) {
                             return;
                         }
                         const int excess = std::min(added, now - limit);
                         state->trimming = true;
                         QTextCursor cursor(document);
                         cursor.setPosition(position + added - excess);
                         cursor.setPosition(position + added, QTextCursor::KeepAnchor);
                         cursor.removeSelectedText();
                         state->trimming = false;
                         state->length = document->characterCount() - 1;
                         QTextCursor caret = memo->textCursor();
                         caret.setPosition(position + added - excess);
                         memo->setTextCursor(caret);
                     });
}
