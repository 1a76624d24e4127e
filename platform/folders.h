#pragma once
// The folders of an installation, all derived from the program folder (the
// folder holding the executable). Every path ends with "/".
//
// The root rule: when the program folder, compared case-insensitively,
// contains "BIN/" anywhere, the root is the program folder without its last
// four characters (for ".../APP/BIN/" that is ".../APP/"; for
// ".../ROBIN/APP/" it is ".../ROBIN/"), with blanks around it trimmed. Then:
//
//   folder      with "BIN/"       without "BIN/"
//   data        root + DATA/      program folder + DATA/
//   other       root + OTHER/     program folder + OTHER/
//   templates   root + Predlohy/  "Predlohy/" (relative: resolved against the
//                                 current working directory when used)
//   help        root + HELP/      "HELP/" (relative, likewise)
//
// The settings files Harvel.INI and SestDLL.ini lie in the program folder itself.
//
// An installed program (a package's /usr/bin/harvel) is recognised by the
// marker file share/harvel/harvel.installation that the install rules put
// beside its bin/ folder (<prefix>/bin/ and <prefix>/share/harvel/); a build
// folder or a copied portable folder has none and keeps the rule above. An
// installed program keeps the user's things in the user's home and reads its
// own shipped files from the shared folder:
//
//   data        $XDG_DATA_HOME/Harvel/DATA/      (~/.local/share by default)
//   templates   $XDG_DATA_HOME/Harvel/Predlohy/
//   settings    $XDG_CONFIG_HOME/Harvel/         (~/.config by default)
//   other       <prefix>/share/harvel/OTHER/
//   help        <prefix>/share/harvel/HELP/
//   shipped templates and the demo kennel: <prefix>/share/harvel/Predlohy/, demo/

#include <QString>

namespace platform {

struct InstallationFolders {
    QString program;
    QString data;
    QString other;
    QString templates;
    QString help;
    QString settings;  // where Harvel.INI and SestDLL.ini lie
    // Installed programs only (empty in a build folder): the shared folder
    // with the templates as shipped and the demo kennel's tables.
    QString shipped;
    bool installed = false;
};

inline constexpr char kInstallationMarker[] = "harvel.installation";

// The user's base folders of the XDG rules: the variable when it holds an
// absolute path, else the default below the home folder.
struct UserBaseFolders {
    QString dataHome;    // $XDG_DATA_HOME or ~/.local/share
    QString configHome;  // $XDG_CONFIG_HOME or ~/.config
};
UserBaseFolders UserBaseFoldersFromEnvironment();

// The shared folder of an installation whose programs lie in `programFolder`
// (<prefix>/share/harvel/) when its marker file is there; else empty.
QString InstalledShareFolder(const QString& programFolder);

// The folders of an installed program from its shared folder and the user's
// base folders. Pure: it does not look at the disk.
InstallationFolders FoldersForInstalledProgram(const QString& programFolder,
                                               const QString& shareFolder,
                                               const UserBaseFolders& user);

// The folders the program runs with: the installed ones when the marker file
// is found, else the build-folder rule of FoldersForProgramFolder.
InstallationFolders CurrentFolders();

// The rule above applied to a given program folder ("/" is appended when it
// does not end with one). Pure: it does not look at the disk.
InstallationFolders FoldersForProgramFolder(const QString& programFolder);

// The real folders: from QCoreApplication::applicationDirPath(), or from the
// folder set by SetProgramFolderOverride (tests, tools run from elsewhere).
QString ProgramFolder();
QString DataFolder();
QString OtherFolder();
QString TemplateFolder();
QString HelpFolder();
QString SettingsFolder();

// Replaces the program folder the functions above start from; an empty text
// returns to the executable's folder.
void SetProgramFolderOverride(const QString& programFolder);

// The path of `fileName` in `folder` (which ends with "/"), matching an
// existing file's name case-insensitively, as files copied from a Windows
// installation may be named "HARVEL.INI" or "harvel.ini". When no file
// matches, `folder + fileName` as given.
QString FileInFolder(const QString& folder, const QString& fileName);

}  // namespace platform
