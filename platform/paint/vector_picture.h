#pragma once
// The vector picture (page image): a canvas that records what is drawn on it,
// with a logical size in its own units (600 per inch for report pages). It
// replays onto any canvas scaled into a rectangle, writes itself as an
// enhanced metafile (EMF) or a placeable Windows metafile (WMF), and reads an
// EMF back (spool files carry their pages as EMF).

#include <QByteArray>

#include "platform/paint/canvas.h"
#include "platform/paint/picture_content.h"

class QIODevice;

namespace platform {

class VectorPicture final : public Canvas {
  public:
    VectorPicture() = default;
    VectorPicture(int width, int height, int unitsPerInch = 600);

    int Width() const { return content_.width; }
    int Height() const { return content_.height; }
    void SetSize(int width, int height);
    int UnitsPerInch() const { return content_.unitsPerInch; }
    void SetUnitsPerInch(int unitsPerInch);
    bool IsEmpty() const { return content_.ops.isEmpty(); }
    // Drops every recorded operation and returns the drawing state to the
    // defaults; the size stays.
    void Clear();
    const PictureContent& Content() const { return content_; }

    // Replays the picture scaled so that its logical rectangle fills
    // `target`. The target canvas's pen, brush, font, text modes and clip are
    // the same afterwards; the picture's clipping stays inside the target's.
    void Play(Canvas& target, const QRect& target_rect) const;

    QByteArray ToEmf() const;
    bool SaveEmf(QIODevice& device) const;
    QByteArray ToWmf() const;
    bool SaveWmf(QIODevice& device) const;
    // Replaces the picture with the content of an EMF. Damaged input (bad
    // header, truncated or lying record sizes, absurd dimensions) is refused:
    // false, the picture unchanged, and `error` says why.
    bool LoadEmf(const QByteArray& bytes, QString* error = nullptr);
    // Reads at most `maxBytes` from the device.
    bool LoadEmf(QIODevice& device, QString* error = nullptr, qint64 maxBytes = 256 << 20);

    int PixelsPerInch() const override { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi) override;

    void SetPen(const Pen& pen) override;
    const Pen& GetPen() const override { return pen_; }
    void SetBrush(const Brush& brush) override;
    const Brush& GetBrush() const override { return brush_; }
    void SetFont(const Font& font) override;
    const Font& GetFont() const override { return font_; }

    void MoveTo(QPoint point) override;
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
    void SetBaselineAlignment(bool on) override;
    void SetTransparentText(bool on) override;
    bool GetBaselineAlignment() const override { return baseline_; }
    bool GetTransparentText() const override { return transparent_; }

    void StretchDraw(const QRect& target, const VectorPicture& picture) override;
    void StretchBitmap(const QRect& target, const QImage& bitmap) override;

    void SetClipRect(const QRect& rect) override;
    void ClearClip() override;
    std::optional<QRect> GetClipRect() const override { return clip_; }

  private:
    void Record(PictureOpKind kind, const QRect& rect = QRect(), int index = -1, int a = 0,
                int b = 0);
    double FontPixels() const;
    void RecordText(QPoint point, const QString& text, const QVector<int>* advances);

    PictureContent content_;
    int pixelsPerInch_ = 600;
    Pen pen_;
    Brush brush_;
    Font font_;
    bool baseline_ = false;
    bool transparent_ = false;
    std::optional<QRect> clip_;
};

}  // namespace platform
