#include "report/designer/oddil.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/paint/qpainter_canvas.h"
#include "report/designer/design_geometry.h"
#include "report/designer/designer_operations.h"
#include "report/designer/papir.h"
#include "report/designer/sesprvek.h"
#include "report/engine/sestava_layout.h"
#include "report/output/sestvyst.h"

namespace {
const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
}  // namespace

TOddil::TOddil(TPapir* paper, int code, TOddilSestavy* section)
    : QWidget(paper), paper_(paper), code_(code), section_(section) {
    setObjectName(QStringLiteral("Oddil%1").arg(code));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
}

QString TOddil::Caption() const {
    return SectionCaption(code_);
}

QColor TOddil::CaptionColor() const {
    switch (code_) {
        case 0:
        case 3:
            return QColor(0, 0, 255);
        case 1:
        case 4:
            return QColor(255, 0, 255);
        case 2:
            return QColor(255, 0, 0);
        default:
            return QColor(0, 128, 0);
    }
}

bool TOddil::BandVisible() const {
    if (paper_->IsDetail() && (code_ == 1 || code_ == 4)) {
        return false;
    }
    return section_ && section_->visible;
}

int TOddil::BandHeight() const {
    return section_ ? section_->height : 0;
}

void TOddil::SetBandHeight(int height) {
    if (section_) {
        section_->height = height;
    }
}

int TOddil::BandWidth() const {
    return paper_->DesignWidth();
}

double TOddil::Zoom() const {
    return paper_->Zoom();
}

int TOddil::ColumnWidth() const {
    const int n = std::max(1, columns);
    return (BandWidth() + columnGap) / n;
}

TSesPrvek* TOddil::AddElement(TLumexReportElement* element) {
    auto* design = new TSesPrvek(this, element);
    elements_.push_back(design);
    design->show();
    Restack();
    return design;
}

void TOddil::Restack() {
    // A run places a section's elements from the last one.
    std::vector<const TLumexReportElement*> added;
    added.reserve(elements_.size());
    for (auto it = elements_.rbegin(); it != elements_.rend(); ++it) {
        added.push_back(&(*it)->Element());
    }
    for (const int i : DrawingSequence(added)) {
        elements_[elements_.size() - 1 - size_t(i)]->raise();
    }
}

void TOddil::RemoveElement(TSesPrvek* element) {
    const auto it = std::find(elements_.begin(), elements_.end(), element);
    if (it != elements_.end()) {
        elements_.erase(it);
    }
    delete element;
}

int TOddil::IndexOf(const TSesPrvek* element) const {
    const auto it = std::find(elements_.begin(), elements_.end(), element);
    return it == elements_.end() ? -1 : int(it - elements_.begin());
}

void TOddil::BringToFront(TSesPrvek* element) {
    const int i = IndexOf(element);
    if (i < 0) {
        return;
    }
    elements_.erase(elements_.begin() + i);
    elements_.push_back(element);
    if (section_) {
        section_->Move(i, section_->Count() - 1);
    }
    Restack();
}

void TOddil::SendToBack(TSesPrvek* element) {
    const int i = IndexOf(element);
    if (i < 0) {
        return;
    }
    elements_.erase(elements_.begin() + i);
    elements_.insert(elements_.begin(), element);
    if (section_) {
        section_->Move(i, 0);
    }
    Restack();
}

void TOddil::ClearElements() {
    for (TSesPrvek* element : elements_) {
        delete element;
    }
    elements_.clear();
}

void TOddil::Relay() {
    const double z = Zoom();
    resize(std::max(1, ToPixels(BandWidth(), z) - 1), BandPixelHeight(BandHeight(), z));
    for (TSesPrvek* element : elements_) {
        element->Relay();
    }
    update();
}

// ---- painting ------------------------------------------------------------------------------

void TOddil::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintBackground(painter);
    PaintColumns(painter);
    if (showGrid) {
        PaintGrid(painter);
    }
    PaintBar(painter);
    if (rubber_) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(rubberFrom_, rubberTo_).normalized());
    }
}

