// The print source "Rodokmen z evidence" over a small kennel in a real
// store: the animals the where and order texts choose, each ancestor's
// titles, birth, colour, registration and health from its record sheet, the
// stored pedigree's names and titles where a record sheet is missing, the
// animal's own data and photo, and loops reported to the user.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "tests/support/seams.h"

namespace {

using Values = std::vector<std::pair<const char*, QString>>;

class PedigreeSheet : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
        Add(dm_->TaMain_Card, {{"Jmeno_registr", "Puppy"},
                               {"Otec", "Sire"},
                               {"Matka", "Dam"},
                               {"Plemeno", "Bígl"},
                               {"Pohlavi", "Fena"},
                               {"Cip", "203098100123456"},
                               {"Tetovaci_cislo", "LA 021"},
                               {"Chovatel", "Jana Nová"},
                               {"Majitel", "Petr Starý"},
                               {"Datum_nar", "12.5.2022"},
                               {"Srst_barva", "trikolor"},
                               {"Registr", "ČLP"},
                               {"Registr_Cislo", "21077/22"},
                               {"DKK", "A"},
                               {"Pra", "neg"}});
        Add(dm_->TaMain_Card, {{"Jmeno_registr", "Sire"}, {"Otec", "Grandsire"}});
        Add(dm_->TaMain_Card, {{"Jmeno_registr", "Dam"}, {"Luxace", "0/0"}});
        Add(dm_->TaMain_Card, {{"Jmeno_registr", "Loopy"}, {"Otec", "Loopy"}});
        Open(dm_->TaTituly);
        Add(dm_->TaTituly, {{"Jmeno_Registr", "Sire"},
                            {"Titul_Jmeno", "Šampion ČR"},
                            {"Datum_Udeleni", "1.6.2020"}});
        Add(dm_->TaTituly, {{"Jmeno_Registr", "Sire"},
                            {"Titul_Jmeno", "Interšampion"},
                            {"Datum_Udeleni", "3.4.2023"}});
        Open(dm_->TaRodokmen);
        Add(dm_->TaRodokmen, {{"Jmeno_registr", "Puppy"},
                              {"Otec", "Sire"},
                              {"Matka", "Dam"},
                              {"Matka_Ded_1", "Damsire"},
                              {"TIT_Matka_Ded_1", "JCH"}});
        Open(dm_->TaFoto_Album);
        dm_->TaFoto_Album.Append();
        dm_->TaFoto_Album.FieldByName("Jmeno_registr").SetAsString("Puppy");
        dm_->TaFoto_Album.FieldByName("Foto_1").SetAsBytes(QByteArray("\xFF\xD8 jpeg", 7));
        dm_->TaFoto_Album.Post();
    }

    static void Open(platform::Table& table) {
        if (!table.IsActive()) {
            table.Open();
        }
    }

    static void Add(platform::DataSet& table, const Values& values) {
        table.Append();
        for (const auto& [column, value] : values) {
            table.FieldByName(QString::fromLatin1(column)).SetAsString(value);
        }
        table.Post();
    }

    QString At(const char* column) {
        return dm_->QRodokmenEvid.FieldByName(QString::fromLatin1(column)).AsString();
    }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
};

}  // namespace

TEST_F(PedigreeSheet, EachAncestorWithItsRecordSheetsDetails) {
    testing_support::ScriptedMessages messages;
    dm_->RunBookQuery(tzRodokmenEvid, QString(), "Jmeno_registr = \"Puppy\"");
    platform::DataSet& rows = dm_->QRodokmenEvid;
    ASSERT_TRUE(rows.IsActive());
    ASSERT_EQ(rows.RecordCount(), 1);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(At("Jmeno_registr"), "Puppy");
    EXPECT_EQ(At("Otec"), "Sire");
    EXPECT_EQ(At("Otec_Ded_1"), "Grandsire");
    // Titles newest first.
    EXPECT_EQ(At("TIT_Otec"), "Interšampion, Šampion ČR");
    EXPECT_EQ(At("NAR_Jmeno_registr"), "12.5.2022");
    EXPECT_EQ(At("BAR_Jmeno_registr"), "trikolor");
    EXPECT_EQ(At("REG_Jmeno_registr"), "ČLP 21077/22");
    EXPECT_EQ(At("ZDR_Jmeno_registr"), "DKK A, Pra neg");
    EXPECT_EQ(At("ZDR_Matka"), "Luxace 0/0");
    EXPECT_EQ(At("ZDR_Otec"), "");
    // The dam's sire has no record sheet: name and title from the stored pedigree.
    EXPECT_EQ(At("Matka_Ded_1"), "Damsire");
    EXPECT_EQ(At("TIT_Matka_Ded_1"), "JCH");
    EXPECT_EQ(At("Matka_G5_16"), "");
    // The animal's own data.
    EXPECT_EQ(At("Plemeno"), "Bígl");
    EXPECT_EQ(At("Pohlavi"), "Fena");
    EXPECT_EQ(At("Cip"), "203098100123456");
    EXPECT_EQ(At("Tetovaci_cislo"), "LA 021");
    EXPECT_EQ(At("Chovatel"), "Jana Nová");
    EXPECT_EQ(At("Majitel"), "Petr Starý");
    EXPECT_EQ(rows.FieldByName("Foto").AsBytes(), QByteArray("\xFF\xD8 jpeg", 7));
    EXPECT_EQ(rows.FieldByName("NAR_Otec").AsString(), "");
}

TEST_F(PedigreeSheet, TheWhereAndOrderTextsChooseTheAnimals) {
    testing_support::ScriptedMessages messages;
    dm_->RunBookQuery(tzRodokmenEvid, "Jmeno_registr DESC", "Jmeno_registr <> \"Loopy\"");
    platform::DataSet& rows = dm_->QRodokmenEvid;
    QStringList names;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        names << At("Jmeno_registr");
    }
    EXPECT_EQ(names, QStringList({"Sire", "Puppy", "Dam"}));
    const QStringList columns = rows.FieldNames();
    EXPECT_EQ(columns, PedigreeSheetColumns());
    EXPECT_EQ(columns.size(), 63 * 6 + 7);
    for (const char* column : {"Otec_G5_1", "Matka_G5_16", "TIT_Matka_PraPraBaba_4",
                               "NAR_Otec_G5_3", "BAR_Matka", "REG_Otec", "ZDR_Matka_G5_2"}) {
        EXPECT_TRUE(columns.contains(column)) << column;
    }

    // A clause the store refuses leaves the list closed with the data module's box.
    dm_->RunBookQuery(tzRodokmenEvid, QString(), "Nonsense = \"x\"");
    EXPECT_FALSE(rows.IsActive());
    EXPECT_EQ(messages.Texts().value(0), "Příkaz SQL se nepovedlo provést");
}

TEST_F(PedigreeSheet, AnAnimalThatIsItsOwnAncestorIsReported) {
    testing_support::ScriptedMessages messages;
    dm_->RunBookQuery(tzRodokmenEvid, QString(), "Jmeno_registr = \"Loopy\"");
    ASSERT_EQ(dm_->QRodokmenEvid.RecordCount(), 1);
    EXPECT_EQ(At("Otec"), "");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Warning);
    EXPECT_TRUE(messages.Texts()[0].contains("\"Loopy\" je uveden mezi svými vlastními předky"))
        << messages.Texts()[0].toStdString();
}
