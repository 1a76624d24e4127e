#pragma once
// The columns that identify a row and so may never be empty: the registered
// name of a record sheet (main_card.db), the key name of an address-book
// entry (adresar.db), the name of a breed (plemeno.db) and the registered
// name of the animal an event row belongs to (litters, photos, matings,
// visits, shows, titles, exams, approvals, pedigrees). The unique key of
// a column lets any number of empty values in, so the store itself refuses a
// row whose identifying column is empty or only blanks, whichever road the
// row comes by (a form, a load, an import).

#include "platform/store/schema.h"
#include "platform/store/value.h"

namespace platform {

// The identifying column of a table; nullptr for the tables that have none.
const ColumnSchema* IdentifyingColumn(const TableSchema& table);

// Throws StoreError naming the table and the column when the row's
// identifying column is empty or holds only blanks.
void RequireIdentifyingKey(const TableSchema& table, const Row& row);

}  // namespace platform
