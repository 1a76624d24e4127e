#pragma once
// Wright's inbreeding coefficients of every animal of a pedigree and the
// coancestry of any two, by the method of Meuwissen and Luo (1992): the
// relationship of two animals is the sum, over their common ancestors j, of
// L_aj · L_bj · d_j, where L_aj is the share of j's genes passed down to a
// (one half per generation, summed over every line) and d_j the Mendelian
// sampling variance of j (1 without known parents, 3/4 − F_p/4 with one,
// 1/2 − (F_s + F_d)/4 with both). It is exact over every known generation and
// costs one walk over the two animals' ancestors, without recursion.
//
// The pedigree is given as sire and dam numbers with parents numbered before
// their offspring (kUnknown for an unknown parent).

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace pedigree {

class TCoancestry {
  public:
    TCoancestry(std::vector<int> sires, std::vector<int> dams);

    int Size() const { return static_cast<int>(sires_.size()); }
    // F of every animal; full siblings share the figure of their parents' pair.
    // The pairs of one generation layer are walked on every processor.
    void ComputeInbreeding();
    double Inbreeding(int animal) const { return inbreeding_[animal]; }
    const std::vector<double>& AllInbreeding() const { return inbreeding_; }

    // The coancestry f of two animals: the inbreeding of their offspring.
    // Needs ComputeInbreeding() first; an unknown animal gives 0.
    double Of(int a, int b);
    // The coancestry of a sire and a dam, remembered per pair: the litters of
    // a kennel repeat the pairs of its animals' parents.
    double OfPair(int sire, int dam);
    // Wright's coefficient of relationship 2 f_ab / sqrt((1 + F_a)(1 + F_b)).
    double Relationship(int a, int b);

  private:
    // The scratch of one walk over two animals' ancestors, kept between
    // walks so a walk allocates nothing; each thread of ComputeInbreeding
    // has its own.
    struct TWalk {
        std::vector<double> shareA, shareB;
        std::vector<int> childrenLeft, stack, ready;
        std::vector<std::uint32_t> seen;
        std::uint32_t number = 0;
        explicit TWalk(std::size_t animals);
    };

    // The coancestry of a and b; reads only what earlier animals settled.
    double Walk(TWalk& walk, int a, int b) const;
    void CollectAncestors(TWalk& walk, int a, int b) const;
    // The animals by depth: each after both its parents, so the animals of
    // one layer need only the figures of the layers before.
    std::vector<std::vector<int>> Layers() const;
    // The coancestry of each pair (sire << 32 | dam), on several threads.
    std::vector<double> WalkPairs(const std::vector<std::uint64_t>& pairs);
    double MendelianVariance(int animal) const;
    void FindOnlyMates();
    bool UnrelatedFounderPair(int sire, int dam) const;

    std::vector<int> sires_, dams_;
    std::vector<double> inbreeding_, variance_;
    // For an animal whose offspring all have one other parent, that parent;
    // kUnknown without offspring, kSeveralMates otherwise.
    static constexpr int kSeveralMates = -2;
    std::vector<int> onlyMate_;
    TWalk walk_;                      // the walks of Of()
    std::vector<TWalk> threadWalks_;  // the other threads' of ComputeInbreeding
    std::unordered_map<std::uint64_t, double> pairs_;
};

}  // namespace pedigree
