#pragma once
// TPravitko: a 16-pixel ruler beside the paper, with ticks and labels in the
// designer's unit, following the scroll position, and a red marker at the mouse.

#include <QWidget>
#include <vector>

class TPravitko : public QWidget {
    Q_OBJECT
  public:
    enum class Side { Left, Right, Top, Bottom };
    struct BandSpan {
        int code;
        int height;     // hundredths of an inch
        int screenTop;  // pixels on the paper
    };

    explicit TPravitko(Side side, QWidget* parent = nullptr);

    Side side() const { return side_; }
    bool Horizontal() const { return side_ == Side::Top || side_ == Side::Bottom; }
    void SetUnit(int unit);
    void SetZoom(double zoom);
    void SetScroll(int position);
    void SetOrigin(int origin);
    void SetPaperWidth(int width);
    void SetBands(std::vector<BandSpan> bands);
    void SetMarker(int bandCode, int x, int y);
    int Unit() const { return unit_; }

    // Minor step, major period and label divisor of a unit, in its own counts.
    struct Ticks {
        int step;
        int period;
        int divisor;
    };
    static Ticks TicksOf(int unit);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void PaintHorizontal(QPainter& painter);
    void PaintVertical(QPainter& painter);

    Side side_;
    int unit_ = 0;
    double zoom_ = 1.0;
    int scroll_ = 0;
    int origin_ = 2;
    int paperWidth_ = 726;
    std::vector<BandSpan> bands_;
    int markerBand_ = -1;
    int markerX_ = -1;
    int markerY_ = -1;
};
