// Reading statements give the same values on the kennel's file and on a
// club's server (this program runs once on each store).
#include <gtest/gtest.h>

#include "platform/store/reading_sql.h"
#include "platform/store/store_statement.h"
#include "tests/platform/store/store_fixture.h"

namespace {

using platform::StoreStatement;

class StoreStatementTest : public store_test::StoreFixture {
  protected:
    platform::ReadingSql Sql() const { return platform::ReadingSql(db_->IsServer()); }

    QStringList Texts(StoreStatement& rows, int column = 0) {
        QStringList texts;
        while (rows.Step()) {
            texts << (rows.IsNull(column) ? QStringLiteral("<null>") : rows.Text(column));
        }
        return texts;
    }
};

TEST_F(StoreStatementTest, EveryKindOfValueReadsAsInTheFile) {
    AddCard("Aron", {{"Datum_nar", "3.4.2021"},
                     {"Vlastnictvi", "true"},
                     {"Cip", "203098100123456"},
                     {"Pohlavi", "Pes"}});
    AddCard("Bára");  // everything else empty
    StoreStatement rows(*db_, QStringLiteral("SELECT Jmeno_registr, Datum_nar, %1, Cip, Pohlavi "
                                             "FROM main_card WHERE Jmeno_registr = ?1")
                                  .arg(Sql().IsSet("Vlastnictvi")));
    rows.Bind(1, platform::Value(QStringLiteral("Aron")));
    ASSERT_TRUE(rows.Step());
    EXPECT_EQ(rows.Text(0), "Aron");
    EXPECT_EQ(rows.Text(1), "2021-04-03");
    EXPECT_EQ(rows.Int(2), 1);
    EXPECT_EQ(rows.Int(3), 203098100123456);
    EXPECT_EQ(rows.Column(3), platform::Value(std::int64_t{203098100123456}));
    EXPECT_EQ(rows.Column(4), platform::Value(QStringLiteral("Pes")));
    EXPECT_FALSE(rows.Step());

    rows.Reset();
    rows.Bind(1, platform::Value(QStringLiteral("Bára")));
    ASSERT_TRUE(rows.Step());
    EXPECT_EQ(rows.Int(2), 0);
    for (int column : {1, 3, 4}) {
        EXPECT_TRUE(rows.IsNull(column)) << column;
        EXPECT_EQ(rows.Text(column), QString()) << column;
        EXPECT_EQ(rows.Int(column), 0) << column;
    }
}

TEST_F(StoreStatementTest, PicturesComeBackByteForByte) {
    const QByteArray png("\x89PNG\r\n\x1a\n\0\\x00\xff", 14);
    platform::Table photos(*db_, QStringLiteral("foto_album.db"));
    photos.Open();
    photos.Append();
    photos.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QStringLiteral("Aron"));
    photos.FieldByName(QStringLiteral("Foto_1")).SetAsBytes(png);
    photos.Post();
    StoreStatement rows(*db_, QStringLiteral("SELECT Foto_1 FROM foto_album"));
    ASSERT_TRUE(rows.Step());
    EXPECT_EQ(rows.Column(0), platform::Value(png));
}

TEST_F(StoreStatementTest, OrdersNullsAndCzechNamesAsTheFileDoes) {
    AddRow("vrhy.db", {{"Jmeno_registr", "Chrpa"}, {"Datum", "1.2.2020"}});
    AddRow("vrhy.db", {{"Jmeno_registr", "Hana"}});
    AddRow("vrhy.db", {{"Jmeno_registr", "Čita"}, {"Datum", "5.6.2022"}});
    AddRow("vrhy.db", {{"Jmeno_registr", "Cilka"}, {"Datum", "5.6.2021"}});
    StoreStatement byDate(*db_, QStringLiteral("SELECT Jmeno_registr FROM vrhy "
                                               "ORDER BY Datum DESC, rowid"));
    EXPECT_EQ(Texts(byDate), (QStringList{"Čita", "Cilka", "Chrpa", "Hana"}));
    StoreStatement byDateUp(*db_, QStringLiteral("SELECT Jmeno_registr FROM vrhy ORDER BY Datum"));
    EXPECT_EQ(Texts(byDateUp), (QStringList{"Hana", "Chrpa", "Cilka", "Čita"}));
    StoreStatement byName(*db_, QStringLiteral("SELECT Jmeno_registr FROM vrhy "
                                               "ORDER BY Jmeno_registr COLLATE CZECH"));
    EXPECT_EQ(Texts(byName), (QStringList{"Cilka", "Čita", "Hana", "Chrpa"}));
}

