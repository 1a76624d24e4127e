// The HTML export: header and trailer, one-line and several-line texts,
// borders, letter spacing, styles, line figures, shapes and pictures.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>

#include "report/output/sestexport.h"
#include "report/output/text_layout.h"
#include "tests/report/output/export_fixture.h"
#include "tests/support/html_scan.h"

using testing_support::DecodeHtml;
using testing_support::ScanHtml;

namespace {

QString Page(TSestVystup& output, const QString& folder = QDir::tempPath(),
             const QString& base = QStringLiteral("a.html")) {
    return QString::fromUtf8(Written(
        [&](QIODevice& device) { EXPECT_TRUE(SaveHtmlPage(output, device, folder, 0, base)); }));
}

// The declarations of a STYLE value: the property names, in order. A ";"
// inside a quoted CSS string (where a backslash escapes) is no separator.
QStringList CssProperties(const QString& style) {
    QStringList names;
    QString declaration;
    QChar quote;
    for (qsizetype i = 0; i < style.size(); ++i) {
        const QChar c = style[i];
        if (!quote.isNull()) {
            if (c == u'\\') {
                ++i;
            } else if (c == quote) {
                quote = QChar();
            }
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u';') {
            names << declaration.section(u':', 0, 0).trimmed();
            declaration.clear();
            continue;
        }
        declaration += c;
    }
    if (!declaration.trimmed().isEmpty()) {
        names << declaration.section(u':', 0, 0).trimmed();
    }
    return names;
}

}  // namespace

TEST(ExportHtml, HeaderAndTrailer) {
    EXPECT_EQ(Written(HtmlHeader), QByteArray("<HTML> <HEAD> <TITLE> </TITLE>\n"
                                              "<META NAME=\"Creator\" "
                                              "CONTENT=\"LumexReportGenerator\">\n"
                                              "<STYLE TYPE=\"text/css\"> P { margin: 0 } "
                                              "</STYLE>\n"
                                              "</HEAD> <BODY BGCOLOR = \"#FFFFFF\"><PRE>\n"));
    EXPECT_EQ(Written(HtmlTrailer), QByteArray("</PRE></BODY> </HTML>\n"));
}

TEST(ExportHtml, OneLineTextWithFrameStylesColourAndSpacing) {
    ExportFixture f;
    TLumexReportElement& text = f.Text(QStringLiteral("Jméno  psa"));
    text.font.style = fsBold | fsUnderline | fsItalic;
    text.font.color = 128;  // red 128
    text.frameFlags = ffLeft | ffTop;
    text.letterSpacing = 20;
    text.alignment = eaRight;
    f.Place(text, 0, 30, 40);
    EXPECT_EQ(Page(f.output),
              "<DIV STYLE=\"position: absolute; top: 40px; left: 30px; width: 200px; height: 20px;"
              " border-top: 1px solid #000000; border-Left: 1px solid #000000;"
              " letter-spacing: 14px; font: 10pt Arial; color: #800000\"><p align=\"right\">"
              "<b><u><i>Jm&#233;no  psa</i></u></b></DIV>\n");
}

