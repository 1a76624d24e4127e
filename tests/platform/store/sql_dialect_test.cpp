// The statements the data module, the print page and the special selections
// build, run against a small kennel.

#include <gtest/gtest.h>

#include "store_fixture.h"

using platform::StoreError;

namespace {

class SqlDialect : public store_test::StoreFixture {
  protected:
    void SetUp() override {
        StoreFixture::SetUp();
        AddCard("Cyril", {{"Pohlavi", "Pes"},
                          {"Plemeno", "Bígl"},
                          {"Datum_nar", "5.3.2020"},
                          {"DKK", "A"},
                          {"Vlastnictvi", "Ano"},
                          {"Otec", "Brok"}});
        AddCard("Čert", {{"Pohlavi", "Fena"},
                         {"Plemeno", "Bígl"},
                         {"Datum_nar", "31.12.2020"},
                         {"Vlastnictvi", "Ne"},
                         {"Otec", "Alan"}});
        AddCard(
            "Hugo",
            {{"Pohlavi", "Pes"}, {"Plemeno", "Pudl"}, {"Datum_nar", "1.1.2021"}, {"Pra", "neg"}});
        AddCard("Chrt", {{"Pohlavi", "Fena"},
                         {"Plemeno", "Pudl"},
                         {"Datum_nar", "1.1.2020"},
                         {"Vlastnictvi", "Ne"}});
        AddCard("alík", {{"Pohlavi", "Fena"}, {"Plemeno", "Bígl"}, {"Datum_nar", "31.12.2019"}});
        AddRow(
            "osetreni.db",
            {{"Jmeno_registr", "Čert"}, {"Datum_osetreni", "2.2.2022"}, {"Lekar", "MVDr. Novák"}});
        AddRow(
            "osetreni.db",
            {{"Jmeno_registr", "Cyril"}, {"Datum_osetreni", "3.2.2022"}, {"Lekar", "MVDr. Novák"}});
        AddRow("osetreni.db", {{"Jmeno_registr", "Sirotek"}, {"Datum_osetreni", "4.2.2022"}});
        AddRow("kryti.DB", {{"Jmeno_registr", "Čert"},
                            {"Nakryta_Ano_Ne", "true"},
                            {"Datum_kryti_2", "10.5.2021"}});
        AddRow("kryti.DB", {{"Jmeno_registr", "Chrt"}, {"Nakryta_Ano_Ne", "false"}});
        AddRow("chovnost.DB",
               {{"Jmeno_registr", "Chrt"}, {"Datum", "1.6.2021"}, {"Chov_jedinec", "1"}});
    }
};

TEST_F(SqlDialect, ListQueryWithTwoBlanksAndCzechOrder) {
    EXPECT_EQ(QueryColumn("Select *  from Main_card", "Jmeno_registr"),
              (QStringList{"alík", "Cyril", "Čert", "Hugo", "Chrt"}));
    EXPECT_EQ(QueryColumn("Select *  from Main_card\norder by Jmeno_registr DESC", "Jmeno_registr"),
              (QStringList{"Chrt", "Hugo", "Čert", "Cyril", "alík"}));
    EXPECT_EQ(QueryColumn("Select *  from Main_card\norder by Jmeno_registr ASC,Plemeno DESC",
                          "Jmeno_registr")
                  .size(),
              5);
    EXPECT_EQ(QueryColumn("Select *  from Main_card\norder by Plemeno ASC,Jmeno_registr DESC",
                          "Jmeno_registr"),
              (QStringList{"Čert", "Cyril", "alík", "Chrt", "Hugo"}));
}

TEST_F(SqlDialect, OrderOfNumbersDatesNullsAndDistinct) {
    AddCard("Bez data", {{"Barva", "-5"}});
    AddCard("Dva", {{"Barva", "2"}, {"Datum_nar", "1.1.1999"}});
    AddCard("Deset", {{"Barva", "10"}, {"Datum_nar", "2.1.1999"}});
    // Empty values sort first ascending and last descending; numbers by value.
    EXPECT_EQ(QueryColumn("select * from main_card where Barva IS NOT NULL order by Barva DESC",
                          "Jmeno_registr"),
              (QStringList{"Deset", "Dva", "Bez data"}));
    EXPECT_EQ(
        QueryColumn(
            "select * from main_card where Jmeno_registr like \"D%\" or Jmeno_registr like \"B%\" "
            "order by Datum_nar",
            "Jmeno_registr"),
        (QStringList{"Bez data", "Dva", "Deset"}));
    EXPECT_EQ(
        QueryColumn("select * from main_card order by Datum_nar DESC", "Jmeno_registr").last(),
        "Bez data");
    EXPECT_EQ(
        QueryColumn(
            "select distinct Plemeno from main_card where Plemeno <> \"\" order by Plemeno desc",
            "Plemeno"),
        (QStringList{"Pudl", QStringLiteral("Bígl")}));
    EXPECT_EQ(QueryColumn("select Jmeno_registr, Plemeno from main_card order by 2 DESC, 1",
                          "Jmeno_registr")
                  .mid(0, 2),
              (QStringList{"Hugo", "Chrt"}));  // Czech: H before Ch
}

TEST_F(SqlDialect, DatesCompareAsDates) {
    EXPECT_EQ(
        QueryColumn(
            "Select *  from Main_card\nWhere Datum_nar BETWEEN \"1.1.2020\" AND \"31.12.2020\" \n"
            "order by Datum_nar ASC",
            "Jmeno_registr"),
        (QStringList{"Chrt", "Cyril", "Čert"}));
    EXPECT_EQ(
        QueryColumn("select * from main_card where Datum_nar > \"31.12.2020\"", "Jmeno_registr"),
        QStringList{"Hugo"});
    EXPECT_EQ(
        QueryColumn("select * from main_card where Datum_nar = \"05.03.2020\"", "Jmeno_registr"),
        QStringList{"Cyril"});
}

TEST_F(SqlDialect, BooleansQuotedOrNotInAnyCase) {
    EXPECT_EQ(QueryColumn("Select *  from Main_card\nWhere Vlastnictvi = False", "Jmeno_registr"),
              (QStringList{"Čert", "Chrt"}));
    EXPECT_EQ(QueryColumn("Select *  from Main_card\nWhere Vlastnictvi = TRUE", "Jmeno_registr"),
              QStringList{"Cyril"});
    EXPECT_EQ(QueryColumn("select * from kryti where Nakryta_Ano_Ne = \"TRUE\"", "Jmeno_registr"),
              QStringList{"Čert"});
    EXPECT_EQ(QueryColumn("select * from kryti where Nakryta_Ano_Ne = \"FALSE\"", "Jmeno_registr"),
              QStringList{"Chrt"});
}

TEST_F(SqlDialect, LikeIsCaseSensitiveAndEmptyEqualsNull) {
    EXPECT_EQ(QueryColumn("Select *  from Main_card\nWhere DKK like\"_%\" ", "Jmeno_registr"),
              QStringList{"Cyril"});
    EXPECT_EQ(QueryColumn("Select *  from Main_card\nWhere DKK= \"\" AND PRA like\"_%\" ",
                          "Jmeno_registr"),
              QStringList{"Hugo"});
    EXPECT_EQ(
        QueryColumn("select * from main_card where Jmeno_registr like \"c%\"", "Jmeno_registr"),
        QStringList{});
    EXPECT_EQ(
        QueryColumn("select * from main_card where Jmeno_registr like \"C_r%\"", "Jmeno_registr"),
        (QStringList{"Cyril", "Chrt"}));
    EXPECT_EQ(
        QueryColumn("select * from main_card where Jmeno_registr like \"_ert\"", "Jmeno_registr"),
        QStringList{"Čert"});
    EXPECT_EQ(QueryColumn("select * from main_card where Luxace =\"\"", "Jmeno_registr").size(), 5);
    EXPECT_EQ(QueryColumn("select * from main_card where Luxace <> \"\"", "Jmeno_registr").size(),
              0);
}

TEST_F(SqlDialect, NameRangeComparesCharacterByCharacterInCzech) {
    // "C" to "C": only the one-letter name would match; "Cyril" is after "C".
    EXPECT_EQ(QueryColumn("select * from main_card where Jmeno_registr BETWEEN \"A\" AND \"C\"",
                          "Jmeno_registr"),
              QStringList{"alík"});
    EXPECT_EQ(QueryColumn("select * from main_card where Jmeno_registr BETWEEN \"C\" AND \"D\"",
                          "Jmeno_registr"),
              (QStringList{"Cyril", "Čert"}));
    EXPECT_EQ(QueryColumn("select * from main_card where Jmeno_registr BETWEEN \"H\" AND \"I\"",
                          "Jmeno_registr"),
              (QStringList{"Hugo", "Chrt"}));
}

TEST_F(SqlDialect, HealthCardBookQueryKeepsOrphansAndFilters) {
    const QString book =
        "Select osetreni.* ,\n"
        "Main_Card.Otec,Main_Card.Matka,Main_Card.plemeno,Main_Card.Datum_Nar,Main_Card.Pohlavi,"
        "Main_Card.Vlastnictvi,Main_Card.Vlast_odchov,Main_Card.Registr,Main_Card.Registr_Cislo\n"
        "from Osetreni  left Join Main_card  On Main_card.Jmeno_registr = Osetreni.Jmeno_registr";
    EXPECT_EQ(QueryColumn(book, "Jmeno_registr"), (QStringList{"Čert", "Cyril", "Sirotek"}));
    EXPECT_EQ(
        QueryColumn(
            book + "\nwhere Pohlavi = \"Pes\" \nOrder by Jmeno_registr ASC,Plemeno ASC,Otec ASC",
            "Jmeno_registr"),
        QStringList{"Cyril"});
    EXPECT_EQ(
        QueryColumn(
            book + "\nwhere LEKAR =\"MVDr. Novák\" AND Datum_osetreni BETWEEN \"1.1.2022\" AND "
                   "\"2.2.2022\" ",
            "Jmeno_registr"),
        QStringList{"Čert"});
    platform::Query q(*db_);
    q.SetSQL(book.split('\n'));
    q.Open();
    ASSERT_TRUE(q.Locate("Jmeno_registr", "Sirotek"));
    EXPECT_TRUE(q.FieldByName("Otec").IsNull());
    EXPECT_EQ(q.FieldCount(), 18);
}

TEST_F(SqlDialect, SpecialSelectionsConditions) {
    EXPECT_EQ(
        QueryColumn("Select Chovnost.* ,\nMain_Card.Otec\nfrom Chovnost  left Join Main_card  On "
                    "Main_card.Jmeno_registr = Chovnost.Jmeno_registr\nwhere Chov_jedinec = 1 ",
                    "Jmeno_registr"),
        QStringList{"Chrt"});
    EXPECT_EQ(
        QueryColumn(
            "select * from kryti where (Datum_kryti_1 BETWEEN \"1.5.2021\" AND \"31.5.2021\" OR "
            "Datum_kryti_2 BETWEEN \"1.5.2021\" AND \"31.5.2021\" OR Datum_kryti_3 BETWEEN "
            "\"1.5.2021\" AND \"31.5.2021\") AND Nakryta_Ano_Ne = \"TRUE\" ",
            "Jmeno_registr"),
        QStringList{"Čert"});
    EXPECT_EQ(QueryColumn("select * from main_card where CHOVATEL =\"\" AND Pohlavi = \"Fena\"",
                          "Jmeno_registr"),
              (QStringList{"alík", "Čert", "Chrt"}));
}

TEST_F(SqlDialect, InjectionThroughATypedValueMatchesNothing) {
    EXPECT_TRUE(
        QueryColumn("select * from main_card where Pohlavi = \"Pes\"\" OR \"\"1\"\"=\"\"1\"",
                    "Jmeno_registr")
            .isEmpty());
    EXPECT_EQ(QueryColumn("select * from main_card", "Jmeno_registr").size(), 5);
}

TEST_F(SqlDialect, QueriesAreReadOnly) {
    platform::Query q(*db_);
    q.SetSQL({"select * from main_card"});
    q.Open();
    EXPECT_THROW(q.Edit(), StoreError);
    EXPECT_THROW(q.Append(), StoreError);
    EXPECT_THROW(q.Delete(), StoreError);
    EXPECT_EQ(q.RecordCount(), 5);
}

TEST_F(SqlDialect, FailedOpenLeavesTheQueryClosed) {
    platform::Query q(*db_);
    q.SetSQL({"Select *  from Main_card", "Where Datum_nar BETWEEN \"x\" AND \"y\""});
    EXPECT_THROW(q.Open(), StoreError);
    EXPECT_FALSE(q.IsActive());
    q.SetSQL({"Select *  from Main_card"});
    q.Open();
    EXPECT_TRUE(q.IsActive());
}

}  // namespace
