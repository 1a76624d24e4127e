#pragma once
// One page's worth of everything the canvas can draw, for comparing the ways
// of getting it onto an image (directly, replayed, through EMF).

#include "platform/paint/canvas.h"
#include "platform/paint/hatch_patterns.h"

namespace paint_test {

inline QImage Checkerboard() {
    QImage image(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            image.setPixel(x, y, (x + y) % 2 ? qRgb(200, 30, 30) : qRgb(30, 30, 200));
        }
    }
    return image;
}

// Drawn on a 400 x 300 canvas at 72 pixels per inch.
inline void DrawScene(platform::Canvas& canvas) {
    using namespace platform;
    canvas.SetPixelsPerInch(72);
    canvas.SetPen(Pen{Qt::blue, PenStyle::Solid, 0});
    canvas.MoveTo(QPoint(5, 5));
    canvas.LineTo(QPoint(395, 5));
    canvas.LineTo(QPoint(395, 295));
    canvas.SetPen(Pen{Qt::black, PenStyle::Solid, 3});
    canvas.SetBrush(Brush{Qt::red, BrushStyle::Solid, {}});
    canvas.Rectangle(QRect(20, 20, 60, 40));
    canvas.SetPen(Pen{Qt::darkGreen, PenStyle::Dash, 0});
    canvas.SetBrush(Brush{Qt::magenta, BrushStyle::Pattern, HatchPattern(Hatch::DiagonalCross)});
    canvas.RoundRect(QRect(100, 20, 80, 40), 16, 16);
    canvas.Ellipse(QRect(200, 20, 60, 40));
    canvas.SetPen(Pen{Qt::black, PenStyle::Solid, 1});
    canvas.SetBrush(Brush{Qt::cyan, BrushStyle::Solid, {}});
    canvas.Polygon(QPolygon({QPoint(280, 60), QPoint(320, 20), QPoint(360, 60)}));
    canvas.SetBrush(Brush{Qt::green, BrushStyle::Solid, {}});
    canvas.FillRect(QRect(20, 80, 50, 20));
    canvas.SetBrush(Brush{Qt::darkRed, BrushStyle::Solid, {}});
    canvas.FrameRect(QRect(80, 80, 50, 20));
    canvas.SetPixel(QPoint(150, 90), Qt::black);

    Font font;
    font.size = 14;
    font.bold = true;
    canvas.SetFont(font);
    canvas.SetBrush(Brush{Qt::yellow, BrushStyle::Solid, {}});
    canvas.TextOut(QPoint(20, 110), QStringLiteral("Žluťoučký kůň"));
    font.bold = false;
    font.italic = true;
    font.underline = true;
    font.color = Qt::darkBlue;
    canvas.SetFont(font);
    canvas.SetTransparentText(true);
    canvas.SetBaselineAlignment(true);
    canvas.ExtTextOut(QPoint(20, 160), QStringLiteral("Úpěl ďábelské ódy"),
                      {12, 9, 9, 6, 5, 9, 9, 9, 8, 5, 8, 8, 9, 5, 9, 9, 9});
    font = Font();
    font.name = QStringLiteral("Times New Roman");
    font.size = 16;
    font.escapement = 450;
    canvas.SetFont(font);
    canvas.TextOut(QPoint(250, 250), QStringLiteral("Šikmo"));
    font.escapement = 0;
    font.name = QStringLiteral("Courier New");
    font.fixedPitch = true;
    font.strikeout = true;
    canvas.SetFont(font);
    canvas.TextOut(QPoint(20, 200), QStringLiteral("Pevná"));
    canvas.SetBaselineAlignment(false);
    canvas.SetTransparentText(false);

    canvas.SetClipRect(QRect(300, 100, 40, 40));
    canvas.SetBrush(Brush{Qt::darkYellow, BrushStyle::Solid, {}});
    canvas.FillRect(QRect(280, 80, 100, 100));
    canvas.ClearClip();
    canvas.StretchBitmap(QRect(150, 200, 40, 40), Checkerboard());
}

}  // namespace paint_test