TEST(ExportHtml, OneLineTextIsCutToTheWidthAndMarkupIsEscaped) {
    ExportFixture f;
    TLumexReportElement& text = f.Text(QStringLiteral("<a&b> ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 400);
    f.Place(text, 0, 0, 0);
    f.output.Page(0).Item(0).Width = 40;  // narrower than the laid-out line
    const QString html = Page(f.output);
    // 40 hundredths of an inch of 10-point Arial hold "<a&b" and no more.
    EXPECT_TRUE(html.endsWith(QStringLiteral("color: #000000\">&lt;a&amp;b</DIV>\n")))
        << html.toStdString();
}

TEST(ExportHtml, SeveralLinesOneDivEachWithKeptSpacesAndAFrameDiv) {
    ExportFixture f;
    // Two lines: the box is just wide enough for the first line.
    TLumexReportElement& text =
        f.Text(QStringLiteral("Jméno  psa Jméno"), 90, 40, /*multiline=*/true);
    text.frameFlags = ffBottom;
    f.Place(text, 0, 10, 100);
    const TVystPrvek& placed = f.output.Page(0).Item(0);
    ASSERT_EQ(placed.Lines->Count(), 2) << LineText((*placed.Lines)[0]).toStdString();
    const int h0 = (*placed.Lines)[0].Height;
    const int h1 = (*placed.Lines)[1].Height;
    const QString html = Page(f.output);
    const QString first =
        QStringLiteral(
            "<DIV STYLE=\"position: absolute; top: 100px; left: 10px; width: 90px; "
            "height: %1px; font: 10pt Arial; color: #000000\">Jm&#233;no &nbsp;psa")
            .arg(h0 / 72);
    EXPECT_TRUE(html.startsWith(first)) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("top: %1px; left: 10px; width: 90px; height: %2px;")
                                  .arg(100 + h0 / 72)
                                  .arg(h1 / 72)));
    EXPECT_TRUE(html.endsWith(
        "<DIV STYLE=\"position: absolute; top: 100px; left: 10px; width: 90px; height: 40px;"
        " border-bottom: 1px solid #000000; font: 0pt\"></DIV>\n"));
}

TEST(ExportHtml, LineFiguresAndShapes) {
    ExportFixture f;
    TLumexReportElement& line = f.Element(ekLine);
    line.width = 100;
    line.height = 2;
    line.penWidth = 3;
    line.penStyle = psDot;
    line.penColor = 0x0000FF;
    line.frameFlags = ffTop | ffRight | ffLineEllipse;
    TLumexReportElement& frame = f.Element(ekEllipse);
    frame.width = 50;
    frame.height = 60;
    frame.penWidth = 1;
    frame.fillColor = 0xFFFF00;  // cyan
    f.Place(line, 0, 5, 6);
    f.Place(frame, 0, 7, 8);
    EXPECT_EQ(Page(f.output),
              "<DIV STYLE=\"font: 0pt; background-color: #00ffff; position: absolute; top: 8px;"
              " left: 7px; width: 50px; height: 60px; border-top: 1px solid #000000;"
              " border-right: 1px solid #000000; border-bottom: 1px solid #000000;"
              " border-Left: 1px solid #000000;\"></DIV>\n"
              "<DIV STYLE=\"font: 0pt; position: absolute; top: 6px; left: 5px; width: 100px;"
              " height: 2px; border-top: 3px dotted #ff0000; border-right: 3px dotted"
              " #ff0000;\"></DIV>\n");
}

TEST(ExportHtml, PictureSavedAsBitmapBesideThePage) {
    ExportFixture f;
    TLumexReportElement& picture = f.Element(ekPicture);
    picture.width = 40;
    picture.height = 30;
    picture.frameFlags = ffPictureStretch;
    QImage red(4, 3, QImage::Format_RGB32);
    red.fill(Qt::red);
    picture.picture = platform::Picture(red);
    f.Place(picture, 0, 1, 2);
    f.output.Page(0).Item(0).SetPictureFile(QStringLiteral("x.bmp"));
    TLumexReportElement& empty = f.Element(ekPicture);  // no picture: no fragment
    f.Place(empty, 0, 0, 0);
    QTemporaryDir dir;
    const QString html = Page(f.output, dir.path(), QStringLiteral("/elsewhere/b1_.bmp"));
    // The picture is the second element of the page (later pictures are drawn first).
    EXPECT_EQ(html,
              "<DIV STYLE=\"font: 0pt; position: absolute; top: 2px; left: 1px; width: 40px;"
              " height: 30px;\"><IMG SRC=\"b1_2.bmp\" ALT=\"\"></DIV>\n");
    const QImage saved(dir.filePath(QStringLiteral("b1_2.bmp")));
    ASSERT_EQ(saved.size(), QSize(40, 30));
    EXPECT_EQ(saved.pixelColor(20, 15), QColor(Qt::red));
}

