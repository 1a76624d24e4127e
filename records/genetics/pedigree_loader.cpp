#include "records/genetics/pedigree_loader.h"

#include <QStringList>

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
    ReadCards(connection, builder);
    ReadPedigrees(connection, builder);
    return builder.Build();
}

}  // namespace pedigree
