// Backups of the kennel database: names that carry the time and stay unique
// and in order within one second, the newest kept, nothing copied when
// nothing changed, a consistent copy while another connection writes, the
// round trip of a restore, refusals of files that are no sound database,
// and the newest sound backup named for a damaged database.

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <thread>

#include "platform/clock.h"
#include "platform/store/backup.h"
#include "platform/store/sqlite_handle.h"
#include "tests/platform/store/store_fixture.h"

namespace {

using platform::Database;
using platform::StoreError;
using store_test::StoreFixture;

class Backups : public StoreFixture {
  protected:
    void TearDown() override { platform::SetClock({}); }
    void SetTime(const QString& text) {
        const QDateTime at = QDateTime::fromString(text, Qt::ISODate);
        platform::SetClock([at] { return at; });
    }
    static QStringList Names(const QStringList& paths) {
        QStringList names;
        for (const QString& p : paths)
            names << QFileInfo(p).fileName();
        return names;
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
                if (db.InTransaction())
                    db.Execute(QStringLiteral("ROLLBACK"));
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
        if (written > before)
            ++overlapped;
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
