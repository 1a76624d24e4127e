#pragma once
// The report's drawing and measuring canvas. It draws through another canvas
// (a page image's recording canvas, a printer, an image) and pins every font to
// its own font resolution: a font of S points is S * FontResolution / 72
// pixels high on it, whatever the device below. Measuring (TextWidth,
// TextHeight, CharWidth) never asks the device: advances come from the font
// files in design units (font_metrics.h), so layouts are the same on every
// device. A canvas made without a target only measures.
//
// Font changes reach the target lazily, right before something is drawn, so
// measuring on a recording canvas does not fill the recording with fonts.

#include <QString>

#include <optional>

#include "platform/paint/canvas.h"
#include "report/output/font_metrics.h"

class TLumexCanvas : public platform::Canvas {
  public:
    // A measuring-only canvas.
    explicit TLumexCanvas(int fontResolution);
    // Drawing goes to `target`, which must outlive this canvas.
    TLumexCanvas(platform::Canvas& target, int fontResolution);

    // Pixels per inch of the fonts set on this canvas.
    int FontResolution() const { return fontResolution_; }
    void SetFontResolution(int pixelsPerInch);

    // Makes the target convert font sizes with FontResolution. Called once
    // after creation and whenever the font changes.
    void PinFont();

    // Device-independent measuring in pixels of FontResolution.
    int CharWidth(char16_t ch) { return face_->Advance(ch, pixelSize_); }
    int FontHeight() const { return face_->Height(pixelSize_); }
    int FontAscent() const { return face_->Ascent(pixelSize_); }
    int FontDescent() const { return face_->Descent(pixelSize_); }
    TFontFace* Face() const { return face_; }
    double PixelSize() const { return pixelSize_; }

    platform::Canvas* Target() const { return target_; }

    // platform::Canvas
    int PixelsPerInch() const override { return fontResolution_; }
    void SetPixelsPerInch(int ppi) override { SetFontResolution(ppi); }
    void SetPen(const platform::Pen& pen) override;
    const platform::Pen& GetPen() const override { return pen_; }
    void SetBrush(const platform::Brush& brush) override;
    const platform::Brush& GetBrush() const override { return brush_; }
    void SetFont(const platform::Font& font) override;
    const platform::Font& GetFont() const override { return font_; }

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

    void StretchDraw(const QRect& target, const platform::VectorPicture& picture) override;
    void StretchBitmap(const QRect& target, const QImage& bitmap) override;

    void SetClipRect(const QRect& rect) override;
    void ClearClip() override;
    std::optional<QRect> GetClipRect() const override { return clip_; }

  private:
    void ResolveFace();
    void FlushFont();

    platform::Canvas* target_ = nullptr;
    int fontResolution_ = 100;
    platform::Pen pen_;
    platform::Brush brush_;
    platform::Font font_;
    bool fontPending_ = true;
    bool baseline_ = false;
    bool transparent_ = false;
    std::optional<QRect> clip_;
    TFontFace* face_ = nullptr;
    double pixelSize_ = 0;
};
