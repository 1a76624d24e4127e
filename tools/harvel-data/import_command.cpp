#include "import_command.h"

#include <QDir>
#include <cstdio>

#include "platform/folders.h"
#include "platform/paradox/installation_import.h"
#include "platform/store/data_folder_lock.h"
#include "platform/store/store_error.h"

namespace harvel_data {
namespace {

using platform::paradox::ImportRequest;

// False for arguments that are not the command's.
bool ParseArguments(const QStringList& args, ImportRequest& request) {
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--keep-going")) {
            request.keepGoing = true;
        } else if (a == QLatin1String("--templates") && hasValue) {
            request.templatesTarget = args[++i];
        } else if (a == QLatin1String("--settings") && hasValue) {
            request.settingsTarget = args[++i];
        } else if (a == QLatin1String("--codepage") && hasValue) {
            bool ok = false;
            request.codePage = args[++i].toInt(&ok);
            if (!ok || request.codePage <= 0) {
                return false;
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2) {
        return false;
    }
    request.source = positional[0];
    request.target = positional[1];
    return true;
}

}  // namespace

int ImportCommand(const QStringList& args, QTextStream& out) {
    ImportRequest request;
    if (!ParseArguments(args, request)) {
        return 2;
    }
    request.backupsToKeep = platform::BackupsToKeep(
        platform::FileInFolder(platform::SettingsFolder(), QStringLiteral("Harvel.INI")));
    // One hold of the target's lock from the backup before the import to its
    // last row, so no other writer comes in between.
    if (!QDir().mkpath(request.target)) {
        throw platform::StoreError(QStringLiteral("Složku dat „%1“ nelze vytvořit.")
                                       .arg(QDir::toNativeSeparators(request.target)));
    }
    const platform::DataFolderLock lock(request.target);
    const platform::paradox::ImportResult result =
        platform::paradox::ImportOldInstallation(request);
    if (!result.backupFile.isEmpty()) {
        out << QStringLiteral("Záloha cílové databáze před převzetím: %1\n")
                   .arg(QDir::toNativeSeparators(result.backupFile));
    }
    out << result.SummaryText();
    if (!result.committed) {
        throw platform::StoreError(
            QStringLiteral("Nic nebylo zapsáno: %1 řádků nelze převzít (s volbou --keep-going se "
                           "zapíše zbytek):\n")
                .arg(result.refusals.size()) +
            result.RefusalText().trimmed());
    }
    if (!result.refusals.empty()) {
        out << QStringLiteral("Nezapsané řádky:\n") << result.RefusalText();
    }
    out << QStringLiteral("Převzato %1 řádků z %2.\n")
               .arg(result.TotalWritten())
               .arg(result.TotalRead());
    return 0;
}

}  // namespace harvel_data
