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
// The settings file Harvel.INI lies in the program folder itself.

#include <QString>

namespace platform {

struct InstallationFolders {
    QString program;
    QString data;
    QString other;
    QString templates;
    QString help;
};

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

// Replaces the program folder the functions above start from; an empty text
// returns to the executable's folder.
void SetProgramFolderOverride(const QString& programFolder);

// The path of `fileName` in `folder` (which ends with "/"), matching an
// existing file's name case-insensitively, as files copied from a Windows
// installation may be named "HARVEL.INI" or "harvel.ini". When no file
// matches, `folder + fileName` as given.
QString FileInFolder(const QString& folder, const QString& fileName);

}  // namespace platform
