#include "platform/store/catalogue_check.h"

#include <QStringList>
#include <map>

#include "platform/store/schema.h"
#include "platform/store/schema_upgrade.h"
#include "platform/store/sqlite_handle.h"

namespace platform {
namespace {

// How many differences a refusal names before it only counts the rest.
constexpr int kNamedDifferences = 3;

struct CatalogueEntry {
    QString type;
    QString table;
    QString sql;

    bool operator==(const CatalogueEntry&) const = default;
};

using Catalogue = std::map<QString, CatalogueEntry>;

// Objects SQLite itself makes, with the statements it always gives them.
const Catalogue& PlannerStatistics() {
    static const Catalogue statistics{
        {QStringLiteral("sqlite_stat1"),
         {QStringLiteral("table"), QStringLiteral("sqlite_stat1"),
          QStringLiteral("CREATE TABLE sqlite_stat1(tbl,idx,stat)")}},
        {QStringLiteral("sqlite_stat4"),
         {QStringLiteral("table"), QStringLiteral("sqlite_stat4"),
          QStringLiteral("CREATE TABLE sqlite_stat4(tbl,idx,neq,nlt,ndlt,sample)")}},
    };
    return statistics;
}

std::vector<std::pair<QString, CatalogueEntry>> ReadCatalogue(sqlite3* db) {
    Statement rows(db, QStringLiteral("SELECT name, type, tbl_name, sql FROM sqlite_master "
                                      "ORDER BY rowid"));
    std::vector<std::pair<QString, CatalogueEntry>> entries;
    const auto text = [&rows](int column) {
        const Value value = rows.Column(column);
        const auto* s = std::get_if<QString>(&value);
        return s != nullptr ? *s : QString();
    };
    while (rows.Step()) {
        entries.push_back({text(0), {text(1), text(2), text(3)}});
    }
    return entries;
}

// The catalogue of a new kennel database, made once in memory the way a new
// data folder is made.
const Catalogue& KennelCatalogue() {
    static const Catalogue catalogue = [] {
        Connection memory(QStringLiteral(":memory:"), Connection::Access::Create);
        for (const TableSchema& table : AllTableSchemas()) {
            for (const QString& statement : CreateStatements(table)) {
                memory.Execute(statement);
            }
        }
        Catalogue made;
        for (auto& [name, entry] : ReadCatalogue(memory.Raw())) {
            made.emplace(name, entry);
        }
        return made;
    }();
    return catalogue;
}

// Names in a foreign file may hold anything; a message shows them printable.
QString Shown(const QString& name) {
    QString shown;
    for (const QChar c : name.left(60)) {
        shown += c.isPrint() ? c : QChar(u'?');
    }
    return QStringLiteral("„%1“").arg(shown);
}

QString ExtraObject(const QString& name, const CatalogueEntry& entry) {
    if (entry.type == QLatin1String("trigger")) {
        return QStringLiteral("obsahuje navíc spoušť ") + Shown(name);
    }
    if (entry.type == QLatin1String("view")) {
        return QStringLiteral("obsahuje navíc pohled ") + Shown(name);
    }
    if (entry.type == QLatin1String("table")) {
        return QStringLiteral("obsahuje navíc tabulku ") + Shown(name);
    }
    if (entry.type == QLatin1String("index")) {
        return QStringLiteral("obsahuje navíc index ") + Shown(name);
    }
    return QStringLiteral("obsahuje navíc objekt %1 typu %2").arg(Shown(name), Shown(entry.type));
}

QString ChangedObject(const QString& name, const CatalogueEntry& expected) {
    return expected.type == QLatin1String("table")
               ? QStringLiteral("tabulka %1 má jiné sloupce nebo pravidla").arg(Shown(name))
               : QStringLiteral("index %1 je vymezen jinak").arg(Shown(name));
}

QString MissingObject(const QString& name, const CatalogueEntry& expected) {
    return expected.type == QLatin1String("table") ? QStringLiteral("chybí tabulka ") + Shown(name)
                                                   : QStringLiteral("chybí index ") + Shown(name);
}

// An older version's table lacks the columns added since: its statement is
// the one the schema makes without them.
bool IsOlderTable(const QString& name, const CatalogueEntry& entry) {
    if (entry.type != QLatin1String("table")) {
        return false;
    }
    const TableSchema* schema = FindTableSchema(name);
    return schema != nullptr && schema->sqlName == name &&
           !OlderCreateTableStatement(*schema).isEmpty() &&
           entry.sql == OlderCreateTableStatement(*schema);
}

QString Summary(const QStringList& differences) {
    QString text = differences.mid(0, kNamedDifferences).join(QStringLiteral("; "));
    if (differences.size() > kNamedDifferences) {
        text += QStringLiteral(" a %1 dalších rozdílů").arg(differences.size() - kNamedDifferences);
    }
    return text;
}

}  // namespace

QString CatalogueMismatch(sqlite3* db) {
    const Catalogue& kennel = KennelCatalogue();
    Catalogue unseen = kennel;
    QStringList differences;
    for (const auto& [name, entry] : ReadCatalogue(db)) {
        const auto statistics = PlannerStatistics().find(name);
        if (statistics != PlannerStatistics().end() && statistics->second == entry) {
            continue;
        }
        const auto expected = kennel.find(name);
        if (expected == kennel.end()) {
            differences << ExtraObject(name, entry);
            continue;
        }
        if (unseen.erase(name) == 0 ||
            (!(expected->second == entry) && !IsOlderTable(name, entry))) {
            differences << ChangedObject(name, expected->second);
        }
    }
    // An older version's database lacks what was added since; the program
    // adds it when it opens the database.
    for (const auto& [name, entry] : unseen) {
        if (!LaterObjectNames().contains(name)) {
            differences << MissingObject(name, entry);
        }
    }
    return Summary(differences);
}

}  // namespace platform
