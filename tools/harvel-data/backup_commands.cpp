#include "backup_commands.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include "platform/czech_plural.h"
#include "platform/folders.h"
#include "platform/store/backup.h"
#include "platform/store/data_check.h"
#include "platform/store/database.h"
#include "platform/store/store_error.h"

namespace harvel_data {
namespace {

using platform::StoreError;

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

int KeptBackups() {
    return platform::BackupsToKeep(
        platform::FileInFolder(platform::SettingsFolder(), QStringLiteral("Harvel.INI")));
}

QString Count(qint64 n, const QString& one, const QString& few, const QString& many) {
    return QStringLiteral("%1 %2").arg(n).arg(platform::CzechPlural(n, {one, few, many}));
}

}  // namespace

void BackupCommand(const QStringList& args, QTextStream& out) {
    const QString folder = args.value(0);
    const QString database = platform::Database::DatabaseFile(folder);
    if (!QFileInfo::exists(database)) {
        throw StoreError(
            QStringLiteral("Ve složce dat „%1“ chybí databáze %2.")
                .arg(Native(folder), QString::fromLatin1(platform::Database::kFileName)));
    }
    if (args.size() > 1) {
        platform::CopyDatabase(database, args[1]);
        QString problem;
        if (!platform::DatabaseIsSound(args[1], &problem)) {
            throw StoreError(QStringLiteral("Záloha „%1“ je zapsána, ale databáze je poškozena "
                                            "(%2).")
                                 .arg(Native(args[1]), problem));
        }
        out << QStringLiteral("Záloha uložena do %1.\n").arg(Native(args[1]));
        return;
    }
    const QString backup = platform::TakeBackup(folder, KeptBackups());
    out << QStringLiteral("Záloha uložena do %1.\n").arg(Native(backup));
}

void RestoreCommand(const QString& folder, const QString& backupFile, QTextStream& out) {
    if (!QFileInfo(folder).isDir()) {
        throw StoreError(QStringLiteral("Složka dat „%1“ neexistuje.").arg(Native(folder)));
    }
    // Refused while another process writes the folder (the program, a load).
    const QString kept = platform::RestoreBackup(folder, backupFile);
    out << QStringLiteral("Databáze obnovena ze zálohy %1.\n").arg(Native(backupFile));
    if (!kept.isEmpty()) {
        out << QStringLiteral("Nahrazená databáze je uschována jako %1.\n").arg(Native(kept));
    }
}

int CheckCommand(const QString& folder, QTextStream& out) {
    platform::Database database(folder, platform::OpenMode::ReadOnly);
    const std::vector<platform::CheckFinding> findings = platform::CheckDatabase(database);
    int damaged = 0, orphans = 0;
    for (const platform::CheckFinding& finding : findings) {
        out << finding.Line() << '\n';
        if (finding.kind == platform::CheckFinding::Orphan) {
            ++orphans;
        } else {
            ++damaged;
        }
    }
    if (findings.empty()) {
        out << QStringLiteral(
            "Databáze je v pořádku: žádná poškozená hodnota, žádný osiřelý "
            "záznam.\n");
        return 0;
    }
    out.flush();
    const bool damagedPages =
        std::any_of(findings.begin(), findings.end(), [](const platform::CheckFinding& f) {
            return f.kind == platform::CheckFinding::DamagedPage;
        });
    const QString summary =
        QStringLiteral("Nalezeno: %1, %2.")
            .arg(Count(damaged, QStringLiteral("chyba"), QStringLiteral("chyby"),
                       QStringLiteral("chyb")),
                 Count(orphans, QStringLiteral("osiřelý záznam"), QStringLiteral("osiřelé záznamy"),
                       QStringLiteral("osiřelých záznamů")));
    std::fprintf(stderr, "%s\n", summary.toUtf8().constData());
    if (damagedPages) {
        std::fprintf(stderr, "%s\n", platform::DamagedDatabaseAdvice(folder).toUtf8().constData());
    }
    return 1;
}

}  // namespace harvel_data
