// The barcode painter: element geometry and widths, module fallback, the
// EAN text layout, the text of other types, rotation and the canvas state.

#include <gtest/gtest.h>

#include <cmath>

#include "report/output/sestbarc.h"
#include "tests/report/output/barcode_recording_canvas.h"

using barcode_test::Modules;
using barcode_test::RecordedPolygon;
using barcode_test::RecordingCanvas;

namespace {

const QRect kRect(100, 200, 3000, 400);

RecordingCanvas Draw(int type, const QString& text, int module, int angle = 0,
                     bool showText = false, bool guardMarks = false, bool checkDigit = false,
                     const QRect& rect = kRect) {
    RecordingCanvas canvas;
    DrawBarcode(canvas, rect, type, text, guardMarks, showText, checkDigit, angle, module);
    return canvas;
}

// Left edges and widths of the drawn elements, along x (angle 0).
std::vector<std::pair<int, int>> Spans(const RecordingCanvas& canvas) {
    std::vector<std::pair<int, int>> spans;
    for (const RecordedPolygon& p : canvas.polygons) {
        spans.emplace_back(p.Bounds().left(), p.Bounds().width());
    }
    return spans;
}

}  // namespace

TEST(BarcodeDrawing, ElementsAreAdjacentPolygonsOfTheModuleWidths) {
    const RecordingCanvas canvas = Draw(btCode128B, "Hi", 8);
    const std::string pattern = EncodeBarcode(btCode128B, "Hi", false).pattern;
    ASSERT_EQ(canvas.polygons.size(), pattern.size());
    // The first element is the start symbol's bar of 2 modules, full height.
    const QPolygon first = canvas.polygons.front().points;
    EXPECT_EQ(first,
              QPolygon({QPoint(100, 200), QPoint(100, 600), QPoint(115, 600), QPoint(115, 200)}));
    int x = 100;
    for (const RecordedPolygon& p : canvas.polygons) {
        EXPECT_EQ(p.Bounds().left(), x);
        EXPECT_EQ(p.pen.width, 1);
        EXPECT_EQ(p.pen.style, platform::PenStyle::Solid);
        EXPECT_EQ(p.pen.color, p.brush.color);
        x += p.Bounds().width();
    }
    EXPECT_EQ(x - 100, static_cast<int>(Modules(pattern).size()) * 8);
    // Bars black, spaces white, alternating.
    for (size_t i = 0; i < canvas.polygons.size(); ++i) {
        EXPECT_EQ(canvas.polygons[i].IsBar(), i % 2 == 0) << i;
    }
}

TEST(BarcodeDrawing, ModuleOutsideTheRangeDrawsWithEight) {
    const auto eight = Spans(Draw(btCode39, "AB", 8));
    EXPECT_EQ(Spans(Draw(btCode39, "AB", 0)), eight);
    EXPECT_EQ(Spans(Draw(btCode39, "AB", -4)), eight);
    EXPECT_EQ(Spans(Draw(btCode39, "AB", 129)), eight);
    EXPECT_EQ(Spans(Draw(btCode39, "AB", 1'000'000)), eight);
    EXPECT_NE(Spans(Draw(btCode39, "AB", 128)), eight);
    EXPECT_EQ(Draw(btCode39, "AB", 128).polygons.front().Bounds().width(), 128);
    EXPECT_EQ(Draw(btCode39, "AB", 1).polygons.front().Bounds().width(), 1);
}

TEST(BarcodeDrawing, Matrix25UsesTheRaisedRatio) {
    // m 4: w2 = nint(9) = 9, w3 = 13; start bar is w3.
    const RecordingCanvas four = Draw(btMatrix25, "0", 4);
    EXPECT_EQ(four.polygons.front().Bounds().width(), 13);
    // m 2: w2 = nint(4.5) = 4 (halves to even), w3 = 6.
    EXPECT_EQ(Draw(btMatrix25, "0", 2).polygons.front().Bounds().width(), 6);
    // Digit 0 = N N W W N: its wide bar (third element) is w2.
    EXPECT_EQ(four.polygons[8].Bounds().width(), 9);
    // Ratio 2 elsewhere: the Interleaved stop's wide bar is 2 m.
    const RecordingCanvas i25 = Draw(btInterleaved25, "", 4);
    EXPECT_EQ(i25.polygons[4].Bounds().width(), 8);
}

