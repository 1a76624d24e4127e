#include "records/genetics/pedigree_assembly.h"

namespace pedigree {
namespace {

constexpr int kFirstGenerationFive = 32;
constexpr int kPlacesPerSideInGenerationFive = 16;

int Generation(int place) {
    int generation = 0;
    while (place > 1) {
        place /= 2;
        ++generation;
    }
    return generation;
}

// The place that `place` of the animal's pedigree has in the stored
// pedigree of its descendant at `descendant` (a place on its line down).
int PlaceSeenFrom(int descendant, int place) {
    const int depth = Generation(place) - Generation(descendant);
    return (1 << depth) + (place - (descendant << depth));
}

// Whether `name` stands on the line from `place` down to the animal.
bool OnLineDown(const TAssembledPedigree& pedigree, int place, const QString& name) {
    for (int down = place; down >= 1; down /= 2) {
        if (pedigree.names[static_cast<size_t>(down)] == name) {
            return true;
        }
    }
    return false;
}

QString LineText(const TAssembledPedigree& pedigree, int place) {
    QStringList line;
    for (int down = place; down >= 1; down /= 2) {
        line.prepend(pedigree.names[static_cast<size_t>(down)]);
    }
    return line.join(QStringLiteral(" → "));
}

// The parent (2·place or 2·place + 1) from the nearest stored pedigree on the
// line down that holds the ancestor at the same place.
QString StoredParent(TAncestorSource& source, const TAssembledPedigree& pedigree, int place,
                     int parentPlace) {
    const QString& name = pedigree.names[static_cast<size_t>(place)];
    for (int down = place; down >= 1; down /= 2) {
        const int seenParent = PlaceSeenFrom(down, parentPlace);
        if (seenParent > kLastPlace) {
            break;  // farther descendants see the ancestor even higher up
        }
        const TStoredPedigree* stored =
            source.StoredPedigree(pedigree.names[static_cast<size_t>(down)]);
        if (stored == nullptr) {
            continue;
        }
        if (stored->names[static_cast<size_t>(PlaceSeenFrom(down, place))].trimmed() != name) {
            continue;
        }
        const QString parent = stored->names[static_cast<size_t>(seenParent)].trimmed();
        if (!parent.isEmpty()) {
            return parent;
        }
    }
    return QString();
}

// The stored title of an ancestor without a record sheet.
QString StoredTitle(TAncestorSource& source, const TAssembledPedigree& pedigree, int place) {
    const QString& name = pedigree.names[static_cast<size_t>(place)];
    for (int down = place; down >= 1; down /= 2) {
        const int seen = PlaceSeenFrom(down, place);
        if (seen > kLastPlace) {
            continue;
        }
        const TStoredPedigree* stored =
            source.StoredPedigree(pedigree.names[static_cast<size_t>(down)]);
        if (stored != nullptr && stored->names[static_cast<size_t>(seen)].trimmed() == name) {
            return stored->titles[static_cast<size_t>(seen)].trimmed();
        }
    }
    return QString();
}

void PlaceParent(TAncestorSource& source, TAssembledPedigree& pedigree, int place, int parentPlace,
                 const QString& fromCard) {
    QString parent = fromCard.trimmed();
    if (parent.isEmpty()) {
        parent = StoredParent(source, pedigree, place, parentPlace);
    }
    if (parent.isEmpty()) {
        return;
    }
    if (OnLineDown(pedigree, place, parent)) {
        pedigree.problems << QStringLiteral(
                                 "Jedinec \"%1\" je uveden mezi svými vlastními předky (%2 → %1); "
                                 "rodokmen je na tomto místě přerušen.")
                                 .arg(parent, LineText(pedigree, place));
        return;
    }
    pedigree.names[static_cast<size_t>(parentPlace)] = parent;
}

}  // namespace

QString SheetPlaceField(int place) {
    if (place <= kLastPlace) {
        return PlaceField(place);
    }
    if (place > kSheetLastPlace) {
        return QString();
    }
    const int index = place - kFirstGenerationFive;
    const bool sireSide = index < kPlacesPerSideInGenerationFive;
    return QStringLiteral("%1_G5_%2")
        .arg(sireSide ? QStringLiteral("Otec") : QStringLiteral("Matka"))
        .arg(index % kPlacesPerSideInGenerationFive + 1);
}

QString HealthText(const TAncestorCard& card) {
    QStringList parts;
    const std::pair<const char*, const QString*> fields[] = {
        {"DKK", &card.dkk}, {"Luxace", &card.luxace}, {"Pra", &card.pra}};
    for (const auto& [label, value] : fields) {
        if (!value->isEmpty()) {
            parts << QString::fromLatin1(label) + u' ' + *value;
        }
    }
    return parts.join(QStringLiteral(", "));
}

TAssembledPedigree AssemblePedigree(TAncestorSource& source, const QString& animal) {
    TAssembledPedigree pedigree;
    pedigree.names[1] = animal.trimmed();
    // Places in order, so every ancestor is placed before its parents.
    for (int place = 1; place < kFirstGenerationFive; ++place) {
        const QString& name = pedigree.names[static_cast<size_t>(place)];
        if (name.isEmpty()) {
            continue;
        }
        const TAncestorCard* card = source.Card(name);
        PlaceParent(source, pedigree, place, 2 * place, card ? card->sire : QString());
        PlaceParent(source, pedigree, place, 2 * place + 1, card ? card->dam : QString());
    }
    for (int place = 1; place <= kSheetLastPlace; ++place) {
        const QString& name = pedigree.names[static_cast<size_t>(place)];
        if (!name.isEmpty() && source.Card(name) == nullptr) {
            pedigree.storedTitles[static_cast<size_t>(place)] =
                StoredTitle(source, pedigree, place);
        }
    }
    return pedigree;
}

}  // namespace pedigree
