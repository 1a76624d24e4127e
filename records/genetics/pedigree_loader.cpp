#include "records/genetics/pedigree_loader.h"

#include <QStringList>
#include <cstdint>

#include "platform/store/database.h"
#include "platform/store/schema.h"
#include "platform/store/sqlite_handle.h"

namespace pedigree {
namespace {

// The text of a result column without the store's value conversions: the
// graph reads hundreds of thousands of names at start.
QString ColumnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    if (text == nullptr) {
        return QString();
    }
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

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

void ReadCards(platform::Connection& connection, TPedigreeGraphBuilder& builder) {
    platform::Statement cards(connection.Raw(),
                              QStringLiteral("SELECT Jmeno_registr, Otec, Matka, Pohlavi FROM "
                                             "main_card"));
    sqlite3_stmt* raw = cards.Raw();
    while (cards.Step()) {
        builder.AddCard(ColumnText(raw, 0), ColumnText(raw, 1), ColumnText(raw, 2),
                        ColumnText(raw, 3));
    }
}

void ReadPedigrees(platform::Connection& connection, TPedigreeGraphBuilder& builder) {
    QStringList columns;
    for (int place = kFirstPlace; place <= kLastPlace; ++place) {
        columns << platform::QuoteIdentifier(PlaceField(place));
    }
    platform::Statement rows(connection.Raw(),
                             QStringLiteral("SELECT %1 FROM rodokmen").arg(columns.join(',')));
    sqlite3_stmt* raw = rows.Raw();
    TPedigreeRowNames row;
    while (rows.Step()) {
        for (int place = kFirstPlace; place <= kLastPlace; ++place) {
            row[place] = ColumnText(raw, place - 1);
        }
        builder.AddPedigree(row);
    }
}

}  // namespace

TPedigreeGraph LoadPedigreeGraph(platform::Database& database,
                                 const std::vector<TPedigreeRowNames>& preferred) {
    TPedigreeGraphBuilder builder;
    for (const TPedigreeRowNames& row : preferred) {
        builder.AddPedigree(row);
    }
    platform::Connection& connection = database.Handle();
    {
        const SmallCacheWhileScanning smallCache(connection);
        ReadCards(connection, builder);
        ReadPedigrees(connection, builder);
    }
    return builder.Build();
}

}  // namespace pedigree
