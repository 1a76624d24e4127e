#pragma once
// The address book's print source "Adresář": the entries of adresar.db, of
// every kind or of one, over envelopes and address labels. It is printed
// from the address book's window and by `harvel-report --source 12`; the
// print page's filter is over the animals, so it is not one of the page's
// sources. Its list query is TDM1::BookQueryLines(tzAdresar, …).

#include <QString>
#include <QStringList>

#include "app/print_sources.h"

namespace platform {
class Field;
}

const TPrintSource& AddressPrintSource();

// The kinds of address-book entries in the order their numbers (column Typ)
// give them: "Dodavatel", "Chovatel", ...
QStringList AddressKinds();

// The where text that keeps the entries of one kind (its position in
// AddressKinds(), stored in Typ); empty for -1, every kind.
QString AddressKindClause(int kind);

// The order the address list comes in unless the caller names another.
QString AddressListOrder();

// The name of the entry's kind for the column Typ ("Chovatel"); the number
// itself when it names no kind, empty when there is none.
QString AddressKindText(const platform::Field& field, bool display);
