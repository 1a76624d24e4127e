#pragma once
// Fonts of the canvas resolved to real faces. Font names go through
// fontconfig, so Arial, Times New Roman and Courier New come out as the
// metric-compatible Liberation faces. Sizes are fractional pixel sizes (the em
// height in device units), and advances are the faces' design advances, so the
// same text measures the same on every device.

#include <QRawFont>
#include <QString>
#include <QVector>

#include "platform/paint/canvas.h"

namespace platform {

// The face of `font` (name, bold, italic, fixed pitch) at `pixelSize`.
// Cached: text drawing and measuring ask for the same few faces all the time.
QRawFont FaceFor(const Font& font, double pixelSize);

// Em height in device units of a font of `points` at `pixelsPerInch`.
inline double FontPixelSize(double points, int pixelsPerInch) {
    return points * pixelsPerInch / 72.0;
}

// The glyphs of `text` in `face`, one entry per code point, with the index of
// the code point's first UTF-16 unit and its design advance.
struct GlyphString {
    QVector<quint32> glyphs;
    QVector<int> firstUnit;
    QVector<double> advances;
    bool missingGlyphs = false;  // a printable character the face has no glyph for
};
GlyphString GlyphsFor(const QRawFont& face, const QString& text);

// Sum of the design advances of `text` in `face`.
double NaturalWidth(const QRawFont& face, const QString& text);

// Integer cell metrics as a GDI text metric gives them.
inline int CellAscent(const QRawFont& face) {
    return qRound(face.ascent());
}
inline int CellDescent(const QRawFont& face) {
    return qRound(face.descent());
}

}  // namespace platform
