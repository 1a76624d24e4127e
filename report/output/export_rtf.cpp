// The whole output as one RTF document: a font and a colour table collected
// from the laid-out lines, then one paragraph per page that anchors the
// page's drawing shapes, placed on the page in drawing order (back to front):
// fills, lines, and a borderless text box for every text. Pictures and
// barcodes are not written.
//
// Word processors differ in how they anchor positioned paragraphs (frames)
// and in whether they honour "behind text" on shapes; shapes anchored in a
// paragraph of their own page, stacked by their order, read the same in all
// of them: every page's texts on that page and above the fills.
#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <algorithm>

#include "platform/codepage1250.h"
#include "report/model/lumex_element.h"
#include "report/output/export_elements.h"
#include "report/output/sestexport.h"
#include "report/output/sestprn.h"
#include "report/output/template_font.h"

namespace {

constexpr int kEmuPerPenUnit = 9144;  // a pen unit is a hundredth of an inch
constexpr int kLayoutUnitsPerTwip = 5;
constexpr int kPenStyleNone = 5;
constexpr int kFillStyleEmpty = 1;

int Twips(int hundredths) {
    return int(qint64(hundredths) * 1440 / 100);
}

QByteArray Num(qint64 value) {
    return QByteArray::number(value);
}

QByteArray HexByte(unsigned char byte) {
    return "\\'" + QByteArray::number(byte, 16);
}

// One UTF-16 code unit as RTF's Unicode control word: a signed 16-bit number
// followed by the one fallback character (\uc1) that readers without Unicode
// show instead.
QByteArray UnicodeUnit(char16_t unit, const QByteArray& fallback) {
    return "\\u" + Num(qint16(unit)) + fallback;
}

}  // namespace

// Text for an RTF document. RTF's special characters are escaped and control
// characters dropped. In a font of the east European character set (238) a
// character of code page 1250 above 0x7F is written as \'hh; any other
// character above 0x7F is written as Unicode (\uN) followed by its code page
// 1250 byte, or "?" where code page 1250 has none, for readers without
// Unicode. A character outside the basic plane is written as its two
// UTF-16 halves.
QByteArray EscapeRtfText(const QString& text, bool eastEuropean) {
    QByteArray escaped;
    for (const QChar qc : text) {
        const char16_t unit = qc.unicode();
        if (unit < 0x20) {
            continue;
        }
        if (unit < 0x80) {
            const char c = char(unit);
            if (c == '\\' || c == '{' || c == '}') {
                escaped += '\\';
            }
            escaped += c;
            continue;
        }
        unsigned char byte = 0;
        const bool inCodePage = platform::UnicodeToCp1250(unit, &byte);
        if (inCodePage && eastEuropean) {
            escaped += HexByte(byte);
        } else {
            escaped += UnicodeUnit(unit, inCodePage ? HexByte(byte) : QByteArray("?"));
        }
    }
    return escaped;
}

namespace {

// A font name as it may stand in the font table: escaped like text, without
// the ";" that would end the entry.
QByteArray EscapeRtfFontName(const QString& name, int charset) {
    QString cleaned = name;
    cleaned.remove(QLatin1Char(';'));
    return EscapeRtfText(cleaned.trimmed(), charset == csEastEurope);
}

QString FontEntry(const TFragment& fragment) {
    return QStringLiteral("\\fnil\\fcharset%1 ").arg(fragment.Charset) +
           QString::fromLatin1(EscapeRtfFontName(fragment.FontName, fragment.Charset) + ';');
}

QString ColourEntry(const QColor& colour) {
    return QStringLiteral("\\red%1\\green%2\\blue%3;")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

QColor PenColour(const TLumexReportElement& element) {
    return TemplateColour(element.penColor);
}

// The sorted font and colour tables of the document, and the number of the
// entry of every font (name and character set) and colour met, so that
// writing looks each up once per run instead of building its entry again.
class RtfTables {
  public:
    void AddFont(const TFragment& fragment) {
        const FontKey key{fragment.FontName, fragment.Charset};
        if (!fontEntries_.contains(key)) {
            const QString entry = FontEntry(fragment);
            fontEntries_.insert(key, entry);
            AddUnique(fonts_, entry);
        }
    }
    void AddColour(const QColor& colour) {
        if (!colourEntries_.contains(colour.rgb())) {
            const QString entry = ColourEntry(colour);
            colourEntries_.insert(colour.rgb(), entry);
            AddUnique(colours_, entry);
        }
    }
    // Sorts the entries and numbers them by their place.
    void Sort() {
        SortEntries(fonts_);
        SortEntries(colours_);
        Number(fontEntries_, fonts_, fontNumbers_);
        Number(colourEntries_, colours_, colourNumbers_);
    }

    const QStringList& Fonts() const { return fonts_; }
    const QStringList& Colours() const { return colours_; }
    // The entry's number; 0 for a font or colour not in the tables.
    int FontNumber(const TFragment& fragment) const {
        return fontNumbers_.value(FontKey{fragment.FontName, fragment.Charset}, 0);
    }
    int ColourNumberOf(const QColor& colour) const { return colourNumbers_.value(colour.rgb(), 0); }

  private:
    using FontKey = std::pair<QString, int>;

    static void AddUnique(QStringList& list, const QString& entry) {
        if (!list.contains(entry)) {
            list.append(entry);
        }
    }
    static void SortEntries(QStringList& list) {
        std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
            const int folded = a.compare(b, Qt::CaseInsensitive);
            return folded != 0 ? folded < 0 : a < b;
        });
    }
    template <typename Key>
    static void Number(const QHash<Key, QString>& entries, const QStringList& sorted,
                       QHash<Key, int>& numbers) {
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            numbers.insert(it.key(), int(sorted.indexOf(it.value())));
        }
    }

    QStringList fonts_;
    QStringList colours_;
    QHash<FontKey, QString> fontEntries_;
    QHash<QRgb, QString> colourEntries_;
    QHash<FontKey, int> fontNumbers_;
    QHash<QRgb, int> colourNumbers_;
};

