// The export menu of the preview: save dialogs, file names, writer calls and
// the error message.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "preview_fixture.h"
#include "report/output/widgets/report_windows.h"
#include "report/output/widgets/sestp.h"
#include "tests/support/seams.h"

using preview_testing::PagedOutput;

namespace {

struct WriterCall {
    QString file;
    int page = -1;
    bool enhanced = false;
};

// Writers that record their calls and answer `ok`.
struct RecordingWriters {
    std::vector<WriterCall> calls;
    std::vector<std::pair<QString, QStringList>> indexes;  // index file, its pages
    bool ok = true;

    TPreviewExports Exports() {
        TPreviewExports e;
        auto plain = [this](TSestVystup&, const QString& f) {
            calls.push_back({f});
            return ok;
        };
        e.SaveText = plain;
        e.SaveRtf = plain;
        e.SaveSpool = plain;
        e.SaveMetafile = [this](TSestVystup&, const QString& f, int page, bool enhanced) {
            calls.push_back({f, page, enhanced});
            return ok;
        };
        e.SaveHtml = [this](TSestVystup&, const QString& f, int page) {
            calls.push_back({f, page});
            return ok;
        };
        e.SaveHtmlIndex = [this](TSestVystup&, const QString& f, const QStringList& pages) {
            indexes.push_back({f, pages});
            return ok;
        };
        e.SavePdf = [this](TSestVystup&, const QString& f) {
            calls.push_back({f});
            return ok ? QString() : QStringLiteral("Disk je plný.");
        };
        return e;
    }
};

struct ExportFixture : ::testing::Test {
    PagedOutput paged{3};
    RecordingWriters writers;
    std::vector<platform::FileDialogRequest> requests;
    QString answer = "/tmp/Vystupy/Karta.EMF";
    testing_support::ScriptedFileDialog dialog{[this](const platform::FileDialogRequest& r) {
        requests.push_back(r);
        return answer;
    }};
    testing_support::ScriptedMessages messages;
    TFormSestP form;

    ExportFixture() {
        form.SetExports(writers.Exports());
        form.ShowOutput(paged.output);
    }
    void Trigger(const char* name) { form.findChild<QAction*>(QLatin1String(name))->trigger(); }
};

}  // namespace

TEST_F(ExportFixture, CurrentPageMetafileAsksWithTheFilterAndLowerCasesTheFileName) {
    QTest::keyClick(&form, Qt::Key_PageDown);
    Trigger("ActUlozMetafile");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, platform::FileDialogKind::Save);
    EXPECT_EQ(requests[0].caption, "Výběr souboru");
    EXPECT_EQ(requests[0].filter, "Enhanced meta file (*.emf);;Windows meta file (*.wmf)");
    EXPECT_EQ(requests[0].defaultSuffix, "wmf");
    EXPECT_TRUE(requests[0].confirmOverwrite);
    ASSERT_EQ(writers.calls.size(), 1u);
    EXPECT_EQ(writers.calls[0].file, "/tmp/Vystupy/karta.emf");  // the folder keeps its case
    EXPECT_EQ(writers.calls[0].page, 1);
    EXPECT_TRUE(writers.calls[0].enhanced);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(ExportFixture, AllPagesAsWmfNumberEachFileAndDoNotPromptForOverwrite) {
    answer = "/tmp/a.WMF";
    Trigger("ActUlozMetafiles");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].confirmOverwrite);
    ASSERT_EQ(writers.calls.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(writers.calls[i].file, QStringLiteral("/tmp/a%1.wmf").arg(i + 1));
        EXPECT_EQ(writers.calls[i].page, i);
        EXPECT_FALSE(writers.calls[i].enhanced);
    }
    EXPECT_EQ(form.CurrentPage(), 0);  // the shown page is rendered again
}

TEST_F(ExportFixture, HtmlExportsUseTheirFilterAndNumberThePages) {
    answer = "/tmp/Sestava.html";
    Trigger("ActUlozHtml");
    Trigger("ActUlozHtmls");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].filter, "Soubor HTML (*.html);;Všechny soubory (*.*)");
    EXPECT_EQ(requests[0].defaultSuffix, "html");
    EXPECT_TRUE(requests[0].confirmOverwrite);
    EXPECT_FALSE(requests[1].confirmOverwrite);
    ASSERT_EQ(writers.calls.size(), 4u);
    EXPECT_EQ(writers.calls[0].file, "/tmp/sestava.html");
    EXPECT_EQ(writers.calls[3].file, "/tmp/sestava3.html");
    EXPECT_EQ(writers.calls[3].page, 2);
    // The chosen file links the pages in order.
    ASSERT_EQ(writers.indexes.size(), 1u);
    EXPECT_EQ(writers.indexes[0].first, "/tmp/sestava.html");
    EXPECT_EQ(writers.indexes[0].second,
              (QStringList{"sestava1.html", "sestava2.html", "sestava3.html"}));
}

TEST_F(ExportFixture, TextRtfAndSpoolDialogs) {
    answer = "/tmp/x";
    Trigger("ActUlozText");
    Trigger("ActUlozRtf");
    Trigger("ActUlozSpool");
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].filter, "Textový soubor (*.txt);;Všechny soubory (*.*)");
    EXPECT_EQ(requests[0].defaultSuffix, "txt");
    EXPECT_TRUE(requests[0].confirmOverwrite);
    EXPECT_EQ(requests[1].filter, "Soubor RTF (*.rtf);;Všechny soubory (*.*)");
    EXPECT_EQ(requests[1].defaultSuffix, "rtf");
    EXPECT_TRUE(requests[1].confirmOverwrite);
    EXPECT_EQ(requests[2].filter, "Spool meta file (*.spl)");
    EXPECT_EQ(requests[2].defaultSuffix, "spl");
    EXPECT_FALSE(requests[2].confirmOverwrite);
    EXPECT_EQ(writers.calls.size(), 3u);
}

