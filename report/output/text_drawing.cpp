#include "report/output/text_drawing.h"

#include <QVector>

#include <algorithm>
#include <cmath>
#include <optional>

#include "report/output/lumex_canvas.h"

namespace {

int RoundToInt(double value) {
    return int(std::lrint(value));
}

// A layout position in canvas units, the way every position of a fragment is
// converted so that the advances add up without drift.
int CanvasPosition(int x, double scale) {
    const long long scaled = std::llrint(x * scale) + 72;
    return int(scaled >= 0 ? scaled / 72 : -((-scaled + 71) / 72));
}

// The text modes and clip a drawing function changes, put back as they were.
class TextStateGuard {
  public:
    explicit TextStateGuard(platform::Canvas& canvas)
        : canvas_(canvas),
          baseline_(canvas.GetBaselineAlignment()),
          transparent_(canvas.GetTransparentText()),
          clip_(canvas.GetClipRect()) {}
    ~TextStateGuard() {
        if (clip_) {
            canvas_.SetClipRect(*clip_);
        } else {
            canvas_.ClearClip();
        }
        canvas_.SetBaselineAlignment(baseline_);
        canvas_.SetTransparentText(transparent_);
    }
    TextStateGuard(const TextStateGuard&) = delete;
    TextStateGuard& operator=(const TextStateGuard&) = delete;

  private:
    platform::Canvas& canvas_;
    bool baseline_;
    bool transparent_;
    std::optional<QRect> clip_;
};

platform::Font FragmentFont(const platform::Font& base, const TFragment& fragment, double scale) {
    platform::Font font = base;
    font.name = fragment.FontName;
    font.charset = fragment.Charset;
    font.size = fragment.Size * scale;
    font.color = fragment.Colour;
    font.bold = fragment.Bold;
    font.italic = fragment.Italic;
    font.underline = fragment.Underline;
    font.strikeout = fragment.Strikeout;
    font.escapement = 0;
    return font;
}

}  // namespace

void DrawLines(platform::Canvas& canvas, const QRect& rect, int first, int last,
               const TRadky& lines, double scaleX, double scaleY, const platform::Font& font) {
    first = std::max(first, 0);
    last = std::min(last, lines.Count() - 1);
    if (first > last) {
        return;
    }
    const int left = RoundToInt(rect.left() * scaleX);
    const int top = RoundToInt(rect.top() * scaleY);
    TextStateGuard guard(canvas);
    canvas.SetBaselineAlignment(true);
    canvas.SetTransparentText(true);
    canvas.SetClipRect(
        QRect(left, top, RoundToInt(rect.width() * scaleX), RoundToInt(rect.height() * scaleY)));
    long long y = 0;
    QVector<int> advances;
    for (int i = first; i <= last; ++i) {
        const TRadek& line = lines[i];
        y += line.Height;
        // The baseline sits above the line's bottom by the largest descent, so
        // descenders stay inside the line.
        const int baseline = top + RoundToInt(double(y - line.Descent) / 72.0 * scaleY);
        for (const TFragment& fragment : line.Fragments) {
            if (fragment.Count() == 0 || fragment.X.size() != fragment.Count() + 1) {
                continue;
            }
            canvas.SetFont(FragmentFont(font, fragment, scaleY));
            advances.resize(fragment.Count());
            int previous = CanvasPosition(fragment.X[0], scaleX);
            for (int k = 0; k < fragment.Count(); ++k) {
                const int next = CanvasPosition(fragment.X[k + 1], scaleX);
                advances[k] = next - previous;
                previous = next;
            }
            const int x =
                left + RoundToInt(double(fragment.X[0] + line.Offset + 72) / 72.0 * scaleX);
            canvas.ExtTextOut(QPoint(x, baseline), fragment.Text, advances);
        }
    }
}

void DrawRotated(platform::Canvas& canvas, const QRect& rect, const QString& text, int angle,
                 double charSpacing, double scaleX, double scaleY, int alignment,
                 const platform::Font& font) {
    const QString shown = text.left(256);
    if (shown.isEmpty()) {
        return;
    }
    TLumexCanvas measure(100);
    platform::Font measured = font;
    measured.size = font.size * 72;
    measured.escapement = 0;
    measure.SetFont(measured);
    QVector<int> advances(shown.size());
    long long total = 0;
    for (int k = 0; k < shown.size(); ++k) {
        const double advance =
            charSpacing > 0 ? 72.0 * charSpacing : double(measure.CharWidth(shown[k].unicode()));
        advances[k] = RoundToInt(advance * scaleX / 72.0 + 0.5);
        total += advances[k];
    }
    platform::Font drawn = font;
    drawn.size = font.size * scaleY;
    drawn.escapement = angle * 10;
    canvas.SetFont(drawn);

    const double theta = angle * M_PI / 180.0;
    const double cosine = std::cos(theta);
    const double sine = std::sin(theta);
    const double cx = (rect.left() + rect.right() + 1) / 2.0;
    const double cy = (rect.top() + rect.bottom() + 1) / 2.0;
    const double halfW = rect.width() / 2.0;
    const double halfH = rect.height() / 2.0;
    double x = cx;
    double y = cy;
    if (alignment == 0) {
        x = cx - cosine * halfW;
        y = cy + sine * halfH;
    } else if (alignment == 1) {
        x = cx + cosine * halfW - cosine * total;
        y = cy - sine * halfH + sine * total;
    } else {
        x = cx - cosine * total / 2.0;
        y = cy + sine * total / 2.0;
    }
    TextStateGuard guard(canvas);
    canvas.SetBaselineAlignment(true);
    canvas.SetTransparentText(true);
    canvas.SetClipRect(rect.adjusted(1, 1, -1, -1));
    canvas.ExtTextOut(QPoint(RoundToInt(x), RoundToInt(y)), shown, advances);
}
