// Backups of the kennel database: names that carry the time and stay unique
// and in order within one second, the newest kept, nothing copied when
// nothing changed, a consistent copy while another connection writes, each
// backup one file that a check leaves alone, the round trip of a restore,
// refusals of files that are no sound kennel database (foreign, carrying a
// trigger, a view or an index of their own, a pipe, a device, a folder) with
// the folder left byte for byte, and the newest sound backup named for a
// damaged database.

#include <sqlite3.h>
#include <sys/stat.h>

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <map>
#include <thread>

#include "platform/clock.h"
#include "platform/store/backup.h"
#include "platform/store/schema.h"
#include "platform/store/sqlite_handle.h"
#include "tests/platform/store/store_fixture.h"

namespace {

using platform::Database;
using platform::StoreError;
using store_test::StoreFixture;

// Every file below the folder with its bytes.
std::map<QString, QByteArray> FolderBytes(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
    }
    return files;
}

QByteArray JournalModeBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.read(20).mid(18) : QByteArray();
}

class Backups : public StoreFixture {
  protected:
    void TearDown() override { platform::SetClock({}); }
    void SetTime(const QString& text) {
        const QDateTime at = QDateTime::fromString(text, Qt::ISODate);
        platform::SetClock([at] { return at; });
    }
    static QStringList Names(const QStringList& paths) {
        QStringList names;
        for (const QString& p : paths) {
            names << QFileInfo(p).fileName();
        }
        return names;
    }
    // A copy of `backup` changed by SQL of another tool.
    QString Crafted(const QString& name, const QString& backup, const QString& sql) {
        const QString file = dir_.filePath(name);
        EXPECT_TRUE(QFile::copy(backup, file));
        platform::Connection db(file, false);
        db.Execute(sql);
        return file;
    }
    // Restores `file`, which must be refused with `reason`, and checks that
    // nothing in the data folder changed.
    void ExpectRefused(const QString& file, const QString& reason) {
        const std::map<QString, QByteArray> before = FolderBytes(folder_);
        QElapsedTimer timer;
        timer.start();
        try {
            platform::RestoreBackup(folder_, file);
            ADD_FAILURE() << file.toStdString() << " was restored";
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.Message().startsWith(
                QStringLiteral("Ze souboru „%1“ nelze databázi obnovit: ").arg(file)))
                << e.Message().toStdString();
            EXPECT_TRUE(e.Message().contains(reason)) << e.Message().toStdString();
        }
        EXPECT_LT(timer.elapsed(), 1000) << file.toStdString();
        EXPECT_TRUE(FolderBytes(folder_) == before) << file.toStdString();
    }
    QStringList CardsIn(const QString& file) {
        const QString folder = dir_.filePath("cteni");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        EXPECT_TRUE(QFile::copy(file, Database::DatabaseFile(folder)));
        Database db(folder, platform::OpenMode::ReadOnly);
        platform::Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        return Column(cards, "Jmeno_registr");
    }
};

TEST_F(Backups, NamesCarryTheTimeAndStayUniqueAndInOrderWithinOneSecond) {
    AddCard("Aron");
    SetTime("2026-12-09T22:30:15");
    const QString first = platform::TakeBackup(folder_);
    const QString second = platform::TakeBackup(folder_);
    SetTime("2026-12-09T22:30:16");
    const QString third = platform::TakeBackup(folder_);
    EXPECT_EQ(Names({first, second, third}), (QStringList{"harvel-2026-12-09_22-30-15-01.sqlite",
                                                          "harvel-2026-12-09_22-30-15-02.sqlite",
                                                          "harvel-2026-12-09_22-30-16-01.sqlite"}));
    EXPECT_EQ(platform::ListBackups(folder_), (QStringList{first, second, third}));
    EXPECT_EQ(QFileInfo(first).absolutePath(), QDir(folder_).filePath("Zalohy"));
    EXPECT_EQ(CardsIn(third), QStringList{"Aron"});
}