TEST(ExportHtml, BarcodeBitmapHasBars) {
    ExportFixture f;
    TLumexReportElement& code = f.Element(ekBarcode);
    code.width = 150;
    code.height = 50;
    code.penStyle = 0;
    code.text = QStringLiteral("12345670");
    auto placed = std::make_unique<TVystPrvek>(&code, 0, 0, 150, 50);
    placed->Text = code.text;
    code.angle = 0;
    f.output.AddElement(std::move(placed), 0);
    QTemporaryDir dir;
    const QString html = Page(f.output, dir.path(), QStringLiteral("k.html"));
    EXPECT_TRUE(html.contains(QStringLiteral("<IMG SRC=\"k1.bmp\" ALT=\"\">")));
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("k1.bmp"))).size(), QSize(150, 50));
}

TEST(ExportHtml, PictureFileThatCannotBeWrittenIsReported) {
    ExportFixture f;
    TLumexReportElement& picture = f.Element(ekPicture);
    picture.width = 4;
    picture.height = 4;
    f.Place(picture, 0, 0, 0);
    QImage blue(4, 4, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    f.output.Page(0).Item(0).SetPicture(platform::Picture(blue));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(SaveHtmlPage(f.output, buffer, QStringLiteral("/no/such/folder"), 0,
                              QStringLiteral("a.html")));
    EXPECT_TRUE(buffer.data().contains("a1.bmp"));
}

TEST(ExportHtml, EveryCharacterIsOneReferenceOfItsCodePoint) {
    ExportFixture f;
    const QString name = QStringLiteral("Ťapka \U0001F415 ✓ <&\"'>");
    f.Place(f.Text(name, 600), 0, 0, 0);
    const QString html = Page(f.output);
    EXPECT_TRUE(html.contains(QStringLiteral("&#128021;"))) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("&#55357;"))) << "no surrogate halves";
    EXPECT_EQ(DecodeHtml(ScanHtml(html).text).trimmed(), name);
    // Only ASCII reaches the file, so no browser can take the letters for others.
    const QByteArray bytes = html.toUtf8();
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }));
}

