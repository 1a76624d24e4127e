#include "records/genetics/ancestor_reader.h"

#include <QSet>
#include <algorithm>

#include "platform/store/database.h"
#include "platform/store/reading_sql.h"
#include "platform/store/schema.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_statement.h"
#include "records/genetics/pedigree_loader.h"

namespace pedigree {
namespace {

// A server's tables always have their look-ups: the club's database is made
// whole by the program. A folder of an older version may lack them.
bool HasIndexesOf(platform::Database& database, const QString& tableFile) {
    if (database.IsServer()) {
        return true;
    }
    platform::Connection& connection = database.Handle();
    const platform::TableSchema* table = platform::FindTableSchema(tableFile);
    platform::Statement exists(
        connection.Raw(),
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?1"));
    for (const platform::IndexSchema& index : table->indexes) {
        exists.Reset();
        exists.Bind(1, platform::Value(platform::IndexName(*table, index)));
        if (!exists.Step()) {
            return false;
        }
    }
    return true;
}

// A condition that the pedigree place names an animal.
QString NamedParent(int place) {
    return QStringLiteral("trim(%1) <> ''").arg(platform::QuoteIdentifier(PlaceField(place)));
}

// The parents a row gives the animal `name` wherever it stands in the row
// (places 1..15), handed to `visit` as (sire, dam).
template <typename Visit>
void ParentsInRow(const TPedigreeRowNames& row, const QString& name, Visit visit) {
    if (row[kFirstPlace].trimmed().isEmpty()) {
        return;  // the graph builder ignores a row without its animal
    }
    for (int place = kFirstPlace; place <= kPlacesWithParents; ++place) {
        if (row[place].trimmed() == name) {
            visit(row[SirePlace(place)], row[DamPlace(place)]);
        }
    }
}

}  // namespace

TAncestorReader::TAncestorReader(platform::Database& database) : database_(database) {
    canRead_ = HasIndexesOf(database_, QStringLiteral("main_card.db")) &&
               HasIndexesOf(database_, QStringLiteral("rodokmen.db"));
    if (!canRead_) {
        return;
    }
    card_ = std::make_unique<platform::StoreStatement>(
        database_, QStringLiteral("SELECT rowid, Jmeno_registr, Otec, Matka, Pohlavi FROM "
                                  "main_card WHERE Jmeno_registr = ?1"));
    QStringList columns;
    for (int place = kFirstPlace; place <= kLastPlace; ++place) {
        columns << platform::QuoteIdentifier(PlaceField(place));
    }
    if (database_.IsServer()) {
        cardsByNames_ = std::make_unique<platform::StoreStatement>(
            database_, QStringLiteral("SELECT rowid, Jmeno_registr, Otec, Matka, Pohlavi FROM "
                                      "main_card WHERE Jmeno_registr = ANY(?1::text[]) "
                                      "ORDER BY rowid"));
    }
    pedigree_ = std::make_unique<platform::StoreStatement>(
        database_,
        QStringLiteral("SELECT %1 FROM rodokmen WHERE rowid = ?1").arg(columns.join(',')));
    asParent_ = std::make_unique<platform::StoreStatement>(
        database_, QStringLiteral("SELECT 1 FROM main_card WHERE Otec = ?1 OR Matka = ?1 LIMIT 1"));
    QStringList anyPlace;
    for (int place = kFirstPlace; place <= kLastPlace; ++place) {
        anyPlace << QStringLiteral("%1 = ?1").arg(platform::QuoteIdentifier(PlaceField(place)));
    }
    // A walk of the stored pedigrees: asked only for an animal asked about
    // that no source gives parents or a record sheet.
    inPedigree_ = std::make_unique<platform::StoreStatement>(
        database_,
        QStringLiteral("SELECT 1 FROM rodokmen WHERE trim(Jmeno_registr) <> '' AND (%1) LIMIT 1")
            .arg(anyPlace.join(QStringLiteral(" OR "))));
    // Only rows naming a parent of the animal can give it one. The rows come
    // in row order (the file's index gives them so; the server is told).
    QStringList byPlace;
    for (int place = kFirstPlace; place <= kPlacesWithParents; ++place) {
        byPlace << QStringLiteral("(%1 = ?1 AND (%2 OR %3))")
                       .arg(platform::QuoteIdentifier(PlaceField(place)),
                            NamedParent(SirePlace(place)), NamedParent(DamPlace(place)));
    }
    const auto rowsWhere = [this](const QString& condition) {
        pedigreesByPlace_.push_back(std::make_unique<platform::StoreStatement>(
            database_,
            QStringLiteral("SELECT rowid FROM rodokmen WHERE %1 ORDER BY rowid").arg(condition)));
    };
    if (database_.IsServer()) {
        // One round trip for every place: the server merges the look-ups of
        // the places' indexes itself.
        rowsWhere(byPlace.join(QStringLiteral(" OR ")));
    } else {
        // One look-up per place, merged here and read only as far as needed.
        for (const QString& condition : byPlace) {
            rowsWhere(condition);
        }
    }
}

TAncestorReader::~TAncestorReader() = default;

const std::optional<TAncestorReader::Card>& TAncestorReader::CardOf(const QString& name) {
    const auto found = cards_.find(name);
    if (found != cards_.end()) {
        return found->second;
    }
    std::optional<Card> card;
    card_->Reset();
    card_->Bind(1, platform::Value(name));
    if (card_->Step()) {
        card = Card{card_->Int(0), card_->Text(1), card_->Text(2), card_->Text(3), card_->Text(4)};
    }
    return cards_.emplace(name, std::move(card)).first->second;
}

// On a server, the record sheets of the animal and of every animal waiting
// to be read come in one round trip: a deep pedigree costs a look-up per
// wave of ancestors rather than one per ancestor.
void TAncestorReader::ReadCardsAhead(const QString& animal, const std::vector<QString>& pending) {
    if (!cardsByNames_ || cards_.count(animal) != 0) {
        return;
    }
    QStringList names{animal};
    for (const QString& name : pending) {
        if (cards_.count(name) == 0) {
            names << name;
        }
    }
    cardsByNames_->Reset();
    cardsByNames_->Bind(1, platform::Value(platform::ServerTextArray(names)));
    while (cardsByNames_->Step()) {
        // The first record sheet of a name, as the single look-up gives it.
        const QString name = cardsByNames_->Text(1);
        cards_.try_emplace(name, Card{cardsByNames_->Int(0), name, cardsByNames_->Text(2),
                                      cardsByNames_->Text(3), cardsByNames_->Text(4)});
    }
    cardsByNames_->Reset();
    for (const QString& name : names) {
        cards_.try_emplace(name, std::nullopt);
    }
}

// The rows naming the animal come from one look-up per place, each in row
// order; they are merged in row order and read only until a row naming a
// sire and one naming a dam have come, so an animal named in thousands of
// pedigrees costs the few rows that give its parents.
const std::vector<qint64>& TAncestorReader::PedigreesOf(const QString& name) {
    const auto found = pedigreesOf_.find(name);
    if (found != pedigreesOf_.end()) {
        return found->second;
    }
    std::vector<std::pair<qint64, platform::StoreStatement*>> heads;
    const auto advance = [&heads](platform::StoreStatement* byPlace) {
        if (byPlace->Step()) {
            heads.emplace_back(byPlace->Int(0), byPlace);
        }
    };
    for (const auto& byPlace : pedigreesByPlace_) {
        byPlace->Reset();
        byPlace->Bind(1, platform::Value(name));
        advance(byPlace.get());
    }
    std::vector<qint64> rows;
    bool sireNamed = false, damNamed = false;
    while (!heads.empty() && !(sireNamed && damNamed)) {
        const auto first = std::min_element(heads.begin(), heads.end());
        const auto [row, byPlace] = *first;
        heads.erase(first);
        advance(byPlace);
        if (!rows.empty() && rows.back() == row) {
            continue;  // the animal stands at two places of the row
        }
        rows.push_back(row);
        ParentsInRow(Pedigree(row), name, [&](const QString& sire, const QString& dam) {
            sireNamed = sireNamed || !sire.trimmed().isEmpty();
            damNamed = damNamed || !dam.trimmed().isEmpty();
        });
    }
    return pedigreesOf_.emplace(name, std::move(rows)).first->second;
}

const TPedigreeRowNames& TAncestorReader::Pedigree(qint64 row) {
    const auto found = pedigrees_.find(row);
    if (found != pedigrees_.end()) {
        return found->second;
    }
    TPedigreeRowNames names;
    pedigree_->Reset();
    pedigree_->Bind(1, platform::Value(static_cast<std::int64_t>(row)));
    if (pedigree_->Step()) {
        for (int place = kFirstPlace; place <= kLastPlace; ++place) {
            names[place] = pedigree_->Text(place - 1);
        }
    }
    return pedigrees_.emplace(row, std::move(names)).first->second;
}

// Whether a record sheet names the animal as a parent or a stored pedigree
// names it anywhere (where no row gives it parents).
bool TAncestorReader::NamedAnywhere(const QString& name) {
    for (platform::StoreStatement* statement : {asParent_.get(), inPedigree_.get()}) {
        statement->Reset();
        statement->Bind(1, platform::Value(name));
        if (statement->Step()) {
            return true;
        }
    }
    return false;
}

// Every look-up is put back when a reading ends, so none holds the
// database's snapshot open between readings.
void TAncestorReader::ResetLookUps() {
    if (!canRead_) {
        return;
    }
    for (const auto* statement : {&card_, &pedigree_, &asParent_, &inPedigree_}) {
        (*statement)->Reset();
    }
    for (const auto& byPlace : pedigreesByPlace_) {
        byPlace->Reset();
    }
}

TPedigreeGraph TAncestorReader::Read(const QStringList& names,
                                     const std::vector<TPedigreeRowNames>& preferred) {
    struct ResetAtEnd {
        TAncestorReader& reader;
        ~ResetAtEnd() { reader.ResetLookUps(); }
    } resetAtEnd{*this};
    if (!canRead_) {
        return LoadPedigreeGraph(database_, preferred);
    }
    QSet<QString> met, asked;
    std::vector<QString> pending;
    const auto meet = [&](const QString& name) {
        const QString trimmed = name.trimmed();
        if (!trimmed.isEmpty() && !met.contains(trimmed)) {
            met.insert(trimmed);
            pending.push_back(trimmed);
        }
    };
    for (const QString& name : names) {
        meet(name);
        asked.insert(name.trimmed());
    }
    std::vector<const Card*> cards;
    std::vector<qint64> pedigreeRows;
    QStringList parentsOnly;  // asked for, named by no source read
    while (!pending.empty()) {
        const QString animal = pending.back();
        pending.pop_back();
        const size_t cardsBefore = cards.size(), rowsBefore = pedigreeRows.size();
        bool sireNamed = false, damNamed = false;
        const auto parents = [&](const QString& sire, const QString& dam) {
            sireNamed = sireNamed || !sire.trimmed().isEmpty();
            damNamed = damNamed || !dam.trimmed().isEmpty();
            meet(sire);
            meet(dam);
        };
        for (const TPedigreeRowNames& row : preferred) {
            ParentsInRow(row, animal, parents);
        }
        ReadCardsAhead(animal, pending);
        if (const std::optional<Card>& card = CardOf(animal)) {
            cards.push_back(&*card);
            parents(card->sire, card->dam);
        }
        // The first rows naming a sire and a dam give them; later ones
        // could only name others, which the graph would not use. An animal
        // whose record sheet names both needs no look-up of them at all.
        if (!(sireNamed && damNamed)) {
            for (const qint64 row : PedigreesOf(animal)) {
                if (sireNamed && damNamed) {
                    break;
                }
                pedigreeRows.push_back(row);
                ParentsInRow(Pedigree(row), animal, parents);
            }
        }
        const bool unread = cards.size() == cardsBefore && pedigreeRows.size() == rowsBefore &&
                            !sireNamed && !damNamed;
        if (unread && asked.contains(animal) && NamedAnywhere(animal)) {
            parentsOnly << animal;
        }
    }
    std::sort(cards.begin(), cards.end(),
              [](const Card* a, const Card* b) { return a->row < b->row; });
    std::sort(pedigreeRows.begin(), pedigreeRows.end());
    pedigreeRows.erase(std::unique(pedigreeRows.begin(), pedigreeRows.end()), pedigreeRows.end());

    TPedigreeGraphBuilder builder;
    for (const TPedigreeRowNames& row : preferred) {
        builder.AddPedigree(row);
    }
    for (const Card* card : cards) {
        builder.AddCard(card->name, card->sire, card->dam, card->sex);
    }
    for (const qint64 row : pedigreeRows) {
        builder.AddPedigree(Pedigree(row));
    }
    for (const QString& name : parentsOnly) {
        builder.AddName(name);
    }
    return builder.Build();
}

TPedigreeGraph LoadAncestorGraph(platform::Database& database, const QStringList& names,
                                 const std::vector<TPedigreeRowNames>& preferred) {
    return TAncestorReader(database).Read(names, preferred);
}

}  // namespace pedigree
