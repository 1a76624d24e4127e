#pragma once
// The rows of a query result packed into one buffer: a tag byte per value
// followed by its bytes. A 200,000-row result costs its data size, not a
// heap object per value.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/store/value.h"

struct sqlite3_stmt;

namespace platform {

class RowStore {
  public:
    void Clear();
    // Appends the current row of a stepped statement (all its columns).
    void AppendFrom(sqlite3_stmt* statement, int columns);
    // Appends a row of values (a server's result, decoded).
    void Append(const Row& values);
    std::size_t Size() const { return offsets_.size(); }
    void Read(std::size_t row, Row& out) const;
    // One value; reading a row's columns left to right costs one step each,
    // not a walk from the row's start (a list of 57 columns read cell by
    // cell). Not for several threads at once.
    Value ReadValue(std::size_t row, int column) const;

  private:
    const char* Skip(const char* p) const;
    Value Decode(const char* p) const;

    const char* RowStart(std::size_t row) const;
    void KeepScratchRow();  // moves the encoded row into a block

    // Rows live in blocks of a few megabytes, so a growing result is never
    // copied as a whole; a row is addressed as (block << 32) | offset.
    std::vector<std::string> blocks_;
    std::string scratch_;
    std::vector<std::uint64_t> offsets_;
    int columns_ = 0;
    // Where the last ReadValue found its column, the start of a later one.
    // A copy or a moved store starts afresh: the place is in this buffer.
    struct ReadPlace {
        std::size_t row = SIZE_MAX;
        int column = 0;
        const char* at = nullptr;
        ReadPlace() = default;
        ReadPlace(const ReadPlace&) {}
        ReadPlace& operator=(const ReadPlace& other) {
            if (this != &other) {
                row = SIZE_MAX;
            }
            return *this;
        }
    };
    mutable ReadPlace last_;
};

}  // namespace platform
