// The settings record and Harvel.INI: defaults, the exact file written, keys
// missing from the file, other lines kept, and the write failure box.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/parametry.h"
#include "platform/folders.h"
#include "tests/support/seams.h"

namespace {

class ParametryFile : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    QString Path() const { return folder_.filePath("Harvel.INI"); }

    void Put(const QByteArray& bytes) {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray Get() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder_;
    testing_support::ScriptedMessages messages_;
};

}  // namespace

TEST_F(ParametryFile, DefaultsStayWhenTheFileIsMissing) {
    Parametry settings;
    ReadParametry(Path(), settings);
    EXPECT_TRUE(settings.OnlineTituly);
    EXPECT_TRUE(settings.OnlineFoto);
    EXPECT_FALSE(settings.KontrolaJmen);
    EXPECT_EQ(settings.JednotkaDelka, " cm");
    EXPECT_EQ(settings.JednotkaHmotnost, " kg");
    EXPECT_EQ(settings.Chovatel, "");
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(ParametryFile, WritesTheKeysInOrderAsOneAndZeroWithCrLfAndWindows1250) {
    Parametry settings;
    settings.OnlineFoto = false;
    settings.KontrolaJmen = true;
    settings.Chovatel = QStringLiteral("Z Černého lesa");
    ASSERT_TRUE(WriteParametry(Path(), settings));
    EXPECT_EQ(Get(), QByteArray("[EvidList]\r\n"
                                "OnlineTituly=1\r\n"
                                "OnlineFoto=0\r\n"
                                "KontrolaJmen=1\r\n"
                                "JednotkaDelka= cm\r\n"
                                "JednotkaHmotnost= kg\r\n"
                                "Chovatel=Z \xC8"
                                "ern\xE9ho lesa\r\n"
                                "UpozornitDni=7\r\n"));
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(ParametryFile, TextsKeepTheirLeadingBlanksThroughWriteAndRead) {
    Parametry written;
    written.JednotkaDelka = QStringLiteral(" mm");
    written.JednotkaHmotnost = QStringLiteral("g");
    written.Chovatel = QStringLiteral("  Od Lesa ");
    written.OnlineTituly = false;
    ASSERT_TRUE(WriteParametry(Path(), written));

    Parametry read;
    ReadParametry(Path(), read);
    EXPECT_EQ(read.JednotkaDelka, " mm");
    EXPECT_EQ(read.JednotkaHmotnost, "g");
    EXPECT_EQ(read.Chovatel, "  Od Lesa ");
    EXPECT_FALSE(read.OnlineTituly);
    EXPECT_TRUE(read.OnlineFoto);
}

TEST_F(ParametryFile, UnitTextsAreCutToThreeCharacters) {
    Parametry written;
    written.JednotkaDelka = QStringLiteral(" cm2");
    ASSERT_TRUE(WriteParametry(Path(), written));
    EXPECT_TRUE(Get().contains("JednotkaDelka= cm\r\n"));

    Put("[EvidList]\r\nJednotkaHmotnost=kilogramy\r\n");
    Parametry read;
    ReadParametry(Path(), read);
    EXPECT_EQ(read.JednotkaHmotnost, "kil");
}

TEST_F(ParametryFile, KeyAbsentFromTheFileKeepsTheValueInForce) {
    Put("[evidlist]\r\nonlinefoto=0\r\nKontrolaJmen=abc\r\nOnlineTituly=2\r\n");
    Parametry edited;  // as the form holds it after the user's edits
    edited.JednotkaDelka = QStringLiteral("mm");
    edited.KontrolaJmen = true;
    edited.OnlineTituly = false;
    ReadParametry(Path(), edited);
    EXPECT_EQ(edited.JednotkaDelka, "mm");  // absent: kept
    EXPECT_FALSE(edited.OnlineFoto);        // present: read
    EXPECT_TRUE(edited.KontrolaJmen);       // not a number: kept
    EXPECT_TRUE(edited.OnlineTituly);       // non-zero is true
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(ParametryFile, WriteKeepsEveryOtherLineOfTheFile) {
    Put("; nastaveni Harvelu\r\n"
        "[EvidList]\r\n"
        "OnlineFoto=1\r\n"
        "Okno=maximalizovane\r\n"
        "\r\n"
        "[Tisk]\r\n"
        "Tiskarna=HP\r\n");
    Parametry settings;
    settings.OnlineFoto = false;
    ASSERT_TRUE(WriteParametry(Path(), settings));
    EXPECT_EQ(Get(), QByteArray("; nastaveni Harvelu\r\n"
                                "[EvidList]\r\n"
                                "OnlineFoto=0\r\n"
                                "Okno=maximalizovane\r\n"
                                "OnlineTituly=1\r\n"
                                "KontrolaJmen=0\r\n"
                                "JednotkaDelka= cm\r\n"
                                "JednotkaHmotnost= kg\r\n"
                                "Chovatel=\r\n"
                                "UpozornitDni=7\r\n"
                                "\r\n"
                                "[Tisk]\r\n"
                                "Tiskarna=HP\r\n"));
}

TEST_F(ParametryFile, WriteFailureShowsTheErrorBox) {
    EXPECT_FALSE(WriteParametry(folder_.filePath("chybi/Harvel.INI"), Parametry()));
    ASSERT_EQ(messages_.Shown().size(), 1u);
    const platform::MessageRequest& box = messages_.Shown()[0];
    EXPECT_EQ(box.text, "Chyba při ukládání parametrického souboru");
    EXPECT_EQ(box.icon, platform::MessageIcon::Error);
    EXPECT_EQ(box.buttons, platform::mbOK);

    // A folder standing where the file should be: nothing can be written.
    ASSERT_TRUE(QDir(folder_.path()).mkdir("Harvel.INI"));
    EXPECT_FALSE(WriteParametry(Path(), Parametry()));
    EXPECT_EQ(messages_.Shown().size(), 2u);
}

TEST_F(ParametryFile, SettingsFileLiesInTheProgramFolder) {
    platform::SetProgramFolderOverride(folder_.path());
    EXPECT_EQ(SettingsFilePath(), folder_.path() + "/Harvel.INI");
    Put("[EvidList]\r\n");
    QFile::rename(Path(), folder_.filePath("HARVEL.INI"));
    EXPECT_EQ(SettingsFilePath(), folder_.path() + "/HARVEL.INI");
    platform::SetProgramFolderOverride(QString());
}

TEST(MeasureText, UnitWithLeadingBlankGivesTwoBlanks) {
    EXPECT_EQ(MeasureText(12.5, QStringLiteral(" cm")), "12.50  cm");
    EXPECT_EQ(MeasureText(3.456, QStringLiteral("kg")), "3.46 kg");
}

// The start-up reminder's days ahead: 7 when missing, 0 turns it off, kept
// within a year.
TEST_F(ParametryFile, RemindDaysAheadReadWrittenAndBounded) {
    Parametry settings;
    ReadParametry(Path(), settings);
    EXPECT_EQ(settings.UpozornitDni, 7);
    Put("[EvidList]\r\nUpozornitDni=0\r\n");
    ReadParametry(Path(), settings);
    EXPECT_EQ(settings.UpozornitDni, 0);
    Put("[EvidList]\r\nUpozornitDni=5000\r\n");
    ReadParametry(Path(), settings);
    EXPECT_EQ(settings.UpozornitDni, 365);
    Put("[EvidList]\r\nUpozornitDni=-3\r\n");
    ReadParametry(Path(), settings);
    EXPECT_EQ(settings.UpozornitDni, 0);
    settings.UpozornitDni = 14;
    ASSERT_TRUE(WriteParametry(Path(), settings));
    EXPECT_TRUE(Get().contains("UpozornitDni=14\r\n"));
    Parametry reread;
    ReadParametry(Path(), reread);
    EXPECT_EQ(reread.UpozornitDni, 14);
}
