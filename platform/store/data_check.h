#pragma once
// The check of a kennel database: damaged pages (SQLite's quick check),
// values that do not fit their column (value_check.h), rows whose
// identifying key is empty, and orphan rows of the event tables, whose
// registered name has no record sheet in main_card.db. Rows are numbered
// from 1 in the order the table lists them, as a dump writes them.

#include <QString>
#include <functional>
#include <vector>

namespace platform {

class Database;
class Table;

struct CheckFinding {
    enum Kind { DamagedPage, DamagedValue, EmptyKey, Orphan } kind = DamagedValue;
    QString table;   // file name, e.g. "main_card.db"; empty for a damaged page
    int row = 0;     // 1-based position in the table's order
    QString column;  // the column concerned; empty for an orphan row
    QString text;    // what is wrong, in Czech

    // "main_card.db, řádek 3, sloupec Datum_nar: text „2021-02-30“ ve sloupci typu datum"
    QString Line() const;
};

// Every finding of the database, table by table in schema order.
std::vector<CheckFinding> CheckDatabase(Database& database);

// The values of the open table's current row that do not fit their column,
// as findings of row `row`.
void AddDamagedValues(const Table& table, int row, std::vector<CheckFinding>& findings);

}  // namespace platform
