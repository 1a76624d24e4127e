#include "platform/paint/truetype_face.h"

#include <QtEndian>

#include <algorithm>

namespace platform {

namespace {

quint16 U16(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 2 > data.size()) {
        return 0;
    }
    return qFromBigEndian<quint16>(data.constData() + at);
}

qint16 S16(const QByteArray& data, qsizetype at) {
    return static_cast<qint16>(U16(data, at));
}

quint32 U32(const QByteArray& data, qsizetype at) {
    if (at < 0 || at + 4 > data.size()) {
        return 0;
    }
    return qFromBigEndian<quint32>(data.constData() + at);
}

void PutU16(QByteArray& data, qsizetype at, quint16 value) {
    if (at >= 0 && at + 2 <= data.size()) {
        qToBigEndian<quint16>(value, data.data() + at);
    }
}

void PutU32(QByteArray& data, qsizetype at, quint32 value) {
    if (at >= 0 && at + 4 <= data.size()) {
        qToBigEndian<quint32>(value, data.data() + at);
    }
}

void AppendU16(QByteArray& data, quint16 value) {
    char bytes[2];
    qToBigEndian<quint16>(value, bytes);
    data.append(bytes, 2);
}

void AppendU32(QByteArray& data, quint32 value) {
    char bytes[4];
    qToBigEndian<quint32>(value, bytes);
    data.append(bytes, 4);
}

quint32 TableChecksum(const QByteArray& data) {
    quint32 sum = 0;
    const qsizetype words = (data.size() + 3) / 4;
    for (qsizetype i = 0; i < words; ++i) {
        quint32 word = 0;
        for (int b = 0; b < 4; ++b) {
            const qsizetype at = i * 4 + b;
            word = (word << 8) | (at < data.size() ? quint8(data.at(at)) : 0);
        }
        sum += word;
    }
    return sum;
}

QByteArray TagText(quint32 tag) {
    const char text[5] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag), 0};
    return QByteArray(text, 4);
}

// Tables a TrueType font program for a PDF carries; cmap is left out, a
// CID font addresses its glyphs by id.
constexpr quint32 kCopiedTables[] = {
    SfntTag("head"), SfntTag("hhea"), SfntTag("maxp"), SfntTag("hmtx"), SfntTag("cvt "),
    SfntTag("fpgm"), SfntTag("prep"), SfntTag("OS/2"), SfntTag("name"), SfntTag("post")};

constexpr quint32 kOpenTypeTables[] = {SfntTag("CFF "), SfntTag("cmap"), SfntTag("head"),
                                       SfntTag("hhea"), SfntTag("hmtx"), SfntTag("maxp"),
                                       SfntTag("name"), SfntTag("OS/2"), SfntTag("post")};

// Composite glyph flags.
constexpr quint16 kArgsAreWords = 0x0001;
constexpr quint16 kHaveScale = 0x0008;
constexpr quint16 kMoreComponents = 0x0020;
constexpr quint16 kHaveXYScale = 0x0040;
constexpr quint16 kHaveTwoByTwo = 0x0080;

}  // namespace

QByteArray BuildSfnt(quint32 version, const QHash<quint32, QByteArray>& tables) {
    QList<quint32> tags = tables.keys();
    std::sort(tags.begin(), tags.end());
    const quint16 count = quint16(tags.size());
    quint16 power = 1;
    quint16 log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    QByteArray file;
    AppendU32(file, version);
    AppendU16(file, count);
    AppendU16(file, quint16(power * 16));
    AppendU16(file, log2);
    AppendU16(file, quint16(count * 16 - power * 16));
    quint32 offset = 12 + 16 * count;
    for (quint32 tag : tags) {
        const QByteArray& data = tables.value(tag);
        AppendU32(file, tag);
        AppendU32(file, TableChecksum(data));
        AppendU32(file, offset);
        AppendU32(file, quint32(data.size()));
        offset += (quint32(data.size()) + 3) & ~3u;
    }
    qsizetype headAt = -1;
    for (quint32 tag : tags) {
        if (tag == SfntTag("head")) {
            headAt = file.size();
        }
        file.append(tables.value(tag));
        while (file.size() % 4) {
            file.append('\0');
        }
    }
    if (headAt >= 0) {
        PutU32(file, headAt + 8, 0);
        PutU32(file, headAt + 8, 0xB1B0AFBAu - TableChecksum(file));
    }
    return file;
}

