#pragma once
// The 31 places of a stored four-generation pedigree (rodokmen.db), numbered
// as in an ancestor table: 1 is the animal, 2 and 3 its sire and dam, and the
// sire of place k is place 2k, its dam place 2k + 1. Places 16 to 31 are the
// great-great-grandparents, whose parents the pedigree does not hold.

#include <QString>

namespace pedigree {

inline constexpr int kFirstPlace = 1;
inline constexpr int kLastPlace = 31;
inline constexpr int kPlacesWithParents = 15;  // places 1..15 have parents in the pedigree

// The column of rodokmen.db holding the name at a place ("Jmeno_registr",
// "Otec", "Matka_prababa_1", …).
QString PlaceField(int place);
// The column holding the title of that place ("TIT_" + the name column).
QString PlaceTitleField(int place);
// The place of a name column (letter case as the table spells it), 0 when none.
int PlaceOfField(const QString& field);

// Generation of a place counted from the animal: 0 for place 1, 1 for the parents, …
int PlaceGeneration(int place);
inline int SirePlace(int place) {
    return 2 * place;
}
inline int DamPlace(int place) {
    return 2 * place + 1;
}
// Place 2 and its ancestors are the sire's side.
bool OnSireSide(int place);

}  // namespace pedigree
