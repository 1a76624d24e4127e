#include "report/designer/sesprvek.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/paint/qpainter_canvas.h"
#include "report/designer/designer_operations.h"
#include "report/designer/element_picture.h"
#include "report/designer/list_variant.h"
#include "report/designer/oddil.h"
#include "report/designer/papir.h"
#include "report/engine/sestavyt.h"
#include "report/model/lumex_element.h"

namespace {
const QColor kMarkGrey(128, 128, 128);
const QColor kSilver(192, 192, 192);
}  // namespace

TSesPrvek::TSesPrvek(TOddil* band, TLumexReportElement* element)
    : QWidget(band), band_(band), element_(element) {
    setObjectName(QStringLiteral("SesPrvek"));
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    Relay();
}

void TSesPrvek::SetFocused(bool on) {
    if (focused_ != on) {
        focused_ = on;
        update();
    }
}

void TSesPrvek::SetMarked(bool on) {
    if (marked_ != on) {
        marked_ = on;
        update();
    }
}

TElementBox TSesPrvek::Box() const {
    return {element_->left, element_->top, element_->width, element_->height};
}

void TSesPrvek::SetBox(const TElementBox& box) {
    const bool resized = box.width != element_->width || box.height != element_->height;
    element_->left = box.left;
    element_->top = box.top;
    element_->width = box.width;
    element_->height = box.height;
    if (resized) {
        pictureValid_ = false;
    }
    Relay();
}

QRect TSesPrvek::ContentRect() const {
    const double z = band_->Zoom();
    return QRect(0, 0, std::max(1, ToPixels(element_->width, z)),
                 std::max(1, ToPixels(element_->height, z)));
}

void TSesPrvek::Relay() {
    const double z = band_->Zoom();
    // A rule of height 0 still gets a strip that can be seen and grabbed.
    const QRect content = ContentRect();
    setGeometry(ToPixels(element_->left, z), ToPixels(element_->top, z),
                std::max(kMinWidgetSide, content.width()),
                std::max(kMinWidgetSide, content.height()));
    update();
}

void TSesPrvek::Redraw() {
    pictureValid_ = false;
    band_->Restack();
    update();
}

int TSesPrvek::HandleUnder(QPoint p) const {
    if (marked_ || !focused_) {
        return 0;
    }
    return HandleAt(p.x(), p.y(), width(), height());
}

// ---- painting ------------------------------------------------------------------------------

void TSesPrvek::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The thin outline of an unselected element goes under its content, so
    // that a frame's own edges show as they print.
    if (!marked_ && !focused_) {
        PaintMarks(painter);
        PaintContent(painter);
        return;
    }
    PaintContent(painter);
    PaintMarks(painter);
}

void TSesPrvek::PaintContent(QPainter& painter) {
    if (element_->kind == ekDetail) {
        painter.fillRect(rect(), QBrush(Qt::black, Qt::DiagCrossPattern));
    } else {
        if (!pictureValid_) {
            picture_ = DesignElementPicture(band_->Paper()->Report(), *element_);
            pictureValid_ = true;
        }
        platform::QPainterCanvas canvas(&painter);
        picture_.Play(canvas, ContentRect());
    }
    if (!element_->condition.isEmpty()) {
        painter.fillRect(ContentRect(), QBrush(kSilver, Qt::BDiagPattern));
    }
    if (element_->handler) {
        painter.fillRect(ContentRect(), QBrush(kSilver, Qt::FDiagPattern));
    }
}

void TSesPrvek::PaintMarks(QPainter& painter) {
    const int w = width();
    const int h = height();
    const int s = kHandleSize;
    painter.setBrush(Qt::NoBrush);
    if (!marked_ && !focused_) {
        const QRect content = ContentRect();
        // A thin rule would vanish under its outline.
        if (content.width() >= kMinWidgetSide && content.height() >= kMinWidgetSide) {
            painter.setPen(kSilver);
            painter.drawRect(0, 0, w - 1, h - 1);
        }
        return;
    }
    painter.setPen(kMarkGrey);
    painter.drawRect(0, 0, w - 1, h - 1);
    auto square = [&](int x, int y, bool filled) {
        const QRect r(x, y, s, s);
        if (filled) {
            painter.fillRect(r, kMarkGrey);
        } else {
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        }
    };
    const int right = w - s;
    const int bottom = h - s;
    square(0, 0, focused_);
    square(right, 0, focused_);
    square(0, bottom, focused_);
    square(right, bottom, focused_);
    if (focused_ && !marked_) {
        const int mx = (w - s) / 2;
        const int my = (h - s) / 2;
        square(mx, 0, true);
        square(0, my, true);
        square(right, my, true);
        square(mx, bottom, true);
    }
}

// ---- mouse ---------------------------------------------------------------------------------

