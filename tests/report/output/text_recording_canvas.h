#pragma once
// A canvas for text tests that records what is drawn on it: fonts set, texts
// written with their advances and the clip rectangles.

#include <QVector>

#include <vector>

#include "platform/paint/canvas.h"

struct RecordedText {
    QPoint point;
    QString text;
    QVector<int> advances;
    platform::Font font;
    bool baseline = false;
    bool transparent = false;
    QRect clip;
};

class TextRecordingCanvas : public platform::Canvas {
  public:
    int PixelsPerInch() const override { return ppi; }
    void SetPixelsPerInch(int value) override { ppi = value; }
    void SetPen(const platform::Pen& value) override { pen = value; }
    const platform::Pen& GetPen() const override { return pen; }
    void SetBrush(const platform::Brush& value) override { brush = value; }
    const platform::Brush& GetBrush() const override { return brush; }
    void SetFont(const platform::Font& value) override {
        font = value;
        ++fontChanges;
    }
    const platform::Font& GetFont() const override { return font; }
    void MoveTo(QPoint) override {}
    void LineTo(QPoint) override {}
    void Rectangle(const QRect&) override {}
    void RoundRect(const QRect&, int, int) override {}
    void Ellipse(const QRect&) override {}
    void Polygon(const QPolygon&) override {}
    void FillRect(const QRect&) override {}
    void FrameRect(const QRect&) override {}
    void SetPixel(QPoint, const QColor&) override {}
    void TextOut(QPoint point, const QString& text) override {
        texts.push_back({point, text, {}, font, baseline, transparent, clip});
    }
    void ExtTextOut(QPoint point, const QString& text, const QVector<int>& advances) override {
        texts.push_back({point, text, advances, font, baseline, transparent, clip});
    }
    // A device whose own measuring is deliberately odd: the measuring canvas
    // must never use it.
    int TextWidth(const QString& text) override { return int(text.size()) * 1000; }
    int TextHeight(const QString&) override { return textHeight; }
    void SetBaselineAlignment(bool on) override { baseline = on; }
    void SetTransparentText(bool on) override { transparent = on; }
    void StretchDraw(const QRect&, const platform::VectorPicture&) override {}
    void StretchBitmap(const QRect&, const QImage&) override {}
    void SetClipRect(const QRect& rect) override { clip = rect; }
    void ClearClip() override { clip = QRect(); }
    bool GetBaselineAlignment() const override { return baseline; }
    bool GetTransparentText() const override { return transparent; }
    std::optional<QRect> GetClipRect() const override {
        return clip.isNull() ? std::nullopt : std::optional<QRect>(clip);
    }

    int ppi = 96;
    int textHeight = 50;
    int fontChanges = 0;
    platform::Pen pen;
    platform::Brush brush;
    platform::Font font;
    bool baseline = false;
    bool transparent = false;
    QRect clip;
    std::vector<RecordedText> texts;
};
