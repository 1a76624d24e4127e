#include "records/genetics/kennel_inbreeding.h"

#include <algorithm>

namespace pedigree {

TKennelInbreeding::TKennelInbreeding(const TPedigreeGraph& graph)
    : graph_(graph), coancestry_(graph.Sires(), graph.Dams()) {
    coancestry_.ComputeInbreeding();
}

std::vector<TSireCandidate> TKennelInbreeding::RankSires(int dam, const std::vector<int>& named) {
    std::vector<int> candidates;
    for (int animal = 0; animal < graph_.Size(); ++animal) {
        if (graph_.IsMaleCard(animal)) {
            candidates.push_back(animal);
        }
    }
    candidates.insert(candidates.end(), named.begin(), named.end());
    return RankCandidates(dam, candidates);
}

std::vector<TSireCandidate> TKennelInbreeding::RankCandidates(int dam,
                                                              const std::vector<int>& candidates) {
    std::vector<char> taken(graph_.Size(), 0);
    std::vector<TSireCandidate> ranking;
    for (const int sire : candidates) {
        if (sire == kUnknown || sire == dam || taken[sire]) {
            continue;
        }
        taken[sire] = 1;
        ranking.push_back(TSireCandidate{sire, coancestry_.Of(sire, dam)});
    }
    std::sort(ranking.begin(), ranking.end(),
              [this](const TSireCandidate& a, const TSireCandidate& b) {
                  if (a.litterInbreeding != b.litterInbreeding) {
                      return a.litterInbreeding < b.litterInbreeding;
                  }
                  return graph_.Name(a.sire) < graph_.Name(b.sire);
              });
    return ranking;
}

}  // namespace pedigree
