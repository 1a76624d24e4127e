#include "records/genetics/pedigree_graph.h"

namespace pedigree {
namespace {

QString Quoted(const QString& name) {
    return QStringLiteral("„") + name + QStringLiteral("“");
}

}  // namespace

int TPedigreeGraph::Find(const QString& name) const {
    return index_.value(name.trimmed(), kUnknown);
}

TPedigreeGraphBuilder::TPedigreeGraphBuilder() = default;

QString TPedigreeGraphBuilder::SourceText(int source) const {
    return source == kUnknown ? QStringLiteral("evidenční list")
                              : QStringLiteral("rodokmen zvířete ") + Quoted(nodes_[source].name);
}

int TPedigreeGraphBuilder::Intern(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        return kUnknown;
    }
    const auto found = index_.constFind(trimmed);
    if (found != index_.constEnd()) {
        return found.value();
    }
    const int id = static_cast<int>(nodes_.size());
    Node node;
    node.name = trimmed;
    nodes_.push_back(std::move(node));
    index_.insert(trimmed, id);
    return id;
}

void TPedigreeGraphBuilder::AddCard(const QString& name, const QString& sire, const QString& dam,
                                    const QString& sex) {
    const int animal = Intern(name);
    if (animal == kUnknown) {
        return;
    }
    nodes_[animal].card = true;
    const QString trimmedSex = sex.trimmed();
    nodes_[animal].male = trimmedSex.compare(QLatin1String("pes"), Qt::CaseInsensitive) == 0;
    nodes_[animal].female = trimmedSex.compare(QLatin1String("fena"), Qt::CaseInsensitive) == 0;
    Link(animal, Intern(sire), true, kUnknown);
    Link(animal, Intern(dam), false, kUnknown);
}

void TPedigreeGraphBuilder::AddPedigree(const TPedigreeRowNames& row) {
    if (row[kFirstPlace].trimmed().isEmpty()) {
        return;
    }
    std::array<int, kLastPlace + 1> ids{};
    for (int place = kFirstPlace; place <= kLastPlace; ++place) {
        ids[place] = Intern(row[place]);
    }
    const int source = ids[kFirstPlace];
    for (int place = kFirstPlace; place <= kPlacesWithParents; ++place) {
        if (ids[place] == kUnknown) {
            continue;
        }
        Link(ids[place], ids[SirePlace(place)], true, source);
        Link(ids[place], ids[DamPlace(place)], false, source);
    }
}

void TPedigreeGraphBuilder::Link(int child, int parent, bool sire, int source) {
    if (child == kUnknown || parent == kUnknown) {
        return;
    }
    Node& node = nodes_[child];
    int& slot = sire ? node.sire : node.dam;
    if (slot == kUnknown) {
        slot = parent;
        (sire ? node.sireSource : node.damSource) = source;
        return;
    }
    if (slot == parent) {
        return;
    }
    const QString& kept = nodes_[slot].name;
    const QString& other = nodes_[parent].name;
    const int keptSource = sire ? node.sireSource : node.damSource;
    Report(TProblemKind::pkParentConflict,
           QStringLiteral("Zvíře %1 má uvedeny různé %2: %3 (%4) a %5 (%6); platí %3.")
               .arg(Quoted(node.name), sire ? QStringLiteral("otce") : QStringLiteral("matky"),
                    Quoted(kept), SourceText(keptSource), Quoted(other), SourceText(source)),
           {node.name, kept, other});
}

void TPedigreeGraphBuilder::Report(TProblemKind kind, const QString& text,
                                   const QStringList& names) {
    problems_.push_back(TPedigreeProblem{kind, text, names});
}

