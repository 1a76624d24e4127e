// The RTF export: document frame, font and colour tables, one paragraph per
// page anchoring the page's shapes in drawing order, text boxes, escaping of
// text and font names (also those of a note written as RTF) and Unicode.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "report/output/sestexport.h"
#include "tests/report/output/export_fixture.h"
#include "tests/report/output/rtf_scanner.h"

QByteArray EscapeRtfText(const QString& text, bool eastEuropean);

namespace {

QByteArray Rtf(const TSestVystup& output) {
    return Written([&](QIODevice& device) { EXPECT_TRUE(SaveRtf(output, device)); });
}

const QByteArray kHead = "{\\rtf1\\ansi\\ansicpg1250\\uc1\\deff0\\deftab720{\\fonttbl";
const QByteArray kPaper =
    "{\\info{\\doccomm Produced by: LUMEX Report Generator}}\\viewkind1\\paperw11894\\paperh16833"
    "\\margl720\\margr720\\margt806\\margb806\\headery0\\footery0\r\n";
const QByteArray kFirstPage = "{\\pard\\plain\\fs2\\sl-20\\slmult0 ";
const QByteArray kNextPage = "{\\pard\\plain\\pagebb\\fs2\\sl-20\\slmult0 ";

QByteArray Shape(const char* box, int order, bool behind = false) {
    return QByteArray("{\\shp{\\*\\shpinst\\shpbxpage\\shpbypage") + box +
           "\\shpwr3\\shpwrk0\\shpfblwtxt" + (behind ? "1" : "0") + "\\shpz" +
           QByteArray::number(order);
}

QByteArray Property(const char* name, qint64 value) {
    return QByteArray("{\\sp{\\sn ") + name + "}{\\sv " + QByteArray::number(value) + "}}";
}

const QByteArray kTextBox = Property("shapeType", 202) + Property("fFilled", 0) +
                            Property("fLine", 0) + Property("dxTextLeft", 0) +
                            Property("dyTextTop", 0) + Property("dxTextRight", 0) +
                            Property("dyTextBottom", 0);

// Every control word and group this export writes; anything else in a
// document came from the data.
const QSet<QString> kOurWords{
    "rtf",       "ansi",       "ansicpg",   "uc",       "deff",     "deftab",    "fonttbl",
    "f",         "fnil",       "fcharset",  "colortbl", "red",      "green",     "blue",
    "info",      "doccomm",    "viewkind",  "paperw",   "paperh",   "margl",     "margr",
    "margt",     "margb",      "lndscpsxn", "headery",  "footery",  "pard",      "plain",
    "pagebb",    "fs",         "sl",        "slmult",   "shp",      "*",         "shpinst",
    "shpbxpage", "shpbypage",  "shpleft",   "shptop",   "shpright", "shpbottom", "shpwr",
    "shpwrk",    "shpfblwtxt", "shpz",      "sp",       "sn",       "sv",        "shptxt",
    "ql",        "qr",         "qc",        "qj",       "cf",       "b",         "i",
    "ul",        "strike",     "par",       "u",        "'"};
const QSet<QString> kOurGroups{"rtf",      "f",  "colortbl", "info", "doccomm", "pard",   "shp",
                               "*shpinst", "sp", "sn",       "sv",   "shptxt",  "fonttbl"};

void ExpectOnlyOurs(const QByteArray& rtf) {
    const RtfScan scan = ScanRtf(rtf);
    EXPECT_EQ(scan.unbalanced, 0) << rtf.data();
    for (const QString& word : scan.controlWords) {
        EXPECT_TRUE(kOurWords.contains(word)) << "\\" << word.toStdString() << " in\n"
                                              << rtf.data();
    }
    for (const QString& group : scan.groups) {
        EXPECT_TRUE(kOurGroups.contains(group)) << "group " << group.toStdString();
    }
}

}  // namespace

