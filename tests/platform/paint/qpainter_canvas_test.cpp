// The QPainter canvas against GDI's drawing rules, on images.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/paint/hatch_patterns.h"
#include "platform/paint/qpainter_canvas.h"
#include "tests/platform/paint/paint_test_support.h"

using namespace platform;
using namespace paint_test;

namespace {

Pen SolidPen(const QColor& color, int width = 0) {
    return Pen{color, PenStyle::Solid, width};
}
Brush SolidBrush(const QColor& color) {
    return Brush{color, BrushStyle::Solid, {}};
}

Font ArialAt(double points) {
    Font font;
    font.name = QStringLiteral("Arial");
    font.size = points;
    return font;
}

}  // namespace

TEST(QPainterCanvasShapes, RectangleExcludesRightAndBottomEdge) {
    QImage image = WhiteImage(40, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPen(SolidPen(Qt::black));
        canvas.SetBrush(SolidBrush(Qt::red));
        canvas.Rectangle(QRect(QPoint(10, 10), QPoint(19, 19)));  // GDI (10,10,20,20)
    }
    EXPECT_TRUE(IsDark(image, 10, 15));
    EXPECT_TRUE(IsDark(image, 19, 15));
    EXPECT_TRUE(IsDark(image, 15, 10));
    EXPECT_TRUE(IsDark(image, 15, 19));
    EXPECT_TRUE(IsWhite(image, 20, 15));
    EXPECT_TRUE(IsWhite(image, 15, 20));
    EXPECT_TRUE(IsWhite(image, 9, 15));
    EXPECT_EQ(image.pixel(15, 15), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(11, 11), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(18, 18), qRgb(255, 0, 0));
}

TEST(QPainterCanvasShapes, RectangleWithoutPenIsOneUnitSmaller) {
    QImage image = WhiteImage(40, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPen(Pen{Qt::black, PenStyle::None, 0});
        canvas.SetBrush(SolidBrush(Qt::blue));
        canvas.Rectangle(QRect(10, 10, 10, 10));
    }
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(18, 18), qRgb(0, 0, 255));
    EXPECT_TRUE(IsWhite(image, 19, 15));
    EXPECT_TRUE(IsWhite(image, 15, 19));
}

TEST(QPainterCanvasShapes, FillRectCoversExactlyTheRectangle) {
    QImage image = WhiteImage(40, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.SetBrush(SolidBrush(Qt::green));
        canvas.FillRect(QRect(10, 10, 10, 10));
        canvas.SetBrush(Brush{Qt::black, BrushStyle::None, {}});
        canvas.FillRect(QRect(25, 25, 5, 5));  // a hollow brush fills nothing
    }
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(19, 19), qRgb(0, 255, 0));
    EXPECT_TRUE(IsWhite(image, 20, 19));
    EXPECT_TRUE(IsWhite(image, 19, 20));
    EXPECT_TRUE(IsWhite(image, 27, 27));
}

TEST(QPainterCanvasShapes, FrameRectDrawsOneUnitBorderInBrushColour) {
    QImage image = WhiteImage(40, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.SetBrush(SolidBrush(Qt::red));
        canvas.FrameRect(QRect(5, 5, 20, 10));
    }
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(24, 14), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(24, 8), qRgb(255, 0, 0));
    EXPECT_TRUE(IsWhite(image, 10, 10));
    EXPECT_TRUE(IsWhite(image, 25, 10));
}

TEST(QPainterCanvasShapes, LineLeavesOutItsLastPoint) {
    QImage image = WhiteImage(40, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.MoveTo(QPoint(10, 5));
        canvas.LineTo(QPoint(20, 5));
        canvas.LineTo(QPoint(20, 15));
    }
    EXPECT_TRUE(IsDark(image, 10, 5));
    EXPECT_TRUE(IsDark(image, 19, 5));
    EXPECT_TRUE(IsDark(image, 20, 5));  // start of the second line
    EXPECT_TRUE(IsDark(image, 20, 14));
    EXPECT_TRUE(IsWhite(image, 20, 15));
    EXPECT_TRUE(IsWhite(image, 9, 5));
    EXPECT_TRUE(IsWhite(image, 10, 4));
    EXPECT_TRUE(IsWhite(image, 10, 6));
}

