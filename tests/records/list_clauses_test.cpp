// The print page's clause texts: the three-level order, the filter rows'
// parts in their order, the finishing of the where text, the record-sheet
// qualification in the event books, and typed double quotes doubled.
#include <gtest/gtest.h>

#include "records/list_clauses.h"
#include "records/local_sql_text.h"
#include "tests/support/qt_printers.h"

TEST(OrderClause, NoLevelGivesNoClause) {
    TSortLevels levels;
    levels[0].column = -1;  // no entry shown
    levels[1].column = scNone;
    EXPECT_EQ(BuildOrderClause(levels), "");
}

TEST(OrderClause, OnlyTheThirdLevelDescending) {
    TSortLevels levels;
    levels[0].column = -1;
    levels[1].column = -1;
    levels[2] = {scMatka, false};
    EXPECT_EQ(BuildOrderClause(levels), "Matka DESC");
}

TEST(OrderClause, ThreeLevelsJoinedWithCommas) {
    const TSortLevels levels{{{scJmenoRegistr, true}, {scPlemeno, true}, {scOtec, true}}};
    EXPECT_EQ(BuildOrderClause(levels), "Jmeno_registr ASC,Plemeno ASC,Otec ASC");
    const TSortLevels mixed{{{scOtec, false}, {scNone, true}, {scJmenoRegistr, true}}};
    EXPECT_EQ(BuildOrderClause(mixed), "Otec DESC,Jmeno_registr ASC");
}

TEST(FilterClause, NothingCheckedGivesNoClause) {
    TListFilter filter;
    filter.name.from = "A";  // typed but not checked
    EXPECT_EQ(FilterRowParts(filter, QString()), "");
    EXPECT_EQ(FinishFilterClause(""), "");
}

TEST(FilterClause, RowsInTheirOrderEachFollowedByAnd) {
    TListFilter filter;
    filter.ownedActive = true;
    filter.owned = true;
    filter.name = {true, "A", "C"};
    filter.born = {true, "1.1.2020", "31.12.2021"};
    filter.sexActive = true;
    filter.sex = "Fena";
    filter.ownBreedingActive = true;
    filter.ownBreeding = false;
    const QString parts = FilterRowParts(filter, QString());
    EXPECT_EQ(parts,
              "Jmeno_registr BETWEEN \"A\" AND \"C\" AND "
              "Datum_nar BETWEEN \"1.1.2020\" AND \"31.12.2021\" AND "
              "Pohlavi = \"Fena\" AND Vlast_odchov = False AND Vlastnictvi = TRUE AND ");
    // The last four characters go, one blank stays at the end.
    EXPECT_EQ(FinishFilterClause(parts),
              "Jmeno_registr BETWEEN \"A\" AND \"C\" AND "
              "Datum_nar BETWEEN \"1.1.2020\" AND \"31.12.2021\" AND "
              "Pohlavi = \"Fena\" AND Vlast_odchov = False AND Vlastnictvi = TRUE ");
}

TEST(FilterClause, BreedSireAndDamRanges) {
    TListFilter filter;
    filter.breed = {true, "Bígl", "Bígl"};
    filter.sire = {true, "Aron", "Aron"};
    filter.dam = {true, "", ""};
    EXPECT_EQ(FinishFilterClause(FilterRowParts(filter, QString())),
              "Plemeno BETWEEN \"Bígl\" AND \"Bígl\" AND Otec BETWEEN \"Aron\" AND \"Aron\" AND "
              "Matka BETWEEN \"\" AND \"\" ");
}

TEST(FilterClause, SexWithNoChoiceComparesWithAnEmptyText) {
    TListFilter filter;
    filter.sexActive = true;
    EXPECT_EQ(FinishFilterClause(FilterRowParts(filter, QString())), "Pohlavi = \"\" ");
}

TEST(FilterClause, EventBooksNameTheRecordSheetsColumns) {
    EXPECT_EQ(RecordSheetColumnPrefix(0), "");
    for (int source = 1; source <= 9; ++source) {
        EXPECT_EQ(RecordSheetColumnPrefix(source), "Main_card.") << source;
    }
    TListFilter filter;
    filter.sire = {true, "A", "B"};
    filter.sexActive = true;
    filter.sex = "Fena";
    filter.ownedActive = true;
    EXPECT_EQ(FilterRowParts(filter, RecordSheetColumnPrefix(7)),
              "Main_card.Otec BETWEEN \"A\" AND \"B\" AND Main_card.Pohlavi = \"Fena\" AND "
              "Main_card.Vlastnictvi = False AND ");
}

TEST(FilterClause, TypedDoubleQuotesAreDoubled) {
    EXPECT_EQ(LocalSqlText("O\"Brien"), "\"O\"\"Brien\"");
    EXPECT_EQ(LocalSqlText(""), "\"\"");
    EXPECT_EQ(DoubledQuotes("\"\""), "\"\"\"\"");
    TListFilter filter;
    filter.name = {true, "A\" OR \"\"=\"", "Z"};
    EXPECT_EQ(FilterRowParts(filter, QString()),
              "Jmeno_registr BETWEEN \"A\"\" OR \"\"\"\"=\"\"\" AND \"Z\" AND ");
}