TEST(ExportRtf, TextEscapingOfBracesBackslashCzechLettersAndUnicode) {
    EXPECT_EQ(EscapeRtfText(QStringLiteral("{Ř}"), true), QByteArray("\\{\\'d8\\}"));
    EXPECT_EQ(EscapeRtfText(QStringLiteral("a\\b\tc"), true), QByteArray("a\\\\bc"));
    // Outside code page 1250: Unicode with "?" for readers without it; a dog
    // face outside the basic plane as its two UTF-16 halves.
    EXPECT_EQ(EscapeRtfText(QStringLiteral("✓ Ω"), true), QByteArray("\\u10003? \\u937?"));
    EXPECT_EQ(EscapeRtfText(QString::fromUtf8("\xF0\x9F\x90\x95"), true),
              QByteArray("\\u-10179?\\u-9195?"));
    // In a font of another character set the code page byte would be read in
    // that set, so Czech letters go as Unicode with the byte as fallback.
    EXPECT_EQ(EscapeRtfText(QStringLiteral("č"), false), QByteArray("\\u269\\'e8"));
}

TEST(ExportRtf, OneTextElementGivesTablesPaperATextBoxAndItsEdges) {
    ExportFixture f;
    TLumexReportElement& text = f.Text(QStringLiteral("Pes"));
    text.font.color = 128;  // red 128
    text.font.style = fsBold;
    text.frameFlags = ffTop | ffRight;
    f.Place(text, 0, 100, 10);
    const QByteArray lineHeight =
        QByteArray::number((*f.output.ReadPage(0).Item(0).Lines)[0].Height / 5);
    // x = twips(150) = 2160, y = twips(80) = 1152, x2 = twips(350) = 5040,
    // y2 = twips(100); the text box is twice as wide, the edges are not.
    const QByteArray expected =
        kHead + "{\\f0\\fnil\\fcharset238 Arial;}}{\\colortbl\\red128\\green0\\blue0;}" + kPaper +
        kFirstPage + Shape("\\shpleft2160\\shptop1152\\shpright7920\\shpbottom1440", 0) + kTextBox +
        "{\\shptxt \\pard\\plain\\ql\\sl-" + lineHeight +
        "\\slmult0{\\f0\\fs20\\cf0\\b Pes}\\par}}}" +
        Shape("\\shpleft2160\\shptop1152\\shpright5040\\shpbottom1152", 1) +
        Property("shapeType", 20) + Property("lineColor", 0) + Property("lineWidth", 9144) + "}}" +
        Shape("\\shpleft5040\\shptop1152\\shpright5040\\shpbottom1440", 2) +
        Property("shapeType", 20) + Property("lineColor", 0) + Property("lineWidth", 9144) + "}}" +
        "\\par}}";
    EXPECT_EQ(Rtf(f.output), expected) << Rtf(f.output).data() << "\n" << expected.data();
}

TEST(ExportRtf, TablesAreSortedWithoutDuplicatesAndEveryPageIsItsOwnParagraph) {
    ExportFixture f;
    TLumexReportElement& a = f.Text(QStringLiteral("a"));
    a.font.name = QStringLiteral("Times New Roman");
    a.font.color = 0xFF;  // red 255
    TLumexReportElement& b = f.Text(QStringLiteral("b"));
    b.font.color = 0xFF;
    TLumexReportElement& c = f.Text(QStringLiteral("c"));
    c.font.size = 12;
    c.alignment = eaCenter;
    f.Place(a, 0, 0, 0);
    f.Place(b, 0, 0, 50);
    f.Place(c, 1, 0, 0);
    f.Place(f.Text(QStringLiteral("d")), 2, 0, 0);
    const QByteArray rtf = Rtf(f.output);
    EXPECT_TRUE(
        rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}"
                     "{\\f1\\fnil\\fcharset238 Times New Roman;}}"));
    EXPECT_TRUE(rtf.contains("{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"));
    EXPECT_TRUE(rtf.contains("{\\f1\\fs20\\cf1 a}"));
    EXPECT_TRUE(rtf.contains("{\\f0\\fs24\\cf0 c}"));
    // Three pages: the first paragraph holds a and b, the next ones start on a
    // new page each and hold c and d.
    EXPECT_EQ(rtf.count("{\\pard\\plain"), 3);
    EXPECT_EQ(rtf.count("\\pagebb"), 2);
    const qsizetype second = rtf.indexOf(kNextPage);
    const qsizetype third = rtf.indexOf(kNextPage, second + 1);
    EXPECT_LT(rtf.indexOf(" b}"), second);
    EXPECT_GT(rtf.indexOf("\\qc\\sl"), second);
    EXPECT_LT(rtf.indexOf("\\qc\\sl"), third);
    EXPECT_TRUE(rtf.endsWith(" d}\\par}}}\\par}}"));
    ExpectOnlyOurs(rtf);
}

