#pragma once
// harvel-data backup, restore and check. Each writes its report to `out`
// and throws platform::StoreError with the message to show when it fails.

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace harvel_data {

// backup DIR [FILE]: a backup into DIR/Zalohy/ (keeping the newest ones as
// Harvel.INI says), or into FILE, which must not exist yet.
void BackupCommand(const QStringList& args, QTextStream& out);

// restore DIR FILE: puts the backup FILE in place of DIR's database; refused
// while another process writes DIR (the program, a load). The replaced
// database becomes one more backup.
void RestoreCommand(const QString& folder, const QString& backupFile, QTextStream& out);

// check DIR: lists every damaged page, value that does not fit its column,
// empty key and orphan row; returns 1 when it found any, else 0.
int CheckCommand(const QString& folder, QTextStream& out);

}  // namespace harvel_data
