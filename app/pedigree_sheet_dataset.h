#pragma once
// The rows of the print source "Rodokmen z evidence": one row per animal of
// the record sheets chosen by a where and an order text (those of the list
// of record sheets), each with its pedigree of five generations assembled
// from the record sheets and the stored pedigrees.
//
// Columns: Jmeno_registr and the 62 ancestor places (SheetPlaceField); for
// the animal and every place P: TIT_P (titles, newest first), NAR_P (date of
// birth), BAR_P (colour), REG_P (register and its number), ZDR_P (the
// filled health fields as "DKK A, Pra neg"); then the animal's Plemeno,
// Pohlavi, Cip, Tetovaci_cislo, Chovatel, Majitel and Foto (the first
// picture of its photo album).

#include <QStringList>
#include <memory>
#include <vector>

#include "platform/store/dataset.h"

namespace pedigree {
class TStoreAncestorSource;
}

class TPedigreeSheetDataSet : public platform::DataSet {
  public:
    explicit TPedigreeSheetDataSet(platform::Database& database);
    ~TPedigreeSheetDataSet() override;

    // Chooses the animals: "Select * from Main_card" with the where and order
    // texts given, and assembles their pedigrees; an open set re-reads them.
    // Throws StoreError when the store refuses the clauses.
    void Select(const QString& order, const QString& where);
    // The animals chosen by name, in the order given.
    void SetAnimals(const QStringList& names);

    // The loops met while assembling, one report each, for the user to see.
    const QStringList& Problems() const { return problems_; }

    QString DisplayName() const override { return QStringLiteral("Rodokmen z evidence"); }
    bool IsQuery() const override { return true; }

  protected:
    std::vector<platform::ColumnSchema> DoOpen() override;
    void DoClose() override {}
    std::vector<RowId> LoadRowIds() override;
    void FetchRow(RowId id, platform::Row& out) override;
    std::vector<RowId> FindRows(const std::vector<int>& columns,
                                const std::vector<platform::Value>& values) override;

  private:
    void Assemble(const QStringList& names);

    std::unique_ptr<pedigree::TStoreAncestorSource> source_;
    std::vector<platform::Row> rows_;  // without the photo, read when a row is fetched
    QStringList problems_;
};

// The column names of the source in order.
QStringList PedigreeSheetColumns();
