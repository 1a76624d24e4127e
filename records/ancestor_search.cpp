#include "records/ancestor_search.h"

#include "app/dmunit.h"
#include "platform/store/dataset.h"
#include "records/genetics/pedigree_positions.h"

namespace pedigree {

std::array<int, 7> SearchedPlaces(bool sireSide) {
    const int parent = sireSide ? 2 : 3;
    return {parent,
            SirePlace(parent),
            DamPlace(parent),
            SirePlace(SirePlace(parent)),
            DamPlace(SirePlace(parent)),
            SirePlace(DamPlace(parent)),
            DamPlace(DamPlace(parent))};
}

int SearchAncestors(platform::DataSet& pedigreeRow, platform::DataSet& cards, bool sireSide) {
    const QString name = QStringLiteral("Jmeno_registr");
    int found = 0;
    for (const int place : SearchedPlaces(sireSide)) {
        const QString ancestor = pedigreeRow.FieldByName(PlaceField(place)).AsString();
        if (ancestor.isEmpty() || !cards.Locate(name, ancestor)) {
            continue;
        }
        const QString sire = cards.FieldByName(QStringLiteral("Otec")).AsString();
        const QString dam = cards.FieldByName(QStringLiteral("Matka")).AsString();
        pedigreeRow.FieldByName(PlaceField(SirePlace(place)))
            .SetAsString(sire.left(kAnimalNameLength));
        pedigreeRow.FieldByName(PlaceField(DamPlace(place)))
            .SetAsString(dam.left(kAnimalNameLength));
        ++found;
    }
    return found;
}

}  // namespace pedigree
