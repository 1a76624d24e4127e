#pragma once
// The 8 x 8 brush patterns of the six GDI hatch styles, and the helpers that
// read a pattern image the same way everywhere (set pixel = dark pixel).

#include <QImage>

#include <optional>

namespace platform {

enum class Hatch {
    Horizontal = 0,
    Vertical,
    ForwardDiagonal,
    BackwardDiagonal,
    Cross,
    DiagonalCross
};

// The pattern of a hatch style, usable as Brush::pattern.
QImage HatchPattern(Hatch hatch);

// True when the pixel of `pattern` at (x mod 8, y mod 8) is set (dark).
bool PatternBitSet(const QImage& pattern, int x, int y);

// `pattern` as an 8 x 8 monochrome image whose colour index 1 marks the set
// pixels; an image of another size is scaled (nearest pixel) to 8 x 8.
QImage NormalizedPattern(const QImage& pattern);

// The hatch whose pattern `pattern` is, if any.
std::optional<Hatch> MatchHatch(const QImage& pattern);

}  // namespace platform
