#include "report/output/font_metrics.h"

#include <QCoreApplication>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QtEndian>

namespace {

// usWinAscent and usWinDescent of an OS/2 table (offsets 74 and 76).
bool ReadWinMetrics(const QByteArray& os2, int* ascent, int* descent) {
    if (os2.size() < 78) {
        return false;
    }
    const auto* bytes = reinterpret_cast<const uchar*>(os2.constData());
    *ascent = qFromBigEndian<quint16>(bytes + 74);
    *descent = qFromBigEndian<quint16>(bytes + 76);
    return *ascent + *descent > 0;
}

QString FaceKey(const QString& family, bool bold, bool italic) {
    return family.toCaseFolded() + QLatin1Char('|') + QLatin1Char(bold ? 'b' : '-') +
           QLatin1Char(italic ? 'i' : '-');
}

QFont RequestFont(const QString& family, bool bold, bool italic) {
    QFont font(family);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

constexpr qsizetype kMaxRequests = 4096;

}  // namespace

TFontFace::TFontFace(const QRawFont& raw) : raw_(raw) {
    unitsPerEm_ = raw_.isValid() && raw_.unitsPerEm() > 0 ? int(raw_.unitsPerEm()) : 2048;
    emScale_ = 1.0 / unitsPerEm_;
    if (raw_.isValid()) {
        // At a pixel size of one em the advances come out in design units.
        raw_.setPixelSize(unitsPerEm_);
    }
    int ascent = 0;
    int descent = 0;
    if (raw_.isValid() && ReadWinMetrics(raw_.fontTable("OS/2"), &ascent, &descent)) {
        designAscent_ = ascent;
        designHeight_ = ascent + descent;
    } else if (raw_.isValid()) {
        designAscent_ = raw_.ascent();
        designHeight_ = raw_.ascent() + raw_.descent();
    } else {
        // No font at all on the system: a plausible cell so layout still ends.
        designAscent_ = 0.9 * unitsPerEm_;
        designHeight_ = 1.15 * unitsPerEm_;
    }
}

std::unique_ptr<TFontFace::Block> TFontFace::LoadBlock(int high) {
    auto block = std::make_unique<Block>();
    block->advances.fill(0.0f);
    if (!raw_.isValid()) {
        block->advances.fill(0.5f * unitsPerEm_);
        return block;
    }
    QString chars;
    chars.reserve(256);
    for (int low = 0; low < 256; ++low) {
        char16_t ch = char16_t((high << 8) | low);
        // Surrogate halves and controls have no glyph of their own.
        chars.append(QChar::isSurrogate(ch) || ch < 0x20 ? QChar(u' ') : QChar(ch));
    }
    const QList<quint32> glyphs = raw_.glyphIndexesForString(chars);
    if (glyphs.size() != 256) {
        return block;
    }
    const QList<QPointF> advances =
        raw_.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    for (int low = 0; low < 256 && low < advances.size(); ++low) {
        block->advances[low] = float(advances[low].x());
    }
    return block;
}

TFontFaceCache& TFontFaceCache::Instance() {
    static TFontFaceCache cache;
    static const bool registered = [] {
        // Raw fonts must go before the application's font database does.
        qAddPostRoutine([] {
            cache.requests_.clear();
            cache.faces_.clear();
        });
        return true;
    }();
    (void)registered;
    return cache;
}

TFontFace* TFontFaceCache::Face(const QString& family, bool bold, bool italic) {
    const QString key = FaceKey(family, bold, italic);
    auto found = requests_.constFind(key);
    if (found != requests_.constEnd()) {
        return found.value();
    }
    const QRawFont raw = QRawFont::fromFont(RequestFont(family, bold, italic));
    const QString faceKey = raw.familyName() + QLatin1Char('|') + raw.styleName();
    std::shared_ptr<TFontFace>& face = faces_[faceKey];
    if (!face) {
        face = std::make_shared<TFontFace>(raw);
    }
    if (requests_.size() >= kMaxRequests) {
        requests_.clear();
    }
    requests_.insert(key, face.get());
    return face.get();
}

QString TFontFaceCache::ResolvedFamily(const QString& family) {
    return Face(family, false, false)->FamilyName();
}
