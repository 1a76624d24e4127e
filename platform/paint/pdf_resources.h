#pragma once
// What the pages of a PDF document refer to by name: fonts, images and
// tiling patterns. Images and patterns are written when first used and
// shared by every later use of the same pixels; the fonts wait for the end,
// when the glyphs they need are known. All pages share one resource
// dictionary.

#include <QByteArray>
#include <QHash>
#include <QImage>

#include "platform/paint/pdf_fonts.h"

namespace platform {

class PdfDocument;

class PdfResources {
  public:
    PdfFonts& Fonts() { return fonts_; }

    // The name of an image XObject of `image` (written now if new).
    QByteArray ImageName(PdfDocument& document, const QImage& image);
    // The name of a coloured tiling pattern that paints the set pixels of
    // an 8 x 8 brush pattern in `colour`, one cell of 8 x 8 units, laid on
    // the page by `matrix` (the page's unit space in default user space).
    QByteArray PatternName(PdfDocument& document, const QImage& pattern, QRgb colour,
                           const QByteArray& matrix);

    // Writes the fonts and answers the resource dictionary.
    QByteArray WriteObjects(PdfDocument& document);

  private:
    int WriteImage(PdfDocument& document, const QImage& image);

    PdfFonts fonts_;
    QHash<qint64, QByteArray> imagesByCacheKey_;
    QHash<QByteArray, QByteArray> imagesByContent_;  // digest of the pixels → name
    QHash<QByteArray, QByteArray> patterns_;
    QByteArray imageEntries_;
    QByteArray patternEntries_;
    int imageCount_ = 0;
    int patternCount_ = 0;
};

}  // namespace platform
