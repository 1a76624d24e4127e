// The whole output as one RTF document: a font and a colour table collected
// from the laid-out lines, then one group per page holding framed paragraphs
// for texts and drawing shapes for lines and rectangles. Pictures and
// barcodes are not written.
#include <QByteArray>
#include <QStringList>
#include <algorithm>

#include "report/engine/lumex_element.h"
#include "report/output/code_pages.h"
#include "report/output/export_elements.h"
#include "report/output/sestexport.h"
#include "report/output/sestprn.h"
#include "report/output/template_font.h"

namespace {

constexpr int kEmuPerPenUnit = 9144;

int Twips(int hundredths) {
    return int(qint64(hundredths) * 1440 / 100);
}

QByteArray Num(qint64 value) {
    return QByteArray::number(value);
}

QString FontEntry(const TFragment& fragment) {
    return QStringLiteral("\\fnil\\fcharset%1 %2;").arg(fragment.Charset).arg(fragment.FontName);
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

// The sorted font and colour tables of the document.
struct RtfTables {
    QStringList fonts;
    QStringList colours;

    int FontNumber(const TFragment& fragment) const {
        return std::max(0, int(fonts.indexOf(FontEntry(fragment))));
    }
    int ColourNumberOf(const QColor& colour) const {
        return std::max(0, int(colours.indexOf(ColourEntry(colour))));
    }
};

void AddUnique(QStringList& list, const QString& entry) {
    if (!list.contains(entry)) {
        list.append(entry);
    }
}

void SortEntries(QStringList& list) {
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

RtfTables CollectTables(const TSestVystup& output) {
    RtfTables tables;
    for (int p = 0; p < output.PageCount() && !output.FromSpool; ++p) {
        const TStranaPrvku& page = output.ReadPage(p);
        for (int i = 0; i < page.Count(); ++i) {
            const TVystPrvek& element = page.Item(i);
            // An element without laid-out lines adds to neither table.
            if (!element.Lines) {
                continue;
            }
            const int kind = element.Kind();
            const bool shape = kind >= ekLine && kind <= ekEllipse;
            if (shape) {
                AddUnique(tables.colours, ColourEntry(PenColour(*element.Element)));
            }
            for (const TRadek& line : *element.Lines) {
                for (const TFragment& fragment : line.Fragments) {
                    AddUnique(tables.fonts, FontEntry(fragment));
                    if (!shape) {
                        AddUnique(tables.colours, ColourEntry(fragment.Colour));
                    }
                }
            }
        }
    }
    SortEntries(tables.fonts);
    SortEntries(tables.colours);
    return tables;
}

}  // namespace

// Text in the program's code page with RTF's special characters escaped,
// bytes above 0x7F as \'hh and control characters dropped.
QByteArray EscapeRtfText(const QString& text) {
    QByteArray escaped;
    for (const char c : EncodeCodePage(text, slCP1250)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            continue;
        }
        if (byte >= 0x80) {
            escaped += "\\'" + QByteArray::number(byte, 16);
        } else {
            if (c == '\\' || c == '{' || c == '}') {
                escaped += '\\';
            }
            escaped += c;
        }
    }
    return escaped;
}

namespace {

struct Box {
    int x, y, x2, y2;
};

Box RtfBox(const TVystPrvek& element) {
    const TPaperSetup& paper = PaperSetup();
    const int left = element.Left + paper.MarginLeft;
    const int top = element.Top + paper.MarginTop;
    return Box{Twips(left), Twips(top), Twips(left + element.Width), Twips(top + element.Height)};
}

QByteArray TextFragment(const TVystPrvek& element, const RtfTables& tables) {
    static const char* const kAlignments[] = {"\\ql", "\\qr", "\\qc", "\\qj"};
    const Box box = RtfBox(element);
    const int flags = element.Element->frameFlags;
    QByteArray borders;
    if (flags & ffTop)
        borders += "\\brdrt\\brdrs\\brdrw20 ";
    if (flags & ffLeft)
        borders += "\\brdrl\\brdrs\\brdrw20 ";
    if (flags & ffBottom)
        borders += "\\brdrb\\brdrs\\brdrw20 ";
    if (flags & ffRight)
        borders += "\\brdrr\\brdrs\\brdrw20 ";
    const QByteArray frame = "\\pvpg\\phpg\\absw" + Num(Twips(element.Width)) + "\\absh" +
                             Num(-Twips(element.Height)) + "\\posy" + Num(box.y) + "\\posx" +
                             Num(box.x);
    const char* alignment = kAlignments[element.Alignment() & 3];
    QByteArray rtf;
    for (const TRadek* line : ShownLines(element)) {
        rtf += "\\par\\pard" + borders + frame;
        for (const TFragment& fragment : line->Fragments) {
            rtf += "\\f" + Num(tables.FontNumber(fragment));
            rtf += "\\cf" + Num(tables.ColourNumberOf(fragment.Colour));
            rtf += "\\fs" + Num(nint(fragment.Size * 2)) + ' ';
            QByteArray openers;
            if (fragment.Bold)
                openers += "\\b";
            if (fragment.Underline)
                openers += "\\ul";
            if (fragment.Italic)
                openers += "\\i";
            openers += alignment;
            QByteArray closers;
            if (fragment.Italic)
                closers += "\\i0";
            if (fragment.Underline)
                closers += "\\ul0";
            if (fragment.Bold)
                closers += "\\b0";
            rtf += openers + ' ' + EscapeRtfText(fragment.Text) + closers;
        }
    }
    return rtf;
}

QByteArray ShapeStart(int left, int top, int right, int bottom) {
    return "{\\shp{\\*\\shpinst\\shpbxpage\\shpbypage\\shpleft" + Num(left) + "\\shptop" +
           Num(top) + "\\shpright" + Num(right) + "\\shpbottom" + Num(bottom);
}

QByteArray Property(const char* name, qint64 value) {
    return QByteArray("{\\sp{\\sn ") + name + "}{\\sv " + Num(value) + "}}";
}

QByteArray LineFigureFragment(const TVystPrvek& element) {
    const TLumexReportElement& source = *element.Element;
    const Box b = RtfBox(element);
    const qint64 colour = ColourNumber(PenColour(source));
    const qint64 width = qint64(source.penWidth) * kEmuPerPenUnit;
    const QByteArray dashing = source.penStyle >= 1 && source.penStyle <= 4
                                   ? Property("lineDashing", source.penStyle)
                                   : QByteArray();
    struct Part {
        int bit;
        Box line;
    };
    const Part parts[] = {
        {ffTop, {b.x, b.y, b.x2, b.y}},
        {ffLeft, {b.x, b.y, b.x, b.y2}},
        {ffBottom, {b.x, b.y2, b.x2, b.y2}},
        {ffRight, {b.x2, b.y, b.x2, b.y2}},
        {ffLineDiagonalUp, {b.x, b.y2, b.x2, b.y}},
        {ffLineDiagonalDown, {b.x, b.y, b.x2, b.y2}},
    };
    QByteArray rtf;
    for (const Part& part : parts) {
        if (source.frameFlags & part.bit) {
            rtf += ShapeStart(part.line.x, part.line.y, part.line.x2, part.line.y2) +
                   Property("shapeType", 20) + dashing + Property("lineColor", colour) +
                   Property("lineWidth", width) + "}}";
        }
    }
    if (source.frameFlags & ffLineEllipse) {
        rtf += ShapeStart(b.x, b.y, b.x2, b.y2) + Property("shapeType", 3) + dashing +
               Property("fillOpacity", 0) + "}}";
    }
    return rtf;
}

QByteArray ShapeFragment(const TVystPrvek& element) {
    const TLumexReportElement& source = *element.Element;
    const Box b = RtfBox(element);
    const int shapeType = source.kind - ekFrame + 1;
    const qint64 width = qint64(source.penWidth) * kEmuPerPenUnit;
    QByteArray rtf = ShapeStart(b.x, b.y, b.x2, b.y2) + "\\shpwr3" +
                     Property("shapeType", shapeType) +
                     Property("fillColor", ColourNumber(TemplateColour(source.fillColor)));
    if (width > 0) {
        rtf +=
            Property("lineColor", ColourNumber(PenColour(source))) + Property("lineWidth", width);
    } else {
        rtf += Property("fLine", 0);
    }
    return rtf + Property("fBehindDocument", 1) + "}}";
}

QByteArray ElementFragment(const TVystPrvek& element, const RtfTables& tables) {
    if (IsTextElement(element)) {
        return TextFragment(element, tables);
    }
    switch (element.Kind()) {
        case ekLine:
            return LineFigureFragment(element);
        case ekFrame:
        case ekRoundFrame:
        case ekEllipse:
            return ShapeFragment(element);
        default:
            return QByteArray();  // pictures and barcodes are not written
    }
}

QByteArray DocumentStart(const RtfTables& tables) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deftab720{\\fonttbl";
    for (int i = 0; i < tables.fonts.size(); ++i) {
        rtf += "{\\f" + Num(i) + EncodeCodePage(tables.fonts[i], slCP1250) + '}';
    }
    rtf += "}{\\colortbl";
    for (const QString& colour : tables.colours) {
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

bool WriteAll(QIODevice& stream, const QByteArray& bytes) {
    return stream.write(bytes) == bytes.size();
}

}  // namespace

bool SaveRtf(const TSestVystup& output, QIODevice& stream) {
    const RtfTables tables = CollectTables(output);
    bool ok = WriteAll(stream, DocumentStart(tables));
    const int pages = output.FromSpool ? 0 : output.PageCount();
    for (int p = 0; p < pages; ++p) {
        const TStranaPrvku& page = output.ReadPage(p);
        QByteArray group = "{";
        for (int i = 0; i < page.Count(); ++i) {
            group += ElementFragment(page.Item(i), tables);
        }
        group += p + 1 < pages ? "\\par\\page}" : "\\par}";
        if (!WriteAll(stream, group)) {
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
