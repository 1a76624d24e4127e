// The component's file outputs on a real three-page report over the kennel
// database: the files each writes and their names, the result codes and
// OnError, failures that must leave no file that looks complete, and spool
// files written, previewed and printed.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QtEndian>

#include "component_fixture.h"
#include "platform/paint/qpainter_canvas.h"
#include "platform/print/fake_printer_system.h"
#include "report/engine/sestavy.h"
#include "report/output/output_dump.h"
#include "report/output/sestexport.h"
#include "tests/support/seams.h"
#include "tests/support/test_files.h"

using component_test::DataFolder;
using testing_support::ScriptedMessages;

namespace {

using testing_support::ReadFile;

// A report header, one body per page (the body is too tall for two) with the
// names and a barcode of the call name, and a page footer with the number.
TPredloha ThreePageTemplate() {
    return TPredloha(QStringList{
        QStringLiteral("I,0,\"Seznam psů\""),
        QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
        QStringLiteral("I,3,0,1,40,0"),
        QStringLiteral("I,3,2,1,600,0"),
        QStringLiteral("I,3,4,1,30,0"),
        QStringLiteral("Z,1,0,0,0,600,30,Arial,14,0,1,0,0,238,\"Kartotéka psů\",0,0,0,\"\",0,\"\""),
        QStringLiteral("T,2,Jmeno_registr,10,5,400,20,Arial,10,0,0,0,0,238,\"Jmeno_registr\",0,0,"
                       "0,\"\",0,\"\""),
        QStringLiteral(
            "T,2,Jmeno_call,420,5,200,20,Arial,10,0,0,0,0,238,\"Jmeno_call\",0,0,0,\"\",0,\"\""),
        QStringLiteral("T,12,0,420,40,200,60,,6,0,5,48,15,0,\"#Jmeno_call\",0,0,0,\"\",0,\"\""),
        QStringLiteral("P,5,3,500,0,200,20,Arial,8,0,0,1,0,238,\"Strana %d\",0,0,0,\"\",0,\"\""),
    });
}

// HTML text with its numeric character references resolved.
QString Resolved(QString html) {
    const QRegularExpression reference(QStringLiteral("&#(\\d+);"));
    QRegularExpressionMatch m;
    while ((m = reference.match(html)).hasMatch()) {
        html.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toInt()));
    }
    return html;
}

QString HtmlFile(const QString& name) {
    return Resolved(QString::fromUtf8(ReadFile(name)));
}

// The number of pixels in which two pictures of the same size differ by
// more than the shading of a glyph edge (the metafile keeps font sizes in
// whole units, so anti-aliased edges may shade a little differently).
int DifferentPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return a.width() * a.height() + 1;
    }
    constexpr int kShading = 48;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int difference =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
            count += difference > kShading;
        }
    }
    return count;
}

quint32 At32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

// Accepts `limit` bytes and then refuses every write, like a full disk.
class FailingDevice : public QIODevice {
  public:
    explicit FailingDevice(qint64 limit) : limit_(limit) { open(QIODevice::WriteOnly); }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        if (written_ + size > limit_) {
            return -1;
        }
        written_ += size;
        return size;
    }

  private:
    qint64 limit_;
    qint64 written_ = 0;
};

// A progress window that asks to stop once it shows the given text.
class StoppingProgress : public TRunProgress {
  public:
    StoppingProgress(QString stopAt, QStringList& shown)
        : stopAt_(std::move(stopAt)), shown_(shown) {}
    void SetText(const QString& text) override {
        text_ = text;
        shown_ << text;
    }
    bool Poll() override { return text_ == stopAt_; }

  private:
    QString stopAt_;
    QStringList& shown_;
    QString text_;
};

