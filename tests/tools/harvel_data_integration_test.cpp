// Runs the built harvel-data program the way a user and the build do.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::RunDataTool;
using testing_support::WriteFile;

using Result = testing_support::ProgramResult;

class DataTool : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        data_ = dir_.filePath("DATA");
        const Result init = RunDataTool({"init", data_});
        ASSERT_EQ(init.code, 0) << init.err.toStdString();
        ASSERT_TRUE(QFile::exists(data_ + "/harvel.sqlite"));
    }
    QString Csv(const QString& name, const QByteArray& content) {
        const QString path = dir_.filePath(name);
        WriteFile(path, content);
        return path;
    }
    QTemporaryDir dir_;
    QString data_;
};

const QByteArray kCards =
    "Jmeno_registr,Pohlavi,Plemeno,Datum_nar,Vlastnictvi,DKK,Poznamka,Barva\r\n"
    "Cyril,Pes,B\xC3\xADgl,5.3.2020,Ano,A,\"dva\n\xC5\x99\xC3\xA1"
    "dky\",1\r\n"
    "\xC4\x8C"
    "ert,Fena,B\xC3\xADgl,31.12.2020,Ne,,\"\xC5\x99\x65kl \"\"haf\"\"\",\r\n"
    "Hugo,Pes,Pudl,1.1.2021,true,,,\r\n"
    "Chrt,Fena,Pudl,1.1.2020,0,,,\r\n";

TEST_F(DataTool, InitRefusesToOverwrite) {
    const Result again = RunDataTool({"init", data_});
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.err.contains("harvel.sqlite"));
}

TEST_F(DataTool, LoadThenQueryTheDialect) {
    const Result load = RunDataTool({"load", data_, "MAIN_CARD.DB", Csv("cards.csv", kCards)});
    ASSERT_EQ(load.code, 0) << load.err.toStdString();
    const Result list =
        RunDataTool({"sql", data_,
                     "Select *  from Main_card\nWhere Datum_nar BETWEEN \"1.1.2020\" AND "
                     "\"31.12.2020\" \norder by Jmeno_registr ASC,Plemeno DESC"});
    ASSERT_EQ(list.code, 0) << list.err.toStdString();
    const QStringList lines = list.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("Jmeno_registr\tJmeno_call\tVlastnictvi"));
    EXPECT_EQ(lines[0].split('\t').size(), 58);
    EXPECT_TRUE(lines[1].startsWith("Cyril\t"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Čert\t")));
    EXPECT_TRUE(lines[3].startsWith("Chrt\t"));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("dva\\nřádky")));
    const Result owned = RunDataTool(
        {"sql", data_,
         "select Jmeno_registr, Vlastnictvi, Datum_nar from main_card where Vlastnictvi = False"});
    EXPECT_EQ(owned.out, QStringLiteral("Jmeno_registr\tVlastnictvi\tDatum_nar\nČert\tFalse\t31.12."
                                        "2020\nChrt\tFalse\t1.1.2020\n"));
    const Result dkk =
        RunDataTool({"sql", data_, "select Jmeno_registr from main_card where DKK like\"_%\""});
    EXPECT_EQ(dkk.out, "Jmeno_registr\nCyril\n");
}

TEST_F(DataTool, DumpReadsBackWhatLoadWrote) {
    ASSERT_EQ(RunDataTool({"load", data_, "main_card.db", Csv("cards.csv", kCards)}).code, 0);
    const Result dump = RunDataTool({"dump", data_, "main_card.db"});
    ASSERT_EQ(dump.code, 0) << dump.err.toStdString();
    EXPECT_TRUE(dump.out.contains(QStringLiteral("\"řekl \"\"haf\"\"\"")));
    EXPECT_TRUE(dump.out.contains(QStringLiteral("Hugo,,true,,Pudl,Pes,1.1.2021")));
    QTemporaryDir other;
    const QString copy = other.filePath("DATA");
    ASSERT_EQ(RunDataTool({"init", copy}).code, 0);
    ASSERT_EQ(RunDataTool({"load", copy, "main_card.db", Csv("dump.csv", dump.out.toUtf8())}).code,
              0);
    EXPECT_EQ(RunDataTool({"dump", copy, "main_card.db"}).out, dump.out);
}