TEST_F(ExportFixture, CancelledDialogWritesNothing) {
    answer.clear();
    Trigger("ActUlozRtf");
    Trigger("ActUlozMetafiles");
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_TRUE(writers.calls.empty());
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(ExportFixture, AFailedWriteShowsTheErrorBoxOnce) {
    writers.ok = false;
    Trigger("ActUlozText");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Výstupní soubor se nepodařilo uložit.");
    EXPECT_EQ(messages.Shown()[0].caption, "Chyba");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    messages.Clear();
    Trigger("ActUlozHtmls");  // every page is still tried, one message at the end
    EXPECT_EQ(writers.calls.size(), 4u);
    EXPECT_EQ(messages.Shown().size(), 1u);
}

TEST(PreviewExportMenu, SpoolOutputDisablesTheExportsOfOwnPagesAndMissingWritersDisableTheirs) {
    PagedOutput paged(2);
    RecordingWriters writers;
    TFormSestP form;
    TPreviewExports exports = writers.Exports();
    exports.SaveRtf = nullptr;
    form.SetExports(exports);
    form.ShowOutput(paged.output);
    auto enabled = [&](const char* name) {
        return form.findChild<QAction*>(QLatin1String(name))->isEnabled();
    };
    EXPECT_TRUE(enabled("ActUlozText"));
    EXPECT_FALSE(enabled("ActUlozRtf"));
    paged.output.FromSpool = true;
    form.ShowOutput(paged.output);
    for (const char* name :
         {"ActUlozText", "ActUlozRtf", "ActUlozHtml", "ActUlozHtmls", "ActUlozSpool"}) {
        EXPECT_FALSE(enabled(name)) << name;
    }
    EXPECT_TRUE(enabled("ActUlozMetafile"));
    EXPECT_TRUE(enabled("ActUlozMetafiles"));
}

TEST_F(ExportFixture, PdfAsksForAPdfFileAndShowsWhyAWriteFailed) {
    answer = "/tmp/Vystupy/Karta";
    Trigger("ActUlozPdf");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filter, "Dokument PDF (*.pdf)");
    EXPECT_EQ(requests[0].defaultSuffix, "pdf");
    EXPECT_TRUE(requests[0].confirmOverwrite);
    ASSERT_EQ(writers.calls.size(), 1u);
    EXPECT_EQ(writers.calls[0].file, "/tmp/Vystupy/karta");
    EXPECT_TRUE(messages.Shown().empty());
    writers.ok = false;
    Trigger("ActUlozPdf");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Disk je plný.");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
}

// The preview's own PDF writer: every page, the report's description as the
// document title, a clear reason when the file cannot be written.
TEST(PreviewPdfExport, WritesEveryPageWithTheTitle) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PagedOutput paged(3);
    paged.output.Title = QStringLiteral("Zdravotní karta jedince");
    const TPreviewExports exports = ReportPreviewExports();
    ASSERT_TRUE(bool(exports.SavePdf));
    const QString file = dir.filePath("karta.pdf");
    EXPECT_EQ(exports.SavePdf(paged.output, file), QString());
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess info;
        info.start(pdfinfo, {file});
        ASSERT_TRUE(info.waitForFinished(30000));
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        EXPECT_TRUE(text.contains(QStringLiteral("Zdravotní karta jedince"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\b"))))
            << text.toStdString();
    }
    const QString refused = exports.SavePdf(paged.output, dir.filePath("chybi/karta.pdf"));
    EXPECT_TRUE(refused.contains(QStringLiteral("nelze zapsat"))) << refused.toStdString();
}

// "Všechny stránky jako HTML" with the report's own writers: a file per page
// and the chosen file as their index, linking them in order.
TEST(PreviewHtmlExport, AllPagesAndTheirIndex) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PagedOutput paged(3);
    paged.output.Title = QStringLiteral("Vrhy <2025>");
    testing_support::ScriptedFileDialog dialog{
        [&](const platform::FileDialogRequest&) { return dir.filePath("Vrhy.html"); }};
    testing_support::ScriptedMessages messages;
    TFormSestP form;
    form.SetExports(ReportPreviewExports());
    form.ShowOutput(paged.output);
    form.findChild<QAction*>(QStringLiteral("ActUlozHtmls"))->trigger();
    EXPECT_TRUE(messages.Shown().empty());
    QFile index(dir.filePath("vrhy.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(index.readAll());
    QStringList links;
    for (const QRegularExpressionMatch& link :
         QRegularExpression(QStringLiteral("<A HREF=\"([^\"]*)\">Strana (\\d+)</A>"))
             .globalMatch(html)) {
        links << link.captured(1) + " " + link.captured(2);
        EXPECT_TRUE(QFile::exists(dir.filePath(link.captured(1))))
            << link.captured(1).toStdString();
    }
    EXPECT_EQ(links, (QStringList{"vrhy1.html 1", "vrhy2.html 2", "vrhy3.html 3"}));
    EXPECT_TRUE(html.contains(QStringLiteral("<TITLE>Vrhy &lt;2025&gt;</TITLE>")));
}