QImage Rasterized(const platform::VectorPicture& picture) {
    QImage bitmap(picture.Width() / 6, picture.Height() / 6, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    platform::QPainterCanvas canvas(&bitmap);
    canvas.SetPixelsPerInch(100);
    picture.Play(canvas, QRect(0, 0, bitmap.width(), bitmap.height()));
    return bitmap;
}

// Every text drawn on a page picture, joined.
QString TextsOf(const platform::VectorPicture& picture) {
    QStringList texts;
    for (const platform::PictureText& text : picture.Content().texts) {
        texts << text.text;
    }
    return texts.join(QLatin1Char('|'));
}

class ComponentExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        report.SetDataSource(data.source.get());
        report.OnNactiPredlohu = [](TSestava& r) {
            r.SetPredloha(ThreePageTemplate());
            return true;
        };
        report.OnError = [this](TSestava&, TSestError e) {
            errors.push_back(e);
            return true;
        };
        report.BeforePrint = [this](TSestava&) { events << QStringLiteral("BeforePrint"); };
        report.AfterPrint = [this](TSestava&) { events << QStringLiteral("AfterPrint"); };
        out = data.Folder() + QStringLiteral("out/");
        QDir().mkpath(out);
    }
    void TearDown() override {
        SetPreviewWindowHook(nullptr);
        SetPrinterHook(nullptr);
        SetRunProgressFactory(nullptr);
    }

    QStringList FilesOut() const { return QDir(out).entryList(QDir::Files, QDir::Name); }
    // A folder that does not exist (its files cannot be created).
    QString Missing(const QString& name) const {
        return data.Folder() + QStringLiteral("chybi/") + name;
    }

    DataFolder data;
    TSestava report;
    std::vector<TSestError> errors;
    QStringList events;
    QString out;
};

TEST_F(ComponentExportTest, TheReportHasThreePages) {
    ASSERT_EQ(report.Generate(), seOK);
    EXPECT_EQ(report.Output().PageCount(), 3);
}

// ---- page metafiles ---------------------------------------------------------------------

TEST_F(ComponentExportTest, AllPagesAsEmfAreNumberedFromOne) {
    ASSERT_EQ(report.ExportAllEmf(out + QStringLiteral("out.emf"), false, false), seOK);
    EXPECT_EQ(FilesOut(), (QStringList{"out1.emf", "out2.emf", "out3.emf"}));
    for (const QString& name : FilesOut()) {
        const QByteArray emf = ReadFile(out + name);
        ASSERT_GT(emf.size(), 88) << name.toStdString();
        EXPECT_EQ(At32(emf, 40), 0x464D4520u) << name.toStdString();  // " EMF"
        platform::VectorPicture page;
        EXPECT_TRUE(page.LoadEmf(emf)) << name.toStdString();
    }
    platform::VectorPicture second;
    ASSERT_TRUE(second.LoadEmf(ReadFile(out + QStringLiteral("out2.emf"))));
    EXPECT_TRUE(TextsOf(second).contains(QStringLiteral("Bella")));
    EXPECT_TRUE(TextsOf(second).contains(QStringLiteral("Strana 2")));
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(events.isEmpty()) << "exports raise no print events";
}

TEST_F(ComponentExportTest, AllPagesAsWmfFromTheStartPageWithPaperGeometryOnlyForEmf) {
    report.StartPage = 2;
    ASSERT_EQ(report.ExportAllWmf(out + QStringLiteral("list.x.wmf"), false), seOK);
    EXPECT_EQ(FilesOut(), (QStringList{"list.x2.wmf", "list.x3.wmf"}));
    EXPECT_EQ(At32(ReadFile(out + QStringLiteral("list.x2.wmf")), 0), 0x9AC6CDD7u);

    report.StartPage = 1;
    ASSERT_EQ(report.ExportAllEmf(out + QStringLiteral("paper.emf"), true, false), seOK);
    ASSERT_EQ(report.ExportAllEmf(out + QStringLiteral("page.emf"), false, false), seOK);
    platform::VectorPicture paper, page;
    ASSERT_TRUE(paper.LoadEmf(ReadFile(out + QStringLiteral("paper1.emf"))));
    ASSERT_TRUE(page.LoadEmf(ReadFile(out + QStringLiteral("page1.emf"))));
    EXPECT_EQ(paper.Width(), 826 * 6) << "paper geometry covers the whole sheet";
    EXPECT_LT(page.Width(), paper.Width());
}

