#pragma once
// TSesPrvek: one element on a band of the design surface. It draws the
// template element the way the output draws it, shows the selection marks and
// handles, and turns presses and drags into selections, moves and resizes.

#include <QWidget>

#include "platform/paint/vector_picture.h"
#include "report/designer/design_geometry.h"

class TLumexReportElement;
class TOddil;
class TSestavaTyp;

class TSesPrvek : public QWidget {
    Q_OBJECT
  public:
    // `element` belongs to the report's section, which the band mirrors.
    TSesPrvek(TOddil* band, TLumexReportElement* element);

    TLumexReportElement& Element() const { return *element_; }
    TOddil* Band() const { return band_; }

    bool Focused() const { return focused_; }
    bool Marked() const { return marked_; }
    void SetFocused(bool on);
    void SetMarked(bool on);

    TElementBox Box() const;
    // Stores the geometry in the template element and re-lays the widget.
    void SetBox(const TElementBox& box);
    // Places the widget at the band's zoom.
    void Relay();
    // The element changed in a way that changes its picture.
    void Redraw();
    bool Dragging() const { return dragging_; }
    int GrabbedHandle() const { return handle_; }

    // Handle under a widget point: 0 inside, 1..8 the handles; a marked or
    // unfocused element answers 0.
    int HandleUnder(QPoint p) const;

    // Mouse gestures, also driven by tests with element-relative points.
    void Press(QPoint p, Qt::KeyboardModifiers mods, bool doubleClick);
    void MoveMouse(QPoint p, Qt::KeyboardModifiers mods);
    void Release(QPoint p, Qt::KeyboardModifiers mods);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Smallest side of the widget, so that rules of height 0 can be grabbed.
    static constexpr int kMinWidgetSide = 3;
    // The element's own pixel rectangle (the widget may be larger).
    QRect ContentRect() const;
    void PaintContent(QPainter& painter);
    void PaintMarks(QPainter& painter);
    void UpdateCursor(QPoint p);
    // The focused element of this band when one of its handles lies under
    // `p` (a point of this widget), else null.
    TSesPrvek* HandleOwnerAt(QPoint p) const;
    void StartDrag(QPoint p);

    TOddil* band_;
    TLumexReportElement* element_;
    bool focused_ = false;
    bool marked_ = false;
    bool dragging_ = false;
    QPoint grab_;
    TElementBox grabBox_;
    int handle_ = 0;
    bool pictureValid_ = false;
    platform::VectorPicture picture_;
};
