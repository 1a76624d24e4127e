// The demo kennel in demo/: its load script fills a new data folder through
// harvel-data, the rows arrive with their Czech texts, and the family fits
// together (every parent named on a record sheet has one, every puppy sheet
// points back to its litter's dam and sire).

#include <gtest/gtest.h>

#include <QDate>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/store/database.h"
#include "platform/store/field.h"
#include "platform/store/table.h"

namespace {

struct Result {
    int code = -1;
    QString out, err;
};

Result LoadDemo(const QString& folder) {
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral(HARVEL_SOURCE_DIR "/demo/load-demo.sh"),
                                        folder, QStringLiteral(HARVEL_BIN_DIR "/harvel-data")});
    Result r;
    if (!p.waitForFinished(120000)) {
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
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
    const QMap<QString, int> expected{{"main_card.db", 13}, {"vrhy.db", 5},    {"tituly.db", 4},
                                      {"osetreni.db", 5},   {"vystavy.db", 4}, {"kryti.DB", 1},
                                      {"chovnost.DB", 3},   {"plemeno.db", 3}, {"adresar.db", 4},
                                      {"rodokmen.db", 1}};
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
    EXPECT_EQ(withParents, 9);
    EXPECT_EQ(grandchildren, 4);

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
    EXPECT_EQ(puppiesWithSheets, 9);
}

TEST_F(DemoKennel, LoadingTwiceIsRefusedAndChangesNothing) {
    const Result again = LoadDemo(folder_);
    EXPECT_NE(again.code, 0);
    EXPECT_FALSE(again.err.isEmpty());
    EXPECT_EQ(Rows("main_card.db"), 13);
    EXPECT_EQ(Rows("vrhy.db"), 5);
}

}  // namespace
