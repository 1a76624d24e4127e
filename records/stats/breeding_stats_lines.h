#pragma once
// The figures of the breeding statistics as tab-separated lines, one figure
// a line, for `harvel-data stats`:
//   litters YEAR N · puppies YEAR males females · litter_size YEAR mean
//   coi YEAR mean · coi_litter DATE DAM SIRE F · dam_litter_size DAM litters mean
//   dam_age YEARS count · shows YEAR grade count
// Means and coefficients have a period and six decimals; the coefficient is a
// fraction (0.25 for a litter of full siblings of unrelated parents). A year
// without counted litters has no litter_size line.

#include <QStringList>

#include "records/stats/breeding_stats.h"

namespace breeding {

QStringList StatsLines(const BreedingStats& stats);

}  // namespace breeding
