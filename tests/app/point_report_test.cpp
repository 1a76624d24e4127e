// The print button's before-report step shared through the print sources:
// the data source and template file it sets per source and entry, and what
// it leaves when nothing is chosen.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "tests/support/qt_printers.h"

namespace {

class PointReport : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
    }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
};

}  // namespace

TEST(PrintTemplateFiles, EntriesNameTheirFilesAndPositionsWithoutAnEntryNothing) {
    EXPECT_EQ(PrintTemplateFile(0, 0), "EvidList00.pts");
    EXPECT_EQ(PrintTemplateFile(6, 3), "Kryti03.pts");
    EXPECT_EQ(PrintTemplateFile(9, 0), "Foto00.pts");
    EXPECT_EQ(PrintTemplateFile(-1, 0), "");
    EXPECT_EQ(PrintTemplateFile(10, 0), "");
    EXPECT_EQ(PrintTemplateFile(2, 1), "");
    EXPECT_EQ(PrintTemplateFile(0, -1), "");
    EXPECT_EQ(kPrintSourceRodokmen, 7);
    EXPECT_EQ(FindPrintSource(kPrintSourceFoto)->caption, "Foto");
}

TEST_F(PointReport, EverySourceAndEntrySetsItsDataSourceAndTemplate) {
    TSestava& report = dm_->Sestava1;
    for (const TPrintSource& source : PrintSources()) {
        for (size_t entry = 0; entry < source.templates.size(); ++entry) {
            ASSERT_TRUE(
                PointReportAtSource(report, *dm_, source.position, static_cast<int>(entry)));
            EXPECT_EQ(report.DataSource(),
                      source.position == 0 ? &dm_->SoQSeznamy : &dm_->SoQPomknihy);
            EXPECT_EQ(report.ReportName(), source.templates[entry].file);
        }
    }
}

TEST_F(PointReport, NothingChosenAnswersFalseAndKeepsTheLastTemplate) {
    TSestava& report = dm_->Sestava1;
    ASSERT_TRUE(PointReportAtSource(report, *dm_, 5, 1));
    // No template entry: the data source follows the source, the template
    // stays as the last run left it.
    EXPECT_FALSE(PointReportAtSource(report, *dm_, 0, -1));
    EXPECT_EQ(report.DataSource(), &dm_->SoQSeznamy);
    EXPECT_EQ(report.ReportName(), "Vrhy01.pts");
    // No source: nothing changes.
    EXPECT_FALSE(PointReportAtSource(report, *dm_, -1, 0));
    EXPECT_EQ(report.DataSource(), &dm_->SoQSeznamy);
    EXPECT_EQ(report.ReportName(), "Vrhy01.pts");
}
