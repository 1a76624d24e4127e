#pragma once
// What the genetics commands share: the kennel's pedigree graph read from a
// data folder with its faults reported on stderr, animals found by name, and
// numbers in the fixed output form.

#include <QString>
#include <QStringList>

#include "records/genetics/pedigree_graph.h"

namespace harvel_data {

// Reads the graph of the data folder; every fault of the pedigrees is written
// to stderr as "Upozornění: …".
pedigree::TPedigreeGraph ReadKennelGraph(const QString& folder);
// The same for the named animals and their ancestors only; the faults
// written are those met among them.
pedigree::TPedigreeGraph ReadAncestorGraph(const QString& folder, const QStringList& names);
// The animal of a registered name; throws when the kennel does not know it.
int RequireAnimal(const pedigree::TPedigreeGraph& graph, const QString& name);
// A figure with a period and six decimals.
QString Figure(double value);

}  // namespace harvel_data
