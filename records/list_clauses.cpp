#include "records/list_clauses.h"

#include <QStringList>

#include "app/print_sources.h"
#include "records/local_sql_text.h"

namespace {

const QString kAnd = QStringLiteral(" AND ");

QString RangePart(const QString& column, const TFilterRange& range) {
    return column + QStringLiteral(" BETWEEN ") + LocalSqlText(range.from) + kAnd +
           LocalSqlText(range.to);
}

QString YesNoPart(const QString& column, bool yes) {
    return column + (yes ? QStringLiteral(" = TRUE") : QStringLiteral(" = False"));
}

}  // namespace

const QList<TSortChoice>& BasicSortChoices() {
    static const QList<TSortChoice> choices = {
        {QString(), QString(), QString()},
        {QStringLiteral("Registrované jméno"), QStringLiteral("Jmeno_registr"), QString()},
        {QStringLiteral("Plemeno"), QStringLiteral("Plemeno"), QString()},
        {QStringLiteral("Otec"), QStringLiteral("Otec"), QString()},
        {QStringLiteral("Matka"), QStringLiteral("Matka"), QString()},
    };
    return choices;
}

QString BuildOrderClause(const TSortLevels& levels, const QList<TSortChoice>& choices) {
    QStringList terms;
    for (const TSortLevel& level : levels) {
        if (level.column <= scNone || level.column >= choices.size()) {
            continue;
        }
        const QString& column = choices.at(level.column).column;
        terms << column + (level.ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    }
    return terms.join(QLatin1Char(','));
}

QString RecordSheetColumnPrefix(int source) {
    return source == tzEvidencniListy ? QString() : QStringLiteral("Main_card.");
}

QString FilterRowParts(const TListFilter& filter, const QString& prefix) {
    QString parts;
    const std::pair<const TFilterRange*, const char*> ranges[] = {
        {&filter.name, "Jmeno_registr"}, {&filter.breed, "Plemeno"},  {&filter.sire, "Otec"},
        {&filter.dam, "Matka"},          {&filter.born, "Datum_nar"},
    };
    for (const auto& [range, column] : ranges) {
        if (range->active) {
            parts += RangePart(prefix + QString::fromLatin1(column), *range) + kAnd;
        }
    }
    if (filter.sexActive) {
        parts += prefix + QStringLiteral("Pohlavi = ") + LocalSqlText(filter.sex) + kAnd;
    }
    if (filter.ownBreedingActive) {
        parts += YesNoPart(prefix + QStringLiteral("Vlast_odchov"), filter.ownBreeding) + kAnd;
    }
    if (filter.ownedActive) {
        parts += YesNoPart(prefix + QStringLiteral("Vlastnictvi"), filter.owned) + kAnd;
    }
    return parts;
}

QString FinishFilterClause(const QString& parts) {
    if (parts.isEmpty()) {
        return QString();
    }
    return parts.left(parts.size() - 4);
}
