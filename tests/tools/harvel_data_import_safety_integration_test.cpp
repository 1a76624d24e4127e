// Taking over an old installation reads only its own plain files and keeps
// what it replaces: an existing template or settings file is kept as .BAK and
// listed, a symbolic link (to a secret file) and a named pipe in the old
// installation are reported and left alone, a linked table is not read, and
// an event row without its animal is refused like any other bad row.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/paradox_writer.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::ReadFile;
using testing_support::RunDataTool;
using testing_support::WriteFile;

namespace pw = paradox_writer;

using Result = testing_support::ProgramResult;

void WriteCards(const QString& folder) {
    pw::Table t;
    t.keyFields = 1;
    t.fields = {{"Jmeno_registr", pw::kAlpha, 40}};
    t.rows.push_back({QByteArray("Aron")});
    WriteFile(folder + "/MAIN_CARD.DB", pw::Write(t).db);
}

void WriteLitters(const QString& folder, const QByteArray& dam) {
    pw::Table t;
    t.fields = {{"Jmeno_registr", pw::kAlpha, 40}, {"Poznamka", pw::kAlpha, 40}};
    t.rows.push_back({QByteArray("Aron"), QByteArray("prvni")});
    t.rows.push_back({dam, QByteArray("bez matky")});
    WriteFile(folder + "/VRHY.DB", pw::Write(t).db);
}

TEST(ImportSafety, ReplacedFilesAreKeptAsBakAndLinksAndPipesAreNotRead) {
    QTemporaryDir dir;
    const QString root = dir.filePath("Harvel");
    WriteCards(root + "/DATA");
    WriteFile(root + "/BIN/Harvel.INI", "[EvidList]\r\nChovatel=stará\r\n");
    WriteFile(root + "/Predlohy/EvidList01.pts", "stará předloha");
    WriteFile(dir.filePath("tajne"), "root:heslo");
    ASSERT_TRUE(QFile::link(dir.filePath("tajne"), root + "/Predlohy/shadow.pts"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(root + "/Predlohy/roura.pts").constData(), 0644), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(root + "/BIN/SestDLL.ini").constData(), 0644), 0);
    const QString templates = dir.filePath("new/Predlohy");
    const QString settings = dir.filePath("new/bin");
    WriteFile(templates + "/evidlist01.PTS", "nová předloha");
    WriteFile(settings + "/Harvel.INI", "[EvidList]\r\nChovatel=nová\r\n");

    const Result r = RunDataTool({"import", root + "/DATA", dir.filePath("new/DATA"), "--templates",
                                  templates, "--settings", settings});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(
        "Nahrazeno: Harvel.INI (původní uschován jako Harvel.BAK), evidlist01.PTS (původní "
        "uschován jako evidlist01.BAK)\n"))
        << r.out.toStdString();
    EXPECT_TRUE(
        r.out.contains("Nepřečteno (není to obyčejný soubor): SestDLL.ini (pojmenovaná "
                       "roura), roura.pts (pojmenovaná roura), shadow.pts (symbolický "
                       "odkaz)\n"))
        << r.out.toStdString();
    EXPECT_EQ(ReadFile(templates + "/evidlist01.PTS"), "stará předloha");
    EXPECT_EQ(ReadFile(templates + "/evidlist01.BAK"), "nová předloha");
    EXPECT_EQ(ReadFile(settings + "/Harvel.INI"), "[EvidList]\r\nChovatel=stará\r\n");
    EXPECT_EQ(ReadFile(settings + "/Harvel.BAK"), "[EvidList]\r\nChovatel=nová\r\n");
    EXPECT_EQ(QDir(templates).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              (QStringList{"evidlist01.BAK", "evidlist01.PTS"}));
    EXPECT_FALSE(QFile::exists(settings + "/SestDLL.ini"));
}

TEST(ImportSafety, ALinkedTableIsNotReadAndANamelessEventRowIsRefused) {
    QTemporaryDir dir;
    const QString old = dir.filePath("old");
    WriteCards(old);
    WriteLitters(dir.filePath("jinde"), "   ");
    ASSERT_TRUE(QFile::link(dir.filePath("jinde/VRHY.DB"), old + "/VRHY.DB"));
    const Result linked = RunDataTool({"import", old, dir.filePath("DATA")});
    ASSERT_EQ(linked.code, 0) << linked.err.toStdString();
    EXPECT_TRUE(
        linked.out.contains("Nepřečteno (není to obyčejný soubor): VRHY.DB (symbolický "
                            "odkaz)\n"))
        << linked.out.toStdString();
    EXPECT_TRUE(linked.out.contains("vrhy.db                 0        0          0"));

    QFile::remove(old + "/VRHY.DB");
    WriteLitters(old, "   ");
    const Result refused = RunDataTool({"import", old, dir.filePath("DATA2")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("vrhy.db, řádek 2"));
    EXPECT_TRUE(
        refused.err.contains("Záznam tabulky vrhy.db nelze uložit: registrované jméno "
                             "zvířete (Jmeno_registr) musí být vyplněno."))
        << refused.err.toStdString();
    const Result rows = RunDataTool({"sql", dir.filePath("DATA2"), "Select * from vrhy"});
    EXPECT_EQ(rows.out.count('\n'), 1) << "a refused import wrote rows";
}

}  // namespace
