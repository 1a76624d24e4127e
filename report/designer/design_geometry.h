#pragma once
// The arithmetic of the design surface: zoom conversions, snapping to the
// grid, dragging and resizing by the eight handles with their limits, the
// keyboard moves, aligning to the grid and the order the bands are stacked
// in. Lengths are hundredths of an inch unless a name says pixels.

#include <QRect>
#include <vector>

// Height of the bar under every band, in pixels.
constexpr int kBandBarHeight = 16;
// Smallest element side and lowest band a drag can make.
constexpr int kMinElementSide = 3;
constexpr int kMinBandHeight = 14;
// Side of a selection square, in pixels.
constexpr int kHandleSize = 5;

// Design length drawn at zoom z: nint(v * z); a pixel distance taken back: nint(p / z).
int ToPixels(int value, double zoom);
int FromPixels(int pixels, double zoom);
// nint(step * nint(v / step)); a step of 0 or less leaves v.
int Snap(int value, double step);

struct TElementBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TElementBox&) const = default;
};

// The band an element is kept inside.
struct TBandLimits {
    int width = 0;
    int height = 0;
    bool moveOutside = false;  // "PosunMimo": moving may leave the band
};

// Handle 0 (inside), 1..8 (top-left, top middle, top-right, left middle,
// right middle, bottom-left, bottom middle, bottom-right) under pixel (x, y)
// of an element of pixel size w x h, tested from 8 down to 1.
int HandleAt(int x, int y, int w, int h);

// One drag step: `current` is the geometry now, `grab` the geometry when the
// drag started, (dx, dy) the design distance of the mouse from the grab point
// (already snapped when the band snaps).
TElementBox DragStep(const TElementBox& current, const TElementBox& grab, int handle, int dx,
                     int dy, const TBandLimits& band);
// A move of another marked element by (dx, dy), inside its band unless moving outside is allowed.
TElementBox MoveWithin(const TElementBox& box, int dx, int dy, const TBandLimits& band);

// Left and top snapped, right and bottom edges snapped, at least 3 wide and high.
TElementBox AlignToGrid(const TElementBox& box, double stepX, double stepY);

// Keyboard moves and resizes; (dirX, dirY) is one of the arrow directions.
enum class TKeyMove { GridStep, Hundredth, Resize };
TElementBox KeyboardMove(const TElementBox& box, TKeyMove how, int dirX, int dirY, double stepX,
                         double stepY, const TBandLimits& band);

// Band codes in display order: report header, page header, group headers in
// group order, body, group footers in reverse order, report footer, page footer.
std::vector<int> BandDisplayOrder(int groupCount);
// A band's height in pixels, its bar included.
int BandPixelHeight(int height, double zoom);
