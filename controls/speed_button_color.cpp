#include "controls/speed_button_color.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace {

int Channel(int value) {
    return std::clamp(value, 0, 255);
}

QColor Shifted(const QColor& color, int step) {
    return QColor(Channel(color.red() + step), Channel(color.green() + step),
                  Channel(color.blue() + step));
}

constexpr int kContentMargin = 1;

}  // namespace

TSpeedButtonColor::TSpeedButtonColor(QWidget* parent) : QAbstractButton(parent) {
    // The default face is navy, so the caption is white until a form says otherwise.
    QPalette palette = this->palette();
    palette.setColor(QPalette::ButtonText, Qt::white);
    setPalette(palette);
    fontDown_ = font();
    connect(this, &QAbstractButton::clicked, this, &TSpeedButtonColor::PressedByUser);
    // Pressing and releasing change the drawn face.
    connect(this, &QAbstractButton::pressed, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::released, this, qOverload<>(&QWidget::update));
}

void TSpeedButtonColor::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TSpeedButtonColor::SetOdstin(int step) {
    odstin_ = step;
    update();
}

void TSpeedButtonColor::SetBevelStyle(TButtonBevel style) {
    bevelStyle_ = style;
    update();
}

void TSpeedButtonColor::SetBevelSize(int size) {
    bevelSize_ = std::max(size, 1);
    update();
}

void TSpeedButtonColor::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void TSpeedButtonColor::SetSpacing(int spacing) {
    spacing_ = spacing;
    update();
}

void TSpeedButtonColor::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    updateGeometry();
    update();
}

void TSpeedButtonColor::SetFontDown(const QFont& font) {
    fontDown_ = font;
    update();
}

void TSpeedButtonColor::SetZmenaFontu(bool on) {
    zmenaFontu_ = on;
    update();
}

QColor TSpeedButtonColor::LightEdgeColor() const {
    return Shifted(color_, odstin_);
}

QColor TSpeedButtonColor::DarkEdgeColor() const {
    return Shifted(color_, -odstin_);
}

QFont TSpeedButtonColor::CaptionFont() const {
    return zmenaFontu_ && IsDrawnDown() ? fontDown_ : font();
}

// ---- grouping ----

QList<TSpeedButtonColor*> TSpeedButtonColor::GroupMembers() const {
    QList<TSpeedButtonColor*> members;
    if (groupIndex_ == 0 || parentWidget() == nullptr) {
        return members;
    }
    for (TSpeedButtonColor* button :
         parentWidget()->findChildren<TSpeedButtonColor*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (button != this && button->groupIndex_ == groupIndex_) {
            members << button;
        }
    }
    return members;
}

void TSpeedButtonColor::ReleaseOthersInGroup() {
    for (TSpeedButtonColor* other : GroupMembers()) {
        if (other->down_) {
            other->down_ = false;
            other->update();
            emit other->DownChanged(false);
        }
    }
}

void TSpeedButtonColor::SetGroupIndex(int index) {
    groupIndex_ = index;
    if (groupIndex_ == 0) {
        SetDown(false);
    } else if (down_) {
        ReleaseOthersInGroup();
    }
}

void TSpeedButtonColor::SetAllowAllUp(bool allow) {
    // One group shares one rule.
    allowAllUp_ = allow;
    for (TSpeedButtonColor* other : GroupMembers()) {
        other->allowAllUp_ = allow;
    }
}

void TSpeedButtonColor::SetDown(bool down) {
    if (groupIndex_ == 0) {
        down = false;
    }
    if (down == down_) {
        return;
    }
    if (down_ && !allowAllUp_) {
        return;
    }
    down_ = down;
    if (down_) {
        ReleaseOthersInGroup();
    }
    update();
    emit DownChanged(down_);
}

void TSpeedButtonColor::PressedByUser() {
    if (groupIndex_ == 0) {
        return;
    }
    if (!down_) {
        SetDown(true);
    } else if (allowAllUp_) {
        SetDown(false);
    }
}

// ---- painting ----

QSize TSpeedButtonColor::sizeHint() const {
    const QFontMetrics metrics(font());
    int width = metrics.horizontalAdvance(text());
    int height = metrics.height();
    if (!picture_.isNull()) {
        width += picture_.width() + (text().isEmpty() ? 0 : spacing_);
        height = std::max(height, picture_.height());
    }
    const int frame = 2 * (bevelSize_ + kContentMargin + 2);
    return QSize(width + frame, height + frame);
}

void TSpeedButtonColor::PaintBevel(QPainter& painter, const QRect& face) const {
    if (bevelStyle_ == bbNone) {
        return;
    }
    // Raised: light at the top and left while up, swapped while down;
    // lowered the other way round.
    const bool lightTopLeft = (bevelStyle_ == bbRaised) != IsDrawnDown();
    const QColor topLeft = lightTopLeft ? LightEdgeColor() : DarkEdgeColor();
    const QColor bottomRight = lightTopLeft ? DarkEdgeColor() : LightEdgeColor();
    const int size = std::min({bevelSize_, face.width() / 2, face.height() / 2});
    for (int i = 0; i < size; ++i) {
        const QRect ring = face.adjusted(i, i, -i, -i);
        painter.setPen(topLeft);
        painter.drawLine(ring.topLeft(), ring.topRight());
        painter.drawLine(ring.topLeft(), ring.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(ring.bottomLeft() + QPoint(1, 0), ring.bottomRight());
        painter.drawLine(ring.topRight() + QPoint(0, 1), ring.bottomRight());
    }
}

void TSpeedButtonColor::PaintContent(QPainter& painter, const QRect& area) const {
    const QFont captionFont = CaptionFont();
    const QFontMetrics metrics(captionFont);
    const bool hasPicture = !picture_.isNull();
    const int textWidth = text().isEmpty() ? 0 : metrics.horizontalAdvance(text());
    const int gap = hasPicture && textWidth > 0 ? spacing_ : 0;
    const QSize content((hasPicture ? picture_.width() : 0) + gap + textWidth,
                        std::max(hasPicture ? picture_.height() : 0, metrics.height()));
    const QRect box = QStyle::alignedRect(layoutDirection(), alignment_, content, area);
    int x = box.left();
    if (hasPicture) {
        const int y = box.top() + (box.height() - picture_.height()) / 2;
        painter.drawPixmap(x, y, picture_);
        x += picture_.width() + gap;
    }
    if (textWidth > 0) {
        painter.setFont(captionFont);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(QRect(x, box.top(), textWidth, box.height()), Qt::AlignCenter, text());
    }
}

void TSpeedButtonColor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, color_);
    PaintBevel(painter, face);
    const int inset = (bevelStyle_ == bbNone ? 0 : bevelSize_) + kContentMargin;
    QRect area = face.adjusted(inset, inset, -inset, -inset);
    if (IsDrawnDown()) {
        area.translate(1, 1);
    }
    PaintContent(painter, area);
}
