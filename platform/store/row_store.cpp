#include "platform/store/row_store.h"

#include <sqlite3.h>

#include <cstring>

namespace platform {
namespace {

enum Tag : char { kNull = 0, kInteger = 1, kFloat = 2, kText = 3, kBlob = 4 };

template <typename T>
void Put(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
T Get(const char* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

}  // namespace

void RowStore::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    offsets_.clear();
    offsets_.shrink_to_fit();
}

void RowStore::AppendFrom(sqlite3_stmt* statement, int columns) {
    columns_ = columns;
    offsets_.push_back(data_.size());
    for (int i = 0; i < columns; ++i) {
        switch (sqlite3_column_type(statement, i)) {
            case SQLITE_INTEGER:
                data_.push_back(kInteger);
                Put(data_, static_cast<std::int64_t>(sqlite3_column_int64(statement, i)));
                break;
            case SQLITE_FLOAT:
                data_.push_back(kFloat);
                Put(data_, sqlite3_column_double(statement, i));
                break;
            case SQLITE_TEXT: {
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
                const auto length = static_cast<std::uint32_t>(sqlite3_column_bytes(statement, i));
                data_.push_back(kText);
                Put(data_, length);
                data_.append(text, length);
                break;
            }
            case SQLITE_BLOB: {
                const char* blob = static_cast<const char*>(sqlite3_column_blob(statement, i));
                const auto length = static_cast<std::uint32_t>(sqlite3_column_bytes(statement, i));
                data_.push_back(kBlob);
                Put(data_, length);
                if (length > 0) data_.append(blob, length);
                break;
            }
            default:
                data_.push_back(kNull);
        }
    }
}

const char* RowStore::Skip(const char* p) const {
    switch (*p) {
        case kInteger:
        case kFloat:
            return p + 1 + 8;
        case kText:
        case kBlob:
            return p + 1 + 4 + Get<std::uint32_t>(p + 1);
        default:
            return p + 1;
    }
}

Value RowStore::Decode(const char* p) const {
    switch (*p) {
        case kInteger:
            return Value(Get<std::int64_t>(p + 1));
        case kFloat:
            return Value(Get<double>(p + 1));
        case kText:
            return Value(QString::fromUtf8(p + 5, static_cast<qsizetype>(Get<std::uint32_t>(p + 1))));
        case kBlob:
            return Value(QByteArray(p + 5, static_cast<qsizetype>(Get<std::uint32_t>(p + 1))));
        default:
            return Value();
    }
}

void RowStore::Read(std::size_t row, Row& out) const {
    out.assign(static_cast<size_t>(columns_), Value());
    if (row >= offsets_.size()) return;
    const char* p = data_.data() + offsets_[row];
    for (int i = 0; i < columns_; ++i) {
        out[static_cast<size_t>(i)] = Decode(p);
        p = Skip(p);
    }
}

Value RowStore::ReadValue(std::size_t row, int column) const {
    if (row >= offsets_.size() || column < 0 || column >= columns_) return Value();
    const char* p = data_.data() + offsets_[row];
    for (int i = 0; i < column; ++i) p = Skip(p);
    return Decode(p);
}

}  // namespace platform
