#pragma once
// The tables of a face as QRawFont gives them, read for what a PDF needs:
// metrics in font units, the glyph boxes, the PostScript name, and the font
// program to embed – a TrueType file rebuilt from the face's tables with
// every glyph that is not used emptied (glyph ids stay as they are), or the
// whole OpenType file of a face with CFF outlines.

#include <QByteArray>
#include <QHash>
#include <QRawFont>
#include <QRect>

#include <optional>
#include <vector>

namespace platform {

class TrueTypeFace {
  public:
    explicit TrueTypeFace(const QRawFont& face);

    // glyf outlines with everything the subset needs.
    bool HasGlyphOutlines() const { return glyphOutlines_; }
    // CFF outlines in an OpenType face.
    bool HasCffOutlines() const { return !cff_.isEmpty(); }

    int UnitsPerEm() const { return unitsPerEm_; }
    int GlyphCount() const { return glyphCount_; }
    int Advance(quint32 glyph) const;
    // xMin, yMin (left, top) to xMax, yMax of a glyph in font units, y up;
    // none for an empty glyph or a face without glyf outlines.
    std::optional<QRect> GlyphBox(quint32 glyph) const;
    QRect FontBox() const { return fontBox_; }
    int Ascender() const { return ascender_; }
    int Descender() const { return descender_; }
    int CapHeight() const { return capHeight_; }
    double ItalicAngle() const { return italicAngle_; }
    bool FixedPitch() const { return fixedPitch_; }
    QByteArray PostScriptName() const { return postScriptName_; }

    // The TrueType file with only the glyphs marked in `used` (and the
    // components of composite ones, and glyph 0) keeping their outlines.
    QByteArray Subset(const std::vector<bool>& used) const;
    // The OpenType file of a CFF face with all its tables.
    QByteArray WholeOpenType() const;

  private:
    void ReadMetrics();
    void ReadName();
    std::pair<quint32, quint32> GlyphRange(quint32 glyph) const;
    void AddComponents(quint32 glyph, std::vector<bool>& keep) const;

    QHash<quint32, QByteArray> tables_;
    // The tables read glyph by glyph, kept apart from the lookup by tag.
    QByteArray glyf_;
    QByteArray loca_;
    QByteArray hmtx_;
    QByteArray cff_;
    bool glyphOutlines_ = false;
    bool longLoca_ = false;
    int unitsPerEm_ = 1000;
    int glyphCount_ = 0;
    int horizontalMetrics_ = 0;
    QRect fontBox_;
    int ascender_ = 0;
    int descender_ = 0;
    int capHeight_ = 0;
    double italicAngle_ = 0.0;
    bool fixedPitch_ = false;
    QByteArray postScriptName_;
};

// A TrueType/OpenType file of `tables` (tag → data) with its table directory
// and checksums.
QByteArray BuildSfnt(quint32 version, const QHash<quint32, QByteArray>& tables);

constexpr quint32 SfntTag(const char (&tag)[5]) {
    return (quint32(quint8(tag[0])) << 24) | (quint32(quint8(tag[1])) << 16) |
           (quint32(quint8(tag[2])) << 8) | quint32(quint8(tag[3]));
}

}  // namespace platform
