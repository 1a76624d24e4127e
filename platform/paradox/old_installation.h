#pragma once
// Where the files of an old installation are. The user may name its data
// folder or the installation's root (the folder holding DATA\); file names
// are matched without regard to letter case, as Windows did. Settings
// (Harvel.INI, SestDLL.ini) live beside the program, in BIN\ or the root;
// templates (*.pts) in Predlohy\.

#include <QString>
#include <QStringList>

namespace platform::paradox {

struct OldInstallation {
    QString dataFolder;
    QString root;  // the folder above the data folder
    // The file of `name` in `folder`, any letter case; empty when none.
    static QString FindFile(const QString& folder, const QString& name);
    // Throws StoreError when `folder` holds no Paradox table of Harvel's.
    static OldInstallation Locate(const QString& folder);

    QString TableFile(const QString& tableName) const;  // empty when missing
    QStringList TableFiles() const;                     // every .DB file of the data folder
    QString SettingsFile(const QString& name) const;    // empty when missing
    QStringList TemplateFiles() const;
};

}  // namespace platform::paradox
