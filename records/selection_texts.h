#pragma once
// The three forms of a special selection's condition text:
//   text        prefix, the field's text, one double quote
//               (LEKAR =" + Dr. Novák + " gives LEKAR ="Dr. Novák")
//   date range  prefix, the from-date, " AND ", the to-date, one double quote
//               (Datum BETWEEN " + 1.1.2026 ... gives Datum BETWEEN "1.1.2026" AND "31.12.2026")
//   fixed       the whole text as given
// and the mating period, whose three dates each may lie in the period:
//   (Datum_kryti_1 BETWEEN "a" AND "b" OR Datum_kryti_2 ... OR Datum_kryti_3 ...)
// Field texts go in untrimmed; a double quote typed into a field is doubled,
// so the store reads it as part of the value.

#include <QString>

QString SelectionTextCondition(const QString& prefix, const QString& value);
QString SelectionDateRange(const QString& prefix, const QString& from, const QString& to);
QString SelectionMatingPeriod(const QString& from, const QString& to);
