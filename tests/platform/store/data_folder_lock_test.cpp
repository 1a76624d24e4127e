// The lock of a data folder: shared within one process and removed with its
// last holder; a holder in another process named in every refusal (a writer,
// a backup, a restore) while the database opens read-only for the program;
// a holder killed with signal 9 leaving the lock to the next writer.

#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "platform/store/backup.h"
#include "platform/store/data_folder_lock.h"
#include "tests/platform/store/store_fixture.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::ReadFile;

using platform::Database;
using platform::DataFolderBusy;
using platform::DataFolderLock;
using platform::OpenMode;

// Whether some process holds the flock of the file.
bool IsLockedElsewhere(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return locked;
}

// Another process holding the folder's lock (flock(1)), under the name its
// lock file is given beforehand.
class ForeignHolder {
  public:
    ForeignHolder(const QString& folder, const QByteArray& content)
        : file_(DataFolderLock::LockFile(folder)) {
        QFile lock(file_);
        if (lock.open(QIODevice::WriteOnly)) {
            lock.write(content);
        }
        lock.close();
        // flock(1) alone holds the lock (-o: its command does not inherit
        // it), in a process group of its own, so that both end together.
        process_.setChildProcessModifier([] { ::setpgid(0, 0); });
        process_.start(QStringLiteral("flock"),
                       {QStringLiteral("-o"), file_, QStringLiteral("sleep"), "120"});
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000 && !IsLockedElsewhere(file_)) {
            QThread::msleep(10);
        }
    }
    ~ForeignHolder() { Kill(); }
    bool Holds() const { return IsLockedElsewhere(file_); }
    void Kill() {
        if (process_.state() == QProcess::NotRunning) {
            return;
        }
        ::kill(-static_cast<pid_t>(process_.processId()), SIGKILL);
        process_.waitForFinished(5000);
        // The command started by flock(1) may have died a moment later,
        // before it closed its inherited copy of the lock.
        QElapsedTimer waited;
        waited.start();
        while (Holds() && waited.elapsed() < 5000) {
            QThread::msleep(5);
        }
    }

  private:
    QString file_;
    QProcess process_;
};

class DataLock : public store_test::StoreFixture {
  protected:
    void TearDown() override { platform::SetDataLockHolderName(QString()); }
    QString LockFile() const { return DataFolderLock::LockFile(folder_); }
};

TEST_F(DataLock, IsSharedWithinTheProcessAndGoesWithItsLastHolder) {
    db_.reset();
    platform::SetDataLockHolderName(QStringLiteral("zkouška zámku"));
    db_ = std::make_unique<Database>(folder_);  // open for writing: holds the lock
    EXPECT_EQ(
        ReadFile(LockFile()),
        QStringLiteral("zkouška zámku\n%1\n").arg(QCoreApplication::applicationPid()).toUtf8());
    {
        const DataFolderLock again(folder_);  // the process's own backup beside its database
        db_.reset();
        EXPECT_TRUE(QFile::exists(LockFile()));
        EXPECT_TRUE(IsLockedElsewhere(LockFile()));
    }
    EXPECT_FALSE(QFile::exists(LockFile()));
    // A reader takes no lock.
    Database reader(folder_, OpenMode::ReadOnly);
    EXPECT_FALSE(QFile::exists(LockFile()));
}

TEST_F(DataLock, AHolderInAnotherProcessIsNamedAndNothingIsWritten) {
    db_.reset();
    ForeignHolder holder(folder_, "harvel-data load\n4242\n");
    ASSERT_TRUE(holder.Holds()) << "flock(1) did not take the lock";
    const QString expected = QStringLiteral("Data používá harvel-data load (proces 4242).");
    try {
        DataFolderLock lock(folder_);
        ADD_FAILURE() << "the lock was taken twice";
    } catch (const DataFolderBusy& busy) {
        EXPECT_EQ(busy.Message(), expected);
    }
    try {
        Database writer(folder_);
        ADD_FAILURE() << "the database opened for writing";
    } catch (const DataFolderBusy& busy) {
        EXPECT_EQ(busy.Message(), expected);
    }
    {
        // The program opens the data read-only and says who has them.
        Database program(folder_, OpenMode::ReadWriteOrReadOnly);
        EXPECT_TRUE(program.IsReadOnly());
        EXPECT_EQ(program.ReadOnlyReason(), "Data používá harvel-data load (proces 4242)");
        EXPECT_THROW(program.StartTransaction(), platform::StoreError);
    }

    const QString copy = dir_.filePath("kopie.sqlite");
    platform::CopyDatabase(Database::DatabaseFile(folder_), copy);  // reading is never blocked
    EXPECT_THROW(platform::TakeBackup(folder_), DataFolderBusy);
    EXPECT_THROW(platform::RestoreBackup(folder_, copy), DataFolderBusy);
    EXPECT_FALSE(QDir(platform::BackupFolder(folder_)).exists());
    const QStringList written = QDir(folder_)
                                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                                    .filter(QStringLiteral("obnova"));
    EXPECT_TRUE(written.isEmpty()) << written.join(' ').toStdString();
}

TEST_F(DataLock, AHolderThatHasNotNamedItselfIsAnotherProgram) {
    db_.reset();
    ForeignHolder holder(folder_, "");
    ASSERT_TRUE(holder.Holds());
    EXPECT_THROW(
        {
            try {
                DataFolderLock lock(folder_);
            } catch (const DataFolderBusy& busy) {
                EXPECT_EQ(busy.Message(), "Data používá jiný program.");
                throw;
            }
        },
        DataFolderBusy);
}

TEST_F(DataLock, AHolderKilledWithSignal9LeavesTheLockToTheNextWriter) {
    db_.reset();
    ForeignHolder holder(folder_, "harvel-data load\n4242\n");
    ASSERT_TRUE(holder.Holds());
    EXPECT_THROW(Database writer(folder_), DataFolderBusy);
    holder.Kill();
    // The file stays, naming the dead holder; it is only a name.
    EXPECT_TRUE(QFile::exists(LockFile()));
    platform::SetDataLockHolderName(QStringLiteral("další zapisovatel"));
    Database writer(folder_);
    EXPECT_FALSE(writer.IsReadOnly());
    EXPECT_TRUE(ReadFile(LockFile()).startsWith("další zapisovatel\n"));
}

}  // namespace
