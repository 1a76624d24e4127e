#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

const QString kBinMarker = QStringLiteral("BIN/");

QString& OverrideStore() {
    static QString programFolder;
    return programFolder;
}

QString WithTrailingSeparator(QString path) {
    if (!path.endsWith(u'/')) {
        path.append(u'/');
    }
    return path;
}

}  // namespace

InstallationFolders FoldersForProgramFolder(const QString& programFolder) {
    InstallationFolders folders;
    folders.program = WithTrailingSeparator(programFolder);
    if (folders.program.toUpper().contains(kBinMarker)) {
        const QString root = folders.program.chopped(kBinMarker.size()).trimmed();
        folders.data = root + QStringLiteral("DATA/");
        folders.other = root + QStringLiteral("OTHER/");
        folders.templates = root + QStringLiteral("Predlohy/");
        folders.help = root + QStringLiteral("HELP/");
    } else {
        const QString root = folders.program.trimmed();
        folders.data = root + QStringLiteral("DATA/");
        folders.other = root + QStringLiteral("OTHER/");
        folders.templates = QStringLiteral("Predlohy/");
        folders.help = QStringLiteral("HELP/");
    }
    return folders;
}

void SetProgramFolderOverride(const QString& programFolder) {
    OverrideStore() = programFolder;
}

QString ProgramFolder() {
    if (!OverrideStore().isEmpty()) {
        return WithTrailingSeparator(OverrideStore());
    }
    // Without an application object there is no executable path to ask for:
    // fall back to the working folder rather than to an empty path.
    const QString executableFolder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return WithTrailingSeparator(executableFolder);
}

QString DataFolder() {
    return FoldersForProgramFolder(ProgramFolder()).data;
}

QString OtherFolder() {
    return FoldersForProgramFolder(ProgramFolder()).other;
}

QString TemplateFolder() {
    return FoldersForProgramFolder(ProgramFolder()).templates;
}

QString HelpFolder() {
    return FoldersForProgramFolder(ProgramFolder()).help;
}

QString FileInFolder(const QString& folder, const QString& fileName) {
    const QString exact = folder + fileName;
    if (QFileInfo::exists(exact)) {
        return exact;
    }
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0) {
            return folder + entry;
        }
    }
    return exact;
}

}  // namespace platform
