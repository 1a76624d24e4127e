// Replay of a vector picture onto another canvas, scaled into a rectangle.
#include <cmath>

#include "platform/paint/device_units.h"
#include "platform/paint/vector_picture.h"

namespace platform {

namespace {

// Maps picture units onto the target rectangle. Edges are mapped (not sizes),
// so shapes that touch in the picture still touch after scaling.
class Mapping {
  public:
    Mapping(const PictureContent& content, const QRect& target)
        : sx_(static_cast<double>(target.width()) / content.width),
          sy_(static_cast<double>(target.height()) / content.height),
          ox_(target.x()),
          oy_(target.y()),
          identity_(target.width() == content.width && target.height() == content.height) {}

    bool Identity() const { return identity_; }
    double ScaleY() const { return sy_; }
    int X(qint64 x) const { return ToDeviceUnits(ox_ + (identity_ ? x : x * sx_)); }
    int Y(qint64 y) const { return ToDeviceUnits(oy_ + (identity_ ? y : y * sy_)); }
    QPoint Point(QPoint p) const { return QPoint(X(p.x()), Y(p.y())); }
    QRect Rect(const QRect& r) const {
        const qint64 right = static_cast<qint64>(r.left()) + r.width();
        const qint64 bottom = static_cast<qint64>(r.top()) + r.height();
        return QRect(QPoint(X(r.left()), Y(r.top())), QPoint(X(right) - 1, Y(bottom) - 1));
    }
    int Width(int w) const {
        if (identity_ || w <= 0) {
            return w;
        }
        return qMax(1, ToDeviceUnits(w * (sx_ + sy_) / 2.0));
    }
    int DX(int d) const { return identity_ ? d : ToDeviceUnits(d * sx_); }
    int DY(int d) const { return identity_ ? d : ToDeviceUnits(d * sy_); }

    // Advances scaled along their running sum, so rounding never drifts.
    QVector<int> Advances(const QVector<int>& advances) const {
        if (identity_) {
            return advances;
        }
        QVector<int> scaled(advances.size());
        qint64 sum = 0;
        int placed = 0;
        for (int i = 0; i < advances.size(); ++i) {
            sum += advances.at(i);
            const int end = ToDeviceUnits(sum * sx_);
            scaled[i] = end - placed;
            placed = end;
        }
        return scaled;
    }

  private:
    double sx_;
    double sy_;
    qint64 ox_;
    qint64 oy_;
    bool identity_;
};

// The target's drawing state, put back when the replay ends.
struct SavedState {
    explicit SavedState(Canvas& canvas)
        : canvas(canvas),
          pen(canvas.GetPen()),
          brush(canvas.GetBrush()),
          font(canvas.GetFont()),
          baseline(canvas.GetBaselineAlignment()),
          transparent(canvas.GetTransparentText()),
          clip(canvas.GetClipRect()) {}
    ~SavedState() {
        canvas.SetPen(pen);
        canvas.SetBrush(brush);
        canvas.SetFont(font);
        canvas.SetBaselineAlignment(baseline);
        canvas.SetTransparentText(transparent);
        if (clip) {
            canvas.SetClipRect(*clip);
        } else {
            canvas.ClearClip();
        }
    }
    Canvas& canvas;
    Pen pen;
    Brush brush;
    Font font;
    bool baseline;
    bool transparent;
    std::optional<QRect> clip;
};

class Player {
  public:
    Player(const PictureContent& content, Canvas& target, const QRect& rect)
        : content_(content), target_(target), map_(content, rect), saved_(target) {}

    void Run() {
        // The picture was recorded from the default drawing state.
        target_.SetPen(Pen());
        target_.SetBrush(Brush());
        target_.SetFont(ScaledFont(PictureFont{Font(), content_.initialFontPixels}));
        target_.SetBaselineAlignment(false);
        target_.SetTransparentText(false);
        for (const PictureOp& op : content_.ops) {
            Step(op);
        }
    }

