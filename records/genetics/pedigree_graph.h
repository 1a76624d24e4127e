#pragma once
// The kennel's pedigree graph: every animal named anywhere (record sheets,
// stored pedigrees) once, by its registered name trimmed of blanks, with
// links to its sire and dam. Animals are numbered so that parents come
// before their offspring, which lets every computation over the graph walk
// it in plain loops without recursion, whatever the depth.
//
// Faulty links are reported, not followed: an animal that is its own parent
// or its own ancestor (a loop), the same animal as sire and dam, an animal
// used both as a sire and as a dam, two sources naming different parents.
// The link that closes a loop is left out, so the rest of the graph stays usable.

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "records/genetics/pedigree_positions.h"

namespace pedigree {

inline constexpr int kUnknown = -1;

enum class TProblemKind {
    pkLoop,           // an animal among its own ancestors
    pkOwnParent,      // an animal named as its own sire or dam
    pkSameParents,    // one animal named as both sire and dam
    pkBothSexes,      // one animal used as a sire and as a dam, or against its card's sex
    pkParentConflict  // two sources name different parents
};

struct TPedigreeProblem {
    TProblemKind kind;
    QString text;       // the Czech report shown to the user
    QStringList names;  // the animals concerned (for a loop: the loop in order)
};

class TPedigreeGraph {
  public:
    int Size() const { return static_cast<int>(names_.size()); }
    // The animal of a registered name (trimmed, exact), kUnknown when none.
    int Find(const QString& name) const;
    const QString& Name(int animal) const { return names_[animal]; }
    int Sire(int animal) const { return sires_[animal]; }
    int Dam(int animal) const { return dams_[animal]; }
    const std::vector<int>& Sires() const { return sires_; }
    const std::vector<int>& Dams() const { return dams_; }
    // Whether the animal has a record sheet, and whether that sheet says "Pes".
    bool HasCard(int animal) const { return flags_[animal] & kCard; }
    bool IsMaleCard(int animal) const { return flags_[animal] & kMale; }
    const std::vector<TPedigreeProblem>& Problems() const { return problems_; }

  private:
    friend class TPedigreeGraphBuilder;
    static constexpr unsigned char kCard = 1, kMale = 2;
    std::vector<QString> names_;
    std::vector<int> sires_, dams_;
    std::vector<unsigned char> flags_;
    QHash<QString, int> index_;
    std::vector<TPedigreeProblem> problems_;
};

// The names of one stored pedigree row by place (index 1..31; 0 unused).
using TPedigreeRowNames = std::array<QString, kLastPlace + 1>;

// Collects parent links from the sources and builds the graph. A source added
// earlier wins: a later one naming another parent for the same animal is
// reported and its link is not used.
class TPedigreeGraphBuilder {
  public:
    TPedigreeGraphBuilder();
    // One record sheet: its name, sire, dam and sex ("Pes" / "Fena").
    void AddCard(const QString& name, const QString& sire, const QString& dam, const QString& sex);
    // One stored pedigree row: each of places 1..15 with its sire and dam.
    void AddPedigree(const TPedigreeRowNames& row);
    // An animal no source gives parents or a record sheet (named only as a parent).
    void AddName(const QString& name) { Intern(name); }
    TPedigreeGraph Build();

  private:
    struct Node {
        QString name;
        int sire = kUnknown, dam = kUnknown;
        int sireSource = kUnknown,
            damSource = kUnknown;  // whose pedigree gave the link (kUnknown: a card)
        bool card = false, male = false, female = false;
    };
    int Intern(const QString& name);
    void Link(int child, int parent, bool sire, int source);
    QString SourceText(int source) const;
    void CheckOwnAndSameParents();
    void CheckSexes();
    std::vector<int> OrderParentsFirst();
    // Reports and breaks the loop above `start`; answers the animal whose link was dropped.
    int ReportLoop(std::vector<int>& pending, const std::vector<char>& placed, int start);
    void Report(TProblemKind kind, const QString& text, const QStringList& names);

    std::vector<Node> nodes_;
    QHash<QString, int> index_;
    std::vector<TPedigreeProblem> problems_;
};

}  // namespace pedigree
