#include "platform/paradox/old_installation.h"

#include <QDir>
#include <QFileInfo>

#include "platform/store/schema.h"
#include "platform/store/store_error.h"

namespace platform::paradox {
namespace {

QString FindFolder(const QString& parent, const QString& name) {
    const QDir dir(parent);
    for (const QString& entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return dir.filePath(entry);
        }
    }
    return QString();
}

bool HoldsTables(const QString& folder) {
    for (const TableSchema& t : AllTableSchemas()) {
        if (!OldInstallation::FindFile(folder, t.fileName).isEmpty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

QString OldInstallation::FindFile(const QString& folder, const QString& name) {
    if (folder.isEmpty()) {
        return QString();
    }
    const QDir dir(folder);
    // Special files and dangling links are found too, so that taking over
    // can name them instead of passing them by in silence.
    for (const QString& entry : dir.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return dir.filePath(entry);
        }
    }
    return QString();
}

OldInstallation OldInstallation::Locate(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) {
        throw StoreError(
            QStringLiteral("Složka %1 neexistuje.").arg(QDir::toNativeSeparators(folder)));
    }
    OldInstallation old;
    const QString data = FindFolder(folder, QStringLiteral("DATA"));
    if (HoldsTables(folder)) {
        old.dataFolder = info.absoluteFilePath();
    } else if (!data.isEmpty() && HoldsTables(data)) {
        old.dataFolder = QFileInfo(data).absoluteFilePath();
    } else {
        throw StoreError(QStringLiteral("Ve složce %1 nejsou tabulky dřívější instalace "
                                        "(main_card.db a další).")
                             .arg(QDir::toNativeSeparators(folder)));
    }
    old.root = QFileInfo(old.dataFolder).absolutePath();
    return old;
}

QString OldInstallation::TableFile(const QString& tableName) const {
    return FindFile(dataFolder, tableName);
}

QStringList OldInstallation::TableFiles() const {
    QStringList files;
    const QDir dir(dataFolder);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (entry.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive)) {
            files << entry;
        }
    }
    return files;
}

QString OldInstallation::SettingsFile(const QString& name) const {
    for (const QString& folder : {FindFolder(root, QStringLiteral("BIN")), root, dataFolder}) {
        const QString file = FindFile(folder, name);
        if (!file.isEmpty()) {
            return file;
        }
    }
    return QString();
}

QStringList OldInstallation::TemplateFiles() const {
    QStringList files;
    const QString folder = FindFolder(root, QStringLiteral("Predlohy"));
    if (folder.isEmpty()) {
        return files;
    }
    const QDir dir(folder);
    for (const QString& entry :
         dir.entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name)) {
        if (entry.endsWith(QStringLiteral(".pts"), Qt::CaseInsensitive)) {
            files << dir.filePath(entry);
        }
    }
    return files;
}

}  // namespace platform::paradox