// A rotated text (template angle not 0) keeps its whole text instead of lines.
bool IsRotatedText(const TVystPrvek& element) {
    return IsTextElement(element) && element.Element->angle != 0;
}

// The whole text of a rotated element as one run in the element's font.
TFragment RotatedRun(const TVystPrvek& element) {
    const platform::Font font = ElementFont(element);
    TFragment run;
    run.Text = element.Text;
    run.FontName = font.name;
    run.Size = font.size;
    run.Colour = font.color;
    run.Charset = font.charset;
    run.Bold = font.bold;
    run.Italic = font.italic;
    run.Underline = font.underline;
    run.Strikeout = font.strikeout;
    return run;
}

RtfTables CollectTables(const TSestVystup& output) {
    RtfTables tables;
    for (int p = 0; p < output.PageCount() && !output.FromSpool; ++p) {
        const TStranaPrvku& page = output.ReadPage(p);
        for (int i = 0; i < page.Count(); ++i) {
            const TVystPrvek& element = page.Item(i);
            if (IsRotatedText(element)) {
                const TFragment run = RotatedRun(element);
                tables.AddFont(run);
                tables.AddColour(run.Colour);
                continue;
            }
            // An element without laid-out lines adds to neither table.
            if (!element.Lines) {
                continue;
            }
            const int kind = element.Kind();
            const bool shape = kind >= ekLine && kind <= ekEllipse;
            if (shape) {
                tables.AddColour(PenColour(*element.Element));
            }
            for (const TRadek& line : *element.Lines) {
                for (const TFragment& fragment : line.Fragments) {
                    tables.AddFont(fragment);
                    if (!shape) {
                        tables.AddColour(fragment.Colour);
                    }
                }
            }
        }
    }
    tables.Sort();
    return tables;
}

// A box in twips on the paper: page coordinates shifted by the margins.
struct Box {
    int x, y, x2, y2;
};

Box RtfBox(const TVystPrvek& element) {
    const TPaperSetup& paper = PaperSetup();
    const int left = element.Left + paper.MarginLeft;
    const int top = element.Top + paper.MarginTop;
    return Box{Twips(left), Twips(top), Twips(left + element.Width), Twips(top + element.Height)};
}

// The paragraph alignment of a text element: left, right, centred, justified.
const char* AlignmentWord(const TVystPrvek& element) {
    static const char* const kAlignments[] = {"\\ql", "\\qr", "\\qc", "\\qj"};
    return kAlignments[element.Alignment() & 3];
}

// The lines are broken already; a word processor whose font measures a
// little wider must not break them again. The box of a text is therefore
// widened by its own width (within the paper) away from where its lines
// stand: to the right of left-aligned (and justified) text, to the left of
// right-aligned text, on both sides of centred text. The box has no fill or
// outline, so the wider box shows nothing more.
Box WidenedForLines(Box box, int alignment) {
    const int paperWidth = Twips(PaperSetup().OrientedWidth());
    const int width = box.x2 - box.x;
    if (alignment == eaCenter) {
        const int side = std::max(0, std::min({width / 2, box.x, paperWidth - box.x2}));
        box.x -= side;
        box.x2 += side;
    } else if (alignment == eaRight) {
        box.x = std::max(std::min(box.x, 0), box.x - width);
    } else {
        box.x2 = std::min(std::max(box.x2, paperWidth), box.x2 + width);
    }
    return box;
}

