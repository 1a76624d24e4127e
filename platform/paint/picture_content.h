#pragma once
// What a vector picture holds: its logical size and the recorded canvas
// operations in order, with the pens, brushes, fonts, texts, polygons and
// bitmaps they refer to kept in side tables. The metafile writers walk it.

#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QVector>

#include "platform/paint/canvas.h"

namespace platform {

enum class PictureOpKind : quint8 {
    Pen,          // index: pens
    Brush,        // index: brushes
    Font,         // index: fonts
    Baseline,     // a: 1 on, 0 off
    Transparent,  // a: 1 transparent text background, 0 opaque
    MoveTo,       // rect.topLeft()
    LineTo,       // rect.topLeft()
    Rectangle,    // rect
    RoundRect,    // rect, a: corner width, b: corner height
    Ellipse,      // rect
    Polygon,      // index: polygons
    FillRect,     // rect
    FrameRect,    // rect
    Pixel,        // rect.topLeft(), a: the colour as QRgb
    Text,         // rect.topLeft(), index: texts
    Bitmap,       // rect (target), index: bitmaps
    Clip,         // rect
    ClearClip,
};

struct PictureOp {
    PictureOpKind kind;
    int index = -1;
    QRect rect;
    int a = 0;
    int b = 0;
};

struct PictureText {
    QString text;
    QVector<int> advances;  // one per UTF-16 unit when explicit
    bool explicitAdvances = false;
};

// A font as set on the recording canvas, with its em height in picture units
// (its size in points at the canvas's pixels-per-inch when it was set).
struct PictureFont {
    Font font;
    double pixelSize = 0.0;
};

struct PictureContent {
    int width = 0;
    int height = 0;
    int unitsPerInch = 600;  // physical size of a unit, for the metafile headers
    // Em height in units of the default font, in force until the first font
    // operation.
    double initialFontPixels = 10.0 * 600 / 72.0;
    QVector<PictureOp> ops;
    QVector<Pen> pens;
    QVector<Brush> brushes;
    QVector<PictureFont> fonts;
    QVector<QPolygon> polygons;
    QVector<PictureText> texts;
    QVector<QImage> bitmaps;
};

}  // namespace platform
