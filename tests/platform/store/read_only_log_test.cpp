// A data folder that takes no writes and holds the database with a write-ahead
// log but no log index (a backup copied onto a locked stick, a folder whose
// index was deleted) shows the state its log committed, never the older state
// of the bare file; the private copy that makes it possible goes when the
// database closes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/store/sqlite_handle.h"
#include "platform/store/store.h"
#include "tests/support/small_disk.h"

namespace {

using platform::Database;
using platform::OpenMode;
using platform::Table;
using testing_support::SmallDisk;

void AddCard(Table& cards, const char* name) {
    cards.Append();
    cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QString::fromUtf8(name));
    cards.Post();
}

QStringList Names(Database& db) {
    platform::Query q(db);
    q.SetSQL({QStringLiteral("Select * from main_card order by Jmeno_registr")});
    q.Open();
    QStringList names;
    for (q.First(); !q.Eof(); q.Next()) {
        names << q.FieldByName(QStringLiteral("Jmeno_registr")).AsString();
    }
    return names;
}

int TemporaryEntries() {
    return QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size();
}

class ReadOnlyLog : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        disk_ = std::make_unique<SmallDisk>(dir_.filePath("disk"), 2048);
        if (!disk_->IsMounted()) {
            GTEST_SKIP() << "a write-protected medium of its own needs root (mount of a tmpfs)";
        }
        const QString source = dir_.filePath("DATA");
        Database::CreateSchema(source);
        {
            Database db(source);
            Table cards(db, QStringLiteral("main_card.db"));
            cards.Open();
            AddCard(cards, "Aron");
            AddCard(cards, "Brok");
        }
        // Changes that stay in the log: the file alone still holds Aron and Brok.
        Database db(source);
        db.Handle().Execute(QStringLiteral("PRAGMA wal_autocheckpoint=0"));
        Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        AddCard(cards, "Cyril");
        ASSERT_TRUE(cards.Locate(QStringLiteral("Jmeno_registr"), QStringLiteral("Aron")));
        cards.Delete();
        folder_ = disk_->Folder() + "/DATA";
        ASSERT_TRUE(QDir().mkpath(folder_));
        const QString file = Database::DatabaseFile(source);
        ASSERT_TRUE(QFile::copy(file, Database::DatabaseFile(folder_)));
        ASSERT_TRUE(QFile::copy(file + "-wal", Database::DatabaseFile(folder_) + "-wal"));
        ASSERT_FALSE(QFile::exists(Database::DatabaseFile(folder_) + "-shm"));
        ASSERT_TRUE(disk_->MakeReadOnly());
    }
    QTemporaryDir dir_;
    std::unique_ptr<SmallDisk> disk_;
    QString folder_;
};

TEST_F(ReadOnlyLog, EveryReadingModeShowsWhatTheLogCommitted) {
    // A temporary folder of this test's own: tests running beside it make
    // and remove files in the shared one.
    const QString temporary = dir_.filePath("tmp");
    ASSERT_TRUE(QDir().mkpath(temporary));
    const QByteArray oldTemporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporary.toLocal8Bit());
    const int temporaryBefore = TemporaryEntries();
    for (OpenMode mode : {OpenMode::ReadOnly, OpenMode::ReadWriteOrReadOnly}) {
        Database db(folder_, mode);
        EXPECT_TRUE(db.IsReadOnly());
        EXPECT_EQ(Names(db), (QStringList{"Brok", "Cyril"}));
        Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        EXPECT_EQ(cards.RecordCount(), 2);
        EXPECT_THROW(cards.Edit(), platform::StoreError);
    }
    EXPECT_EQ(TemporaryEntries(), temporaryBefore) << "the private copy outlived its database";
    qputenv("TMPDIR", oldTemporary);
    EXPECT_FALSE(QFile::exists(Database::DatabaseFile(folder_) + "-shm"));
}

TEST_F(ReadOnlyLog, WithoutRoomForTheCopyTheDataIsRefusedNotShownOld) {
    SmallDisk temporary(dir_.filePath("tmp"), 64);
    ASSERT_TRUE(temporary.IsMounted());
    temporary.Fill();
    const QByteArray oldTemporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporary.Folder().toLocal8Bit());
    try {
        Database db(folder_, OpenMode::ReadOnly);
        ADD_FAILURE() << "shown without its log: " << Names(db).join(',').toStdString();
    } catch (const platform::StoreError& e) {
        EXPECT_TRUE(e.Message().contains("starší stav dat")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("harvel.sqlite-wal")) << e.Message().toStdString();
    }
    qputenv("TMPDIR", oldTemporary);
}

}  // namespace