QByteArray Property(const char* name, qint64 value) {
    return QByteArray("{\\sp{\\sn ") + name + "}{\\sv " + Num(value) + "}}";
}

// Writes the shapes of the pages. Every shape is placed on the page, wraps no
// text and takes the next number of the document's stacking order, so later
// shapes are drawn above earlier ones.
class RtfShapeWriter {
  public:
    explicit RtfShapeWriter(const RtfTables& tables) : tables_(tables) {}

    QByteArray Element(const TVystPrvek& element);

  private:
    QByteArray Start(const Box& box, bool behindText = false);
    QByteArray Text(const TVystPrvek& element);
    QByteArray TextBox(const Box& box, const QByteArray& paragraphs);
    QByteArray RotatedText(const TVystPrvek& element);
    QByteArray TextLines(const TVystPrvek& element, int& heightTwips) const;
    QByteArray Run(const TFragment& fragment) const;
    QByteArray Line(const Box& box, qint64 colour, qint64 width, const QByteArray& dashing);
    QByteArray TextEdges(const TVystPrvek& element);
    QByteArray LineFigure(const TVystPrvek& element);
    QByteArray Figure(const TVystPrvek& element);

    const RtfTables& tables_;
    qint64 order_ = 0;
};

QByteArray RtfShapeWriter::Element(const TVystPrvek& element) {
    if (IsTextElement(element)) {
        // The text is stacked before its edges, so each is numbered in turn.
        QByteArray rtf = IsRotatedText(element) ? RotatedText(element) : Text(element);
        return rtf + TextEdges(element);
    }
    switch (element.Kind()) {
        case ekLine:
            return LineFigure(element);
        case ekFrame:
        case ekRoundFrame:
        case ekEllipse:
            return Figure(element);
        default:
            return QByteArray();  // pictures and barcodes are not written
    }
}

QByteArray RtfShapeWriter::Start(const Box& box, bool behindText) {
    return "{\\shp{\\*\\shpinst\\shpbxpage\\shpbypage\\shpleft" + Num(box.x) + "\\shptop" +
           Num(box.y) + "\\shpright" + Num(box.x2) + "\\shpbottom" + Num(box.y2) +
           "\\shpwr3\\shpwrk0\\shpfblwtxt" + (behindText ? "1" : "0") + "\\shpz" + Num(order_++);
}

// The lines of a text element as paragraphs of exactly the laid-out line
// heights; `heightTwips` receives their sum.
QByteArray RtfShapeWriter::TextLines(const TVystPrvek& element, int& heightTwips) const {
    const char* alignment = AlignmentWord(element);
    QByteArray rtf;
    heightTwips = 0;
    for (const TRadek* line : ShownLines(element)) {
        const int height = std::max(1, line->Height / kLayoutUnitsPerTwip);
        heightTwips += height;
        rtf += QByteArray("\\pard\\plain") + alignment + "\\sl-" + Num(height) + "\\slmult0";
        for (const TFragment& fragment : line->Fragments) {
            rtf += Run(fragment);
        }
        rtf += "\\par";
    }
    return rtf;
}

QByteArray RtfShapeWriter::Run(const TFragment& fragment) const {
    QByteArray rtf = "{\\f" + Num(tables_.FontNumber(fragment)) + "\\fs" +
                     Num(std::max(1, nint(fragment.Size * 2))) + "\\cf" +
                     Num(tables_.ColourNumberOf(fragment.Colour));
    if (fragment.Bold) {
        rtf += "\\b";
    }
    if (fragment.Italic) {
        rtf += "\\i";
    }
    if (fragment.Underline) {
        rtf += "\\ul";
    }
    if (fragment.Strikeout) {
        rtf += "\\strike";
    }
    return rtf + ' ' + EscapeRtfText(fragment.Text, fragment.Charset == csEastEurope) + '}';
}

// A text element as a text box without fill, outline or inner margins, at
// least as tall as its lines so that none is cut off.
QByteArray RtfShapeWriter::Text(const TVystPrvek& element) {
    int height = 0;
    const QByteArray lines = TextLines(element, height);
    if (lines.isEmpty()) {
        return QByteArray();
    }
    Box box = WidenedForLines(RtfBox(element), element.Alignment() & 3);
    box.y2 = std::max(box.y2, box.y + height);
    return TextBox(box, lines);
}

