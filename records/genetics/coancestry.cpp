#include "records/genetics/coancestry.h"

#include <cmath>

#include "records/genetics/pedigree_graph.h"

namespace pedigree {

TCoancestry::TCoancestry(std::vector<int> sires, std::vector<int> dams)
    : sires_(std::move(sires)), dams_(std::move(dams)) {
    const size_t count = sires_.size();
    inbreeding_.assign(count, 0.0);
    variance_.assign(count, 1.0);
    shareA_.assign(count, 0.0);
    shareB_.assign(count, 0.0);
    childrenLeft_.assign(count, 0);
    seen_.assign(count, 0);
    FindOnlyMates();
}

void TCoancestry::FindOnlyMates() {
    onlyMate_.assign(sires_.size(), kUnknown);
    const auto note = [this](int parent, int mate) {
        if (parent == kUnknown)
            return;
        int& only = onlyMate_[parent];
        if (mate == kUnknown || (only != kUnknown && only != mate))
            only = kSeveralMates;
        else
            only = mate;
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
    if (sire != kUnknown && dam != kUnknown)
        return 0.5 - 0.25 * (inbreeding_[sire] + inbreeding_[dam]);
    if (sire != kUnknown)
        return 0.75 - 0.25 * inbreeding_[sire];
    if (dam != kUnknown)
        return 0.75 - 0.25 * inbreeding_[dam];
    return 1.0;
}

void TCoancestry::ComputeInbreeding() {
    pairs_.clear();
    pairs_.reserve(sires_.size() / 2);
    for (int animal = 0; animal < Size(); ++animal) {
        const int sire = sires_[animal], dam = dams_[animal];
        double f = 0.0;
        if (sire != kUnknown && dam != kUnknown && !UnrelatedFounderPair(sire, dam))
            f = OfPair(sire, dam);
        inbreeding_[animal] = f;
        variance_[animal] = MendelianVariance(animal);
    }
}

// Marks a, b and all their ancestors, and counts for each how many of its
// offspring among them must hand their shares down before it.
void TCoancestry::CollectAncestors(int a, int b) {
    if (++walk_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        walk_ = 1;
    }
    stack_.clear();
    for (const int start : {a, b}) {
        if (seen_[start] != walk_) {
            seen_[start] = walk_;
            childrenLeft_[start] = 0;
            stack_.push_back(start);
        }
    }
    while (!stack_.empty()) {
        const int animal = stack_.back();
        stack_.pop_back();
        for (const int parent : {sires_[animal], dams_[animal]}) {
            if (parent == kUnknown)
                continue;
            if (seen_[parent] != walk_) {
                seen_[parent] = walk_;
                childrenLeft_[parent] = 0;
                stack_.push_back(parent);
            }
            ++childrenLeft_[parent];
        }
    }
}

double TCoancestry::OfPair(int sire, int dam) {
    if (sire == kUnknown || dam == kUnknown)
        return 0.0;
    const std::uint64_t key =
        (static_cast<std::uint64_t>(sire) << 32) | static_cast<std::uint32_t>(dam);
    const auto [entry, fresh] = pairs_.try_emplace(key, 0.0);
    if (fresh)
        entry->second = Of(sire, dam);
    return entry->second;
}

double TCoancestry::Of(int a, int b) {
    if (a == kUnknown || b == kUnknown)
        return 0.0;
    if (a == b)
        return 0.5 * (1.0 + inbreeding_[a]);
    CollectAncestors(a, b);
    shareA_[a] = 1.0;
    shareB_[b] = 1.0;
    ready_.clear();
    for (const int start : {a, b}) {
        if (childrenLeft_[start] == 0)
            ready_.push_back(start);
    }
    double relationship = 0.0;
    while (!ready_.empty()) {
        const int animal = ready_.back();
        ready_.pop_back();
        const double shareA = shareA_[animal], shareB = shareB_[animal];
        relationship += shareA * shareB * variance_[animal];
        for (const int parent : {sires_[animal], dams_[animal]}) {
            if (parent == kUnknown)
                continue;
            shareA_[parent] += 0.5 * shareA;
            shareB_[parent] += 0.5 * shareB;
            if (--childrenLeft_[parent] == 0)
                ready_.push_back(parent);
        }
        shareA_[animal] = 0.0;
        shareB_[animal] = 0.0;
    }
    return 0.5 * relationship;
}

double TCoancestry::Relationship(int a, int b) {
    if (a == kUnknown || b == kUnknown)
        return 0.0;
    const double denominator = std::sqrt((1.0 + inbreeding_[a]) * (1.0 + inbreeding_[b]));
    return 2.0 * Of(a, b) / denominator;
}

}  // namespace pedigree
