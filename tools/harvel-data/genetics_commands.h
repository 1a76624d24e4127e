#pragma once
// The genetics commands of harvel-data, each in its own file:
//   coi DIR NAME [--generations N]        the inbreeding figures of an animal
//   coi DIR --sire X --dam Y [--generations N]   the figures of a planned litter
//   mates DIR DAM [SIRE…]                 candidate sires ranked by the litter's F
// Output is one key<TAB>value line per figure, numbers with a period and six
// decimals. Faults of the pedigrees go to stderr as warnings; an unknown
// animal or a bad argument throws platform::StoreError with the message.

#include <QStringList>
#include <QTextStream>

namespace harvel_data {

void CoiCommand(const QStringList& arguments, QTextStream& out);
void MatesCommand(const QStringList& arguments, QTextStream& out);

}  // namespace harvel_data
