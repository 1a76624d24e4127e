// The print sources: their order and captions, the template list of each
// with its files, the data source a report of each runs over, and the
// before-report step that points the report component at a source.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "report/engine/sestavy.h"
#include "tests/support/seams.h"

namespace {

class PrintSourceTable : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
    }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
};

QStringList Files(const TPrintSource& source) {
    QStringList files;
    for (const TPrintTemplate& entry : source.templates) {
        files << entry.file;
    }
    return files;
}

}  // namespace

TEST(PrintSources, TheSourcesInListOrderWithTheirLabels) {
    const QList<TPrintSource>& sources = PrintSources();
    ASSERT_EQ(sources.size(), kPrintSourceCount);
    const QStringList captions = {
        "Evidenční listy", "Zdravotní karta", "Výstavy", "Tituly", "Chovnost",           "Vrhy",
        "Krytí",           "Rodokmen",        "Zkoušky", "Foto",   "Rodokmen z evidence"};
    const QStringList labels = {"Evidenční list", "Zdrav. karta", "Výstavy",         "Tituly",
                                "Chovnost",       "Vrhy",         "Krytí",           "Rodokmen",
                                "Zkoušky",        "Foto",         "Rodokmen z evid."};
    ASSERT_EQ(captions.size(), kPrintSourceCount);
    for (int i = 0; i < kPrintSourceCount; ++i) {
        EXPECT_EQ(sources[i].caption, captions[i]) << i;
        EXPECT_EQ(sources[i].listLabel, labels[i]) << i;
        const char* dataSource = i == 0                ? "SoQSeznamy"
                                 : i == tzRodokmenEvid ? "SoQRodokmenEvid"
                                                       : "SoQPomknihy";
        EXPECT_EQ(sources[i].dataSourceName, dataSource) << i;
    }
    EXPECT_EQ(sources[tzRodokmen].caption, "Rodokmen");
    EXPECT_EQ(sources[tzFoto].caption, "Foto");
}

TEST(PrintSources, EveryListNamesItsTemplateFiles) {
    const QList<TPrintSource>& s = PrintSources();
    EXPECT_EQ(Files(s[0]), QStringList({"EvidList00.pts", "EvidList01.pts", "EvidList02.pts",
                                        "EvidList03.pts", "EvidStitky00.pts"}));
    EXPECT_EQ(Files(s[1]), QStringList({"ZdrKarta00.pts", "ZdrKarta01.pts"}));
    EXPECT_EQ(Files(s[2]), QStringList({"Vystavy00.pts"}));
    EXPECT_EQ(Files(s[3]), QStringList({"Tituly00.pts"}));
    EXPECT_EQ(Files(s[4]), QStringList({"Chovnost00.pts", "Chovnost01.pts"}));
    EXPECT_EQ(Files(s[5]), QStringList({"Vrhy00.pts", "Vrhy01.pts"}));
    EXPECT_EQ(Files(s[6]),
              QStringList({"Kryti00.pts", "Kryti01.pts", "Kryti02.pts", "Kryti03.pts"}));
    EXPECT_EQ(Files(s[7]), QStringList({"rodokmen00.pts", "rodokmen01.pts", "rodokmen02.pts"}));
    EXPECT_EQ(Files(s[8]), QStringList({"Zkousky00.pts"}));
    EXPECT_EQ(Files(s[9]), QStringList({"Foto00.pts"}));
    EXPECT_EQ(Files(s[tzRodokmenEvid]), QStringList({"RodokmenEvid00.pts", "RodokmenEvid01.pts"}));
    // The entries as the lists show them, blanks included.
    EXPECT_EQ(s[0].templates[3].caption, "Evidenční list - časové a jiné údaje");
    EXPECT_EQ(s[7].templates[1].caption, "3  generace včetně titulů");
    EXPECT_EQ(s[7].templates[2].caption, "4  generace - pouze jména");
    EXPECT_EQ(s[6].templates[2].caption, "Uživatelská 01");
}

TEST(PrintSources, PositionsWithoutAnEntryNameNoFile) {
    EXPECT_FALSE(IsPrintSource(-1));
    EXPECT_FALSE(IsPrintSource(kPrintSourceCount));
    EXPECT_TRUE(PrintTemplateFile(-1, 0).isEmpty());
    EXPECT_TRUE(PrintTemplateFile(2, 1).isEmpty());
    EXPECT_TRUE(PrintTemplateFile(0, -1).isEmpty());
    EXPECT_EQ(PrintTemplateFile(6, 3), "Kryti03.pts");
}

