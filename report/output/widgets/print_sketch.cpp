#include "report/output/widgets/print_sketch.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "report/output/widgets/print_options_window.h"

namespace {

// 8 x 8 dots on white: a cyan dot where row and column have the same parity.
QBrush DottedBrush() {
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            pattern.setPixel(x, y, (x % 2 == y % 2) ? qRgb(0, 255, 255) : qRgb(255, 255, 255));
        }
    }
    return QBrush(pattern);
}

int SheetStepX(const TFormLumexReportZoom& form) {
    const TPrintOptionsRequest& paper = form.Paper();
    return form.PhysicalWidth() - paper.MarginLeft - paper.MarginRight;
}

int SheetStepY(const TFormLumexReportZoom& form) {
    const TPrintOptionsRequest& paper = form.Paper();
    return form.PhysicalHeight() - paper.MarginTop - paper.MarginBottom;
}

// A sheet covers this much of the paper: its own size, or more when the
// page is printed reduced.
QSizeF SheetOnPaper(const TFormLumexReportZoom& form) {
    const double factor = form.Zoom() > 0 ? 100.0 / form.Zoom() : 1.0;
    return QSizeF(form.PhysicalWidth() * factor, form.PhysicalHeight() * factor);
}

}  // namespace

TPrintSketch::TPrintSketch(const TFormLumexReportZoom& form, QWidget* parent)
    : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("Nahled"));
    setMinimumSize(260, 260);
}

QRectF TPrintSketch::Extent() const {
    const TPrintOptionsRequest& paper = form_.Paper();
    QRectF extent(0, 0, std::max(paper.PaperWidth, 1), std::max(paper.PaperHeight, 1));
    const QSizeF sheet = SheetOnPaper(form_);
    const int columns = std::min(form_.Columns(), kMaxSheetsDrawn);
    const int rows = std::min(form_.Rows(), kMaxSheetsDrawn);
    extent |= QRectF(QPointF(0, 0), sheet);
    extent |= QRectF(
        QPointF(double(columns - 1) * SheetStepX(form_), double(rows - 1) * SheetStepY(form_)),
        sheet);
    return extent;
}

QTransform TPrintSketch::Fit() const {
    const QRectF extent = Extent();
    const double roomX = std::max(1, width() - kShadow);
    const double roomY = std::max(1, height() - kShadow);
    const double s = std::min(roomX / extent.width(), roomY / extent.height());
    const double dx = (roomX - extent.width() * s) / 2 - extent.left() * s;
    const double dy = (roomY - extent.height() * s) / 2 - extent.top() * s;
    return QTransform(s, 0, 0, s, dx, dy);
}

QRect TPrintSketch::PaperRect() const {
    const TPrintOptionsRequest& paper = form_.Paper();
    return Fit().mapRect(QRectF(0, 0, paper.PaperWidth, paper.PaperHeight)).toRect();
}

void TPrintSketch::paintEvent(QPaintEvent*) {
    const TPrintOptionsRequest& paper = form_.Paper();
    const QTransform fit = Fit();
    QPainter painter(this);
    const QRect paperRect = fit.mapRect(QRectF(0, 0, paper.PaperWidth, paper.PaperHeight)).toRect();
    painter.fillRect(paperRect.translated(kShadow, kShadow), Qt::gray);
    painter.fillRect(paperRect, Qt::white);

    const QRectF printable(paper.MarginLeft, paper.MarginTop,
                           paper.PaperWidth - paper.MarginLeft - paper.MarginRight,
                           paper.PaperHeight - paper.MarginTop - paper.MarginBottom);
    const QRect area = fit.mapRect(printable).toRect();
    if (area.width() > 0 && area.height() > 0) {
        painter.setBrushOrigin(area.topLeft());
        painter.fillRect(area, DottedBrush());
        painter.setPen(QPen(Qt::blue, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area);
    }

    painter.setPen(QPen(Qt::red, 0, Qt::DotLine));
    const QSizeF sheet = SheetOnPaper(form_);
    const int columns = std::min(form_.Columns(), kMaxSheetsDrawn);
    const int rows = std::min(form_.Rows(), kMaxSheetsDrawn);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QPointF origin(double(c) * SheetStepX(form_), double(r) * SheetStepY(form_));
            painter.drawRect(fit.mapRect(QRectF(origin, sheet)).toRect());
        }
    }
}
