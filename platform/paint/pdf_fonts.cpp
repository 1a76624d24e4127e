#include "platform/paint/pdf_fonts.h"

#include <QCryptographicHash>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "platform/paint/pdf_document.h"
#include "platform/paint/pdf_syntax.h"

namespace platform {

namespace {

constexpr int kBmpSize = 0x10000;
// Character codes of one Type 3 font (one byte).
constexpr int kType3Codes = 256;

// Font descriptor flags: fixed pitch, symbolic (the glyphs are addressed by
// id, not through a standard encoding), italic.
constexpr int kFixedPitchFlag = 1;
constexpr int kSymbolicFlag = 4;
constexpr int kItalicFlag = 64;

// A ToUnicode map: the characters each code of `bytes` bytes stands for,
// the codes in ascending order.
QByteArray UnicodeCMap(int bytes, const std::vector<std::pair<quint32, QString>>& codes) {
    const auto code = [bytes](PdfBuffer& map, quint32 value) -> PdfBuffer& {
        return bytes == 1 ? map.Hex2(value) : map.Hex4(value);
    };
    PdfBuffer map;
    map.Raw(
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n1 begincodespacerange\n<");
    code(map, 0).Raw("> <");
    code(map, bytes == 1 ? 0xFF : 0xFFFF).Raw(">\nendcodespacerange\n");
    // A CMap takes at most 100 entries in one bfchar block.
    for (size_t from = 0; from < codes.size(); from += 100) {
        const size_t end = std::min(codes.size(), from + 100);
        map.Int(qint64(end - from)).Raw("beginbfchar\n");
        for (size_t i = from; i < end; ++i) {
            map.Char('<');
            code(map, codes[i].first).Raw("> <");
            for (QChar unit : codes[i].second) {
                map.Hex4(unit.unicode());
            }
            map.Raw(">\n");
        }
        map.Raw("endbfchar\n");
    }
    map.Raw("endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    return map.Bytes();
}

QString FaceKey(const QRawFont& face) {
    return face.familyName() + QLatin1Char('|') + face.styleName() + QLatin1Char('|') +
           QString::number(face.weight()) + QLatin1Char('|') + QString::number(int(face.style()));
}

}  // namespace

PdfFont::PdfFont(const QRawFont& face, int number)
    : face_(face),
      program_(face),
      resourceName_("F" + QByteArray::number(number)),
      used_(qMax(1, program_.GlyphCount()), false),
      bmpGlyphs_(kBmpSize, -1),
      widths_(used_.size(), -1.0) {
    if (program_.GlyphCount() == 0) {
        // No glyph count from the tables (a face drawn as outlines): ids as
        // the face gives them, kept in a set grown on demand.
        used_.assign(kBmpSize, false);
        widths_.assign(kBmpSize, -1.0);
    }
}

quint32 PdfFont::GlyphOf(char32_t codePoint) {
    if (codePoint < char32_t(kBmpSize)) {
        qint32& cached = bmpGlyphs_[codePoint];
        if (cached < 0) {
            const QList<quint32> glyphs =
                face_.glyphIndexesForString(QString(QChar(char16_t(codePoint))));
            cached = glyphs.isEmpty() ? 0 : qint32(glyphs.first());
        }
        return quint32(cached);
    }
    const char32_t units[1] = {codePoint};
    const QList<quint32> glyphs = face_.glyphIndexesForString(QString::fromUcs4(units, 1));
    return glyphs.isEmpty() ? 0 : glyphs.first();
}

double PdfFont::Width(quint32 glyph) {
    if (glyph >= widths_.size()) {
        return 0.0;
    }
    double& width = widths_[glyph];
    if (width < 0.0) {
        double exact = 0.0;
        if (program_.GlyphCount() > 0) {
            exact = program_.Advance(glyph) * 1000.0 / program_.UnitsPerEm();
        } else if (face_.pixelSize() > 0) {
            const QList<QPointF> advances =
                face_.advancesForGlyphIndexes(QList<quint32>{glyph}, QRawFont::UseDesignMetrics);
            exact = advances.isEmpty() ? 0.0 : advances.first().x() * 1000.0 / face_.pixelSize();
        }
        // The viewer reads the width with three decimals: text placement
        // counts with the same value.
        width = std::round(exact * 1000.0) / 1000.0;
    }
    return width;
}

QByteArray PdfFont::SubsetTag() const {
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (quint32 glyph = 0; glyph < used_.size(); ++glyph) {
        if (used_[glyph]) {
            hash.addData(QByteArrayView(reinterpret_cast<const char*>(&glyph), sizeof glyph));
        }
    }
    hash.addData(program_.PostScriptName());
    const QByteArray digest = hash.result();
    QByteArray tag;
    for (int i = 0; i < 6; ++i) {
        tag.append(char('A' + quint8(digest.at(i)) % 26));
    }
    return tag + '+';
}

QByteArray PdfFont::WidthsArray() const {
    PdfBuffer w;
    w.Raw("[");
    qint64 runStart = -1;
    quint32 previous = 0;
    for (quint32 glyph = 0; glyph < used_.size(); ++glyph) {
        if (!used_[glyph]) {
            continue;
        }
        if (runStart < 0 || glyph != previous + 1) {
            if (runStart >= 0) {
                w.Raw("] ");
            }
            w.Int(glyph).Raw("[");
            runStart = glyph;
        }
        w.Real(widths_[glyph] < 0.0 ? 0.0 : widths_[glyph]);
        previous = glyph;
    }
    if (runStart >= 0) {
        w.Raw("]");
    }
    w.Raw("]");
    return w.Bytes();
}

QByteArray PdfFont::ToUnicodeMap() const {
    QList<quint32> glyphs = unicode_.keys();
    std::sort(glyphs.begin(), glyphs.end());
    std::vector<std::pair<quint32, QString>> codes;
    codes.reserve(size_t(glyphs.size()));
    for (quint32 glyph : glyphs) {
        codes.emplace_back(glyph, unicode_.value(glyph));
    }
    return UnicodeCMap(2, codes);
}

int PdfFont::Write(PdfDocument& document) const {
    const bool trueType = program_.HasGlyphOutlines();
    const QByteArray name =
        PdfName((trueType ? SubsetTag() : QByteArray()) + program_.PostScriptName());
    const double scale = 1000.0 / program_.UnitsPerEm();

    const int fontFile = document.ReserveObject();
    const QByteArray fileData = trueType ? program_.Subset(used_) : program_.WholeOpenType();
    PdfBuffer fileEntries;
    if (trueType) {
        fileEntries.Raw("/Length1 ").Int(fileData.size());
    } else {
        fileEntries.Raw("/Subtype /OpenType ");
        document.RequirePdf16();
    }
    document.WriteStream(fontFile, fileEntries.Bytes(), fileData);

    const int descriptor = document.ReserveObject();
    const QRect box = program_.FontBox();
    int flags = kSymbolicFlag;
    flags |= program_.FixedPitch() ? kFixedPitchFlag : 0;
    flags |= program_.ItalicAngle() != 0.0 ? kItalicFlag : 0;
    PdfBuffer d;
    d.Raw("<< /Type /FontDescriptor /FontName /").Raw(name).Raw(" /Flags ").Int(flags);
    d.Raw("/FontBBox [").Real(box.left() * scale).Real(box.top() * scale);
    d.Real(box.right() * scale).Real(box.bottom() * scale).Raw("] /ItalicAngle ");
    d.Real(program_.ItalicAngle()).Raw("/Ascent ").Real(program_.Ascender() * scale);
    d.Raw("/Descent ").Real(program_.Descender() * scale);
    d.Raw("/CapHeight ").Real(program_.CapHeight() * scale).Raw("/StemV 80 ");
    d.Raw(trueType ? "/FontFile2 " : "/FontFile3 ").Ref(fontFile).Raw(">>");
    document.WriteObject(descriptor, d.Bytes());

    const int cidFont = document.ReserveObject();
    PdfBuffer c;
    c.Raw("<< /Type /Font /Subtype ").Raw(trueType ? "/CIDFontType2" : "/CIDFontType0");
    c.Raw(" /BaseFont /").Raw(name);
    c.Raw(" /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>");
    c.Raw(" /FontDescriptor ").Ref(descriptor).Raw("/W ").Raw(WidthsArray());
    if (trueType) {
        c.Raw(" /CIDToGIDMap /Identity");
    }
    c.Raw(" >>");
    document.WriteObject(cidFont, c.Bytes());

    const int toUnicode = document.ReserveObject();
    document.WriteStream(toUnicode, QByteArray(), ToUnicodeMap());

    const int type0 = document.ReserveObject();
    PdfBuffer t;
    t.Raw("<< /Type /Font /Subtype /Type0 /BaseFont /").Raw(name);
    t.Raw(" /Encoding /Identity-H /DescendantFonts [").Ref(cidFont).Raw("] /ToUnicode ");
    t.Ref(toUnicode).Raw(">>");
    document.WriteObject(type0, t.Bytes());
    return type0;
}

PdfFont::Type3Code PdfFont::Type3CodeOf(quint32 glyph, const QChar* text, int units) {
    auto found = type3Codes_.constFind(glyph);
    int number = 0;
    if (found != type3Codes_.constEnd()) {
        number = *found;
    } else {
        number = int(type3Glyphs_.size());
        type3Glyphs_.push_back(glyph);
        type3Codes_.insert(glyph, number);
        unicode_.insert(glyph, QString(text, units));
    }
    return {number / kType3Codes, quint8(number % kType3Codes)};
}

double PdfFont::KnownWidth(quint32 glyph) const {
    return glyph < widths_.size() && widths_[glyph] >= 0.0 ? widths_[glyph] : 0.0;
}

QByteArray PdfFont::Type3ResourceName(int font) const {
    return resourceName_ + "_" + QByteArray::number(font);
}

void PdfFont::WriteType3(PdfDocument& document, PdfBuffer& entries) const {
    const int fonts = (int(type3Glyphs_.size()) + kType3Codes - 1) / kType3Codes;
    for (int font = 0; font < fonts; ++font) {
        const int object = WriteType3Font(document, font);
        entries.Char('/').Raw(Type3ResourceName(font)).Char(' ').Ref(object);
    }
}

// A glyph procedure: the outline in glyph space (a thousand units to the
// em, y up), filled in the text's colour.
QByteArray PdfFont::Type3CharProc(const QRawFont& unitFace, quint32 glyph, QRectF& bounds) const {
    const double width = KnownWidth(glyph);
    const QPainterPath path = unitFace.pathForGlyph(glyph);
    const QRectF box = path.boundingRect();
    bounds |= box;
    PdfBuffer proc;
    proc.Real(width).Raw("0 ").Real(box.left()).Real(-box.bottom()).Real(box.right());
    proc.Real(-box.top()).Raw("d1\n");
    for (int e = 0; e < path.elementCount(); ++e) {
        const QPainterPath::Element element = path.elementAt(e);
        if (element.isCurveTo() && e + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(e + 1);
            const QPainterPath::Element end = path.elementAt(e + 2);
            proc.Real(element.x).Real(-element.y).Real(c2.x).Real(-c2.y);
            proc.Real(end.x).Real(-end.y).Raw("c ");
            e += 2;
            continue;
        }
        proc.Real(element.x).Real(-element.y).Raw(element.isMoveTo() ? "m " : "l ");
    }
    proc.Raw(path.isEmpty() ? "" : "f\n");
    return proc.Bytes();
}

QByteArray PdfFont::Type3ToUnicodeMap(int font) const {
    const int first = font * kType3Codes;
    const int count = std::min(kType3Codes, int(type3Glyphs_.size()) - first);
    std::vector<std::pair<quint32, QString>> codes;
    codes.reserve(size_t(count));
    for (int code = 0; code < count; ++code) {
        codes.emplace_back(quint32(code),
                           unicode_.value(type3Glyphs_[size_t(first) + size_t(code)]));
    }
    return UnicodeCMap(1, codes);
}

int PdfFont::WriteType3Font(PdfDocument& document, int font) const {
    QRawFont unitFace = face_;
    unitFace.setPixelSize(1000);
    const int first = font * kType3Codes;
    const int count = std::min(kType3Codes, int(type3Glyphs_.size()) - first);
    PdfBuffer procs;
    PdfBuffer names;
    PdfBuffer widths;
    QRectF bounds;  // of all glyphs, y down
    for (int code = 0; code < count; ++code) {
        const quint32 glyph = type3Glyphs_[size_t(first) + size_t(code)];
        const int proc = document.ReserveObject();
        document.WriteStream(proc, QByteArray(), Type3CharProc(unitFace, glyph, bounds));
        procs.Raw("/g").Int(code).Ref(proc);
        names.Raw("/g").Int(code);
        widths.Real(KnownWidth(glyph));
    }
    const int toUnicode = document.ReserveObject();
    document.WriteStream(toUnicode, QByteArray(), Type3ToUnicodeMap(font));
    const int object = document.ReserveObject();
    PdfBuffer body;
    body.Raw("<< /Type /Font /Subtype /Type3 /FontBBox [").Real(bounds.left());
    body.Real(-unitFace.descent()).Real(bounds.right()).Real(unitFace.ascent()).Raw("]");
    body.Raw("/FontMatrix [0.001 0 0 0.001 0 0] /CharProcs << ").Raw(procs.Bytes());
    body.Raw(">> /Encoding << /Type /Encoding /Differences [0 ").Raw(names.Bytes());
    body.Raw("] >> /FirstChar 0 /LastChar ").Int(count - 1).Raw("/Widths [");
    body.Raw(widths.Bytes()).Raw("] /Resources << >> /ToUnicode ").Ref(toUnicode).Raw(">>");
    document.WriteObject(object, body.Bytes());
    return object;
}

PdfFonts::PdfFonts() = default;
PdfFonts::~PdfFonts() = default;

PdfFont& PdfFonts::FontFor(const QRawFont& face) {
    const QString key = FaceKey(face);
    auto found = byKey_.constFind(key);
    if (found != byKey_.constEnd()) {
        return **found;
    }
    fonts_.push_back(std::make_unique<PdfFont>(face, int(fonts_.size()) + 1));
    byKey_.insert(key, fonts_.back().get());
    return *fonts_.back();
}

void PdfFonts::WriteObjects(PdfDocument& document, PdfBuffer& entries) const {
    for (const auto& font : fonts_) {
        if (!font->Embeddable()) {
            font->WriteType3(document, entries);
            continue;
        }
        const int object = font->Write(document);
        entries.Char('/').Raw(font->ResourceName()).Char(' ').Ref(object);
    }
}

}  // namespace platform
