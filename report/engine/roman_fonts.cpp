#include "report/engine/roman_fonts.h"

bool IsRomanFont(const QString& name) {
    return name.startsWith(QStringLiteral("Roman "));
}

int RomanCpi(const QString& name) {
    bool ok = false;
    const int cpi = name.mid(6).section(QLatin1Char('c'), 0, 0).toInt(&ok);
    return ok && cpi > 0 ? cpi : 10;
}
