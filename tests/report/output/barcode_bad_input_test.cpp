// Texts a symbology cannot carry, empty and very long texts, odd module
// widths, angles and rectangles: the painter draws what it can and never
// fails.

#include <gtest/gtest.h>

#include <QImage>

#include <climits>

#include "platform/paint/qpainter_canvas.h"
#include "report/output/sestbarc.h"
#include "tests/report/output/barcode_recording_canvas.h"

using barcode_test::RecordedPolygon;
using barcode_test::RecordingCanvas;

namespace {

// High enough for the text area of an EAN at the widest module.
const QRect kRect(50, 60, 800, 2000);

QString LongMixedText() {
    const QString piece = QString::fromUtf8("Ab9-$ž\x01{€");
    QString text;
    while (text.size() < 10000) {
        text += piece;
    }
    return text.left(10000);
}

// Every point stays far inside the integer range.
void ExpectSaneCoordinates(const RecordingCanvas& canvas) {
    for (const RecordedPolygon& p : canvas.polygons) {
        for (const QPoint& q : p.points) {
            ASSERT_LT(std::abs(static_cast<long long>(q.x())), 1LL << 26);
            ASSERT_LT(std::abs(static_cast<long long>(q.y())), 1LL << 26);
        }
    }
}

}  // namespace

TEST(BarcodeBadInput, EveryTypeSurvivesHostileTexts) {
    const QStringList texts = {QString(),
                               QStringLiteral("   "),
                               QString::fromUtf8("Žluťoučký kůň úpěl ďábelské ódy"),
                               QString::fromUtf8("\x01\x02\x7f\t\r\n"),
                               QString(QChar(0)) + "12" + QChar(0),
                               QString::fromUtf8("😀12😀"),
                               QString(QChar(0xD800)) + "9"};  // a lone surrogate
    for (int type = 0; type < kBarcodeTypeCount; ++type) {
        for (const QString& text : texts) {
            for (int module : {0, -1, 1, 128, 129, INT_MAX, INT_MIN}) {
                RecordingCanvas canvas;
                DrawBarcode(canvas, kRect, type, text, true, true, true, 0, module);
                // The framing is always there; characters that do not fit are
                // skipped or replaced, never a reason for a blank barcode.
                EXPECT_FALSE(canvas.polygons.empty()) << type;
                EXPECT_EQ(canvas.polygons.size(), EncodeBarcode(type, text, true).pattern.size());
                ExpectSaneCoordinates(canvas);
            }
        }
    }
}

TEST(BarcodeBadInput, TenThousandCharacters) {
    const QString mixed = LongMixedText();
    const QString digits = QString(10000, QChar('7'));
    for (int type = 0; type < kBarcodeTypeCount; ++type) {
        for (const QString& text : {mixed, digits}) {
            // The widest module: the longest symbols, turned.
            RecordingCanvas canvas;
            DrawBarcode(canvas, kRect, type, text, false, true, true, 90, 128);
            EXPECT_FALSE(canvas.polygons.empty()) << type;
            ExpectSaneCoordinates(canvas);
        }
    }
    // Code 128B keeps every character: start, 10,000 symbols, check, stop.
    const TBarcodeSymbol symbol = EncodeBarcode(btCode128B, mixed, false);
    EXPECT_EQ(symbol.pattern.size(), 6u * 10002 + 7);
    RecordingCanvas canvas;
    DrawBarcode(canvas, kRect, btCode128B, mixed, false, false, false, 0, 8);
    EXPECT_EQ(canvas.polygons.size(), symbol.pattern.size());
}

TEST(BarcodeBadInput, FarOffElementsAreNotDrawn) {
    // 10,000 lower-case letters in Code 39 Full at the widest module run
    // millions of units past any page: drawing stops short, partly drawn.
    const QString text(10000, QChar('x'));
    RecordingCanvas canvas;
    DrawBarcode(canvas, kRect, btCode39Full, text, false, false, false, 0, 128);
    const size_t patternSize = EncodeBarcode(btCode39Full, text, false).pattern.size();
    EXPECT_GT(canvas.polygons.size(), 1000u);
    EXPECT_LT(canvas.polygons.size(), patternSize);
    ExpectSaneCoordinates(canvas);
}

TEST(BarcodeBadInput, DegenerateRectanglesAndAngles) {
    for (const QRect& rect : {QRect(10, 10, 500, 0), QRect(10, 10, 500, -40), QRect(0, 0, 0, 0)}) {
        RecordingCanvas canvas;
        DrawBarcode(canvas, rect, btCode128B, "abc", false, false, false, 0, 8);
        EXPECT_TRUE(canvas.polygons.empty());
    }
    // An EAN whose rectangle is lower than its text area draws the bars it can.
    RecordingCanvas low;
    DrawBarcode(low, QRect(0, 0, 800, 60), btEan13, "123", false, true, false, 0, 8);
    EXPECT_TRUE(low.Bars().empty() || low.Bars().size() < 30u);
    for (int angle : {INT_MAX, INT_MIN, 360, 720, -45, 3600}) {
        RecordingCanvas canvas;
        DrawBarcode(canvas, kRect, btEan13, "123", false, true, true, angle, 8);
        EXPECT_FALSE(canvas.polygons.empty()) << angle;
        ExpectSaneCoordinates(canvas);
    }
    // Whole turns draw exactly as angle 0.
    RecordingCanvas flat, turned;
    DrawBarcode(flat, kRect, btCode93, "ABC", false, false, false, 0, 8);
    DrawBarcode(turned, kRect, btCode93, "ABC", false, false, false, 720, 8);
    ASSERT_EQ(flat.polygons.size(), turned.polygons.size());
    for (size_t i = 0; i < flat.polygons.size(); ++i) {
        EXPECT_EQ(flat.polygons[i].points, turned.polygons[i].points);
    }
}

TEST(BarcodeBadInput, RealCanvasWithHugeInput) {
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::QPainterCanvas canvas(&image);
        canvas.SetPixelsPerInch(100);
        const QString text = LongMixedText();
        for (int type = 0; type < kBarcodeTypeCount; ++type) {
            DrawBarcode(canvas, QRect(10, 10, 580, 280), type, text, true, true, true, type * 17,
                        type % 2 == 0 ? 1 : 128);
        }
    }
    // Something black was drawn.
    bool anyBlack = false;
    for (int y = 0; y < image.height() && !anyBlack; ++y) {
        for (int x = 0; x < image.width() && !anyBlack; ++x) {
            anyBlack = image.pixelColor(x, y) == QColor(Qt::black);
        }
    }
    EXPECT_TRUE(anyBlack);
}