TEST_F(ComponentExportTest, OnePageOfTheCurrentOutputWithoutGenerating) {
    ASSERT_EQ(report.Generate(), seOK);
    int runs = 0;
    report.OnNactiPredlohu = [&](TSestava& r) {
        ++runs;
        r.SetPredloha(ThreePageTemplate());
        return true;
    };
    ASSERT_EQ(report.ExportEmf(out + QStringLiteral("one.emf"), 2, false, false), seOK);
    ASSERT_EQ(report.ExportWmf(out + QStringLiteral("one.wmf"), 0, false), seOK);
    EXPECT_EQ(runs, 0);
    platform::VectorPicture third;
    ASSERT_TRUE(third.LoadEmf(ReadFile(out + QStringLiteral("one.emf"))));
    EXPECT_TRUE(TextsOf(third).contains(QStringLiteral("Cyril")));
    EXPECT_EQ(At32(ReadFile(out + QStringLiteral("one.wmf")), 0), 0x9AC6CDD7u);

    QBuffer stream;
    stream.open(QIODevice::WriteOnly);
    ASSERT_EQ(report.ExportEmf(stream, 1, true, false), seOK);
    EXPECT_EQ(At32(stream.data(), 40), 0x464D4520u);

    // A page the output does not have: nothing written, "anything else".
    EXPECT_EQ(report.ExportEmf(out + QStringLiteral("none.emf"), 3, false, false), seJina);
    EXPECT_EQ(report.ExportWmf(out + QStringLiteral("none.wmf"), -1, false), seJina);
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("none.emf")));
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("none.wmf")));
    EXPECT_EQ(errors, (std::vector<TSestError>{seJina, seJina}));
}

TEST_F(ComponentExportTest, PageFilesBeforeAnyRunAnswerNine) {
    EXPECT_EQ(report.ExportEmf(out + QStringLiteral("x.emf"), 0, false, false), seJina);
    EXPECT_TRUE(FilesOut().isEmpty());
    EXPECT_EQ(errors, std::vector<TSestError>{seJina});
}

// ---- files that cannot be written -------------------------------------------------------------

TEST_F(ComponentExportTest, AFolderThatCannotBeWrittenAnswersSixAndLeavesNoFile) {
    EXPECT_EQ(report.ExportAllEmf(Missing("out.emf"), false, false), seWriteFile);
    EXPECT_EQ(report.ExportAllWmf(Missing("out.wmf"), false), seWriteFile);
    EXPECT_EQ(report.ExportRtf(Missing("out.rtf")), seWriteFile);
    EXPECT_EQ(report.ExportSpool(Missing("out.spl"), false), seWriteFile);
    EXPECT_EQ(report.ExportHtmlAll(data.Folder() + QStringLiteral("chybi"), "a.html", "b.x"),
              seWriteFile);
    EXPECT_EQ(report.ExportHtmlSingle(data.Folder() + QStringLiteral("chybi"), "s.html", "s.x"),
              seWriteFile);
    EXPECT_EQ(report.PrintToFile(Missing("out.txt")), seWriteFile);
    EXPECT_EQ(report.ExportEmf(Missing("one.emf"), 0, false, false), seWriteFile);
    EXPECT_EQ(report.ExportHtmlPage(data.Folder() + QStringLiteral("chybi"), "p.html", 0, "p.x"),
              seWriteFile);
    EXPECT_EQ(errors, std::vector<TSestError>(9, seWriteFile));
    EXPECT_FALSE(QDir(data.Folder() + QStringLiteral("chybi")).exists());
}

TEST_F(ComponentExportTest, AStreamThatFailsAnswersSix) {
    FailingDevice full(100);
    EXPECT_EQ(report.ExportRtf(full), seWriteFile);
    FailingDevice full2(100);
    EXPECT_EQ(report.ExportSpool(full2, false), seWriteFile);
    FailingDevice full3(100);
    EXPECT_EQ(report.PrintToStream(full3), seWriteFile);
    FailingDevice full4(100);
    EXPECT_EQ(report.ExportEmf(full4, 0, false, false), seWriteFile);
    QBuffer closed;  // never opened: not writable
    EXPECT_EQ(report.ExportHtmlSingle(closed, out, QStringLiteral("s.x")), seWriteFile);
    EXPECT_EQ(errors, std::vector<TSestError>(5, seWriteFile));
}

