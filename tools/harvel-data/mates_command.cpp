// harvel-data mates: the candidate sires for a dam ranked by their litter's F.

#include "genetics_commands.h"
#include "genetics_output.h"
#include "platform/store/store_error.h"
#include "records/genetics/kennel_inbreeding.h"

namespace harvel_data {

void MatesCommand(const QStringList& arguments, QTextStream& out) {
    if (arguments.size() < 2) {
        throw platform::StoreError(QStringLiteral("Použití: harvel-data mates DIR MATKA [OTEC…]"));
    }
    const pedigree::TPedigreeGraph graph = ReadKennelGraph(arguments[0]);
    const int dam = RequireAnimal(graph, arguments[1]);
    std::vector<int> named;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        named.push_back(RequireAnimal(graph, arguments[i]));
    }
    pedigree::TKennelInbreeding kennel(graph);
    for (const pedigree::TSireCandidate& candidate : kennel.RankSires(dam, named)) {
        out << "sire\t" << graph.Name(candidate.sire) << '\t' << Figure(candidate.litterInbreeding)
            << '\n';
    }
}

}  // namespace harvel_data