TEST_F(Backups, TheNewestAreKeptAndNothingIsCopiedWhenNothingChanged) {
    AddCard("Aron");
    db_.reset();
    SetTime("2026-01-01T08:00:00");
    const QString first = platform::TakeAutomaticBackup(folder_, 3);
    ASSERT_FALSE(first.isEmpty());
    // The program opening the database again changes nothing in it.
    db_ = std::make_unique<Database>(folder_);
    QueryColumn("Select * from main_card", "Jmeno_registr");
    EXPECT_EQ(platform::TakeAutomaticBackup(folder_, 3), QString());
    EXPECT_EQ(platform::ListBackups(folder_).size(), 1);
    AddCard("Brok");
    const QString second = platform::TakeAutomaticBackup(folder_, 3);
    ASSERT_FALSE(second.isEmpty());
    EXPECT_EQ(CardsIn(second), (QStringList{"Aron", "Brok"}));
    QStringList taken{first, second};
    for (const char* name : {"Cyril", "Dan", "Eda"}) {
        AddCard(QString::fromUtf8(name));
        taken << platform::TakeAutomaticBackup(folder_, 3);
    }
    EXPECT_EQ(platform::ListBackups(folder_), taken.mid(2));
}

TEST_F(Backups, ABackupTakenWhileAnotherConnectionWritesHoldsOneState) {
    // A kennel of some megabytes, so copying takes a while.
    {
        platform::Table cards(*db_, QStringLiteral("main_card.db"));
        cards.Open();
        db_->StartTransaction();
        cards.BeginBulkAppend();
        for (int i = 0; i < 4000; ++i) {
            cards.Append();
            cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QString::number(i));
            cards.FieldByName(QStringLiteral("Poznamka")).SetAsString(QString(2000, 'p'));
            cards.Post();
        }
        db_->Commit();
        cards.EndBulkAppend();
    }
    // Another connection adds a card and a litter of it in every
    // transaction, so a consistent state has exactly 4000 more cards than
    // litters.
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
    std::thread writer([&] {
        platform::Connection db(Database::DatabaseFile(folder_), false);
        for (int i = 0; !stop; ++i) {
            const QString name = QStringLiteral("w%1").arg(i);
            try {
                db.Execute(QStringLiteral("BEGIN IMMEDIATE"));
                db.Execute(QStringLiteral("INSERT INTO main_card (Jmeno_registr, Poznamka) "
                                          "VALUES ('%1', printf('%.3000c', 'm'))")
                               .arg(name));
                db.Execute(
                    QStringLiteral("INSERT INTO vrhy (Jmeno_registr) VALUES ('%1')").arg(name));
                db.Execute(QStringLiteral("COMMIT"));
                ++written;
            } catch (const StoreError&) {
                if (db.InTransaction()) {
                    db.Execute(QStringLiteral("ROLLBACK"));
                }
            }
        }
    });
    struct StopWriter {
        std::atomic<bool>& stop;
        std::thread& writer;
        ~StopWriter() {
            stop = true;
            writer.join();
        }
    } stopWriter{stop, writer};
    int overlapped = 0;
    for (int round = 0; round < 20 && overlapped < 3; ++round) {
        const int before = written;
        const QString backup = platform::TakeBackup(folder_, 50);
        if (written > before) {
            ++overlapped;
        }
        QString problem;
        ASSERT_TRUE(platform::DatabaseIsSound(backup, &problem)) << problem.toStdString();
        std::unique_ptr<platform::Connection> copy = platform::Connection::OpenForReading(backup);
        platform::Statement difference(
            copy->Raw(),
            QStringLiteral(
                "SELECT (SELECT count(*) FROM main_card) - (SELECT count(*) FROM vrhy)"));
        ASSERT_TRUE(difference.Step());
        EXPECT_EQ(difference.ColumnInt(0), 4000);
    }
    EXPECT_GT(written, 0);
    EXPECT_GT(overlapped, 0) << "no backup was taken while the other connection wrote";
}

TEST_F(Backups, ARestoreBringsTheBackupBackAndKeepsTheReplacedDatabase) {
    AddCard("Aron");
    AddCard("Brok");
    db_->Analyze();  // the planner's statistics belong to a kennel database too
    SetTime("2026-03-01T10:00:00");
    const QString backup = platform::TakeBackup(folder_);
    platform::Table cards(*db_, QStringLiteral("main_card.db"));
    cards.Open();
    ASSERT_TRUE(cards.Locate(QStringLiteral("Jmeno_registr"), QStringLiteral("Aron")));
    cards.Delete();
    cards.Close();
    AddCard("Cyril");
    db_.reset();

    SetTime("2026-03-02T10:00:00");
    const QString kept = platform::RestoreBackup(folder_, backup);
    EXPECT_EQ(QFileInfo(kept).fileName(), "harvel-2026-03-02_10-00-00-01.sqlite");
    EXPECT_EQ(platform::ListBackups(folder_), (QStringList{backup, kept}));
    EXPECT_EQ(CardsIn(kept), (QStringList{"Brok", "Cyril"}));
    db_ = std::make_unique<Database>(folder_);
    EXPECT_EQ(QueryColumn("Select * from main_card", "Jmeno_registr"),
              (QStringList{"Aron", "Brok"}));
    // The restored database takes new rows as before.
    AddCard("Dan");
    EXPECT_EQ(QueryColumn("Select * from main_card", "Jmeno_registr"),
              (QStringList{"Aron", "Brok", "Dan"}));
}

