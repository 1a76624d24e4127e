// The RTF export: document frame, font and colour tables, text paragraphs,
// shapes, escaping, and a real word processor reading the result.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>

#include "report/output/sestexport.h"
#include "tests/report/output/export_fixture.h"

QByteArray EscapeRtfText(const QString& text);

namespace {

QByteArray Rtf(const TSestVystup& output) {
    return Written([&](QIODevice& device) { EXPECT_TRUE(SaveRtf(output, device)); });
}

const QByteArray kHead = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deftab720{\\fonttbl";
const QByteArray kPaper =
    "{\\info{\\doccomm Produced by: LUMEX Report Generator}}\\viewkind1\\paperw11894\\paperh16833"
    "\\margl720\\margr720\\margt806\\margb806\\headery0\\footery0\r\n";

}  // namespace

TEST(ExportRtf, TextEscapingOfBracesBackslashAndCzechLetters) {
    EXPECT_EQ(EscapeRtfText(QStringLiteral("{Ř}")), QByteArray("\\{\\'d8\\}"));
    EXPECT_EQ(EscapeRtfText(QStringLiteral("a\\b\tc")), QByteArray("a\\\\bc"));
}

TEST(ExportRtf, OneTextElementGivesTablesPaperAndAFramedParagraph) {
    ExportFixture f;
    TLumexReportElement& text = f.Text(QStringLiteral("Pes"));
    text.font.color = 128;  // red 128
    text.font.style = fsBold;
    text.frameFlags = ffTop | ffRight;
    f.Place(text, 0, 100, 10);
    const QByteArray expected =
        kHead + "{\\f0\\fnil\\fcharset238 Arial;}}{\\colortbl\\red128\\green0\\blue0;}" + kPaper +
        "{\\par\\pard\\brdrt\\brdrs\\brdrw20 \\brdrr\\brdrs\\brdrw20 "
        "\\pvpg\\phpg\\absw2880\\absh-288\\posy1152\\posx2160"
        "\\f0\\cf0\\fs20 \\b\\ql Pes\\b0\\par}}";
    EXPECT_EQ(Rtf(f.output), expected);
}

TEST(ExportRtf, TablesAreSortedWithoutDuplicatesAndPagesAreSeparated) {
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
    const QByteArray rtf = Rtf(f.output);
    EXPECT_TRUE(
        rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}"
                     "{\\f1\\fnil\\fcharset238 Times New Roman;}}"));
    EXPECT_TRUE(rtf.contains("{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"));
    EXPECT_TRUE(rtf.contains("\\f1\\cf1\\fs20 \\ql a"));
    EXPECT_TRUE(rtf.contains("\\f0\\cf0\\fs24 \\qc c"));
    EXPECT_TRUE(rtf.contains("\\par\\page}{"));
    EXPECT_TRUE(rtf.endsWith("\\qc c\\par}}"));
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
    const QByteArray dash = "{\\sp{\\sn lineDashing}{\\sv 1}}";
    const QByteArray lineProps =
        "{\\sp{\\sn lineColor}{\\sv 128}}{\\sp{\\sn lineWidth}{\\sv 18288}}}}";
    // x = twips(50) = 720, y = twips(70) = 1008, x2 = twips(150), y2 = twips(120).
    const QByteArray top =
        "{\\shp{\\*\\shpinst\\shpbxpage\\shpbypage\\shpleft720\\shptop1008\\shpright2160"
        "\\shpbottom1008{\\sp{\\sn shapeType}{\\sv 20}}" +
        dash + lineProps;
    const QByteArray rising =
        "{\\shp{\\*\\shpinst\\shpbxpage\\shpbypage\\shpleft720\\shptop1728\\shpright2160"
        "\\shpbottom1008{\\sp{\\sn shapeType}{\\sv 20}}" +
        dash + lineProps;
    const QByteArray ellipse =
        "{\\shp{\\*\\shpinst\\shpbxpage\\shpbypage\\shpleft720\\shptop1008\\shpright2160"
        "\\shpbottom1728{\\sp{\\sn shapeType}{\\sv 3}}" +
        dash + "{\\sp{\\sn fillOpacity}{\\sv 0}}}}";
    const QByteArray roundFrame =
        "{\\shp{\\*\\shpinst\\shpbxpage\\shpbypage\\shpleft1440\\shptop1440\\shpright1584"
        "\\shpbottom1584\\shpwr3{\\sp{\\sn shapeType}{\\sv 2}}{\\sp{\\sn fillColor}{\\sv 65280}}"
        "{\\sp{\\sn fLine}{\\sv 0}}{\\sp{\\sn fBehindDocument}{\\sv 1}}}}";
    // Both shapes are of kinds 7..12, so the later one is drawn (and written) first.
    EXPECT_TRUE(rtf.contains("{" + roundFrame + top + rising + ellipse + "\\par}}")) << rtf.data();
}

TEST(ExportRtf, PageWithOnlyAPictureIsAnEmptyGroup) {
    ExportFixture f;
    TLumexReportElement& picture = f.Element(ekPicture);
    picture.width = 10;
    picture.height = 10;
    f.Place(picture, 0, 0, 0);
    EXPECT_TRUE(Rtf(f.output).endsWith("\r\n{\\par}}"));
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

// Converts `rtf` to PDF with LibreOffice and returns the PDF's text, or
// nothing when LibreOffice produced no PDF.
static std::optional<QString> RtfAsText(const QString& office, const QString& pdftotext,
                                        const QString& rtf, const QString& workDir) {
    QProcess convert;
    convert.start(office, {QStringLiteral("-env:UserInstallation=file://") + workDir + "/lo",
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           QStringLiteral("pdf"), QStringLiteral("--outdir"), workDir, rtf});
    if (!convert.waitForFinished(180000)) {
        return std::nullopt;
    }
    const QString pdf = workDir + "/" + QFileInfo(rtf).completeBaseName() + ".pdf";
    if (!QFile::exists(pdf)) {
        return std::nullopt;
    }
    QProcess text;
    text.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    text.waitForFinished(60000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

TEST(ExportRtf, LibreOfficeReadsTheTextsInPlace) {
    const QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (office.isEmpty() || pdftotext.isEmpty()) {
        GTEST_SKIP() << "libreoffice or pdftotext is not installed";
    }
    QTemporaryDir dir;
    const QString probe = dir.filePath(QStringLiteral("probe.rtf"));
    {
        QFile file(probe);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi probe\\par}");
    }
    if (!RtfAsText(office, pdftotext, probe, dir.path())) {
        GTEST_SKIP() << "this LibreOffice cannot read RTF documents (libreoffice-writer missing)";
    }
    ExportFixture f;
    f.Place(f.Text(QStringLiteral("Zdravotní karta")), 0, 0, 0);
    f.Place(f.Text(QStringLiteral("Čert {a} Ř")), 0, 0, 100);
    f.Place(f.Text(QStringLiteral("Druhá strana")), 1, 0, 0);
    const QString rtf = dir.filePath(QStringLiteral("karta.rtf"));
    ASSERT_TRUE(SaveRtfFile(f.output, rtf));
    const std::optional<QString> content = RtfAsText(office, pdftotext, rtf, dir.path());
    ASSERT_TRUE(content.has_value()) << "LibreOffice refused the exported RTF";
    // LibreOffice reads every text with its Czech letters and RTF's special
    // characters; how it anchors the page-positioned frames is its own matter.
    for (const char* word : {"Zdravotní", "karta", "Čert {a} Ř", "Druhá strana"}) {
        EXPECT_TRUE(content->contains(QString::fromUtf8(word))) << word << "\n"
                                                                << content->toStdString();
    }
}
