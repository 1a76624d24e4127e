// The rules of the diary at their edges, on a real store.
#include <gtest/gtest.h>

#include "platform/store/sqlite_handle.h"
#include "records/diary/agenda_lines.h"
#include "records/diary/diary_book.h"
#include "records/diary/due_reading.h"
#include "tests/platform/store/store_fixture.h"

namespace {

using diary::DiaryKind;

const QDate kToday(2026, 6, 15);

class DiaryBookTest : public store_test::StoreFixture {
  protected:
    QStringList Lines(const diary::DiarySpan& span) {
        QStringList lines;
        for (const diary::DiaryEntry& entry : diary::ReadDiary(*db_, span, kToday)) {
            lines << diary::AgendaLine(entry);
        }
        return lines;
    }
    QStringList Lines() { return Lines(diary::DefaultSpan(kToday)); }

    void AddVisit(const QString& name, const QString& day, const QString& next,
                  const QString& reason = QString()) {
        std::vector<std::pair<QString, QString>> columns{{"Jmeno_registr", name},
                                                         {"Datum_osetreni", day}};
        if (!next.isEmpty()) {
            columns.push_back({"Dalsi_navsteva", next});
        }
        if (!reason.isEmpty()) {
            columns.push_back({"Duvod_osetreni", reason});
        }
        AddRow("osetreni.db", columns);
    }
    void AddBitch(const QString& name, std::vector<std::pair<QString, QString>> columns = {}) {
        columns.push_back({"Pohlavi", "Fena"});
        columns.push_back({"Vlastnictvi", "1"});
        AddCard(name, columns);
    }
    void AddSeason(const QString& name, const QString& day) {
        AddRow("harani.db", {{"Jmeno_registr", name}, {"Datum", day}});
    }
};

TEST_F(DiaryBookTest, NextVisitIsClosedByAVisitOnOrAfterItsDay) {
    AddVisit("Asta", "1.6.2026", "20.6.2026", "Očkování");
    AddVisit("Asta", "19.6.2026", "");  // the day before: still open
    AddVisit("Brit", "1.6.2026", "20.6.2026");
    AddVisit("Brit", "20.6.2026", "");                       // on the day: closed
    AddVisit("Cita", "1.5.2026", "10.6.2026", "Prohlídka");  // passed, nothing since
    EXPECT_EQ(Lines(), (QStringList{"10.6.2026\tDalší návštěva\tCita\tProhlídka\tpo termínu",
                                    "20.6.2026\tDalší návštěva\tAsta\tOčkování"}));
}

// Nothing can close a dead or removed animal's next visit or litter any
// more, so they are not due; an event without a record sheet still is.
TEST_F(DiaryBookTest, NothingDueForAnimalsThatDiedOrLeftTheRegister) {
    AddCard("Asta", {{"Datum_uhyn", "1.6.2026"}});
    AddCard("Bea", {{"Datum_vyr", "1.6.2026"}});
    AddCard("Cita");
    for (const char* name : {"Asta", "Bea", "Cita", "Dora"}) {
        AddVisit(QString::fromLatin1(name), "1.5.2026", "20.6.2026");
        AddRow("kryti.DB",
               {{"Jmeno_registr", QString::fromLatin1(name)}, {"Datum_kryti_1", "20.4.2026"}});
    }
    EXPECT_EQ(Lines(), (QStringList{"20.6.2026\tDalší návštěva\tCita\tnávštěva lékaře",
                                    "20.6.2026\tDalší návštěva\tDora\tnávštěva lékaře",
                                    "22.6.2026\tPředpokládaný vrh\tCita\tkrytí 20.4.2026",
                                    "22.6.2026\tPředpokládaný vrh\tDora\tkrytí 20.4.2026"}));
}

TEST_F(DiaryBookTest, ExpectedLitterUntilALitterFrom56To72DaysAfterTheMating) {
    AddRow("kryti.DB",
           {{"Jmeno_registr", "Asta"}, {"Datum_kryti_1", "20.4.2026"}, {"Jmeno_partner", "Brok"}});
    AddRow("vrhy.db", {{"Jmeno_registr", "Asta"}, {"Datum", "14.6.2026"}});  // 55 days
    AddRow("kryti.DB", {{"Jmeno_registr", "Bea"}, {"Datum_kryti_1", "20.4.2026"}});
    AddRow("vrhy.db", {{"Jmeno_registr", "Bea"}, {"Datum", "15.6.2026"}});  // 56 days
    AddRow("kryti.DB", {{"Jmeno_registr", "Cita"}, {"Datum_kryti_1", "20.4.2026"}});
    AddRow("vrhy.db", {{"Jmeno_registr", "Cita"}, {"Datum", "1.7.2026"}});  // 72 days
    AddRow("kryti.DB",
           {{"Jmeno_registr", "Dora"}, {"Datum_kryti_1", "20.4.2026"}, {"Nakryta_Ano_Ne", "Ne"}});
    AddRow("kryti.DB",
           {{"Jmeno_registr", "Ema"}, {"Datum_kryti_1", "20.4.2026"}, {"Datum_vrhu", "21.6.2026"}});
    AddRow("kryti.DB",
           {{"Jmeno_registr", "Fany"}, {"Datum_kryti_1", "1.4.2026"}, {"Nakryta_Ano_Ne", "Ano"}});
    EXPECT_EQ(Lines(),
              (QStringList{"3.6.2026\tPředpokládaný vrh\tFany\tkrytí 1.4.2026\tpo termínu",
                           "22.6.2026\tPředpokládaný vrh\tAsta\tkrytí 20.4.2026, pes Brok"}));
}

TEST_F(DiaryBookTest, SeasonsOnlyOfOwnedLivingBitchesStillInTheRegister) {
    AddBitch("Asta");
    AddSeason("Asta", "1.1.2026");  // one season: + 182 days
    AddBitch("Bea", {{"Datum_uhyn", "1.3.2026"}});
    AddSeason("Bea", "1.1.2026");
    AddBitch("Cita", {{"Datum_vyr", "1.3.2026"}});
    AddSeason("Cita", "1.1.2026");
    AddCard("Dora", {{"Pohlavi", "Fena"}, {"Vlastnictvi", "0"}});
    AddSeason("Dora", "1.1.2026");
    AddCard("Brok", {{"Pohlavi", "Pes"}, {"Vlastnictvi", "1"}});
    AddSeason("Brok", "1.1.2026");
    EXPECT_EQ(Lines(),
              (QStringList{"2.7.2026\tPředpokládané hárání\tAsta\tposlední hárání 1.1.2026"}));
}

TEST_F(DiaryBookTest, SeasonsPredictedFromTwoAndFromFiveRecordedSeasons) {
    AddBitch("Asta");
    AddSeason("Asta", "1.7.2025");
    AddSeason("Asta", "1.1.2026");  // interval 184 days
    AddBitch("Bea");
    // Five seasons: four intervals of 150, 160, 170 and 180 days, mean 165;
    // a sixth, older season would fall out of the mean.
    for (const char* day : {"19.8.2024", "16.1.2025", "25.6.2025", "12.12.2025", "10.6.2026"}) {
        AddSeason("Bea", QString::fromLatin1(day));
    }
    AddBitch("Cita");
    for (const char* day :
         {"1.1.2020", "19.8.2024", "16.1.2025", "25.6.2025", "12.12.2025", "10.6.2026"}) {
        AddSeason("Cita", QString::fromLatin1(day));
    }
    EXPECT_EQ(Lines(diary::DiarySpan{QDate(2026, 6, 15), QDate(2026, 12, 31)}),
              (QStringList{"4.7.2026\tPředpokládané hárání\tAsta\tposlední hárání 1.1.2026",
                           "22.11.2026\tPředpokládané hárání\tBea\tposlední hárání 10.6.2026",
                           "22.11.2026\tPředpokládané hárání\tCita\tposlední hárání 10.6.2026"}));
}

TEST_F(DiaryBookTest, RemindersThatStillRemindWithOverdueOnesAlwaysShown) {
    AddRow("schedule.db",
           {{"Datum", "1.1.2026"}, {"Akce", "Zaplatit\tčlenství"}, {"Upozornit", "Ano"}});
    AddRow("schedule.db", {{"Datum", "16.6.2026"}, {"Akce", "Hotovo"}, {"Upozornit", "Ne"}});
    AddRow("schedule.db",
           {{"Datum", "16.6.2026"}, {"Akce", "Objednat krmení"}, {"Upozornit", "Ano"}});
    AddRow("schedule.db", {{"Datum", "16.8.2026"}, {"Akce", "Po období"}, {"Upozornit", "Ano"}});
    const QStringList expected{"1.1.2026\tUpozornění\t\tZaplatit členství\tpo termínu",
                               "16.6.2026\tUpozornění\t\tObjednat krmení"};
    EXPECT_EQ(Lines(), expected);
    // A span in the future still starts with what is overdue.
    EXPECT_EQ(Lines({QDate(2026, 8, 1), QDate(2026, 8, 31)}),
              (QStringList{expected[0], "16.8.2026\tUpozornění\t\tPo období"}));
}

TEST_F(DiaryBookTest, OneDaySortsByKindThenByName) {
    AddVisit("Cita", "1.6.2026", "22.6.2026");
    AddVisit("Asta", "1.6.2026", "22.6.2026");
    AddRow("kryti.DB", {{"Jmeno_registr", "Bea"}, {"Datum_kryti_1", "20.4.2026"}});
    AddRow("schedule.db", {{"Datum", "22.6.2026"}, {"Akce", "Výstava"}, {"Upozornit", "1"}});
    AddBitch("Dora");
    AddSeason("Dora", "22.12.2025");
    const QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("22.6.2026\tDalší návštěva\tAsta"));
    EXPECT_TRUE(lines[1].startsWith("22.6.2026\tDalší návštěva\tCita"));
    EXPECT_TRUE(lines[2].startsWith("22.6.2026\tPředpokládané hárání\tDora"));
    EXPECT_TRUE(lines[3].startsWith("22.6.2026\tPředpokládaný vrh\tBea"));
    EXPECT_TRUE(lines[4].startsWith("22.6.2026\tUpozornění\t\tVýstava"));
}

