// harvel-data coi: the inbreeding figures of an animal or of a planned litter.

#include <cstdio>

#include "genetics_commands.h"
#include "genetics_output.h"
#include "platform/standard_output.h"
#include "platform/store/store_error.h"
#include "records/genetics/inbreeding_figures.h"

namespace harvel_data {
namespace {

using platform::StoreError;

struct CoiArguments {
    QString folder, name, sire, dam;
    int generations = 0;
    bool litter = false;
};

int GenerationsArgument(const QString& text) {
    bool ok = false;
    const int generations = text.toInt(&ok);
    if (!ok || generations < 1) {
        throw StoreError(
            QStringLiteral("Počet generací musí být celé číslo od 1 výše, ne „%1“.").arg(text));
    }
    return generations;
}

CoiArguments ParseCoi(const QStringList& arguments) {
    const QString usage = QStringLiteral(
        "Použití: harvel-data coi DIR JMÉNO [--generations N] | coi DIR --sire OTEC --dam MATKA");
    if (arguments.isEmpty()) {
        throw StoreError(usage);
    }
    CoiArguments parsed;
    parsed.folder = arguments[0];
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--generations") && hasValue) {
            parsed.generations = GenerationsArgument(arguments[++i]);
        } else if (argument == QLatin1String("--sire") && hasValue) {
            parsed.sire = arguments[++i];
            parsed.litter = true;
        } else if (argument == QLatin1String("--dam") && hasValue) {
            parsed.dam = arguments[++i];
            parsed.litter = true;
        } else if (!argument.startsWith(QLatin1String("--")) && parsed.name.isNull()) {
            parsed.name = argument;
        } else {
            throw StoreError(usage);
        }
    }
    const bool litterComplete = !parsed.sire.isNull() && !parsed.dam.isNull();
    if (parsed.litter ? (!litterComplete || !parsed.name.isNull()) : parsed.name.isNull()) {
        throw StoreError(usage);
    }
    return parsed;
}

void WarnAboutSex(const pedigree::TPedigreeGraph& graph, int animal, bool asSire) {
    if (!graph.HasCard(animal) || graph.IsMaleCard(animal) == asSire) {
        return;
    }
    platform::WriteErrorLine(
        (asSire ? QStringLiteral("Upozornění: zvíře „%1“ není podle evidenčního listu pes.")
                : QStringLiteral("Upozornění: zvíře „%1“ je podle evidenčního listu pes, ne fena."))
            .arg(graph.Name(animal)));
}

void PrintFigures(const pedigree::TInbreedingFigures& figures, bool litter, QTextStream& out) {
    out << "F\t" << Figure(figures.f) << '\n';
    out << "F10\t" << Figure(figures.f10) << '\n';
    out << "F5\t" << Figure(figures.f5) << '\n';
    out << "generations\t" << figures.generations << '\n';
    out << "complete_generations\t" << figures.completeGenerations << '\n';
    out << "ancestor_loss_5\t" << Figure(figures.ancestorLoss5) << '\n';
    if (litter) {
        out << "relationship\t" << Figure(figures.relationship) << '\n';
    }
    for (const pedigree::TCommonAncestor& ancestor : figures.common) {
        out << "common\t" << ancestor.name << '\t' << Figure(ancestor.contribution) << '\n';
    }
    for (size_t g = 0; g < figures.completeness.size(); ++g) {
        out << "completeness\t" << (g + 1) << '\t' << Figure(figures.completeness[g]) << '\n';
    }
}

}  // namespace

void CoiCommand(const QStringList& arguments, QTextStream& out) {
    const CoiArguments parsed = ParseCoi(arguments);
    const pedigree::TPedigreeGraph graph =
        ReadAncestorGraph(parsed.folder, parsed.litter ? QStringList{parsed.sire, parsed.dam}
                                                       : QStringList{parsed.name});
    if (parsed.litter) {
        const int sire = RequireAnimal(graph, parsed.sire);
        const int dam = RequireAnimal(graph, parsed.dam);
        if (sire == dam) {
            throw StoreError(QStringLiteral("Otec a matka vrhu nemohou být totéž zvíře „%1“.")
                                 .arg(graph.Name(sire)));
        }
        WarnAboutSex(graph, sire, true);
        WarnAboutSex(graph, dam, false);
        PrintFigures(pedigree::AnalyseLitter(graph, sire, dam, parsed.generations), true, out);
        return;
    }
    const int animal = RequireAnimal(graph, parsed.name);
    PrintFigures(pedigree::AnalyseAnimal(graph, animal, parsed.generations), false, out);
}

}  // namespace harvel_data
