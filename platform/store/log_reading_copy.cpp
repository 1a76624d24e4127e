#include "platform/store/log_reading_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/store/store_error.h"

namespace platform {
namespace {

QString LogOf(const QString& file) {
    return file + QStringLiteral("-wal");
}

[[noreturn]] void CannotCopy(const QString& file, const QString& reason) {
    throw StoreError(
        QStringLiteral("Databázi „%1“ nelze přečíst: její deník změn (%2) nelze v této složce "
                       "načíst a jeho dočasnou kopii nelze vytvořit (%3). Bez něj by se ukázal "
                       "starší stav dat.")
            .arg(QDir::toNativeSeparators(file), QFileInfo(LogOf(file)).fileName(), reason));
}

void CopyInto(const QString& from, const QString& to, const QString& database) {
    QFile source(from);
    if (!source.copy(to)) {
        CannotCopy(database, source.errorString());
    }
    // A copy of a write-protected file is write-protected too; SQLite needs
    // to write the log's index beside it.
    QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace

bool HasWriteAheadLog(const QString& file) {
    const QFileInfo log(LogOf(file));
    return log.isFile() && log.size() > 0;
}

LogReadingCopy::LogReadingCopy(const QString& file) {
    if (!folder_.isValid()) {
        CannotCopy(file, folder_.errorString());
    }
    file_ = QDir(folder_.path()).filePath(QFileInfo(file).fileName());
    CopyInto(file, file_, file);
    CopyInto(LogOf(file), LogOf(file_), file);
}

QString LogReadingCopy::File() const {
    return file_;
}

}  // namespace platform
