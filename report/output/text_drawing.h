#pragma once
// Drawing of laid-out text: the lines of an element with the advances fixed
// at layout time, and a rotated one-line text.

#include <QRect>
#include <QString>

#include "platform/paint/canvas.h"
#include "report/output/text_lines.h"

// Draws lines first..last of `lines` for an element whose rectangle `rect` is
// in hundredths of an inch; canvas x = hundredths * scaleX, y = hundredths *
// scaleY, font sizes are multiplied by scaleY. Each fragment is written with
// explicit advances taken from its layout positions, on a common baseline per
// line, clipped to the element. `font` is the element font the fragments'
// name, size, colour and style replace.
void DrawLines(platform::Canvas& canvas, const QRect& rect, int first, int last,
               const TRadky& lines, double scaleX, double scaleY, const platform::Font& font);

// Draws `text` (at most 256 characters) as one line turned by `angle` degrees
// counter-clockwise, in `rect` given in canvas units: left alignment puts the
// baseline's start at (cx - cos a * w/2, cy + sin a * h/2), right alignment
// its end at (cx + cos a * w/2, cy - sin a * h/2), any other its middle at the
// centre. Advances are measured as in layout (or the fixed grid of
// `charSpacing` hundredths of an inch) and scaled by scaleX; the font size by
// scaleY. Clipped to `rect` shrunk by 1.
void DrawRotated(platform::Canvas& canvas, const QRect& rect, const QString& text, int angle,
                 double charSpacing, double scaleX, double scaleY, int alignment,
                 const platform::Font& font);
