#pragma once
// The canvas on the pages of a PDF document, drawing with the rules of
// QPainterCanvas (figure boxes, pen dashes and caps, text placed glyph by
// glyph at its advances, decorations, opaque backgrounds, rotated text), but
// writing the content stream itself: one text object per text, fonts,
// colours, line styles and clips set only when they change. The page's
// units are the picture's; the page transform maps them to points with y
// running down. Text stays text in embedded fonts (pdf_fonts.h); characters
// the face has no glyph for come from the fallback face Qt's font matching
// picks. Pages go to the document as they are finished.

#include <QHash>
#include <QRawFont>

#include <optional>

#include "platform/paint/canvas.h"
#include "platform/paint/pdf_syntax.h"

namespace platform {

class PdfDocument;
class PdfFont;
struct GlyphString;

class PdfCanvas final : public Canvas {
  public:
    explicit PdfCanvas(PdfDocument& document);
    ~PdfCanvas() override;
    PdfCanvas(const PdfCanvas&) = delete;
    PdfCanvas& operator=(const PdfCanvas&) = delete;

    // Starts a page of `width` x `height` units of which `unitsPerInch` make
    // an inch; the drawing state goes back to the defaults and the canvas's
    // pixels per inch to the units per inch.
    void BeginPage(int width, int height, int unitsPerInch);
    // Hands the page to the document.
    void EndPage();

    int PixelsPerInch() const override { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi) override;

    void SetPen(const Pen& pen) override { pen_ = pen; }
    const Pen& GetPen() const override { return pen_; }
    void SetBrush(const Brush& brush) override { brush_ = brush; }
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

    void SetClipRect(const QRect& rect) override { clip_ = rect.normalized(); }
    void ClearClip() override { clip_.reset(); }
    std::optional<QRect> GetClipRect() const override { return clip_; }

  private:
    // What the content stream has set; unknown values are written anew.
    struct GraphicsState {
        QRgb fill = qRgb(0, 0, 0);
        QByteArray fillPattern;  // the pattern filling, when not a colour
        QRgb stroke = qRgb(0, 0, 0);
        double lineWidth = 1.0;
        int cap = 0;
        int join = 0;
        QByteArray dash;  // empty: solid
        const PdfFont* font = nullptr;
        double fontSize = 0.0;
    };
    // A face at a size with the metrics text placement needs.
    struct TextFace {
        QRawFont face;
        PdfFont* font = nullptr;
        int ascent = 0;
        int descent = 0;
        double underlinePosition = 0.0;
        double thickness = 1.0;
        double xHeight = 0.0;
    };
    struct Fallback {
        QRawFont face;
        quint32 glyph = 0;
    };

    QSize PageSizeInPoints() const;
    double FontPixels() const;
    const TextFace& CurrentFace();
    void SetFill(QRgb colour);
    void SetBrushFill();
    void SetStroke();
    void SetFontOf(const PdfFont& font, double size);
    // Writes the path operator for a closed figure: fill, stroke or both.
    void PaintFigure(bool evenOdd);
    bool HasPen() const { return pen_.style != PenStyle::None; }
    bool HasBrush() const { return brush_.style != BrushStyle::None; }
    void Point(double x, double y);
    void RectPath(const QRectF& rect);

    void DrawText(QPoint point, const QString& text, const QVector<int>* advances);
    void WriteGlyphRun(const TextFace& face, const QVector<quint32>& glyphs,
                       const QVector<double>& at, const QVector<int>& firstUnit,
                       const QString& text, QPointF origin);
    void WriteType3Run(const TextFace& face, const QVector<quint32>& glyphs,
                       const QVector<double>& at, const QVector<int>& firstUnit,
                       const QString& text, QPointF origin);
    void DrawMissingGlyphs(const QString& text, const QVector<quint32>& glyphs,
                           const QVector<int>& firstUnit, const QVector<double>& positions,
                           QPointF origin);
    Fallback FallbackFor(char32_t codePoint, const QString& character);
    void FillDecoration(double x, double y, double width, double height);

    // As QPainterCanvas: a drawing whose ink lies inside the clip is drawn
    // under any clip that holds it, so clip changes are few.
    void ApplyClip(const std::optional<QRectF>& inkBounds);
    void SetContentClip(const std::optional<QRect>& clip);
    void Save();
    void Restore();

    PdfDocument& document_;
    PdfBuffer content_;
    int width_ = 0;
    int height_ = 0;
    int unitsPerInch_ = 600;
    QByteArray patternMatrix_;
    int pixelsPerInch_ = 600;
    Pen pen_;
    Brush brush_;
    Font font_;
    QPoint position_;
    bool baseline_ = false;
    bool transparent_ = false;
    std::optional<QRect> clip_;
    std::optional<QRect> appliedClip_;
    GraphicsState state_;
    QVector<GraphicsState> saved_;
    QHash<QString, TextFace> faces_;
    Font facesFont_;  // the font CurrentFace() was resolved for
    double facesPixels_ = -1.0;
    TextFace currentFace_;
    QHash<QString, Fallback> fallbacks_;
    // Per text, kept to save allocations: glyphs, their first UTF-16 units
    // and their x along the baseline.
    QVector<quint32> glyphs_;
    QVector<int> firstUnit_;
    QVector<double> positions_;
};

}  // namespace platform
