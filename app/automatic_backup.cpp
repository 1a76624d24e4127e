#include "app/automatic_backup.h"

#include "platform/messages.h"
#include "platform/store/backup.h"
#include "platform/store/store_error.h"

TAutomaticBackup::TAutomaticBackup(QString dataFolder, int keep)
    : dataFolder_(std::move(dataFolder)), keep_(keep) {}

TAutomaticBackup::~TAutomaticBackup() {
    Wait();
}

void TAutomaticBackup::Start() {
    if (thread_) {
        return;
    }
    // The thread writes only its own two members, read after it has ended.
    thread_.reset(QThread::create([this] {
        try {
            backupFile_ = platform::TakeAutomaticBackup(dataFolder_, keep_);
        } catch (const platform::StoreError& error) {
            failure_ = error.Message();
        } catch (const std::exception& error) {
            failure_ = QString::fromLocal8Bit(error.what());
        }
    }));
    connect(thread_.get(), &QThread::finished, this, &TAutomaticBackup::Report,
            Qt::QueuedConnection);
    thread_->start(QThread::LowPriority);
}

void TAutomaticBackup::Wait() {
    if (thread_) {
        thread_->wait();
    }
}

bool TAutomaticBackup::Running() const {
    return thread_ && thread_->isRunning();
}

void TAutomaticBackup::Report() {
    if (!failure_.isEmpty()) {
        platform::ShowMessage(
            QStringLiteral("Automatickou zálohu dat se nepodařilo vytvořit: %1").arg(failure_),
            QString(), platform::MessageIcon::Warning, platform::mbOK);
    }
    emit Finished();
}
