#include "platform/paint/font_faces.h"

#include <QCoreApplication>
#include <QFont>
#include <QHash>

#include <cmath>

namespace platform {

namespace {

// The caches hold font engines, which must go before the application's font
// database does: they live on the heap, are emptied when the application
// object is destroyed, and are never destroyed at exit themselves.
template <typename Cache, int Tag = 0>
Cache& ApplicationCache() {
    static Cache* cache = [] {
        auto* created = new Cache;
        qAddPostRoutine([] { ApplicationCache<Cache, Tag>().clear(); });
        return created;
    }();
    return *cache;
}

// Faces at a reference size, keyed by what selects the face; sized copies are
// made from them (QRawFont::setPixelSize clones the engine cheaply).
QRawFont BaseFace(const Font& font) {
    QHash<QString, QRawFont>& faces = ApplicationCache<QHash<QString, QRawFont>>();
    const QString key = font.name + QLatin1Char('|') + QChar(font.bold ? 'b' : '-') +
                        QChar(font.italic ? 'i' : '-') + QChar(font.fixedPitch ? 'f' : '-');
    auto found = faces.constFind(key);
    if (found != faces.constEnd()) {
        return *found;
    }
    QFont qfont(font.name);
    qfont.setPixelSize(64);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setFixedPitch(font.fixedPitch);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    if (font.fixedPitch) {
        qfont.setStyleHint(QFont::TypeWriter);
    }
    QRawFont face = QRawFont::fromFont(qfont);
    if (faces.size() > 256) {
        faces.clear();
    }
    faces.insert(key, face);
    return face;
}

}  // namespace

QRawFont FaceFor(const Font& font, double pixelSize) {
    QHash<QString, QRawFont>& sized = ApplicationCache<QHash<QString, QRawFont>, 1>();
    // 1/64 pixel steps: finer than any glyph placement the rasterizers make.
    const qint64 step = std::llround(pixelSize * 64.0);
    const QString key = font.name + QLatin1Char('|') + QChar(font.bold ? 'b' : '-') +
                        QChar(font.italic ? 'i' : '-') + QChar(font.fixedPitch ? 'f' : '-') +
                        QString::number(step);
    auto found = sized.constFind(key);
    if (found != sized.constEnd()) {
        return *found;
    }
    QRawFont face = BaseFace(font);
    if (face.isValid()) {
        face.setPixelSize(pixelSize);
    }
    if (sized.size() > 1024) {
        sized.clear();
    }
    sized.insert(key, face);
    return face;
}

GlyphString GlyphsFor(const QRawFont& face, const QString& text) {
    GlyphString result;
    const int units = text.size();
    result.glyphs.reserve(units);
    result.firstUnit.reserve(units);
    for (int i = 0; i < units;) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < units && text.at(i + 1).isLowSurrogate();
        result.firstUnit.append(i);
        i += pair ? 2 : 1;
    }
    if (!face.isValid()) {
        result.glyphs.fill(0, result.firstUnit.size());
        result.advances.fill(0.0, result.firstUnit.size());
        result.missingGlyphs = !text.isEmpty();
        return result;
    }
    result.glyphs = face.glyphIndexesForString(text);
    // One glyph per code point is what the cmap lookup gives; guard anyway.
    result.glyphs.resize(result.firstUnit.size());
    const QList<QPointF> advances =
        face.advancesForGlyphIndexes(result.glyphs, QRawFont::UseDesignMetrics);
    result.advances.reserve(advances.size());
    for (int i = 0; i < result.glyphs.size(); ++i) {
        result.advances.append(i < advances.size() ? advances.at(i).x() : 0.0);
        if (result.glyphs.at(i) == 0 && text.at(result.firstUnit.at(i)).isPrint()) {
            result.missingGlyphs = true;
        }
    }
    return result;
}

double NaturalWidth(const QRawFont& face, const QString& text) {
    double width = 0.0;
    for (double advance : GlyphsFor(face, text).advances) {
        width += advance;
    }
    return width;
}

}  // namespace platform
