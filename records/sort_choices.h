#pragma once
// The entries of the print page's sort levels for one print source: the
// four every source sorts by ("Registrované jméno", "Plemeno", "Otec",
// "Matka") first, then every other column of the source's list under its
// caption. The order clause names such a column with its table where the
// list joins an event book to the record sheets ("vrhy.Datum"), so the
// store sorts it by its own type: dates as dates, numbers as numbers.

#include <QList>

#include "records/list_clauses.h"

// The entries for `source` (0-9); only the basic ones for any other value.
const QList<TSortChoice>& SortChoices(int source);

// The position of `choice` (the same column of the same table) in
// `choices`; -1 when the list has no such entry.
int FindSortChoice(const QList<TSortChoice>& choices, const TSortChoice& choice);
