#pragma once
// Czech text order for SQLite (ICU "cs"): "Čert" after "Cyril", "Ch" after
// "H". Texts ICU holds equal are ordered by their bytes, so equality stays
// exact and case-sensitive while the order is Czech.
//
// Also the LIKE of the store's dialect: case-sensitive, "_" one character,
// "%" any run of characters; an empty value and null are the same.

#include <sqlite3.h>

#include <QString>

namespace platform {

// Registers the collation "CZECH" and the function harvel_like(value, pattern)
// on the connection.
void RegisterCzechCollation(sqlite3* db);

// Compares two texts in Czech order (same rule as the SQLite collation).
int CompareCzech(const QString& a, const QString& b);

// The dialect's LIKE on two UTF-8 texts.
bool LikeMatches(const char* value, int valueLength, const char* pattern, int patternLength);

}  // namespace platform