QByteArray RtfShapeWriter::TextBox(const Box& box, const QByteArray& paragraphs) {
    static const QByteArray kProperties = Property("shapeType", 202) + Property("fFilled", 0) +
                                          Property("fLine", 0) + Property("dxTextLeft", 0) +
                                          Property("dyTextTop", 0) + Property("dxTextRight", 0) +
                                          Property("dyTextBottom", 0) + "{\\shptxt ";
    return Start(box) + kProperties + paragraphs + "}}}";
}

// Word processors do not turn the text of a text box, so a rotated text is
// written level, in one line as wide as the element's longer side, centred
// on the element (and moved onto the paper where it would start left of or
// above it): its words stay where the element is.
QByteArray RtfShapeWriter::RotatedText(const TVystPrvek& element) {
    if (element.Text.isEmpty()) {
        return QByteArray();
    }
    const TFragment run = RotatedRun(element);
    const Box b = RtfBox(element);
    const int length = std::max(b.x2 - b.x, b.y2 - b.y);
    const int height = nint(run.Size * 20 * 1.25);
    const int cx = (b.x + b.x2) / 2;
    const int cy = (b.y + b.y2) / 2;
    const int left = std::max(0, cx - length / 2);
    const int top = std::max(0, cy - height / 2);
    const Box box{left, top, left + length, top + height};
    return TextBox(box, QByteArray("\\pard\\plain") + AlignmentWord(element) + Run(run) + "\\par");
}

// A straight line from (x, y) to (x2, y2); a line rising to the right is
// the box's other diagonal, flipped vertically.
QByteArray RtfShapeWriter::Line(const Box& box, qint64 colour, qint64 width,
                                const QByteArray& dashing) {
    const bool rising = box.y2 < box.y;
    const Box bounds{box.x, std::min(box.y, box.y2), box.x2, std::max(box.y, box.y2)};
    return Start(bounds) + Property("shapeType", 20) + (rising ? Property("fFlipV", 1) : "") +
           dashing + Property("lineColor", colour) + Property("lineWidth", width) + "}}";
}

// The frame edges of a text element: thin black lines.
QByteArray RtfShapeWriter::TextEdges(const TVystPrvek& element) {
    const Box b = RtfBox(element);
    const int flags = element.Element->frameFlags;
    const struct {
        int bit;
        Box line;
    } edges[] = {
        {ffTop, {b.x, b.y, b.x2, b.y}},
        {ffLeft, {b.x, b.y, b.x, b.y2}},
        {ffBottom, {b.x, b.y2, b.x2, b.y2}},
        {ffRight, {b.x2, b.y, b.x2, b.y2}},
    };
    QByteArray rtf;
    for (const auto& edge : edges) {
        if (flags & edge.bit) {
            rtf += Line(edge.line, 0, kEmuPerPenUnit, QByteArray());
        }
    }
    return rtf;
}

QByteArray RtfShapeWriter::LineFigure(const TVystPrvek& element) {
    const TLumexReportElement& source = *element.Element;
    if (source.penStyle == kPenStyleNone) {
        return QByteArray();
    }
    const Box b = RtfBox(element);
    const qint64 colour = ColourNumber(PenColour(source));
    const qint64 width = qint64(source.penWidth) * kEmuPerPenUnit;
    const QByteArray dashing = source.penStyle >= 1 && source.penStyle <= 4
                                   ? Property("lineDashing", source.penStyle)
                                   : QByteArray();
    const struct {
        int bit;
        Box line;
    } parts[] = {
        {ffTop, {b.x, b.y, b.x2, b.y}},
        {ffLeft, {b.x, b.y, b.x, b.y2}},
        {ffBottom, {b.x, b.y2, b.x2, b.y2}},
        {ffRight, {b.x2, b.y, b.x2, b.y2}},
        {ffLineDiagonalUp, {b.x, b.y2, b.x2, b.y}},
        {ffLineDiagonalDown, {b.x, b.y, b.x2, b.y2}},
    };
    QByteArray rtf;
    for (const auto& part : parts) {
        if (source.frameFlags & part.bit) {
            rtf += Line(part.line, colour, width, dashing);
        }
    }
    if (source.frameFlags & ffLineEllipse) {
        rtf += Start(b) + Property("shapeType", 3) + dashing + Property("fFilled", 0) +
               Property("fillOpacity", 0) + Property("lineColor", colour) +
               Property("lineWidth", width) + "}}";
    }
    return rtf;
}

