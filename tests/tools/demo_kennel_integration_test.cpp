// The demo kennel in demo/: its load script fills a new data folder through
// harvel-data, the rows arrive with their Czech texts, and the family fits
// together (every parent named on a record sheet has one, every puppy sheet
// points back to its litter's dam and sire).

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>

#include "platform/paint/bitmap_files.h"
#include "platform/store/csv.h"
#include "platform/store/database.h"
#include "platform/store/field.h"
#include "platform/store/table.h"
#include "tests/support/program_run.h"

namespace {

using Result = testing_support::ProgramResult;

Result LoadDemo(const QString& folder) {
    return testing_support::RunProgram(
        QStringLiteral("/bin/sh"), {QStringLiteral(HARVEL_SOURCE_DIR "/demo/load-demo.sh"), folder,
                                    QStringLiteral(HARVEL_BIN_DIR "/harvel-data")});
}

class DemoKennel : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.filePath("DATA");
        const Result load = LoadDemo(folder_);
        ASSERT_EQ(load.code, 0) << load.err.toStdString();
    }

    int Rows(const QString& table) {
        platform::Database database(folder_);
        platform::Table rows(database, table);
        rows.Open();
        return rows.RecordCount();
    }

    QTemporaryDir dir_;
    QString folder_;
};

TEST_F(DemoKennel, EveryTableGetsItsRows) {
    const QMap<QString, int> expected{{"main_card.db", 15}, {"vrhy.db", 6},    {"tituly.db", 5},
                                      {"osetreni.db", 9},   {"vystavy.db", 7}, {"kryti.DB", 6},
                                      {"chovnost.DB", 7},   {"Zkousky.DB", 4}, {"foto_album.db", 3},
                                      {"plemeno.db", 3},    {"adresar.db", 8}, {"rodokmen.db", 1}};
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        EXPECT_EQ(Rows(it.key()), it.value()) << it.key().toStdString();
    }
}

TEST_F(DemoKennel, RecordSheetsKeepDiacriticsDatesAndFlags) {
    platform::Database database(folder_);
    platform::Table sheets(database, "main_card.db");
    sheets.Open();
    ASSERT_TRUE(sheets.Locate("Jmeno_registr", QStringLiteral("Bára Šťastná")));
    EXPECT_EQ(sheets.FieldByName("Jmeno_call").AsString(), "Bárka");
    EXPECT_EQ(sheets.FieldByName("Datum_nar").AsDate(), QDate(2016, 4, 3));
    EXPECT_TRUE(sheets.FieldByName("Vlastnictvi").AsBoolean());
    EXPECT_FALSE(sheets.FieldByName("Vlast_odchov").AsBoolean());
    EXPECT_DOUBLE_EQ(sheets.FieldByName("Vaha_dospelost").AsFloat(), 13.2);
    ASSERT_TRUE(sheets.Locate("Jmeno_registr", QStringLiteral("Gita z Lipové aleje")));
    EXPECT_EQ(sheets.FieldByName("Druh_vyrazeni").AsString(), "prodej");
}

