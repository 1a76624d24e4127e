// The PDF canvas against the QPainter canvas: the same drawings on an image
// and through a PDF rasterized by pdftoppm must look the same, and the text
// must stay text in embedded, subset fonts.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "platform/paint/font_faces.h"
#include "platform/paint/hatch_patterns.h"
#include "platform/paint/truetype_face.h"
#include "platform/paint/vector_picture.h"
#include "tests/platform/paint/paint_scene.h"
#include "tests/platform/paint/pdf_test_support.h"

using namespace platform;
using namespace paint_test;

namespace {

const QSize kPage(400, 300);

Font FontAt(const QString& name, double points) {
    Font font;
    font.name = name;
    font.size = points;
    return font;
}

class PdfCanvasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!HavePoppler()) {
            GTEST_SKIP() << "poppler-utils (pdftoppm, pdftotext, pdffonts) is not installed";
        }
    }

    // Compares the drawing both ways; the PDF must carry about as much ink as
    // the image, and few pixels may differ.
    void ExpectAlike(const char* name, const Drawing& draw, double tolerance) {
        const QImage direct = DrawnWithQPainter(draw, kPage);
        const QImage viaPdf = DrawnThroughPdf(dir_, QString::fromLatin1(name), draw, kPage);
        ASSERT_FALSE(viaPdf.isNull()) << name;
        ASSERT_EQ(viaPdf.size(), direct.size()) << name;
        const int ink = InkPixels(direct);
        ASSERT_GT(ink, 0) << name;
        EXPECT_NEAR(InkPixels(viaPdf), ink, ink * 0.2 + 20) << name;
        EXPECT_LT(DifferentShare(direct, viaPdf), tolerance) << name;
        if (HasFailure()) {
            direct.save(dir_.filePath(QString::fromLatin1(name) + "-direct.png"));
            viaPdf.save(dir_.filePath(QString::fromLatin1(name) + "-pdf.png"));
            dir_.setAutoRemove(false);
            ADD_FAILURE() << "images kept in " << dir_.path().toStdString();
        }
    }

    QString Pdf(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(PdfCanvasTest, LinesAndRectanglesMatchTheQPainterCanvas) {
    ExpectAlike(
        "lines",
        [](Canvas& canvas) {
            canvas.SetPen(Pen{Qt::blue, PenStyle::Solid, 0});
            canvas.MoveTo(QPoint(10, 10));
            canvas.LineTo(QPoint(390, 10));
            canvas.LineTo(QPoint(390, 290));
            canvas.SetPen(Pen{Qt::black, PenStyle::Solid, 5});
            canvas.MoveTo(QPoint(30, 250));
            canvas.LineTo(QPoint(300, 250));
            canvas.SetPen(Pen{Qt::darkGreen, PenStyle::Dash, 0});
            canvas.MoveTo(QPoint(30, 200));
            canvas.LineTo(QPoint(300, 200));
            canvas.SetPen(Pen{Qt::black, PenStyle::Solid, 3});
            canvas.SetBrush(Brush{Qt::red, BrushStyle::Solid, {}});
            canvas.Rectangle(QRect(20, 20, 60, 40));
            canvas.SetPen(Pen{Qt::black, PenStyle::None, 0});
            canvas.Rectangle(QRect(100, 20, 60, 40));
            canvas.SetBrush(Brush{Qt::green, BrushStyle::Solid, {}});
            canvas.FillRect(QRect(20, 80, 50, 20));
            canvas.SetBrush(Brush{Qt::darkRed, BrushStyle::Solid, {}});
            canvas.FrameRect(QRect(80, 80, 50, 20));
            canvas.SetPixel(QPoint(150, 90), Qt::black);
            canvas.SetPen(Pen{Qt::black, PenStyle::Solid, 1});
            canvas.SetBrush(Brush{Qt::cyan, BrushStyle::Solid, {}});
            canvas.Polygon(QPolygon({QPoint(280, 60), QPoint(320, 20), QPoint(360, 60)}));
        },
        0.004);
}

TEST_F(PdfCanvasTest, ThinPensAreOnePageUnitWideOnAFinerDevice) {
    // A page of 600 units per inch at 1200 dpi: one unit is two pixels.
    const QString pdf = Pdf("thin.pdf");
    ASSERT_TRUE(WritePdf(
        pdf,
        [](Canvas& canvas) {
            canvas.SetPen(Pen{Qt::black, PenStyle::Solid, 0});
            canvas.MoveTo(QPoint(100, 100));
            canvas.LineTo(QPoint(500, 100));
            canvas.SetPen(Pen{Qt::black, PenStyle::Solid, 6});
            canvas.MoveTo(QPoint(100, 300));
            canvas.LineTo(QPoint(500, 300));
        },
        QSize(600, 600), 600));
    const QImage image = Rasterized(pdf, 1200);
    ASSERT_EQ(image.width(), 1200);
    auto darkInColumn = [&image](int x, int from, int to) {
        int count = 0;
        for (int y = from; y <= to; ++y) {
            count += IsDark(image, x, y) ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(darkInColumn(600, 190, 210), 2);
    EXPECT_EQ(darkInColumn(600, 580, 620), 12);
}

TEST_F(PdfCanvasTest, EllipsesRoundRectsAndPatternBrushesMatch) {
    ExpectAlike(
        "figures",
        [](Canvas& canvas) {
            canvas.SetPen(Pen{Qt::black, PenStyle::Solid, 1});
            canvas.SetBrush(Brush{Qt::yellow, BrushStyle::Solid, {}});
            canvas.Ellipse(QRect(20, 20, 120, 80));
            canvas.SetPen(Pen{Qt::darkBlue, PenStyle::Solid, 4});
            canvas.RoundRect(QRect(180, 20, 160, 80), 30, 30);
            canvas.SetPen(Pen{Qt::black, PenStyle::None, 0});
            canvas.SetBrush(
                Brush{Qt::magenta, BrushStyle::Pattern, HatchPattern(Hatch::DiagonalCross)});
            canvas.FillRect(QRect(20, 150, 150, 100));
            canvas.SetBrush(
                Brush{Qt::darkGreen, BrushStyle::Pattern, HatchPattern(Hatch::Horizontal)});
            canvas.Rectangle(QRect(200, 150, 150, 100));
        },
        0.01);
}

TEST_F(PdfCanvasTest, PatternBrushPaintsOnlyItsSetPixelsInPageCells) {
    const Drawing draw = [](Canvas& canvas) {
        canvas.SetBrush(Brush{Qt::black, BrushStyle::Pattern, HatchPattern(Hatch::Vertical)});
        canvas.FillRect(QRect(3, 3, 64, 16));
    };
    const QImage image = DrawnThroughPdf(dir_, QStringLiteral("vertical"), draw, kPage);
    ASSERT_FALSE(image.isNull());
    // Columns 8, 16, … of the page are set, the ones between are not.
    EXPECT_TRUE(IsDark(image, 8, 10));
    EXPECT_TRUE(IsDark(image, 16, 10));
    EXPECT_FALSE(IsInk(image, 9, 10));
    EXPECT_FALSE(IsInk(image, 12, 10));
    EXPECT_FALSE(IsInk(image, 8, 20));  // outside the rectangle
}

TEST_F(PdfCanvasTest, TextRotatedTextAndDecorationsMatch) {
    ExpectAlike(
        "text",
        [](Canvas& canvas) {
            canvas.SetPixelsPerInch(72);
            Font font = FontAt(QStringLiteral("Arial"), 14);
            font.bold = true;
            canvas.SetFont(font);
            canvas.SetBrush(Brush{Qt::yellow, BrushStyle::Solid, {}});
            canvas.TextOut(QPoint(20, 20), QStringLiteral("Žluťoučký kůň"));
            font.bold = false;
            font.italic = true;
            font.underline = true;
            font.color = Qt::darkBlue;
            canvas.SetFont(font);
            canvas.SetTransparentText(true);
            canvas.SetBaselineAlignment(true);
            // Advances far from the natural ones: the glyphs must sit at them.
            canvas.ExtTextOut(QPoint(20, 90), QStringLiteral("úpěl ódy"),
                              {16, 14, 14, 10, 12, 14, 14, 14});
            font = FontAt(QStringLiteral("Times New Roman"), 16);
            font.escapement = 450;
            canvas.SetFont(font);
            canvas.TextOut(QPoint(250, 250), QStringLiteral("Šikmo"));
            font = FontAt(QStringLiteral("Courier New"), 12);
            font.fixedPitch = true;
            font.strikeout = true;
            canvas.SetFont(font);
            canvas.TextOut(QPoint(20, 150), QStringLiteral("Pevná"));
        },
        0.01);
}

TEST_F(PdfCanvasTest, ExtTextOutPlacesEveryGlyphAtItsAdvance) {
    const Drawing draw = [](Canvas& canvas) {
        canvas.SetPixelsPerInch(72);
        canvas.SetFont(FontAt(QStringLiteral("Arial"), 20));
        canvas.SetTransparentText(true);
        canvas.ExtTextOut(QPoint(20, 20), QStringLiteral("IIIII"), {40, 25, 60, 33, 10});
    };
    const QImage image = DrawnThroughPdf(dir_, QStringLiteral("advances"), draw, kPage);
    ASSERT_FALSE(image.isNull());
    const QImage direct = DrawnWithQPainter(draw, kPage);
    // Each stem where the advances put it (an I's stem is 2 to 4 units
    // right of its origin at 20 points), nothing between.
    for (int x : {20, 60, 85, 145, 178}) {
        EXPECT_GT(InkInColumns(image, x + 1, x + 5), 10) << x;
        EXPECT_EQ(InkInColumns(image, x + 8, x + 9), 0) << x;
        EXPECT_GT(InkInColumns(direct, x + 1, x + 5), 10) << x;
    }
}

TEST_F(PdfCanvasTest, RotatedTextLiesWhereTheQPainterCanvasPutsIt) {
    for (int escapement : {450, 900, -300}) {
        const Drawing draw = [escapement](Canvas& canvas) {
            canvas.SetPixelsPerInch(72);
            Font font = FontAt(QStringLiteral("Arial"), 18);
            font.escapement = escapement;
            font.underline = true;
            canvas.SetFont(font);
            canvas.SetTransparentText(true);
            canvas.TextOut(QPoint(200, 150), QStringLiteral("Šikmý text"));
        };
        const QRect direct = InkBox(DrawnWithQPainter(draw, kPage));
        const QRect viaPdf =
            InkBox(DrawnThroughPdf(dir_, QStringLiteral("rotated%1").arg(escapement), draw, kPage));
        ASSERT_FALSE(direct.isEmpty());
        EXPECT_NEAR(viaPdf.left(), direct.left(), 2) << escapement;
        EXPECT_NEAR(viaPdf.top(), direct.top(), 2) << escapement;
        EXPECT_NEAR(viaPdf.right(), direct.right(), 2) << escapement;
        EXPECT_NEAR(viaPdf.bottom(), direct.bottom(), 2) << escapement;
    }
}

TEST_F(PdfCanvasTest, ClipBitmapAndNestedPictureMatch) {
    ExpectAlike(
        "clip",
        [](Canvas& canvas) {
            canvas.SetPen(Pen{Qt::black, PenStyle::None, 0});
            canvas.SetClipRect(QRect(300, 100, 40, 40));
            canvas.SetBrush(Brush{Qt::darkYellow, BrushStyle::Solid, {}});
            canvas.FillRect(QRect(280, 80, 100, 100));
            Font font = FontAt(QStringLiteral("Arial"), 20);
            canvas.SetFont(font);
            canvas.SetClipRect(QRect(20, 20, 60, 12));
            canvas.SetTransparentText(true);
            canvas.TextOut(QPoint(20, 20), QStringLiteral("Oříznutý text"));
            canvas.ClearClip();
            canvas.StretchBitmap(QRect(150, 200, 40, 40), Checkerboard());
            VectorPicture inner(100, 50, 72);
            inner.SetPen(Pen{Qt::red, PenStyle::Solid, 2});
            inner.SetBrush(Brush{Qt::blue, BrushStyle::Solid, {}});
            inner.Rectangle(QRect(0, 0, 100, 50));
            inner.SetBrush(Brush{Qt::green, BrushStyle::Solid, {}});
            inner.Ellipse(QRect(25, 10, 50, 30));
            canvas.StretchDraw(QRect(20, 150, 200, 100), inner);
        },
        0.006);
}

TEST_F(PdfCanvasTest, TheWholeSceneMatches) {
    ExpectAlike(
        "scene", [](Canvas& canvas) { DrawScene(canvas); }, 0.02);
}

TEST_F(PdfCanvasTest, TextComesBackFromTheEmbeddedSubsetFonts) {
    const QString pdf = Pdf("czech.pdf");
    ASSERT_TRUE(WritePdf(
        pdf,
        [](Canvas& canvas) {
            canvas.SetFont(FontAt(QStringLiteral("Arial"), 12));
            canvas.TextOut(QPoint(10, 10), QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy"));
            Font bold = FontAt(QStringLiteral("Arial"), 12);
            bold.bold = true;
            canvas.SetFont(bold);
            canvas.ExtTextOut(QPoint(10, 60), QStringLiteral("Ďas"), {9, 7, 7});
        },
        kPage));
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out;
    EXPECT_TRUE(text.contains(QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Ďas"))) << text.toStdString();

    const QStringList fonts =
        RunTool(QStringLiteral("pdffonts"), {pdf}).out.split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_EQ(fonts.size(), 2) << fonts.join('\n').toStdString();
    for (const QString& line : fonts) {
        // name, "CID TrueType", Identity-H, emb, sub, uni
        EXPECT_TRUE(line.contains(QStringLiteral("CID TrueType"))) << line.toStdString();
        EXPECT_TRUE(
            line.contains(QRegularExpression(QStringLiteral("Identity-H\\s+yes\\s+yes\\s+yes"))))
            << line.toStdString();
        EXPECT_TRUE(line.contains(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+Liberation"))))
            << line.toStdString();
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("/Version")) << "TrueType fonts keep the PDF at 1.4";
}

TEST_F(PdfCanvasTest, MissingGlyphsComeFromAnEmbeddedFallbackFace) {
    // Liberation Sans has no snowman; the fallback face Qt picks has.
    const QString pdf = Pdf("fallback.pdf");
    const Drawing draw = [](Canvas& canvas) {
        canvas.SetFont(FontAt(QStringLiteral("Arial"), 30));
        canvas.SetTransparentText(true);
        canvas.TextOut(QPoint(10, 10), QStringLiteral("A\u2603B"));
    };
    ASSERT_TRUE(WritePdf(pdf, draw, kPage));
    const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out;
    EXPECT_TRUE(text.contains(QStringLiteral("\u2603"))) << text.toStdString();
    const QStringList fonts =
        RunTool(QStringLiteral("pdffonts"), {pdf}).out.split('\n', Qt::SkipEmptyParts).mid(2);
    EXPECT_EQ(fonts.size(), 2) << fonts.join('\n').toStdString();
    // The snowman is drawn between the letters.
    const QImage image = Rasterized(pdf);
    const QImage direct = DrawnWithQPainter(draw, kPage);
    const QRect directInk = InkBox(direct);
    EXPECT_GT(InkInColumns(image, directInk.left() + 25, directInk.left() + 45), 30);
}

TEST_F(PdfCanvasTest, InfoPageSizeAndSharedImages) {
    const QString pdf = Pdf("info.pdf");
    ASSERT_TRUE(WritePdf(
        pdf,
        [](Canvas& canvas) {
            const QImage board = Checkerboard();
            canvas.StretchBitmap(QRect(10, 10, 40, 40), board);
            canvas.StretchBitmap(QRect(60, 10, 80, 80), board);
            canvas.StretchBitmap(QRect(160, 10, 40, 40), Checkerboard());  // same pixels again
        },
        QSize(1200, 600), 600, QStringLiteral("Žluťoučký kůň")));
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf}).out;
    EXPECT_TRUE(info.contains(QStringLiteral("Žluťoučký kůň"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+Harvel"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+144 x 72 pts"))))
        << info.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("/Subtype /Image"), 1);
}

TEST_F(PdfCanvasTest, TranslucentBitmapsKeepTheirTransparency) {
    QImage half(4, 4, QImage::Format_ARGB32);
    half.fill(Qt::transparent);
    for (int y = 0; y < 4; ++y) {
        half.setPixel(2, y, qRgba(200, 0, 0, 255));
        half.setPixel(3, y, qRgba(200, 0, 0, 255));
    }
    const Drawing draw = [half](Canvas& canvas) {
        canvas.StretchBitmap(QRect(20, 20, 40, 40), half);
    };
    ExpectAlike("translucent", draw, 0.002);
    const QImage image = DrawnThroughPdf(dir_, QStringLiteral("translucent2"), draw, kPage);
    EXPECT_TRUE(IsWhite(image, 25, 40));
    EXPECT_EQ(QColor(image.pixel(50, 40)).red(), 200);
}

namespace {

// A device that takes `room` bytes and fails every write after them, as a
// full disk does.
class FullDevice : public QIODevice {
  public:
    explicit FullDevice(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        if (size > room_) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        room_ -= size;
        return size;
    }

  private:
    qint64 room_;
};

void ManyPages(PdfDocument& document, int pages) {
    PdfCanvas canvas(document);
    for (int page = 0; page < pages; ++page) {
        canvas.BeginPage(4960, 7016, 600);
        canvas.SetFont(FontAt(QStringLiteral("Arial"), 10));
        for (int line = 0; line < 60; ++line) {
            canvas.TextOut(QPoint(300, 300 + line * 100),
                           QStringLiteral("Řádek %1 stránky %2").arg(line).arg(page));
        }
        canvas.EndPage();
    }
}

}  // namespace

TEST(PdfDocument, AFailedWriteIsReportedByFinish) {
    FullDevice device(20000);
    PdfDocument document;
    ASSERT_TRUE(document.Open(&device));
    ManyPages(document, 40);
    EXPECT_FALSE(document.Finish());
    EXPECT_TRUE(document.Failed());
    EXPECT_EQ(document.ErrorString(), QStringLiteral("No space left on device"));

    FullDevice roomy(1 << 30);
    PdfDocument whole;
    ASSERT_TRUE(whole.Open(&roomy));
    ManyPages(whole, 40);
    EXPECT_TRUE(whole.Finish());
    EXPECT_EQ(whole.PageCount(), 40);
}

TEST(PdfDocument, AFileThatCannotBeCreatedFailsToOpen) {
    PdfDocument document;
    EXPECT_FALSE(document.Open(QStringLiteral("/nonexistent-folder/x/out.pdf")));
    EXPECT_FALSE(document.ErrorString().isEmpty());
}

TEST_F(PdfCanvasTest, CffFacesAreEmbeddedWholeAsOpenType) {
    Font font = FontAt(QStringLiteral("C059"), 24);
    if (!TrueTypeFace(FaceFor(font, 24.0)).HasCffOutlines()) {
        GTEST_SKIP() << "no CFF face for C059 (fonts-urw-base35)";
    }
    const Drawing draw = [font](Canvas& canvas) {
        canvas.SetPixelsPerInch(72);
        canvas.SetFont(font);
        canvas.SetTransparentText(true);
        canvas.TextOut(QPoint(20, 20), QStringLiteral("Žluťoučký kůň"));
    };
    const QString pdf = Pdf("cff.pdf");
    ASSERT_TRUE(WritePdf(pdf, draw, kPage));
    const QString fonts = RunTool(QStringLiteral("pdffonts"), {pdf}).out;
    EXPECT_TRUE(fonts.contains(QRegularExpression(
        QStringLiteral("C059\\S*\\s+CID Type 0C \\(OT\\)\\s+Identity-H\\s+yes"))))
        << fonts.toStdString();
    EXPECT_TRUE(RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                    .out.contains(QStringLiteral("Žluťoučký kůň")));
    ExpectAlike("cff", draw, 0.01);
    // An OpenType program is a PDF 1.6 feature: the catalog says so.
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(bytes.contains(
        QRegularExpression(QStringLiteral("/Type /Catalog /Pages \\d+ 0 R ?/Version /1.6"))));
}

TEST_F(PdfCanvasTest, FacesWithoutTablesBecomeType3FontsOfTheirOutlines) {
    // Type 1 faces give no sfnt tables to embed.
    Font font = FontAt(QStringLiteral("Nimbus Sans"), 24);
    const QRawFont face = FaceFor(font, 24.0);
    const TrueTypeFace program(face);
    if (!face.isValid() || program.HasGlyphOutlines() || program.HasCffOutlines()) {
        GTEST_SKIP() << "Nimbus Sans is not a Type 1 face here (fonts-urw-base35)";
    }
    const Drawing draw = [font](Canvas& canvas) {
        canvas.SetPixelsPerInch(72);
        canvas.SetFont(font);
        canvas.SetTransparentText(true);
        canvas.TextOut(QPoint(20, 20), QStringLiteral("Žluťoučký kůň"));
    };
    ExpectAlike("outlines", draw, 0.01);
    const QString pdf = Pdf("outlines.pdf");
    ASSERT_TRUE(WritePdf(pdf, draw, kPage));
    const QStringList fonts =
        RunTool(QStringLiteral("pdffonts"), {pdf}).out.split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_EQ(fonts.size(), 1) << fonts.join('\n').toStdString();
    EXPECT_TRUE(fonts.first().contains(
        QRegularExpression(QStringLiteral("Type 3\\s+Custom\\s+yes\\s+no\\s+yes"))))
        << fonts.first().toStdString();
    EXPECT_TRUE(RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                    .out.contains(QStringLiteral("Žluťoučký kůň")));
}

TEST_F(PdfCanvasTest, AType3FaceTakesAFontForEvery256GlyphsAndKeepsThemInPlace) {
    Font font = FontAt(QStringLiteral("Nimbus Sans"), 24);
    const QRawFont face = FaceFor(font, 24.0);
    const TrueTypeFace program(face);
    if (!face.isValid() || program.HasGlyphOutlines() || program.HasCffOutlines()) {
        GTEST_SKIP() << "Nimbus Sans is not a Type 1 face here (fonts-urw-base35)";
    }
    // Latin letters with and without accents: more than 256 glyphs. The
    // first 250 take their codes off the page; the shown text then crosses
    // from the first Type 3 font into the second in the middle.
    QString letters;
    for (char16_t c = 0x21; c < 0x17F; ++c) {
        if (c != 0xA0 && c != 0xAD && face.supportsCharacter(QChar(c))) {
            letters += QChar(c);
        }
    }
    ASSERT_GT(letters.size(), 270);
    const QString shown = letters.mid(250, 12);
    const Drawing draw = [font, letters, shown](Canvas& canvas) {
        canvas.SetPixelsPerInch(72);
        canvas.SetFont(font);
        canvas.SetTransparentText(true);
        canvas.TextOut(QPoint(-100000, 10), letters.left(250));
        canvas.TextOut(QPoint(20, 40), shown);
    };
    ExpectAlike("type3-many", draw, 0.01);
    const QString pdf = Pdf("type3-many.pdf");
    ASSERT_TRUE(WritePdf(pdf, draw, kPage));
    const QStringList fonts =
        RunTool(QStringLiteral("pdffonts"), {pdf}).out.split('\n', Qt::SkipEmptyParts).mid(2);
    EXPECT_EQ(fonts.size(), 2) << fonts.join('\n').toStdString();
    // In the order drawn: poppler's layout guesses the size of Type 3 text
    // from its first glyph's width, so its lines need not line up.
    const QString back =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")})
            .out;
    EXPECT_TRUE(back.contains(shown)) << back.toStdString() << " / " << shown.toStdString();
}
