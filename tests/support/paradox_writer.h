#pragma once
// A small writer of Paradox tables (.DB and .MB) for the reader's tests and
// benchmarks: every field type, Paradox 3.0 to 7 headers, any code page
// number, blocks in a shuffled physical order, deleted records left behind in
// the blocks, free blocks outside the chain, memos in the leader, in
// sub-allocated and in single .MB blocks, graphics with or without the
// graphic header. It writes what the format descriptions say, independently
// of the reader, so a test can compare what comes back with what went in.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace paradox_writer {

enum Type : std::uint8_t {
    kAlpha = 0x01,
    kDate = 0x02,
    kShort = 0x03,
    kLong = 0x04,
    kMoney = 0x05,
    kNumber = 0x06,
    kLogical = 0x09,
    kMemo = 0x0C,
    kBinary = 0x0D,
    kFormattedMemo = 0x0E,
    kOle = 0x0F,
    kGraphic = 0x10,
    kTime = 0x14,
    kTimestamp = 0x15,
    kAutoIncrement = 0x16,
    kBcd = 0x17,
    kBytes = 0x18,
};

// size: characters of an alpha field, bytes of a bytes field, leader + 10 of a
// blob field, decimals of a BCD field; ignored for the fixed-size types.
struct Field {
    std::string name;  // in the table's code page
    std::uint8_t type = kAlpha;
    int size = 0;
};

struct Blob {
    enum Place { Auto, Leader, SingleBlock, SubAllocated };
    QByteArray data;  // bytes in the table's code page for memos
    Place place = Auto;
    bool graphicHeader = true;  // graphic fields: 01 00 00 01 + length before the picture
};

struct Bcd {
    std::string text;  // "-12.50"
};

using Value = std::variant<std::monostate, QByteArray, std::int64_t, double, bool, QDate, QTime,
                           QDateTime, Blob, Bcd>;
using Row = std::vector<Value>;

struct Table {
    std::vector<Field> fields;
    std::vector<Row> rows;
    // For large tables: rowCount rows made one at a time by rowAt (rows is then empty).
    std::size_t rowCount = 0;
    std::function<Row(std::size_t)> rowAt;
    int versionByte = 12;  // 3: Paradox 3.0, 4: 3.5, 5..9: 4.x, 10/11: 5.x, 12: 7
    int codePage = 1250;   // written into the data header (version 5 and later)
    int blockKilobytes = 2;
    int keyFields = 0;     // > 0 makes a keyed table (file type 0)
    int rowsPerBlock = 0;  // 0: as many as fit
    bool shuffleBlocks = false;
    int deletedSlotsPerBlock = 0;  // stale records left after each block's last record
    int freeBlocks = 0;            // blocks outside the chain, full of stale records
    std::uint32_t encryption = 0;
    std::string tableName = "table.db";
};

struct Files {
    QByteArray db;
    QByteArray mb;  // empty when the table has no blob field
};

namespace detail {

inline void Put16(QByteArray& b, qsizetype at, std::uint32_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(QByteArray& b, qsizetype at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}
inline void PutBig(char* at, std::uint64_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        at[i] = static_cast<char>(v & 0xFF);
        v >>= 8;
    }
}
inline int RecordBytes(const Field& f) {
    switch (f.type) {
        case kDate:
        case kLong:
        case kTime:
        case kAutoIncrement:
            return 4;
        case kShort:
            return 2;
        case kMoney:
        case kNumber:
        case kTimestamp:
            return 8;
        case kLogical:
            return 1;
        case kBcd:
            return 17;
        default:
            return f.size;
    }
}
inline bool IsBlob(std::uint8_t t) {
    return t == kMemo || t == kBinary || t == kFormattedMemo || t == kOle || t == kGraphic;
}
inline void PutDouble(char* at, double d) {
    std::uint64_t raw = 0;
    std::memcpy(&raw, &d, sizeof raw);
    raw = (raw & (std::uint64_t{1} << 63)) ? ~raw : raw | (std::uint64_t{1} << 63);
    PutBig(at, raw, 8);
}
inline std::int64_t Days(const QDate& d) {
    return d.toJulianDay() - 1721425;
}

inline void PutBcd(char* at, const std::string& text, int decimals) {
    const bool negative = !text.empty() && text[0] == '-';
    std::string digits = negative ? text.substr(1) : text;
    const auto point = digits.find('.');
    std::string integer = digits.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
    fraction.resize(static_cast<size_t>(decimals), '0');
    std::string all =
        std::string(static_cast<size_t>(32 - decimals) - integer.size(), '0') + integer + fraction;
    at[0] = static_cast<char>((negative ? 0x00 : 0x80) | decimals);
    for (int i = 0; i < 32; ++i) {
        int digit = all[static_cast<size_t>(i)] - '0';
        if (negative) {
            digit = 15 - digit;
        }
        const int nibble = i + 2;
        unsigned char& byte = reinterpret_cast<unsigned char&>(at[nibble / 2]);
        byte = nibble % 2 == 0 ? static_cast<unsigned char>((byte & 0x0F) | (digit << 4))
                               : static_cast<unsigned char>((byte & 0xF0) | digit);
    }
}

// The .MB file: a header block, then single blocks and sub-allocated blocks.
class BlobWriter {
  public:
    BlobWriter() {
        mb_ = QByteArray(4096, '\0');
        mb_[0] = 0;
        Put16(mb_, 1, 1);
    }

