// HTML pages: every element an absolutely placed DIV in hundredths of an inch
// as pixels; pictures and barcodes as .bmp files beside the page.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QUrl>

#include "platform/paint/bitmap_files.h"
#include "platform/paint/qpainter_canvas.h"
#include "report/model/lumex_element.h"
#include "report/output/export_elements.h"
#include "report/output/lumex_canvas.h"
#include "report/output/sestbarc.h"
#include "report/output/sestexport.h"
#include "report/output/template_font.h"

namespace {

QString HtmlColour(const QColor& colour) {
    return QString::asprintf("#%2.2x%2.2x%2.2x", colour.red(), colour.green(), colour.blue());
}

// Text for the page and for attribute values: markup characters as entities,
// and every character outside ASCII as a numeric reference of its code point,
// so the page shows the same letters whatever character set a browser assumes
// for it; a character beyond the basic plane is one reference, not two
// halves. Control characters are left out; half of a surrogate pair without
// its other half is no character and becomes U+FFFD.
void AppendReference(QString& html, char32_t c) {
    html += QLatin1String("&#");
    html += QString::number(uint(c));
    html += QLatin1Char(';');
}

QString HtmlText(QStringView text) {
    QString html;
    html.reserve(text.size() + text.size() / 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
            case u'&':
                html += QLatin1String("&amp;");
                break;
            case u'<':
                html += QLatin1String("&lt;");
                break;
            case u'>':
                html += QLatin1String("&gt;");
                break;
            case u'"':
                html += QLatin1String("&quot;");
                break;
            case u'\'':
                html += QLatin1String("&#39;");
                break;
            default:
                if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                    QChar::isLowSurrogate(text[i + 1].unicode())) {
                    AppendReference(html, QChar::surrogateToUcs4(c, text[i + 1].unicode()));
                    ++i;
                } else if (QChar::isSurrogate(c)) {
                    AppendReference(html, QChar::ReplacementCharacter);
                } else if (c >= 0x80) {
                    AppendReference(html, c);
                } else if (c >= 0x20) {
                    html += QChar(c);
                }
        }
    }
    return html;
}

// A font name as a CSS family: as it stands when it is plain words of ASCII
// letters, otherwise a quoted CSS string in which everything but letters,
// digits, non-ASCII characters and a few harmless marks is a CSS escape, so
// no name can end the declaration or the attribute it stands in.
bool IsPlainFontName(const QString& name) {
    static const QStringList keywords{"inherit", "initial", "unset", "revert", "default"};
    bool wordStart = true;
    for (const QChar c : name) {
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        if (!letter && (c != u' ' || wordStart)) {
            return false;
        }
        wordStart = c == u' ';
    }
    return !wordStart && !keywords.contains(name, Qt::CaseInsensitive);
}

QString CssFontFamily(const QString& name) {
    if (IsPlainFontName(name)) {
        return name;
    }
    QString css = QStringLiteral("'");
    for (const char32_t c : name.toUcs4()) {
        const bool plain = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') ||
                           (c >= U'0' && c <= U'9') || c == U' ' || c == U'-' || c == U'_' ||
                           c == U'.' || c >= 0x80;
        css += plain ? QString::fromUcs4(&c, 1) : QStringLiteral("\\%1 ").arg(uint(c), 0, 16);
    }
    return css + QLatin1Char('\'');
}

// A file name beside the page as the relative URL of an attribute: every
// character that means something in a URL percent-encoded, then escaped for
// HTML.
QString HtmlFileReference(const QString& fileName) {
    return HtmlText(QString::fromLatin1(QUrl::toPercentEncoding(fileName)));
}

QString Position(int top, int left, int width, int height) {
    return QString::asprintf(
        "position: absolute; top: %dpx; left: %dpx; width: %dpx; height: %dpx;", top, left, width,
        height);
}

