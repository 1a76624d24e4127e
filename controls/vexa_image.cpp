#include "controls/vexa_image.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kInitialSide = 105;

QPoint Placed(const QSize& picture, const QSize& frame, bool center) {
    if (!center) {
        return QPoint(0, 0);
    }
    return QPoint((frame.width() - picture.width()) / 2, (frame.height() - picture.height()) / 2);
}

}  // namespace

QSize IsometricFit(const QSize& picture, const QSize& frame) {
    if (picture.isEmpty() || frame.isEmpty()) {
        return QSize(0, 0);
    }
    const double scale = std::min(static_cast<double>(frame.width()) / picture.width(),
                                  static_cast<double>(frame.height()) / picture.height());
    // The side that limits the scale fits exactly; the other is rounded and
    // never exceeds the frame.
    const int width =
        std::min(frame.width(), static_cast<int>(std::lround(picture.width() * scale)));
    const int height =
        std::min(frame.height(), static_cast<int>(std::lround(picture.height() * scale)));
    return QSize(std::max(width, 1), std::max(height, 1));
}

TVexaImage::TVexaImage(QWidget* parent) : QWidget(parent) {
    resize(kInitialSide, kInitialSide);
}

void TVexaImage::SetPicture(const QImage& picture) {
    picture_ = picture;
    FitToPicture();
    update();
}

void TVexaImage::SetStretch(bool on) {
    stretch_ = on;
    FitToPicture();
    update();
}

void TVexaImage::SetIsometric(bool on) {
    isometric_ = on;
    update();
}

void TVexaImage::SetCenter(bool on) {
    center_ = on;
    update();
}

void TVexaImage::SetTransparent(bool on) {
    transparent_ = on;
    setAttribute(Qt::WA_TranslucentBackground, on);
    update();
}

void TVexaImage::SetAutoSize(bool on) {
    autoSize_ = on;
    FitToPicture();
}

void TVexaImage::FitToPicture() {
    if (autoSize_ && !stretch_ && !picture_.isNull()) {
        resize(picture_.size());
    }
}

QRect TVexaImage::PictureRect() const {
    if (picture_.isNull()) {
        return QRect();
    }
    if (!stretch_) {
        return QRect(Placed(picture_.size(), size(), center_), picture_.size());
    }
    if (!isometric_) {
        return rect();
    }
    const QSize fitted = IsometricFit(picture_.size(), size());
    return QRect(Placed(fitted, size(), center_), fitted);
}

void TVexaImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_) {
        painter.fillRect(rect(), QColor(0xC0, 0xC0, 0xC0));
    }
    if (!picture_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(PictureRect(), picture_);
    }
}
