#include <gtest/gtest.h>

#include "platform/store/schema.h"
#include "store_fixture.h"

using platform::ColumnType;
using platform::FindTableSchema;

TEST(Schema, HasTheTablesWithTheirColumnCounts) {
    const std::vector<std::pair<const char*, size_t>> expected = {
        {"main_card.db", 58}, {"vrhy.db", 8},      {"kryti.DB", 19},   {"osetreni.db", 9},
        {"vystavy.db", 11},   {"tituly.db", 6},    {"Zkousky.DB", 6},  {"chovnost.DB", 5},
        {"foto_album.db", 3}, {"rodokmen.db", 62}, {"adresar.db", 20}, {"plemeno.db", 3},
        {"schedule.db", 3},   {"harani.db", 3}};
    ASSERT_EQ(platform::AllTableSchemas().size(), expected.size());
    for (const auto& [file, count] : expected) {
        const platform::TableSchema* t = FindTableSchema(QString::fromLatin1(file));
        ASSERT_NE(t, nullptr) << file;
        EXPECT_EQ(t->fileName, QString::fromLatin1(file));
        EXPECT_EQ(t->columns.size(), count) << file;
    }
}

TEST(Schema, MainCardColumnsKeepOrderTypeAndWidth) {
    const auto* t = FindTableSchema(QStringLiteral("main_card.db"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->columns[0].name, "Jmeno_registr");
    EXPECT_EQ(t->columns[0].width, 40);
    EXPECT_EQ(t->columns[2].type, ColumnType::Boolean);
    EXPECT_EQ(t->columns[6].name, "Datum_nar");
    EXPECT_EQ(t->columns[6].type, ColumnType::Date);
    EXPECT_EQ(t->columns[15].name, "Cip");
    EXPECT_EQ(t->columns[15].type, ColumnType::Largeint);
    EXPECT_EQ(t->columns[54].name, "Povaha");
    EXPECT_EQ(t->columns[54].width, 200);
    EXPECT_EQ(t->columns[55].type, ColumnType::Memo);
    EXPECT_EQ(t->columns[56].name, "Barva");
    EXPECT_EQ(t->columns[56].type, ColumnType::Smallint);
}

TEST(Schema, PedigreeHasAncestorsThenTitlesInTheSameOrder) {
    const auto* t = FindTableSchema(QStringLiteral("rodokmen"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->columns[1].name, "Otec");
    EXPECT_EQ(t->columns[10].name, "Matka_prababa_1");
    EXPECT_EQ(t->columns[30].name, "Matka_PraPraBaba_4");
    EXPECT_EQ(t->columns[31].name, "TIT_Jmeno_registr");
    EXPECT_EQ(t->columns[41].name, "TIT_Matka_prababa_1");
    EXPECT_EQ(t->columns[61].name, "TIT_Matka_PraPraBaba_4");
    for (const auto& c : t->columns) {
        EXPECT_EQ(c.type, ColumnType::Text);
        EXPECT_EQ(c.width, 40);
    }
}

TEST(Schema, FindsTablesWhateverTheCaseAndEnding) {
    EXPECT_EQ(FindTableSchema(QStringLiteral("KRYTI.db")),
              FindTableSchema(QStringLiteral("kryti.DB")));
    EXPECT_NE(FindTableSchema(QStringLiteral("zkousky")), nullptr);
    EXPECT_NE(FindTableSchema(QStringLiteral("Main_Card")), nullptr);
    EXPECT_EQ(FindTableSchema(QStringLiteral("main_card.dbx")), nullptr);
    EXPECT_EQ(FindTableSchema(QStringLiteral("sqlite_master")), nullptr);
    EXPECT_EQ(FindTableSchema(QString()), nullptr);
    const auto* tituly = FindTableSchema(QStringLiteral("tituly.db"));
    ASSERT_NE(tituly, nullptr);
    EXPECT_EQ(tituly->ColumnIndex(QStringLiteral("jmeno_registr")), 0);
    EXPECT_EQ(tituly->FindColumn(QStringLiteral("nope")), nullptr);
}

TEST(Schema, KeysAndIndexesAsTheProgramNeedsThem) {
    const auto* cards = FindTableSchema(QStringLiteral("main_card.db"));
    ASSERT_EQ(cards->indexes.size(), 3u);
    EXPECT_TRUE(cards->indexes[0].unique);
    EXPECT_EQ(cards->indexes[0].columns, QStringList{"Jmeno_registr"});
    // The look-ups by parent came later: an older database lacks them.
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_FALSE(cards->indexes[i].unique);
        EXPECT_TRUE(cards->indexes[i].addedLater);
    }
    EXPECT_EQ(cards->indexes[1].columns, QStringList{"Otec"});
    EXPECT_EQ(cards->indexes[2].columns, QStringList{"Matka"});
    const auto* addresses = FindTableSchema(QStringLiteral("adresar.db"));
    EXPECT_TRUE(addresses->indexes[0].unique);
    EXPECT_EQ(addresses->indexes[0].columns, QStringList{"Nazev_Key"});
    for (const char* file : {"vrhy.db", "chovnost.DB"}) {
        const auto* t = FindTableSchema(QString::fromLatin1(file));
        EXPECT_EQ(t->indexes[0].columns, (QStringList{"Jmeno_registr", "Datum"})) << file;
    }
    for (const char* file : {"kryti.DB", "osetreni.db", "vystavy.db", "tituly.db", "Zkousky.DB",
                             "foto_album.db", "rodokmen.db"}) {
        const auto* t = FindTableSchema(QString::fromLatin1(file));
        ASSERT_FALSE(t->indexes.empty()) << file;
        EXPECT_EQ(t->indexes[0].columns.first().toLower(), "jmeno_registr") << file;
    }
}

class SchemaDatabase : public store_test::StoreFixture {};

TEST_F(SchemaDatabase, EveryTableOpensEmptyWithItsColumns) {
    for (const auto& schema : platform::AllTableSchemas()) {
        platform::Table t(*db_, schema.fileName);
        t.Open();
        EXPECT_EQ(t.RecordCount(), 0) << schema.fileName.toStdString();
        EXPECT_EQ(t.FieldCount(), static_cast<int>(schema.columns.size()));
        EXPECT_TRUE(t.Eof());
        EXPECT_TRUE(t.Bof());
    }
}

TEST_F(SchemaDatabase, CreateSchemaRefusesAnExistingDatabase) {
    try {
        platform::Database::CreateSchema(folder_);
        FAIL() << "an existing database was overwritten";
    } catch (const platform::StoreError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("nebude přepsána"))) << e.what();
    }
}
