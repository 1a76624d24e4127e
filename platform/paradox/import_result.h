#pragma once
// What taking over an old installation did: per table the rows read, written
// and refused with the memo and picture counts, the refused rows with their
// reasons, the old columns and tables Harvel has no place for, the copied
// settings and template files. The command-line tool prints it and the
// launcher shows it in a message box, both through SummaryText().

#include <QString>
#include <QStringList>
#include <vector>

namespace platform::paradox {

struct TableSummary {
    QString table;    // Harvel's table name, e.g. "main_card.db"
    QString oldFile;  // the old file as found, e.g. "MAIN_CARD.DB"; empty when missing
    int read = 0;
    int written = 0;
    int refused = 0;
    int memos = 0;               // memos written
    int pictures = 0;            // pictures written
    QStringList unknownColumns;  // old columns Harvel's table does not have
};

struct Refusal {
    QString table;
    int row = 0;  // 1-based position in the old table
    QString key;  // the row's first text value, to find it in the old program
    QString reason;
};

struct ImportResult {
    std::vector<TableSummary> tables;
    std::vector<Refusal> refusals;
    QStringList unknownTables;  // .DB files of the old folder that are none of Harvel's
    QStringList copiedSettings;
    QStringList copiedTemplates;
    // Files of the new installation an old one replaced, each kept as .BAK:
    // "EvidList01.pts (původní uschován jako EvidList01.BAK)".
    QStringList replacedFiles;
    // Files of the old installation left unread: "shadow.pts (symbolický odkaz)".
    QStringList skippedFiles;
    bool committed = false;  // false: refused or interrupted, nothing written
    bool interrupted = false;
    // The backup of the target database taken before anything was written;
    // empty when the target was new or unchanged since its newest backup.
    QString backupFile;

    int TotalRead() const;
    int TotalWritten() const;
    // The per-table summary, the unknown columns and tables, the copied files.
    QString SummaryText() const;
    // The same in sentences, one line per table, for a message box.
    QString SummaryLines() const;
    // One line per refused row: "main_card.db, řádek 3 („Brok“): reason".
    QString RefusalText() const;
};

}  // namespace platform::paradox
