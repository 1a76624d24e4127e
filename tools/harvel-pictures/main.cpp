// harvel-pictures OUTDIR: draws the launcher picture uvod.emf and the splash
// picture Splash.bmp that the installation ships in its other folder. The
// launcher picture is a vector drawing written by the program's own EMF
// writer; the splash is the same drawing rendered as a bitmap.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "platform/paint/qpainter_canvas.h"
#include "platform/paint/vector_picture.h"

namespace {

using platform::Brush;
using platform::BrushStyle;
using platform::Canvas;
using platform::Font;
using platform::Pen;
using platform::PenStyle;

constexpr int kWidth = 1200;  // drawing units, 200 per inch
constexpr int kHeight = 800;

const QColor kCream(250, 243, 228);
const QColor kBrown(122, 74, 40);
const QColor kDarkBrown(74, 43, 22);
const QColor kTan(214, 168, 112);
const QColor kGreen(46, 94, 62);

void Fill(Canvas& canvas, const QColor& color) {
    canvas.SetPen(Pen{color, PenStyle::None, 0});
    canvas.SetBrush(Brush{color, BrushStyle::Solid, {}});
}

void Outline(Canvas& canvas, const QColor& line, int width, const QColor& fill) {
    canvas.SetPen(Pen{line, PenStyle::Solid, width});
    canvas.SetBrush(Brush{fill, BrushStyle::Solid, {}});
}

// A paw print: the pad and four toes, centred at `c`, `size` wide.
void Paw(Canvas& canvas, QPoint c, int size, const QColor& color) {
    Fill(canvas, color);
    const int pad = size * 5 / 10;
    canvas.Ellipse(QRect(c.x() - pad / 2, c.y(), pad, pad * 8 / 10));
    const int toe = size * 22 / 100;
    const QPoint toes[] = {{-size * 42 / 100, -size * 8 / 100},
                           {-size * 16 / 100, -size * 30 / 100},
                           {size * 16 / 100, -size * 30 / 100},
                           {size * 42 / 100, -size * 8 / 100}};
    for (const QPoint& t : toes) {
        canvas.Ellipse(QRect(c.x() + t.x() - toe / 2, c.y() + t.y() - toe / 2, toe, toe * 13 / 10));
    }
}

// A beagle-like head looking at the viewer, centred at `c`.
void DogHead(Canvas& canvas, QPoint c) {
    // Ears hang behind the head.
    Outline(canvas, kDarkBrown, 4, kDarkBrown);
    canvas.Ellipse(QRect(c.x() - 215, c.y() - 120, 120, 290));
    canvas.Ellipse(QRect(c.x() + 95, c.y() - 120, 120, 290));
    Outline(canvas, kDarkBrown, 4, kBrown);
    canvas.Ellipse(QRect(c.x() - 140, c.y() - 190, 280, 300));
    // The white blaze and the muzzle.
    Outline(canvas, kDarkBrown, 0, Qt::white);
    canvas.SetPen(Pen{Qt::white, PenStyle::None, 0});
    canvas.Polygon(QPolygon({QPoint(c.x() - 22, c.y() - 185), QPoint(c.x() + 22, c.y() - 185),
                             QPoint(c.x() + 60, c.y() + 40), QPoint(c.x() - 60, c.y() + 40)}));
    Outline(canvas, kDarkBrown, 3, Qt::white);
    canvas.Ellipse(QRect(c.x() - 105, c.y() + 10, 210, 150));
    // Eyes and nose.
    Fill(canvas, kDarkBrown);
    canvas.Ellipse(QRect(c.x() - 80, c.y() - 70, 42, 46));
    canvas.Ellipse(QRect(c.x() + 38, c.y() - 70, 42, 46));
    Fill(canvas, Qt::white);
    canvas.Ellipse(QRect(c.x() - 66, c.y() - 62, 12, 12));
    canvas.Ellipse(QRect(c.x() + 52, c.y() - 62, 12, 12));
    Fill(canvas, Qt::black);
    canvas.Ellipse(QRect(c.x() - 42, c.y() + 22, 84, 56));
    // The mouth.
    canvas.SetPen(Pen{kDarkBrown, PenStyle::Solid, 5});
    canvas.MoveTo(QPoint(c.x(), c.y() + 78));
    canvas.LineTo(QPoint(c.x(), c.y() + 110));
    canvas.LineTo(QPoint(c.x() - 40, c.y() + 128));
    canvas.MoveTo(QPoint(c.x(), c.y() + 110));
    canvas.LineTo(QPoint(c.x() + 40, c.y() + 128));
}

void Text(Canvas& canvas, QPoint at, const QString& text, double size, bool bold,
          const QColor& color) {
    Font font;
    font.name = QStringLiteral("Times New Roman");
    font.size = size;
    font.bold = bold;
    font.color = color;
    canvas.SetFont(font);
    canvas.SetTransparentText(true);
    canvas.TextOut(QPoint(at.x() - canvas.TextWidth(text) / 2, at.y()), text);
}

void DrawLauncherPicture(Canvas& canvas) {
    canvas.SetPixelsPerInch(200);
    Outline(canvas, kGreen, 10, kCream);
    canvas.RoundRect(QRect(10, 10, kWidth - 20, kHeight - 20), 120, 120);
    canvas.SetPen(Pen{kTan, PenStyle::Solid, 4});
    canvas.SetBrush(Brush{kCream, BrushStyle::None, {}});
    canvas.RoundRect(QRect(40, 40, kWidth - 80, kHeight - 80), 90, 90);
    // A trail of paw prints across the lower edge.
    for (int i = 0; i < 6; ++i) {
        Paw(canvas, QPoint(130 + i * 190, 715 - (i % 2) * 25), 60, kTan);
    }
    DogHead(canvas, QPoint(kWidth / 2, 270));
    Text(canvas, QPoint(kWidth / 2, 430), QStringLiteral("Harvel"), 36, true, kGreen);
    Text(canvas, QPoint(kWidth / 2, 600), QStringLiteral("evidence chovatelské stanice"), 16, false,
         kDarkBrown);
}

bool WriteLauncherPicture(const QString& file) {
    platform::VectorPicture picture;
    picture.SetUnitsPerInch(200);
    picture.SetSize(kWidth, kHeight);
    DrawLauncherPicture(picture);
    QFile out(file);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && picture.SaveEmf(out);
}

// The splash: the drawing at the splash window's size, "Harvel 1.0" under it.
bool WriteSplash(const QString& file) {
    platform::VectorPicture picture;
    picture.SetUnitsPerInch(200);
    picture.SetSize(kWidth, kHeight);
    DrawLauncherPicture(picture);
    QImage image(341, 253, QImage::Format_RGB32);
    image.fill(kCream);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        platform::QPainterCanvas canvas(&painter);
        picture.Play(canvas, QRect(0, 0, 341, 227));
        canvas.SetPixelsPerInch(96);
        Text(canvas, QPoint(170, 224), QStringLiteral("verze 1.0"), 9, false, kDarkBrown);
    }
    return image.save(file, "BMP");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("Použití: harvel-pictures OUTDIR\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "Složka %s neexistuje.\n", argv[1]);
        return 1;
    }
    if (!WriteLauncherPicture(folder.filePath(QStringLiteral("uvod.emf"))) ||
        !WriteSplash(folder.filePath(QStringLiteral("Splash.bmp")))) {
        std::fputs("Obrázky nelze zapsat.\n", stderr);
        return 1;
    }
    return 0;
}