TEST(ExportRtf, LineFigureFramesAndLandscapePaper) {
    ExportFixture f;
    PaperSetup().Orientation = 1;
    TLumexReportElement& line = f.Element(ekLine);
    line.width = 100;
    line.height = 50;
    line.penWidth = 2;
    line.penStyle = psDash;
    line.penColor = 1;  // table colour 1: maroon, red 128
    line.frameFlags = ffTop | ffLineDiagonalUp | ffLineEllipse;
    TLumexReportElement& frame = f.Element(ekRoundFrame);
    frame.width = 10;
    frame.height = 10;
    frame.penWidth = 0;
    frame.fillColor = 0x00FF00;
    f.Place(line, 0, 0, 0);
    f.Place(frame, 0, 50, 30);
    const QByteArray rtf = Rtf(f.output);
    EXPECT_TRUE(
        rtf.contains("\\paperw16833\\paperh11894\\margl720\\margr720\\margt806\\margb806"
                     "\\lndscpsxn\\headery0"));
    const QByteArray dash = Property("lineDashing", 1);
    const QByteArray pen = Property("lineColor", 128) + Property("lineWidth", 18288);
    // Both shapes are of kinds 7..12, so the later one is drawn (and written)
    // first, behind the text. x = twips(50) = 720, y = twips(70) = 1008,
    // x2 = twips(150), y2 = twips(120). The 10 x 10 rounded frame has corners
    // of diameter 5: a radius of a quarter of its side, 5400 / 21600.
    const QByteArray roundFrame =
        Shape("\\shpleft1440\\shptop1440\\shpright1584\\shpbottom1584", 0, true) +
        Property("shapeType", 2) + Property("adjustValue", 5400) + Property("fillColor", 65280) +
        Property("fLine", 0) + Property("fBehindDocument", 1) + "}}";
    const QByteArray top = Shape("\\shpleft720\\shptop1008\\shpright2160\\shpbottom1008", 1) +
                           Property("shapeType", 20) + dash + pen + "}}";
    // The rising diagonal is the box's falling one, flipped.
    const QByteArray rising = Shape("\\shpleft720\\shptop1008\\shpright2160\\shpbottom1728", 2) +
                              Property("shapeType", 20) + Property("fFlipV", 1) + dash + pen + "}}";
    const QByteArray ellipse = Shape("\\shpleft720\\shptop1008\\shpright2160\\shpbottom1728", 3) +
                               Property("shapeType", 3) + dash + Property("fFilled", 0) +
                               Property("fillOpacity", 0) + pen + "}}";
    EXPECT_TRUE(rtf.endsWith(kFirstPage + roundFrame + top + rising + ellipse + "\\par}}"))
        << rtf.data();
}

