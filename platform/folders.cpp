#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

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

// An XDG base variable counts only when it holds an absolute path.
QString BaseFolder(const QProcessEnvironment& environment, const QString& variable,
                   const QString& defaultBelowHome) {
    const QString value = environment.value(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) {
        return WithTrailingSeparator(value);
    }
    return WithTrailingSeparator(QDir::homePath()) + defaultBelowHome;
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
    folders.settings = folders.program;
    return folders;
}

UserBaseFolders UserBaseFoldersFromEnvironment() {
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    return {
        BaseFolder(environment, QStringLiteral("XDG_DATA_HOME"), QStringLiteral(".local/share/")),
        BaseFolder(environment, QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral(".config/"))};
}

QString InstalledShareFolder(const QString& programFolder) {
    const QString share =
        QDir::cleanPath(WithTrailingSeparator(programFolder) + QStringLiteral("../share/harvel"));
    if (!QFileInfo(share + u'/' + QLatin1String(kInstallationMarker)).isFile()) {
        return QString();
    }
    return WithTrailingSeparator(share);
}

InstallationFolders FoldersForInstalledProgram(const QString& programFolder,
                                               const QString& shareFolder,
                                               const UserBaseFolders& user) {
    InstallationFolders folders;
    folders.installed = true;
    folders.program = WithTrailingSeparator(programFolder);
    folders.shipped = WithTrailingSeparator(shareFolder);
    const QString userRoot = WithTrailingSeparator(user.dataHome) + QStringLiteral("Harvel/");
    folders.data = userRoot + QStringLiteral("DATA/");
    folders.templates = userRoot + QStringLiteral("Predlohy/");
    folders.settings = WithTrailingSeparator(user.configHome) + QStringLiteral("Harvel/");
    folders.other = folders.shipped + QStringLiteral("OTHER/");
    folders.help = folders.shipped + QStringLiteral("HELP/");
    return folders;
}

InstallationFolders CurrentFolders() {
    const QString program = ProgramFolder();
    const QString share = InstalledShareFolder(program);
    if (share.isEmpty()) {
        return FoldersForProgramFolder(program);
    }
    return FoldersForInstalledProgram(program, share, UserBaseFoldersFromEnvironment());
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
    return CurrentFolders().data;
}

QString OtherFolder() {
    return CurrentFolders().other;
}

QString TemplateFolder() {
    return CurrentFolders().templates;
}

QString HelpFolder() {
    return CurrentFolders().help;
}

QString SettingsFolder() {
    return CurrentFolders().settings;
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