void TOddil::PaintBackground(QPainter& painter) {
    if (paper_->background.IsEmpty()) {
        return;
    }
    const double z = Zoom();
    const QRect r = paper_->backgroundRect;
    const QRect target(QPoint(ToPixels(r.left() + backgroundOffset.x(), z),
                              ToPixels(r.top() + backgroundOffset.y(), z)),
                       QPoint(ToPixels(r.right() + backgroundOffset.x(), z),
                              ToPixels(r.bottom() + backgroundOffset.y(), z)));
    platform::QPainterCanvas canvas(&painter);
    paper_->background.Draw(canvas, target);
}

void TOddil::PaintColumns(QPainter& painter) {
    if (code_ != 2 || columns <= 1) {
        return;
    }
    const double z = Zoom();
    const int cw = ColumnWidth();
    const int barTop = height() - kBandBarHeight;
    auto pattern = [](const QColor& dot) {
        QImage tile(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                tile.setPixelColor(x, y, (x % 2) == (y % 2) ? dot : QColor(Qt::white));
            }
        }
        return QBrush(tile);
    };
    const int gapX = ToPixels(cw - columnGap, z);
    painter.fillRect(QRect(QPoint(gapX, 0), QPoint(width() - 1, barTop - 1)), pattern(kSilver));
    const int columnX = ToPixels(cw, z);
    painter.fillRect(QRect(QPoint(columnX, 0), QPoint(width() - 3, barTop - 1)), pattern(kGrey));
}

void TOddil::PaintGrid(QPainter& painter) {
    if (stepX <= 0 || stepY <= 0) {
        return;
    }
    const double z = Zoom();
    const int w = (code_ == 2 && columns > 1) ? ColumnWidth() : BandWidth();
    const int nx = int(w / stepX);
    const int ny = int(BandHeight() / stepY);
    painter.setPen(CaptionColor());
    QVector<QPoint> dots;
    dots.reserve(std::max(0, nx) * std::max(0, ny));
    for (int j = 1; j <= ny; ++j) {
        const int y = nint(j * stepY * z);
        for (int i = 1; i <= nx; ++i) {
            dots.append(QPoint(nint(i * stepX * z), y));
        }
    }
    painter.drawPoints(dots.constData(), int(dots.size()));
}

void TOddil::PaintBar(QPainter& painter) {
    const int h = height();
    const int w = width();
    const int top = h - kBandBarHeight;
    painter.setPen(Qt::black);
    painter.setBrush(kSilver);
    painter.drawRect(0, top, w - 1, kBandBarHeight - 1);
    painter.setPen(Qt::black);
    painter.drawLine(0, h - 16, w - 1, h - 16);
    painter.setPen(Qt::white);
    painter.drawLine(0, h - 15, w - 1, h - 15);
    painter.setPen(kGrey);
    painter.drawLine(0, h - 2, w - 1, h - 2);
    painter.setPen(Qt::black);
    painter.drawLine(0, h - 1, w - 1, h - 1);
    if (code_ == 2 && columns > 1) {
        const int x = ToPixels(ColumnWidth(), Zoom());
        painter.setPen(kGrey);
        painter.drawLine(x - 1, h - 15, x - 1, h - 2);
        painter.setPen(Qt::black);
        painter.drawLine(x, h - 15, x, h - 2);
        painter.setPen(Qt::white);
        painter.drawLine(x + 1, h - 15, x + 1, h - 2);
    }
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(CaptionColor());
    painter.drawText(QRect(5, h - 15, w - 10, 14), Qt::AlignLeft | Qt::AlignVCenter, Caption());
}

// ---- mouse ---------------------------------------------------------------------------------