TEST(ExportRtf, FillStylesAndPensThatDrawNothingHideNothing) {
    ExportFixture f;
    TLumexReportElement& empty = f.Element(ekFrame);
    empty.scale = 1;  // "prázdné"
    TLumexReportElement& hatched = f.Element(ekEllipse);
    hatched.scale = 3;
    hatched.penStyle = 5;  // no pen
    TLumexReportElement& invisible = f.Element(ekLine);
    invisible.penStyle = 5;
    invisible.frameFlags = ffTop;
    for (TLumexReportElement* element : {&empty, &hatched, &invisible}) {
        element->width = element->height = 10;
        f.Place(*element, 0, 0, 0);
    }
    const QByteArray rtf = Rtf(f.output);
    EXPECT_EQ(rtf.count("{\\shp{"), 2) << "the line without a pen is not drawn";
    EXPECT_TRUE(rtf.contains(Property("shapeType", 1) + Property("fFilled", 0) +
                             Property("lineColor", 0) + Property("lineWidth", 9144)));
    EXPECT_TRUE(rtf.contains(Property("shapeType", 3) + Property("fillColor", 0xFFFFFF) +
                             Property("fillOpacity", 32768) + Property("fLine", 0)));
}

TEST(ExportRtf, TextsComeAboveTheFillsAndLinesOfTheirPage) {
    ExportFixture f;
    TLumexReportElement& name = f.Text(QStringLiteral("Aron z Tří dubů"));
    TLumexReportElement& band = f.Element(ekFrame);
    band.width = 700;
    band.height = 30;
    band.fillColor = 0xC0C0C0;
    TLumexReportElement& rule = f.Element(ekLine);
    rule.width = 700;
    rule.frameFlags = ffBottom;
    f.Place(name, 0, 10, 5);
    f.Place(band, 0, 0, 0);
    f.Place(rule, 0, 0, 40);
    const QByteArray rtf = Rtf(f.output);
    const qsizetype fill = rtf.indexOf("\\shpfblwtxt1\\shpz");
    const qsizetype line = rtf.indexOf(Property("shapeType", 20));
    const qsizetype text = rtf.indexOf(Property("shapeType", 202));
    ASSERT_GE(fill, 0);
    ASSERT_GE(line, 0);
    EXPECT_GT(text, fill);
    EXPECT_GT(text, line);
    EXPECT_TRUE(rtf.contains("\\shpz2" + kTextBox)) << "the text is stacked last, on top";
    EXPECT_EQ(ScanRtf(rtf).textBoxes, QStringList{QStringLiteral("Aron z Tří dubů\n")});
}

TEST(ExportRtf, TextBoxesWidenAwayFromTheirLinesWithinThePaper) {
    struct Case {
        int alignment;
        int left;
        const char* box;
    };
    // A4 is 11894 twips wide; the element is 200 wide (2880 twips) at
    // x = twips(left + 50).
    const Case cases[] = {
        {eaLeft, 100, "\\shpleft2160\\shptop1008\\shpright7920"},
        {eaJustify, 600, "\\shpleft9360\\shptop1008\\shpright12240"},  // already past
        {eaRight, 300, "\\shpleft2160\\shptop1008\\shpright7920"},
        {eaRight, 50, "\\shpleft0\\shptop1008\\shpright4320"},
        {eaCenter, 300, "\\shpleft3600\\shptop1008\\shpright9360"},
        {eaCenter, 570, "\\shpleft8842\\shptop1008\\shpright11894"},
        {eaCenter, 710, "\\shpleft10944\\shptop1008\\shpright13824"},
    };
    for (const Case& c : cases) {
        ExportFixture one;
        TLumexReportElement& text = one.Text(QStringLiteral("x"));
        text.alignment = c.alignment;
        one.Place(text, 0, c.left, 0);
        EXPECT_TRUE(Rtf(one.output).contains(c.box)) << c.alignment << " " << c.left;
    }
}

TEST(ExportRtf, CharactersOutsideTheCodePageComeBackAsThemselves) {
    ExportFixture f;
    const QString text = QString::fromUtf8("Kontrola čipu: ověřeno ✓ ♂ ♀ Ω \xF0\x9F\x90\x95");
    f.Place(f.Text(text, 600), 0, 0, 0);
    const QByteArray rtf = Rtf(f.output);
    EXPECT_FALSE(rtf.contains(" ? "));
    EXPECT_EQ(ScanRtf(rtf).textBoxes, QStringList{text + '\n'});
}

