// The data module on bad ground: a data folder on a write-protected medium
// or a full disk opens read-only, says so once and refuses edits with a
// clear message; a damaged database is reported with the newest backup that
// opens; the start-up backup is taken beside the window and skipped when
// nothing changed.

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/automatic_backup.h"
#include "app/dmunit.h"
#include "platform/clock.h"
#include "platform/store/backup.h"
#include "platform/store/store_error.h"
#include "tests/support/seams.h"
#include "tests/support/small_disk.h"

namespace {

using testing_support::ScriptedMessages;
using testing_support::SmallDisk;

void AddCard(const QString& folder, const QString& name) {
    platform::Database db(folder);
    platform::Table cards(db, QStringLiteral("main_card.db"));
    cards.Open();
    cards.Append();
    cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(name);
    cards.Post();
}

QString EditRefusal(platform::Table& table) {
    try {
        table.Edit();
    } catch (const platform::StoreError& e) {
        return e.Message();
    }
    return QString();
}

TEST(DataModuleMedium, AWriteProtectedOrFullDiskOpensReadOnlyAndSaysSoOnce) {
    QTemporaryDir dir;
    SmallDisk disk(dir.filePath("disk"), 1024);
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "a small disk of its own needs root (mount of a tmpfs)";
    }
    const QString folder = disk.Folder() + "/DATA/";
    platform::Database::CreateSchema(folder);
    AddCard(folder, QStringLiteral("Aron"));
    disk.Fill();
    {
        ScriptedMessages messages;
        TDM1 dm(folder);
        ASSERT_EQ(messages.Texts().size(), 1) << messages.Texts().join('|').toStdString();
        EXPECT_EQ(messages.Texts()[0],
                  QStringLiteral("Složka dat „%1“ je otevřena jen pro čtení (na disku není "
                                 "místo). Záznamy lze prohlížet a tisknout, změny nelze uložit.")
                      .arg(folder));
        EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Information);
        EXPECT_EQ(dm.TaMain_Card.RecordCount(), 1);
        EXPECT_EQ(EditRefusal(dm.TaMain_Card),
                  "Data jsou otevřena jen pro čtení (na disku není místo); změny nelze uložit.");
    }
    QFile::remove(disk.Folder() + "/vypln.bin");
    ASSERT_TRUE(disk.MakeReadOnly());
    ScriptedMessages messages;
    TDM1 dm(folder);
    ASSERT_EQ(messages.Texts().size(), 1) << messages.Texts().join('|').toStdString();
    EXPECT_TRUE(messages.Texts()[0].contains("(do složky dat nelze zapisovat)"));
    EXPECT_EQ(dm.TaMain_Card.FieldByName(QStringLiteral("Jmeno_registr")).AsString(), "Aron");
    EXPECT_TRUE(EditRefusal(dm.TaMain_Card).startsWith("Data jsou otevřena jen pro čtení"));
    dm.RunListQuery(QString(), QString());
    EXPECT_EQ(dm.QSeznamy.RecordCount(), 1);
    EXPECT_EQ(messages.Texts().size(), 1);
}

TEST(DataModuleDamage, ADamagedDatabaseIsReportedWithTheNewestBackupThatOpens) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("DATA") + "/";
    platform::Database::CreateSchema(folder);
    AddCard(folder, QStringLiteral("Aron"));
    testing_support::FixedClock clock(QDateTime(QDate(2026, 6, 1), QTime(7, 30, 5)));
    platform::TakeBackup(folder);
    QFile file(platform::Database::DatabaseFile(folder));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(64, '\x55'));
    file.close();
    ScriptedMessages messages;
    TDM1 dm(folder);
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(
        "Nejnovější záloha, kterou lze otevřít: harvel-2026-06-01_07-30-05-01.sqlite"))
        << messages.Texts()[0].toStdString();
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
}

TEST(StartUpBackup, IsTakenBesideTheWindowAndSkippedWhenNothingChanged) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("DATA") + "/";
    platform::Database::CreateSchema(folder);
    AddCard(folder, QStringLiteral("Aron"));
    ScriptedMessages messages;
    {
        TAutomaticBackup backup(folder, 10);
        QSignalSpy finished(&backup, &TAutomaticBackup::Finished);
        backup.Start();
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_TRUE(backup.Failure().isEmpty()) << backup.Failure().toStdString();
        EXPECT_EQ(platform::ListBackups(folder), QStringList{backup.BackupFile()});
    }
    TAutomaticBackup again(folder, 10);
    QSignalSpy finished(&again, &TAutomaticBackup::Finished);
    again.Start();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(again.BackupFile().isEmpty());
    EXPECT_EQ(platform::ListBackups(folder).size(), 1);
    EXPECT_TRUE(messages.Texts().isEmpty());

    // A failing backup is told in a warning once it has ended.
    TAutomaticBackup failing(dir.filePath("NENI") + "/", 10);
    QSignalSpy failed(&failing, &TAutomaticBackup::Finished);
    failing.Start();
    ASSERT_TRUE(failed.wait(20000));
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].startsWith("Automatickou zálohu dat se nepodařilo vytvořit: "));
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Warning);
}

}  // namespace
