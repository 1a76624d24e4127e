#pragma once
// The values of a record's fixed-size fields. Paradox stores numbers
// big-endian with the sign bit flipped, so that the bytes sort like the
// numbers; a field whose bytes are all zero is empty (null).
//
// What each kind gives as a QVariant (an invalid QVariant for null):
//   short, long, autoincrement -> qint64; number, money -> double;
//   logical -> bool; date -> QDate; time -> QTime; timestamp -> QDateTime;
//   BCD -> QString with the decimal number ("-12.50"); bytes -> QByteArray.

#include <QByteArrayView>
#include <QVariant>

#include "platform/paradox/field_kind.h"

namespace platform::paradox {

QVariant DecodeFixedField(const FieldInfo& field, QByteArrayView bytes);

// Day 1 of the Paradox calendar is 1 January of the year 1 (proleptic Gregorian).
QDate DateFromParadoxDays(qint64 days);

}  // namespace platform::paradox