TEST_F(DataTool, FailedLoadNamesFileLineAndColumnAndAppendsNothing) {
    ASSERT_EQ(RunDataTool({"load", data_, "main_card.db", Csv("cards.csv", kCards)}).code, 0);
    const QByteArray bad =
        "Jmeno_registr,Barva\r\n"
        "Nový 1,1\r\n"
        "Nový 2,70000\r\n";
    const Result load = RunDataTool({"load", data_, "main_card.db", Csv("bad.csv", bad)});
    EXPECT_EQ(load.code, 1);
    EXPECT_TRUE(load.err.contains("bad.csv")) << load.err.toStdString();
    EXPECT_TRUE(load.err.contains(QStringLiteral("řádek 3"))) << load.err.toStdString();
    EXPECT_TRUE(load.err.contains("Barva")) << load.err.toStdString();
    const Result count = RunDataTool({"sql", data_, "select Jmeno_registr from main_card"});
    EXPECT_EQ(count.out.split('\n', Qt::SkipEmptyParts).size(),
              5);  // header + the four first cards
    const Result date = RunDataTool(
        {"load", data_, "main_card.db", Csv("date.csv", "Jmeno_registr,Datum_nar\nX,31.2.2005\n")});
    EXPECT_EQ(date.code, 1);
    EXPECT_TRUE(date.err.contains(QStringLiteral("řádek 2")) && date.err.contains("Datum_nar"))
        << date.err.toStdString();
    const Result column =
        RunDataTool({"load", data_, "main_card.db", Csv("col.csv", "Jmeno_registr,Nic\nX,1\n")});
    EXPECT_EQ(column.code, 1);
    EXPECT_TRUE(column.err.contains("Nic") && column.err.contains(QStringLiteral("řádek 1")));
    const Result dup = RunDataTool(
        {"load", data_, "main_card.db", Csv("dup.csv", "Jmeno_registr\nNový\nCyril\n")});
    EXPECT_EQ(dup.code, 1);
    EXPECT_TRUE(dup.err.contains(QStringLiteral("řádek 3")) && dup.err.contains("Cyril"))
        << dup.err.toStdString();
    EXPECT_EQ(RunDataTool({"sql", data_, "select * from main_card where Jmeno_registr = \"Nový\""})
                  .out.count('\n'),
              1);
}

TEST_F(DataTool, FailuresExitOneWithTheStoreMessage) {
    const Result bad = RunDataTool({"sql", data_, "delete from main_card"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains("SELECT"));
    EXPECT_TRUE(bad.out.isEmpty());
    const Result missing = RunDataTool({"sql", dir_.filePath("nic"), "select * from main_card"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains("nic"));
    const Result table = RunDataTool({"dump", data_, "psi.db"});
    EXPECT_EQ(table.code, 1);
    EXPECT_TRUE(table.err.contains("psi.db"));
    EXPECT_EQ(RunDataTool({"frobnicate"}).code, 2);
}

}  // namespace

namespace {

TEST_F(DataTool, HelpPrintsTheUsageAndSucceeds) {
    for (const char* flag : {"--help", "-h"}) {
        const Result help = RunDataTool({flag});
        EXPECT_EQ(help.code, 0) << flag;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Použití:"))) << help.out.toStdString();
        EXPECT_TRUE(help.out.contains("harvel-data load DIR TABLE FILE.csv"));
        EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
    }
    const Result unknown = RunDataTool({"--pomoc"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("Použití:")));
}

TEST_F(DataTool, LoadCountsTheRowsInCzech) {
    const auto load = [&](int rows, const QString& file) {
        QByteArray csv = "Jmeno_registr\n";
        for (int i = 0; i < rows; ++i) {
            csv += file.toUtf8() + QByteArray::number(i) + '\n';
        }
        return RunDataTool({"load", data_, "main_card.db", Csv(file + ".csv", csv)}).out.trimmed();
    };
    EXPECT_EQ(load(1, "a"), QStringLiteral("Do tabulky main_card.db přidán 1 řádek."));
    EXPECT_EQ(load(4, "b"), QStringLiteral("Do tabulky main_card.db přidány 4 řádky."));
    EXPECT_EQ(load(5, "c"), QStringLiteral("Do tabulky main_card.db přidáno 5 řádků."));
}

TEST_F(DataTool, CountsAndGroupsInTheLocalSql) {
    ASSERT_EQ(RunDataTool({"load", data_, "main_card.db", Csv("cards.csv", kCards)}).code, 0);
    const Result count = RunDataTool({"sql", data_, "Select COUNT(*) from Main_card"});
    ASSERT_EQ(count.code, 0) << count.err.toStdString();
    EXPECT_EQ(count.out, QStringLiteral("COUNT OF *\n4\n"));
    const Result groups = RunDataTool(
        {"sql", data_, "select Plemeno, count(*) as Psi from main_card group by Plemeno"});
    ASSERT_EQ(groups.code, 0) << groups.err.toStdString();
    EXPECT_EQ(groups.out, QStringLiteral("Plemeno\tPsi\nBígl\t2\nPudl\t2\n"));
}

TEST_F(DataTool, AMicrochipNumberLoadsAndDumpsWhole) {
    ASSERT_EQ(RunDataTool({"load", data_, "main_card.db",
                           Csv("chip.csv", "Jmeno_registr,Cip\nBrok,203098100123456\n")})
                  .code,
              0);
    const Result dump = RunDataTool({"dump", data_, "main_card.db"});
    ASSERT_EQ(dump.code, 0) << dump.err.toStdString();
    EXPECT_TRUE(dump.out.contains(",203098100123456,")) << dump.out.toStdString();
}

}  // namespace
