#pragma once
// The faces a PDF document draws text with, embedded when the document is
// finished: each as a Type 0 font with Identity-H encoding, so the content
// streams address glyphs by their ids, over a CIDFontType2 with the face's
// TrueType program subset to the glyphs used (or a CIDFontType0 with the
// whole OpenType program of a CFF face), a /W widths array and a ToUnicode
// map that gives the text back for searching and copying. A face that gives
// no program to embed (a Type 1 face) is written as Type 3 fonts whose glyphs
// are the face's outlines, 256 character codes each, with their own
// ToUnicode maps, so its text stays text too.

#include <QByteArray>
#include <QHash>
#include <QRawFont>
#include <QString>

#include <memory>
#include <vector>

#include "platform/paint/truetype_face.h"

namespace platform {

class PdfBuffer;
class PdfDocument;

class PdfFont {
  public:
    PdfFont(const QRawFont& face, int number);

    // Whether the face's program can be embedded; faces that cannot be are
    // written as Type 3 fonts.
    bool Embeddable() const { return program_.HasGlyphOutlines() || program_.HasCffOutlines(); }

    // The Type 3 font and character code of a glyph of a face that is not
    // embeddable, given on first use to the glyph drawn for `text`.
    struct Type3Code {
        int font = 0;
        quint8 code = 0;
    };
    Type3Code Type3CodeOf(quint32 glyph, const QChar* text, int units);
    QByteArray Type3ResourceName(int font) const;
    const QByteArray& ResourceName() const { return resourceName_; }
    const TrueTypeFace& Program() const { return program_; }

    // The face's glyph for a code point, 0 when it has none.
    quint32 GlyphOf(char32_t codePoint);
    // Advance in thousandths of the em, as the /W array gives it.
    double Width(quint32 glyph);
    // Marks a glyph as drawn for `text` (the characters it stands for).
    void Use(quint32 glyph, const QChar* text, int units) {
        if (glyph < used_.size() && !used_[glyph]) {
            used_[glyph] = true;
            unicode_.insert(glyph, QString(text, units));
        }
    }

    // Writes the font's objects; answers the number of its Type 0 font.
    int Write(PdfDocument& document) const;
    // Writes the Type 3 fonts of a face that is not embeddable and appends
    // "/name ref" entries for them to `entries`.
    void WriteType3(PdfDocument& document, PdfBuffer& entries) const;

  private:
    double KnownWidth(quint32 glyph) const;  // 0 for a glyph never measured
    int WriteType3Font(PdfDocument& document, int font) const;
    // Adds the glyph's outline box (y down) to `bounds`.
    QByteArray Type3CharProc(const QRawFont& unitFace, quint32 glyph, QRectF& bounds) const;
    QByteArray Type3ToUnicodeMap(int font) const;
    QByteArray SubsetTag() const;
    QByteArray WidthsArray() const;
    QByteArray ToUnicodeMap() const;

    QRawFont face_;
    TrueTypeFace program_;
    QByteArray resourceName_;
    std::vector<bool> used_;
    QHash<quint32, QString> unicode_;
    std::vector<qint32> bmpGlyphs_;     // -1 for a code point not looked up yet
    std::vector<double> widths_;        // -1 for a glyph not measured yet
    QHash<quint32, int> type3Codes_;    // glyph -> 256 * font + code
    std::vector<quint32> type3Glyphs_;  // the glyph of each code, in order
};

class PdfFonts {
  public:
    PdfFonts();
    ~PdfFonts();
    // The document's font for a face, made on first use.
    PdfFont& FontFor(const QRawFont& face);
    // Writes every font and appends "/Fn ref" entries to `entries`.
    void WriteObjects(PdfDocument& document, PdfBuffer& entries) const;

  private:
    std::vector<std::unique_ptr<PdfFont>> fonts_;
    QHash<QString, PdfFont*> byKey_;
};

}  // namespace platform