TEST(QPainterCanvasShapes, WidePenIsAsWideAsItsWidth) {
    QImage image = WhiteImage(60, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPen(SolidPen(Qt::black, 5));
        canvas.MoveTo(QPoint(10, 20));
        canvas.LineTo(QPoint(50, 20));
    }
    int thickness = 0;
    for (int y = 0; y < 40; ++y) {
        thickness += IsDark(image, 30, y) ? 1 : 0;
    }
    EXPECT_EQ(thickness, 5);
}

TEST(QPainterCanvasShapes, DashedThinPenLeavesGaps) {
    QImage image = WhiteImage(60, 10);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPen(Pen{Qt::black, PenStyle::Dash, 0});
        canvas.MoveTo(QPoint(0, 5));
        canvas.LineTo(QPoint(60, 5));
    }
    EXPECT_TRUE(IsDark(image, 0, 5));
    EXPECT_TRUE(IsDark(image, 17, 5));
    EXPECT_TRUE(IsWhite(image, 18, 5));
    EXPECT_TRUE(IsWhite(image, 23, 5));
    EXPECT_TRUE(IsDark(image, 24, 5));
}

TEST(QPainterCanvasShapes, EllipseStaysInsideItsBox) {
    QImage image = WhiteImage(40, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.SetBrush(SolidBrush(Qt::black));
        canvas.Ellipse(QRect(0, 0, 21, 21));
    }
    EXPECT_TRUE(IsDark(image, 10, 10));
    EXPECT_TRUE(IsDark(image, 0, 10));
    EXPECT_TRUE(IsDark(image, 20, 10));
    EXPECT_TRUE(IsWhite(image, 21, 10));
    EXPECT_TRUE(IsWhite(image, 1, 1));
    EXPECT_TRUE(IsWhite(image, 19, 19));
}

TEST(QPainterCanvasShapes, RoundRectRoundsOnlyTheCorners) {
    QImage image = WhiteImage(60, 60);
    {
        QPainterCanvas canvas(&image);
        canvas.SetBrush(SolidBrush(Qt::black));
        canvas.RoundRect(QRect(0, 0, 50, 50), 20, 20);
    }
    EXPECT_TRUE(IsWhite(image, 1, 1));
    EXPECT_TRUE(IsDark(image, 25, 0));
    EXPECT_TRUE(IsDark(image, 0, 25));
    EXPECT_TRUE(IsDark(image, 49, 25));
    EXPECT_TRUE(IsWhite(image, 50, 25));
}

TEST(QPainterCanvasShapes, PolygonIsOutlinedAndFilled) {
    QImage image = WhiteImage(40, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPen(SolidPen(Qt::black));
        canvas.SetBrush(SolidBrush(Qt::red));
        canvas.Polygon(QPolygon({QPoint(5, 5), QPoint(35, 5), QPoint(5, 35)}));
    }
    EXPECT_TRUE(IsDark(image, 5, 20));
    EXPECT_TRUE(IsDark(image, 20, 5));
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_TRUE(IsWhite(image, 30, 30));
}

TEST(QPainterCanvasShapes, PatternBrushPaintsOnlyItsSetPixels) {
    QImage image = WhiteImage(32, 32);
    {
        QPainterCanvas canvas(&image);
        canvas.SetBrush(Brush{Qt::blue, BrushStyle::Pattern, HatchPattern(Hatch::Horizontal)});
        canvas.FillRect(QRect(0, 0, 32, 32));
    }
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(3, 8), qRgb(0, 0, 255));
    EXPECT_TRUE(IsWhite(image, 3, 1));
    EXPECT_TRUE(IsWhite(image, 3, 7));
}

