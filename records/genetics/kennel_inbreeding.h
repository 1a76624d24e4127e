#pragma once
// The inbreeding of every animal of the kennel's pedigree graph, computed
// once, and the figures of planned litters from it: a trial mating of a sire
// and a dam (the coancestry of the two) and the candidate sires for a dam
// ranked by the inbreeding of their litter with her.

#include <QString>
#include <vector>

#include "records/genetics/coancestry.h"
#include "records/genetics/pedigree_graph.h"

namespace pedigree {

struct TSireCandidate {
    int sire = kUnknown;
    double litterInbreeding = 0.0;
};

class TKennelInbreeding {
  public:
    explicit TKennelInbreeding(const TPedigreeGraph& graph);

    const TPedigreeGraph& Graph() const { return graph_; }
    double Inbreeding(int animal) const { return coancestry_.Inbreeding(animal); }
    // F of a litter of `sire` × `dam`; an unknown parent gives 0.
    double Litter(int sire, int dam) { return coancestry_.OfPair(sire, dam); }
    double Relationship(int a, int b) { return coancestry_.Relationship(a, b); }

    // Every male of the record sheets and the `named` animals, without the
    // dam herself, by the litter's inbreeding (lowest first, then by name).
    std::vector<TSireCandidate> RankSires(int dam, const std::vector<int>& named = {});
    // The given candidates (each once, without the dam) in the same order.
    std::vector<TSireCandidate> RankCandidates(int dam, const std::vector<int>& candidates);

  private:
    const TPedigreeGraph& graph_;
    TCoancestry coancestry_;
};

}  // namespace pedigree
