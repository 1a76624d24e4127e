// harvel-data coi and mates, run as a user runs them, on a kennel loaded from CSV.

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include "tests/support/program_run.h"

namespace {

using testing_support::RunDataTool;

using Result = testing_support::ProgramResult;

// Half siblings S and D through A, whose parents P and Q are full siblings:
// X = S × D has F = 0.15625, all of it from A. Names carry trailing blanks
// where a user's typing would leave them.
const QByteArray kCards =
    "Jmeno_registr,Pohlavi,Otec,Matka\n"
    "G1,Pes,,\n"
    "G2,Fena,,\n"
    "P,Pes,G1,G2\n"
    "Q,Fena,G1 ,G2\n"
    "A,Pes,P,Q\n"
    "M1,Fena,,\n"
    "M2,Fena,,\n"
    "S,Pes,A,M1\n"
    "D,Fena,A  ,M2\n"
    "X,Pes,S,D\n"
    "Cizí,Pes,,\n";

class GeneticsCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        data_ = dir_.filePath("DATA");
        ASSERT_EQ(RunDataTool({"init", data_}).code, 0);
        const QString csv = dir_.filePath("karty.csv");
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kCards);
        file.close();
        const Result load = RunDataTool({"load", data_, "main_card.db", csv});
        ASSERT_EQ(load.code, 0) << load.err.toStdString();
    }
    QTemporaryDir dir_;
    QString data_;
};

QMap<QString, QString> Figures(const QString& out) {
    QMap<QString, QString> figures;
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split('\t');
        if (parts.size() == 2) {
            figures.insert(parts[0], parts[1]);
        }
    }
    return figures;
}

TEST_F(GeneticsCommands, CoiPrintsTheFiguresOfAnAnimal) {
    const Result r = RunDataTool({"coi", data_, "X"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines.mid(0, 7), (QStringList{"F\t0.156250", "F10\t0.156250", "F5\t0.156250",
                                            "generations\t4", "complete_generations\t2",
                                            "ancestor_loss_5\t0.145161", "common\tA\t0.156250"}));
    EXPECT_TRUE(r.out.contains("completeness\t3\t0.500000\n"));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
}

TEST_F(GeneticsCommands, CoiOverAGivenNumberOfGenerations) {
    // A is the grandsire of X on both sides; one generation shows no common ancestor.
    const Result r = RunDataTool({"coi", data_, "X", "--generations", "1"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(Figures(r.out).value("F"), "0.000000");
    EXPECT_FALSE(r.out.contains("common\t"));
    const Result two = RunDataTool({"coi", data_, "X", "--generations", "2"});
    EXPECT_EQ(Figures(two.out).value("F"), "0.125000");  // A's own inbreeding lies beyond
    const Result bad = RunDataTool({"coi", data_, "X", "--generations", "0"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains("Počet generací musí být celé číslo od 1 výše"))
        << bad.err.toStdString();
}

TEST_F(GeneticsCommands, CoiOfATrialMating) {
    const Result r = RunDataTool({"coi", data_, "--sire", "P", "--dam", "Q"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const auto figures = Figures(r.out);
    EXPECT_EQ(figures.value("F"), "0.250000");
    EXPECT_EQ(figures.value("relationship"), "0.500000");
    const Result swapped = RunDataTool({"coi", data_, "--sire", "Q", "--dam", "P"});
    EXPECT_EQ(Figures(swapped.out).value("F"), "0.250000");
    EXPECT_TRUE(swapped.err.contains("Upozornění: zvíře „Q“ není podle evidenčního listu pes."))
        << swapped.err.toStdString();
}

TEST_F(GeneticsCommands, UnknownAnimalsAndBadArguments) {
    const Result unknown = RunDataTool({"coi", data_, "Nikdo"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_EQ(unknown.err.trimmed(),
              "Zvíře „Nikdo“ není v evidenčních listech ani v uložených rodokmenech.");
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_EQ(RunDataTool({"coi", data_, "--sire", "P"}).code, 1);
    EXPECT_EQ(RunDataTool({"mates", data_}).code, 2);
}

TEST_F(GeneticsCommands, MatesRanksTheKennelsMales) {
    const Result r = RunDataTool({"mates", data_, "D"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    // D (A × M2) with: Cizí 0; G1, her sire's grandsire on both of A's sides,
    // 0.125; S, her half brother through the inbred A, 0.15625; P 0.1875; A,
    // her sire, 0.3125; X, her son, 0.328125.
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6) << r.out.toStdString();
    EXPECT_EQ(lines[0], "sire\tCizí\t0.000000");
    EXPECT_EQ(lines.mid(1),
              (QStringList{"sire\tG1\t0.125000", "sire\tS\t0.156250", "sire\tP\t0.187500",
                           "sire\tA\t0.312500", "sire\tX\t0.328125"}));
    const Result named = RunDataTool({"mates", data_, "D", "M1"});
    EXPECT_TRUE(named.out.contains("sire\tM1\t0.000000\n"));
}

}  // namespace