TEST_F(ComponentExportTest, AFailedRunKeepsTheOldFileAndWritesNoNewOnes) {
    const QString rtf = out + QStringLiteral("old.rtf");
    {
        QFile file(rtf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("previous export");
    }
    report.OnNactiPredlohu = [](TSestava&) { return false; };
    EXPECT_EQ(report.ExportRtf(rtf), seCteniPredlohy);
    EXPECT_EQ(report.ExportAllEmf(out + QStringLiteral("a.emf"), false, false), seCteniPredlohy);
    EXPECT_EQ(ReadFile(rtf), QByteArray("previous export"));
    EXPECT_EQ(FilesOut(), QStringList{"old.rtf"});
    // The template load raised OnError itself; generation does not repeat it.
    EXPECT_EQ(errors, (std::vector<TSestError>{seCteniPredlohy, seCteniPredlohy}));
}

// ---- character-cell text --------------------------------------------------------------------

TEST_F(ComponentExportTest, TextOfThePageRangeInCopiesBetweenThePrintEvents) {
    report.StartPage = 2;
    report.EndPage = 2;
    report.PrintCopies = 2;
    report.ExportLanguage = slASCII;
    QBuffer stream;
    stream.open(QIODevice::WriteOnly);
    ASSERT_EQ(report.PrintToStream(stream), seOK);
    const QByteArray text = stream.data();
    EXPECT_EQ(text.count("Bella Stastna hvezda"), 2) << text.toStdString();
    EXPECT_FALSE(text.contains("Arko")) << "page 1 is outside the range";
    EXPECT_FALSE(text.contains("Cyril")) << "page 3 is not produced";
    EXPECT_TRUE(text.contains("\r\n"));
    EXPECT_EQ(events, (QStringList{"BeforePrint", "AfterPrint"}));

    ASSERT_EQ(report.PrintToFile(out + QStringLiteral("seznam.txt")), seOK);
    EXPECT_EQ(ReadFile(out + QStringLiteral("seznam.txt")), text);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ComponentExportTest, TextFileCopyStoppedByTheUserAnswersThreeAndLeavesNoFile) {
    QStringList shown;
    SetRunProgressFactory([&] {
        return std::make_unique<StoppingProgress>(QStringLiteral("Ukládám data do souboru ..."),
                                                  shown);
    });
    const QString file = out + QStringLiteral("seznam.txt");
    EXPECT_EQ(report.PrintToFile(file), sePreruseno);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(FilesOut().isEmpty()) << "no temporary file is left behind";
    EXPECT_TRUE(shown.contains(QStringLiteral("Ukládám data do souboru ...")));
    EXPECT_EQ(errors, std::vector<TSestError>{sePreruseno});
    EXPECT_EQ(events, (QStringList{"BeforePrint", "AfterPrint"}));
}

// ---- HTML -----------------------------------------------------------------------------------

TEST_F(ComponentExportTest, AllPagesAsHtmlWithTheirPicturesBeside) {
    ASSERT_EQ(report.ExportHtmlAll(out, QStringLiteral("seznam.html"), QStringLiteral("obr.x")),
              seOK);
    const QStringList files = FilesOut();
    for (int k = 1; k <= 3; ++k) {
        const QString page = QStringLiteral("seznam%1.html").arg(k);
        ASSERT_TRUE(files.contains(page)) << files.join(' ').toStdString();
        const QString html = HtmlFile(out + page);
        EXPECT_TRUE(html.startsWith(QStringLiteral("<HTML> <HEAD> <TITLE> </TITLE>\n")));
        EXPECT_TRUE(html.endsWith(QStringLiteral("</PRE></BODY> </HTML>\n")));
        EXPECT_TRUE(html.contains(QStringLiteral("Strana %1").arg(k)));
        // The barcode's picture: named after the picture base of this page.
        const QRegularExpressionMatch image =
            QRegularExpression(QStringLiteral("<IMG SRC=\"([^\"]+)\"")).match(html);
        ASSERT_TRUE(image.hasMatch()) << page.toStdString();
        // "obr.x" with its extension replaced by k and "_.bmp", then by the
        // element number and ".bmp".
        const QRegularExpression name(QStringLiteral("^obr%1_\\d+\\.bmp$").arg(k));
        EXPECT_TRUE(name.match(image.captured(1)).hasMatch()) << image.captured(1).toStdString();
        EXPECT_TRUE(ReadFile(out + image.captured(1)).startsWith("BM"));
    }
    EXPECT_TRUE(HtmlFile(out + QStringLiteral("seznam1.html"))
                    .contains(QStringLiteral("Arko z Lesní paseky")));
    EXPECT_TRUE(HtmlFile(out + QStringLiteral("seznam3.html"))
                    .contains(QStringLiteral("Cyril od Tří dubů")));
    EXPECT_FALSE(files.contains(QStringLiteral("seznam4.html")));
    EXPECT_TRUE(errors.empty());
}

TEST_F(ComponentExportTest, OneHtmlPageOfTheCurrentOutputInTheGivenFolder) {
    ASSERT_EQ(report.Generate(), seOK);
    ASSERT_EQ(
        report.ExportHtmlPage(out, QStringLiteral("druha.html"), 1, QStringLiteral("pic.bmp")),
        seOK);
    const QString html = HtmlFile(out + QStringLiteral("druha.html"));
    EXPECT_TRUE(html.startsWith(QStringLiteral("<HTML>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Bella Šťastná hvězda")));
    EXPECT_FALSE(html.contains(QStringLiteral("Arko")));
    const QRegularExpressionMatch image =
        QRegularExpression(QStringLiteral("<IMG SRC=\"(pic\\d+\\.bmp)\"")).match(html);
    ASSERT_TRUE(image.hasMatch());
    EXPECT_TRUE(QFile::exists(out + image.captured(1)));

    QBuffer stream;
    stream.open(QIODevice::WriteOnly);
    ASSERT_EQ(report.ExportHtmlPage(stream, out, 2, QStringLiteral("treti.bmp")), seOK);
    EXPECT_TRUE(
        Resolved(QString::fromUtf8(stream.data())).contains(QStringLiteral("Cyril od Tří dubů")));

    EXPECT_EQ(report.ExportHtmlPage(out, QStringLiteral("zadna.html"), 3, QString()), seJina);
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("zadna.html")));
    EXPECT_EQ(errors, std::vector<TSestError>{seJina});
}