namespace {

Qt::CursorShape HandleCursor(int handle) {
    switch (handle) {
        case 1:
        case 8:
            return Qt::SizeFDiagCursor;
        case 2:
        case 7:
            return Qt::SizeVerCursor;
        case 3:
        case 6:
            return Qt::SizeBDiagCursor;
        case 4:
        case 5:
            return Qt::SizeHorCursor;
        default:
            return Qt::OpenHandCursor;
    }
}

}  // namespace

TSesPrvek* TSesPrvek::HandleOwnerAt(QPoint p) const {
    TSesPrvek* focused = band_->Paper()->Designer().FocusedElement();
    if (!focused || focused == this || focused->Band() != band_) {
        return nullptr;
    }
    return focused->HandleUnder(p + pos() - focused->pos()) > 0 ? focused : nullptr;
}

void TSesPrvek::UpdateCursor(QPoint p) {
    TDesignerOperations& designer = band_->Paper()->Designer();
    if (designer.ActiveTool() != 0) {
        setCursor(band_->cursor());
    } else if (const TSesPrvek* owner = HandleOwnerAt(p)) {
        setCursor(HandleCursor(owner->HandleUnder(p + pos() - owner->pos())));
    } else if (marked_) {
        setCursor(Qt::SizeAllCursor);
    } else if (focused_) {
        setCursor(HandleCursor(HandleUnder(p)));
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

void TSesPrvek::StartDrag(QPoint p) {
    dragging_ = true;
    grab_ = p;
    grabBox_ = Box();
    handle_ = HandleUnder(p);
    grabMouse();
    UpdateCursor(p);
}

void TSesPrvek::Press(QPoint p, Qt::KeyboardModifiers mods, bool doubleClick) {
    TDesignerOperations& designer = band_->Paper()->Designer();
    if (doubleClick) {
        if (dragging_) {
            dragging_ = false;
            releaseMouse();
        }
        designer.ElementDoubleClick(this);
        return;
    }
    if (designer.ActiveTool() != 0 || (mods & Qt::ShiftModifier)) {
        band_->Press(p + pos(), mods, false);
        return;
    }
    // The selected element's handles come first: a press on one of them
    // resizes that element even where another element lies above it.
    if (!mods) {
        if (TSesPrvek* owner = HandleOwnerAt(p)) {
            owner->Press(p + pos() - owner->pos(), mods, false);
            return;
        }
    }
    const bool ctrl = mods & Qt::ControlModifier;
    if (ctrl) {
        if (focused_ || marked_) {
            designer.UnmarkElement(this);
        } else {
            designer.MarkElement(this);
        }
    } else {
        designer.SelectTool();
        designer.FocusElement(this);
    }
    if (!ctrl && !dragging_) {
        StartDrag(p);
    }
}

void TSesPrvek::MoveMouse(QPoint p, Qt::KeyboardModifiers) {
    TDesignerOperations& designer = band_->Paper()->Designer();
    if (!dragging_) {
        UpdateCursor(p);
        const double z = band_->Zoom();
        designer.ShowMouse(element_->left + FromPixels(p.x(), z),
                           element_->top + FromPixels(p.y(), z));
        return;
    }
    const double z = band_->Zoom();
    int dx = FromPixels(p.x() - grab_.x(), z);
    int dy = FromPixels(p.y() - grab_.y(), z);
    if (band_->snap) {
        dx = Snap(dx, band_->stepX);
        dy = Snap(dy, band_->stepY);
    }
    const TBandLimits limits{band_->BandWidth(), band_->BandHeight(),
                             designer.MoveOutsideAllowed()};
    const TElementBox before = Box();
    const TElementBox after = DragStep(before, grabBox_, handle_, dx, dy, limits);
    if (after == before) {
        return;
    }
    SetBox(after);
    if (marked_) {
        designer.MoveMarked(this, after.left - before.left, after.top - before.top);
    }
    if (handle_ <= 4 || handle_ == 6) {
        designer.ShowPosition(after.left, after.top);
    }
    if (handle_ >= 1) {
        designer.ShowSize(after.width, after.height);
    }
    designer.ShowMouse(-1, -1);
}

void TSesPrvek::Release(QPoint, Qt::KeyboardModifiers) {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    releaseMouse();
    if (Box() != grabBox_) {
        band_->Paper()->Designer().RecordStep(dsMove);
    }
}

void TSesPrvek::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Press(event->position().toPoint(), event->modifiers(), false);
    }
}

void TSesPrvek::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Press(event->position().toPoint(), event->modifiers(), true);
    }
}

void TSesPrvek::mouseMoveEvent(QMouseEvent* event) {
    MoveMouse(event->position().toPoint(), event->modifiers());
}

void TSesPrvek::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Release(event->position().toPoint(), event->modifiers());
    }
}
