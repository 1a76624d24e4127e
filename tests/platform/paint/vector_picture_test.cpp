// Recording on the vector picture and replaying it onto other canvases.
#include <gtest/gtest.h>

#include "platform/paint/qpainter_canvas.h"
#include "platform/paint/vector_picture.h"
#include "tests/platform/paint/paint_scene.h"
#include "tests/platform/paint/paint_test_support.h"

using namespace platform;
using namespace paint_test;

namespace {

QImage DrawnDirectly() {
    QImage image = WhiteImage(400, 300);
    QPainterCanvas canvas(&image);
    DrawScene(canvas);
    return image;
}

QImage Replayed(const VectorPicture& picture, QSize size, const QRect& target) {
    QImage image = WhiteImage(size.width(), size.height());
    QPainterCanvas canvas(&image);
    canvas.SetPixelsPerInch(72);
    picture.Play(canvas, target);
    return image;
}

VectorPicture RecordedScene() {
    VectorPicture picture(400, 300, 72);
    DrawScene(picture);
    return picture;
}

Brush SolidBrush(const QColor& color) {
    return Brush{color, BrushStyle::Solid, {}};
}

}  // namespace

TEST(VectorPictureReplay, ReplayAtNaturalSizeEqualsDrawingDirectly) {
    const QImage direct = DrawnDirectly();
    const QImage replayed = Replayed(RecordedScene(), QSize(400, 300), QRect(0, 0, 400, 300));
    EXPECT_EQ(DifferentShare(direct, replayed, 0), 0.0);
}

TEST(VectorPictureReplay, ReplayIsScaledIntoTheTarget) {
    VectorPicture picture(100, 100);
    picture.SetBrush(SolidBrush(Qt::black));
    picture.FillRect(QRect(10, 10, 20, 20));
    const QImage image = Replayed(picture, QSize(300, 300), QRect(50, 50, 200, 200));
    EXPECT_TRUE(IsDark(image, 70, 70));
    EXPECT_TRUE(IsDark(image, 109, 109));
    EXPECT_TRUE(IsWhite(image, 110, 110));
    EXPECT_TRUE(IsWhite(image, 69, 69));
}

TEST(VectorPictureReplay, FontsAndAdvancesScaleWithThePicture) {
    // A page at 600 units per inch shown at a sixth of its size.
    VectorPicture page(1200, 600, 600);
    Font font;
    font.size = 36;  // 300 units em
    page.SetFont(font);
    page.SetTransparentText(true);
    page.ExtTextOut(QPoint(0, 0), QStringLiteral("ll"), {600, 300});
    const QImage image = Replayed(page, QSize(200, 100), QRect(0, 0, 200, 100));
    const QRect ink = InkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 0);
    EXPECT_LE(ink.left(), 3);
    EXPECT_GE(ink.right(), 100);  // second "l" at 600 / 6
    EXPECT_LE(ink.right(), 109);
    EXPECT_NEAR(ink.height(), 36.0 * 0.73 * 600 / 72 / 6, 3);  // ascender height of "l"
}

TEST(VectorPictureReplay, TargetStateIsRestoredAndClipStaysInside) {
    VectorPicture picture(100, 100);
    picture.SetPen(Pen{Qt::red, PenStyle::Dash, 4});
    picture.SetBrush(SolidBrush(Qt::black));
    picture.SetBaselineAlignment(true);
    picture.SetClipRect(QRect(0, 0, 100, 100));
    picture.FillRect(QRect(0, 0, 100, 100));
    picture.ClearClip();
    picture.FillRect(QRect(0, 0, 100, 100));

    QImage image = WhiteImage(200, 200);
    QPainterCanvas canvas(&image);
    const Pen pen{Qt::green, PenStyle::Solid, 2};
    canvas.SetPen(pen);
    canvas.SetBrush(SolidBrush(Qt::blue));
    canvas.SetClipRect(QRect(0, 0, 60, 60));
    picture.Play(canvas, QRect(0, 0, 200, 200));

    EXPECT_EQ(canvas.GetPen(), pen);
    EXPECT_EQ(canvas.GetBrush().color, QColor(Qt::blue));
    EXPECT_FALSE(canvas.GetBaselineAlignment());
    EXPECT_EQ(canvas.GetClipRect(), QRect(0, 0, 60, 60));
    EXPECT_TRUE(IsDark(image, 59, 59));
    EXPECT_TRUE(IsWhite(image, 60, 60));  // the picture's ClearClip kept the caller's clip
}

TEST(VectorPictureReplay, ReplayStartsFromTheDefaultState) {
    VectorPicture picture(100, 100);
    picture.Rectangle(QRect(10, 10, 50, 50));  // default pen and white brush
    QImage image = WhiteImage(100, 100);
    image.fill(Qt::gray);
    QPainterCanvas canvas(&image);
    canvas.SetPen(Pen{Qt::red, PenStyle::None, 0});
    canvas.SetBrush(SolidBrush(Qt::blue));
    picture.Play(canvas, QRect(0, 0, 100, 100));
    EXPECT_EQ(image.pixel(10, 30), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(30, 30), qRgb(255, 255, 255));
}

TEST(VectorPictureReplay, PictureDrawnIntoPictureKeepsItsContent) {
    const VectorPicture scene = RecordedScene();
    VectorPicture outer(800, 600, 144);
    outer.StretchDraw(QRect(0, 0, 800, 600), scene);
    const QImage viaOuter = Replayed(outer, QSize(400, 300), QRect(0, 0, 400, 300));
    EXPECT_LT(DifferentShare(DrawnDirectly(), viaOuter), 0.01);
}

TEST(VectorPictureContent, CopiesAreIndependentAndClearKeepsTheSize) {
    VectorPicture picture(300, 200);
    picture.FillRect(QRect(0, 0, 10, 10));
    VectorPicture copy = picture;
    copy.Ellipse(QRect(0, 0, 5, 5));
    EXPECT_EQ(picture.Content().ops.size(), 1);
    EXPECT_EQ(copy.Content().ops.size(), 2);
    copy.Clear();
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(copy.Width(), 300);
    EXPECT_EQ(copy.Height(), 200);
    EXPECT_FALSE(picture.IsEmpty());
}

TEST(VectorPictureContent, MeasuresTextLikeTheCanvas) {
    VectorPicture picture(1000, 1000, 600);
    QImage image = WhiteImage(10, 10);
    QPainterCanvas canvas(&image);
    Font font;
    font.size = 10;
    for (Canvas* c : {static_cast<Canvas*>(&picture), static_cast<Canvas*>(&canvas)}) {
        c->SetPixelsPerInch(600);
        c->SetFont(font);
    }
    const QString text = QStringLiteral("Chovatelská stanice");
    EXPECT_EQ(picture.TextWidth(text), canvas.TextWidth(text));
    EXPECT_EQ(picture.TextHeight(text), canvas.TextHeight(text));
    EXPECT_GT(picture.TextWidth(text), 0);
}

TEST(VectorPictureContent, FontSizeFollowsTheResolutionItWasSetAt) {
    VectorPicture picture(1000, 1000, 600);
    picture.SetPixelsPerInch(100);
    Font font;
    font.size = 60;  // 10 points at scale 6 on a 100 pixels-per-inch canvas
    picture.SetFont(font);
    picture.TextOut(QPoint(0, 0), QStringLiteral("A"));
    const PictureContent& content = picture.Content();
    ASSERT_FALSE(content.fonts.isEmpty());
    EXPECT_DOUBLE_EQ(content.fonts.last().pixelSize, 60.0 * 100 / 72);
}
