#include "controls/led_lamp.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

namespace {

constexpr int kBitmapSize = 16;
constexpr int kLampInset = 3;
constexpr int kDefaultBlinkRate = 1000;

// Same order as the enumerations: the pairs share a position.
const QRgb kOnColors[] = {0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
const QRgb kOffColors[] = {0x000000, 0x800000, 0x008000, 0x808000,
                           0x000080, 0x800080, 0x008080, 0x808080};

QImage DrawGenericLed() {
    QImage image(kBitmapSize, kBitmapSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Bezel: a dark ring lit from the top left.
    QLinearGradient bezel(0, 0, kBitmapSize, kBitmapSize);
    bezel.setColorAt(0, QColor(0xF0, 0xF0, 0xF0));
    bezel.setColorAt(1, QColor(0x40, 0x40, 0x40));
    painter.setPen(Qt::NoPen);
    painter.setBrush(bezel);
    painter.drawEllipse(QRectF(0.5, 0.5, kBitmapSize - 1, kBitmapSize - 1));
    // Lamp area: white in the highlight, shading to grey at the rim.
    const QRectF lamp = QRectF(GenericLedLampArea());
    QRadialGradient glass(lamp.center(), lamp.width() / 2,
                          lamp.center() - QPointF(lamp.width() / 5, lamp.height() / 5));
    glass.setColorAt(0, Qt::white);
    glass.setColorAt(1, QColor(0xA0, 0xA0, 0xA0));
    painter.setBrush(glass);
    painter.drawEllipse(lamp);
    return image;
}

}  // namespace

QColor LedColor(TLedOnColors color) {
    return QColor(kOnColors[color]);
}

QColor LedColor(TLedOffColors color) {
    return QColor(kOffColors[color]);
}

const QImage& GenericLedBitmap() {
    static const QImage bitmap = DrawGenericLed();
    return bitmap;
}

QRect GenericLedLampArea() {
    return QRect(kLampInset, kLampInset, kBitmapSize - 2 * kLampInset,
                 kBitmapSize - 2 * kLampInset);
}

TLedka::TLedka(QWidget* parent) : QWidget(parent) {
    setFixedSize(GenericLedBitmap().size());
    blinkTimer_.setInterval(kDefaultBlinkRate);
    connect(&blinkTimer_, &QTimer::timeout, this, &TLedka::Toggle);
}

void TLedka::SetLedStatus(TLedStatus status) {
    status_ = status;
    if (status_ == IsBlink) {
        blinkTimer_.start();
    } else {
        blinkTimer_.stop();
        lit_ = status_ == IsOn;
    }
    update();
}

void TLedka::SetLedOnColor(TLedOnColors color) {
    onColor_ = color;
    if (autoSelectColor_) {
        offColor_ = static_cast<TLedOffColors>(static_cast<int>(color));
    }
    update();
}

void TLedka::SetLedOffColor(TLedOffColors color) {
    offColor_ = color;
    if (autoSelectColor_) {
        onColor_ = static_cast<TLedOnColors>(static_cast<int>(color));
    }
    update();
}

void TLedka::SetBlinkRate(int milliseconds) {
    // A zero interval would toggle on every pass of the event loop.
    blinkTimer_.setInterval(std::max(milliseconds, 1));
}

void TLedka::Toggle() {
    lit_ = !lit_;
    update();
}

QImage TLedka::LampImage() const {
    QImage image = GenericLedBitmap().copy();
    QPainter painter(&image);
    // Multiplying keeps the glass's shading and gives it the lamp colour.
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ShownColor());
    painter.drawEllipse(QRectF(GenericLedLampArea()));
    return image;
}

void TLedka::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, LampImage());
}
