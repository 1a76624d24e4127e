#include "platform/paint/qpainter_canvas.h"

#include <QFont>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>

#include "platform/paint/device_units.h"
#include "platform/paint/font_faces.h"
#include "platform/paint/glyph_images.h"
#include "platform/paint/hatch_patterns.h"
#include "platform/paint/vector_picture.h"

namespace platform {

namespace {

// Dash patterns of one-pixel pens, in device pixels, as GDI draws them.
QVector<qreal> CosmeticDashes(PenStyle style) {
    switch (style) {
        case PenStyle::Dash:
            return {18, 6};
        case PenStyle::Dot:
            return {3, 3};
        case PenStyle::DashDot:
            return {9, 6, 3, 6};
        default:
            return {};
    }
}

Qt::PenStyle WidePenStyle(PenStyle style) {
    switch (style) {
        case PenStyle::Dash:
            return Qt::DashLine;
        case PenStyle::Dot:
            return Qt::DotLine;
        case PenStyle::DashDot:
            return Qt::DashDotLine;
        case PenStyle::None:
            return Qt::NoPen;
        case PenStyle::Solid:
            break;
    }
    return Qt::SolidLine;
}

QPen ToQPen(const Pen& pen) {
    if (pen.style == PenStyle::None) {
        return QPen(Qt::NoPen);
    }
    QPen qpen(pen.color);
    if (pen.width <= 1) {
        // Width 0 is Qt's cosmetic one-pixel pen, like GDI's thinnest line.
        qpen.setWidth(pen.width <= 0 ? 0 : 1);
        qpen.setCapStyle(Qt::FlatCap);
        qpen.setJoinStyle(Qt::MiterJoin);
        const QVector<qreal> dashes = CosmeticDashes(pen.style);
        if (!dashes.isEmpty()) {
            qpen.setDashPattern(dashes);
        }
        return qpen;
    }
    // Wide GDI pens have round ends and joins.
    qpen.setWidth(qMin(pen.width, 32767));  // the widest pen QPainter takes
    qpen.setStyle(WidePenStyle(pen.style));
    qpen.setCapStyle(Qt::RoundCap);
    qpen.setJoinStyle(Qt::RoundJoin);
    return qpen;
}

QBrush ToQBrush(const Brush& brush) {
    switch (brush.style) {
        case BrushStyle::None:
            return QBrush(Qt::NoBrush);
        case BrushStyle::Solid:
            return QBrush(brush.color);
        case BrushStyle::Pattern:
            break;
    }
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (PatternBitSet(brush.pattern, x, y)) {
                tile.setPixelColor(x, y, brush.color);
            }
        }
    }
    return QBrush(tile);
}

// The outline of a GDI figure runs through the centres of its first and last
// pixel columns and rows; the right and bottom edges are not part of it.
// Without a pen GDI fills one unit less to the right and bottom (Qt fills
// the pixels whose centres lie inside a pen-less box).
QRectF FigureBox(const QRect& rect, bool outlined) {
    const QRect r = rect.normalized();
    const double offset = outlined ? 0.5 : 0.0;
    return QRectF(r.left() + offset, r.top() + offset, qMax(0, r.width() - 1),
                  qMax(0, r.height() - 1));
}

}  // namespace

QPainterCanvas::QPainterCanvas(QPaintDevice* device)
    : ownPainter_(std::make_unique<QPainter>(device)), painter_(ownPainter_.get()) {
    Init();
}

QPainterCanvas::QPainterCanvas(QPainter* painter) : painter_(painter) {
    painter_->save();
    Init();
}

QPainterCanvas::~QPainterCanvas() {
    if (ownPainter_) {
        ownPainter_->end();
    } else {
        painter_->restore();
    }
}

void QPainterCanvas::Init() {
    if (painter_->device()) {
        pixelsPerInch_ = painter_->device()->logicalDpiY();
    }
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    if (painter_->hasClipping()) {
        baseClip_ = painter_->clipBoundingRect().toAlignedRect();
        clip_ = baseClip_;
        appliedClip_ = baseClip_;
    }
    SetPen(pen_);
    SetBrush(brush_);
}