TEST(QPainterCanvasShapes, SetPixelAndClipping) {
    QImage image = WhiteImage(40, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPixel(QPoint(3, 4), Qt::red);
        canvas.SetClipRect(QRect(10, 10, 5, 5));
        EXPECT_EQ(canvas.GetClipRect(), QRect(10, 10, 5, 5));
        canvas.SetBrush(SolidBrush(Qt::black));
        canvas.FillRect(QRect(0, 0, 40, 40));
        canvas.ClearClip();
        EXPECT_FALSE(canvas.GetClipRect().has_value());
        canvas.FillRect(QRect(30, 30, 5, 5));
    }
    EXPECT_EQ(image.pixel(3, 4), qRgb(255, 0, 0));
    EXPECT_TRUE(IsDark(image, 10, 10));
    EXPECT_TRUE(IsDark(image, 14, 14));
    EXPECT_TRUE(IsWhite(image, 15, 15));
    EXPECT_TRUE(IsWhite(image, 9, 12));
    EXPECT_TRUE(IsDark(image, 32, 32));
}

TEST(QPainterCanvasShapes, StretchBitmapUsesNearestPixels) {
    QImage bitmap(2, 2, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(255, 0, 0));
    bitmap.setPixel(1, 0, qRgb(0, 255, 0));
    bitmap.setPixel(0, 1, qRgb(0, 0, 255));
    bitmap.setPixel(1, 1, qRgb(0, 0, 0));
    QImage image = WhiteImage(40, 40);
    {
        QPainterCanvas canvas(&image);
        canvas.StretchBitmap(QRect(10, 10, 20, 20), bitmap);
    }
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(19, 19), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(20, 10), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(10, 20), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(29, 29), qRgb(0, 0, 0));
    EXPECT_TRUE(IsWhite(image, 30, 30));
}

// Text tests depend on the Liberation fonts standing in for Arial.
TEST(QPainterCanvasText, FontSizeFollowsCanvasResolutionNotTheDevice) {
    QImage fine = WhiteImage(10, 10);
    fine.setDotsPerMeterX(23622);  // 600 dpi
    fine.setDotsPerMeterY(23622);
    QImage coarse = WhiteImage(10, 10);
    QPainterCanvas fineCanvas(&fine);
    QPainterCanvas coarseCanvas(&coarse);
    fineCanvas.SetPixelsPerInch(100);
    coarseCanvas.SetPixelsPerInch(100);
    fineCanvas.SetFont(ArialAt(72));  // 100 pixels em
    coarseCanvas.SetFont(ArialAt(72));
    EXPECT_EQ(fineCanvas.TextWidth(QStringLiteral("C")), 72);  // Arial's C is 0.722 em
    EXPECT_EQ(coarseCanvas.TextWidth(QStringLiteral("C")), 72);
    EXPECT_EQ(fineCanvas.TextHeight(QStringLiteral("C")), coarseCanvas.TextHeight("C"));
    EXPECT_NEAR(fineCanvas.TextHeight(QStringLiteral("C")), 112, 1);  // ascent + descent
}

TEST(QPainterCanvasText, TopAlignedTextLiesBelowItsPoint) {
    QImage image = WhiteImage(300, 100);
    int width = 0;
    int height = 0;
    {
        QPainterCanvas canvas(&image);
        canvas.SetPixelsPerInch(72);
        canvas.SetFont(ArialAt(40));
        canvas.SetTransparentText(true);
        canvas.TextOut(QPoint(10, 20), QStringLiteral("Žluťoučký"));
        width = canvas.TextWidth(QStringLiteral("Žluťoučký"));
        height = canvas.TextHeight(QStringLiteral("Žluťoučký"));
    }
    const QRect ink = InkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 14);
    EXPECT_GE(ink.top(), 20);
    EXPECT_LE(ink.right(), 10 + width);
    EXPECT_GE(ink.right(), 10 + width - 6);
    EXPECT_LE(ink.bottom(), 20 + height);
}

