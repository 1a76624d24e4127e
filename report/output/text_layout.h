#pragma once
// Text layout of report elements: plain text or RTF broken into lines that fit
// an element's width.

#include <QRect>
#include <QString>

#include "platform/paint/canvas.h"
#include "report/output/text_lines.h"

class TLumexCanvas;

// The layout rectangle of an element width x height hundredths of an inch.
inline QRect LayoutRect(int width, int height) {
    return QRect(0, 0, 72 * width, 72 * height);
}

// Lays `text` out into `lines` (appending). `rect` is in layout units
// (LayoutRect); `canvas` measures and should have a font resolution of 100.
// `lineHeight` (hundredths of an inch, 0 = natural) fixes every line's height;
// `charSpacing` (hundredths of an inch, 0 = proportional) puts characters on a
// fixed grid; `alignment` 0 left, 1 right, 2 centre, 3 justified; `rtf` reads
// the text as RTF. Without `wrap` only the first line is kept. An RTF error
// ends the reading; the lines laid out so far stay.
void LayoutText(TLumexCanvas& canvas, const QRect& rect, const QString& text, TRadky& lines,
                bool wrap, double lineHeight, double charSpacing, int alignment,
                const platform::Font& font, bool rtf);
