#include "records/genetics/pedigree_loader.h"

#include <QStringList>
#include <cstdint>

#include "platform/store/database.h"
#include "platform/store/schema.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_statement.h"

namespace pedigree {
namespace {

// The page cache of a connection kept small while a whole table is scanned:
// every page is read once, so a large cache would only hold pages that are
// never read again (64 MB of them at a million record sheets). The former
// size is given back afterwards, which frees what the scan cached beyond it.
class SmallCacheWhileScanning {
  public:
    explicit SmallCacheWhileScanning(platform::Connection& connection)
        : connection_(connection), formerSize_(CacheSize(connection)) {
        SetCacheSize(connection_, -kScanCacheKiB);
    }
    // Also runs while a failed read unwinds, so it must not throw itself; a
    // size that cannot be given back leaves only the small cache.
    ~SmallCacheWhileScanning() {
        try {
            SetCacheSize(connection_, formerSize_);
        } catch (...) {
        }
    }
    SmallCacheWhileScanning(const SmallCacheWhileScanning&) = delete;
    SmallCacheWhileScanning& operator=(const SmallCacheWhileScanning&) = delete;

  private:
    static constexpr std::int64_t kScanCacheKiB = 2048;

    static std::int64_t CacheSize(platform::Connection& connection) {
        platform::Statement size(connection.Raw(), QStringLiteral("PRAGMA cache_size"));
        return size.Step() ? size.ColumnInt(0) : -kScanCacheKiB;
    }
    static void SetCacheSize(platform::Connection& connection, std::int64_t size) {
        connection.Execute(QStringLiteral("PRAGMA cache_size=%1").arg(size));
    }

    platform::Connection& connection_;
    std::int64_t formerSize_;
};

void ReadCards(platform::Database& database, TPedigreeGraphBuilder& builder) {
    platform::StoreStatement cards(
        database, QStringLiteral("SELECT Jmeno_registr, Otec, Matka, Pohlavi FROM main_card"),
        platform::StoreStatement::Reading::Scan);
    while (cards.Step()) {
        builder.AddCard(cards.Text(0), cards.Text(1), cards.Text(2), cards.Text(3));
    }
}

void ReadPedigrees(platform::Database& database, TPedigreeGraphBuilder& builder) {
    QStringList columns;
    for (int place = kFirstPlace; place <= kLastPlace; ++place) {
        columns << platform::QuoteIdentifier(PlaceField(place));
    }
    platform::StoreStatement rows(database,
                                  QStringLiteral("SELECT %1 FROM rodokmen").arg(columns.join(',')),
                                  platform::StoreStatement::Reading::Scan);
    TPedigreeRowNames row;
    while (rows.Step()) {
        for (int place = kFirstPlace; place <= kLastPlace; ++place) {
            row[place] = rows.Text(place - 1);
        }
        builder.AddPedigree(row);
    }
}

void ReadWholeGraph(platform::Database& database, TPedigreeGraphBuilder& builder) {
    ReadCards(database, builder);
    ReadPedigrees(database, builder);
}

}  // namespace

TPedigreeGraph LoadPedigreeGraph(platform::Database& database,
                                 const std::vector<TPedigreeRowNames>& preferred) {
    TPedigreeGraphBuilder builder;
    for (const TPedigreeRowNames& row : preferred) {
        builder.AddPedigree(row);
    }
    if (database.IsServer()) {
        ReadWholeGraph(database, builder);
    } else {
        const SmallCacheWhileScanning smallCache(database.Handle());
        ReadWholeGraph(database, builder);
    }
    return builder.Build();
}

}  // namespace pedigree