TEST(QPainterCanvasText, BaselineAlignedTextSitsOnItsPoint) {
    QImage image = WhiteImage(300, 100);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPixelsPerInch(72);
        canvas.SetFont(ArialAt(40));
        canvas.SetTransparentText(true);
        canvas.SetBaselineAlignment(true);
        canvas.TextOut(QPoint(10, 60), QStringLiteral("HEH"));  // no descenders
    }
    const QRect ink = InkBox(image);
    EXPECT_NEAR(ink.bottom(), 59, 1);
    EXPECT_NEAR(ink.top(), 60 - 29, 2);  // cap height of Arial is 0.716 em
}

TEST(QPainterCanvasText, ExtTextOutPlacesEachGlyphAtItsAdvance) {
    QImage image = WhiteImage(300, 80);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPixelsPerInch(72);
        canvas.SetFont(ArialAt(40));
        canvas.SetTransparentText(true);
        canvas.ExtTextOut(QPoint(10, 10), QStringLiteral("lll"), {100, 50, 10});
    }
    // An "l" is a stem about 4 pixels wide near the start of its cell.
    EXPECT_GT(InkInColumns(image, 10, 20), 0);
    EXPECT_EQ(InkInColumns(image, 21, 108), 0);
    EXPECT_GT(InkInColumns(image, 110, 120), 0);
    EXPECT_EQ(InkInColumns(image, 121, 158), 0);
    EXPECT_GT(InkInColumns(image, 160, 170), 0);
}

TEST(QPainterCanvasText, EscapementRotatesCounterClockwise) {
    QImage image = WhiteImage(200, 300);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPixelsPerInch(72);
        Font font = ArialAt(30);
        font.escapement = 900;
        canvas.SetFont(font);
        canvas.SetTransparentText(true);
        canvas.TextOut(QPoint(50, 250), QStringLiteral("Příliš dlouhý"));
    }
    const QRect ink = InkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.height(), 3 * ink.width());  // runs upwards
    EXPECT_LE(ink.bottom(), 250);
    EXPECT_GE(ink.left(), 50);  // the top of the letters faces left
    EXPECT_LE(ink.right(), 50 + 36);
}

TEST(QPainterCanvasText, OpaqueTextFillsItsCellWithTheBrushColour) {
    QImage opaque = WhiteImage(200, 60);
    QImage transparent = WhiteImage(200, 60);
    for (QImage* image : {&opaque, &transparent}) {
        QPainterCanvas canvas(image);
        canvas.SetPixelsPerInch(72);
        canvas.SetFont(ArialAt(20));
        canvas.SetBrush(SolidBrush(Qt::yellow));
        canvas.SetTransparentText(image == &transparent);
        canvas.TextOut(QPoint(10, 10), QStringLiteral("a b"));
    }
    EXPECT_EQ(opaque.pixel(11, 11), qRgb(255, 255, 0));
    EXPECT_TRUE(IsWhite(transparent, 11, 11));
    EXPECT_TRUE(IsWhite(opaque, 9, 11));
}

TEST(QPainterCanvasText, UnderlineAddsALineBelowTheBaseline) {
    QImage plain = WhiteImage(200, 60);
    QImage underlined = WhiteImage(200, 60);
    for (QImage* image : {&plain, &underlined}) {
        QPainterCanvas canvas(image);
        canvas.SetPixelsPerInch(72);
        Font font = ArialAt(30);
        font.underline = image == &underlined;
        canvas.SetFont(font);
        canvas.SetTransparentText(true);
        canvas.SetBaselineAlignment(true);
        canvas.TextOut(QPoint(10, 40), QStringLiteral("ooo"));
    }
    EXPECT_LE(InkBox(plain).bottom(), 40);
    EXPECT_GE(InkBox(underlined).bottom(), 42);
    EXPECT_EQ(InkBox(underlined).left(), 10);  // the line starts where the text does
}

