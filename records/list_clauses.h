#pragma once
// The clauses of the print page's list query, built from what the page
// holds: the filter over the record sheets' main columns, the special
// selection of the source, and the three-level sort order.
//
// Filter: each checked row gives its part followed by " AND ", in the order
// of the rows; the special selection's text (which has the same form) is
// appended; the last four characters ("AND ") are then removed, leaving one
// blank at the end. Typed values go in as text constants with their double
// quotes doubled.
//
// The filter is over the record sheet's columns. The event-book queries
// join the book to Main_card, and some names are in both tables
// (Jmeno_registr everywhere, Plemeno in the litters, Otec and Matka in the
// pedigree); there the filter names Main_card's column, so "  Otec" means
// the card's sire in every source.

#include <QList>
#include <QString>
#include <array>

struct TFilterRange {
    bool active = false;
    QString from, to;
};

struct TListFilter {
    TFilterRange name;       // "  Reg. jméno "
    TFilterRange breed;      // "  Plemeno"
    TFilterRange sire;       // "  Otec"
    TFilterRange dam;        // "  Matka"
    TFilterRange born;       // "  Datum nar."
    bool sexActive = false;  // "  Pohlaví"
    QString sex;
    bool ownBreedingActive = false;  // "  Vlastní odchov"
    bool ownBreeding = false;
    bool ownedActive = false;  // "  Ve vlastnictví"
    bool owned = false;
};

// Entries of a sort level's list: 0 is the empty entry.
enum TSortColumn : int { scNone, scJmenoRegistr, scPlemeno, scOtec, scMatka };

struct TSortLevel {
    int column = scNone;  // the list's position; -1 (no entry shown) counts as empty
    bool ascending = true;
};
using TSortLevels = std::array<TSortLevel, 3>;

// One entry of a sort level's list: the caption it shows and what the
// order clause names for it (empty for the empty entry). `table` is the
// table of the column, so an entry is found again in another source's list.
struct TSortChoice {
    QString caption;
    QString column;
    QString table;
};

// The entries every source starts with: the empty one, "Registrované
// jméno", "Plemeno", "Otec", "Matka" (TSortColumn's positions).
const QList<TSortChoice>& BasicSortChoices();

// "Jmeno_registr ASC,Plemeno ASC,Otec ASC": the levels with an entry, in
// order; a level's column is its position in `choices`.
QString BuildOrderClause(const TSortLevels& levels,
                         const QList<TSortChoice>& choices = BasicSortChoices());

// Main_card's columns qualified where the source's query joins a book to the
// record sheets; unqualified for the record sheets themselves (tzEvidencniListy).
QString RecordSheetColumnPrefix(int source);

// The checked filter rows' parts, each followed by " AND ".
QString FilterRowParts(const TListFilter& filter, const QString& columnPrefix);

// The parts (the rows' and the special selection's) as the where text:
// without the last four characters, or empty when there are no parts.
QString FinishFilterClause(const QString& parts);
