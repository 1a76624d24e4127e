#include "report/designer/pravitko.h"

#include <QApplication>
#include <QPainter>

#include "report/designer/design_geometry.h"
#include "report/output/length_units.h"

TPravitko::TPravitko(Side side, QWidget* parent) : QWidget(parent), side_(side) {
    static const char* names[] = {"PravitkoL", "PravitkoR", "PravitkoT", "PravitkoB"};
    setObjectName(QLatin1String(names[int(side)]));
    if (Horizontal()) {
        setFixedHeight(16);
    } else {
        setFixedWidth(16);
    }
}

TPravitko::Ticks TPravitko::TicksOf(int unit) {
    switch (unit) {
        case 1:
            return {50, 100, 100};
        case 2:
            return {10, 60, 10};
        case 3:
            return {10, 100, 1};
        default:
            return {20, 100, 100};
    }
}

void TPravitko::SetUnit(int unit) {
    unit_ = unit;
    update();
}
void TPravitko::SetZoom(double zoom) {
    zoom_ = zoom;
    update();
}
void TPravitko::SetScroll(int position) {
    scroll_ = position;
    update();
}
void TPravitko::SetOrigin(int origin) {
    origin_ = origin;
    update();
}
void TPravitko::SetPaperWidth(int width) {
    paperWidth_ = width;
    update();
}
void TPravitko::SetBands(std::vector<BandSpan> bands) {
    bands_ = std::move(bands);
    update();
}
void TPravitko::SetMarker(int bandCode, int x, int y) {
    markerBand_ = bandCode;
    markerX_ = x;
    markerY_ = y;
    update();
}

void TPravitko::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QApplication::palette().color(QPalette::Button));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(9);
    painter.setFont(font);
    if (Horizontal()) {
        PaintHorizontal(painter);
    } else {
        PaintVertical(painter);
    }
}

void TPravitko::PaintHorizontal(QPainter& painter) {
    const double f = UnitFactor(unit_);
    const Ticks t = TicksOf(unit_);
    const int x0 = origin_ - scroll_;
    painter.fillRect(QRect(QPoint(x0, 3), QPoint(x0 + ToPixels(paperWidth_, zoom_), 13)),
                     Qt::white);
    painter.setPen(Qt::black);
    for (int s = 0; RoundHalfEven(s / f) <= paperWidth_; s += t.step) {
        const int x = ToPixels(RoundHalfEven(s / f), zoom_) + x0;
        if (s % t.period == 0) {
            painter.drawLine(x, 0, x, 4);
            painter.drawLine(x, 12, x, 16);
            const QString label = QString::number(s / t.divisor);
            painter.drawText(QRect(x - 20, 3, 40, 10), Qt::AlignCenter, label);
        } else {
            painter.drawLine(x, 6, x, 10);
        }
    }
    if (markerX_ >= 0) {
        painter.setPen(Qt::red);
        const int x = ToPixels(markerX_, zoom_) + x0;
        painter.drawLine(x, 0, x, 16);
    }
}

void TPravitko::PaintVertical(QPainter& painter) {
    const double f = UnitFactor(unit_);
    const Ticks t = TicksOf(unit_);
    for (const BandSpan& band : bands_) {
        const int top = band.screenTop - scroll_;
        painter.fillRect(QRect(3, top, 11, ToPixels(band.height, zoom_)), Qt::white);
        painter.setPen(Qt::black);
        for (int s = 0; RoundHalfEven(s / f) <= band.height; s += t.step) {
            const int y = ToPixels(RoundHalfEven(s / f), zoom_) + top;
            if (s % t.period == 0) {
                painter.drawLine(0, y, 4, y);
                painter.drawLine(12, y, 16, y);
                painter.drawText(QRect(0, y - 4, 16, 10), Qt::AlignCenter,
                                 QString::number(s / t.divisor));
            } else {
                painter.drawLine(6, y, 10, y);
            }
        }
        if (band.code == markerBand_ && markerY_ >= 0) {
            painter.setPen(Qt::red);
            const int y = ToPixels(markerY_, zoom_) + top;
            painter.drawLine(0, y, 16, y);
        }
    }
}