// The corner of a rounded rectangle as the preview draws it: a diameter of
// min(40, height / 2) hundredths of an inch, given to word processors as the
// radius in 21600ths of the shorter side.
qint64 CornerAdjustment(const TVystPrvek& element) {
    const int shorter = std::min(element.Width, element.Height);
    if (shorter <= 0) {
        return 0;
    }
    const double radius = std::min(40, element.Height / 2) / 2.0;
    return std::min<qint64>(10800, nint(radius * 21600 / shorter));
}

// A filled rectangle, rounded rectangle or ellipse, behind the text. An empty
// fill style leaves it unfilled; a hatch is shown as its colour at half
// strength, so that what lies beneath stays visible.
QByteArray RtfShapeWriter::Figure(const TVystPrvek& element) {
    const TLumexReportElement& source = *element.Element;
    const int shapeType = source.kind - ekFrame + 1;
    const qint64 width = qint64(source.penWidth) * kEmuPerPenUnit;
    QByteArray rtf = Start(RtfBox(element), true) + Property("shapeType", shapeType);
    if (source.kind == ekRoundFrame) {
        rtf += Property("adjustValue", CornerAdjustment(element));
    }
    if (source.scale == kFillStyleEmpty) {
        rtf += Property("fFilled", 0);
    } else {
        rtf += Property("fillColor", ColourNumber(TemplateColour(source.fillColor)));
        if (source.scale > kFillStyleEmpty) {
            rtf += Property("fillOpacity", 32768);
        }
    }
    if (width > 0 && source.penStyle != kPenStyleNone) {
        rtf +=
            Property("lineColor", ColourNumber(PenColour(source))) + Property("lineWidth", width);
    } else {
        rtf += Property("fLine", 0);
    }
    return rtf + Property("fBehindDocument", 1) + "}}";
}

QByteArray DocumentStart(const RtfTables& tables) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250\\uc1\\deff0\\deftab720{\\fonttbl";
    for (int i = 0; i < tables.Fonts().size(); ++i) {
        rtf += "{\\f" + Num(i) + tables.Fonts()[i].toLatin1() + '}';
    }
    rtf += "}{\\colortbl";
    for (const QString& colour : tables.Colours()) {
        rtf += colour.toLatin1();
    }
    rtf += "}{\\info{\\doccomm Produced by: LUMEX Report Generator}}";
    const TPaperSetup& paper = PaperSetup();
    rtf += "\\viewkind1\\paperw" + Num(Twips(paper.OrientedWidth())) + "\\paperh" +
           Num(Twips(paper.OrientedHeight())) + "\\margl" + Num(Twips(paper.MarginLeft)) +
           "\\margr" + Num(Twips(paper.MarginRight)) + "\\margt" +
           Num(Twips(paper.MarginTop * 80 / 100)) + "\\margb" +
           Num(Twips(paper.MarginBottom * 80 / 100)) + (paper.Landscape() ? "\\lndscpsxn" : "") +
           "\\headery0\\footery0\r\n";
    return rtf;
}

// The paragraph that stands for page `page` (0-based): one point high, on a
// page of its own after the first, holding the page's shapes.
QByteArray PageStart(int page) {
    return QByteArray("{\\pard\\plain") + (page > 0 ? "\\pagebb" : "") + "\\fs2\\sl-20\\slmult0 ";
}

bool WriteAll(QIODevice& stream, const QByteArray& bytes) {
    return stream.write(bytes) == bytes.size();
}

}  // namespace

bool SaveRtf(const TSestVystup& output, QIODevice& stream) {
    const RtfTables tables = CollectTables(output);
    RtfShapeWriter shapes(tables);
    bool ok = WriteAll(stream, DocumentStart(tables));
    const int pages = output.FromSpool ? 0 : output.PageCount();
    for (int p = 0; p < pages; ++p) {
        const TStranaPrvku& page = output.ReadPage(p);
        QByteArray group = PageStart(p);
        for (int i = 0; i < page.Count(); ++i) {
            group += shapes.Element(page.Item(i));
        }
        if (!WriteAll(stream, group + "\\par}")) {
            ok = false;
            WriteAll(stream, "\\par}");
        }
    }
    return WriteAll(stream, "}") && ok;
}

bool SaveRtfFile(const TSestVystup& output, const QString& fileName) {
    return WriteFileAtomically(fileName,
                               [&](QIODevice& device) { return SaveRtf(output, device); });
}
