#pragma once
// Reads the kennel's pedigree graph from the database: the sire and dam of
// every record sheet (main_card.db) first, then every stored pedigree row
// (rodokmen.db), so a record sheet wins over a pedigree that names other parents.

#include <vector>

#include "records/genetics/pedigree_graph.h"

namespace platform {
class Database;
}

namespace pedigree {

// `preferred` rows (a pedigree being edited, not yet stored) are added before
// everything else, so the figures follow what the user sees.
TPedigreeGraph LoadPedigreeGraph(platform::Database& database,
                                 const std::vector<TPedigreeRowNames>& preferred = {});

}  // namespace pedigree
