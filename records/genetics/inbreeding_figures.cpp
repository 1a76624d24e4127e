#include "records/genetics/inbreeding_figures.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <unordered_map>

#include "records/genetics/coancestry.h"

namespace pedigree {
namespace {

constexpr int kLossGenerations = 5;
constexpr double kLossPlaces = 62.0;  // 2 + 4 + 8 + 16 + 32
constexpr double kNegligible = 1e-15;

// The ancestors of a litter cut at a number of generations, numbered in the
// graph's order (parents first), with the litter's sire and dam.
struct TCutPedigree {
    std::vector<int> animals;  // graph numbers
    std::vector<int> sires, dams;
    int sire = kUnknown, dam = kUnknown;
};

TCutPedigree CutPedigree(const TPedigreeGraph& graph, int sire, int dam, int limit) {
    std::unordered_map<int, int> depth;
    std::deque<int> queue;
    for (const int parent : {sire, dam}) {
        if (parent != kUnknown && depth.emplace(parent, 1).second) {
            queue.push_back(parent);
        }
    }
    while (!queue.empty()) {
        const int animal = queue.front();
        queue.pop_front();
        const int next = depth[animal] + 1;
        if (limit > 0 && next > limit) {
            continue;
        }
        for (const int parent : {graph.Sire(animal), graph.Dam(animal)}) {
            if (parent != kUnknown && depth.emplace(parent, next).second) {
                queue.push_back(parent);
            }
        }
    }
    TCutPedigree cut;
    cut.animals.reserve(depth.size());
    for (const auto& [animal, d] : depth) {
        cut.animals.push_back(animal);
    }
    std::sort(cut.animals.begin(), cut.animals.end());
    std::unordered_map<int, int> local;
    local.reserve(cut.animals.size());
    for (int k = 0; k < static_cast<int>(cut.animals.size()); ++k) {
        local.emplace(cut.animals[k], k);
    }
    const auto localOf = [&](int animal) {
        return animal == kUnknown ? kUnknown : local.at(animal);
    };
    for (const int animal : cut.animals) {
        const bool keepsParents = limit == 0 || depth.at(animal) < limit;
        cut.sires.push_back(keepsParents ? localOf(graph.Sire(animal)) : kUnknown);
        cut.dams.push_back(keepsParents ? localOf(graph.Dam(animal)) : kUnknown);
    }
    cut.sire = localOf(sire);
    cut.dam = localOf(dam);
    return cut;
}

// A cut pedigree with the inbreeding of every animal in it.
struct TCutFigures {
    TCutPedigree cut;
    TCoancestry coancestry;
    TCutFigures(const TPedigreeGraph& graph, int sire, int dam, int limit)
        : cut(CutPedigree(graph, sire, dam, limit)), coancestry(cut.sires, cut.dams) {
        coancestry.ComputeInbreeding();
    }
    double Litter() { return coancestry.Of(cut.sire, cut.dam); }
};

// Genes passed from `start` to each ancestor: one half per generation,
// summed over every line. Parents come before offspring, so one downward
// sweep from `start` reaches every ancestor after all its offspring.
void HandDown(const TCutPedigree& cut, int start, std::vector<double>& share) {
    share.assign(cut.animals.size(), 0.0);
    if (start == kUnknown) {
        return;
    }
    share[start] = 1.0;
    for (int animal = start; animal >= 0; --animal) {
        const double s = share[animal];
        if (s == 0.0) {
            continue;
        }
        if (cut.sires[animal] != kUnknown) {
            share[cut.sires[animal]] += 0.5 * s;
        }
        if (cut.dams[animal] != kUnknown) {
            share[cut.dams[animal]] += 0.5 * s;
        }
    }
}

// Nearest generation of every ancestor from a parent of the litter (the parent is 1).
std::vector<int> NearestGenerations(const TCutPedigree& cut, int start) {
    std::vector<int> generation(cut.animals.size(), 0);
    if (start == kUnknown) {
        return generation;
    }
    std::deque<int> queue{start};
    generation[start] = 1;
    while (!queue.empty()) {
        const int animal = queue.front();
        queue.pop_front();
        for (const int parent : {cut.sires[animal], cut.dams[animal]}) {
            if (parent != kUnknown && generation[parent] == 0) {
                generation[parent] = generation[animal] + 1;
                queue.push_back(parent);
            }
        }
    }
    return generation;
}

// Wright's shares: the pairs of lines from sire and dam to ancestor A that
// meet first in A weigh L_sA · L_dA less, for every common ancestor B below
// A, the pairs meeting first in B and going on to A (weight of B's pairs ·
// L_BA²). Common ancestors are taken from the youngest, so B is done before A.
std::vector<TCommonAncestor> CommonAncestors(const TPedigreeGraph& graph, TCutFigures& figures) {
    const TCutPedigree& cut = figures.cut;
    const TCoancestry& coancestry = figures.coancestry;
    if (cut.sire == kUnknown || cut.dam == kUnknown) {
        return {};
    }
    std::vector<double> fromSire, fromDam, fromB;
    HandDown(cut, cut.sire, fromSire);
    HandDown(cut, cut.dam, fromDam);
    const std::vector<int> sireGen = NearestGenerations(cut, cut.sire);
    const std::vector<int> damGen = NearestGenerations(cut, cut.dam);
    const int count = static_cast<int>(cut.animals.size());
    std::vector<double> laterMeetings(count, 0.0);
    std::vector<TCommonAncestor> common;
    for (int a = count - 1; a >= 0; --a) {
        if (fromSire[a] == 0.0 || fromDam[a] == 0.0) {
            continue;
        }
        const double firstMeetings = fromSire[a] * fromDam[a] - laterMeetings[a];
        if (firstMeetings <= kNegligible) {
            continue;
        }
        common.push_back(TCommonAncestor{graph.Name(cut.animals[a]),
                                         0.5 * firstMeetings * (1.0 + coancestry.Inbreeding(a)),
                                         sireGen[a], damGen[a]});
        HandDown(cut, a, fromB);
        for (int older = a - 1; older >= 0; --older) {
            if (fromB[older] != 0.0 && fromSire[older] != 0.0 && fromDam[older] != 0.0) {
                laterMeetings[older] += firstMeetings * fromB[older] * fromB[older];
            }
        }
    }
    std::sort(common.begin(), common.end(), [](const TCommonAncestor& x, const TCommonAncestor& y) {
        if (x.contribution != y.contribution) {
            return x.contribution > y.contribution;
        }
        return x.name < y.name;
    });
    return common;
}

// Completeness by generation: the share of the places of generation g held
// by known animals, each animal weighing (1/2)^g per line reaching it. The
// generations are walked level by level, so a long line costs no recursion.
void GenerationFigures(const TPedigreeGraph& graph, int sire, int dam, TInbreedingFigures& out) {
    std::unordered_map<int, double> level, next;
    for (const int parent : {sire, dam}) {
        if (parent != kUnknown) {
            level[parent] += 0.5;
        }
    }
    std::vector<char> within5(graph.Size(), 0);
    bool complete = true;
    for (int generation = 1; !level.empty(); ++generation) {
        double known = 0.0;
        next.clear();
        for (const auto& [animal, weight] : level) {
            known += weight;
            if (generation <= kLossGenerations && !within5[animal]) {
                within5[animal] = 1;
                ++out.distinctAncestors5;
            }
            for (const int parent : {graph.Sire(animal), graph.Dam(animal)}) {
                if (parent != kUnknown) {
                    next[parent] += 0.5 * weight;
                }
            }
        }
        out.completeness.push_back(known);
        out.generations = generation;
        complete = complete && known >= 1.0 - 1e-12;
        if (complete) {
            out.completeGenerations = generation;
        }
        level.swap(next);
    }
    out.ancestorLoss5 = out.distinctAncestors5 / kLossPlaces;
}

}  // namespace

TInbreedingFigures AnalyseLitter(const TPedigreeGraph& graph, int sire, int dam,
                                 int generationLimit) {
    TInbreedingFigures figures;
    figures.sireKnown = sire != kUnknown;
    figures.damKnown = dam != kUnknown;
    figures.generationLimit = std::max(0, generationLimit);
    TCutFigures all(graph, sire, dam, 0);
    figures.relationship = all.coancestry.Relationship(all.cut.sire, all.cut.dam);
    figures.f10 = TCutFigures(graph, sire, dam, 10).Litter();
    figures.f5 = TCutFigures(graph, sire, dam, 5).Litter();
    GenerationFigures(graph, sire, dam, figures);
    if (figures.generationLimit == 0) {
        figures.f = all.Litter();
        figures.common = CommonAncestors(graph, all);
    } else {
        TCutFigures limited(graph, sire, dam, figures.generationLimit);
        figures.f = limited.Litter();
        figures.common = CommonAncestors(graph, limited);
    }
    return figures;
}

TInbreedingFigures AnalyseAnimal(const TPedigreeGraph& graph, int animal, int generationLimit) {
    if (animal == kUnknown) {
        return AnalyseLitter(graph, kUnknown, kUnknown, generationLimit);
    }
    return AnalyseLitter(graph, graph.Sire(animal), graph.Dam(animal), generationLimit);
}

}  // namespace pedigree
