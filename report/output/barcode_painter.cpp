// The barcode painter: draws an encoded barcode element by element as
// polygons, turned by the element's angle, and its human-readable text.

#include "platform/paint/canvas.h"
#include "report/output/sestbarc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// Anything past this distance from the corner is far off every page; drawing
// stops there so that coordinates stay well inside the integer range.
constexpr int64_t kMaxExtent = int64_t{1} << 24;

struct Widths {
    int w1, w2, w3, w4;
};

Widths ComputeWidths(int module, double ratio) {
    const int w2 = static_cast<int>(std::nearbyint(module * ratio));
    return {module, w2, 3 * w2 / 2, 2 * w2};
}

enum class ElementKind { Space, Bar, ShortBar, GuardBar };

struct Element {
    ElementKind kind;
    int width;
};

Element ElementOf(char c, const Widths& w) {
    switch (c) {
        case '0':
            return {ElementKind::Space, w.w1};
        case '1':
            return {ElementKind::Space, w.w2};
        case '2':
            return {ElementKind::Space, w.w3};
        case '3':
            return {ElementKind::Space, w.w4};
        case '5':
            return {ElementKind::Bar, w.w1};
        case '6':
            return {ElementKind::Bar, w.w2};
        case '7':
            return {ElementKind::Bar, w.w3};
        case '8':
            return {ElementKind::Bar, w.w4};
        case '9':
        case 'A':
            return {ElementKind::ShortBar, w.w1};
        case 'B':
            return {ElementKind::ShortBar, w.w2};
        case 'C':
            return {ElementKind::ShortBar, w.w3};
        case 'E':
            return {ElementKind::GuardBar, w.w1};
        default:
            return {ElementKind::ShortBar, w.w4};
    }
}

bool IsEan(int type) {
    return type == btEan8 || type == btEan13;
}

// Turns pattern coordinates by the angle and moves them to the rectangle's corner.
class Placement {
  public:
    Placement(QPoint origin, int angle) : origin_(origin) {
        const double radians = (angle % 360) * std::numbers::pi / 180.0;
        cos_ = std::cos(radians);
        sin_ = std::sin(radians);
    }

    QPoint Map(double x, double y) const {
        const double turnedX = x * cos_ + y * sin_;
        const double turnedY = -x * sin_ + y * cos_;
        return origin_ + QPoint(static_cast<int>(std::nearbyint(turnedX)),
                                static_cast<int>(std::nearbyint(turnedY)));
    }

  private:
    QPoint origin_;
    double cos_ = 1.0;
    double sin_ = 0.0;
};

// Top and bottom of one element in pattern coordinates (y grows downwards).
// Short bars stand on the same base line as the full bars.
std::pair<int, int> ElementSpan(ElementKind kind, int height, bool eanWithText, int module) {
    if (eanWithText) {
        const bool ordinaryBar = kind == ElementKind::Bar;
        return {0, height - (ordinaryBar ? 11 : 5) * module};
    }
    if (kind == ElementKind::ShortBar) {
        return {height - height * 2 / 5, height};
    }
    return {0, height};
}

// `textRoom` is kept free under the bars for the human-readable text.
void DrawPattern(platform::Canvas& canvas, const QRect& rect, const TBarcodeSymbol& symbol,
                 const Widths& widths, bool showText, int angle, int module, int textRoom) {
    const bool eanWithText = showText && IsEan(symbol.type);
    const Placement placement(rect.topLeft(), angle);
    const platform::Pen blackPen{Qt::black, platform::PenStyle::Solid, 1};
    const platform::Pen whitePen{Qt::white, platform::PenStyle::Solid, 1};
    platform::Brush blackBrush;
    blackBrush.color = Qt::black;
    platform::Brush whiteBrush;
    whiteBrush.color = Qt::white;

    int64_t x = !eanWithText ? 0 : (symbol.type == btEan8 ? 7 : 8) * int64_t{module};
    for (char c : symbol.pattern) {
        if (x > kMaxExtent) {
            break;
        }
        const Element element = ElementOf(c, widths);
        const int barHeight = textRoom > 0 ? rect.height() - textRoom - 1 : rect.height();
        const auto [top, bottom] = ElementSpan(element.kind, barHeight, eanWithText, module);
        if (bottom > top) {
            const bool space = element.kind == ElementKind::Space;
            canvas.SetPen(space ? whitePen : blackPen);
            canvas.SetBrush(space ? whiteBrush : blackBrush);
            const double left = static_cast<double>(x);
            const double right = static_cast<double>(x + element.width - 1);
            canvas.Polygon(QPolygon({placement.Map(left, top), placement.Map(left, bottom),
                                     placement.Map(right, bottom), placement.Map(right, top)}));
        }
        x += element.width;
    }
}

