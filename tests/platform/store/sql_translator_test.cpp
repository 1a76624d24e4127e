#include <gtest/gtest.h>

#include "platform/store/sql_lexer.h"
#include "platform/store/sql_translator.h"
#include "platform/store/store_error.h"

using platform::StoreError;
using platform::TranslateLocalSql;

namespace {

QString ErrorOf(const QString& sql) {
    try {
        TranslateLocalSql(sql);
    } catch (const StoreError& e) {
        return e.Message();
    }
    return QString();
}

}  // namespace

TEST(SqlLexer, DoubledQuoteInsideAConstantIsOneQuote) {
    const auto tokens = platform::TokenizeLocalSql(QStringLiteral("x = \"a\"\"b\" and 'c''d'"));
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[2].kind, platform::TokenKind::Text);
    EXPECT_EQ(tokens[2].text, "a\"b");
    EXPECT_EQ(tokens[4].text, "c'd");
    EXPECT_EQ(tokens[5].kind, platform::TokenKind::End);
}

TEST(SqlLexer, LikeWithoutABlankBeforeTheConstant) {
    const auto tokens = platform::TokenizeLocalSql(QStringLiteral("DKK like\"_%\""));
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_TRUE(tokens[1].IsKeyword("LIKE"));
    EXPECT_EQ(tokens[2].text, "_%");
}

TEST(SqlLexer, RejectsUnterminatedTextAndStrayCharacters) {
    EXPECT_THROW(platform::TokenizeLocalSql(QStringLiteral("select \"abc")), StoreError);
    EXPECT_THROW(platform::TokenizeLocalSql(QStringLiteral("select a; /* x */")), StoreError);
    EXPECT_THROW(platform::TokenizeLocalSql(QStringLiteral("select 12abc")), StoreError);
}

TEST(SqlTranslator, AcceptsOnlyOneSelect) {
    for (const char* sql :
         {"delete from main_card", "update main_card set Cip = 1", "drop table main_card",
          "insert into main_card values (1)", "pragma table_info(main_card)",
          "attach database 'x' as y", "create table x (a)", "", "   ",
          "select * from main_card; delete from main_card",
          "select * from main_card union select * from main_card",
          "select * from main_card group by Plemeno", "select * from main_card -- comment",
          "select * from main_card where Cip = 1 or 1 = 1; --"}) {
        EXPECT_FALSE(ErrorOf(QString::fromLatin1(sql)).isEmpty()) << sql;
    }
    EXPECT_TRUE(ErrorOf(QStringLiteral("select * from main_card;")).isEmpty());
}

TEST(SqlTranslator, ConstantsAreBoundNeverSpliced) {
    const auto q =
        TranslateLocalSql(QStringLiteral("Select * from Main_card where Pohlavi = \"x\"\" OR "
                                         "\"\"1\"\"=\"\"1\" and Otec = 'a'';--'"));
    EXPECT_FALSE(q.sql.contains(QStringLiteral(" OR ")));
    EXPECT_FALSE(q.sql.contains(QStringLiteral("--")));
    ASSERT_EQ(q.parameters.size(), 2u);
    EXPECT_EQ(std::get<QString>(q.parameters[0]), QStringLiteral("x\" OR \"1\"=\"1"));
    EXPECT_EQ(std::get<QString>(q.parameters[1]), QStringLiteral("a';--"));
}

TEST(SqlTranslator, UnknownTablesAndColumnsAreNamed) {
    EXPECT_TRUE(ErrorOf(QStringLiteral("select * from sqlite_master")).contains("sqlite_master"));
    EXPECT_TRUE(ErrorOf(QStringLiteral("select * from Main_card where Nic = 1")).contains("Nic"));
    EXPECT_TRUE(ErrorOf(QStringLiteral("select x.Otec from Main_card")).contains("x"));
}

TEST(SqlTranslator, ExpandsStarsWithUniqueResultNames) {
    const auto q = TranslateLocalSql(QStringLiteral(
        "Select vrhy.* ,\nMain_Card.Otec,Main_Card.plemeno\nfrom Vrhy  left Join Main_card  On "
        "Main_card.Jmeno_registr = Vrhy.Jmeno_registr"));
    ASSERT_EQ(q.columns.size(), 10u);
    EXPECT_EQ(q.columns[0].name, "Jmeno_registr");
    EXPECT_EQ(q.columns[3].name, "Plemeno");
    EXPECT_EQ(q.columns[8].name, "Otec");
    EXPECT_EQ(q.columns[9].name, "Plemeno_1");
    EXPECT_EQ(q.columns[9].tableFile, "main_card.db");
    EXPECT_EQ(q.columns[9].column.width, 40);
}

TEST(SqlTranslator, TypesConstantsByTheColumnTheyMeet) {
    EXPECT_TRUE(ErrorOf(QStringLiteral("select * from main_card where Datum_nar = \"abc\""))
                    .contains("Datum_nar"));
    EXPECT_TRUE(ErrorOf(QStringLiteral("select * from main_card where Datum_nar = \"31.2.2005\""))
                    .contains("31.2.2005"));
    EXPECT_FALSE(ErrorOf(QStringLiteral("select * from main_card where Cip = \"x\"")).isEmpty());
    EXPECT_FALSE(
        ErrorOf(QStringLiteral("select * from main_card where Vlastnictvi = \"Možná\"")).isEmpty());
    EXPECT_FALSE(ErrorOf(QStringLiteral("select * from main_card where Plemeno = TRUE")).isEmpty());
    EXPECT_FALSE(
        ErrorOf(QStringLiteral("select * from main_card where Cip like \"1%\"")).isEmpty());
    const auto q = TranslateLocalSql(QStringLiteral(
        "select * from main_card where Datum_nar BETWEEN \"1.1.2020\" AND \"31.12.2020\""));
    ASSERT_EQ(q.parameters.size(), 2u);
    EXPECT_EQ(std::get<QString>(q.parameters[0]), "2020-01-01");
    EXPECT_EQ(std::get<QString>(q.parameters[1]), "2020-12-31");
    for (const char* truth : {"TRUE", "true", "\"TRUE\"", "\"True\""}) {
        const auto b = TranslateLocalSql(
            QStringLiteral("select * from kryti where Nakryta_Ano_Ne = ") + truth);
        ASSERT_EQ(b.parameters.size(), 1u) << truth;
        EXPECT_EQ(std::get<std::int64_t>(b.parameters[0]), 1) << truth;
    }
}

TEST(SqlTranslator, DeepNestingIsRefusedNotCrashed) {
    QString sql = QStringLiteral("select * from main_card where ");
    for (int i = 0; i < 5000; ++i) {
        sql += '(';
    }
    EXPECT_FALSE(ErrorOf(sql).isEmpty());
    QString nots = QStringLiteral("select * from main_card where ");
    for (int i = 0; i < 5000; ++i) {
        nots += QStringLiteral("not ");
    }
    EXPECT_FALSE(ErrorOf(nots + "Cip = 1").isEmpty());
}

TEST(SqlTranslator, ErrorsCarryThePosition) {
    EXPECT_TRUE(
        ErrorOf(QStringLiteral("select * from main_card where Cip = = 1")).contains("pozice 37"));
}
