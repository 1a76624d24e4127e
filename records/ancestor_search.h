#pragma once
// The ancestor search of the pedigree sheet: for one side of the pedigree
// (the sire's or the dam's) seven look-ups, in this order, of the side's
// parent, its two grandparents and its four great-grandparents in the record
// sheets. Each look-up finds the record sheet whose registered name equals
// the ancestor's text exactly and writes that sheet's sire and dam into the
// ancestor's parent places; a value just written is searched in turn. An
// ancestor without a record sheet keeps its parents as they are.

#include <array>

namespace platform {
class DataSet;
}

namespace pedigree {

// The places searched for one side, in order: 2, 4, 5, 8, 9, 10, 11 for the
// sire's side, 3, 6, 7, 12, 13, 14, 15 for the dam's.
std::array<int, 7> SearchedPlaces(bool sireSide);

// Runs the search on the pedigree row being edited (the caller has put it
// into editing) over `cards`, the record sheet's current data set, whose
// position it moves. Answers how many ancestors were found.
int SearchAncestors(platform::DataSet& pedigreeRow, platform::DataSet& cards, bool sireSide);

}  // namespace pedigree