void DrawEanText(platform::Canvas& canvas, const QRect& rect, const TBarcodeSymbol& symbol,
                 bool guardMarks, int module) {
    const int y = rect.top() + rect.height() - 12 * module;
    auto at = [&](int modules) { return QPoint(rect.left() + modules * module, y); };
    const QString& digits = symbol.text;
    if (symbol.type == btEan13) {
        canvas.TextOut(at(0), digits.left(1));
        canvas.TextOut(at(12), digits.mid(1, 6));
        canvas.TextOut(at(57), digits.mid(7, 6));
        if (guardMarks) {
            canvas.TextOut(at(104), QStringLiteral(">"));
        }
    } else {
        canvas.TextOut(at(11), digits.left(4));
        canvas.TextOut(at(42), digits.mid(4, 4));
        if (guardMarks) {
            canvas.TextOut(at(0), QStringLiteral("<"));
            canvas.TextOut(at(74), QStringLiteral(">"));
        }
    }
}

void SetTextFont(platform::Canvas& canvas, const TBarcodeSymbol& symbol, int module) {
    platform::Font font;
    font.name = QStringLiteral("Arial");
    font.size = (IsEan(symbol.type) ? 9 : 3) * module;
    font.color = Qt::black;
    canvas.SetFont(font);
    canvas.SetBaselineAlignment(false);
}

// The height kept under the bars for the text of a type that is not EAN: the
// digits stand below the bars, not over them. A turned barcode keeps its
// text at the corner it starts from.
int TextRoomBelowBars(platform::Canvas& canvas, const TBarcodeSymbol& symbol, bool showText,
                      int angle, int module, int height) {
    if (!showText || IsEan(symbol.type) || angle != 0) {
        return 0;
    }
    SetTextFont(canvas, symbol, module);
    return std::clamp(canvas.TextHeight(symbol.text), 0, height);
}

void DrawHumanReadable(platform::Canvas& canvas, const QRect& rect, const TBarcodeSymbol& symbol,
                       bool guardMarks, int module, int textRoom) {
    const bool ean = IsEan(symbol.type);
    SetTextFont(canvas, symbol, module);
    if (ean) {
        canvas.SetTransparentText(true);
        DrawEanText(canvas, rect, symbol, guardMarks, module);
        return;
    }
    platform::Brush background;
    background.color = Qt::white;
    canvas.SetBrush(background);
    canvas.SetTransparentText(false);
    const QPoint at =
        textRoom > 0 ? QPoint(rect.left(), rect.top() + rect.height() - textRoom) : rect.topLeft();
    canvas.TextOut(at, symbol.text);
}

// Keeps the caller's pen, brush, font and text modes across the drawing, also
// when something goes wrong half-way.
class CanvasStateKeeper {
  public:
    explicit CanvasStateKeeper(platform::Canvas& canvas)
        : canvas_(canvas),
          pen_(canvas.GetPen()),
          brush_(canvas.GetBrush()),
          font_(canvas.GetFont()),
          transparent_(canvas.GetTransparentText()),
          baseline_(canvas.GetBaselineAlignment()) {}
    ~CanvasStateKeeper() {
        canvas_.SetPen(pen_);
        canvas_.SetBrush(brush_);
        canvas_.SetFont(font_);
        canvas_.SetTransparentText(transparent_);
        canvas_.SetBaselineAlignment(baseline_);
    }
    CanvasStateKeeper(const CanvasStateKeeper&) = delete;
    CanvasStateKeeper& operator=(const CanvasStateKeeper&) = delete;

  private:
    platform::Canvas& canvas_;
    platform::Pen pen_;
    platform::Brush brush_;
    platform::Font font_;
    bool transparent_;
    bool baseline_;
};

}  // namespace

void DrawBarcode(platform::Canvas& canvas, const QRect& rect, int type, const QString& text,
                 bool guardMarks, bool showText, bool checkDigit, int angle, int module) {
    try {
        CanvasStateKeeper keeper(canvas);
        const int m = module > 0 && module <= 128 ? module : kDefaultModuleWidth;
        const TBarcodeSymbol symbol = EncodeBarcode(type, text, checkDigit);
        if (symbol.type < 0) {
            return;
        }
        const int textRoom = TextRoomBelowBars(canvas, symbol, showText, angle, m, rect.height());
        DrawPattern(canvas, rect, symbol, ComputeWidths(m, symbol.wideRatio), showText, angle, m,
                    textRoom);
        if (showText) {
            DrawHumanReadable(canvas, rect, symbol, guardMarks, m, textRoom);
        }
    } catch (...) {
        // A barcode that cannot be drawn leaves its element partly drawn or
        // blank; the page goes on.
    }
}