    std::uint32_t AddSingle(const QByteArray& data) {
        const qsizetype at = mb_.size();
        const qsizetype chunks = (9 + data.size() + 4095) / 4096;
        mb_.append(QByteArray(chunks * 4096, '\0'));
        mb_[at] = 2;
        Put16(mb_, at + 1, static_cast<std::uint32_t>(chunks));
        Put32(mb_, at + 3, static_cast<std::uint32_t>(data.size()));
        Put16(mb_, at + 7, 1);
        std::memcpy(mb_.data() + at + 9, data.constData(), static_cast<size_t>(data.size()));
        return static_cast<std::uint32_t>(at) | 0xFF;
    }

    std::uint32_t AddPiece(const QByteArray& data) {
        const qsizetype paragraphs = (data.size() + 15) / 16;
        if (sub_ < 0 || pieces_ == 64 || free_ + paragraphs * 16 > 4096) {
            sub_ = mb_.size();
            mb_.append(QByteArray(4096, '\0'));
            mb_[sub_] = 3;
            Put16(mb_, sub_ + 1, 1);
            pieces_ = 0;
            free_ = 12 + 64 * 5 + 4;  // the piece table, then data in paragraphs
        }
        const int index = pieces_++;
        const qsizetype entry = sub_ + 12 + index * 5;
        mb_[entry] = static_cast<char>(free_ / 16);
        mb_[entry + 1] = static_cast<char>(paragraphs);
        Put16(mb_, entry + 2, 1);
        mb_[entry + 4] = static_cast<char>(data.size() % 16);
        std::memcpy(mb_.data() + sub_ + free_, data.constData(), static_cast<size_t>(data.size()));
        free_ += paragraphs * 16;
        return static_cast<std::uint32_t>(sub_) | static_cast<std::uint32_t>(index);
    }

    const QByteArray& Bytes() const { return mb_; }

