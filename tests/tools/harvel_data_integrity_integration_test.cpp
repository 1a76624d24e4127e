// harvel-data and harvel-report on bad ground, run as a user runs them: rows
// without a registered name refused by load, a full disk named as such,
// reading from a full disk and from a write-protected medium, values damaged
// outside the program dumped as stored and listed, the check command, an
// empty database file left untouched, and backup and restore.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/store/data_folder_lock.h"
#include "platform/store/sqlite_handle.h"
#include "tests/support/program_run.h"
#include "tests/support/small_disk.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::WriteFile;

using testing_support::SmallDisk;

using Result = testing_support::ProgramResult;

// The lock of the single-instance guard is per user: the tests run under a
// user name of their own, so a program started by another test never
// meets them.
const QString kUser = QStringLiteral("harvel-integrity-%1").arg(QCoreApplication::applicationPid());

Result RunProgram(const QString& program, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("USER"), kUser);
    return testing_support::RunProgram(QStringLiteral(HARVEL_BIN_DIR "/") + program, args, env);
}

Result Data(const QStringList& args) {
    return RunProgram(QStringLiteral("harvel-data"), args);
}

// Runs SQL on the database file directly, as another tool would (with the
// store's collation, which the tables' order indexes use).
void RawSql(const QString& folder, const char* sql) {
    platform::Connection db(folder + "/harvel.sqlite", false);
    for (const QString& statement : QString::fromUtf8(sql).split(';', Qt::SkipEmptyParts)) {
        db.Execute(statement);
    }
}

const QByteArray kCards =
    "Jmeno_registr,Pohlavi,Datum_nar\r\nAron,Pes,1.1.2019\r\nBrok,Pes,2.2.2020\r\n";

class DataIntegrity : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        data_ = dir_.filePath("DATA");
        Init(data_);
    }
    void Init(const QString& folder) {
        ASSERT_EQ(Data({"init", folder}).code, 0);
        const QString csv = dir_.filePath("karty.csv");
        WriteFile(csv, kCards);
        const Result load = Data({"load", folder, "main_card.db", csv});
        ASSERT_EQ(load.code, 0) << load.err.toStdString();
    }
    QTemporaryDir dir_;
    QString data_;
};

TEST_F(DataIntegrity, LoadRefusesRowsWithoutARegisteredNameAndWritesNothing) {
    const QString csv = dir_.filePath("bezejmenne.csv");
    WriteFile(csv, "Jmeno_registr,Jmeno_call\r\nCyril,Cyda\r\n,Nikdo\r\n   ,Taky nikdo\r\n");
    const Result r = Data({"load", data_, "main_card.db", csv});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(),
              "bezejmenne.csv, řádek 3: Záznam tabulky main_card.db nelze "
              "uložit: registrované jméno (Jmeno_registr) musí být vyplněno.");
    const Result dump = Data({"dump", data_, "main_card.db"});
    EXPECT_EQ(dump.out.count('\n'), 3) << dump.out.toStdString();
    const QString breeds = dir_.filePath("plemena.csv");
    WriteFile(breeds, "Ukazat,Plemeno\r\nAno,\r\n");
    EXPECT_TRUE(Data({"load", data_, "plemeno.db", breeds}).err.contains("název plemena"));
}

TEST_F(DataIntegrity, DumpWritesDamagedValuesAsStoredAndCheckListsThemWithOrphans) {
    RawSql(data_,
           "UPDATE main_card SET Datum_nar = '2019-13-45', Cip = 'čip?' WHERE Jmeno_registr = "
           "'Brok'; INSERT INTO osetreni (Jmeno_registr, Lekar) VALUES ('Zmizelý', 'MVDr. X')");
    const Result dump = Data({"dump", data_, "main_card.db"});
    ASSERT_EQ(dump.code, 0) << dump.err.toStdString();
    const QStringList lines = dump.out.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].startsWith("Brok,,,,,Pes,2019-13-45,")) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(",čip?,")) << lines[2].toStdString();
    EXPECT_EQ(dump.err,
              "Poškozená hodnota: main_card.db, řádek 2, sloupec Datum_nar: text „2019-13-45“ ve "
              "sloupci typu datum\n"
              "Poškozená hodnota: main_card.db, řádek 2, sloupec Cip: text „čip?“ ve sloupci typu "
              "celé číslo\n");
    const Result query =
        Data({"sql", data_, "Select * from main_card where Datum_nar > \"1.1.2019\""});
    ASSERT_EQ(query.code, 0) << query.err.toStdString();
    EXPECT_EQ(query.out.count('\n'), 1) << query.out.toStdString();

    const Result check = Data({"check", data_});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(check.out,
              "main_card.db, řádek 2, sloupec Datum_nar: text „2019-13-45“ ve sloupci typu datum\n"
              "main_card.db, řádek 2, sloupec Cip: text „čip?“ ve sloupci typu celé číslo\n"
              "osetreni.db, řádek 1: osiřelý záznam: registrované jméno „Zmizelý“ nemá kartu v "
              "hlavní evidenci\n");
    EXPECT_EQ(check.err.trimmed(), "Nalezeno: 2 chyby, 1 osiřelý záznam.");
    RawSql(data_, "UPDATE main_card SET Datum_nar = NULL, Cip = NULL; DELETE FROM osetreni");
    const Result clean = Data({"check", data_});
    EXPECT_EQ(clean.code, 0) << clean.out.toStdString();
    EXPECT_TRUE(clean.out.startsWith("Databáze je v pořádku")) << clean.out.toStdString();
}

