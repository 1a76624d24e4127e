#pragma once
// The text the designer puts on the clipboard: the line "LumexEditor", the
// focused element's left and top, the index of its line among the element
// lines (or -1), then one element record per copied element with the
// section code "X". Another designer window, or another running program,
// pastes it back.

#include <QString>
#include <QStringList>

struct TDesignerClipboard {
    int left = 0;
    int top = 0;
    int focusedLine = -1;
    QStringList elements;  // element records starting with "X,"
};

// The clipboard text, lines separated by CR LF.
QString FormatDesignerClipboard(const TDesignerClipboard& clip);
// Whether the text is a designer clipboard (at least four lines, the first
// "LumexEditor"); fills `clip` when it is.
bool ParseDesignerClipboard(const QString& text, TDesignerClipboard& clip);

// The system clipboard's text, and putting text on it.
QString ReadClipboardText();
void WriteClipboardText(const QString& text);