TEST(ExportHtml, RtfTextIsWrittenAsItsLines) {
    ExportFixture f;
    TLumexReportElement& note = f.Text(QString(), 600, 60, /*multiline=*/true);
    note.kind = ekField;
    note.textFlags |= tfRtf;
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0\\fs20 Pozn\\'e1mka "
        "\\b tu\\'e8n\\'ec\\b0\\par druh\\'fd \\'f8\\'e1dek}");
    auto placed = std::make_unique<TVystPrvek>(&note, 0, 0, 600, 60);
    TLumexCanvas canvas(100);
    TRadky lines;
    LayoutText(canvas, LayoutRect(600, 60), rtf, lines, true, 0, 0, 0, note.font.CanvasFont(),
               true);
    placed->SetLines(lines);
    f.output.AddElement(std::move(placed), 0);
    const QString text = DecodeHtml(ScanHtml(Page(f.output)).text);
    EXPECT_TRUE(text.contains(QStringLiteral("Poznámka tučně"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("druhý"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("řádek"))) << text.toStdString();
}

TEST(ExportHtml, IndexLinksEveryPageInOrder) {
    const QStringList pages{"a1.html", "a2.html", "a 3#?.html", "p\" onerror=\"x.html"};
    const QString html = QString::fromUtf8(Written([&](QIODevice& device) {
        EXPECT_TRUE(SaveHtmlIndex(device, pages, QStringLiteral("Karta <psa> & \"vrh\"")));
    }));
    const testing_support::HtmlScan scan = ScanHtml(html);
    QStringList links;
    for (const testing_support::HtmlTag& tag : scan.tags) {
        if (tag.name == "a") {
            EXPECT_EQ(tag.attributes.keys(), QStringList{"href"});
            links << QUrl::fromPercentEncoding(DecodeHtml(tag.attributes.value("href")).toUtf8());
        }
    }
    EXPECT_EQ(links, pages);
    const QString text = DecodeHtml(scan.text);
    EXPECT_TRUE(text.contains(QStringLiteral("Karta <psa> & \"vrh\""))) << text.toStdString();
    EXPECT_LT(text.indexOf("Strana 1"), text.indexOf("Strana 2"));
    EXPECT_LT(text.indexOf("Strana 2"), text.indexOf("Strana 3"));
    EXPECT_LT(text.indexOf("Strana 3"), text.indexOf("Strana 4"));
}

// A template's font name and the output's file name are the user's text: in
// the page they stay text, never tags, attributes or CSS declarations.
TEST(ExportHtml, CraftedFontAndFileNamesMakeNoMarkup) {
    ExportFixture f;
    const QString font = QStringLiteral("x\"><script>alert(1)</script>; background: red; '\\");
    TLumexReportElement& text = f.Text(QStringLiteral("Pes"));
    text.font.name = font;
    f.Place(text, 0, 0, 0);
    TLumexReportElement& two = f.Text(QStringLiteral("Jedna Dvě Tři"), 40, 60, true);
    two.font.name = font;
    f.Place(two, 0, 0, 100);
    TLumexReportElement& code = f.Element(ekBarcode);
    code.width = 150;
    code.height = 50;
    auto placed = std::make_unique<TVystPrvek>(&code, 0, 200, 150, 50);
    placed->Text = QStringLiteral("12345670");
    f.output.AddElement(std::move(placed), 0);
    QTemporaryDir dir;
    const QString base = QStringLiteral("p\" onerror=\"alert(1)\" y=\"'<#%.html");
    const QString html = Page(f.output, dir.path(), base);

    const QSet<QString> ours{"div", "/div", "p", "/p", "b", "/b", "img"};
    const QSet<QString> ourAttributes{"style", "src", "alt", "align"};
    const QSet<QString> ourProperties{"position", "top",  "left", "width",
                                      "height",   "font", "color"};
    int images = 0;
    for (const testing_support::HtmlTag& tag : ScanHtml(html).tags) {
        EXPECT_TRUE(ours.contains(tag.name)) << tag.name.toStdString();
        for (auto it = tag.attributes.begin(); it != tag.attributes.end(); ++it) {
            EXPECT_TRUE(ourAttributes.contains(it.key())) << it.key().toStdString();
        }
        for (const QString& property : CssProperties(DecodeHtml(tag.attributes.value("style")))) {
            EXPECT_TRUE(ourProperties.contains(property) || property.startsWith("border-"))
                << property.toStdString();
        }
        if (tag.name == "img") {
            ++images;
            // The picture is named by its own file, beside the page.
            const QString file =
                QUrl::fromPercentEncoding(DecodeHtml(tag.attributes.value("src")).toUtf8());
            EXPECT_EQ(file, ReplaceExtension(base, "1.bmp"));  // the barcode is drawn first
            EXPECT_TRUE(QFile::exists(dir.filePath(file))) << file.toStdString();
        }
    }
    EXPECT_EQ(images, 1);
}

TEST(ExportHtml, PlainFontNamesStayAsTheyAre) {
    ExportFixture f;
    TLumexReportElement& text = f.Text(QStringLiteral("a"));
    text.font.name = QStringLiteral("Times New Roman");
    f.Place(text, 0, 0, 0);
    TLumexReportElement& other = f.Text(QStringLiteral("b"));
    other.font.name = QStringLiteral("3of9 Barcode");
    f.Place(other, 0, 0, 30);
    const QString html = Page(f.output);
    EXPECT_TRUE(html.contains(QStringLiteral("font: 10pt Times New Roman;")));
    EXPECT_TRUE(html.contains(QStringLiteral("font: 10pt &#39;3of9 Barcode&#39;;")))
        << html.toStdString();
}

TEST(ExportHtml, ReplaceExtension) {
    EXPECT_EQ(ReplaceExtension(QStringLiteral("/d.x/a.html"), QStringLiteral("3.bmp")),
              QStringLiteral("/d.x/a3.bmp"));
    EXPECT_EQ(ReplaceExtension(QStringLiteral("/d.x/a"), QStringLiteral("3.bmp")),
              QStringLiteral("/d.x/a3.bmp"));
}