const char* StyleWord(int penStyle) {
    switch (penStyle) {
        case 1:
        case 3:
            return "dashed";
        case 2:
        case 4:
            return "dotted";
        default:
            return "solid";
    }
}

// The set edges, in the order top, right, bottom, left, each with `rule`.
QString Borders(int flags, const QString& rule) {
    QString borders;
    if (flags & ffTop) {
        borders += " border-top" + rule;
    }
    if (flags & ffRight) {
        borders += " border-right" + rule;
    }
    if (flags & ffBottom) {
        borders += " border-bottom" + rule;
    }
    if (flags & ffLeft) {
        borders += " border-Left" + rule;
    }
    return borders;
}

QString PenRule(const TLumexReportElement& element) {
    return QStringLiteral(": %1px %2 %3;")
        .arg(element.penWidth)
        .arg(QLatin1String(StyleWord(element.penStyle)))
        .arg(HtmlColour(TemplateColour(element.penColor)));
}

QString LetterSpacing(const TLumexReportElement& element, const platform::Font& font) {
    if (element.letterSpacing <= 0) {
        return QString();
    }
    return QString::asprintf(" letter-spacing: %dpx;",
                             element.letterSpacing - int(font.size) * 11 / 16);
}

QString FontPart(const TVystPrvek& element, const platform::Font& font) {
    const char* opener = element.Alignment() == eaRight    ? "<p align=\"right\">"
                         : element.Alignment() == eaCenter ? "<p align=\"center\">"
                                                           : "";
    return QStringLiteral(" font: %1pt %2; color: %3\">%4")
        .arg(int(font.size))
        .arg(HtmlText(CssFontFamily(font.name)), HtmlColour(font.color), QLatin1String(opener));
}

QString Styled(const platform::Font& font, const QString& html) {
    QString text = html;
    if (font.strikeout) {
        text = "<strike>" + text + "</strike>";
    }
    if (font.italic) {
        text = "<i>" + text + "</i>";
    }
    if (font.underline) {
        text = "<u>" + text + "</u>";
    }
    if (font.bold) {
        text = "<b>" + text + "</b>";
    }
    return text;
}

QString OneLineText(const TVystPrvek& element, const platform::Font& font) {
    QString text = element.GetText();
    TLumexCanvas canvas(100);
    canvas.SetFont(font);
    while (!text.isEmpty() && canvas.TextWidth(text) > element.Width) {
        text.chop(1);
    }
    const TLumexReportElement& source = *element.Element;
    return "<DIV STYLE=\"" + Position(element.Top, element.Left, element.Width, element.Height) +
           Borders(source.frameFlags, QStringLiteral(": 1px solid #000000;")) +
           LetterSpacing(source, font) + FontPart(element, font) + Styled(font, HtmlText(text)) +
           "</DIV>\n";
}

// Spaces after the first space of a line as &nbsp;, so the browser keeps them.
QString KeepSpaces(const QString& line) {
    const int first = int(line.indexOf(u' '));
    if (first < 0) {
        return HtmlText(line);
    }
    QString rest = HtmlText(line.mid(first + 1));
    rest.replace(u' ', QStringLiteral("&nbsp;"));
    return HtmlText(line.left(first + 1)) + rest;
}

QString LinesText(const TVystPrvek& element, const QVector<const TRadek*>& lines,
                  const platform::Font& font) {
    const TLumexReportElement& source = *element.Element;
    QString html;
    int y = 0;
    for (const TRadek* line : lines) {
        html += "<DIV STYLE=\"" +
                Position(element.Top + y / 72, element.Left, element.Width, line->Height / 72) +
                LetterSpacing(source, font) + FontPart(element, font) +
                Styled(font, KeepSpaces(LineText(*line))) + "</DIV>\n";
        y += line->Height;
    }
    if (source.frameFlags & ffFrameLines) {
        html += "<DIV STYLE=\"" +
                Position(element.Top, element.Left, element.Width, element.Height) +
                Borders(source.frameFlags, QStringLiteral(": 1px solid #000000;")) +
                " font: 0pt\"></DIV>\n";
    }
    return html;
}

