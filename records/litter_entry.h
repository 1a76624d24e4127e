#pragma once
// What the litter entry form decides and writes, apart from its widgets: the
// rules of the puppy-name list, the checks that must pass before a litter is
// written, and the one-transaction write of the litter row and the puppies'
// record sheets.

#include <QString>
#include <QStringList>
#include <optional>

class TDM1;

// A count field read as a whole number; empty or not a number reads as 0.
int CountOrZero(const QString& text);

// The puppy-name list: entries in the order of adding, no two equal without
// regard to letter case.
class TPuppyNames {
  public:
    const QStringList& Names() const { return names_; }
    int Count() const { return static_cast<int>(names_.size()); }
    bool Contains(const QString& name) const { return names_.contains(name, Qt::CaseInsensitive); }

    // Appends `typed` as typed when the list has room for `expected` names
    // and does not hold it yet; otherwise answers the message that says why.
    std::optional<QString> Add(const QString& typed, int expected);
    void RemoveAt(int index);

  private:
    QStringList names_;
};

// The inputs of one litter, as the entry form holds them.
struct TLitterInput {
    QString dam;    // the dam's registered name
    QString sire;   // as typed
    QString birth;  // the birth-date field's text
    QString males;  // the count fields' texts, as typed
    QString females;
    QStringList names;  // the puppy-name list
    QString note;
    QString breed;
};

// The input checks, all of them in their order: answers the message of every
// check that fails (empty when the litter may be written).
QStringList LitterInputFailures(TDM1& dm, const TLitterInput& input);

// The puppy-name check: the message for every listed name that is already a
// registered name of a record sheet (exact, case-sensitive), in list order.
QStringList PuppyNameFailures(TDM1& dm, const QStringList& names);

// What stops the puppy sheets of a litter being written whole: a kennel name
// in the settings longer than a record sheet's breeder column holds.
QStringList PuppySheetFailures();

// Appends the litter row and, with `createCards`, one record sheet per listed
// name, within one transaction. When the store refuses any row the
// transaction is rolled back, so nothing of the litter remains, and the
// store's StoreError passes to the caller. The main-card table is re-read
// after a commit.
void WriteLitter(TDM1& dm, const TLitterInput& input, bool createCards);