  private:
    QByteArray mb_;
    qsizetype sub_ = -1;
    int pieces_ = 0;
    qsizetype free_ = 0;
};

inline void PutBlob(char* at, const Field& f, const Blob& blob, BlobWriter& mb) {
    QByteArray data = blob.data;
    if (f.type == kGraphic && blob.graphicHeader) {
        QByteArray header(8, '\0');
        header[0] = 1;
        header[3] = 1;
        Put32(header, 4, static_cast<std::uint32_t>(data.size()));
        data.prepend(header);
    }
    const int leader = f.size - 10;
    Blob::Place place = blob.place;
    if (place == Blob::Auto) {
        place = data.size() <= leader ? Blob::Leader
                : data.size() <= 2048 ? Blob::SubAllocated
                                      : Blob::SingleBlock;
    }
    std::memcpy(at, data.constData(),
                static_cast<size_t>(std::min<qsizetype>(leader, data.size())));
    std::uint32_t offset = 0;
    if (place == Blob::SingleBlock) {
        offset = mb.AddSingle(data);
    } else if (place == Blob::SubAllocated) {
        offset = mb.AddPiece(data);
    }
    QByteArray pointer(10, '\0');
    Put32(pointer, 0, offset);
    Put32(pointer, 4, static_cast<std::uint32_t>(data.size()));
    Put16(pointer, 8, 1);
    std::memcpy(at + leader, pointer.constData(), 10);
}

inline void PutValue(char* at, const Field& f, const Value& v, BlobWriter& mb) {
    if (std::holds_alternative<std::monostate>(v)) {
        return;
    }
    switch (f.type) {
        case kAlpha:
        case kBytes: {
            const QByteArray& bytes = std::get<QByteArray>(v);
            std::memcpy(at, bytes.constData(),
                        static_cast<size_t>(std::min<qsizetype>(bytes.size(), f.size)));
            break;
        }
        case kShort:
            PutBig(at, (static_cast<std::uint64_t>(std::get<std::int64_t>(v)) & 0xFFFF) ^ 0x8000,
                   2);
            break;
        case kLong:
        case kAutoIncrement:
            PutBig(
                at,
                (static_cast<std::uint64_t>(std::get<std::int64_t>(v)) & 0xFFFFFFFF) ^ 0x80000000u,
                4);
            break;
        case kDate:
            PutBig(
                at,
                (static_cast<std::uint64_t>(Days(std::get<QDate>(v))) & 0xFFFFFFFF) ^ 0x80000000u,
                4);
            break;
        case kTime:
            PutBig(
                at,
                static_cast<std::uint64_t>(std::get<QTime>(v).msecsSinceStartOfDay()) ^ 0x80000000u,
                4);
            break;
        case kNumber:
        case kMoney:
            PutDouble(at, std::get<double>(v));
            break;
        case kTimestamp: {
            const QDateTime& t = std::get<QDateTime>(v);
            PutDouble(at, static_cast<double>(Days(t.date())) * 86400000.0 +
                              t.time().msecsSinceStartOfDay());
            break;
        }
        case kLogical:
            at[0] = static_cast<char>(std::get<bool>(v) ? 0x81 : 0x80);
            break;
        case kBcd:
            PutBcd(at, std::get<Bcd>(v).text, f.size);
            break;
        default:
            PutBlob(at, f, std::get<Blob>(v), mb);
    }
}

inline QByteArray Header(const Table& t, int recordSize, int headerSize, std::uint32_t rows,
                         int blocks, int first, int last) {
    QByteArray h(headerSize, '\0');
    Put16(h, 0x00, static_cast<std::uint32_t>(recordSize));
    Put16(h, 0x02, static_cast<std::uint32_t>(headerSize));
    h[0x04] = static_cast<char>(t.keyFields > 0 ? 0 : 2);
    h[0x05] = static_cast<char>(t.blockKilobytes);
    Put32(h, 0x06, rows);
    Put16(h, 0x0A, static_cast<std::uint32_t>(blocks));
    Put16(h, 0x0C, static_cast<std::uint32_t>(blocks));
    Put16(h, 0x0E, static_cast<std::uint32_t>(first));
    Put16(h, 0x10, static_cast<std::uint32_t>(last));
    Put16(h, 0x21, static_cast<std::uint32_t>(t.fields.size()));
    Put16(h, 0x23, static_cast<std::uint32_t>(t.keyFields));
    const bool dataHeader = t.versionByte >= 5;
    Put32(h, 0x25, dataHeader ? 0xFF00FF00u : t.encryption);
    h[0x29] = 0x62;
    h[0x39] = static_cast<char>(t.versionByte);
    qsizetype at = 0x58;
    if (dataHeader) {
        Put32(h, 0x5C, t.encryption);
        Put16(h, 0x6A, static_cast<std::uint32_t>(t.codePage));
        at = 0x78;
    }
    Put32(h, 0x34, static_cast<std::uint32_t>(at));
    for (const Field& f : t.fields) {
        h[at++] = static_cast<char>(f.type);
        h[at++] = static_cast<char>(f.type == kBcd ? f.size : RecordBytes(f));
    }
    Put32(h, 0x30, static_cast<std::uint32_t>(at));
    at += 4 + 4 * static_cast<qsizetype>(t.fields.size());
    std::memcpy(h.data() + at, t.tableName.data(), std::min<size_t>(t.tableName.size(), 78));
    at += t.versionByte >= 12 ? 261 : 79;
    for (const Field& f : t.fields) {
        std::memcpy(h.data() + at, f.name.data(), f.name.size());
        at += static_cast<qsizetype>(f.name.size()) + 1;
    }
    for (size_t i = 0; i < t.fields.size(); ++i, at += 2) {
        Put16(h, at, static_cast<std::uint32_t>(i + 1));
    }
    std::memcpy(h.data() + at, "ANSIINTL", 8);
    return h;
}

}  // namespace detail

inline int RecordSize(const Table& t) {
    int size = 0;
    for (const Field& f : t.fields) {
        size += detail::RecordBytes(f);
    }
    return size;
}