void QPainterCanvas::SetPixelsPerInch(int ppi) {
    if (ppi > 0) {
        pixelsPerInch_ = ppi;
    }
}

void QPainterCanvas::SetPen(const Pen& pen) {
    pen_ = pen;
    qpen_ = ToQPen(pen);
}

void QPainterCanvas::SetBrush(const Brush& brush) {
    brush_ = brush;
    qbrush_ = ToQBrush(brush);
}

double QPainterCanvas::FontPixels() const {
    return FontPixelSize(font_.size, pixelsPerInch_);
}

void QPainterCanvas::LineTo(QPoint point) {
    if (pen_.style != PenStyle::None && point != position_) {
        const double half = qMax(pen_.width, 1) / 2.0;
        ApplyClip(Grown(QRectF(QPointF(position_), QPointF(point))
                            .normalized()
                            .adjusted(-half, -half, half, half)));
        painter_->setPen(qpen_);
        painter_->drawLine(position_, point);
    }
    position_ = point;
}

void QPainterCanvas::PrepareFigure() {
    ApplyClip(std::nullopt);
    painter_->setPen(qpen_);
    painter_->setBrush(qbrush_);
}

void QPainterCanvas::Rectangle(const QRect& rect) {
    PrepareFigure();
    painter_->drawRect(FigureBox(rect, pen_.style != PenStyle::None));
}

void QPainterCanvas::RoundRect(const QRect& rect, int cornerWidth, int cornerHeight) {
    PrepareFigure();
    painter_->drawRoundedRect(FigureBox(rect, pen_.style != PenStyle::None),
                              qAbs(cornerWidth) / 2.0, qAbs(cornerHeight) / 2.0, Qt::AbsoluteSize);
}

void QPainterCanvas::Ellipse(const QRect& rect) {
    PrepareFigure();
    painter_->drawEllipse(FigureBox(rect, pen_.style != PenStyle::None));
}

void QPainterCanvas::Polygon(const QPolygon& points) {
    if (points.size() < 2) {
        return;
    }
    PrepareFigure();
    QPolygonF shifted(points);
    if (pen_.style != PenStyle::None) {
        shifted.translate(0.5, 0.5);  // the outline through the pixel centres
    }
    painter_->drawPolygon(shifted, Qt::OddEvenFill);
}

void QPainterCanvas::FillRect(const QRect& rect) {
    if (brush_.style != BrushStyle::None) {
        ApplyClip(QRectF(rect.normalized()));
        painter_->fillRect(rect.normalized(), qbrush_);
    }
}

void QPainterCanvas::FrameRect(const QRect& rect) {
    const QRect r = rect.normalized();
    if (brush_.style == BrushStyle::None || r.isEmpty()) {
        return;
    }
    ApplyClip(QRectF(r));
    painter_->fillRect(QRect(r.left(), r.top(), r.width(), 1), qbrush_);
    painter_->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), qbrush_);
    painter_->fillRect(QRect(r.left(), r.top(), 1, r.height()), qbrush_);
    painter_->fillRect(QRect(r.right(), r.top(), 1, r.height()), qbrush_);
}

void QPainterCanvas::SetPixel(QPoint point, const QColor& color) {
    ApplyClip(QRectF(QRect(point, QSize(1, 1))));
    painter_->fillRect(QRect(point, QSize(1, 1)), color);
}

void QPainterCanvas::TextOut(QPoint point, const QString& text) {
    DrawText(point, text, nullptr);
}

void QPainterCanvas::ExtTextOut(QPoint point, const QString& text, const QVector<int>& advances) {
    DrawText(point, text, &advances);
}

int QPainterCanvas::TextWidth(const QString& text) {
    return ToDeviceUnits(NaturalWidth(FaceFor(font_, FontPixels()), text));
}

int QPainterCanvas::TextHeight(const QString&) {
    const QRawFont face = FaceFor(font_, FontPixels());
    return CellAscent(face) + CellDescent(face);
}