void TOddil::Press(QPoint p, Qt::KeyboardModifiers mods, bool doubleClick) {
    TDesignerOperations& designer = paper_->Designer();
    if (doubleClick) {
        designer.BandDoubleClick(code_);
        return;
    }
    if (p.y() >= height() - kBandBarHeight) {
        designer.SelectTool();
        heightDrag_ = true;
        dragStartHeight_ = BandHeight();
        dragStartY_ = p.y();
        grabMouse();
        return;
    }
    if (designer.ActiveTool() != 0) {
        const double z = Zoom();
        int x = FromPixels(p.x(), z);
        int y = FromPixels(p.y(), z);
        if (snap) {
            x = Snap(x, stepX);
            y = Snap(y, stepY);
        }
        designer.InsertAt(code_, x, y);
        if (mods & Qt::ControlModifier) {
            designer.NextChoice();
        } else {
            designer.SelectTool();
        }
        return;
    }
    if (!(mods & (Qt::ShiftModifier | Qt::ControlModifier))) {
        designer.ClearSelection();
    }
    rubber_ = true;
    rubberFrom_ = p;
    rubberTo_ = p;
    grabMouse();
}

void TOddil::MoveMouse(QPoint p, Qt::KeyboardModifiers) {
    TDesignerOperations& designer = paper_->Designer();
    designer.MouseOverBand(code_);
    const double z = Zoom();
    if (heightDrag_) {
        int h = std::max(kMinBandHeight, dragStartHeight_ + FromPixels(p.y() - dragStartY_, z));
        if (snap) {
            h = std::max(kMinBandHeight, Snap(h, stepY));
        }
        if (h != BandHeight()) {
            SetBandHeight(h);
            paper_->RelayBands();
        }
        return;
    }
    if (rubber_) {
        rubberTo_ = p;
        update();
        return;
    }
    if (p.y() >= height() - kBandBarHeight) {
        setCursor(Qt::SplitVCursor);
        designer.ShowMouse(-1, -1);
    } else if (code_ == 2 && columns > 1 && p.x() >= ToPixels(ColumnWidth(), z)) {
        setCursor(Qt::ForbiddenCursor);
    } else {
        setCursor(designer.ActiveTool() != 0 ? Qt::CrossCursor : Qt::ArrowCursor);
        designer.ShowMouse(FromPixels(p.x(), z), FromPixels(p.y(), z));
    }
}

void TOddil::Release(QPoint p, Qt::KeyboardModifiers mods) {
    if (heightDrag_) {
        heightDrag_ = false;
        releaseMouse();
        if (BandHeight() != dragStartHeight_) {
            paper_->Designer().BandHeightChanged(code_);
        }
        return;
    }
    if (rubber_) {
        rubberTo_ = p;
        rubber_ = false;
        releaseMouse();
        update();
        FinishRubberBand(mods);
    }
}

void TOddil::FinishRubberBand(Qt::KeyboardModifiers mods) {
    const double z = Zoom();
    const QRect area = QRect(QPoint(FromPixels(rubberFrom_.x(), z), FromPixels(rubberFrom_.y(), z)),
                             QPoint(FromPixels(rubberTo_.x(), z), FromPixels(rubberTo_.y(), z)))
                           .normalized();
    TDesignerOperations& designer = paper_->Designer();
    const std::vector<TSesPrvek*> elements = elements_;
    for (TSesPrvek* element : elements) {
        const TElementBox b = element->Box();
        if (!QRect(b.left, b.top, b.width, b.height).intersects(area)) {
            continue;
        }
        if ((mods & Qt::ControlModifier) && (element->Focused() || element->Marked())) {
            designer.UnmarkElement(element);
        } else if (!element->Marked()) {
            designer.MarkElement(element);
        }
    }
}

void TOddil::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Press(event->position().toPoint(), event->modifiers(), false);
    }
}

void TOddil::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Press(event->position().toPoint(), event->modifiers(), true);
    }
}

void TOddil::mouseMoveEvent(QMouseEvent* event) {
    MoveMouse(event->position().toPoint(), event->modifiers());
}

void TOddil::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Release(event->position().toPoint(), event->modifiers());
    }
}
