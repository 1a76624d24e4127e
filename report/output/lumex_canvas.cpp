#include "report/output/lumex_canvas.h"

TLumexCanvas::TLumexCanvas(int fontResolution) : fontResolution_(fontResolution) {
    ResolveFace();
}

TLumexCanvas::TLumexCanvas(platform::Canvas& target, int fontResolution)
    : target_(&target), fontResolution_(fontResolution) {
    pen_ = target.GetPen();
    brush_ = target.GetBrush();
    font_ = target.GetFont();
    baseline_ = target.GetBaselineAlignment();
    transparent_ = target.GetTransparentText();
    clip_ = target.GetClipRect();
    ResolveFace();
    PinFont();
}

void TLumexCanvas::SetFontResolution(int pixelsPerInch) {
    fontResolution_ = pixelsPerInch > 0 ? pixelsPerInch : 1;
    pixelSize_ = font_.size * fontResolution_ / 72.0;
    PinFont();
}

void TLumexCanvas::PinFont() {
    if (target_ && target_->PixelsPerInch() != fontResolution_) {
        target_->SetPixelsPerInch(fontResolution_);
        fontPending_ = true;
    }
}

void TLumexCanvas::ResolveFace() {
    face_ = TFontFaceCache::Instance().Face(font_.name, font_.bold, font_.italic);
    pixelSize_ = font_.size * fontResolution_ / 72.0;
}

void TLumexCanvas::SetFont(const platform::Font& font) {
    const bool faceChanged =
        font.name != font_.name || font.bold != font_.bold || font.italic != font_.italic;
    font_ = font;
    if (faceChanged || !face_) {
        ResolveFace();
    } else {
        pixelSize_ = font_.size * fontResolution_ / 72.0;
    }
    fontPending_ = true;
    PinFont();
}

void TLumexCanvas::FlushFont() {
    if (target_ && fontPending_) {
        PinFont();
        target_->SetFont(font_);
        fontPending_ = false;
    }
}

void TLumexCanvas::SetPen(const platform::Pen& pen) {
    pen_ = pen;
    if (target_) {
        target_->SetPen(pen);
    }
}

void TLumexCanvas::SetBrush(const platform::Brush& brush) {
    brush_ = brush;
    if (target_) {
        target_->SetBrush(brush);
    }
}

void TLumexCanvas::MoveTo(QPoint point) {
    if (target_) {
        target_->MoveTo(point);
    }
}

void TLumexCanvas::LineTo(QPoint point) {
    if (target_) {
        target_->LineTo(point);
    }
}

void TLumexCanvas::Rectangle(const QRect& rect) {
    if (target_) {
        target_->Rectangle(rect);
    }
}

void TLumexCanvas::RoundRect(const QRect& rect, int cornerWidth, int cornerHeight) {
    if (target_) {
        target_->RoundRect(rect, cornerWidth, cornerHeight);
    }
}

void TLumexCanvas::Ellipse(const QRect& rect) {
    if (target_) {
        target_->Ellipse(rect);
    }
}

void TLumexCanvas::Polygon(const QPolygon& points) {
    if (target_) {
        target_->Polygon(points);
    }
}

void TLumexCanvas::FillRect(const QRect& rect) {
    if (target_) {
        target_->FillRect(rect);
    }
}

void TLumexCanvas::FrameRect(const QRect& rect) {
    if (target_) {
        target_->FrameRect(rect);
    }
}

void TLumexCanvas::SetPixel(QPoint point, const QColor& color) {
    if (target_) {
        target_->SetPixel(point, color);
    }
}

void TLumexCanvas::TextOut(QPoint point, const QString& text) {
    if (target_) {
        FlushFont();
        target_->TextOut(point, text);
    }
}

void TLumexCanvas::ExtTextOut(QPoint point, const QString& text, const QVector<int>& advances) {
    if (target_) {
        FlushFont();
        target_->ExtTextOut(point, text, advances);
    }
}

int TLumexCanvas::TextWidth(const QString& text) {
    int width = 0;
    for (QChar ch : text) {
        width += CharWidth(ch.unicode());
    }
    return width;
}

int TLumexCanvas::TextHeight(const QString&) {
    return FontHeight();
}

void TLumexCanvas::SetBaselineAlignment(bool on) {
    baseline_ = on;
    if (target_) {
        target_->SetBaselineAlignment(on);
    }
}

void TLumexCanvas::SetTransparentText(bool on) {
    transparent_ = on;
    if (target_) {
        target_->SetTransparentText(on);
    }
}

void TLumexCanvas::StretchDraw(const QRect& rect, const platform::VectorPicture& picture) {
    if (target_) {
        target_->StretchDraw(rect, picture);
    }
}

void TLumexCanvas::StretchBitmap(const QRect& rect, const QImage& bitmap) {
    if (target_) {
        target_->StretchBitmap(rect, bitmap);
    }
}

void TLumexCanvas::SetClipRect(const QRect& rect) {
    clip_ = rect;
    if (target_) {
        target_->SetClipRect(rect);
        clip_ = target_->GetClipRect().value_or(rect);
    }
}

void TLumexCanvas::ClearClip() {
    clip_.reset();
    if (target_) {
        target_->ClearClip();
        clip_ = target_->GetClipRect();
    }
}
