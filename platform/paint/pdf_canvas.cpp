#include "platform/paint/pdf_canvas.h"

#include <QFont>
#include <QGlyphRun>
#include <QPainterPath>
#include <QTextLayout>

#include <cmath>

#include "platform/paint/device_units.h"
#include "platform/paint/font_faces.h"
#include "platform/paint/pdf_document.h"
#include "platform/paint/pdf_fonts.h"
#include "platform/paint/pdf_resources.h"
#include "platform/paint/vector_picture.h"

namespace platform {

namespace {

// Cubic Bézier control distance of a quarter ellipse, per unit of radius.
constexpr double kKappa = 0.5522847498;

// Units around a drawing's ink that a clip must also hold before the
// drawing is drawn without it (QPainterCanvas keeps two device pixels).
constexpr double kInkMargin = 2.0;

// Dash patterns of thin pens in units, as GDI draws them.
QByteArray ThinDashes(PenStyle style) {
    switch (style) {
        case PenStyle::Dash:
            return "[18 6] 0 d\n";
        case PenStyle::Dot:
            return "[3 3] 0 d\n";
        case PenStyle::DashDot:
            return "[9 6 3 6] 0 d\n";
        default:
            return QByteArray();
    }
}

// Dashes of wide pens in pen widths (Qt's dash, dot and dash-dot lines).
QByteArray WideDashes(PenStyle style, int width) {
    PdfBuffer dashes;
    switch (style) {
        case PenStyle::Dash:
            dashes.Raw("[").Int(4 * width).Int(2 * width).Raw("] 0 d\n");
            break;
        case PenStyle::Dot:
            dashes.Raw("[").Int(width).Int(2 * width).Raw("] 0 d\n");
            break;
        case PenStyle::DashDot:
            dashes.Raw("[").Int(4 * width).Int(2 * width).Int(width).Int(2 * width);
            dashes.Raw("] 0 d\n");
            break;
        default:
            break;
    }
    return dashes.Bytes();
}

// As QPainterCanvas: the outline runs through the centres of the first and
// last pixel columns and rows.
QRectF FigureBox(const QRect& rect, bool outlined) {
    const QRect r = rect.normalized();
    const double offset = outlined ? 0.5 : 0.0;
    return QRectF(r.left() + offset, r.top() + offset, qMax(0, r.width() - 1),
                  qMax(0, r.height() - 1));
}

QRgb Opaque(const QColor& colour) {
    return colour.isValid() ? (colour.rgb() | 0xFF000000u) : qRgb(0, 0, 0);
}

QString FaceKey(const Font& font, double pixels) {
    return font.name + QLatin1Char('|') + QChar(font.bold ? 'b' : '-') +
           QChar(font.italic ? 'i' : '-') + QChar(font.fixedPitch ? 'f' : '-') +
           QString::number(std::llround(pixels * 64.0));
}

bool SameFace(const Font& a, const Font& b) {
    return a.name == b.name && a.bold == b.bold && a.italic == b.italic &&
           a.fixedPitch == b.fixedPitch;
}

char32_t CodePointAt(const QString& text, int unit) {
    const QChar first = text.at(unit);
    if (first.isHighSurrogate() && unit + 1 < text.size() && text.at(unit + 1).isLowSurrogate()) {
        return QChar::surrogateToUcs4(first, text.at(unit + 1));
    }
    return first.unicode();
}

}  // namespace

PdfCanvas::PdfCanvas(PdfDocument& document) : document_(document) {}

PdfCanvas::~PdfCanvas() = default;

void PdfCanvas::BeginPage(int width, int height, int unitsPerInch) {
    width_ = qMax(1, width);
    height_ = qMax(1, height);
    unitsPerInch_ = qMax(1, unitsPerInch);
    pixelsPerInch_ = unitsPerInch_;
    pen_ = Pen();
    brush_ = Brush();
    font_ = Font();
    position_ = QPoint();
    baseline_ = false;
    transparent_ = false;
    clip_.reset();
    appliedClip_.reset();
    state_ = GraphicsState();
    saved_.clear();
    content_.Clear();
    const double scale = 72.0 / unitsPerInch_;
    PdfBuffer matrix;
    matrix.Real(scale).Raw("0 0 ").Real(-scale).Raw("0 ").Int(PageSizeInPoints().height());
    patternMatrix_ = matrix.Bytes();
    content_.Raw("q ").Raw(patternMatrix_).Raw("cm\n");
}

void PdfCanvas::EndPage() {
    SetContentClip(std::nullopt);
    content_.Raw("Q\n");
    const QSize page = PageSizeInPoints();
    document_.AddPage(page.width(), page.height(), content_.Bytes());
    content_.Clear();
}

// Whole points, as QPdfWriter gives a page of a custom size; the drawing
// starts at the top left corner.
QSize PdfCanvas::PageSizeInPoints() const {
    return QSize(qMax(1, qRound(width_ * 72.0 / unitsPerInch_)),
                 qMax(1, qRound(height_ * 72.0 / unitsPerInch_)));
}

void PdfCanvas::SetPixelsPerInch(int ppi) {
    if (ppi > 0) {
        pixelsPerInch_ = ppi;
    }
}

double PdfCanvas::FontPixels() const {
    return FontPixelSize(font_.size, pixelsPerInch_);
}

// ---- graphics state --------------------------------------------------------

void PdfCanvas::SetFill(QRgb colour) {
    if (state_.fill == colour && state_.fillPattern.isEmpty()) {
        return;
    }
    content_.Component(qRed(colour)).Component(qGreen(colour)).Component(qBlue(colour));
    content_.Raw("rg\n");
    state_.fill = colour;
    state_.fillPattern.clear();
}

void PdfCanvas::SetBrushFill() {
    if (brush_.style != BrushStyle::Pattern) {
        SetFill(Opaque(brush_.color));
        return;
    }
    const QByteArray name = document_.Resources().PatternName(document_, brush_.pattern,
                                                              Opaque(brush_.color), patternMatrix_);
    if (state_.fillPattern == name) {
        return;
    }
    content_.Raw("/Pattern cs /").Raw(name).Raw(" scn\n");
    state_.fillPattern = name;
}

void PdfCanvas::SetStroke() {
    const QRgb colour = Opaque(pen_.color);
    if (state_.stroke != colour) {
        content_.Component(qRed(colour)).Component(qGreen(colour)).Component(qBlue(colour));
        content_.Raw("RG\n");
        state_.stroke = colour;
    }
    const bool thin = pen_.width <= 1;
    // Width 0, the thinnest line, is one unit: a pixel of the page image,
    // as QPainter draws its cosmetic pen on a PDF of the page's resolution.
    // (A PDF hairline would vanish on a fine printer.)
    const double width = thin ? 1.0 : pen_.width;
    if (state_.lineWidth != width) {
        content_.Real(width).Raw("w\n");
        state_.lineWidth = width;
    }
    // Wide GDI pens have round ends and joins.
    const int cap = thin ? 0 : 1;
    if (state_.cap != cap) {
        content_.Int(cap).Raw("J\n");
        state_.cap = cap;
    }
    const int join = thin ? 0 : 1;
    if (state_.join != join) {
        content_.Int(join).Raw("j\n");
        state_.join = join;
    }
    const QByteArray dash = thin ? ThinDashes(pen_.style) : WideDashes(pen_.style, pen_.width);
    if (state_.dash != dash) {
        content_.Raw(dash.isEmpty() ? QByteArray("[] 0 d\n") : dash);
        state_.dash = dash;
    }
}

void PdfCanvas::SetFontOf(const PdfFont& font, double size) {
    if (state_.font == &font && state_.fontSize == size) {
        return;
    }
    content_.Char('/').Raw(font.ResourceName()).Char(' ').Real(size).Raw("Tf\n");
    state_.font = &font;
    state_.fontSize = size;
}

void PdfCanvas::Save() {
    content_.Raw("q\n");
    saved_.append(state_);
}

void PdfCanvas::Restore() {
    content_.Raw("Q\n");
    state_ = saved_.takeLast();
}

// ---- clipping --------------------------------------------------------------

void PdfCanvas::SetContentClip(const std::optional<QRect>& clip) {
    if (clip == appliedClip_) {
        return;
    }
    if (appliedClip_) {
        Restore();
    }
    if (clip) {
        Save();
        content_.Int(clip->x()).Int(clip->y()).Int(clip->width()).Int(clip->height());
        content_.Raw("re W n\n");
    }
    appliedClip_ = clip;
}

void PdfCanvas::ApplyClip(const std::optional<QRectF>& inkBounds) {
    if (inkBounds && (!clip_ || QRectF(*clip_).contains(*inkBounds))) {
        if (!appliedClip_ || QRectF(*appliedClip_).contains(*inkBounds)) {
            return;  // drawn the same under the clip in force
        }
        // Unclipped rather than on to this drawing's own clip, so the
        // drawings after it that fit their clips need no change either.
        SetContentClip(std::nullopt);
        return;
    }
    SetContentClip(clip_);
}

// ---- shapes ----------------------------------------------------------------

void PdfCanvas::Point(double x, double y) {
    content_.Real(x).Real(y);
}

void PdfCanvas::RectPath(const QRectF& rect) {
    content_.Real(rect.x()).Real(rect.y()).Real(rect.width()).Real(rect.height()).Raw("re\n");
}

void PdfCanvas::PaintFigure(bool evenOdd) {
    const bool pen = HasPen();
    const bool brush = HasBrush();
    if (brush) {
        SetBrushFill();
    }
    if (pen) {
        SetStroke();
    }
    if (pen && brush) {
        content_.Raw(evenOdd ? "B*\n" : "B\n");
    } else if (brush) {
        content_.Raw(evenOdd ? "f*\n" : "f\n");
    } else if (pen) {
        content_.Raw("S\n");
    } else {
        content_.Raw("n\n");
    }
}

void PdfCanvas::LineTo(QPoint point) {
    if (pen_.style != PenStyle::None && point != position_) {
        const double half = qMax(pen_.width, 1) / 2.0;
        ApplyClip(QRectF(QPointF(position_), QPointF(point))
                      .normalized()
                      .adjusted(-half - kInkMargin, -half - kInkMargin, half + kInkMargin,
                                half + kInkMargin));
        SetStroke();
        // Lines of odd widths run through the pixel centres across their
        // direction; along it they start at the first point and stop at the
        // last, which is left out as GDI does.
        const bool odd = pen_.width <= 1 || pen_.width % 2 == 1;
        const double ox = odd && point.x() == position_.x() ? 0.5 : 0.0;
        const double oy = odd && point.y() == position_.y() ? 0.5 : 0.0;
        const bool diagonal = point.x() != position_.x() && point.y() != position_.y();
        const double dx = odd && diagonal ? 0.5 : ox;
        const double dy = odd && diagonal ? 0.5 : oy;
        Point(position_.x() + dx, position_.y() + dy);
        content_.Raw("m ");
        Point(point.x() + dx, point.y() + dy);
        content_.Raw("l S\n");
    }
    position_ = point;
}

void PdfCanvas::Rectangle(const QRect& rect) {
    ApplyClip(std::nullopt);
    RectPath(FigureBox(rect, HasPen()));
    PaintFigure(false);
}

void PdfCanvas::RoundRect(const QRect& rect, int cornerWidth, int cornerHeight) {
    ApplyClip(std::nullopt);
    const QRectF box = FigureBox(rect, HasPen());
    const double rx = qMin(qAbs(cornerWidth) / 2.0, box.width() / 2.0);
    const double ry = qMin(qAbs(cornerHeight) / 2.0, box.height() / 2.0);
    const double kx = rx * kKappa;
    const double ky = ry * kKappa;
    const double l = box.left(), t = box.top(), r = box.right(), b = box.bottom();
    Point(l + rx, t);
    content_.Raw("m ");
    Point(r - rx, t);
    content_.Raw("l ");
    Point(r - rx + kx, t), Point(r, t + ry - ky), Point(r, t + ry);
    content_.Raw("c ");
    Point(r, b - ry);
    content_.Raw("l ");
    Point(r, b - ry + ky), Point(r - rx + kx, b), Point(r - rx, b);
    content_.Raw("c ");
    Point(l + rx, b);
    content_.Raw("l ");
    Point(l + rx - kx, b), Point(l, b - ry + ky), Point(l, b - ry);
    content_.Raw("c ");
    Point(l, t + ry);
    content_.Raw("l ");
    Point(l, t + ry - ky), Point(l + rx - kx, t), Point(l + rx, t);
    content_.Raw("c h\n");
    PaintFigure(false);
}

void PdfCanvas::Ellipse(const QRect& rect) {
    ApplyClip(std::nullopt);
    const QRectF box = FigureBox(rect, HasPen());
    const double rx = box.width() / 2.0, ry = box.height() / 2.0;
    const double cx = box.center().x(), cy = box.center().y();
    const double kx = rx * kKappa, ky = ry * kKappa;
    Point(cx + rx, cy);
    content_.Raw("m ");
    Point(cx + rx, cy + ky), Point(cx + kx, cy + ry), Point(cx, cy + ry);
    content_.Raw("c ");
    Point(cx - kx, cy + ry), Point(cx - rx, cy + ky), Point(cx - rx, cy);
    content_.Raw("c ");
    Point(cx - rx, cy - ky), Point(cx - kx, cy - ry), Point(cx, cy - ry);
    content_.Raw("c ");
    Point(cx + kx, cy - ry), Point(cx + rx, cy - ky), Point(cx + rx, cy);
    content_.Raw("c h\n");
    PaintFigure(false);
}

void PdfCanvas::Polygon(const QPolygon& points) {
    if (points.size() < 2) {
        return;
    }
    ApplyClip(std::nullopt);
    const double shift = HasPen() ? 0.5 : 0.0;  // the outline through the pixel centres
    for (int i = 0; i < points.size(); ++i) {
        Point(points.at(i).x() + shift, points.at(i).y() + shift);
        content_.Raw(i == 0 ? "m " : "l ");
    }
    content_.Raw("h\n");
    PaintFigure(true);
}

void PdfCanvas::FillRect(const QRect& rect) {
    if (!HasBrush()) {
        return;
    }
    const QRect r = rect.normalized();
    ApplyClip(QRectF(r));
    SetBrushFill();
    content_.Int(r.x()).Int(r.y()).Int(r.width()).Int(r.height()).Raw("re f\n");
}

void PdfCanvas::FrameRect(const QRect& rect) {
    const QRect r = rect.normalized();
    if (!HasBrush() || r.isEmpty()) {
        return;
    }
    ApplyClip(QRectF(r));
    SetBrushFill();
    content_.Int(r.left()).Int(r.top()).Int(r.width()).Raw("1 re ");
    content_.Int(r.left()).Int(r.bottom()).Int(r.width()).Raw("1 re ");
    content_.Int(r.left()).Int(r.top()).Raw("1 ").Int(r.height()).Raw("re ");
    content_.Int(r.right()).Int(r.top()).Raw("1 ").Int(r.height()).Raw("re f\n");
}

void PdfCanvas::SetPixel(QPoint point, const QColor& color) {
    ApplyClip(QRectF(QRect(point, QSize(1, 1))));
    SetFill(Opaque(color));
    content_.Int(point.x()).Int(point.y()).Raw("1 1 re f\n");
}

// ---- pictures and bitmaps ----------------------------------------------------

void PdfCanvas::StretchDraw(const QRect& target, const VectorPicture& picture) {
    picture.Play(*this, target);
}

void PdfCanvas::StretchBitmap(const QRect& target, const QImage& bitmap) {
    if (bitmap.isNull() || target.isEmpty()) {
        return;
    }
    const QRect r = target.normalized();
    ApplyClip(QRectF(r));
    const QByteArray name = document_.Resources().ImageName(document_, bitmap);
    // The image's unit square, top row first, onto the target rectangle.
    content_.Raw("q ").Int(r.width()).Raw("0 0 ").Int(-r.height()).Int(r.x());
    content_.Int(r.y() + r.height()).Raw("cm /").Raw(name).Raw(" Do Q\n");
}

// ---- text --------------------------------------------------------------------

const PdfCanvas::TextFace& PdfCanvas::CurrentFace() {
    const double pixels = FontPixels();
    if (facesPixels_ == pixels && SameFace(facesFont_, font_)) {
        return currentFace_;
    }
    const QString key = FaceKey(font_, pixels);
    auto found = faces_.constFind(key);
    if (found == faces_.constEnd()) {
        TextFace made;
        made.face = FaceFor(font_, pixels);
        made.font = &document_.Resources().Fonts().FontFor(made.face);
        made.ascent = CellAscent(made.face);
        made.descent = CellDescent(made.face);
        made.underlinePosition = made.face.underlinePosition();
        made.thickness = qMax(1.0, made.face.lineThickness());
        made.xHeight = made.face.xHeight();
        found = faces_.insert(key, made);
    }
    currentFace_ = *found;
    facesFont_ = font_;
    facesPixels_ = pixels;
    return currentFace_;
}

void PdfCanvas::TextOut(QPoint point, const QString& text) {
    DrawText(point, text, nullptr);
}

void PdfCanvas::ExtTextOut(QPoint point, const QString& text, const QVector<int>& advances) {
    DrawText(point, text, &advances);
}

int PdfCanvas::TextWidth(const QString& text) {
    return ToDeviceUnits(NaturalWidth(FaceFor(font_, FontPixels()), text));
}

int PdfCanvas::TextHeight(const QString&) {
    const QRawFont face = FaceFor(font_, FontPixels());
    return CellAscent(face) + CellDescent(face);
}

void PdfCanvas::FillDecoration(double x, double y, double width, double height) {
    content_.Real(x).Real(y).Real(width).Real(height).Raw("re f\n");
}

void PdfCanvas::DrawText(QPoint point, const QString& text, const QVector<int>* advances) {
    const double pixels = FontPixels();
    if (text.isEmpty() || !(pixels > 0.0)) {
        return;
    }
    const TextFace face = CurrentFace();
    PdfFont& font = *face.font;
    const double scale = pixels / 1000.0;

    // Glyphs per code point and the x of each along the baseline; given
    // advances are per UTF-16 unit, so a surrogate pair moves by both.
    const int units = text.size();
    QVector<quint32>& glyphs = glyphs_;
    QVector<int>& firstUnit = firstUnit_;
    QVector<double>& positions = positions_;
    glyphs.clear();
    firstUnit.clear();
    positions.clear();
    positions.append(0.0);
    bool missing = false;
    for (int unit = 0; unit < units;) {
        const char32_t codePoint = CodePointAt(text, unit);
        const int size = codePoint > 0xFFFF ? 2 : 1;
        const quint32 glyph = font.GlyphOf(codePoint);
        double advance = 0.0;
        if (advances) {
            for (int k = unit; k < unit + size; ++k) {
                advance += k < advances->size() ? advances->at(k) : 0;
            }
        } else {
            advance = font.Width(glyph) * scale;
        }
        if (glyph == 0 && text.at(unit).isPrint()) {
            missing = true;
        }
        glyphs.append(glyph);
        firstUnit.append(unit);
        positions.append(qBound(-kDeviceUnitLimit, positions.last() + advance, kDeviceUnitLimit));
        unit += size;
    }
    const double total = positions.last();
    const int ascent = face.ascent;
    const double baselineY = baseline_ ? 0.0 : ascent;
    const bool rotated = font_.escapement != 0;

    std::optional<QRectF> ink;
    if (!rotated && !missing) {
        // The glyphs' own boxes, the decorations and the background.
        const TrueTypeFace& program = font.Program();
        const double unitScale = pixels / program.UnitsPerEm();
        double left = 0.0, right = total, top = baselineY - ascent,
               bottom = baselineY + face.descent;
        bool exact = program.HasGlyphOutlines();
        for (int i = 0; i < glyphs.size() && exact; ++i) {
            if (glyphs.at(i) == 0) {
                continue;
            }
            const std::optional<QRect> box = program.GlyphBox(glyphs.at(i));
            if (box) {
                left = qMin(left, positions.at(i) + box->left() * unitScale);
                right = qMax(right, positions.at(i) + box->right() * unitScale);
                top = qMin(top, baselineY - box->bottom() * unitScale);
                bottom = qMax(bottom, baselineY - box->top() * unitScale);
            }
        }
        if (!exact) {
            for (int i = 0; i < glyphs.size(); ++i) {
                const QRectF box = face.face.boundingRect(glyphs.at(i));
                left = qMin(left, positions.at(i) + box.left());
                right = qMax(right, positions.at(i) + box.right());
                top = qMin(top, baselineY + box.top());
                bottom = qMax(bottom, baselineY + box.bottom());
            }
        }
        if (font_.underline) {
            bottom = qMax(bottom, baselineY + face.underlinePosition + face.thickness);
        }
        const QPointF at(point);
        ink = QRectF(QPointF(left, top) + at, QPointF(right, bottom) + at)
                  .adjusted(-kInkMargin, -kInkMargin, kInkMargin, kInkMargin);
    }
    ApplyClip(ink);

    QPointF origin(point);
    if (rotated) {
        Save();
        const double theta = font_.escapement / 10.0 * M_PI / 180.0;
        const double c = std::cos(theta), s = std::sin(theta);
        content_.Real(c).Real(-s).Real(s).Real(c).Int(point.x()).Int(point.y()).Raw("cm\n");
        origin = QPointF();
    }
    const QRgb colour = Opaque(font_.color);
    if (!transparent_) {
        SetFill(Opaque(brush_.color));
        FillDecoration(origin.x(), origin.y() + baselineY - ascent, total, ascent + face.descent);
    }
    const QPointF baselineOrigin = origin + QPointF(0.0, baselineY);
    SetFill(colour);
    if (font.Embeddable()) {
        WriteGlyphRun(face, glyphs, positions, firstUnit, text, baselineOrigin);
    } else {
        WriteType3Run(face, glyphs, positions, firstUnit, text, baselineOrigin);
    }
    // Decorations span the whole advance width, as GDI draws them.
    if (font_.underline) {
        SetFill(colour);
        FillDecoration(origin.x(), baselineOrigin.y() + face.underlinePosition, total,
                       face.thickness);
    }
    if (font_.strikeout) {
        SetFill(colour);
        FillDecoration(origin.x(), baselineOrigin.y() - face.xHeight / 2.0, total, face.thickness);
    }
    if (missing) {
        DrawMissingGlyphs(text, glyphs, firstUnit, positions, baselineOrigin);
    }
    if (rotated) {
        Restore();
    }
}

// One text object: the glyphs by id in a TJ array whose adjustments put
// each glyph exactly at its position.
void PdfCanvas::WriteGlyphRun(const TextFace& face, const QVector<quint32>& glyphs,
                              const QVector<double>& at, const QVector<int>& firstUnit,
                              const QString& text, QPointF origin) {
    PdfFont& font = *face.font;
    const double size = face.face.pixelSize();
    bool any = false;
    for (quint32 glyph : glyphs) {
        any = any || glyph != 0;
    }
    if (!any || !(size > 0.0)) {
        return;
    }
    content_.Raw("BT\n");
    SetFontOf(font, size);
    content_.Raw("1 0 0 -1 ").Real(origin.x()).Real(origin.y()).Raw("Tm [<");
    double pen = 0.0;  // where the viewer's text position is, in units
    for (int i = 0; i < glyphs.size(); ++i) {
        const quint32 glyph = glyphs.at(i);
        if (glyph == 0) {
            continue;
        }
        const double shift = at.at(i) - pen;
        const double adjustment = double(PdfBuffer::RoundToInteger(-shift * 1000.0 / size));
        if (adjustment != 0.0) {
            content_.Raw("> ").Real(adjustment).Char('<');
            pen -= adjustment * size / 1000.0;
        }
        content_.Hex4(glyph);
        const int unit = firstUnit.at(i);
        const int end = i + 1 < firstUnit.size() ? firstUnit.at(i + 1) : text.size();
        font.Use(glyph, text.constData() + unit, end - unit);
        pen += font.Width(glyph) * size / 1000.0;
    }
    content_.Raw("> ] TJ\nET\n");
}

// The glyphs of a face whose program cannot be embedded, by their codes in
// the face's Type 3 fonts: a text object for each run of glyphs of one of
// them, with TJ adjustments as for the other faces.
void PdfCanvas::WriteType3Run(const TextFace& face, const QVector<quint32>& glyphs,
                              const QVector<double>& at, const QVector<int>& firstUnit,
                              const QString& text, QPointF origin) {
    PdfFont& font = *face.font;
    const double size = face.face.pixelSize();
    if (!(size > 0.0)) {
        return;
    }
    int current = -1;  // the Type 3 font of the open text object
    double pen = 0.0;
    for (int i = 0; i < glyphs.size(); ++i) {
        const quint32 glyph = glyphs.at(i);
        if (glyph == 0) {
            continue;
        }
        const int unit = firstUnit.at(i);
        const int end = i + 1 < firstUnit.size() ? firstUnit.at(i + 1) : text.size();
        const PdfFont::Type3Code code =
            font.Type3CodeOf(glyph, text.constData() + unit, end - unit);
        if (code.font != current) {
            if (current >= 0) {
                content_.Raw("> ] TJ\nET\n");
            }
            content_.Raw("BT\n/").Raw(font.Type3ResourceName(code.font)).Char(' ').Real(size);
            content_.Raw("Tf\n1 0 0 -1 ").Real(origin.x() + at.at(i)).Real(origin.y());
            content_.Raw("Tm [<");
            current = code.font;
            pen = at.at(i);
        }
        const double adjustment =
            double(PdfBuffer::RoundToInteger(-(at.at(i) - pen) * 1000.0 / size));
        if (adjustment != 0.0) {
            content_.Raw("> ").Real(adjustment).Char('<');
            pen -= adjustment * size / 1000.0;
        }
        content_.Hex2(code.code);
        pen += font.Width(glyph) * size / 1000.0;
    }
    if (current >= 0) {
        content_.Raw("> ] TJ\nET\n");
        state_.font = nullptr;  // the next text names its font again
    }
}

PdfCanvas::Fallback PdfCanvas::FallbackFor(char32_t codePoint, const QString& character) {
    const QString key = font_.name + QLatin1Char('|') + QChar(font_.bold ? 'b' : '-') +
                        QChar(font_.italic ? 'i' : '-') + QString::number(quint32(codePoint));
    auto found = fallbacks_.constFind(key);
    if (found != fallbacks_.constEnd()) {
        return *found;
    }
    // Qt's font matching picks the face that has the character.
    QFont qfont(font_.name);
    qfont.setPixelSize(64);
    qfont.setBold(font_.bold);
    qfont.setItalic(font_.italic);
    QTextLayout layout(character, qfont);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    Fallback fallback;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        if (!run.glyphIndexes().isEmpty() && run.glyphIndexes().first() != 0) {
            fallback.face = run.rawFont();
            fallback.glyph = run.glyphIndexes().first();
            break;
        }
    }
    fallbacks_.insert(key, fallback);
    return fallback;
}