inline Files Write(const Table& t) {
    using namespace detail;
    const int recordSize = RecordSize(t);
    const int blockSize = t.blockKilobytes * 1024;
    const int fit = (blockSize - 6) / recordSize;
    int perBlock = t.rowsPerBlock > 0 ? std::min(t.rowsPerBlock, fit) : fit;
    if (t.deletedSlotsPerBlock > 0) {
        perBlock = std::max(1, std::min(perBlock, fit - t.deletedSlotsPerBlock));
    }
    const size_t rowCount = t.rowAt ? t.rowCount : t.rows.size();
    const int used = static_cast<int>((rowCount + static_cast<size_t>(perBlock) - 1) /
                                      static_cast<size_t>(perBlock));
    const int blocks = used + t.freeBlocks;
    // Logical block i lives at physical position where[i] (1-based numbers).
    std::vector<int> where(static_cast<size_t>(used));
    for (int i = 0; i < used; ++i) {
        where[static_cast<size_t>(i)] = i + 1;
    }
    if (t.shuffleBlocks) {  // odd logical blocks first, then the even ones backwards
        for (int i = 0, odd = 0, even = used - 1; i < used; ++i) {
            where[static_cast<size_t>(i)] = i % 2 == 0 ? (even--) + 1 : (odd++) + 1;
        }
    }
    // (a permutation: even indexes fill from the end, odd ones from the start)
    BlobWriter mb;
    QByteArray body(static_cast<qsizetype>(blocks) * blockSize, '\0');
    std::vector<char> record(static_cast<size_t>(recordSize));
    for (int i = 0; i < used; ++i) {
        char* block =
            body.data() + static_cast<qsizetype>(where[static_cast<size_t>(i)] - 1) * blockSize;
        const int next = i + 1 < used ? where[static_cast<size_t>(i + 1)] : 0;
        const int prev = i > 0 ? where[static_cast<size_t>(i - 1)] : 0;
        const size_t begin = static_cast<size_t>(i) * static_cast<size_t>(perBlock);
        const size_t end = std::min(rowCount, begin + static_cast<size_t>(perBlock));
        QByteArray head(6, '\0');
        Put16(head, 0, static_cast<std::uint32_t>(next));
        Put16(head, 2, static_cast<std::uint32_t>(prev));
        Put16(head, 4, static_cast<std::uint32_t>(static_cast<int>(end - begin - 1) * recordSize));
        std::memcpy(block, head.constData(), 6);
        for (size_t r = begin; r < end; ++r) {
            std::fill(record.begin(), record.end(), '\0');
            int offset = 0;
            const Row made = t.rowAt ? t.rowAt(r) : Row();
            const Row& row = t.rowAt ? made : t.rows[r];
            for (size_t c = 0; c < t.fields.size(); ++c) {
                PutValue(record.data() + offset, t.fields[c], row[c], mb);
                offset += RecordBytes(t.fields[c]);
            }
            std::memcpy(block + 6 + (r - begin) * static_cast<size_t>(recordSize), record.data(),
                        record.size());
        }
        // Deleted records stay behind the last one as stale bytes.
        for (int d = 0; d < t.deletedSlotsPerBlock; ++d) {
            std::memset(
                block + 6 +
                    (end - begin + static_cast<size_t>(d)) * static_cast<size_t>(recordSize),
                0x5A, static_cast<size_t>(recordSize));
        }
    }
    for (int f = 0; f < t.freeBlocks; ++f) {
        char* block = body.data() + static_cast<qsizetype>(used + f) * blockSize;
        std::memset(block + 6, 0x5A, static_cast<size_t>(recordSize));
        QByteArray head(6, '\0');
        Put16(head, 4, 0);
        std::memcpy(block, head.constData(), 6);
    }
    int headerSize = 0x800;
    while (true) {
        size_t need = 0x78 + 6 * t.fields.size() + 4 + 261 + 16;
        for (const Field& f : t.fields) {
            need += f.name.size() + 1;
        }
        if (static_cast<size_t>(headerSize) >= need) {
            break;
        }
        headerSize += 0x800;
    }
    Files files;
    files.db = Header(t, recordSize, headerSize, static_cast<std::uint32_t>(rowCount), blocks,
                      used > 0 ? where.front() : 0, used > 0 ? where.back() : 0);
    files.db.append(body);
    for (const Field& f : t.fields) {
        if (IsBlob(f.type)) {
            files.mb = mb.Bytes();
        }
    }
    return files;
}

}  // namespace paradox_writer