// The manner-of-mating columns were widened to 20 characters. The width is
// the store's own rule, not part of the file's tables: a database (or a
// backup) made before the widening has the very same catalogue, restores,
// and takes the longer values.
TEST_F(Backups, ABackupFromBeforeTheWiderMannerOfMatingRestoresAndTakesTheLongerValue) {
    const platform::TableSchema* matings = platform::FindTableSchema(QStringLiteral("kryti.DB"));
    ASSERT_NE(matings, nullptr);
    EXPECT_EQ(platform::CreateStatements(*matings)[0],
              "CREATE TABLE \"kryti\" (\"Jmeno_registr\" TEXT, \"Jmeno_partner\" TEXT, "
              "\"Datum_kryti_1\" TEXT, \"Asistence\" TEXT, \"Majitel\" TEXT, \"Datum_kryti_2\" "
              "TEXT, \"Datum_kryti_3\" TEXT, \"Zpusob_Kryti_1\" TEXT, \"Zpusob_Kryti_2\" TEXT, "
              "\"Zpusob_Kryti_3\" TEXT, \"Misto_Kryti_1\" TEXT, \"Misto_Kryti_2\" TEXT, "
              "\"Misto_Kryti_3\" TEXT, \"Chovatel_zamer\" TEXT, \"Nakryta_Ano_Ne\" INTEGER, "
              "\"Datum_vrhu\" TEXT, \"Pocet_pes\" INTEGER, \"Pocet_fena\" INTEGER, \"Poznamka\" "
              "TEXT)");
    AddCard("Aron");
    SetTime("2026-03-01T10:00:00");
    const QString backup = platform::TakeBackup(folder_);
    db_.reset();
    SetTime("2026-03-02T10:00:00");
    platform::RestoreBackup(folder_, backup);
    db_ = std::make_unique<Database>(folder_);
    platform::Table table(*db_, QStringLiteral("kryti.DB"));
    table.Open();
    table.Append();
    table.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Aron"));
    table.FieldByName("Zpusob_Kryti_1").SetAsString(QStringLiteral("přirozený (přírodní)"));
    table.Post();
    table.Refresh();
    EXPECT_EQ(table.FieldByName("Zpusob_Kryti_1").AsString(), "přirozený (přírodní)");
}

TEST_F(Backups, ARestoreRefusesAFileThatIsNoSoundKennelDatabase) {
    AddCard("Aron");
    const QString garbage = dir_.filePath("smeti.sqlite");
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    const QString foreign = dir_.filePath("cizi.sqlite");
    sqlite3* db = nullptr;
    sqlite3_open(foreign.toUtf8().constData(), &db);
    sqlite3_exec(db, "CREATE TABLE t (a)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    for (const QString& bad : {garbage, foreign, dir_.filePath("neni.sqlite")}) {
        try {
            platform::RestoreBackup(folder_, bad);
            ADD_FAILURE() << bad.toStdString() << " was restored";
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.Message().startsWith("Ze souboru")) << e.Message().toStdString();
        }
    }
    EXPECT_TRUE(platform::ListBackups(folder_).isEmpty());
    EXPECT_EQ(QueryColumn("Select * from main_card", "Jmeno_registr"), QStringList{"Aron"});
}