void TPedigreeGraphBuilder::CheckOwnAndSameParents() {
    for (int id = 0; id < static_cast<int>(nodes_.size()); ++id) {
        Node& node = nodes_[id];
        if (node.sire == id || node.dam == id) {
            const bool asSire = node.sire == id;
            Report(TProblemKind::pkOwnParent,
                   QStringLiteral("Zvíře %1 je uvedeno jako %2; vazba se nepočítá.")
                       .arg(Quoted(node.name), asSire ? QStringLiteral("svůj vlastní otec")
                                                      : QStringLiteral("svá vlastní matka")),
                   {node.name});
            if (node.sire == id) {
                node.sire = kUnknown;
            }
            if (node.dam == id) {
                node.dam = kUnknown;
            }
        }
        if (node.sire != kUnknown && node.sire == node.dam) {
            Report(TProblemKind::pkSameParents,
                   QStringLiteral("Zvíře %1 má stejného otce i matku: %2; matka se nepočítá.")
                       .arg(Quoted(node.name), Quoted(nodes_[node.sire].name)),
                   {node.name, nodes_[node.sire].name});
            node.dam = kUnknown;
        }
    }
}

void TPedigreeGraphBuilder::CheckSexes() {
    const int count = static_cast<int>(nodes_.size());
    std::vector<int> sireOf(count, kUnknown), damOf(count, kUnknown);
    for (int id = 0; id < count; ++id) {
        if (nodes_[id].sire != kUnknown && sireOf[nodes_[id].sire] == kUnknown) {
            sireOf[nodes_[id].sire] = id;
        }
        if (nodes_[id].dam != kUnknown && damOf[nodes_[id].dam] == kUnknown) {
            damOf[nodes_[id].dam] = id;
        }
    }
    for (int id = 0; id < count; ++id) {
        const Node& node = nodes_[id];
        if (sireOf[id] != kUnknown && damOf[id] != kUnknown) {
            Report(
                TProblemKind::pkBothSexes,
                QStringLiteral("Zvíře %1 je uvedeno jako otec zvířete %2 i jako matka zvířete %3.")
                    .arg(Quoted(node.name), Quoted(nodes_[sireOf[id]].name),
                         Quoted(nodes_[damOf[id]].name)),
                {node.name, nodes_[sireOf[id]].name, nodes_[damOf[id]].name});
        } else if (node.female && sireOf[id] != kUnknown) {
            Report(TProblemKind::pkBothSexes,
                   QStringLiteral("Zvíře %1 je podle evidenčního listu fena, ale je uvedeno jako "
                                  "otec zvířete %2.")
                       .arg(Quoted(node.name), Quoted(nodes_[sireOf[id]].name)),
                   {node.name, nodes_[sireOf[id]].name});
        } else if (node.card && node.male && damOf[id] != kUnknown) {
            Report(TProblemKind::pkBothSexes,
                   QStringLiteral("Zvíře %1 je podle evidenčního listu pes, ale je uvedeno jako "
                                  "matka zvířete %2.")
                       .arg(Quoted(node.name), Quoted(nodes_[damOf[id]].name)),
                   {node.name, nodes_[damOf[id]].name});
        }
    }
}

// Kahn's ordering: an animal is placed once both its parents are. Animals
// left over sit on a loop or below one; a loop is found by walking up from
// one of them through parents not placed yet, reported, and broken.
std::vector<int> TPedigreeGraphBuilder::OrderParentsFirst() {
    const int count = static_cast<int>(nodes_.size());
    std::vector<int> pending(count, 0), childStart(count + 1, 0), children;
    for (const Node& node : nodes_) {
        for (const int parent : {node.sire, node.dam}) {
            if (parent != kUnknown) {
                ++childStart[parent + 1];
            }
        }
    }
    for (int id = 0; id < count; ++id) {
        childStart[id + 1] += childStart[id];
    }
    children.resize(childStart[count]);
    std::vector<int> fill(childStart.begin(), childStart.end() - 1);
    for (int id = 0; id < count; ++id) {
        for (const int parent : {nodes_[id].sire, nodes_[id].dam}) {
            if (parent != kUnknown) {
                children[fill[parent]++] = id;
                ++pending[id];
            }
        }
    }
    std::vector<int> order;
    order.reserve(count);
    std::vector<char> placed(count, 0);
    std::vector<int> ready;
    for (int id = 0; id < count; ++id) {
        if (pending[id] == 0) {
            ready.push_back(id);
        }
    }
    int nextUnplaced = 0;
    while (static_cast<int>(order.size()) < count) {
        if (ready.empty()) {
            while (placed[nextUnplaced]) {
                ++nextUnplaced;
            }
            const int freed = ReportLoop(pending, placed, nextUnplaced);
            if (pending[freed] == 0) {
                ready.push_back(freed);
            }
            continue;
        }
        const int id = ready.back();
        ready.pop_back();
        if (placed[id]) {
            continue;
        }
        placed[id] = 1;
        order.push_back(id);
        for (int k = childStart[id]; k < childStart[id + 1]; ++k) {
            const int child = children[k];
            const Node& node = nodes_[child];
            // A link dropped while breaking a loop no longer counts.
            if (node.sire != id && node.dam != id) {
                continue;
            }
            if (--pending[child] == 0) {
                ready.push_back(child);
            }
        }
    }
    return order;
}