void QPainterCanvas::DrawText(QPoint point, const QString& text, const QVector<int>* advances) {
    const double pixels = FontPixels();
    if (text.isEmpty() || !(pixels > 0.0)) {
        return;
    }
    const QRawFont face = FaceFor(font_, pixels);
    const GlyphString glyphs = GlyphsFor(face, text);
    const int count = glyphs.glyphs.size();

    // x of every code point along the baseline; given advances are per
    // UTF-16 unit, so a surrogate pair moves by the sum of its two.
    QVector<double> positions(count + 1, 0.0);
    for (int i = 0; i < count; ++i) {
        double advance = glyphs.advances.at(i);
        if (advances) {
            const int end = i + 1 < count ? glyphs.firstUnit.at(i + 1) : text.size();
            advance = 0.0;
            for (int unit = glyphs.firstUnit.at(i); unit < end; ++unit) {
                advance += unit < advances->size() ? advances->at(unit) : 0;
            }
        }
        positions[i + 1] = qBound(-kDeviceUnitLimit, positions[i] + advance, kDeviceUnitLimit);
    }

    QVector<quint32> shown;
    QVector<QPointF> shownAt;
    shown.reserve(count);
    shownAt.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (glyphs.glyphs.at(i) != 0) {
            shown.append(glyphs.glyphs.at(i));
            shownAt.append(QPointF(positions.at(i), 0.0));
        }
    }

    const int ascent = CellAscent(face);
    const double baselineY = baseline_ ? 0.0 : ascent;
    const double thickness = qMax(1.0, face.lineThickness());
    const bool rotated = font_.escapement != 0;
    const bool glyphImages = !rotated && UseGlyphImages(pixels);

    // Unrotated text is drawn at its place without moving the painter: a
    // PDF gets no change of its coordinate system for every text.
    const QPointF origin = rotated || glyphImages ? QPointF() : QPointF(point);
    std::optional<QRectF> ink;
    if (!rotated) {
        // The ink: the glyphs' own boxes, the decorations and the background.
        QRectF box;
        for (int i = 0; i < shown.size(); ++i) {
            box |= face.boundingRect(shown.at(i)).translated(shownAt.at(i).x(), baselineY);
        }
        const QRectF cell(0.0, baselineY - ascent, positions.last(), ascent + CellDescent(face));
        if (!transparent_) {
            box |= cell.normalized();
        }
        if (font_.underline || font_.strikeout) {
            box |= QRectF(0.0, baselineY - face.xHeight(), positions.last(),
                          face.xHeight() + face.underlinePosition() + thickness)
                       .normalized();
        }
        // Characters drawn from a fallback face are clipped exactly.
        if (!glyphs.missingGlyphs) {
            ink = Grown(box.translated(QPointF(point)));
        }
    }
    ApplyClip(ink);
    if (rotated || glyphImages) {
        painter_->save();
        painter_->translate(point);
        if (rotated) {
            painter_->rotate(-font_.escapement / 10.0);
        }
    }
    if (!transparent_) {
        painter_->fillRect(QRectF(origin.x(), origin.y() + baselineY - ascent, positions.last(),
                                  ascent + CellDescent(face)),
                           brush_.color);
    }
    if (glyphImages) {
        GlyphImages images(font_, pixels, face, font_.color.rgba());
        for (int i = 0; i < shown.size(); ++i) {
            const GlyphImage& glyph = images.Get(shown.at(i));
            if (!glyph.image.isNull()) {
                painter_->drawImage(
                    QPoint(ToDeviceUnits(shownAt.at(i).x()), ToDeviceUnits(baselineY)) +
                        glyph.offset,
                    glyph.image);
            }
        }
    } else {
        painter_->setPen(QPen(font_.color));
        QGlyphRun run;
        run.setRawFont(face);
        run.setGlyphIndexes(shown);
        run.setPositions(shownAt);
        painter_->drawGlyphRun(origin + QPointF(0.0, baselineY), run);
    }
    // Decorations span the whole advance width, as GDI draws them.
    if (font_.underline) {
        painter_->fillRect(QRectF(origin.x(), origin.y() + baselineY + face.underlinePosition(),
                                  positions.last(), thickness),
                           font_.color);
    }
    if (font_.strikeout) {
        painter_->fillRect(QRectF(origin.x(), origin.y() + baselineY - face.xHeight() / 2.0,
                                  positions.last(), thickness),
                           font_.color);
    }
    if (glyphs.missingGlyphs) {
        DrawMissingGlyphs(text, glyphs, positions, origin + QPointF(0.0, baselineY));
    }
    if (rotated || glyphImages) {
        painter_->restore();
    }
}

