#pragma once
// The inbreeding figures of one animal, or of a planned litter of a sire and
// a dam: Wright's F over every known generation and over the last 10 and 5,
// how far and how completely the pedigree is known, the ancestor loss over
// five generations and the common ancestors of the two parents with each
// one's share of F.
//
// F over n generations counts the ancestors whose nearest line from the
// animal reaches them within n generations (the parents are generation 1);
// the parents of an ancestor met first in generation n are taken as unknown.
// A common ancestor's share is Wright's path sum over the pairs of lines from
// the sire and from the dam that meet only in it, (1/2)^(n1+n2+1) (1 + F_A);
// the shares add up to F.

#include <QString>
#include <vector>

#include "records/genetics/pedigree_graph.h"

namespace pedigree {

struct TCommonAncestor {
    QString name;
    double contribution = 0.0;
    int sireGeneration = 0;  // nearest generation of the ancestor through the sire
    int damGeneration = 0;   // … and through the dam (from the animal: parents = 1)
};

struct TInbreedingFigures {
    bool sireKnown = false, damKnown = false;
    int generationLimit = 0;  // the generations F and the common ancestors count; 0: all
    double f = 0.0, f10 = 0.0, f5 = 0.0;
    double relationship = 0.0;            // Wright's coefficient of relationship of sire and dam
    int generations = 0;                  // the farthest generation with a known ancestor
    int completeGenerations = 0;          // generations 1..n with every ancestor known
    std::vector<double> completeness;     // [g - 1]: known share of generation g
    int distinctAncestors5 = 0;           // different animals within 5 generations
    double ancestorLoss5 = 0.0;           // distinctAncestors5 / 62
    std::vector<TCommonAncestor> common;  // largest share first
};

// The figures of an animal of the graph (its own sire and dam).
TInbreedingFigures AnalyseAnimal(const TPedigreeGraph& graph, int animal, int generationLimit = 0);
// The figures of a litter of `sire` × `dam`; either may be kUnknown.
TInbreedingFigures AnalyseLitter(const TPedigreeGraph& graph, int sire, int dam,
                                 int generationLimit = 0);

}  // namespace pedigree