TEST(ExportRtf, RotatedTextIsWrittenLevelOverItsElement) {
    ExportFixture f;
    TLumexReportElement& rotated = f.Text(QStringLiteral("Svisle"), 20, 200);
    rotated.angle = 90;
    f.Place(rotated, 0, 0, 0);
    // The engine keeps a rotated element's whole text instead of lines.
    TVystPrvek& placed = f.output.Page(0).Item(0);
    placed.Lines.reset();
    placed.Text = QStringLiteral("Svisle");
    const QByteArray rtf = Rtf(f.output);
    EXPECT_EQ(ScanRtf(rtf).textBoxes, QStringList{QStringLiteral("Svisle\n")});
    EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset238 Arial;}"));
    // Centred on the element (x = 720..1008, y = 1008..3888), 200 wide, moved
    // right so that it starts on the paper.
    EXPECT_TRUE(rtf.contains("\\shpleft0\\shptop2323\\shpright2880\\shpbottom2573")) << rtf.data();
}

TEST(ExportRtf, CraftedTemplateFontNameStaysAName) {
    ExportFixture f;
    TLumexReportElement& text = f.Text(QStringLiteral("Pes"));
    text.font.name = QStringLiteral(
        "x;}{\\field{\\*\\fldinst HYPERLINK \"http://zlo.example\"}{\\fldrslt klik}}"
        "{\\object\\objemb{\\*\\objdata 01}}{\\f9 y");
    f.Place(text, 0, 0, 0);
    const QByteArray rtf = Rtf(f.output);
    ExpectOnlyOurs(rtf);
    EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset238 x\\}\\{\\\\field\\{\\\\*\\\\fldinst"));
    EXPECT_EQ(rtf.count("\\fnil"), 1) << "one font entry";
}

TEST(ExportRtf, NoteWrittenAsRtfGivesItsTextAndFontsButNoneOfItsGroups) {
    ExportFixture f;
    TLumexReportElement& note = f.Text(
        QStringLiteral(
            R"({\rtf1\ansi{\fonttbl{\f0\fnil\fcharset238 Arial\}\}\{\\field\{\\*\\fldinst )"
            R"(HYPERLINK "http://zlo.example"\}\}\{\\object\\objemb\};}})"
            R"({\colortbl;\red255\green0\blue0;}\f0\fs20 Kontrola \cf1\b zraku\b0  v po\'f8\'e1dku\par})"),
        300, 60, true);
    note.textFlags |= tfRtf;
    f.Place(note, 0, 0, 0);
    const QByteArray rtf = Rtf(f.output);
    ExpectOnlyOurs(rtf);
    const RtfScan scan = ScanRtf(rtf);
    ASSERT_EQ(scan.textBoxes.size(), 1);
    EXPECT_TRUE(scan.textBoxes[0].startsWith(QStringLiteral("Kontrola zraku v pořádku\n")))
        << scan.textBoxes[0].toStdString();
    EXPECT_TRUE(rtf.contains("\\red255\\green0\\blue0;"));
}

TEST(ExportRtf, PageWithOnlyAPictureIsAnEmptyPageParagraph) {
    ExportFixture f;
    TLumexReportElement& picture = f.Element(ekPicture);
    picture.width = 10;
    picture.height = 10;
    f.Place(picture, 0, 0, 0);
    EXPECT_TRUE(Rtf(f.output).endsWith("\r\n" + kFirstPage + "\\par}}"));
}

TEST(ExportRtf, UnwritableFileFailsAndLeavesNoFile) {
    ExportFixture f;
    f.Place(f.Text(QStringLiteral("x")), 0, 0, 0);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("missing/out.rtf"));
    EXPECT_FALSE(SaveRtfFile(f.output, name));
    EXPECT_FALSE(QFile::exists(name));
    const QString good = dir.filePath(QStringLiteral("out.rtf"));
    EXPECT_TRUE(SaveRtfFile(f.output, good));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.rtf")});
}