TEST(QPainterCanvasText, PdfKeepsTextSelectable) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("text.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        QPainterCanvas canvas(&writer);
        canvas.SetPixelsPerInch(600);
        canvas.SetFont(ArialAt(12));
        canvas.TextOut(QPoint(600, 600), QStringLiteral("Kůň úpěl ďábelské ódy"));
        QVector<int> advances;
        for (QChar c : QStringLiteral("Čert")) {
            advances.append(canvas.TextWidth(QString(c)) + 2);  // a little spaced out
        }
        canvas.ExtTextOut(QPoint(600, 900), QStringLiteral("Čert"), advances);
    }
    QProcess process;
    process.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Kůň úpěl ďábelské ódy"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Čert"))) << text.toStdString();
}

// Text above 64 pixels on an image goes through rendered glyph images; it
// must land exactly where the small-text path would put it, scaled.
TEST(QPainterCanvasText, LargeTextOnImagesKeepsItsAdvancesAndColour) {
    QImage image = WhiteImage(700, 200);
    {
        QPainterCanvas canvas(&image);
        canvas.SetPixelsPerInch(600);
        Font font = ArialAt(12);  // 100 pixels em
        font.color = Qt::red;
        canvas.SetFont(font);
        canvas.SetTransparentText(true);
        canvas.SetBaselineAlignment(true);
        canvas.ExtTextOut(QPoint(20, 150), QStringLiteral("lll"), {250, 250, 10});
    }
    const QRect ink = InkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.bottom(), 149, 1);
    EXPECT_NEAR(ink.top(), 150 - 73, 2);  // ascender of "l" is 0.729 em
    EXPECT_GT(InkInColumns(image, 20, 35), 0);
    EXPECT_EQ(InkInColumns(image, 36, 268), 0);
    EXPECT_GT(InkInColumns(image, 270, 285), 0);
    EXPECT_EQ(InkInColumns(image, 286, 518), 0);
    EXPECT_GT(InkInColumns(image, 520, 535), 0);
    const QRgb middle = image.pixel(ink.left() + 4, ink.center().y());
    EXPECT_GT(qRed(middle), 200);
    EXPECT_LT(qGreen(middle), 60);
}

// A text that runs over its clip is cut there; the texts after it that fit
// their own clips are drawn whole, and the caller's clip on the painter still
// holds for everything.
TEST(QPainterCanvasText, TextsAfterOneCutAtItsClipAreWholeAndInsideTheCallersClip) {
    QImage image = WhiteImage(300, 100);
    {
        QPainter painter(&image);
        painter.setClipRect(QRect(0, 0, 200, 100));
        QPainterCanvas canvas(&painter);
        canvas.SetPixelsPerInch(72);
        canvas.SetFont(ArialAt(20));
        canvas.SetTransparentText(true);
        canvas.SetBaselineAlignment(true);
        canvas.SetClipRect(QRect(10, 10, 40, 40));
        canvas.TextOut(QPoint(10, 40), QStringLiteral("HHHHHHHH"));  // runs over x = 50
        canvas.SetClipRect(QRect(100, 10, 90, 40));
        canvas.TextOut(QPoint(105, 40), QStringLiteral("HH"));  // fits
        canvas.SetClipRect(QRect(100, 55, 90, 40));
        canvas.TextOut(QPoint(105, 85), QStringLiteral("HH"));  // fits
        canvas.ClearClip();
        canvas.TextOut(QPoint(180, 85), QStringLiteral("HHHH"));  // runs over the caller's x = 200
    }
    EXPECT_GT(InkInColumns(image, 10, 49), 0);
    EXPECT_EQ(InkInColumns(image, 50, 99), 0);
    const int wholeHH = InkInColumns(image.copy(100, 0, 60, 50), 0, 59);
    EXPECT_GT(wholeHH, 0);
    EXPECT_EQ(InkInColumns(image.copy(100, 50, 60, 50), 0, 59), wholeHH);
    EXPECT_GT(InkInColumns(image, 180, 199), 0);
    EXPECT_EQ(InkInColumns(image, 200, 299), 0);
}
