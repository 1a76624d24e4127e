// How a reading statement is rewritten for a club's server.
#include <gtest/gtest.h>

#include "platform/store/reading_sql.h"

namespace {

using platform::ServerReadingSql;

TEST(ServerReadingSql, QuotesTheStoresNamesAsTheServerSpellsThemAndNothingElse) {
    // Names of the store are quoted in their own spelling, whatever case the
    // statement wrote them in; aliases, functions and keywords stay.
    EXPECT_EQ(ServerReadingSql("SELECT m.OTEC, trim(matka) FROM MAIN_CARD m WHERE rowid = ?1"),
              "SELECT m.\"Otec\", trim(\"Matka\") FROM \"main_card\" m WHERE rowid = $1");
    // Two tables spell one name differently: each spelling is kept as written.
    EXPECT_EQ(ServerReadingSql("SELECT Jmeno_Registr FROM tituly"),
              "SELECT \"Jmeno_Registr\" FROM \"tituly\"");
    EXPECT_EQ(ServerReadingSql("SELECT Jmeno_registr FROM main_card"),
              "SELECT \"Jmeno_registr\" FROM \"main_card\"");
}

TEST(ServerReadingSql, LeavesQuotedTextsAndNamesAsTheyStand) {
    EXPECT_EQ(ServerReadingSql("SELECT 1 FROM main_card WHERE Pohlavi <> 'Otec ?1 ''Matka''' "
                               "AND \"Matka\" = ?12"),
              "SELECT 1 FROM \"main_card\" WHERE \"Pohlavi\" <> 'Otec ?1 ''Matka''' "
              "AND \"Matka\" = $12");
}

TEST(ServerReadingSql, SortsCzechWithTheServersCollation) {
    EXPECT_EQ(ServerReadingSql("SELECT Otec FROM main_card ORDER BY Otec COLLATE CZECH"),
              "SELECT \"Otec\" FROM \"main_card\" ORDER BY \"Otec\" COLLATE \"cs-CZ-x-icu\" "
              "NULLS FIRST");
}

TEST(ServerReadingSql, PutsNullsWhereTheFileDoesInEveryOrderTerm) {
    EXPECT_EQ(ServerReadingSql("SELECT Datum FROM vrhy ORDER BY Datum IS NULL, Datum DESC, rowid"),
              "SELECT \"Datum\" FROM \"vrhy\" ORDER BY \"Datum\" IS NULL NULLS FIRST, "
              "\"Datum\" DESC NULLS LAST, rowid NULLS FIRST");
    // Before LIMIT, inside a sub-select, and where the term places them itself.
    EXPECT_EQ(ServerReadingSql("SELECT 1 FROM vrhy WHERE rowid IN (SELECT rowid FROM vrhy "
                               "ORDER BY Datum DESC LIMIT 1) ORDER BY Datum NULLS LAST"),
              "SELECT 1 FROM \"vrhy\" WHERE rowid IN (SELECT rowid FROM \"vrhy\" "
              "ORDER BY \"Datum\" DESC NULLS LAST LIMIT 1) ORDER BY \"Datum\" NULLS LAST");
    // GROUP BY is no order.
    EXPECT_EQ(ServerReadingSql("SELECT Plemeno FROM vrhy GROUP BY 1"),
              "SELECT \"Plemeno\" FROM \"vrhy\" GROUP BY 1");
}

TEST(ServerReadingSql, TextsGoAsOneArrayWithTheirQuotesAndBackslashesKept) {
    EXPECT_EQ(platform::ServerTextArray({}), "{}");
    EXPECT_EQ(platform::ServerTextArray({"Aron", "Bára \"Bí\" z Dvora", "C:\\psi", "{,}"}),
              "{\"Aron\",\"Bára \\\"Bí\\\" z Dvora\",\"C:\\\\psi\",\"{,}\"}");
}

TEST(ReadingSql, SpellsWhatTheStoresHoldDifferently) {
    const platform::ReadingSql file(false), server(true);
    EXPECT_EQ(file.HasDate("d"), "d > ''");
    EXPECT_EQ(server.HasDate("d"), "d IS NOT NULL");
    EXPECT_EQ(file.NoDate("d"), "(d IS NULL OR d = '')");
    EXPECT_EQ(server.NoDate("d"), "d IS NULL");
    EXPECT_EQ(file.IsSet("b"), "coalesce(b, 0) <> 0");
    EXPECT_EQ(server.IsSet("b"), "coalesce(b, false)");
    EXPECT_EQ(file.NotCleared("b"), "(b IS NULL OR b <> 0)");
    EXPECT_EQ(server.NotCleared("b"), "b IS NOT FALSE");
    EXPECT_EQ(file.DaysAfter("d", 56), "date(d, '+56 days')");
    EXPECT_EQ(server.DaysAfter("d", 56), "(d + 56)");
    EXPECT_EQ(file.YearOf("d"), "substr(d, 1, 4)");
    EXPECT_EQ(server.YearOf("d"), "to_char(d, 'YYYY')");
}

}  // namespace