// Characters the face has no glyph for, from the fallback faces, each at its
// place on the baseline.
void PdfCanvas::DrawMissingGlyphs(const QString& text, const QVector<quint32>& glyphs,
                                  const QVector<int>& firstUnit, const QVector<double>& positions,
                                  QPointF origin) {
    const double pixels = FontPixels();
    for (int i = 0; i < glyphs.size(); ++i) {
        const int unit = firstUnit.at(i);
        if (glyphs.at(i) != 0 || !text.at(unit).isPrint()) {
            continue;
        }
        const int end = i + 1 < firstUnit.size() ? firstUnit.at(i + 1) : text.size();
        const QString character = text.mid(unit, end - unit);
        const Fallback fallback = FallbackFor(CodePointAt(text, unit), character);
        if (!fallback.face.isValid() || fallback.glyph == 0) {
            continue;
        }
        QRawFont sized = fallback.face;
        sized.setPixelSize(pixels);
        TextFace face;
        face.face = sized;
        face.font = &document_.Resources().Fonts().FontFor(sized);
        const QVector<quint32> one{fallback.glyph};
        const QVector<double> at{0.0};
        const QPointF place = origin + QPointF(positions.at(i), 0.0);
        if (face.font->Embeddable()) {
            WriteGlyphRun(face, one, at, QVector<int>{0}, character, place);
        } else {
            WriteType3Run(face, one, at, QVector<int>{0}, character, place);
        }
    }
}

}  // namespace platform
