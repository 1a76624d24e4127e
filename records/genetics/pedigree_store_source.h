#pragma once
// The record sheets, stored pedigrees and titles of the database, read one
// animal at a time through prepared statements on the registered-name
// indexes, and kept once read: assembling the pedigrees of a litter asks for
// the same ancestors again and again.

#include <QHash>
#include <memory>

#include "records/genetics/pedigree_assembly.h"

namespace platform {
class Database;
class StoreStatement;
}  // namespace platform

namespace pedigree {

class TStoreAncestorSource : public TAncestorSource {
  public:
    explicit TStoreAncestorSource(platform::Database& database);
    ~TStoreAncestorSource() override;

    const TAncestorCard* Card(const QString& name) override;
    const TStoredPedigree* StoredPedigree(const QString& name) override;
    // The titles of the titles book, newest first, comma-separated.
    QString Titles(const QString& name);
    // The first photo of the photo album; empty when none.
    QByteArray Photo(const QString& name);

  private:
    std::unique_ptr<platform::StoreStatement> cards_, pedigrees_, titles_, photos_;
    QHash<QString, std::optional<TAncestorCard>> cardCache_;
    QHash<QString, std::optional<TStoredPedigree>> pedigreeCache_;
    QHash<QString, QString> titleCache_;
};

}  // namespace pedigree
