#include "platform/paint/metafile_emitter.h"

#include "platform/paint/metafile_records.h"
#include "platform/paint/metafile_text.h"

namespace platform {

namespace {
const Pen kDefaultPen;
const Brush kDefaultBrush;
}  // namespace

MetafileEmitter::MetafileEmitter(const PictureContent& content)
    : content_(content), pen_(&kDefaultPen), brush_(&kDefaultBrush) {
    defaultFont_.pixelSize = content.initialFontPixels;
    font_ = &defaultFont_;
}

void MetafileEmitter::ForgetDeviceState(bool objects) {
    if (objects) {
        penSelected_ = brushSelected_ = fontSelected_ = false;
    }
    textColor_.reset();
    bkColor_.reset();
    bkMode_.reset();
    textAlign_.reset();
}

void MetafileEmitter::Walk() {
    for (const PictureOp& op : content_.ops) {
        Step(op);
    }
}

void MetafileEmitter::EnsurePen() {
    if (!penSelected_) {
        if (pen_->style == PenStyle::None) {
            EmitNullPen();
        } else {
            EmitPen(*pen_);
        }
        penSelected_ = true;
    }
}

void MetafileEmitter::EnsureBrush() {
    if (!brushSelected_) {
        EmitBrush(*brush_);
        brushSelected_ = true;
    }
}

void MetafileEmitter::EnsureFont() {
    if (!fontSelected_) {
        EmitFont(*font_);
        fontSelected_ = true;
    }
}

// Shapes are drawn with a transparent background so that the gaps of dashed
// pens and hatched brushes stay unpainted, as they do on the canvas.
void MetafileEmitter::EnsureBkMode(quint32 mode) {
    if (bkMode_ != mode) {
        EmitBkMode(mode);
        bkMode_ = mode;
    }
}

// A brush-only box: a rectangle without outline, which GDI draws one unit
// smaller, hence the grown right and bottom edges.
void MetafileEmitter::FillBox(int left, int top, int right, int bottom) {
    EnsureBrush();
    EnsureBkMode(gdi::kTransparent);
    EmitNullPen();
    penSelected_ = false;
    EmitRectangle(left, top, right + 1, bottom + 1);
}

void MetafileEmitter::Step(const PictureOp& op) {
    const QRect& r = op.rect;
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    switch (op.kind) {
        case PictureOpKind::Pen:
            pen_ = &content_.pens.at(op.index);
            penSelected_ = false;
            break;
        case PictureOpKind::Brush:
            brush_ = &content_.brushes.at(op.index);
            brushSelected_ = false;
            break;
        case PictureOpKind::Font:
            font_ = &content_.fonts.at(op.index);
            fontSelected_ = false;
            break;
        case PictureOpKind::Baseline:
            baseline_ = op.a != 0;
            break;
        case PictureOpKind::Transparent:
            transparent_ = op.a != 0;
            break;
        case PictureOpKind::MoveTo:
            EmitMoveTo(r.topLeft());
            break;
        case PictureOpKind::LineTo:
            EnsurePen();
            EnsureBkMode(gdi::kTransparent);
            EmitLineTo(r.topLeft());
            break;
        case PictureOpKind::Rectangle:
        case PictureOpKind::RoundRect:
        case PictureOpKind::Ellipse:
            EnsurePen();
            EnsureBrush();
            EnsureBkMode(gdi::kTransparent);
            if (op.kind == PictureOpKind::Rectangle) {
                EmitRectangle(r.left(), r.top(), right, bottom);
            } else if (op.kind == PictureOpKind::Ellipse) {
                EmitEllipse(r.left(), r.top(), right, bottom);
            } else {
                EmitRoundRect(r.left(), r.top(), right, bottom, op.a, op.b);
            }
            break;
        case PictureOpKind::Polygon:
            EnsurePen();
            EnsureBrush();
            EnsureBkMode(gdi::kTransparent);
            EmitPolygon(content_.polygons.at(op.index));
            break;
        case PictureOpKind::FillRect:
            if (brush_->style != BrushStyle::None && !r.isEmpty()) {
                FillBox(r.left(), r.top(), right, bottom);
            }
            break;
        case PictureOpKind::FrameRect:
            if (brush_->style != BrushStyle::None && !r.isEmpty()) {
                FillBox(r.left(), r.top(), right, r.top() + 1);
                FillBox(r.left(), bottom - 1, right, bottom);
                FillBox(r.left(), r.top(), r.left() + 1, bottom);
                FillBox(right - 1, r.top(), right, bottom);
            }
            break;
        case PictureOpKind::Pixel:
            EmitPixel(r.topLeft(), gdi::ColorRef(static_cast<quint32>(op.a)));
            break;
        case PictureOpKind::Text:
            DrawText(op);
            break;
        case PictureOpKind::Bitmap:
            EmitBitmap(r, content_.bitmaps.at(op.index));
            break;
        case PictureOpKind::Clip:
            EmitClip(r.left(), r.top(), right, bottom);
            break;
        case PictureOpKind::ClearClip:
            EmitClearClip();
            break;
    }
}

void MetafileEmitter::DrawText(const PictureOp& op) {
    const PictureText& text = content_.texts.at(op.index);
    EnsureFont();
    const quint32 colour = gdi::ColorRef(font_->font.color.rgb());
    if (textColor_ != colour) {
        EmitTextColor(colour);
        textColor_ = colour;
    }
    const quint32 align = baseline_ ? gdi::kTaBaseline : gdi::kTaTop;
    if (textAlign_ != align) {
        EmitTextAlign(align);
        textAlign_ = align;
    }
    EnsureBkMode(transparent_ ? gdi::kTransparent : gdi::kOpaque);
    if (!transparent_) {
        const quint32 background = gdi::ColorRef(brush_->color.rgb());
        if (bkColor_ != background) {
            EmitBkColor(background);
            bkColor_ = background;
        }
    }
    EmitText(op.rect.topLeft(), *font_, text.text, TextAdvances(*font_, text));
}

}  // namespace platform
