#pragma once
// TOddil: one band of the design surface (a section of the template): its
// caption, grid, multi-column strips and bar, its elements in drawing order,
// height drags and rubber-band selection.

#include <QColor>
#include <QRect>
#include <QWidget>
#include <vector>

class TPapir;
class TSesPrvek;
class TOddilSestavy;
class TLumexReportElement;

class TOddil : public QWidget {
    Q_OBJECT
  public:
    TOddil(TPapir* paper, int code, TOddilSestavy* section);

    int Code() const { return code_; }
    QString Caption() const;
    QColor CaptionColor() const;
    TOddilSestavy* Section() const { return section_; }
    TPapir* Paper() const { return paper_; }

    bool BandVisible() const;
    int BandHeight() const;
    void SetBandHeight(int height);
    int BandWidth() const;

    // Print columns and their gap (used by the body band only).
    int columns = 1;
    int columnGap = 0;
    double stepX = 8;
    double stepY = 8;
    bool showGrid = true;
    bool snap = true;
    // The background picture's placement on this band, hundredths of an inch.
    QPoint backgroundOffset;

    // Elements in the section's order, which is the order a run adds them
    // to the page; they are stacked as the page draws them (texts above
    // lines and shapes, drawing areas at the back), so the band shows what
    // prints.
    const std::vector<TSesPrvek*>& Elements() const { return elements_; }
    TSesPrvek* AddElement(TLumexReportElement* element);
    // Stacks the element widgets in the page's drawing order again (after
    // an element's kind or text flags changed).
    void Restack();
    void RemoveElement(TSesPrvek* element);
    void BringToFront(TSesPrvek* element);
    void SendToBack(TSesPrvek* element);
    int IndexOf(const TSesPrvek* element) const;
    void ClearElements();

    double Zoom() const;
    // Re-lays the band's pixel height and every element.
    void Relay();
    int ColumnWidth() const;

    // Mouse gestures on the band (band pixels), also driven by tests.
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
    void PaintColumns(QPainter& painter);
    void PaintGrid(QPainter& painter);
    void PaintBar(QPainter& painter);
    void PaintBackground(QPainter& painter);
    void FinishRubberBand(Qt::KeyboardModifiers mods);

    TPapir* paper_;
    int code_;
    TOddilSestavy* section_;
    std::vector<TSesPrvek*> elements_;
    bool heightDrag_ = false;
    int dragStartHeight_ = 0;
    int dragStartY_ = 0;
    bool rubber_ = false;
    QPoint rubberFrom_;
    QPoint rubberTo_;
};