QString TextFragment(const TVystPrvek& element) {
    // A text held as RTF has been laid out into plain lines like any other
    // text; it is written from them in the element's font.
    const TLumexReportElement& source = *element.Element;
    const platform::Font font = ElementFont(element);
    const QVector<const TRadek*> lines = ShownLines(element);
    if (lines.size() <= 1 || source.angle != 0) {
        return OneLineText(element, font);
    }
    return LinesText(element, lines, font);
}

QString LineFigureFragment(const TVystPrvek& element) {
    const TLumexReportElement& source = *element.Element;
    return "<DIV STYLE=\"font: 0pt; " +
           Position(element.Top, element.Left, element.Width, element.Height) +
           Borders(source.frameFlags, PenRule(source)) + "\"></DIV>\n";
}

QString ShapeFragment(const TVystPrvek& element) {
    const TLumexReportElement& source = *element.Element;
    QString html = "<DIV STYLE=\"font: 0pt; background-color: " +
                   HtmlColour(TemplateColour(source.fillColor)) + "; " +
                   Position(element.Top, element.Left, element.Width, element.Height);
    if (source.penWidth > 0) {
        html += Borders(ffFrameLines, PenRule(source));
    }
    return html + "\"></DIV>\n";
}

QImage WhiteImage(int width, int height) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

std::optional<QImage> PictureImage(const TVystPrvek& element) {
    platform::Picture picture;
    if (element.Picture) {
        picture = *element.Picture;
    } else if (!element.PictureFile.isEmpty()) {
        picture = element.Element->picture;
    }
    if (picture.IsEmpty()) {
        return std::nullopt;
    }
    const TLumexReportElement& source = *element.Element;
    const int alignment = source.kind == ekField ? source.alignment : 0;
    const QRect placed = PlacePicture(QRect(0, 0, element.Width, element.Height), picture.Width(),
                                      picture.Height(), source.frameFlags & ffPictureStretch,
                                      source.frameFlags & ffPictureKeepAspect, alignment);
    QImage image = WhiteImage(element.Width, element.Height);
    platform::QPainterCanvas canvas(&image);
    canvas.SetPixelsPerInch(100);
    picture.Draw(canvas, placed);
    return image;
}