// Large unrotated text on a raster image is drawn from rendered glyph
// images; everything else (small text, rotated text, PDF and printers, which
// keep the text as text) through QPainter's own text drawing.
bool QPainterCanvas::UseGlyphImages(double pixels) const {
    return pixels > kLargeGlyphPixels && painter_->paintEngine() &&
           painter_->paintEngine()->type() == QPaintEngine::Raster &&
           painter_->transform().type() <= QTransform::TxTranslate;
}

// Characters the face has no glyph for go through QPainter's own font
// fallback, one by one at their places.
void QPainterCanvas::DrawMissingGlyphs(const QString& text, const GlyphString& glyphs,
                                       const QVector<double>& positions, QPointF origin) {
    QFont fallback(font_.name);
    const int deviceDpi = painter_->device() ? painter_->device()->logicalDpiY() : 72;
    fallback.setPointSizeF(FontPixels() * 72.0 / deviceDpi);
    fallback.setBold(font_.bold);
    fallback.setItalic(font_.italic);
    painter_->setFont(fallback);
    const int count = glyphs.glyphs.size();
    for (int i = 0; i < count; ++i) {
        const int first = glyphs.firstUnit.at(i);
        if (glyphs.glyphs.at(i) != 0 || !text.at(first).isPrint()) {
            continue;
        }
        const int end = i + 1 < count ? glyphs.firstUnit.at(i + 1) : text.size();
        painter_->drawText(origin + QPointF(positions.at(i), 0.0), text.mid(first, end - first));
    }
}

void QPainterCanvas::StretchDraw(const QRect& target, const VectorPicture& picture) {
    picture.Play(*this, target);
}

void QPainterCanvas::StretchBitmap(const QRect& target, const QImage& bitmap) {
    if (bitmap.isNull() || target.isEmpty()) {
        return;
    }
    ApplyClip(QRectF(target.normalized()));
    painter_->drawImage(QRectF(target.normalized()), bitmap);
}

void QPainterCanvas::SetClipRect(const QRect& rect) {
    clip_ = baseClip_ ? rect.normalized() & *baseClip_ : rect.normalized();
}

void QPainterCanvas::ClearClip() {
    clip_ = baseClip_;
}

void QPainterCanvas::SetPainterClip(const std::optional<QRect>& clip) {
    if (clip == appliedClip_) {
        return;
    }
    if (clip) {
        painter_->setClipRect(*clip);
    } else {
        painter_->setClipping(false);
    }
    appliedClip_ = clip;
}

void QPainterCanvas::ApplyClip(const std::optional<QRectF>& inkBounds) {
    if (inkBounds && (!clip_ || QRectF(*clip_).contains(*inkBounds))) {
        // The canvas's clip cuts nothing of this drawing.
        if (!appliedClip_ || QRectF(*appliedClip_).contains(*inkBounds)) {
            return;  // drawn the same with the painter's clip as with the canvas's
        }
        // Back to the caller's clip rather than on to this drawing's own: the
        // drawings after it that fit their clips then need no change either,
        // where a clip set for each would follow one text that ran over its
        // box through the rest of the page.
        SetPainterClip(baseClip_);
        return;
    }
    SetPainterClip(clip_);
}

std::optional<double> QPainterCanvas::InkMargin() const {
    const QTransform t = painter_->deviceTransform();
    if (t.type() > QTransform::TxScale) {
        return std::nullopt;
    }
    const double scale = qMin(qAbs(t.m11()), qAbs(t.m22()));
    if (!(scale > 0.0)) {
        return std::nullopt;
    }
    return 2.0 / scale;
}

std::optional<QRectF> QPainterCanvas::Grown(const QRectF& bounds) const {
    const std::optional<double> margin = InkMargin();
    if (!margin) {
        return std::nullopt;
    }
    return bounds.adjusted(-*margin, -*margin, *margin, *margin);
}

}  // namespace platform
