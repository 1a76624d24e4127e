// harvel-data import as a user runs it: the sample kennel, the summary on
// standard output, a refusal with and without --keep-going, a second import,
// settings and templates copied, wrong arguments.

#include <gtest/gtest.h>

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

QString KennelFolder() {
    for (const QString& c : {QStringLiteral(HARVEL_SOURCE_DIR "/../shared/paradox/kennel"),
                             QStringLiteral(HARVEL_SOURCE_DIR "/../../shared/paradox/kennel")}) {
        if (QFile::exists(c + "/main_card.db")) {
            return QDir(c).absolutePath();
        }
    }
    return QString();
}

void WriteCards(const QString& folder, const std::vector<std::string>& names) {
    pw::Table t;
    t.keyFields = 1;
    t.fields = {{"Jmeno_registr", pw::kAlpha, 40}, {"Plemeno", pw::kAlpha, 40}};
    for (const std::string& n : names) {
        t.rows.push_back({QByteArray::fromStdString(n), QByteArray("B\xEDgl")});
    }
    WriteFile(folder + "/MAIN_CARD.DB", pw::Write(t).db);
}

TEST(HarvelDataImport, TheSampleKennelComesOver) {
    const QString kennel = KennelFolder();
    if (kennel.isEmpty()) {
        GTEST_SKIP() << "the shared Paradox sample tables (shared/paradox/kennel) are missing";
    }
    QTemporaryDir dir;
    const Result r = RunDataTool({"import", kennel, dir.filePath("DATA")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(
        r.out.startsWith("Tabulka          přečteno  zapsáno  odmítnuto  poznámky  obrázky\n"
                         "main_card.db           20       20          0         6        0\n"
                         "vrhy.db                 3        3          0         2        0\n"
                         "foto_album.db           3        3          0         0        3\n"))
        << r.out.toStdString();
    EXPECT_TRUE(
        r.out.contains("Sloupce, které Harvel nemá (nepřevzaty): main_card.db: Vyska; "
                       "vrhy.db: Pocet_pes, Pocet_fena\n"));
    EXPECT_TRUE(r.out.endsWith("Převzato 26 řádků z 26.\n"));
    const Result dump = RunDataTool({"dump", dir.filePath("DATA"), "main_card.db"});
    ASSERT_EQ(dump.code, 0);
    const Result names =
        RunDataTool({"sql", dir.filePath("DATA"), "Select Jmeno_registr from main_card"});
    EXPECT_EQ(names.out.count('\n'), 21);
    EXPECT_TRUE(dump.out.contains(
        QStringLiteral("Ťapka ze Mlýna,Ťapka,false,false,Český teriér,Fena,31.12.1969")));

    const Result again = RunDataTool({"import", kennel, dir.filePath("DATA")});
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.err.contains("už obsahuje data (tabulka main_card.db: 20 řádků)"))
        << again.err.toStdString();
}

TEST(HarvelDataImport, ARefusalWritesNothingUnlessKeepGoingIsGiven) {
    QTemporaryDir dir;
    const QString old = dir.filePath("old");
    WriteCards(old, {"Aron", "Brok", "Aron"});
    const Result strict = RunDataTool({"import", old, dir.filePath("DATA")});
    EXPECT_EQ(strict.code, 1);
    EXPECT_TRUE(
        strict.err.startsWith("Nic nebylo zapsáno: 1 řádků nelze převzít (s volbou "
                              "--keep-going se zapíše zbytek):\nmain_card.db, řádek 3 "
                              "(„Aron“): V tabulce main_card.db již existuje záznam"))
        << strict.err.toStdString();
    EXPECT_TRUE(strict.out.contains("main_card.db            3        0          1"));
    const Result sql =
        RunDataTool({"sql", dir.filePath("DATA"), "Select Jmeno_registr from main_card"});
    EXPECT_EQ(sql.out, "Jmeno_registr\n");

    const Result lenient = RunDataTool({"import", "--keep-going", old, dir.filePath("DATA")});
    ASSERT_EQ(lenient.code, 0) << lenient.err.toStdString();
    EXPECT_TRUE(lenient.out.contains("Nezapsané řádky:\nmain_card.db, řádek 3 („Aron“): "));
    EXPECT_TRUE(lenient.out.endsWith("Převzato 2 řádků z 3.\n"));
    const Result rows =
        RunDataTool({"sql", dir.filePath("DATA"), "Select Jmeno_registr, Plemeno from main_card"});
    EXPECT_EQ(rows.out, QStringLiteral("Jmeno_registr\tPlemeno\nAron\tBígl\nBrok\tBígl\n"));
}

TEST(HarvelDataImport, SettingsAndTemplatesAreCopiedWhenAsked) {
    QTemporaryDir dir;
    const QString root = dir.filePath("Harvel");
    WriteCards(root + "/DATA", {"Aron"});
    WriteFile(root + "/BIN/Harvel.INI", "[EvidList]\r\n");
    WriteFile(root + "/BIN/SestDLL.ini", "[EditorSestav]\r\n");
    WriteFile(root + "/Predlohy/ZdrKarta00.pts", "\xE8\r\n");
    const Result r =
        RunDataTool({"import", root + "/DATA", dir.filePath("new/DATA"), "--templates",
                     dir.filePath("new/Predlohy"), "--settings", dir.filePath("new/bin")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Zkopírována nastavení: Harvel.INI, SestDLL.ini\n"));
    EXPECT_TRUE(r.out.contains("Zkopírováno předloh: 1\n"));
    EXPECT_EQ(ReadFile(dir.filePath("new/Predlohy/ZdrKarta00.pts")), "\xE8\r\n");
    EXPECT_EQ(ReadFile(dir.filePath("new/bin/SestDLL.ini")), "[EditorSestav]\r\n");
}

TEST(HarvelDataImport, WrongArgumentsAndADamagedTable) {
    QTemporaryDir dir;
    EXPECT_EQ(RunDataTool({"import", dir.path()}).code, 2);
    EXPECT_EQ(RunDataTool({"import", dir.path(), dir.filePath("x"), "--bogus"}).code, 2);
    WriteFile(dir.filePath("old/main_card.db"), QByteArray(300, '\x07'));
    const Result r = RunDataTool({"import", dir.filePath("old"), dir.filePath("DATA")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith("Tabulka main_card.db: ")) << r.err.toStdString();
}

}  // namespace
