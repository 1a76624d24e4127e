#include "platform/paint/metafile_text.h"

#include <cmath>

#include "platform/paint/device_units.h"
#include "platform/paint/font_faces.h"

namespace platform {

QVector<int> TextAdvances(const PictureFont& font, const PictureText& text) {
    if (text.explicitAdvances) {
        return text.advances;
    }
    const GlyphString glyphs = GlyphsFor(FaceFor(font.font, font.pixelSize), text.text);
    QVector<int> advances(text.text.size(), 0);
    double sum = 0.0;
    int placed = 0;
    for (int i = 0; i < glyphs.firstUnit.size(); ++i) {
        sum += glyphs.advances.at(i);
        const int end = ToDeviceUnits(sum);
        advances[glyphs.firstUnit.at(i)] = end - placed;
        placed = end;
    }
    return advances;
}

}  // namespace platform
