#pragma once
// Rendered glyphs for drawing large text on raster images. Qt's raster engine
// caches glyphs only up to 64 pixels and draws larger ones from their
// outlines every time, which makes a 600-dpi page image (10 points = 83
// pixels) about a hundred times slower. Each glyph is rendered here once per
// face, size and colour, and then blended as an image.

#include <QImage>
#include <QPoint>
#include <QRawFont>

#include "platform/paint/canvas.h"

namespace platform {

struct GlyphTable;

struct GlyphImage {
    QImage image;   // premultiplied, the glyph in its colour
    QPoint offset;  // of the image's top-left from the glyph origin on the baseline
};

// Above this em size in pixels glyphs are drawn from GlyphImages.
constexpr double kLargeGlyphPixels = 64.0;

class GlyphImages {
  public:
    // The glyphs of one face at one size in one colour.
    GlyphImages(const Font& font, double pixelSize, const QRawFont& face, QRgb colour);
    const GlyphImage& Get(quint32 glyph);

  private:
    QRawFont face_;
    QRgb colour_;
    GlyphTable* table_;
};

}  // namespace platform
