#include "records/local_sql_text.h"

QString DoubledQuotes(const QString& value) {
    QString doubled = value;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return doubled;
}

QString LocalSqlText(const QString& value) {
    return QLatin1Char('"') + DoubledQuotes(value) + QLatin1Char('"');
}