TEST(BarcodeDrawing, Ean13WithTextLeavesRoomForDigits) {
    const int m = 8;
    const RecordingCanvas canvas = Draw(btEan13, "590123412345", m, 0, true, true, true);
    // x starts at 8 m; guard bars reach height - 5 m, ordinary bars height - 11 m.
    EXPECT_EQ(canvas.polygons.front().Bounds().left(), 100 + 8 * m);
    const std::string pattern = EncodeBarcode(btEan13, "590123412345", true).pattern;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const QRect b = canvas.polygons[i].Bounds();
        EXPECT_EQ(b.top(), 200);
        const bool ordinaryBar = pattern[i] >= '5' && pattern[i] <= '8';
        EXPECT_EQ(b.bottom(), 200 + 400 - (ordinaryBar ? 11 : 5) * m) << i;
    }
    ASSERT_EQ(canvas.texts.size(), 4u);
    const int y = 200 + 400 - 12 * m;
    EXPECT_EQ(canvas.texts[0].text, "5");
    EXPECT_EQ(canvas.texts[0].at, QPoint(100, y));
    EXPECT_EQ(canvas.texts[1].text, "901234");
    EXPECT_EQ(canvas.texts[1].at, QPoint(100 + 12 * m, y));
    EXPECT_EQ(canvas.texts[2].text, "123457");
    EXPECT_EQ(canvas.texts[2].at, QPoint(100 + 57 * m, y));
    EXPECT_EQ(canvas.texts[3].text, ">");
    EXPECT_EQ(canvas.texts[3].at, QPoint(100 + 104 * m, y));
    for (const auto& t : canvas.texts) {
        EXPECT_EQ(t.font.name, "Arial");
        EXPECT_DOUBLE_EQ(t.font.size, 9.0 * m);
        EXPECT_EQ(t.font.color, QColor(Qt::black));
        EXPECT_TRUE(t.transparent);
        EXPECT_FALSE(t.baseline);
    }
    // Without guard marks no ">".
    EXPECT_EQ(Draw(btEan13, "590123412345", m, 0, true, false).texts.size(), 3u);
}

TEST(BarcodeDrawing, Ean8TextAndGuardMarks) {
    const int m = 4;
    const RecordingCanvas canvas = Draw(btEan8, "9638507", m, 0, true, true, true);
    EXPECT_EQ(canvas.polygons.front().Bounds().left(), 100 + 7 * m);
    ASSERT_EQ(canvas.texts.size(), 4u);
    const int y = 200 + 400 - 12 * m;
    EXPECT_EQ(canvas.texts[0].text, "9638");
    EXPECT_EQ(canvas.texts[0].at, QPoint(100 + 11 * m, y));
    EXPECT_EQ(canvas.texts[1].text, "5074");
    EXPECT_EQ(canvas.texts[1].at, QPoint(100 + 42 * m, y));
    EXPECT_EQ(canvas.texts[2].text, "<");
    EXPECT_EQ(canvas.texts[2].at, QPoint(100, y));
    EXPECT_EQ(canvas.texts[3].text, ">");
    EXPECT_EQ(canvas.texts[3].at, QPoint(100 + 74 * m, y));
}

TEST(BarcodeDrawing, EanWithoutTextUsesTheFullHeight) {
    const RecordingCanvas canvas = Draw(btEan13, "4006381333931", 8);
    EXPECT_EQ(canvas.polygons.front().Bounds().left(), 100);
    for (const RecordedPolygon& p : canvas.polygons) {
        EXPECT_EQ(p.Bounds().bottom(), 600);
    }
    EXPECT_TRUE(canvas.texts.empty());
}

TEST(BarcodeDrawing, OtherTypesPrintTheTextBelowTheBarsOnWhite) {
    const RecordingCanvas canvas = Draw(btCode39, "ab-12", 6, 0, true, true);
    ASSERT_EQ(canvas.texts.size(), 1u);
    EXPECT_EQ(canvas.texts[0].text, "ab-12");  // as given, skipped characters too
    // The recording canvas measures every text 10 high: the bars end above it.
    EXPECT_EQ(canvas.texts[0].at, QPoint(100, 590));
    for (const RecordedPolygon& bar : canvas.Bars()) {
        EXPECT_EQ(bar.Bounds().top(), 200);
        EXPECT_LT(bar.Bounds().bottom(), 590);
    }
    EXPECT_EQ(Draw(btCode39, "ab-12", 6).BarBounds().bottom(), 600);
    EXPECT_DOUBLE_EQ(canvas.texts[0].font.size, 18.0);
    EXPECT_FALSE(canvas.texts[0].transparent);
    EXPECT_EQ(canvas.texts[0].background, QColor(Qt::white));
    // The fitted text for fixed-length digit types.
    EXPECT_EQ(Draw(btUpcA, "03600029145", 6, 0, true, false, true).texts[0].text, "036000291452");
}

