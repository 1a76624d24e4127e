#include "platform/paint/vector_picture.h"

#include <QBuffer>

#include <cmath>

#include "platform/paint/device_units.h"
#include "platform/paint/font_faces.h"

namespace platform {

VectorPicture::VectorPicture(int width, int height, int unitsPerInch) {
    SetSize(width, height);
    SetUnitsPerInch(unitsPerInch);
    pixelsPerInch_ = content_.unitsPerInch;
    content_.initialFontPixels = FontPixels();
}

void VectorPicture::SetSize(int width, int height) {
    content_.width = qMax(0, width);
    content_.height = qMax(0, height);
}

void VectorPicture::SetUnitsPerInch(int unitsPerInch) {
    if (unitsPerInch > 0) {
        content_.unitsPerInch = unitsPerInch;
    }
}

void VectorPicture::Clear() {
    const int width = content_.width;
    const int height = content_.height;
    const int unitsPerInch = content_.unitsPerInch;
    content_ = PictureContent();
    content_.width = width;
    content_.height = height;
    content_.unitsPerInch = unitsPerInch;
    pen_ = Pen();
    brush_ = Brush();
    font_ = Font();
    content_.initialFontPixels = FontPixels();
    baseline_ = false;
    transparent_ = false;
    clip_.reset();
}

void VectorPicture::Record(PictureOpKind kind, const QRect& rect, int index, int a, int b) {
    content_.ops.append(PictureOp{kind, index, rect, a, b});
}

void VectorPicture::SetPixelsPerInch(int ppi) {
    if (ppi <= 0 || ppi == pixelsPerInch_) {
        return;
    }
    pixelsPerInch_ = ppi;
    // The font keeps its size in points, so its size in units changes.
    content_.fonts.append(PictureFont{font_, FontPixels()});
    Record(PictureOpKind::Font, QRect(), content_.fonts.size() - 1);
}

double VectorPicture::FontPixels() const {
    return FontPixelSize(font_.size, pixelsPerInch_);
}

void VectorPicture::SetPen(const Pen& pen) {
    if (pen == pen_) {
        return;
    }
    pen_ = pen;
    content_.pens.append(pen);
    Record(PictureOpKind::Pen, QRect(), content_.pens.size() - 1);
}

void VectorPicture::SetBrush(const Brush& brush) {
    if (brush == brush_) {
        return;
    }
    brush_ = brush;
    content_.brushes.append(brush);
    Record(PictureOpKind::Brush, QRect(), content_.brushes.size() - 1);
}

void VectorPicture::SetFont(const Font& font) {
    if (font == font_) {
        return;
    }
    font_ = font;
    content_.fonts.append(PictureFont{font, FontPixels()});
    Record(PictureOpKind::Font, QRect(), content_.fonts.size() - 1);
}

void VectorPicture::SetBaselineAlignment(bool on) {
    if (on != baseline_) {
        baseline_ = on;
        Record(PictureOpKind::Baseline, QRect(), -1, on ? 1 : 0);
    }
}

void VectorPicture::SetTransparentText(bool on) {
    if (on != transparent_) {
        transparent_ = on;
        Record(PictureOpKind::Transparent, QRect(), -1, on ? 1 : 0);
    }
}

void VectorPicture::MoveTo(QPoint point) {
    Record(PictureOpKind::MoveTo, QRect(point, point));
}

void VectorPicture::LineTo(QPoint point) {
    Record(PictureOpKind::LineTo, QRect(point, point));
}

void VectorPicture::Rectangle(const QRect& rect) {
    Record(PictureOpKind::Rectangle, rect);
}

void VectorPicture::RoundRect(const QRect& rect, int cornerWidth, int cornerHeight) {
    Record(PictureOpKind::RoundRect, rect, -1, cornerWidth, cornerHeight);
}

void VectorPicture::Ellipse(const QRect& rect) {
    Record(PictureOpKind::Ellipse, rect);
}

void VectorPicture::Polygon(const QPolygon& points) {
    if (points.size() < 2) {
        return;
    }
    content_.polygons.append(points);
    Record(PictureOpKind::Polygon, QRect(), content_.polygons.size() - 1);
}

void VectorPicture::FillRect(const QRect& rect) {
    Record(PictureOpKind::FillRect, rect);
}

void VectorPicture::FrameRect(const QRect& rect) {
    Record(PictureOpKind::FrameRect, rect);
}

void VectorPicture::SetPixel(QPoint point, const QColor& color) {
    Record(PictureOpKind::Pixel, QRect(point, point), -1, static_cast<int>(color.rgba()));
}

void VectorPicture::RecordText(QPoint point, const QString& text, const QVector<int>* advances) {
    if (text.isEmpty()) {
        return;
    }
    PictureText run{text, {}, advances != nullptr};
    if (advances) {
        run.advances = *advances;
        run.advances.resize(text.size());  // missing advances count as 0
    }
    content_.texts.append(run);
    Record(PictureOpKind::Text, QRect(point, point), content_.texts.size() - 1);
}

void VectorPicture::TextOut(QPoint point, const QString& text) {
    RecordText(point, text, nullptr);
}

void VectorPicture::ExtTextOut(QPoint point, const QString& text, const QVector<int>& advances) {
    RecordText(point, text, &advances);
}

int VectorPicture::TextWidth(const QString& text) {
    return ToDeviceUnits(NaturalWidth(FaceFor(font_, FontPixels()), text));
}

int VectorPicture::TextHeight(const QString&) {
    const QRawFont face = FaceFor(font_, FontPixels());
    return CellAscent(face) + CellDescent(face);
}

void VectorPicture::StretchDraw(const QRect& target, const VectorPicture& picture) {
    if (&picture == this) {
        // Playing a picture into itself appends to the records being read.
        // NOLINTNEXTLINE(performance-unnecessary-copy-initialization)
        const VectorPicture copy = picture;
        copy.Play(*this, target);
    } else {
        picture.Play(*this, target);
    }
}

void VectorPicture::StretchBitmap(const QRect& target, const QImage& bitmap) {
    if (bitmap.isNull() || target.isEmpty()) {
        return;
    }
    content_.bitmaps.append(bitmap);
    Record(PictureOpKind::Bitmap, target.normalized(), content_.bitmaps.size() - 1);
}

void VectorPicture::SetClipRect(const QRect& rect) {
    clip_ = rect.normalized();
    Record(PictureOpKind::Clip, *clip_);
}

void VectorPicture::ClearClip() {
    clip_.reset();
    Record(PictureOpKind::ClearClip);
}

bool VectorPicture::SaveEmf(QIODevice& device) const {
    const QByteArray bytes = ToEmf();
    return device.write(bytes) == bytes.size();
}

bool VectorPicture::SaveWmf(QIODevice& device) const {
    const QByteArray bytes = ToWmf();
    return !bytes.isEmpty() && device.write(bytes) == bytes.size();
}

bool VectorPicture::LoadEmf(QIODevice& device, QString* error, qint64 maxBytes) {
    const QByteArray bytes = device.read(maxBytes + 1);
    if (bytes.size() > maxBytes) {
        if (error) {
            *error = QStringLiteral("the metafile is larger than %1 bytes").arg(maxBytes);
        }
        return false;
    }
    return LoadEmf(bytes, error);
}

}  // namespace platform
