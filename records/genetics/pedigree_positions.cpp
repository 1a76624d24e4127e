#include "records/genetics/pedigree_positions.h"

namespace pedigree {
namespace {

// Indexed by place; the dam's side spells its first great-grandmother
// "Matka_prababa_1" as the table does.
const char* const kPlaceFields[kLastPlace + 1] = {
    "",
    "Jmeno_registr",
    "Otec",
    "Matka",
    "Otec_Ded_1",
    "Otec_Baba_1",
    "Matka_Ded_1",
    "Matka_Baba_1",
    "Otec_Praded_1",
    "Otec_Prababa_1",
    "Otec_Praded_2",
    "Otec_Prababa_2",
    "Matka_Praded_1",
    "Matka_prababa_1",
    "Matka_Praded_2",
    "Matka_Prababa_2",
    "Otec_PraPraDed_1",
    "Otec_PraPraBaba_1",
    "Otec_PraPraDed_2",
    "Otec_PraPraBaba_2",
    "Otec_PraPraDed_3",
    "Otec_PraPraBaba_3",
    "Otec_PraPraDed_4",
    "Otec_PraPraBaba_4",
    "Matka_PraPraDed_1",
    "Matka_PraPraBaba_1",
    "Matka_PraPraDed_2",
    "Matka_PraPraBaba_2",
    "Matka_PraPraDed_3",
    "Matka_PraPraBaba_3",
    "Matka_PraPraDed_4",
    "Matka_PraPraBaba_4",
};

}  // namespace

QString PlaceField(int place) {
    if (place < kFirstPlace || place > kLastPlace) {
        return QString();
    }
    return QString::fromLatin1(kPlaceFields[place]);
}

QString PlaceTitleField(int place) {
    const QString field = PlaceField(place);
    return field.isEmpty() ? field : QStringLiteral("TIT_") + field;
}

int PlaceOfField(const QString& field) {
    for (int place = kFirstPlace; place <= kLastPlace; ++place) {
        if (field == QLatin1String(kPlaceFields[place])) {
            return place;
        }
    }
    return 0;
}

int PlaceGeneration(int place) {
    int generation = 0;
    while (place > 1) {
        place /= 2;
        ++generation;
    }
    return generation;
}

bool OnSireSide(int place) {
    while (place > 3) {
        place /= 2;
    }
    return place == 2;
}

}  // namespace pedigree