TEST_F(DemoKennel, ThreeGenerationsFitTogether) {
    platform::Database database(folder_);
    platform::Table sheets(database, "main_card.db");
    sheets.Open();
    QMap<QString, QPair<QString, QString>> parents;  // name -> (dam, sire)
    for (sheets.First(); !sheets.Eof(); sheets.Next()) {
        parents.insert(
            sheets.FieldByName("Jmeno_registr").AsString(),
            {sheets.FieldByName("Matka").AsString(), sheets.FieldByName("Otec").AsString()});
    }
    int withParents = 0;
    int grandchildren = 0;
    for (auto it = parents.begin(); it != parents.end(); ++it) {
        const auto& [dam, sire] = it.value();
        if (dam.isEmpty()) {
            continue;
        }
        ++withParents;
        EXPECT_TRUE(parents.contains(dam)) << dam.toStdString();
        EXPECT_TRUE(parents.contains(sire)) << sire.toStdString();
        if (!parents.value(dam).first.isEmpty()) {
            ++grandchildren;
        }
    }
    EXPECT_EQ(withParents, 11);
    EXPECT_EQ(grandchildren, 6);

    // Each litter's names end in CR LF; the puppies that have a sheet name
    // the litter's dam and sire.
    platform::Table litters(database, "vrhy.db");
    litters.Open();
    int puppiesWithSheets = 0;
    for (litters.First(); !litters.Eof(); litters.Next()) {
        const QString names = litters.FieldByName("JmenaStenat").AsString();
        EXPECT_TRUE(names.endsWith("\r\n"));
        const QStringList puppies = names.split("\r\n", Qt::SkipEmptyParts);
        EXPECT_EQ(puppies.size(), litters.FieldByName("Pocet_stenat_P").AsInteger() +
                                      litters.FieldByName("Pocet_stenat_F").AsInteger());
        for (const QString& puppy : puppies) {
            if (parents.contains(puppy)) {
                ++puppiesWithSheets;
                EXPECT_EQ(parents.value(puppy).first,
                          litters.FieldByName("Jmeno_registr").AsString());
                EXPECT_EQ(parents.value(puppy).second,
                          litters.FieldByName("Jmeno_reg_otec").AsString());
            }
        }
    }
    EXPECT_EQ(puppiesWithSheets, 11);
}

// Run a second time, the loader says the kennel is there and changes nothing.
TEST_F(DemoKennel, LoadingTwiceLeavesTheKennelAndSucceeds) {
    const int cards = Rows("main_card.db");
    const Result again = LoadDemo(folder_);
    EXPECT_EQ(again.code, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains(QStringLiteral("již nahrána"))) << again.out.toStdString();
    EXPECT_TRUE(again.err.isEmpty()) << again.err.toStdString();
    EXPECT_EQ(Rows("main_card.db"), cards);
    EXPECT_EQ(Rows("vrhy.db"), 6);
}

// Every text of the demo files arrives whole: nothing is longer than its
// column, so the store has cut nothing.
TEST_F(DemoKennel, EveryTextFitsItsColumn) {
    platform::Database database(folder_);
    const QDir demo(QStringLiteral(HARVEL_SOURCE_DIR "/demo"));
    const QStringList files = demo.entryList({"*.csv"});
    ASSERT_GE(files.size(), 12);
    const QMap<QString, QString> tables{
        {"main_card", "main_card.db"}, {"vrhy", "vrhy.db"},       {"tituly", "tituly.db"},
        {"osetreni", "osetreni.db"},   {"vystavy", "vystavy.db"}, {"kryti", "kryti.DB"},
        {"chovnost", "chovnost.DB"},   {"Zkousky", "Zkousky.DB"}, {"foto_album", "foto_album.db"},
        {"plemeno", "plemeno.db"},     {"adresar", "adresar.db"}, {"rodokmen", "rodokmen.db"}};
    for (const QString& file : files) {
        const QString stem = file.section('.', 0, 0);
        ASSERT_TRUE(tables.contains(stem)) << file.toStdString();
        QFile csv(demo.filePath(file));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        const auto records = platform::ParseCsv(csv.readAll());
        platform::Table table(database, tables.value(stem));
        table.Open();
        ASSERT_EQ(table.RecordCount(), int(records.size()) - 1) << file.toStdString();
        const QStringList header = records.front().fields;
        for (size_t r = 1; r < records.size(); ++r) {
            for (int c = 0; c < header.size(); ++c) {
                const platform::Field& field = table.FieldByName(header[c]);
                if (field.Kind() == platform::ColumnType::Text) {
                    EXPECT_LE(records[r].fields.value(c).size(), field.Size())
                        << file.toStdString() << " line " << records[r].line << " "
                        << header[c].toStdString();
                }
            }
        }
    }
}

