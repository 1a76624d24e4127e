#include "records/selection_texts.h"

#include "records/local_sql_text.h"

QString SelectionTextCondition(const QString& prefix, const QString& value) {
    return prefix + DoubledQuotes(value) + QLatin1Char('"');
}

QString SelectionDateRange(const QString& prefix, const QString& from, const QString& to) {
    return prefix + DoubledQuotes(from) + QStringLiteral("\" AND \"") + DoubledQuotes(to) +
           QLatin1Char('"');
}

QString SelectionMatingPeriod(const QString& from, const QString& to) {
    return QLatin1Char('(') +
           SelectionDateRange(QStringLiteral("Datum_kryti_1 BETWEEN \""), from, to) +
           QStringLiteral(" OR ") +
           SelectionDateRange(QStringLiteral("Datum_kryti_2 BETWEEN \""), from, to) +
           QStringLiteral(" OR ") +
           SelectionDateRange(QStringLiteral("Datum_kryti_3 BETWEEN \""), from, to) +
           QLatin1Char(')');
}