// The start-up reading runs on a connection of its own that maps the file:
// it must see what the program's connection has written and not yet moved
// out of the write-ahead log, and give what the diary gives for the days.
// On a club's server it logs in on a connection of its own by the address.
TEST_F(DiaryBookTest, StartUpReadingSeesUncheckpointedRowsAndMatchesTheDiary) {
    AddVisit("Asta", "1.5.2026", "10.6.2026", "Prohlídka");
    AddVisit("Brit", "1.6.2026", "18.6.2026");
    AddRow("schedule.db", {{"Datum", "30.6.2026"}, {"Akce", "Výstava"}, {"Upozornit", "1"}});
    if (!OnServer()) {
        db_->Handle().Execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    AddBitch("Dora");
    AddSeason("Dora", "20.12.2025");  // written after the checkpoint: only in the log

    diary::DueReading reading(OnServer() ? folder_ : platform::Database::DatabaseFile(folder_), 7,
                              kToday);
    QStringList lines;
    for (const diary::DiaryEntry& entry : reading.Entries()) {
        lines << diary::AgendaLine(entry);
    }
    EXPECT_EQ(lines, Lines({kToday, kToday.addDays(7)}));
    EXPECT_EQ(lines, (QStringList{"10.6.2026\tDalší návštěva\tAsta\tProhlídka\tpo termínu",
                                  "18.6.2026\tDalší návštěva\tBrit\tnávštěva lékaře",
                                  "20.6.2026\tPředpokládané hárání\tDora\tposlední hárání "
                                  "20.12.2025"}));
}

TEST(DueReadingTest, AFileThatCannotBeReadIsReportedWhenTheEntriesAreAskedFor) {
    diary::DueReading reading(QStringLiteral("/nonexistent/harvel.sqlite"), 7, kToday);
    EXPECT_THROW(reading.Entries(), platform::StoreError);
}

TEST(AgendaSpanTest, DefaultsOptionsAndRefusals) {
    using diary::ParseAgendaSpan;
    const auto span = [](const QStringList& options) {
        const diary::DiarySpan s = ParseAgendaSpan(options, kToday);
        return QStringList{s.from.toString(Qt::ISODate), s.to.toString(Qt::ISODate)};
    };
    EXPECT_EQ(span({}), (QStringList{"2026-06-15", "2026-07-15"}));
    EXPECT_EQ(span({"--from", "1.7.2026"}), (QStringList{"2026-07-01", "2026-07-31"}));
    EXPECT_EQ(span({"--to", "20.6.2026"}), (QStringList{"2026-06-15", "2026-06-20"}));
    EXPECT_EQ(span({"--from", "1.1.2026", "--to", "2.1.2026"}),
              (QStringList{"2026-01-01", "2026-01-02"}));
    EXPECT_THROW(span({"--from", "31.2.2026"}), platform::StoreError);
    EXPECT_THROW(span({"--to"}), platform::StoreError);
    EXPECT_THROW(span({"--od", "1.1.2026"}), platform::StoreError);
    EXPECT_THROW(span({"--from", "2.1.2026", "--to", "1.1.2026"}), platform::StoreError);
}

}  // namespace