TEST_F(PrintSourceTable, TheRecordSheetsPrintFromTheListQueryAndTheBooksFromTheBookQuery) {
    EXPECT_EQ(PrintDataSource(*dm_, 0), &dm_->SoQSeznamy);
    for (int source = 1; source <= tzFoto; ++source) {
        EXPECT_EQ(PrintDataSource(*dm_, source), &dm_->SoQPomknihy) << source;
    }
    EXPECT_EQ(PrintDataSource(*dm_, tzRodokmenEvid), &dm_->SoQRodokmenEvid);
    EXPECT_EQ(PrintDataSource(*dm_, -1), nullptr);
    EXPECT_EQ(PrintDataSource(*dm_, kPrintSourceCount), nullptr);
}

TEST_F(PrintSourceTable, PointingTheReportSetsTheDataSourceAndTheTemplateOfTheEntry) {
    TSestava& report = dm_->Sestava1;
    for (int source = 0; source < kPrintSourceCount; ++source) {
        const QList<TPrintTemplate>& entries = PrintSources()[source].templates;
        for (int entry = 0; entry < entries.size(); ++entry) {
            ASSERT_TRUE(PointReportAtSource(report, *dm_, source, entry));
            EXPECT_EQ(report.DataSource(), PrintDataSource(*dm_, source));
            EXPECT_EQ(report.ReportName(), entries[entry].file);
        }
    }
}

TEST_F(PrintSourceTable, NothingChosenAnswersFalseAndKeepsTheLastTemplate) {
    TSestava& report = dm_->Sestava1;
    ASSERT_TRUE(PointReportAtSource(report, *dm_, 5, 1));
    // A template position without an entry: the data source follows the
    // source, the template stays as the last run left it.
    EXPECT_FALSE(PointReportAtSource(report, *dm_, 0, -1));
    EXPECT_EQ(report.DataSource(), &dm_->SoQSeznamy);
    EXPECT_EQ(report.ReportName(), "Vrhy01.pts");
    // No source at all: nothing changes.
    EXPECT_FALSE(PointReportAtSource(report, *dm_, -1, 0));
    EXPECT_EQ(report.DataSource(), &dm_->SoQSeznamy);
    EXPECT_EQ(report.ReportName(), "Vrhy01.pts");
}

// A template's own order (a list grouped by the sire) comes before the
// order the user chose, over the rows the user's filter chose.
TEST_F(PrintSourceTable, ATemplatesOrderGoesBeforeTheUsersOrder) {
    const struct {
        const char* dam;
        const char* sire;
        const char* date;
    } litters[] = {{"Bára", "Brok", "1.2.2020"},
                   {"Cilka", "Azor", "1.3.2021"},
                   {"Dora", "Brok", "1.4.2022"},
                   {"Ema", "Azor", "1.5.2023"}};
    for (const auto& litter : litters) {
        dm_->TaVrhy.Append();
        dm_->TaVrhy.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(litter.dam));
        dm_->TaVrhy.FieldByName("Jmeno_reg_otec").SetAsString(QString::fromUtf8(litter.sire));
        dm_->TaVrhy.FieldByName("Datum").SetAsString(QString::fromUtf8(litter.date));
        dm_->TaVrhy.Post();
    }
    dm_->RunBookQuery(5, "Datum DESC", "Vrhy.Jmeno_registr <> \"Ema\"");
    TSestava report;
    ASSERT_TRUE(PointReportAtSource(report, *dm_, 5, 1));
    ASSERT_TRUE(report.OnSourceOrder);
    report.OnSourceOrder(report, "Vrhy.Jmeno_reg_otec ASC");

    QStringList rows;
    for (dm_->QPomknihy.First(); !dm_->QPomknihy.Eof(); dm_->QPomknihy.Next()) {
        rows << dm_->QPomknihy.FieldByName("Jmeno_reg_otec").AsString() + " " +
                    dm_->QPomknihy.FieldByName("Jmeno_registr").AsString();
    }
    EXPECT_EQ(rows, QStringList({"Azor Cilka", "Brok Dora", "Brok Bára"}));
}
