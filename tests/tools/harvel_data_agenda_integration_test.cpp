// harvel-data agenda against hand-worked cases: the built program on a data
// folder loaded through its own load command. The dates lie far from the
// real today (the child process runs on the system clock): everything of
// 2020 is overdue, nothing of 2100 is.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "tests/support/program_run.h"

namespace {

using Result = testing_support::ProgramResult;

Result RunDataTool(const QStringList& args) {
    return testing_support::RunProgram(QStringLiteral(HARVEL_BIN_DIR "/harvel-data"), args);
}

class AgendaCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        data_ = dir_.filePath("DATA");
        ASSERT_EQ(RunDataTool({"init", data_}).code, 0);
        Load("main_card.db", "Jmeno_registr,Pohlavi,Vlastnictvi\nAsta,Fena,Ano\nBea,Fena,Ano\n");
        Load("harani.db", "Jmeno_registr,Datum\nAsta,1.1.2100\nBea,1.6.2019\nBea,1.12.2019\n");
        Load("osetreni.db",
             "Jmeno_registr,Datum_osetreni,Dalsi_navsteva,Duvod_osetreni\n"
             "Dan,1.1.2020,10.1.2020,Očkování\n"
             "Brok,1.1.2100,20.1.2100,Prohlídka\n"
             "Cita,1.1.2020,5.1.2020,\n"
             "Cita,5.1.2020,,\n");
        Load("kryti.DB", "Jmeno_registr,Datum_kryti_1,Jmeno_partner\nBea,1.11.2099,Brok\n");
        Load("schedule.db",
             "Datum,Akce,Upozornit\n15.1.2100,\"Výstava\tBrno\",Ano\n16.1.2100,Hotovo,Ne\n");
    }

    void Load(const QString& table, const QByteArray& csv) {
        const QString file = dir_.filePath(table + ".csv");
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(csv);
        out.close();
        const Result load = RunDataTool({"load", data_, table, file});
        ASSERT_EQ(load.code, 0) << load.err.toStdString();
    }

    QTemporaryDir dir_;
    QString data_;
};

TEST_F(AgendaCommand, PrintsTheSpanWithEveryOverdueEntry) {
    const Result agenda = RunDataTool({"agenda", data_, "--from", "1.1.2100", "--to", "31.1.2100"});
    ASSERT_EQ(agenda.code, 0) << agenda.err.toStdString();
    EXPECT_EQ(agenda.out,
              "10.1.2020\tDalší návštěva\tDan\tOčkování\tpo termínu\n"
              "1.6.2020\tPředpokládané hárání\tBea\tposlední hárání 1.12.2019\tpo termínu\n"
              "3.1.2100\tPředpokládaný vrh\tBea\tkrytí 1.11.2099, pes Brok\n"
              "15.1.2100\tUpozornění\t\tVýstava Brno\n"
              "20.1.2100\tDalší návštěva\tBrok\tProhlídka\n");
    // Asta's season of 1.1.2100 predicts 2.7.2100, outside the span.
    const Result july = RunDataTool({"agenda", data_, "--from", "1.7.2100"});
    ASSERT_EQ(july.code, 0);
    EXPECT_TRUE(
        july.out.endsWith("2.7.2100\tPředpokládané hárání\tAsta\tposlední hárání "
                          "1.1.2100\n"));
}

TEST_F(AgendaCommand, RefusesABadDateAndAMissingFolder) {
    const Result bad = RunDataTool({"agenda", data_, "--from", "32.1.2100"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains("32.1.2100"));
    EXPECT_TRUE(bad.out.isEmpty());
    const Result missing = RunDataTool({"agenda", dir_.filePath("NONE")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_FALSE(missing.err.isEmpty());
}

}  // namespace
