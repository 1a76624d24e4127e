#include "records/genetics/coancestry.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "records/genetics/pedigree_graph.h"

namespace pedigree {

namespace {

// Pairs fewer than this are walked on the calling thread alone.
constexpr size_t kPairsWorthThreads = 256;
// Pairs a thread takes at a time from the shared count.
constexpr size_t kPairsPerTake = 32;

int SireOfKey(std::uint64_t key) {
    return static_cast<int>(key >> 32);
}
int DamOfKey(std::uint64_t key) {
    return static_cast<int>(static_cast<std::uint32_t>(key));
}

}  // namespace

TCoancestry::TWalk::TWalk(std::size_t animals)
    : shareA(animals, 0.0), shareB(animals, 0.0), childrenLeft(animals, 0), seen(animals, 0) {}

TCoancestry::TCoancestry(std::vector<int> sires, std::vector<int> dams)
    : sires_(std::move(sires)), dams_(std::move(dams)), walk_(sires_.size()) {
    const size_t count = sires_.size();
    inbreeding_.assign(count, 0.0);
    variance_.assign(count, 1.0);
    FindOnlyMates();
}

void TCoancestry::FindOnlyMates() {
    onlyMate_.assign(sires_.size(), kUnknown);
    const auto note = [this](int parent, int mate) {
        if (parent == kUnknown) {
            return;
        }
        int& only = onlyMate_[parent];
        if (mate == kUnknown || (only != kUnknown && only != mate)) {
            only = kSeveralMates;
        } else {
            only = mate;
        }
    };
    for (int animal = 0; animal < Size(); ++animal) {
        note(sires_[animal], dams_[animal]);
        note(dams_[animal], sires_[animal]);
    }
}

// A founder whose offspring all come from one mate cannot be that mate's
// ancestor (its offspring are the mate's offspring too), so the two share no
// ancestor and their litter's F is 0 without a walk. This keeps long lines
// of imported mates linear instead of quadratic.
bool TCoancestry::UnrelatedFounderPair(int sire, int dam) const {
    const auto founderOnlyWith = [this](int animal, int mate) {
        return sires_[animal] == kUnknown && dams_[animal] == kUnknown && onlyMate_[animal] == mate;
    };
    return founderOnlyWith(sire, dam) || founderOnlyWith(dam, sire);
}

double TCoancestry::MendelianVariance(int animal) const {
    const int sire = sires_[animal], dam = dams_[animal];
    if (sire != kUnknown && dam != kUnknown) {
        return 0.5 - 0.25 * (inbreeding_[sire] + inbreeding_[dam]);
    }
    if (sire != kUnknown) {
        return 0.75 - 0.25 * inbreeding_[sire];
    }
    if (dam != kUnknown) {
        return 0.75 - 0.25 * inbreeding_[dam];
    }
    return 1.0;
}

std::vector<std::vector<int>> TCoancestry::Layers() const {
    std::vector<int> depth(sires_.size(), 0);
    std::vector<std::vector<int>> layers;
    for (int animal = 0; animal < Size(); ++animal) {
        for (const int parent : {sires_[animal], dams_[animal]}) {
            if (parent != kUnknown) {
                depth[animal] = std::max(depth[animal], depth[parent] + 1);
            }
        }
        if (static_cast<size_t>(depth[animal]) >= layers.size()) {
            layers.resize(depth[animal] + 1);
        }
        layers[depth[animal]].push_back(animal);
    }
    return layers;
}

// Each thread takes the next few pairs until none is left; every figure
// depends only on earlier layers, so the order of the takes does not matter.
std::vector<double> TCoancestry::WalkPairs(const std::vector<std::uint64_t>& pairs) {
    std::vector<double> figures(pairs.size(), 0.0);
    const auto walkFrom = [&](TWalk& walk, std::atomic<size_t>& next) {
        for (size_t first = next.fetch_add(kPairsPerTake); first < pairs.size();
             first = next.fetch_add(kPairsPerTake)) {
            const size_t last = std::min(first + kPairsPerTake, pairs.size());
            for (size_t i = first; i < last; ++i) {
                figures[i] = Walk(walk, SireOfKey(pairs[i]), DamOfKey(pairs[i]));
            }
        }
    };
    std::atomic<size_t> next{0};
    const size_t helpers = pairs.size() < kPairsWorthThreads
                               ? 0
                               : std::max(1u, std::thread::hardware_concurrency()) - 1;
    while (threadWalks_.size() < helpers) {
        threadWalks_.emplace_back(sires_.size());
    }
    std::vector<std::thread> threads;
    for (size_t t = 0; t < helpers; ++t) {
        threads.emplace_back([&, t] { walkFrom(threadWalks_[t], next); });
    }
    walkFrom(walk_, next);
    for (std::thread& thread : threads) {
        thread.join();
    }
    return figures;
}

void TCoancestry::ComputeInbreeding() {
    pairs_.clear();
    pairs_.reserve(sires_.size() / 2);
    for (const std::vector<int>& layer : Layers()) {
        // The pairs of parents of this layer not met before; full siblings
        // and repeated matings share one walk.
        std::vector<std::uint64_t> fresh;
        for (const int animal : layer) {
            const int sire = sires_[animal], dam = dams_[animal];
            if (sire == kUnknown || dam == kUnknown || UnrelatedFounderPair(sire, dam)) {
                continue;
            }
            const std::uint64_t key =
                (static_cast<std::uint64_t>(sire) << 32) | static_cast<std::uint32_t>(dam);
            if (pairs_.try_emplace(key, 0.0).second) {
                fresh.push_back(key);
            }
        }
        const std::vector<double> figures = WalkPairs(fresh);
        for (size_t i = 0; i < fresh.size(); ++i) {
            pairs_[fresh[i]] = figures[i];
        }
        for (const int animal : layer) {
            const int sire = sires_[animal], dam = dams_[animal];
            double f = 0.0;
            if (sire != kUnknown && dam != kUnknown && !UnrelatedFounderPair(sire, dam)) {
                f = pairs_.at((static_cast<std::uint64_t>(sire) << 32) |
                              static_cast<std::uint32_t>(dam));
            }
            inbreeding_[animal] = f;
        }
        // After the whole layer: no walk of this layer reads its own animals.
        for (const int animal : layer) {
            variance_[animal] = MendelianVariance(animal);
        }
    }
    // Threads' scratch is not needed after the kennel's figures are in.
    threadWalks_.clear();
}

// Marks a, b and all their ancestors, and counts for each how many of its
// offspring among them must hand their shares down before it.
void TCoancestry::CollectAncestors(TWalk& walk, int a, int b) const {
    if (++walk.number == 0) {
        std::fill(walk.seen.begin(), walk.seen.end(), 0);
        walk.number = 1;
    }
    walk.stack.clear();
    for (const int start : {a, b}) {
        if (walk.seen[start] != walk.number) {
            walk.seen[start] = walk.number;
            walk.childrenLeft[start] = 0;
            walk.stack.push_back(start);
        }
    }
    while (!walk.stack.empty()) {
        const int animal = walk.stack.back();
        walk.stack.pop_back();
        for (const int parent : {sires_[animal], dams_[animal]}) {
            if (parent == kUnknown) {
                continue;
            }
            if (walk.seen[parent] != walk.number) {
                walk.seen[parent] = walk.number;
                walk.childrenLeft[parent] = 0;
                walk.stack.push_back(parent);
            }
            ++walk.childrenLeft[parent];
        }
    }
}

double TCoancestry::OfPair(int sire, int dam) {
    if (sire == kUnknown || dam == kUnknown) {
        return 0.0;
    }
    const std::uint64_t key =
        (static_cast<std::uint64_t>(sire) << 32) | static_cast<std::uint32_t>(dam);
    const auto [entry, fresh] = pairs_.try_emplace(key, 0.0);
    if (fresh) {
        entry->second = Of(sire, dam);
    }
    return entry->second;
}

double TCoancestry::Of(int a, int b) {
    return Walk(walk_, a, b);
}

double TCoancestry::Walk(TWalk& walk, int a, int b) const {
    if (a == kUnknown || b == kUnknown) {
        return 0.0;
    }
    if (a == b) {
        return 0.5 * (1.0 + inbreeding_[a]);
    }
    CollectAncestors(walk, a, b);
    walk.shareA[a] = 1.0;
    walk.shareB[b] = 1.0;
    walk.ready.clear();
    for (const int start : {a, b}) {
        if (walk.childrenLeft[start] == 0) {
            walk.ready.push_back(start);
        }
    }
    double relationship = 0.0;
    while (!walk.ready.empty()) {
        const int animal = walk.ready.back();
        walk.ready.pop_back();
        const double shareA = walk.shareA[animal], shareB = walk.shareB[animal];
        relationship += shareA * shareB * variance_[animal];
        for (const int parent : {sires_[animal], dams_[animal]}) {
            if (parent == kUnknown) {
                continue;
            }
            walk.shareA[parent] += 0.5 * shareA;
            walk.shareB[parent] += 0.5 * shareB;
            if (--walk.childrenLeft[parent] == 0) {
                walk.ready.push_back(parent);
            }
        }
        walk.shareA[animal] = 0.0;
        walk.shareB[animal] = 0.0;
    }
    return 0.5 * relationship;
}

double TCoancestry::Relationship(int a, int b) {
    if (a == kUnknown || b == kUnknown) {
        return 0.0;
    }
    const double denominator = std::sqrt((1.0 + inbreeding_[a]) * (1.0 + inbreeding_[b]));
    return 2.0 * Of(a, b) / denominator;
}

}  // namespace pedigree