int TPedigreeGraphBuilder::ReportLoop(std::vector<int>& pending, const std::vector<char>& placed,
                                      int start) {
    std::vector<int> walk;
    std::vector<int> seenAt(nodes_.size(), -1);
    int current = start;
    while (seenAt[current] < 0) {
        seenAt[current] = static_cast<int>(walk.size());
        walk.push_back(current);
        const Node& node = nodes_[current];
        current = (node.sire != kUnknown && !placed[node.sire]) ? node.sire : node.dam;
    }
    std::vector<int> loop(walk.begin() + seenAt[current], walk.end());
    QStringList names;
    for (const int id : loop) {
        names << nodes_[id].name;
    }
    names << nodes_[current].name;
    QStringList quoted;
    for (const QString& name : names) {
        quoted << Quoted(name);
    }
    Node& last = nodes_[loop.back()];
    Report(TProblemKind::pkLoop,
           QStringLiteral("Zvíře je svým vlastním předkem (smyčka v rodokmenu): %1; vazba %2 → %3 "
                          "se nepočítá.")
               .arg(quoted.join(QStringLiteral(" → ")), Quoted(last.name),
                    Quoted(nodes_[current].name)),
           names);
    if (last.sire == current) {
        last.sire = kUnknown;
    } else {
        last.dam = kUnknown;
    }
    --pending[loop.back()];
    return loop.back();
}

TPedigreeGraph TPedigreeGraphBuilder::Build() {
    CheckOwnAndSameParents();
    const std::vector<int> order = OrderParentsFirst();
    CheckSexes();
    const int count = static_cast<int>(order.size());
    std::vector<int> renumbered(count);
    for (int k = 0; k < count; ++k) {
        renumbered[order[k]] = k;
    }
    TPedigreeGraph graph;
    graph.names_.resize(count);
    graph.sires_.resize(count);
    graph.dams_.resize(count);
    graph.flags_.resize(count);
    for (int k = 0; k < count; ++k) {
        Node& node = nodes_[order[k]];
        graph.sires_[k] = node.sire == kUnknown ? kUnknown : renumbered[node.sire];
        graph.dams_[k] = node.dam == kUnknown ? kUnknown : renumbered[node.dam];
        graph.flags_[k] =
            (node.card ? TPedigreeGraph::kCard : 0) | (node.male ? TPedigreeGraph::kMale : 0);
        graph.names_[k] = std::move(node.name);
    }
    nodes_.clear();
    // The builder's index becomes the graph's, renumbered in place: a second
    // index of a whole kennel would double its largest part.
    graph.index_ = std::move(index_);
    for (auto entry = graph.index_.begin(); entry != graph.index_.end(); ++entry) {
        entry.value() = renumbered[entry.value()];
    }
    graph.problems_ = std::move(problems_);
    index_.clear();
    problems_.clear();
    return graph;
}

}  // namespace pedigree
