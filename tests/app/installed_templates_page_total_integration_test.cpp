// The page numbers of every installed template as they print at the end of
// a run of over ten thousand pages: "Strana N" and "/ N" laid out whole in
// their boxes, on the first page and on the last. Each template runs over
// its print source with one record a page (a page break forced before every
// body), so each run makes some ten thousand pages; hence the label.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "report/engine/sestavy.h"
#include "report/model/lumex_element.h"
#include "report/output/sestprn.h"
#include "tests/support/seams.h"

namespace {

constexpr int kRecords = 10008;

// The shown texts of one page's page-number and page-total elements.
struct PageNumbers {
    QString number;
    QString total;
};

PageNumbers NumbersOn(const TSestVystup& output, int page) {
    PageNumbers found;
    const TStranaPrvku& elements = output.ReadPage(page);
    for (int i = 0; i < elements.Count(); ++i) {
        const TVystPrvek& placed = elements.Item(i);
        if (placed.Kind() != ekVariable) {
            continue;
        }
        if (placed.Element->source == vaPageNumber) {
            found.number = placed.GetText();
        } else if (placed.Element->source == vaPageCount) {
            found.total = placed.GetText();
        }
    }
    return found;
}

class InstalledTemplatePageTotals : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        savedPaper_ = PaperSetup();
    }
    void TearDown() override { PaperSetup() = savedPaper_; }

    QTemporaryDir folder_;
    TPaperSetup savedPaper_;
};

}  // namespace

TEST_F(InstalledTemplatePageTotals, FiveDigitPageNumbersAndTotalsPrintWhole) {
    testing_support::ScriptedMessages messages;
    TDM1 dm(folder_.path() + "/");
    int templates = 0;
    for (int position = 0; position < kPrintSourceCount; ++position) {
        dm.RunBookQuery(position, QString(), QString());
        for (const TPrintTemplate& entry : PrintSources().at(position).templates) {
            if (entry.file == QStringLiteral("EvidStitky00.pts")) {
                continue;  // a sheet of labels numbers no pages
            }
            ++templates;
            TSestava report;
            report.SetDataSource(PrintDataSource(dm, position));
            report.ReportDirIgnore = false;
            report.SetReportDir(QStringLiteral(HARVEL_SOURCE_DIR "/templates/"));
            report.SetReportName(entry.file);
            // The same (empty) record kRecords times, each on a page of its own.
            int steps = 0;
            report.OnStepData = [&steps](TSestavaD&, TStepDir dir) {
                steps = dir == sdFirst ? 1 : steps + 1;
                return steps <= kRecords ? srOK : srEof;
            };
            report.OnTiskOddilu = [](TSestavaTyp& r, int index, bool&) {
                if (index == stBody) {
                    r.ForcePageBreak();
                }
            };
            ASSERT_EQ(report.Generate(), seOK) << entry.file.toStdString();
            const TSestVystup& output = report.Output();
            const int pages = output.PageCount();
            ASSERT_GE(pages, 10000) << entry.file.toStdString();
            const QString total = QStringLiteral("/ %1").arg(pages);
            const PageNumbers first = NumbersOn(output, 0);
            const PageNumbers last = NumbersOn(output, pages - 1);
            EXPECT_EQ(first.number, "Strana 1") << entry.file.toStdString();
            EXPECT_EQ(first.total, total) << entry.file.toStdString();
            EXPECT_EQ(last.number, QStringLiteral("Strana %1").arg(pages))
                << entry.file.toStdString();
            EXPECT_EQ(last.total, total) << entry.file.toStdString();
        }
    }
    EXPECT_EQ(templates, 23);
    EXPECT_TRUE(messages.Shown().empty());
}
