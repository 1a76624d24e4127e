// Aggregates of the local SQL (COUNT, SUM, MIN, MAX, AVG with GROUP BY and
// HAVING) and the 64-bit microchip column, run against a small kennel.

#include <gtest/gtest.h>

#include "store_fixture.h"

using platform::StoreError;

namespace {

class SqlAggregates : public store_test::StoreFixture {
  protected:
    void SetUp() override {
        StoreFixture::SetUp();
        AddCard("Cyril", {{"Pohlavi", "Pes"},
                          {"Plemeno", "Bígl"},
                          {"Vyska_kohout", "38.5"},
                          {"Datum_nar", "5.3.2020"}});
        AddCard("Čert", {{"Pohlavi", "Fena"},
                         {"Plemeno", "Bígl"},
                         {"Vyska_kohout", "35"},
                         {"Datum_nar", "31.12.2020"}});
        AddCard("Hugo", {{"Pohlavi", "Pes"}, {"Plemeno", "Pudl"}, {"Datum_nar", "1.1.2021"}});
        AddCard("Chrt", {{"Pohlavi", "Fena"}, {"Plemeno", "Čivava"}, {"Vyska_kohout", "20"}});
        AddCard("alík", {{"Pohlavi", "Fena"}});
    }

    // The rows of a query as "a|b|c" texts.
    QStringList Rows(const QString& sql) {
        platform::Query q(*db_);
        q.SetSQL(sql.split('\n'));
        q.Open();
        QStringList rows;
        for (q.First(); !q.Eof(); q.Next()) {
            QStringList cells;
            for (int i = 0; i < q.FieldCount(); ++i) {
                cells << q.Fields(i).AsString();
            }
            rows << cells.join('|');
        }
        return rows;
    }

    QStringList Names(const QString& sql) {
        platform::Query q(*db_);
        q.SetSQL(sql.split('\n'));
        q.Open();
        QStringList names;
        for (int i = 0; i < q.FieldCount(); ++i) {
            names << q.Fields(i).Name();
        }
        return names;
    }

    QString Refusal(const QString& sql) {
        try {
            Rows(sql);
        } catch (const StoreError& e) {
            return e.Message();
        }
        return QStringLiteral("(accepted)");
    }
};

TEST_F(SqlAggregates, CountsOverTheWholeTable) {
    EXPECT_EQ(Rows("Select COUNT(*) from Main_card"), QStringList{"5"});
    EXPECT_EQ(Names("Select COUNT(*) from Main_card"), QStringList{"COUNT OF *"});
    // An empty text is no value, so it is not counted.
    EXPECT_EQ(Rows("select count(Plemeno), count(distinct Plemeno) from main_card"),
              QStringList{"4|3"});
    EXPECT_EQ(Rows("select count(*) as Pocet from main_card where Pohlavi = \"Fena\""),
              QStringList{"3"});
    EXPECT_EQ(Names("select count(*) as Pocet, min(Datum_nar) from main_card"),
              (QStringList{"Pocet", "MIN OF Datum_nar"}));
}

TEST_F(SqlAggregates, SumMinMaxAvgKeepTheirTypes) {
    const QStringList row = Rows(
        "select sum(Vyska_kohout), min(Vyska_kohout), max(Vyska_kohout), avg(Vyska_kohout), "
        "min(Datum_nar), max(Jmeno_registr) from main_card");
    ASSERT_EQ(row.size(), 1);
    const QStringList cells = row.first().split('|');
    EXPECT_DOUBLE_EQ(cells[0].toDouble(), 93.5);
    EXPECT_DOUBLE_EQ(cells[1].toDouble(), 20.0);
    EXPECT_DOUBLE_EQ(cells[2].toDouble(), 38.5);
    EXPECT_NEAR(cells[3].toDouble(), 93.5 / 3, 1e-9);
    EXPECT_EQ(cells[4], "5.3.2020");  // a date stays a date
    EXPECT_EQ(cells[5], "Chrt");      // Czech order: Ch comes after H
}

TEST_F(SqlAggregates, GroupsComeInTheOrderOfTheirColumns) {
    EXPECT_EQ(Rows("select Plemeno, count(*) from main_card group by Plemeno"),
              (QStringList{"|1", "Bígl|2", "Čivava|1", "Pudl|1"}));
    EXPECT_TRUE(Rows("select Pohlavi, Plemeno, count(*) from main_card group by Pohlavi, "
                     "Plemeno having count(*) > 1")
                    .isEmpty());
    EXPECT_EQ(Rows("select Plemeno, count(*) as N from main_card group by Plemeno "
                   "having count(*) >= 2"),
              QStringList{"Bígl|2"});
    EXPECT_EQ(Rows("select Plemeno, count(*) from main_card group by Plemeno "
                   "order by 2 desc, Plemeno"),
              (QStringList{"Bígl|2", "|1", "Čivava|1", "Pudl|1"}));
    EXPECT_EQ(Rows("select Pohlavi, max(Vyska_kohout) from main_card group by Pohlavi "
                   "order by max(Vyska_kohout)"),
              (QStringList{"Fena|35", "Pes|38.5"}));
}

TEST_F(SqlAggregates, MistakesAreRefusedWithAPosition) {
    EXPECT_TRUE(Refusal("select Plemeno, count(*) from main_card").contains("GROUP BY"));
    EXPECT_TRUE(Refusal("select *, count(*) from main_card").contains("(*)"));
    EXPECT_TRUE(Refusal("select * from main_card where count(*) > 1").contains("COUNT"));
    EXPECT_TRUE(Refusal("select sum(Plemeno) from main_card").contains("číselný"));
    EXPECT_TRUE(Refusal("select * from main_card having Plemeno = \"x\"").contains("HAVING"));
    EXPECT_TRUE(Refusal("select count(Foto) from main_card").contains("Foto"));
    EXPECT_TRUE(
        Refusal("select count(*) from main_card; delete from main_card").contains("pozice"));
}

TEST_F(SqlAggregates, MicrochipNumbersAreKeptWhole) {
    AddCard("Čipovaný", {{"Cip", "203098100123456"}});
    AddCard("Krátký čip", {{"Cip", "98765"}});
    EXPECT_EQ(Rows("select Cip from main_card where Cip = 203098100123456"),
              QStringList{"203098100123456"});
    EXPECT_EQ(Rows("select Jmeno_registr from main_card where Cip IS NOT NULL order by Cip desc"),
              (QStringList{"Čipovaný", "Krátký čip"}));
    EXPECT_EQ(Rows("select max(Cip) from main_card"), QStringList{"203098100123456"});
    EXPECT_THROW(AddCard("Příliš dlouhý", {{"Cip", "1000000000000000"}}), StoreError);
    EXPECT_THROW(AddCard("Písmena", {{"Cip", "20309810012345x"}}), StoreError);
}

}  // namespace