TEST_F(DataIntegrity, ReadingCommandsLeaveAnEmptyDatabaseFileEmpty) {
    const QString folder = dir_.filePath("PRAZDNA");
    QDir().mkpath(folder);
    WriteFile(folder + "/harvel.sqlite", QByteArray());
    for (const QStringList& args :
         {QStringList{"sql", folder, "Select * from main_card"},
          QStringList{"dump", folder, "main_card.db"}, QStringList{"check", folder}}) {
        const Result r = Data(args);
        EXPECT_EQ(r.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("je prázdný (0 bajtů)")) << r.err.toStdString();
        EXPECT_EQ(QFileInfo(folder + "/harvel.sqlite").size(), 0);
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"harvel.sqlite"});
}

TEST_F(DataIntegrity, BackupAndRestoreRoundTripAndRestoreWaitsForTheProgramToEnd) {
    const Result backup = Data({"backup", data_});
    ASSERT_EQ(backup.code, 0) << backup.err.toStdString();
    const QStringList backups =
        QDir(data_ + "/Zalohy").entryList({"harvel-*.sqlite"}, QDir::Files, QDir::Name);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(backup.out.contains(backups[0])) << backup.out.toStdString();
    const QString file = dir_.filePath("moje-zaloha.sqlite");
    EXPECT_EQ(Data({"backup", data_, file}).code, 0);
    EXPECT_EQ(Data({"backup", data_, file}).code, 1);  // an existing file is never overwritten

    RawSql(data_, "DELETE FROM main_card WHERE Jmeno_registr = 'Aron'");
    // A running program holds the data folder's lock.
    {
        platform::SetDataLockHolderName(QStringLiteral("program Harvel"));
        const platform::DataFolderLock program(data_);
        const Result refused = Data({"restore", data_, file});
        EXPECT_EQ(refused.code, 1);
        EXPECT_EQ(refused.err.trimmed(), QStringLiteral("Data používá program Harvel (proces %1).")
                                             .arg(QCoreApplication::applicationPid()));
    }
    const Result restored = Data({"restore", data_, file});
    ASSERT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_TRUE(restored.out.contains("Nahrazená databáze je uschována jako"))
        << restored.out.toStdString();
    EXPECT_EQ(QDir(data_ + "/Zalohy").entryList({"harvel-*.sqlite"}, QDir::Files).size(), 2);
    const Result dump = Data({"dump", data_, "main_card.db"});
    EXPECT_TRUE(dump.out.contains("\r\nAron,")) << dump.out.toStdString();
}

class DiskIntegrity : public DataIntegrity {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        disk_ = std::make_unique<SmallDisk>(dir_.filePath("disk"), 1024);
        if (!disk_->IsMounted()) {
            GTEST_SKIP() << "a small disk of its own needs root (mount of a tmpfs)";
        }
        data_ = disk_->Folder() + "/DATA";
        Init(data_);
    }
    void ExpectReadingWorks() {
        const Result dump = Data({"dump", data_, "main_card.db"});
        EXPECT_EQ(dump.code, 0) << dump.err.toStdString();
        EXPECT_TRUE(dump.out.contains("\r\nBrok,")) << dump.out.toStdString();
        const Result sql = Data({"sql", data_, "Select Jmeno_registr from main_card"});
        EXPECT_EQ(sql.code, 0) << sql.err.toStdString();
        EXPECT_EQ(sql.out, "Jmeno_registr\nAron\nBrok\n");
        const QString out = dir_.filePath("karty.txt");
        QFile::remove(out);
        const Result report =
            RunProgram(QStringLiteral("harvel-report"),
                       {"--data", data_, "--table", "main_card.db", "--template",
                        QStringLiteral(HARVEL_SOURCE_DIR "/templates/EvidList01.pts"), "--format",
                        "dump", "--out", out});
        EXPECT_EQ(report.code, 0) << report.err.toStdString();
        EXPECT_GT(QFileInfo(out).size(), 0);
    }
    std::unique_ptr<SmallDisk> disk_;
};

TEST_F(DiskIntegrity, ALoadOnAFullDiskSaysTheDiskIsFullAndKeepsTheData) {
    QByteArray csv = "Jmeno_registr,Povaha\r\n";
    for (int i = 0; i < 20000; ++i) {
        csv += "Pes " + QByteArray::number(i) + "," + QByteArray(150, 'x') + "\r\n";
    }
    const QString file = dir_.filePath("mnoho.csv");
    WriteFile(file, csv);
    // Room to open and start, none to finish: the transaction fails half way.
    disk_->Fill(200 * 1024);
    Result r = Data({"load", data_, "main_card.db", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), "Na disku není místo. (SQLite: database or disk is full)");
    ExpectReadingWorks();
    // No room even to open the database for writing.
    disk_->Fill();
    r = Data({"load", data_, "main_card.db", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith("Na disku není místo.")) << r.err.toStdString();
    ExpectReadingWorks();
}

TEST_F(DiskIntegrity, ReadingWorksOnAFullDiskAndOnAWriteProtectedMedium) {
    disk_->Fill();
    ExpectReadingWorks();
    QFile::remove(disk_->Folder() + "/vypln.bin");
    ASSERT_TRUE(disk_->MakeReadOnly());
    ExpectReadingWorks();
    const Result check = Data({"check", data_});
    EXPECT_EQ(check.code, 0) << check.out.toStdString() << check.err.toStdString();
}

}  // namespace
