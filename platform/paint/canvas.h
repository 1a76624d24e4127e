#pragma once
// The drawing surface the report output draws on: pen, brush and font state
// plus shape, text and picture operations in integer device units, the way a
// GDI device context behaves. QPainterCanvas draws on any QPaintDevice; the
// vector picture records the same calls and replays or writes them as EMF/WMF.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QVector>

#include <optional>

namespace platform {

class VectorPicture;

enum class PenStyle { Solid, Dash, Dot, DashDot, None };

struct Pen {
    QColor color = Qt::black;
    PenStyle style = PenStyle::Solid;
    int width = 0;  // device units; 0 is the thinnest line the device draws
    bool operator==(const Pen&) const = default;
};

// A Pattern brush paints the set pixels of its 8 x 8 pattern (black, or
// colour index 1 of a monochrome image) in the brush colour and leaves the
// other pixels untouched, like a GDI hatch brush on a transparent background.
// HatchPattern() (hatch_patterns.h) gives the six GDI hatches as patterns.
enum class BrushStyle { Solid, None, Pattern };

struct Brush {
    QColor color = Qt::white;
    BrushStyle style = BrushStyle::Solid;
    QImage pattern;  // 8 x 8 monochrome pattern when style is Pattern
    bool operator==(const Brush& other) const {
        return color == other.color && style == other.style && pattern == other.pattern;
    }
};

struct Font {
    QString name = QStringLiteral("Arial");
    double size = 10.0;  // points, at the canvas's pixels-per-inch
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 238;  // EASTEUROPE_CHARSET, what Czech templates carry
    bool fixedPitch = false;
    QColor color = Qt::black;
    int escapement = 0;  // rotation in tenths of a degree, counter-clockwise
    bool operator==(const Font&) const = default;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Pixels per inch that font sizes are converted with; callers may set it
    // (the report output draws page images at 600 units per inch).
    virtual int PixelsPerInch() const = 0;
    virtual void SetPixelsPerInch(int ppi) = 0;

    virtual void SetPen(const Pen& pen) = 0;
    virtual const Pen& GetPen() const = 0;
    virtual void SetBrush(const Brush& brush) = 0;
    virtual const Brush& GetBrush() const = 0;
    virtual void SetFont(const Font& font) = 0;
    virtual const Font& GetFont() const = 0;

    virtual void MoveTo(QPoint point) = 0;
    virtual void LineTo(QPoint point) = 0;
    virtual void Rectangle(const QRect& rect) = 0;
    virtual void RoundRect(const QRect& rect, int cornerWidth, int cornerHeight) = 0;
    virtual void Ellipse(const QRect& rect) = 0;
    virtual void Polygon(const QPolygon& points) = 0;
    virtual void FillRect(const QRect& rect) = 0;   // brush only, no outline
    virtual void FrameRect(const QRect& rect) = 0;  // one-unit outline in the brush colour
    virtual void SetPixel(QPoint point, const QColor& color) = 0;

    // Text at `point` (top-left, or the baseline when baseline alignment is on)
    // with the current font.
    virtual void TextOut(QPoint point, const QString& text) = 0;
    // Text with explicit per-character advances in device units (one per
    // UTF-16 code unit of `text`); the layouter relies on exact placement.
    virtual void ExtTextOut(QPoint point, const QString& text, const QVector<int>& advances) = 0;
    virtual int TextWidth(const QString& text) = 0;
    virtual int TextHeight(const QString& text) = 0;
    virtual void SetBaselineAlignment(bool on) = 0;
    virtual void SetTransparentText(bool on) = 0;
    virtual bool GetBaselineAlignment() const { return false; }
    virtual bool GetTransparentText() const { return false; }

    virtual void StretchDraw(const QRect& target, const VectorPicture& picture) = 0;
    // A bitmap stretched colour-on-colour into the target rectangle.
    virtual void StretchBitmap(const QRect& target, const QImage& bitmap) = 0;

    virtual void SetClipRect(const QRect& rect) = 0;
    virtual void ClearClip() = 0;
    // The clip rectangle in force, none when drawing is not clipped. Replaying
    // a picture uses it to keep the picture's own clipping inside the caller's.
    virtual std::optional<QRect> GetClipRect() const { return std::nullopt; }
};

}  // namespace platform
