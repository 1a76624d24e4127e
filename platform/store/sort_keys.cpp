#include "platform/store/sort_keys.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace platform {
namespace {

// Every encoded term is prefix-free (a fixed length or a terminating zero),
// so terms can follow one another and a descending term is its bytes inverted.
enum Tag : char { kNullTag = 1, kNumberTag = 2, kBytesTag = 3 };

void PutNumber(std::string& out, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = (bits & 0x8000000000000000ull) ? ~bits : bits ^ 0x8000000000000000ull;
    for (int shift = 56; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((bits >> shift) & 0xFF));
    }
}

void PutBytes(std::string& out, const unsigned char* data, int length) {
    // A Czech sort key already ends in its zero byte and holds no other; a
    // plain text (an ISO date) gets one. A zero inside a text would end it early,
    // which only shortens that text's key.
    const auto* text = reinterpret_cast<const char*>(data);
    const void* zero = length > 0 ? std::memchr(text, 0, static_cast<size_t>(length)) : nullptr;
    const size_t used = zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - text)
                                        : static_cast<size_t>(length);
    out.append(text, used);
    out.push_back('\0');
}

}  // namespace

void SortKeys::AppendFrom(sqlite3_stmt* statement, int first, const std::vector<OrderTerm>& terms) {
    starts_.push_back(arena_.size());
    for (size_t t = 0; t < terms.size(); ++t) {
        const int column = first + static_cast<int>(t);
        const size_t begin = arena_.size();
        switch (sqlite3_column_type(statement, column)) {
            case SQLITE_NULL:
                arena_.push_back(kNullTag);
                break;
            case SQLITE_INTEGER:
            case SQLITE_FLOAT:
                arena_.push_back(kNumberTag);
                PutNumber(arena_, sqlite3_column_double(statement, column));
                break;
            case SQLITE_TEXT: {
                const unsigned char* text = sqlite3_column_text(statement, column);
                arena_.push_back(kBytesTag);
                PutBytes(arena_, text, sqlite3_column_bytes(statement, column));
                break;
            }
            default: {
                const auto* blob =
                    static_cast<const unsigned char*>(sqlite3_column_blob(statement, column));
                arena_.push_back(kBytesTag);
                PutBytes(arena_, blob, sqlite3_column_bytes(statement, column));
            }
        }
        if (terms[t].descending) {
            for (size_t i = begin; i < arena_.size(); ++i) {
                arena_[i] = static_cast<char>(~arena_[i]);
            }
        }
    }
}

std::vector<std::int64_t> SortKeys::SortedRows() const {
    auto key = [this](std::int64_t row) {
        const size_t begin = starts_[static_cast<size_t>(row)];
        const size_t end = static_cast<size_t>(row) + 1 < starts_.size()
                               ? starts_[static_cast<size_t>(row) + 1]
                               : arena_.size();
        return std::string_view(arena_.data() + begin, end - begin);
    };
    std::vector<std::int64_t> rows(starts_.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i] = static_cast<std::int64_t>(i);
    }
    // string_view compares bytes as unsigned char, which is the order the keys are built for.
    std::stable_sort(rows.begin(), rows.end(),
                     [&](std::int64_t a, std::int64_t b) { return key(a) < key(b); });
    return rows;
}

void SortKeys::Clear() {
    arena_.clear();
    arena_.shrink_to_fit();
    starts_.clear();
    starts_.shrink_to_fit();
}

}  // namespace platform
