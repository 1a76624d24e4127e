#pragma once
// The address-book copy of the event forms' "C" buttons: the address book
// opens on the entry whose key equals the field's text; the key chosen with
// "Ok" fills an empty field at once and replaces a filled one only when the
// user answers Yes to "Přepsat údajem z adresáře ?". Closing the address book
// otherwise changes nothing.

#include <QString>
#include <optional>

class TDM1;

// The text the field should hold after the copy, or nothing when it stays
// as it is. A store error on the way is shown in the error box.
std::optional<QString> AddressKeyForField(TDM1& dm, const QString& current);