TrueTypeFace::TrueTypeFace(const QRawFont& face) {
    for (quint32 tag : kCopiedTables) {
        const QByteArray data = face.fontTable(TagText(tag).constData());
        if (!data.isEmpty()) {
            tables_.insert(tag, data);
        }
    }
    const QByteArray glyf = face.fontTable("glyf");
    const QByteArray loca = face.fontTable("loca");
    const bool basics = tables_.contains(SfntTag("head")) && tables_.contains(SfntTag("hhea")) &&
                        tables_.contains(SfntTag("maxp")) && tables_.contains(SfntTag("hmtx"));
    if (basics && !glyf.isEmpty() && !loca.isEmpty()) {
        tables_.insert(SfntTag("glyf"), glyf);
        tables_.insert(SfntTag("loca"), loca);
        glyf_ = glyf;
        loca_ = loca;
        glyphOutlines_ = true;
    } else if (basics) {
        cff_ = face.fontTable("CFF ");
        if (!cff_.isEmpty()) {
            tables_.insert(SfntTag("cmap"), face.fontTable("cmap"));
        }
    }
    hmtx_ = tables_.value(SfntTag("hmtx"));
    ReadMetrics();
    ReadName();
    if (postScriptName_.isEmpty()) {
        postScriptName_ = (face.familyName() + QLatin1Char('-') + face.styleName()).toLatin1();
        postScriptName_.replace(' ', "");
    }
}

void TrueTypeFace::ReadMetrics() {
    const QByteArray head = tables_.value(SfntTag("head"));
    unitsPerEm_ = qMax<int>(16, U16(head, 18));
    fontBox_ = QRect(QPoint(S16(head, 36), S16(head, 38)), QPoint(S16(head, 40), S16(head, 42)));
    longLoca_ = S16(head, 50) != 0;
    glyphCount_ = U16(tables_.value(SfntTag("maxp")), 4);
    const QByteArray hhea = tables_.value(SfntTag("hhea"));
    ascender_ = S16(hhea, 4);
    descender_ = S16(hhea, 6);
    horizontalMetrics_ = U16(hhea, 34);
    const QByteArray os2 = tables_.value(SfntTag("OS/2"));
    capHeight_ = U16(os2, 0) >= 2 && os2.size() >= 90 ? S16(os2, 88) : ascender_;
    const QByteArray post = tables_.value(SfntTag("post"));
    italicAngle_ = static_cast<qint32>(U32(post, 4)) / 65536.0;
    fixedPitch_ = U32(post, 12) != 0;
    if (glyphOutlines_) {
        const qsizetype entries = tables_.value(SfntTag("loca")).size() / (longLoca_ ? 4 : 2);
        glyphCount_ = int(qMin<qsizetype>(glyphCount_, qMax<qsizetype>(0, entries - 1)));
    }
}

void TrueTypeFace::ReadName() {
    const QByteArray name = tables_.value(SfntTag("name"));
    const int count = U16(name, 2);
    const int strings = U16(name, 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 6 + qsizetype(i) * 12;
        const quint16 platformId = U16(name, record);
        const quint16 nameId = U16(name, record + 6);
        const quint16 length = U16(name, record + 8);
        const qsizetype at = strings + U16(name, record + 10);
        if (nameId != 6 || at + length > name.size()) {
            continue;
        }
        QByteArray text;
        if (platformId == 3 || platformId == 0) {
            for (int k = 0; k + 1 < length; k += 2) {
                const quint16 unit = U16(name, at + k);
                if (unit > 0x20 && unit < 0x7F) {
                    text.append(char(unit));
                }
            }
        } else if (platformId == 1) {
            for (char c : name.mid(at, length)) {
                if (c > 0x20 && c < 0x7F) {
                    text.append(c);
                }
            }
        }
        if (!text.isEmpty()) {
            postScriptName_ = text;
            return;
        }
    }
}

int TrueTypeFace::Advance(quint32 glyph) const {
    if (horizontalMetrics_ <= 0) {
        return 0;
    }
    const quint32 metric = qMin<quint32>(glyph, quint32(horizontalMetrics_ - 1));
    return U16(hmtx_, qsizetype(metric) * 4);
}

std::pair<quint32, quint32> TrueTypeFace::GlyphRange(quint32 glyph) const {
    if (!glyphOutlines_ || glyph >= quint32(glyphCount_)) {
        return {0, 0};
    }
    const QByteArray& loca = loca_;
    const quint32 start = longLoca_ ? U32(loca, glyph * 4) : U16(loca, glyph * 2) * 2u;
    const quint32 end = longLoca_ ? U32(loca, (glyph + 1) * 4) : U16(loca, (glyph + 1) * 2) * 2u;
    const quint32 size = quint32(glyf_.size());
    if (start >= end || end > size) {
        return {0, 0};
    }
    return {start, end};
}

