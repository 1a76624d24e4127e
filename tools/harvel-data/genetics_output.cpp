#include "genetics_output.h"

#include <cstdio>

#include "platform/standard_output.h"
#include "platform/store/database.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_error.h"
#include "records/genetics/ancestor_reader.h"
#include "records/genetics/pedigree_loader.h"

namespace harvel_data {

namespace {

pedigree::TPedigreeGraph Reported(pedigree::TPedigreeGraph graph) {
    for (const pedigree::TPedigreeProblem& problem : graph.Problems()) {
        platform::WriteErrorLine(QStringLiteral("Upozornění: ") + problem.text);
    }
    return graph;
}

}  // namespace

pedigree::TPedigreeGraph ReadKennelGraph(const QString& folder) {
    platform::Database database(folder, platform::OpenMode::ReadOnly);
    return Reported(pedigree::LoadPedigreeGraph(database));
}

pedigree::TPedigreeGraph ReadAncestorGraph(const QString& folder, const QStringList& names) {
    platform::Database database(folder, platform::OpenMode::ReadOnly);
    // The ancestors lie scattered over the whole file; a small cache reads
    // them faster and in a fraction of the memory.
    if (!database.IsServer()) {
        database.Handle().KeepPageCacheSmall();
    }
    return Reported(pedigree::LoadAncestorGraph(database, names));
}

int RequireAnimal(const pedigree::TPedigreeGraph& graph, const QString& name) {
    const int animal = graph.Find(name);
    if (animal == pedigree::kUnknown) {
        throw platform::StoreError(
            QStringLiteral("Zvíře „%1“ není v evidenčních listech ani v uložených rodokmenech.")
                .arg(name.trimmed()));
    }
    return animal;
}

QString Figure(double value) {
    // -0.000000 would look like a fault in a figure that cannot be negative.
    if (value > -5e-7 && value < 5e-7) {
        value = 0.0;
    }
    return QString::number(value, 'f', 6);
}

}  // namespace harvel_data