TEST_F(ComponentExportTest, SingleHtmlIsOnePageAsLongAsTheWholeReport) {
    ASSERT_EQ(report.ExportHtmlSingle(out, QStringLiteral("cely.html"), QStringLiteral("c.x")),
              seOK);
    ASSERT_EQ(report.Output().PageCount(), 1);
    const QString html = HtmlFile(out + QStringLiteral("cely.html"));
    EXPECT_TRUE(html.startsWith(QStringLiteral("<HTML>")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</HTML>\n")));
    EXPECT_EQ(html.count(QStringLiteral("Kartotéka psů")), 1);
    for (const auto& card : component_test::kCards) {
        EXPECT_TRUE(html.contains(QString::fromUtf8(card.name))) << card.name;
    }
    EXPECT_EQ(html.count(QStringLiteral("Strana 1")), 1);
    // The third body lies below where a page would have ended.
    int lowest = 0;
    const QRegularExpression top(QStringLiteral("top: (\\d+)px"));
    for (const QRegularExpressionMatch& m : top.globalMatch(html)) {
        lowest = std::max(lowest, m.captured(1).toInt());
    }
    EXPECT_GT(lowest, 1169);
    EXPECT_EQ(QDir(out).entryList({"c*.bmp"}, QDir::Files).size(), 3) << "three barcodes";

    // The next run is paged again.
    ASSERT_EQ(report.Generate(), seOK);
    EXPECT_EQ(report.Output().PageCount(), 3);
    EXPECT_TRUE(errors.empty());
}

// ---- RTF ------------------------------------------------------------------------------------

TEST_F(ComponentExportTest, RtfDocumentOfAllPages) {
    ASSERT_EQ(report.ExportRtf(out + QStringLiteral("seznam.rtf")), seOK);
    const QByteArray rtf = ReadFile(out + QStringLiteral("seznam.rtf"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250\\uc1\\deff0\\deftab720"));
    EXPECT_EQ(rtf.count("{\\pard\\plain\\pagebb"), 2) << "three pages";
    EXPECT_TRUE(rtf.contains("Arko z Lesn\\'ed paseky"));
    EXPECT_TRUE(rtf.endsWith("}"));

    QBuffer stream;
    stream.open(QIODevice::WriteOnly);
    ASSERT_EQ(report.ExportRtf(stream), seOK);
    EXPECT_EQ(stream.data(), rtf);
    EXPECT_TRUE(errors.empty());
}

// ---- spool files ----------------------------------------------------------------------------

TEST_F(ComponentExportTest, SpoolPreviewShowsTheSamePagesThatWereWritten) {
    ASSERT_EQ(report.Generate(), seOK);
    const QStringList generated = DumpOutput(report.Output());
    std::vector<QImage> pages;
    std::vector<QString> texts;
    for (int i = 0; i < 3; ++i) {
        report.Output().PaperGeometry = true;
        report.Output().RenderPage(i, false);
        report.Output().PaperGeometry = false;
        pages.push_back(Rasterized(report.Output().PageImage()));
        texts.push_back(TextsOf(report.Output().PageImage()));
    }

    const QString spool = out + QStringLiteral("seznam.spl");
    ASSERT_EQ(report.ExportSpool(spool, false), seOK);
    const QByteArray bytes = ReadFile(spool);
    EXPECT_EQ(At32(bytes, 0), 0x00010000u);

    TSestava viewer;  // another component reads the file back
    viewer.OnError = report.OnError;
    QStringList shownPages;
    QString title;
    std::vector<QImage> shownImages;
    std::vector<QString> shownTexts;
    SetPreviewWindowHook([&](TSestava& r, const TWindowPlace&) {
        TSestVystup& output = r.Output();
        EXPECT_TRUE(output.FromSpool);
        shownPages = DumpOutput(output);
        title = output.Title;
        for (int i = 0; i < output.PageCount(); ++i) {
            output.RenderPage(i, false);
            shownImages.push_back(Rasterized(output.PageImage()));
            shownTexts.push_back(TextsOf(output.PageImage()));
        }
        return true;
    });
    ASSERT_EQ(viewer.PreviewSpoolFile(spool), seOK);
    EXPECT_EQ(title, QStringLiteral("Seznam psů"));
    EXPECT_EQ(shownPages, generated.filter(QRegularExpression(QStringLiteral("^page "))));
    ASSERT_EQ(shownImages.size(), 3U);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shownTexts[i], texts[i]) << "page " << i + 1;
        // A lost line of text or a lost barcode changes hundreds of pixels.
        EXPECT_LE(DifferentPixels(shownImages[i], pages[i]), 16) << "page " << i + 1;
    }
    EXPECT_TRUE(shownTexts[1].contains(QStringLiteral("Bella Šťastná hvězda")));
    EXPECT_TRUE(errors.empty());
}

TEST_F(ComponentExportTest, ADamagedOrMissingSpoolFileAnswersEightWithoutAPreview) {
    const QString spool = out + QStringLiteral("seznam.spl");
    ASSERT_EQ(report.ExportSpool(spool, false), seOK);
    QByteArray bytes = ReadFile(spool);
    const QString damaged = out + QStringLiteral("poskozeny.spl");
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.left(bytes.size() / 2));  // cut inside a page
    }
    int opened = 0;
    SetPreviewWindowHook([&](TSestava&, const TWindowPlace&) {
        ++opened;
        return true;
    });
    EXPECT_EQ(report.PreviewSpoolFile(damaged), seCteniSpl);
    EXPECT_EQ(report.PreviewSpoolFile(out + QStringLiteral("neni.spl")), seCteniSpl);
    EXPECT_EQ(report.PreviewSpoolFile(out), seCteniSpl) << "a folder is no spool file";
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(errors, std::vector<TSestError>(3, seCteniSpl));

    ASSERT_EQ(report.PreviewSpoolFile(spool), seOK);
    EXPECT_EQ(opened, 1);
}