// Matings, visits, shows, titles, exams and approvals are there for the
// forms to open on; the people they name are in the address book.
TEST_F(DemoKennel, EveryBookHasLivingRowsThatNameTheAddressBook) {
    platform::Database database(folder_);
    platform::Table addresses(database, "adresar.db");
    addresses.Open();
    QSet<QString> keys;
    QSet<int> kinds;
    for (addresses.First(); !addresses.Eof(); addresses.Next()) {
        keys.insert(addresses.FieldByName("Nazev_Key").AsString());
        kinds.insert(int(addresses.FieldByName("Typ").AsInteger()));
    }
    EXPECT_TRUE(kinds.contains(1));  // breeders
    EXPECT_TRUE(kinds.contains(2));  // vets

    platform::Table matings(database, "kryti.DB");
    matings.Open();
    int taken = 0;
    for (matings.First(); !matings.Eof(); matings.Next()) {
        EXPECT_TRUE(keys.contains(matings.FieldByName("Majitel").AsString()))
            << matings.FieldByName("Majitel").AsString().toStdString();
        EXPECT_TRUE(matings.FieldByName("Datum_kryti_1").AsDate().isValid());
        taken += matings.FieldByName("Nakryta_Ano_Ne").AsBoolean() ? 1 : 0;
    }
    EXPECT_GE(matings.RecordCount(), 5);
    EXPECT_GT(taken, 0);
    EXPECT_LT(taken, matings.RecordCount());

    platform::Table visits(database, "osetreni.db");
    visits.Open();
    int withNextVisit = 0;
    for (visits.First(); !visits.Eof(); visits.Next()) {
        EXPECT_TRUE(keys.contains(visits.FieldByName("Lekar").AsString()));
        withNextVisit += visits.FieldByName("Dalsi_navsteva").IsNull() ? 0 : 1;
    }
    EXPECT_GE(withNextVisit, 5);

    platform::Table shows(database, "vystavy.db");
    shows.Open();
    int placed = 0;
    for (shows.First(); !shows.Eof(); shows.Next()) {
        placed += shows.FieldByName("Poradi").IsNull() ? 0 : 1;
    }
    EXPECT_EQ(placed, shows.RecordCount());

    platform::Table approvals(database, "chovnost.DB");
    approvals.Open();
    QSet<qint64> outcomes;
    for (approvals.First(); !approvals.Eof(); approvals.Next()) {
        outcomes.insert(approvals.FieldByName("Chov_jedinec").AsInteger());
    }
    EXPECT_EQ(outcomes, (QSet<qint64>{0, 1}));
}

// Each photo decodes; between them the three kinds of picture file the
// album stores: JPEG, PNG and BMP.
TEST_F(DemoKennel, PhotosAreJpegPngAndBmpPictures) {
    platform::Database database(folder_);
    platform::Table photos(database, "foto_album.db");
    photos.Open();
    QSet<QByteArray> kinds;
    for (photos.First(); !photos.Eof(); photos.Next()) {
        const QByteArray bytes = photos.FieldByName("Foto_1").AsBytes();
        EXPECT_FALSE(platform::LoadPicture(bytes).isNull());
        kinds.insert(bytes.left(2));
    }
    EXPECT_EQ(kinds, (QSet<QByteArray>{"\xff\xd8", "\x89P", "BM"}));
}

// One litter is line-bred: its sire and dam share a grandparent, so the
// puppies' inbreeding is above zero.
TEST_F(DemoKennel, OneLitterIsLineBred) {
    platform::Database database(folder_);
    platform::Table sheets(database, "main_card.db");
    sheets.Open();
    QMap<QString, QPair<QString, QString>> parents;
    for (sheets.First(); !sheets.Eof(); sheets.Next()) {
        parents.insert(
            sheets.FieldByName("Jmeno_registr").AsString(),
            {sheets.FieldByName("Matka").AsString(), sheets.FieldByName("Otec").AsString()});
    }
    const auto grandparents = [&](const QString& name) {
        const auto [dam, sire] = parents.value(name);
        return QSet<QString>{parents.value(dam).first, parents.value(dam).second,
                             parents.value(sire).first, parents.value(sire).second};
    };
    int lineBred = 0;
    for (auto it = parents.begin(); it != parents.end(); ++it) {
        const auto& [dam, sire] = it.value();
        if (dam.isEmpty() || sire.isEmpty()) {
            continue;
        }
        QSet<QString> shared = grandparents(dam) & grandparents(sire);
        shared.remove(QString());
        lineBred += shared.isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(lineBred, 2);  // the two puppies of Líza and Mates
}

}  // namespace
