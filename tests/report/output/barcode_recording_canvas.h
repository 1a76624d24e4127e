#pragma once
// A canvas that records the polygons and texts the barcode painter draws, with
// the pen, brush and font in effect for each, so tests can check geometry
// without rasterising.

#include <QRect>
#include <QString>

#include <string>
#include <vector>

#include "platform/paint/canvas.h"
#include "report/output/sestbarc.h"

namespace barcode_test {

struct RecordedPolygon {
    QPolygon points;
    platform::Pen pen;
    platform::Brush brush;
    QRect Bounds() const { return points.boundingRect(); }
    bool IsBar() const { return brush.color == QColor(Qt::black); }
};

struct RecordedText {
    QPoint at;
    QString text;
    platform::Font font;
    bool transparent = false;
    bool baseline = false;
    QColor background;
};

class RecordingCanvas : public platform::Canvas {
  public:
    std::vector<RecordedPolygon> polygons;
    std::vector<RecordedText> texts;
    int otherCalls = 0;

    std::vector<RecordedPolygon> Bars() const {
        std::vector<RecordedPolygon> bars;
        for (const RecordedPolygon& p : polygons) {
            if (p.IsBar()) {
                bars.push_back(p);
            }
        }
        return bars;
    }
    QRect BarBounds() const {
        QRect bounds;
        for (const RecordedPolygon& p : Bars()) {
            bounds = bounds.united(p.Bounds());
        }
        return bounds;
    }

    int PixelsPerInch() const override { return ppi_; }
    void SetPixelsPerInch(int ppi) override { ppi_ = ppi; }
    void SetPen(const platform::Pen& pen) override { pen_ = pen; }
    const platform::Pen& GetPen() const override { return pen_; }
    void SetBrush(const platform::Brush& brush) override { brush_ = brush; }
    const platform::Brush& GetBrush() const override { return brush_; }
    void SetFont(const platform::Font& font) override { font_ = font; }
    const platform::Font& GetFont() const override { return font_; }
    void MoveTo(QPoint) override { ++otherCalls; }
    void LineTo(QPoint) override { ++otherCalls; }
    void Rectangle(const QRect&) override { ++otherCalls; }
    void RoundRect(const QRect&, int, int) override { ++otherCalls; }
    void Ellipse(const QRect&) override { ++otherCalls; }
    void Polygon(const QPolygon& points) override { polygons.push_back({points, pen_, brush_}); }
    void FillRect(const QRect&) override { ++otherCalls; }
    void FrameRect(const QRect&) override { ++otherCalls; }
    void SetPixel(QPoint, const QColor&) override { ++otherCalls; }
    void TextOut(QPoint point, const QString& text) override {
        texts.push_back({point, text, font_, transparent_, baseline_, brush_.color});
    }
    void ExtTextOut(QPoint point, const QString& text, const QVector<int>&) override {
        TextOut(point, text);
    }
    int TextWidth(const QString& text) override { return static_cast<int>(text.size()) * 10; }
    int TextHeight(const QString&) override { return 10; }
    void SetBaselineAlignment(bool on) override { baseline_ = on; }
    void SetTransparentText(bool on) override { transparent_ = on; }
    bool GetBaselineAlignment() const override { return baseline_; }
    bool GetTransparentText() const override { return transparent_; }
    void StretchDraw(const QRect&, const platform::VectorPicture&) override { ++otherCalls; }
    void StretchBitmap(const QRect&, const QImage&) override { ++otherCalls; }
    void SetClipRect(const QRect&) override { ++otherCalls; }
    void ClearClip() override { ++otherCalls; }

  private:
    int ppi_ = 100;
    platform::Pen pen_;
    platform::Brush brush_;
    platform::Font font_;
    bool baseline_ = false;
    bool transparent_ = false;
};

// The pattern as modules, one character per module: '1' a bar module, '0' a
// space module, with the widths 1, 2, 3, 4 of the ratio-2 alphabet. Short and
// guard bars count as bars.
inline std::string Modules(const std::string& pattern) {
    std::string modules;
    for (char c : pattern) {
        int width = 0;
        char kind = '1';
        if (c >= '0' && c <= '3') {
            width = c - '0' + 1;
            kind = '0';
        } else if (c >= '5' && c <= '8') {
            width = c - '5' + 1;
        } else if (c == '9' || c == 'A' || c == 'E') {
            width = 1;
        } else if (c == 'B') {
            width = 2;
        } else if (c == 'C') {
            width = 3;
        } else {
            width = 4;
        }
        modules.append(static_cast<size_t>(width), kind);
    }
    return modules;
}

}  // namespace barcode_test
