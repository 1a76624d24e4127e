#include "platform/store/row_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr std::size_t kBlockSize = 4u << 20;

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
    last_.row = SIZE_MAX;
    blocks_.clear();
    blocks_.shrink_to_fit();
    scratch_.clear();
    offsets_.clear();
    offsets_.shrink_to_fit();
}

const char* RowStore::RowStart(std::size_t row) const {
    const std::uint64_t at = offsets_[row];
    return blocks_[static_cast<size_t>(at >> 32)].data() + (at & 0xFFFFFFFFu);
}

void RowStore::AppendFrom(sqlite3_stmt* statement, int columns) {
    last_.row = SIZE_MAX;  // a block may move as it grows
    columns_ = columns;
    std::string& row = scratch_;  // the row is encoded here, then copied into a block
    row.clear();
    for (int i = 0; i < columns; ++i) {
        switch (sqlite3_column_type(statement, i)) {
            case SQLITE_INTEGER:
                row.push_back(kInteger);
                Put(row, static_cast<std::int64_t>(sqlite3_column_int64(statement, i)));
                break;
            case SQLITE_FLOAT:
                row.push_back(kFloat);
                Put(row, sqlite3_column_double(statement, i));
                break;
            case SQLITE_TEXT: {
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
                const auto length = static_cast<std::uint32_t>(sqlite3_column_bytes(statement, i));
                row.push_back(kText);
                Put(row, length);
                row.append(text, length);
                break;
            }
            case SQLITE_BLOB: {
                const char* blob = static_cast<const char*>(sqlite3_column_blob(statement, i));
                const auto length = static_cast<std::uint32_t>(sqlite3_column_bytes(statement, i));
                row.push_back(kBlob);
                Put(row, length);
                if (length > 0) {
                    row.append(blob, length);
                }
                break;
            }
            default:
                row.push_back(kNull);
        }
    }
    KeepScratchRow();
}

void RowStore::Append(const Row& values) {
    last_.row = SIZE_MAX;
    columns_ = static_cast<int>(values.size());
    std::string& row = scratch_;
    row.clear();
    for (const Value& value : values) {
        if (const auto* i = std::get_if<std::int64_t>(&value)) {
            row.push_back(kInteger);
            Put(row, *i);
        } else if (const auto* d = std::get_if<double>(&value)) {
            row.push_back(kFloat);
            Put(row, *d);
        } else if (const auto* text = std::get_if<QString>(&value)) {
            const QByteArray utf8 = text->toUtf8();
            row.push_back(kText);
            Put(row, static_cast<std::uint32_t>(utf8.size()));
            row.append(utf8.constData(), static_cast<size_t>(utf8.size()));
        } else if (const auto* bytes = std::get_if<QByteArray>(&value)) {
            row.push_back(kBlob);
            Put(row, static_cast<std::uint32_t>(bytes->size()));
            row.append(bytes->constData(), static_cast<size_t>(bytes->size()));
        } else {
            row.push_back(kNull);
        }
    }
    KeepScratchRow();
}

void RowStore::KeepScratchRow() {
    const std::string& row = scratch_;
    if (blocks_.empty() || blocks_.back().size() + row.size() > blocks_.back().capacity()) {
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(kBlockSize, row.size()));
    }
    std::string& block = blocks_.back();
    offsets_.push_back((static_cast<std::uint64_t>(blocks_.size() - 1) << 32) | block.size());
    block.append(row);
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
            return Value(
                QString::fromUtf8(p + 5, static_cast<qsizetype>(Get<std::uint32_t>(p + 1))));
        case kBlob:
            return Value(QByteArray(p + 5, static_cast<qsizetype>(Get<std::uint32_t>(p + 1))));
        default:
            return Value();
    }
}

void RowStore::Read(std::size_t row, Row& out) const {
    out.assign(static_cast<size_t>(columns_), Value());
    if (row >= offsets_.size()) {
        return;
    }
    const char* p = RowStart(row);
    for (int i = 0; i < columns_; ++i) {
        out[static_cast<size_t>(i)] = Decode(p);
        p = Skip(p);
    }
}

Value RowStore::ReadValue(std::size_t row, int column) const {
    if (row >= offsets_.size() || column < 0 || column >= columns_) {
        return Value();
    }
    const bool further = row == last_.row && column >= last_.column;
    const char* p = further ? last_.at : RowStart(row);
    for (int i = further ? last_.column : 0; i < column; ++i) {
        p = Skip(p);
    }
    last_.row = row;
    last_.column = column;
    last_.at = p;
    return Decode(p);
}

}  // namespace platform
