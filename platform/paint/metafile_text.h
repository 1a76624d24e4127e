#pragma once
// What both metafile writers need to know about a recorded text.

#include <QVector>

#include "platform/paint/picture_content.h"

namespace platform {

// Integer advances in picture units, one per UTF-16 unit: the recorded ones,
// or the face's design advances rounded along their running sum (the second
// unit of a surrogate pair gets 0).
QVector<int> TextAdvances(const PictureFont& font, const PictureText& text);

// The GDI weight of a font.
inline int FontWeight(const Font& font) {
    return font.bold ? 700 : 400;
}

}  // namespace platform