TEST_F(Backups, EachBackupIsOneFileAndCheckingItLeavesNothingBesideIt) {
    AddCard("Aron");
    SetTime("2026-04-01T09:00:00");
    const QString first = platform::TakeBackup(folder_);
    AddCard("Brok");
    const QString second = platform::TakeBackup(folder_);
    EXPECT_TRUE(platform::DatabaseIsSound(first));
    EXPECT_EQ(platform::NewestSoundBackup(folder_), second);
    for (const QString& backup : {first, second}) {
        EXPECT_EQ(JournalModeBytes(backup), QByteArray("\x01\x01"))
            << "not a rollback-journal file: " << backup.toStdString();
    }
    EXPECT_EQ(QDir(platform::BackupFolder(folder_)).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QFileInfo(first).fileName(), QFileInfo(second).fileName(),
                           "posledni-zaloha.txt"}));
    EXPECT_EQ(CardsIn(second), (QStringList{"Aron", "Brok"}));
}

TEST_F(Backups, ARestoreTakesOnlyAKennelDatabaseAndLeavesTheFolderAsItWas) {
    AddCard("Aron");
    AddRow(QStringLiteral("vrhy.db"), {{"Jmeno_registr", "Aron"}});
    const QString backup = platform::TakeBackup(folder_);
    db_.reset();
    ExpectRefused(Crafted("spoust.sqlite", backup,
                          "CREATE TRIGGER smaz_vrhy AFTER INSERT ON main_card BEGIN "
                          "DELETE FROM vrhy; END"),
                  "není to databáze Harvel: obsahuje navíc spoušť „smaz_vrhy“");
    ExpectRefused(Crafted("pohled.sqlite", backup, "CREATE VIEW psi AS SELECT * FROM main_card"),
                  "obsahuje navíc pohled „psi“");
    ExpectRefused(Crafted("index.sqlite", backup, "CREATE INDEX rychle ON main_card (Plemeno)"),
                  "obsahuje navíc index „rychle“");
    ExpectRefused(Crafted("sloupec.sqlite", backup,
                          "ALTER TABLE main_card ADD COLUMN Skryty TEXT DEFAULT 'x'"),
                  "tabulka „main_card“ má jiné sloupce nebo pravidla");
    const QString foreign = dir_.filePath("cizi.sqlite");
    {
        platform::Connection db(foreign, platform::Connection::Access::Create);
        db.Execute(QStringLiteral("CREATE TABLE main_card(x)"));
    }
    ExpectRefused(foreign, "tabulka „main_card“ má jiné sloupce nebo pravidla; chybí tabulka");
    // A pipe would block the reader, a device never end, a folder is no file.
    const QString pipe = dir_.filePath("roura.sqlite");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ExpectRefused(pipe, "je to pojmenovaná roura (FIFO), ne soubor");
    ExpectRefused(QStringLiteral("/dev/zero"), "je to zařízení, ne soubor");
    ExpectRefused(dir_.path(), "je to složka, ne soubor");
    ExpectRefused(dir_.filePath("neni.sqlite"), "soubor neexistuje");
    // The refusals changed nothing: the kennel is the one backed up.
    EXPECT_EQ(platform::RestoreBackup(folder_, backup).isEmpty(), false);
    db_ = std::make_unique<Database>(folder_);
    EXPECT_EQ(QueryColumn("Select * from vrhy", "Jmeno_registr"), QStringList{"Aron"});
}

TEST_F(Backups, ADamagedDatabaseIsAnsweredWithTheNewestBackupThatOpens) {
    AddCard("Aron");
    SetTime("2026-05-01T09:00:00");
    platform::TakeBackup(folder_);
    AddCard("Brok");
    SetTime("2026-05-02T09:00:00");
    const QString sound = platform::TakeBackup(folder_);
    SetTime("2026-05-03T09:00:00");
    const QString broken = platform::TakeBackup(folder_);
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(0);
    file.write(QByteArray(100, '\x7f'));
    file.close();
    EXPECT_EQ(platform::NewestSoundBackup(folder_), sound);
    EXPECT_TRUE(platform::DamagedDatabaseAdvice(folder_).startsWith(
        "Nejnovější záloha, kterou lze otevřít: harvel-2026-05-02_09-00-00-01.sqlite"))
        << platform::DamagedDatabaseAdvice(folder_).toStdString();
}

TEST(BackupSettings, TheNumberKeptComesFromHarvelIni) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("Harvel.INI");
    EXPECT_EQ(platform::BackupsToKeep(ini), 10);
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[EvidList]\r\nPocetZaloh=4\r\n");
    file.close();
    EXPECT_EQ(platform::BackupsToKeep(ini), 4);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[EvidList]\r\nPocetZaloh=0\r\n");
    file.close();
    EXPECT_EQ(platform::BackupsToKeep(ini), 10);
}

}  // namespace
