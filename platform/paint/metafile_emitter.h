#pragma once
// The walk over a picture's operations shared by the EMF and WMF writers. It
// keeps track of what the playing device context holds (pen, brush, font,
// text colour, background mode and colour, text alignment) and emits a state
// record only when a drawing operation needs a state the context does not
// have yet. The derived writers encode the records.

#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QVector>

#include <optional>

#include "platform/paint/picture_content.h"

namespace platform {

class MetafileEmitter {
  public:
    virtual ~MetafileEmitter() = default;

  protected:
    explicit MetafileEmitter(const PictureContent& content);

    // Emits every operation of the picture.
    void Walk();
    // After the playing context lost its state (a restored save): colours,
    // modes and alignment are set again before their next use; the selected
    // objects too unless the writer selects them again itself.
    void ForgetDeviceState(bool objects);

    virtual void EmitPen(const Pen& pen) = 0;  // pen.style is never None here
    virtual void EmitNullPen() = 0;
    virtual void EmitBrush(const Brush& brush) = 0;  // any style
    virtual void EmitFont(const PictureFont& font) = 0;
    virtual void EmitTextColor(quint32 colorRef) = 0;
    virtual void EmitBkColor(quint32 colorRef) = 0;
    virtual void EmitBkMode(quint32 mode) = 0;
    virtual void EmitTextAlign(quint32 align) = 0;
    virtual void EmitMoveTo(QPoint point) = 0;
    virtual void EmitLineTo(QPoint point) = 0;
    // Rectangles as GDI takes them: left, top, right, bottom (exclusive).
    virtual void EmitRectangle(int left, int top, int right, int bottom) = 0;
    virtual void EmitRoundRect(int left, int top, int right, int bottom, int cornerWidth,
                               int cornerHeight) = 0;
    virtual void EmitEllipse(int left, int top, int right, int bottom) = 0;
    virtual void EmitPolygon(const QPolygon& points) = 0;
    virtual void EmitPixel(QPoint point, quint32 colorRef) = 0;
    virtual void EmitText(QPoint point, const PictureFont& font, const QString& text,
                          const QVector<int>& advances) = 0;
    virtual void EmitBitmap(const QRect& target, const QImage& image) = 0;
    virtual void EmitClip(int left, int top, int right, int bottom) = 0;
    virtual void EmitClearClip() = 0;

    const PictureContent& content_;

  private:
    void Step(const PictureOp& op);
    void EnsurePen();
    void EnsureBrush();
    void EnsureFont();
    void EnsureBkMode(quint32 mode);
    void FillBox(int left, int top, int right, int bottom);
    void DrawText(const PictureOp& op);

    const Pen* pen_ = nullptr;
    const Brush* brush_ = nullptr;
    PictureFont defaultFont_;
    const PictureFont* font_ = nullptr;
    bool baseline_ = false;
    bool transparent_ = false;

    bool penSelected_ = false;
    bool brushSelected_ = false;
    bool fontSelected_ = false;
    std::optional<quint32> textColor_;
    std::optional<quint32> bkColor_;
    std::optional<quint32> bkMode_;
    std::optional<quint32> textAlign_;
};

}  // namespace platform
