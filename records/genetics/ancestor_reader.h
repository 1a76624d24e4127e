#pragma once
// Reads the pedigree graph of a few animals and their ancestors only, through
// indexed look-ups of each animal's record sheet and of the stored pedigrees
// that name it, instead of the whole kennel (pedigree_loader.h). The sources
// are given to the graph builder in the order the whole kennel's reading has
// (preferred rows, record sheets, stored pedigrees, each by row), so every
// ancestor gets the parents it has in the whole kennel's graph.
//
// Stored pedigrees are read for an animal only while its record sheet (or a
// preferred row) and the rows before leave a parent unnamed: a later source
// never replaces a named parent, it would only be reported as naming another
// one. The faults reported are those met among the sources read.
//
// Look-ups already made are kept, so asking again about animals met before
// costs no reading; the reader reads the database as it was then.

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "records/genetics/pedigree_graph.h"

namespace platform {
class Database;
class StoreStatement;
}  // namespace platform

namespace pedigree {

class TAncestorReader {
  public:
    explicit TAncestorReader(platform::Database& database);
    ~TAncestorReader();

    // Whether the database has the look-ups of the stored pedigrees by
    // animal (a data folder of an older version opened only for reading may
    // lack them until the program opens it for writing).
    bool CanRead() const { return canRead_; }

    // The graph of the named animals and all their ancestors; `preferred`
    // rows (a pedigree being edited) count before everything else. Without
    // the look-ups, the whole kennel's graph.
    TPedigreeGraph Read(const QStringList& names,
                        const std::vector<TPedigreeRowNames>& preferred = {});

  private:
    struct Card {
        qint64 row = 0;
        QString name, sire, dam, sex;
    };
    const std::optional<Card>& CardOf(const QString& name);
    void ReadCardsAhead(const QString& animal, const std::vector<QString>& pending);
    const std::vector<qint64>& PedigreesOf(const QString& name);
    const TPedigreeRowNames& Pedigree(qint64 row);
    bool NamedAnywhere(const QString& name);
    void ResetLookUps();

    platform::Database& database_;
    bool canRead_ = false;
    std::unique_ptr<platform::StoreStatement> card_, pedigree_, asParent_, inPedigree_;
    std::unique_ptr<platform::StoreStatement> cardsByNames_;  // on a server only
    std::vector<std::unique_ptr<platform::StoreStatement>> pedigreesByPlace_;
    // Node-based, so the graph's reading may hold on to what they keep.
    std::unordered_map<QString, std::optional<Card>> cards_;
    std::unordered_map<QString, std::vector<qint64>> pedigreesOf_;
    std::map<qint64, TPedigreeRowNames> pedigrees_;
};

// The same with a reader of its own.
TPedigreeGraph LoadAncestorGraph(platform::Database& database, const QStringList& names,
                                 const std::vector<TPedigreeRowNames>& preferred = {});

}  // namespace pedigree