TEST(BarcodeDrawing, PostNetHalfBarsStandOnTheBaseLine) {
    const RecordingCanvas canvas = Draw(btPostNet, "1", 8);
    const auto bars = canvas.Bars();
    ASSERT_EQ(bars.size(), 7u);  // frame bar, five digit bars, frame bar
    // 1 = 0 0 0 1 1: three half bars of 2/5 of 400, then two full bars.
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(bars[i].Bounds().top(), 200 + 400 - 160) << i;
        EXPECT_EQ(bars[i].Bounds().bottom(), 600) << i;
    }
    EXPECT_EQ(bars[4].Bounds().top(), 200);
    EXPECT_EQ(bars[4].Bounds().bottom(), 600);
}

TEST(BarcodeDrawing, RotationTurnsTheBarsButNotTheText) {
    const RecordingCanvas flat = Draw(btCode128C, "1234", 8, 0);
    const QRect flatBox = flat.BarBounds();
    const int length = flatBox.width();
    const int height = flatBox.height();

    // 90 degrees: drawn upwards from the top-left corner.
    const RecordingCanvas up = Draw(btCode128C, "1234", 8, 90, true);
    const QRect upBox = up.BarBounds();
    EXPECT_EQ(upBox.left(), 100);
    EXPECT_EQ(upBox.width(), height);
    EXPECT_EQ(upBox.bottom(), 200);
    EXPECT_EQ(upBox.height(), length);
    // The first bar (start symbol) is at the bottom.
    EXPECT_EQ(up.polygons.front().Bounds().bottom(), 200);
    ASSERT_EQ(up.texts.size(), 1u);
    EXPECT_EQ(up.texts[0].at, QPoint(100, 200));
    EXPECT_EQ(up.texts[0].font.escapement, 0);

    // 180 degrees: to the left of and above the corner.
    const QRect back = Draw(btCode128C, "1234", 8, 180).BarBounds();
    EXPECT_EQ(back.right(), 100);
    EXPECT_EQ(back.bottom(), 200);
    EXPECT_EQ(back.width(), length);
    EXPECT_EQ(back.height(), height);

    // -90 (= 270): downwards and to the left.
    const QRect down = Draw(btCode128C, "1234", 8, -90).BarBounds();
    EXPECT_EQ(down.right(), 100);
    EXPECT_EQ(down.top(), 200);
    EXPECT_EQ(down.height(), length);

    // 45 degrees: the far end of the first bar's base is up and right.
    const RecordingCanvas tilted = Draw(btCode128C, "1234", 8, 45);
    const QPoint base = tilted.polygons.front().points[2];  // (x + w - 1, h) turned
    const double half = std::sqrt(0.5);
    EXPECT_EQ(base, QPoint(100 + qRound((15 + 400) * half), 200 + qRound((400 - 15) * half)));
}

TEST(BarcodeDrawing, CanvasStateIsRestored) {
    RecordingCanvas canvas;
    const platform::Pen pen{QColor(10, 20, 30), platform::PenStyle::Dash, 5};
    platform::Brush brush;
    brush.color = QColor(200, 100, 0);
    brush.style = platform::BrushStyle::None;
    platform::Font font;
    font.name = "Courier New";
    font.size = 13;
    canvas.SetPen(pen);
    canvas.SetBrush(brush);
    canvas.SetFont(font);
    canvas.SetTransparentText(true);
    canvas.SetBaselineAlignment(true);
    DrawBarcode(canvas, kRect, btCode39, "ABC", false, true, false, 0, 8);
    ASSERT_FALSE(canvas.texts.empty());
    EXPECT_FALSE(canvas.texts[0].baseline);
    EXPECT_EQ(canvas.GetPen(), pen);
    EXPECT_EQ(canvas.GetBrush(), brush);
    EXPECT_EQ(canvas.GetFont(), font);
    EXPECT_TRUE(canvas.GetTransparentText());
    EXPECT_TRUE(canvas.GetBaselineAlignment());
}

TEST(BarcodeDrawing, UnknownTypeDrawsNothing) {
    for (int type : {-1, 21, 1000}) {
        const RecordingCanvas canvas = Draw(type, "123", 8, 0, true);
        EXPECT_TRUE(canvas.polygons.empty()) << type;
        EXPECT_TRUE(canvas.texts.empty()) << type;
    }
}
