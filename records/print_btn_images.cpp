// The pictures of the print button's kinds, drawn once in 24 × 24 pixels:
// a plain page, the page under a magnifying glass (preview), a printer
// (print) and the page with a pencil (edit).
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "records/print_btn_kopa.h"

namespace {

constexpr int kSize = 24;

void DrawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(4, 2);
    page.lineTo(14, 2);
    page.lineTo(19, 7);
    page.lineTo(19, 22);
    page.lineTo(4, 22);
    page.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(14, 2, 14, 7);
    p.drawLine(14, 7, 19, 7);
    p.setPen(QPen(QColor(150, 150, 170), 1));
    for (int y = 10; y <= 19; y += 3) {
        p.drawLine(7, y, 16, y);
    }
}

void DrawMagnifier(QPainter& p) {
    p.setPen(QPen(QColor(30, 30, 30), 2));
    p.setBrush(QColor(190, 220, 255, 200));
    p.drawEllipse(QPointF(12, 12), 5.5, 5.5);
    p.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16.5, 16.5), QPointF(21.5, 21.5));
}

void DrawPrinter(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(7, 2, 10, 8);
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(2, 9, 20, 9, 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(6, 15, 12, 7);
    p.setPen(QPen(QColor(150, 150, 170), 1));
    p.drawLine(8, 18, 16, 18);
    p.drawLine(8, 20, 14, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 180, 60));
    p.drawEllipse(QPointF(18.5, 12), 1.2, 1.2);
}

void DrawPencil(QPainter& p) {
    p.save();
    p.translate(17, 15);
    p.rotate(45);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(240, 190, 40));
    p.drawRect(QRectF(-2, -10, 4, 13));
    p.setBrush(QColor(230, 120, 120));
    p.drawRect(QRectF(-2, -12, 4, 2));
    QPainterPath tip;
    tip.moveTo(-2, 3);
    tip.lineTo(2, 3);
    tip.lineTo(0, 7);
    tip.closeSubpath();
    p.setBrush(QColor(240, 220, 180));
    p.drawPath(tip);
    p.restore();
}

QIcon Picture(void (*draw)(QPainter&), void (*over)(QPainter&) = nullptr) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    if (over != nullptr) {
        over(painter);
    }
    painter.end();
    return QIcon(pixmap);
}

}  // namespace

QList<QIcon> PrintButtonImages() {
    return {Picture(DrawPage), Picture(DrawPage, DrawMagnifier), Picture(DrawPrinter),
            Picture(DrawPage, DrawPencil)};
}