TEST_F(ComponentExportTest, SpoolToAStreamAndPrintedFromItWithoutGenerating) {
    QBuffer stream;
    stream.open(QIODevice::WriteOnly);
    ASSERT_EQ(report.ExportSpool(stream, false), seOK);
    stream.close();
    stream.open(QIODevice::ReadOnly);

    platform::FakePrinterSystem printers({platform::FakePrinter::Laser(QStringLiteral("Laser"))});
    printers.Install();
    int runs = 0;
    report.OnNactiPredlohu = [&](TSestava& r) {
        ++runs;
        r.SetPredloha(ThreePageTemplate());
        return true;
    };
    report.EndPage = 2;
    int pages = 0, lastPage = 0, index = 0;
    QString title, name;
    SetPrinterHook([&](TSestava& r, int printerIndex, const QString& printerName) {
        EXPECT_TRUE(r.Output().FromSpool);
        pages = r.Output().PageCount();
        lastPage = r.Output().LastPage;
        title = r.Output().Title;
        index = printerIndex;
        name = printerName;
        return 0;
    });
    ASSERT_EQ(report.PrintSpool(stream, 0, QStringLiteral("Laser")), seOK);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(lastPage, 2) << "the component's page range applies";
    EXPECT_EQ(title, QStringLiteral("Seznam psů"));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(name, QStringLiteral("Laser"));
    EXPECT_EQ(events, (QStringList{"BeforePrint", "AfterPrint"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(ComponentExportTest, PrintSpoolWithoutPrinterOrFromADamagedFile) {
    const QString spool = out + QStringLiteral("seznam.spl");
    ASSERT_EQ(report.ExportSpool(spool, false), seOK);
    int printed = 0;
    SetPrinterHook([&](TSestava&, int, const QString&) {
        ++printed;
        return 0;
    });
    {
        platform::FakePrinterSystem none(std::vector<platform::FakePrinter>{});
        none.Install();
        ScriptedMessages messages;
        EXPECT_EQ(report.PrintSpool(spool), seNeniTiskarna);
        EXPECT_EQ(messages.Texts(),
                  QStringList{QStringLiteral("V systému není nainstalovaná žádná tiskárna.")});
    }
    platform::FakePrinterSystem printers({platform::FakePrinter::Laser(QStringLiteral("Laser"))});
    printers.Install();
    EXPECT_EQ(report.PrintSpool(out + QStringLiteral("neni.spl")), seCteniSpl);
    QBuffer garbage;
    garbage.setData(QByteArray(64, 'x'));
    garbage.open(QIODevice::ReadOnly);
    EXPECT_EQ(report.PrintSpool(garbage), seCteniSpl);
    EXPECT_EQ(printed, 0);
    EXPECT_EQ(errors, (std::vector<TSestError>{seNeniTiskarna, seCteniSpl, seCteniSpl}));
}

// ---- busy rules -----------------------------------------------------------------------------

TEST_F(ComponentExportTest, AnotherPrintWhileOnePrintsAnswersSeven) {
    platform::FakePrinterSystem printers({platform::FakePrinter::Laser(QStringLiteral("Laser"))});
    printers.Install();
    const QString spool = out + QStringLiteral("seznam.spl");
    ASSERT_EQ(report.ExportSpool(spool, false), seOK);
    TSestava other;
    int inner = -1;
    SetPrinterHook([&](TSestava&, int, const QString&) {
        inner = other.PrintSpool(spool);
        return 0;
    });
    EXPECT_EQ(report.PrintOn(-1), seOK);
    EXPECT_EQ(inner, seBusy);
}

TEST_F(ComponentExportTest, AHandlerCannotReplaceTheOutputWhileItIsWritten) {
    std::vector<int> inner;
    report.BeforePrint = [&](TSestava& r) {
        inner.push_back(r.ExportRtf(out + QStringLiteral("vnitrni.rtf")));
        inner.push_back(r.Generate());
        inner.push_back(r.PreviewSpoolFile(out + QStringLiteral("x.spl")));
    };
    QBuffer stream;
    stream.open(QIODevice::WriteOnly);
    ASSERT_EQ(report.PrintToStream(stream), seOK);
    EXPECT_EQ(inner, (std::vector<int>{seBusy, seBusy, seBusy}));
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("vnitrni.rtf")));
    EXPECT_TRUE(stream.data().contains("Arko z Lesn"));
    // Once the operation is over the report works as before.
    EXPECT_EQ(report.ExportRtf(out + QStringLiteral("potom.rtf")), seOK);
}

}  // namespace
