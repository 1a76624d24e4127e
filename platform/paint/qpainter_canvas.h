#pragma once
// The canvas on any Qt paint device (a widget, a QImage, a QPrinter, a
// QPdfWriter), drawing through QPainter with the rules of a GDI device
// context: shapes are outlined with the pen and filled with the brush, their
// right and bottom edges excluded; lines leave out their last point; fonts
// are sized in points at the canvas's own pixels-per-inch, whatever the
// device's resolution; text is placed glyph by glyph at the given advances.

#include <QPen>

#include <memory>
#include <optional>

#include "platform/paint/canvas.h"

class QPaintDevice;
class QPainter;
class QRawFont;

namespace platform {

struct GlyphString;

class QPainterCanvas final : public Canvas {
  public:
    // Opens a painter of its own on `device` (ended with the canvas).
    explicit QPainterCanvas(QPaintDevice* device);
    // Draws through the caller's active painter; its state is saved here and
    // restored when the canvas goes away.
    explicit QPainterCanvas(QPainter* painter);
    ~QPainterCanvas() override;
    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    QPainter* Painter() const { return painter_; }

    int PixelsPerInch() const override { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi) override;

    void SetPen(const Pen& pen) override;
    const Pen& GetPen() const override { return pen_; }
    void SetBrush(const Brush& brush) override;
    const Brush& GetBrush() const override { return brush_; }
    void SetFont(const Font& font) override { font_ = font; }
    const Font& GetFont() const override { return font_; }

    void MoveTo(QPoint point) override { position_ = point; }
    void LineTo(QPoint point) override;
    void Rectangle(const QRect& rect) override;
    void RoundRect(const QRect& rect, int cornerWidth, int cornerHeight) override;
    void Ellipse(const QRect& rect) override;
    void Polygon(const QPolygon& points) override;
    void FillRect(const QRect& rect) override;
    void FrameRect(const QRect& rect) override;
    void SetPixel(QPoint point, const QColor& color) override;

    void TextOut(QPoint point, const QString& text) override;
    void ExtTextOut(QPoint point, const QString& text, const QVector<int>& advances) override;
    int TextWidth(const QString& text) override;
    int TextHeight(const QString& text) override;
    void SetBaselineAlignment(bool on) override { baseline_ = on; }
    void SetTransparentText(bool on) override { transparent_ = on; }
    bool GetBaselineAlignment() const override { return baseline_; }
    bool GetTransparentText() const override { return transparent_; }

    void StretchDraw(const QRect& target, const VectorPicture& picture) override;
    void StretchBitmap(const QRect& target, const QImage& bitmap) override;

    void SetClipRect(const QRect& rect) override;
    void ClearClip() override;
    std::optional<QRect> GetClipRect() const override { return clip_; }

  private:
    void Init();
    double FontPixels() const;
    // Selects the pen (or none) and brush for a closed figure.
    void PrepareFigure();
    bool UseGlyphImages(double pixels) const;
    void DrawText(QPoint point, const QString& text, const QVector<int>* advances);
    void DrawMissingGlyphs(const QString& text, const GlyphString& glyphs,
                           const QVector<double>& positions, QPointF origin);
    // The clip reaches the painter only where it changes a drawing: a drawing
    // whose ink lies wholly inside the clip (`inkBounds`, logical units) is
    // drawn under any clip that holds it, so a PDF – where every clip change
    // starts the graphics state anew – is asked for far fewer of them.
    // Without bounds the painter gets the clip exactly.
    void ApplyClip(const std::optional<QRectF>& inkBounds);
    void SetPainterClip(const std::optional<QRect>& clip);
    // Logical units that cover two device pixels, or none for a rotating or
    // shearing transform (where bounds are not worked out).
    std::optional<double> InkMargin() const;
    std::optional<QRectF> Grown(const QRectF& bounds) const;

    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_ = nullptr;
    int pixelsPerInch_ = 96;
    Pen pen_;
    Brush brush_;
    Font font_;
    QPen qpen_;
    QBrush qbrush_;
    QPoint position_;
    bool baseline_ = false;
    bool transparent_ = false;
    std::optional<QRect> clip_;
    std::optional<QRect> baseClip_;     // the caller's clip when drawing through its painter
    std::optional<QRect> appliedClip_;  // what the painter clips to now
};

}  // namespace platform
