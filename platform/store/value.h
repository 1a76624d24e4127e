#pragma once
// A column value as the store keeps it in SQLite: nothing (null), a whole
// number, a float, a text or bytes. Dates live as ISO texts (yyyy-MM-dd),
// booleans as 0/1; fields convert to the caller's types.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

namespace platform {

using Value = std::variant<std::monostate, std::int64_t, double, QString, QByteArray>;
using Row = std::vector<Value>;

inline bool IsNullValue(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

// Exact equality (same kind and same content); used by Locate and change detection.
bool SameValue(const Value& a, const Value& b);

}  // namespace platform
