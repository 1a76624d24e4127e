#pragma once
// A five-generation pedigree assembled for one animal from the record
// sheets' sires and dams. Where an ancestor's record sheet is missing or
// names no parent, the parent is taken from the stored pedigree
// (rodokmen.db) of the nearest descendant on the line down to the animal
// (the ancestor itself first) whose stored pedigree holds that ancestor at
// the same place and names the parent. The walk is bounded by the 63 places;
// an animal named among its own descendants on a line (a loop) is reported
// and the line stops there.
//
// Places are numbered as in an ancestor table: 1 the animal, the sire of
// place k is 2k and its dam 2k + 1; places 32 to 63 are generation 5.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "records/genetics/pedigree_graph.h"

namespace pedigree {

inline constexpr int kSheetGenerations = 5;
inline constexpr int kSheetLastPlace = 63;

// The column naming a place of the assembled pedigree: the names of
// rodokmen.db for places 1 to 31, then "Otec_G5_1" … "Otec_G5_16" (places
// 32 to 47) and "Matka_G5_1" … "Matka_G5_16" (places 48 to 63).
QString SheetPlaceField(int place);

// What a record sheet tells about an animal.
struct TAncestorCard {
    QString name, sire, dam;
    QString birth;  // ISO date, empty when unknown
    QString colour, registr, registrNumber, dkk, luxace, pra;
    QString breed, sex, tattoo, breeder, owner;
    std::optional<qint64> chip;
};

// "DKK A, Pra neg": the card's health results that are filled.
QString HealthText(const TAncestorCard& card);

// A stored pedigree row: the names and the titles by place (1..31).
struct TStoredPedigree {
    TPedigreeRowNames names;
    TPedigreeRowNames titles;
};

// The look-ups the assembly reads through; names are trimmed.
class TAncestorSource {
  public:
    virtual ~TAncestorSource() = default;
    virtual const TAncestorCard* Card(const QString& name) = 0;
    virtual const TStoredPedigree* StoredPedigree(const QString& name) = 0;
};

struct TAssembledPedigree {
    std::array<QString, kSheetLastPlace + 1> names;  // index 0 unused
    // For a place whose animal has no record sheet: the title the stored
    // pedigree that names it gives it.
    std::array<QString, kSheetLastPlace + 1> storedTitles;
    QStringList problems;  // Czech reports of loops, one per line cut
};

TAssembledPedigree AssemblePedigree(TAncestorSource& source, const QString& animal);

}  // namespace pedigree
