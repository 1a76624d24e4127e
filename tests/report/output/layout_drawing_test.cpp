// Drawing of laid-out text: the advances, positions and fonts handed to the
// canvas, the rotated line, and Czech text painted into an image through the
// QPainter canvas. Measured and drawn with the real Liberation fonts that
// stand in for Arial (fonts-liberation2).
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <cmath>

#include "platform/paint/qpainter_canvas.h"
#include "report/output/lumex_canvas.h"
#include "report/output/text_drawing.h"
#include "report/output/text_layout.h"
#include "tests/report/output/text_recording_canvas.h"

namespace {

platform::Font Arial10() {
    platform::Font font;
    font.name = "Arial";
    font.size = 10;
    return font;
}

TRadky Lay(const QString& text, int width, int height, int alignment = 0, bool rtf = false) {
    TLumexCanvas canvas(100);
    TRadky lines;
    LayoutText(canvas, LayoutRect(width, height), text, lines, true, 0, 0, alignment, Arial10(),
               rtf);
    return lines;
}

bool IsInk(QRgb pixel) {
    return qGray(pixel) < 128;
}

// Bounding box of the dark pixels of `image` inside `area`.
QRect InkBox(const QImage& image, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (IsInk(image.pixel(x, y))) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

}  // namespace

TEST(LayoutDrawing, AdvancesPositionsAndBaselineAtPageScale) {
    const TRadky lines = Lay("AB\nC", 100, 50);
    TextRecordingCanvas canvas;
    DrawLines(canvas, QRect(10, 20, 100, 50), 0, 1, lines, 6, 6, Arial10());
    ASSERT_EQ(canvas.texts.size(), 2u);
    const RecordedText& first = canvas.texts[0];
    EXPECT_EQ(first.text, "AB");
    // Positions 0, 667, 1334 become (nint(x * 6) + 72) / 72 = 1, 56, 112.
    EXPECT_EQ(first.advances, QVector<int>({55, 56}));
    // Left 10 * 6 plus (0 + offset 72 + 72) / 72 * 6.
    EXPECT_EQ(first.point.x(), 60 + 12);
    // Baseline: the line's bottom (1117) less the descent (212), at scale 6.
    EXPECT_EQ(first.point.y(), 120 + int(std::lrint((1117 - 212) / 72.0 * 6)));
    EXPECT_EQ(canvas.texts[1].point.y(), 120 + int(std::lrint((2 * 1117 - 212) / 72.0 * 6)));
    EXPECT_EQ(first.font.size, 60);
    EXPECT_EQ(first.font.name, "Arial");
    EXPECT_TRUE(first.baseline);
    EXPECT_TRUE(first.transparent);
    EXPECT_EQ(first.clip, QRect(60, 120, 600, 300));
    EXPECT_FALSE(canvas.baseline) << "restored afterwards";
    EXPECT_FALSE(canvas.transparent);
    EXPECT_TRUE(canvas.clip.isNull());
}

TEST(LayoutDrawing, TextModesAndClipAreRestored) {
    const TRadky lines = Lay("AB", 100, 50);
    TextRecordingCanvas canvas;
    canvas.baseline = true;
    canvas.clip = QRect(1, 2, 3, 4);
    DrawLines(canvas, QRect(10, 20, 100, 50), 0, 0, lines, 6, 6, Arial10());
    DrawRotated(canvas, QRect(0, 0, 100, 100), "AB", 30, 0, 6, 6, 0, Arial10());
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_TRUE(canvas.baseline);
    EXPECT_FALSE(canvas.transparent);
    EXPECT_EQ(canvas.clip, QRect(1, 2, 3, 4));
}

TEST(LayoutDrawing, OnlyTheRequestedLinesAreDrawnFromTheTop) {
    const TRadky lines = Lay("one\ntwo\nthree", 100, 50);
    TextRecordingCanvas canvas;
    DrawLines(canvas, QRect(0, 0, 100, 50), 1, 5, lines, 1, 1, Arial10());
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(canvas.texts[0].text, "two");
    EXPECT_EQ(canvas.texts[0].point.y(), int(std::lrint((1117 - 212) / 72.0)));
    canvas.texts.clear();
    DrawLines(canvas, QRect(0, 0, 100, 50), 2, 1, lines, 1, 1, Arial10());
    EXPECT_TRUE(canvas.texts.empty());
}

TEST(LayoutDrawing, FragmentsKeepTheirFontsAndColours) {
    const TRadky lines =
        Lay(R"({\rtf1{\colortbl;\red200\green0\blue0;}A{\b\cf1 B}{\i\fs40 C}})", 200, 50, 0, true);
    TextRecordingCanvas canvas;
    DrawLines(canvas, QRect(0, 0, 200, 50), 0, 0, lines, 6, 6, Arial10());
    ASSERT_EQ(canvas.texts.size(), 3u);
    EXPECT_TRUE(canvas.texts[1].font.bold);
    EXPECT_EQ(canvas.texts[1].font.color, QColor(200, 0, 0));
    EXPECT_TRUE(canvas.texts[2].font.italic);
    EXPECT_EQ(canvas.texts[2].font.size, 120);
    // One baseline for the whole line, below the larger font's ascent.
    EXPECT_EQ(canvas.texts[0].point.y(), canvas.texts[2].point.y());
    EXPECT_EQ(canvas.texts[1].point.x() - canvas.texts[0].point.x(), 68 - 12);
}

TEST(LayoutDrawing, RotatedTextAnchors) {
    TextRecordingCanvas canvas;
    const QRect rect(100, 100, 200, 400);  // centre (200, 300)
    DrawRotated(canvas, rect, "AB", 90, 0, 6, 6, 0, Arial10());
    ASSERT_EQ(canvas.texts.size(), 1u);
    const RecordedText& left = canvas.texts[0];
    EXPECT_EQ(left.font.escapement, 900);
    EXPECT_EQ(left.font.size, 60);
    // Advances: nint(667 * 6 / 72 + 0.5) = 56.
    EXPECT_EQ(left.advances, QVector<int>({56, 56}));
    EXPECT_EQ(left.point, QPoint(200, 500)) << "baseline start at the bottom centre";
    EXPECT_EQ(left.clip, rect.adjusted(1, 1, -1, -1));

    canvas.texts.clear();
    DrawRotated(canvas, rect, "AB", 90, 0, 6, 6, 1, Arial10());
    EXPECT_EQ(canvas.texts[0].point, QPoint(200, 100 + 112)) << "ends at the top centre";
    canvas.texts.clear();
    DrawRotated(canvas, rect, "AB", 0, 0, 6, 6, 2, Arial10());
    EXPECT_EQ(canvas.texts[0].point, QPoint(200 - 56, 300));
    canvas.texts.clear();
    DrawRotated(canvas, rect, QString(300, 'x'), 45, 10, 1, 1, 0, Arial10());
    EXPECT_EQ(canvas.texts[0].text.size(), 256);
    EXPECT_EQ(canvas.texts[0].advances[0], 10) << "grid of 10 hundredths at scale 1, 10.5 to even";
}

TEST(LayoutDrawing, CzechTextPaintedIntoAnImage) {
    const QString text =
        "Příliš žluťoučký kůň úpěl ďábelské ódy. Jméno psa: Ďáblík z Horní Branné, "
        "chovatelská stanice Šťastný Řehoř.";
    const TRadky left = Lay(text, 300, 100, 0);
    const TRadky right = Lay(text, 300, 100, 1);
    const TRadky justified = Lay(text, 300, 100, 3);
    ASSERT_GE(left.Count(), 2);

    // 200 dots per inch: page coordinates in hundredths times 2.
    QImage image(800, 900, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::QPainterCanvas painter(&image);
        TLumexCanvas canvas(painter, 100);
        DrawLines(canvas, QRect(50, 50, 300, 100), 0, left.Count() - 1, left, 2, 2, Arial10());
        DrawLines(canvas, QRect(50, 180, 300, 100), 0, right.Count() - 1, right, 2, 2, Arial10());
        DrawLines(canvas, QRect(50, 310, 300, 100), 0, justified.Count() - 1, justified, 2, 2,
                  Arial10());
        // An element too small for its lines: the text is clipped to it.
        DrawLines(canvas, QRect(50, 420, 300, 10), 0, left.Count() - 1, left, 2, 2, Arial10());
    }
    const QString file = QDir::temp().filePath("harvel-layout-czech.png");
    ASSERT_TRUE(image.save(file));

    const QRect leftBox = InkBox(image, QRect(0, 0, 800, 340));
    const QRect rightBox = InkBox(image, QRect(0, 340, 800, 260));
    const QRect justifiedBox = InkBox(image, QRect(0, 600, 800, 220));
    const QRect clippedBox = InkBox(image, QRect(0, 820, 800, 80));
    // Text starts one hundredth plus the margin inside the element.
    EXPECT_NEAR(leftBox.left(), 100 + 4, 2);
    EXPECT_GE(leftBox.top(), 100);
    EXPECT_LE(leftBox.right(), 700);
    // Lines of about 1117 / 72 * 2 = 31 pixels: the ink spans the lines drawn.
    EXPECT_NEAR(leftBox.bottom(), 100 + left.Count() * 31, 12);
    // Right-aligned lines end at the right margin of one hundredth.
    EXPECT_NEAR(rightBox.right(), 700 - 2, 3);
    EXPECT_GE(rightBox.left(), 100);
    // Justified lines fill the width.
    EXPECT_NEAR(justifiedBox.left(), 104, 2);
    EXPECT_NEAR(justifiedBox.right(), 700, 3);
    // The clipped copy stays inside its 20-pixel-high element.
    EXPECT_GE(clippedBox.top(), 840);
    EXPECT_LE(clippedBox.bottom(), 859);
    EXPECT_FALSE(clippedBox.isEmpty());
}
