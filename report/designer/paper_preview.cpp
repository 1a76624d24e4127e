#include "report/designer/paper_preview.h"

#include <QPainter>
#include <cmath>

#include "report/output/length_units.h"

namespace {
constexpr int kBox = 85;
}

TPaperPreview::TPaperPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBoxPapiru"));
    setFixedSize(kBox, kBox);
}

void TPaperPreview::SetPage(const TPage& page) {
    page_ = page;
    update();
}

double TPaperPreview::Scale() const {
    const int w = page_.width;
    const int h = page_.height;
    if (w <= 0 || h <= 0) {
        return 0;
    }
    return w > h ? (width() - 3.0) / w : (height() - 3.0) / h;
}

QRect TPaperPreview::PaperRect() const {
    const double s = Scale();
    const int x0 = RoundHalfEven((width() - page_.width * s - 3) / 2);
    const int y0 = RoundHalfEven((height() - page_.height * s - 3) / 2);
    const int x1 = RoundHalfEven(page_.width * s + x0);
    const int y1 = RoundHalfEven(page_.height * s + y0);
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QRect TPaperPreview::PrintableRect() const {
    const double s = Scale();
    const QRect paper = PaperRect();
    const int x0 = paper.left() + RoundHalfEven(page_.left * s + 1);
    const int y0 = paper.top() + RoundHalfEven(page_.top * s + 1);
    const int x1 = paper.right() - RoundHalfEven(page_.right * s + 1);
    const int y1 = paper.bottom() - RoundHalfEven(page_.bottom * s + 1);
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QList<QRect> TPaperPreview::Cells() const {
    QList<QRect> cells;
    const double s = Scale();
    const QRect area = PrintableRect();
    const int n = std::max(1, page_.columns);
    const int rows = n == 1 ? 1 : 4;
    if (s <= 0 || area.right() <= area.left() || area.bottom() <= area.top()) {
        return cells;
    }
    const int x0 = area.left();
    const int y0 = area.top();
    const int rowHeight = (area.bottom() - y0) / rows;
    const int pitch = (area.right() - x0 + RoundHalfEven(page_.gap * s + 1)) / n;
    const int shrink = RoundHalfEven(page_.gap * s - 1);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < n; ++c) {
            cells.append(QRect(QPoint(x0 + c * pitch, y0 + r * rowHeight),
                               QPoint(x0 + (c + 1) * pitch - shrink, y0 + (r + 1) * rowHeight)));
        }
    }
    return cells;
}

void TPaperPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (Scale() <= 0) {
        return;  // a paper without a size has nothing to show
    }
    const QRect paper = PaperRect();
    painter.fillRect(paper.translated(3, 3), QColor(128, 128, 128));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(paper);
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            pattern.setPixel(x, y, (x % 2) == (y % 2) ? qRgb(0, 255, 255) : qRgb(255, 255, 255));
        }
    }
    painter.setPen(Qt::blue);
    painter.setBrush(QBrush(pattern));
    for (const QRect& cell : Cells()) {
        painter.drawRect(cell);
    }
}
