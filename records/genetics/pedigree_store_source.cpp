#include "records/genetics/pedigree_store_source.h"

#include <QStringList>

#include "platform/store/database.h"
#include "platform/store/schema.h"
#include "platform/store/store_statement.h"

namespace pedigree {
namespace {

QString Text(const platform::StoreStatement& statement, int column) {
    return statement.Text(column).trimmed();
}

QString PedigreeSelect() {
    QStringList columns;
    for (int place = kFirstPlace; place <= kLastPlace; ++place) {
        columns << platform::QuoteIdentifier(PlaceField(place));
    }
    for (int place = kFirstPlace; place <= kLastPlace; ++place) {
        columns << platform::QuoteIdentifier(PlaceTitleField(place));
    }
    // The first stored row of an animal, as the pedigree sheet shows it.
    return QStringLiteral("SELECT %1 FROM rodokmen WHERE Jmeno_registr = ?1 ORDER BY rowid LIMIT 1")
        .arg(columns.join(u','));
}

void BindName(platform::StoreStatement& statement, const QString& name) {
    statement.Reset();
    statement.Bind(1, platform::Value(name));
}

}  // namespace

TStoreAncestorSource::TStoreAncestorSource(platform::Database& database) {
    cards_ = std::make_unique<platform::StoreStatement>(
        database,
        QStringLiteral("SELECT Jmeno_registr, Otec, Matka, Datum_nar, Srst_barva, Registr, "
                       "Registr_Cislo, DKK, Luxace, Pra, Plemeno, Pohlavi, Tetovaci_cislo, "
                       "Chovatel, Majitel, Cip FROM main_card WHERE Jmeno_registr = ?1"));
    pedigrees_ = std::make_unique<platform::StoreStatement>(database, PedigreeSelect());
    titles_ = std::make_unique<platform::StoreStatement>(
        database, QStringLiteral("SELECT Titul_Jmeno FROM tituly WHERE Jmeno_Registr = ?1 "
                                 "ORDER BY Datum_Udeleni DESC, rowid DESC"));
    photos_ = std::make_unique<platform::StoreStatement>(
        database,
        QStringLiteral("SELECT Foto_1 FROM foto_album WHERE Jmeno_registr = ?1 AND Foto_1 IS "
                       "NOT NULL ORDER BY rowid LIMIT 1"));
}

TStoreAncestorSource::~TStoreAncestorSource() = default;

const TAncestorCard* TStoreAncestorSource::Card(const QString& name) {
    auto cached = cardCache_.find(name);
    if (cached == cardCache_.end()) {
        std::optional<TAncestorCard> card;
        BindName(*cards_, name);
        if (cards_->Step()) {
            const platform::StoreStatement& s = *cards_;
            card = TAncestorCard{Text(s, 0),  Text(s, 1),  Text(s, 2),  Text(s, 3),
                                 Text(s, 4),  Text(s, 5),  Text(s, 6),  Text(s, 7),
                                 Text(s, 8),  Text(s, 9),  Text(s, 10), Text(s, 11),
                                 Text(s, 12), Text(s, 13), Text(s, 14), std::nullopt};
            const platform::Value chip = s.Column(15);
            if (const auto* number = std::get_if<std::int64_t>(&chip)) {
                card->chip = *number;
            }
        }
        cached = cardCache_.insert(name, card);
    }
    return cached->has_value() ? &**cached : nullptr;
}

const TStoredPedigree* TStoreAncestorSource::StoredPedigree(const QString& name) {
    auto cached = pedigreeCache_.find(name);
    if (cached == pedigreeCache_.end()) {
        std::optional<TStoredPedigree> stored;
        BindName(*pedigrees_, name);
        if (pedigrees_->Step()) {
            stored.emplace();
            for (int place = kFirstPlace; place <= kLastPlace; ++place) {
                stored->names[static_cast<size_t>(place)] = Text(*pedigrees_, place - 1);
                stored->titles[static_cast<size_t>(place)] =
                    Text(*pedigrees_, kLastPlace + place - 1);
            }
        }
        cached = pedigreeCache_.insert(name, stored);
    }
    return cached->has_value() ? &**cached : nullptr;
}

QString TStoreAncestorSource::Titles(const QString& name) {
    auto cached = titleCache_.find(name);
    if (cached == titleCache_.end()) {
        QStringList titles;
        BindName(*titles_, name);
        while (titles_->Step()) {
            const QString title = Text(*titles_, 0);
            if (!title.isEmpty()) {
                titles << title;
            }
        }
        cached = titleCache_.insert(name, titles.join(QStringLiteral(", ")));
    }
    return *cached;
}

QByteArray TStoreAncestorSource::Photo(const QString& name) {
    BindName(*photos_, name);
    if (!photos_->Step()) {
        return QByteArray();
    }
    const platform::Value value = photos_->Column(0);
    const auto* bytes = std::get_if<QByteArray>(&value);
    return bytes ? *bytes : QByteArray();
}

}  // namespace pedigree
