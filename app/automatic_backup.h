#pragma once
// The backup taken at every start of the program (backup.h): in a thread of
// its own with its own connection, so the window opens and works at once
// while the copy is made. Nothing is copied when the database has not
// changed since the newest backup. A backup that fails is reported in a
// warning box once it has ended; a database whose copy fails the check is
// reported as damaged, with the newest backup that opens.

#include <QObject>
#include <QString>
#include <QThread>
#include <memory>

class TAutomaticBackup : public QObject {
    Q_OBJECT

  public:
    TAutomaticBackup(QString dataFolder, int keep);
    ~TAutomaticBackup() override;  // waits for the copy to end

    void Start();
    // Blocks until the copy has ended (for the end of the program and tests).
    void Wait();
    bool Running() const;

    // After Finished: the backup written (empty when skipped) or what failed.
    const QString& BackupFile() const { return backupFile_; }
    const QString& Failure() const { return failure_; }

  signals:
    void Finished();

  private:
    void Report();

    QString dataFolder_;
    int keep_;
    QString backupFile_, failure_;
    std::unique_ptr<QThread> thread_;
};
