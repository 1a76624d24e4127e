#pragma once
// A small kennel written as record sheets for the genetics tests.

#include <QString>

#include "records/genetics/pedigree_graph.h"

namespace genetics_test {

struct Kennel {
    pedigree::TPedigreeGraphBuilder builder;
    pedigree::TPedigreeGraph graph;

    // One record sheet; sex "Pes" or "Fena" (empty: not known).
    Kennel& Card(const QString& name, const QString& sire = {}, const QString& dam = {},
                 const QString& sex = {}) {
        builder.AddCard(name, sire, dam, sex);
        return *this;
    }
    const pedigree::TPedigreeGraph& Build() {
        graph = builder.Build();
        return graph;
    }
    int operator[](const char* name) const { return graph.Find(QString::fromUtf8(name)); }
};

}  // namespace genetics_test