TEST_F(StoreStatementTest, LookUpsReadSideBySideAndAScanReadsTheWholeTable) {
    for (const char* name : {"Aron", "Bára", "Cit"}) {
        AddCard(name, {{"Otec", "Aron"}});
    }
    StoreStatement cards(*db_,
                         QStringLiteral("SELECT Jmeno_registr FROM main_card ORDER BY rowid"));
    StoreStatement children(*db_, QStringLiteral("SELECT count(*) FROM main_card WHERE Otec = ?1"));
    QStringList seen;
    while (cards.Step()) {
        children.Reset();
        children.Bind(1, platform::Value(cards.Text(0)));
        ASSERT_TRUE(children.Step());
        seen << QStringLiteral("%1:%2").arg(cards.Text(0)).arg(children.Int(0));
    }
    EXPECT_EQ(seen, (QStringList{"Aron:3", "Bára:0", "Cit:0"}));

    StoreStatement scan(*db_, QStringLiteral("SELECT Otec FROM main_card"),
                        StoreStatement::Reading::Scan);
    EXPECT_EQ(Texts(scan), (QStringList{"Aron", "Aron", "Aron"}));
    // A scan reset before its end leaves the database free for the next.
    StoreStatement again(*db_, QStringLiteral("SELECT Jmeno_registr FROM main_card ORDER BY rowid"),
                         StoreStatement::Reading::Scan);
    ASSERT_TRUE(again.Step());
    again.Reset();
    EXPECT_EQ(QueryColumn("SELECT Jmeno_registr FROM main_card", "Jmeno_registr").size(), 3);
}

// The ancestors' record sheets are read a wave at a time on a server: names
// with quotes, backslashes and commas come back whole, and a look-up run
// again with other values gives their rows.
TEST_F(StoreStatementTest, AServerTakesManyNamesAsOneParameter) {
    if (!OnServer()) {
        GTEST_SKIP() << "an array parameter is the server's";
    }
    const QStringList names{"Aron", "Bára \"Bí\" z Dvora", "C:\\psi", "{Dan, Eda}"};
    for (const QString& name : names) {
        AddCard(name);
    }
    AddCard("Ferda");
    StoreStatement cards(*db_,
                         QStringLiteral("SELECT Jmeno_registr FROM main_card "
                                        "WHERE Jmeno_registr = ANY(?1::text[]) ORDER BY rowid"));
    cards.Bind(1, platform::Value(platform::ServerTextArray(names)));
    EXPECT_EQ(Texts(cards), names);
    cards.Reset();
    cards.Bind(1, platform::Value(platform::ServerTextArray({"Ferda", "Gita"})));
    EXPECT_EQ(Texts(cards), QStringList{"Ferda"});
}

TEST_F(StoreStatementTest, DatesAndFlagsCompareAlikeOnBothStores) {
    AddRow("kryti.db", {{"Jmeno_registr", "Asta"}, {"Datum_kryti_1", "1.3.2026"}});
    AddRow("kryti.db", {{"Jmeno_registr", "Bety"},
                        {"Datum_kryti_1", "1.3.2026"},
                        {"Datum_vrhu", "2.5.2026"},
                        {"Nakryta_Ano_Ne", "false"}});
    AddRow("kryti.db", {{"Jmeno_registr", "Cira"}});
    const platform::ReadingSql sql = Sql();
    StoreStatement open(*db_,
                        QStringLiteral("SELECT Jmeno_registr, %1 FROM kryti "
                                       "WHERE %2 AND %3 AND %4 ORDER BY rowid")
                            .arg(sql.DaysAfter("Datum_kryti_1", 63), sql.HasDate("Datum_kryti_1"),
                                 sql.NoDate("Datum_vrhu"), sql.NotCleared("Nakryta_Ano_Ne")));
    ASSERT_TRUE(open.Step());
    EXPECT_EQ(open.Text(0), "Asta");
    EXPECT_EQ(open.Text(1), "2026-05-03");
    EXPECT_FALSE(open.Step());
}

}  // namespace