QImage BarcodeImage(const TVystPrvek& element) {
    constexpr int kScale = 6;
    QImage large = WhiteImage(element.Width * kScale, element.Height * kScale);
    {
        platform::QPainterCanvas canvas(&large);
        canvas.SetPixelsPerInch(100 * kScale);
        const TLumexReportElement& source = *element.Element;
        const int flags = source.frameFlags;
        DrawBarcode(canvas, QRect(0, 0, element.Width * kScale, element.Height * kScale),
                    source.penStyle, element.GetText(), flags & ffBarcodeGuards,
                    flags & ffBarcodeText, flags & ffBarcodeCheckDigit, source.angle,
                    source.penWidth);
    }
    return large.scaled(std::max(element.Width, 1), std::max(element.Height, 1),
                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

struct PictureTarget {
    QString folder;
    QString fileName;  // bare name referenced by the page
    bool saved = true;
};

QString ImageFragment(const TVystPrvek& element, const QImage& image, PictureTarget& target) {
    if (!platform::SaveBmp(image, QDir(target.folder).filePath(target.fileName))) {
        target.saved = false;
    }
    QString html = "<DIV STYLE=\"font: 0pt; " +
                   Position(element.Top, element.Left, element.Width, element.Height);
    if (element.Kind() == ekField) {
        html += Borders(element.Element->frameFlags, PenRule(*element.Element));
    }
    return html + "\"><IMG SRC=\"" + HtmlFileReference(target.fileName) + "\" ALT=\"\"></DIV>\n";
}

QString ElementFragment(const TVystPrvek& element, PictureTarget& picture) {
    if (IsTextElement(element)) {
        return TextFragment(element);
    }
    switch (element.Kind()) {
        case ekLine:
            return LineFigureFragment(element);
        case ekFrame:
        case ekRoundFrame:
        case ekEllipse:
            return ShapeFragment(element);
        case ekField:
        case ekPicture:
        case ekPaintBox: {
            const std::optional<QImage> image = PictureImage(element);
            return image ? ImageFragment(element, *image, picture) : QString();
        }
        case ekBarcode:
            return ImageFragment(element, BarcodeImage(element), picture);
        default:
            return QString();
    }
}

bool WriteText(QIODevice& stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return stream.write(bytes) == bytes.size();
}

}  // namespace

QString ReplaceExtension(const QString& base, const QString& replacement) {
    const qsizetype slash = std::max(base.lastIndexOf(u'/'), base.lastIndexOf(u'\\'));
    const qsizetype dot = base.lastIndexOf(u'.');
    return (dot > slash ? base.left(dot) : base) + replacement;
}

void HtmlHeader(QIODevice& stream) {
    // Right and centred texts open a paragraph inside their DIV; without the
    // style rule a browser would give it a top margin of one line and move
    // the text below the place it has on the page.
    WriteText(stream, QStringLiteral("<HTML> <HEAD> <TITLE> </TITLE>\n"
                                     "<META NAME=\"Creator\" CONTENT=\"LumexReportGenerator\">\n"
                                     "<STYLE TYPE=\"text/css\"> P { margin: 0 } </STYLE>\n"
                                     "</HEAD> <BODY BGCOLOR = \"#FFFFFF\"><PRE>\n"));
}

void HtmlTrailer(QIODevice& stream) {
    WriteText(stream, QStringLiteral("</PRE></BODY> </HTML>\n"));
}

bool SaveHtmlPage(TSestVystup& output, QIODevice& stream, const QString& folder, int page,
                  const QString& pictureBase) {
    if (output.FromSpool || page < 0 || page >= output.PageCount()) {
        return false;
    }
    const TStranaPrvku& elements = output.ReadPage(page);
    bool ok = true;
    for (int i = 0; i < elements.Count(); ++i) {
        PictureTarget picture{
            folder,
            QFileInfo(ReplaceExtension(pictureBase, QString::number(i + 1) + ".bmp")).fileName()};
        const QString fragment = ElementFragment(elements.Item(i), picture);
        ok = picture.saved && ok;
        if (!fragment.isEmpty() && !WriteText(stream, fragment)) {
            ok = false;
        }
    }
    return ok;
}

bool SaveHtmlIndex(QIODevice& stream, const QStringList& pageFiles, const QString& title) {
    QString html = QStringLiteral("<HTML> <HEAD> <TITLE>") + HtmlText(title) +
                   QStringLiteral(
                       "</TITLE>\n"
                       "<META NAME=\"Creator\" CONTENT=\"LumexReportGenerator\">\n"
                       "</HEAD> <BODY BGCOLOR = \"#FFFFFF\">\n");
    if (!title.isEmpty()) {
        html += QStringLiteral("<H1>") + HtmlText(title) + QStringLiteral("</H1>\n");
    }
    html += QStringLiteral("<OL>\n");
    for (int i = 0; i < pageFiles.size(); ++i) {
        html += QStringLiteral("<LI><A HREF=\"%1\">Strana %2</A></LI>\n")
                    .arg(HtmlFileReference(pageFiles[i]))
                    .arg(i + 1);
    }
    html += QStringLiteral("</OL>\n</BODY> </HTML>\n");
    return WriteText(stream, html);
}

bool SaveHtmlIndexFile(const QString& fileName, const QStringList& pageFiles,
                       const QString& title) {
    return WriteFileAtomically(
        fileName, [&](QIODevice& device) { return SaveHtmlIndex(device, pageFiles, title); });
}