  private:
    void Step(const PictureOp& op) {
        switch (op.kind) {
            case PictureOpKind::Pen: {
                Pen pen = content_.pens.at(op.index);
                pen.width = map_.Width(pen.width);
                target_.SetPen(pen);
                break;
            }
            case PictureOpKind::Brush:
                target_.SetBrush(content_.brushes.at(op.index));
                break;
            case PictureOpKind::Font:
                target_.SetFont(ScaledFont(content_.fonts.at(op.index)));
                break;
            case PictureOpKind::Baseline:
                target_.SetBaselineAlignment(op.a != 0);
                break;
            case PictureOpKind::Transparent:
                target_.SetTransparentText(op.a != 0);
                break;
            case PictureOpKind::MoveTo:
                target_.MoveTo(map_.Point(op.rect.topLeft()));
                break;
            case PictureOpKind::LineTo:
                target_.LineTo(map_.Point(op.rect.topLeft()));
                break;
            case PictureOpKind::Rectangle:
                target_.Rectangle(map_.Rect(op.rect));
                break;
            case PictureOpKind::RoundRect:
                target_.RoundRect(map_.Rect(op.rect), map_.DX(op.a), map_.DY(op.b));
                break;
            case PictureOpKind::Ellipse:
                target_.Ellipse(map_.Rect(op.rect));
                break;
            case PictureOpKind::Polygon:
                PlayPolygon(content_.polygons.at(op.index));
                break;
            case PictureOpKind::FillRect:
                target_.FillRect(map_.Rect(op.rect));
                break;
            case PictureOpKind::FrameRect:
                target_.FrameRect(map_.Rect(op.rect));
                break;
            case PictureOpKind::Pixel:
                target_.SetPixel(map_.Point(op.rect.topLeft()),
                                 QColor::fromRgba(static_cast<QRgb>(op.a)));
                break;
            case PictureOpKind::Text:
                PlayText(op.rect.topLeft(), content_.texts.at(op.index));
                break;
            case PictureOpKind::Bitmap:
                target_.StretchBitmap(map_.Rect(op.rect), content_.bitmaps.at(op.index));
                break;
            case PictureOpKind::Clip: {
                QRect clip = map_.Rect(op.rect);
                if (saved_.clip) {
                    clip &= *saved_.clip;
                }
                target_.SetClipRect(clip);
                break;
            }
            case PictureOpKind::ClearClip:
                if (saved_.clip) {
                    target_.SetClipRect(*saved_.clip);
                } else {
                    target_.ClearClip();
                }
                break;
        }
    }

    Font ScaledFont(const PictureFont& recorded) const {
        Font font = recorded.font;
        font.size = recorded.pixelSize * map_.ScaleY() * 72.0 / target_.PixelsPerInch();
        return font;
    }

    void PlayPolygon(const QPolygon& points) {
        if (map_.Identity()) {
            if (map_.X(0) == 0 && map_.Y(0) == 0) {
                target_.Polygon(points);
                return;
            }
        }
        QPolygon mapped(points.size());
        for (int i = 0; i < points.size(); ++i) {
            mapped[i] = map_.Point(points.at(i));
        }
        target_.Polygon(mapped);
    }

    void PlayText(QPoint point, const PictureText& text) {
        const QPoint at = map_.Point(point);
        if (text.explicitAdvances) {
            target_.ExtTextOut(at, text.text, map_.Advances(text.advances));
        } else {
            target_.TextOut(at, text.text);
        }
    }

    const PictureContent& content_;
    Canvas& target_;
    Mapping map_;
    SavedState saved_;
};

}  // namespace

void VectorPicture::Play(Canvas& target, const QRect& target_rect) const {
    if (content_.width <= 0 || content_.height <= 0 || target_rect.isEmpty() ||
        content_.ops.isEmpty()) {
        return;
    }
    Player(content_, target, target_rect).Run();
}

}  // namespace platform
