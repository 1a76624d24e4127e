#pragma once
// Taking over an old installation: every Paradox table of its data folder
// goes into the matching table of a new data folder through the table store,
// so each value meets the column's rules. Columns are matched by name without
// regard to case; a column of ours the old table lacks stays empty, a column
// of the old table we lack is reported. All tables are written in one
// transaction: a refused row (duplicate key, value out of range, text too
// long) means nothing is written, unless keepGoing is set, when the refused
// rows are listed and the rest is written. The old files are only read. An
// existing target database is backed up (backup.h) before anything is written.

#include <QString>
#include <functional>

#include "platform/paradox/import_result.h"
#include "platform/store/backup.h"

namespace platform::paradox {

struct ImportRequest {
    QString source;  // the old data folder or the old installation's root
    QString target;  // the new data folder; created when it has no database yet
    bool keepGoing = false;
    QString templatesTarget;  // where to copy the old templates; empty: not copied
    QString settingsTarget;   // where to copy Harvel.INI and SestDLL.ini; empty: not copied
    int codePage = 0;         // replaces the code page the tables' headers name; 0: theirs
    // How many backups of the target (taken before the import) to keep.
    int backupsToKeep = kDefaultBackupsKept;
};

struct ImportProgress {
    QString table;
    int rowsDone = 0;   // of all tables so far
    int rowsTotal = 0;  // of all tables, as their headers give it
};

// Returns false to interrupt: nothing is then written.
using ImportProgressHandler = std::function<bool(const ImportProgress&)>;

// Throws StoreError (a ParadoxError for a damaged old table) naming what
// stopped it: the old folder without tables, a target that already holds
// rows, a table that cannot be read. Refusals and an interruption come back
// in the result with committed == false.
ImportResult ImportOldInstallation(const ImportRequest& request,
                                   const ImportProgressHandler& progress = {});

}  // namespace platform::paradox
