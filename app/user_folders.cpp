#include "app/user_folders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include "platform/atomic_file.h"
#include "platform/store/database.h"
#include "platform/store/store_error.h"

namespace {

using ShippedList = QMap<QString, QByteArray>;  // file name -> SHA-256 in hex

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QByteArray FileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

ShippedList ReadShippedList(const QString& path) {
    ShippedList list;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return list;
    }
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0) {
            list.insert(QString::fromUtf8(line.left(tab)), line.mid(tab + 1).trimmed());
        }
    }
    return list;
}

bool WriteShippedList(const QString& path, const ShippedList& list) {
    QByteArray text;
    for (auto it = list.cbegin(); it != list.cend(); ++it) {
        text += it.key().toUtf8() + '\t' + it.value() + '\n';
    }
    return platform::WriteWholeFile(path, text).isEmpty();
}

bool MakeFolder(const QString& folder, QStringList& problems) {
    if (QDir().mkpath(folder)) {
        return true;
    }
    problems << QStringLiteral("Složku „%1“ nelze vytvořit.").arg(Native(folder));
    return false;
}

void CreateDatabaseWhenMissing(const QString& dataFolder, QStringList& problems) {
    if (QFileInfo::exists(platform::Database::DatabaseFile(dataFolder))) {
        return;
    }
    try {
        platform::Database::CreateSchema(dataFolder);
    } catch (const platform::StoreError& e) {
        problems << e.Message();
    }
}

// Copies one shipped file over the user's copy when the user's copy is
// missing or still the one shipped before; records what the folder now holds.
void BringShippedFile(const QFileInfo& shipped, const QString& folder, ShippedList& list,
                      QStringList& problems) {
    const QString name = shipped.fileName();
    const QString target = folder + name;
    const QByteArray newHash = FileHash(shipped.filePath());
    const QByteArray userHash = FileHash(target);
    const bool missing = !QFileInfo::exists(target);
    const bool untouched = !missing && list.contains(name) && list.value(name) == userHash;
    if (!missing && !untouched) {
        return;  // the user's own file, or one the user edited
    }
    if (userHash == newHash) {
        list.insert(name, newHash);
        return;
    }
    QFile source(shipped.filePath());
    const QString failure = source.open(QIODevice::ReadOnly)
                                ? platform::WriteWholeFile(target, source.readAll())
                                : source.errorString();
    if (!failure.isEmpty()) {
        problems << QStringLiteral("Předlohu „%1“ nelze zkopírovat do složky „%2“: %3")
                        .arg(name, Native(folder), failure);
        return;
    }
    list.insert(name, newHash);
}

void BringShippedTemplates(const QString& shippedFolder, const QString& folder,
                           QStringList& problems) {
    const QString listPath = folder + QLatin1String(kShippedListFileName);
    ShippedList list = ReadShippedList(listPath);
    const ShippedList before = list;
    const QFileInfoList shipped = QDir(shippedFolder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& file : shipped) {
        BringShippedFile(file, folder, list, problems);
    }
    if (list != before && !WriteShippedList(listPath, list)) {
        problems
            << QStringLiteral("Seznam dodaných předloh „%1“ nelze zapsat.").arg(Native(listPath));
    }
}

}  // namespace

QStringList PrepareUserFolders(const platform::InstallationFolders& folders) {
    QStringList problems;
    if (!folders.installed) {
        return problems;
    }
    MakeFolder(folders.settings, problems);
    if (MakeFolder(folders.data, problems)) {
        CreateDatabaseWhenMissing(folders.data, problems);
    }
    if (MakeFolder(folders.templates, problems)) {
        BringShippedTemplates(folders.shipped + QStringLiteral("Predlohy/"), folders.templates,
                              problems);
    }
    return problems;
}

QStringList PrepareCurrentUserFolders() {
    return PrepareUserFolders(platform::CurrentFolders());
}
