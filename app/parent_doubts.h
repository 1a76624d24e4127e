#pragma once
// Parents that cannot be: before a record sheet or a litter names its sire
// and dam, each doubt is asked as a question (Yes / No), so the breeder
// decides and the record is never silently wrong:
//   the sire is a female by its record sheet, the dam a male;
//   a parent is the animal itself;
//   a parent was born after the animal (or the litter).
// A parent without a record sheet, or one whose sex or birth date is not
// known, raises no doubt.

#include <QDate>
#include <QString>
#include <QStringList>

namespace platform {
class Database;
}

// Sex as the record sheet's closed list has it, in any letter case.
enum class TAnimalSex { asUnknown, asMale, asFemale };
TAnimalSex SexOf(const QString& pohlavi);

struct TParentage {
    QString name;  // the animal; empty for a litter
    QDate birth;   // the animal's or the litter's birth date; invalid: not known
    QString sire;
    QString dam;
};

// The questions the parents raise, in the order sire, dam.
QStringList ParentDoubts(platform::Database& database, const TParentage& parentage);

// Asks every doubt; true when there is none or the user answered Yes to each.
bool ConfirmParents(platform::Database& database, const TParentage& parentage);