std::optional<QRect> TrueTypeFace::GlyphBox(quint32 glyph) const {
    const auto [start, end] = GlyphRange(glyph);
    if (end - start < 10) {
        return std::nullopt;
    }
    const QByteArray& glyf = glyf_;
    return QRect(QPoint(S16(glyf, start + 2), S16(glyf, start + 4)),
                 QPoint(S16(glyf, start + 6), S16(glyf, start + 8)));
}

void TrueTypeFace::AddComponents(quint32 glyph, std::vector<bool>& keep) const {
    const auto [start, end] = GlyphRange(glyph);
    const QByteArray& glyf = glyf_;
    if (end - start < 10 || S16(glyf, start) >= 0) {
        return;  // empty or a simple glyph
    }
    qsizetype at = start + 10;
    quint16 flags = kMoreComponents;
    while ((flags & kMoreComponents) && at + 4 <= qsizetype(end)) {
        flags = U16(glyf, at);
        const quint16 component = U16(glyf, at + 2);
        at += 4 + ((flags & kArgsAreWords) ? 4 : 2);
        at += (flags & kHaveScale)      ? 2
              : (flags & kHaveXYScale)  ? 4
              : (flags & kHaveTwoByTwo) ? 8
                                        : 0;
        if (component < keep.size() && !keep[component]) {
            keep[component] = true;
            AddComponents(component, keep);
        }
    }
}

QByteArray TrueTypeFace::Subset(const std::vector<bool>& used) const {
    if (!glyphOutlines_) {
        return QByteArray();
    }
    std::vector<bool> keep(glyphCount_, false);
    for (quint32 glyph = 0; glyph < keep.size() && glyph < used.size(); ++glyph) {
        keep[glyph] = used[glyph];
    }
    if (!keep.empty()) {
        keep[0] = true;  // .notdef
    }
    for (quint32 glyph = 0; glyph < keep.size(); ++glyph) {
        if (keep[glyph]) {
            AddComponents(glyph, keep);
        }
    }
    // Glyphs after the last one kept are left out altogether; the ids of
    // the others stay.
    quint32 count = 1;
    for (quint32 glyph = 0; glyph < keep.size(); ++glyph) {
        count = keep[glyph] ? glyph + 1 : count;
    }
    const QByteArray& glyf = glyf_;
    QByteArray newGlyf;
    QByteArray newLoca;
    for (quint32 glyph = 0; glyph < count; ++glyph) {
        AppendU32(newLoca, quint32(newGlyf.size()));
        if (keep[glyph]) {
            const auto [start, end] = GlyphRange(glyph);
            newGlyf.append(glyf.constData() + start, end - start);
            while (newGlyf.size() % 4) {
                newGlyf.append('\0');
            }
        }
    }
    AppendU32(newLoca, quint32(newGlyf.size()));

    QHash<quint32, QByteArray> tables;
    for (quint32 tag : kCopiedTables) {
        if (tables_.contains(tag)) {
            tables.insert(tag, tables_.value(tag));
        }
    }
    // Long metrics up to the last glyph, then the left side bearings.
    const quint32 longMetrics = qMin<quint32>(quint32(qMax(1, horizontalMetrics_)), count);
    const QByteArray& hmtx = hmtx_;
    QByteArray newHmtx = hmtx.left(longMetrics * 4);
    for (quint32 glyph = longMetrics; glyph < count; ++glyph) {
        AppendU16(newHmtx, U16(hmtx, qsizetype(longMetrics) * 4 + (glyph - longMetrics) * 2));
    }
    tables.insert(SfntTag("hmtx"), newHmtx);
    PutU16(tables[SfntTag("hhea")], 34, quint16(longMetrics));
    tables.insert(SfntTag("glyf"), newGlyf);
    tables.insert(SfntTag("loca"), newLoca);
    QByteArray& head = tables[SfntTag("head")];
    PutU16(head, 50, 1);  // long loca offsets
    QByteArray& maxp = tables[SfntTag("maxp")];
    PutU16(maxp, 4, quint16(count));
    if (tables.contains(SfntTag("post"))) {
        // Glyph names are not needed in a PDF: version 3 keeps the header only.
        QByteArray post = tables.value(SfntTag("post")).left(32);
        post.resize(32, '\0');
        PutU32(post, 0, 0x00030000u);
        tables.insert(SfntTag("post"), post);
    }
    return BuildSfnt(0x00010000u, tables);
}

QByteArray TrueTypeFace::WholeOpenType() const {
    if (cff_.isEmpty()) {
        return QByteArray();
    }
    QHash<quint32, QByteArray> tables;
    for (quint32 tag : kOpenTypeTables) {
        if (tag == SfntTag("CFF ")) {
            tables.insert(tag, cff_);
        } else if (tables_.contains(tag)) {
            tables.insert(tag, tables_.value(tag));
        }
    }
    return BuildSfnt(SfntTag("OTTO"), tables);
}

}  // namespace platform
