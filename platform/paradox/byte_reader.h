#pragma once
// Little-endian numbers out of a byte buffer, each read checked against the
// buffer's end: a read past it returns false instead of touching memory the
// buffer does not own. The Paradox reader reads every header and block
// pointer through this.

#include <QByteArrayView>
#include <cstdint>

namespace platform::paradox {

class ByteReader {
  public:
    explicit ByteReader(QByteArrayView bytes) : bytes_(bytes) {}

    qsizetype Size() const { return bytes_.size(); }
    bool Has(qsizetype offset, qsizetype count) const {
        return offset >= 0 && count >= 0 && offset <= bytes_.size() &&
               count <= bytes_.size() - offset;
    }
    bool U8(qsizetype offset, std::uint32_t& out) const { return Read(offset, 1, out); }
    bool U16(qsizetype offset, std::uint32_t& out) const { return Read(offset, 2, out); }
    bool U32(qsizetype offset, std::uint32_t& out) const { return Read(offset, 4, out); }
    // The bytes [offset, offset + count), or an empty view when they are not all there.
    QByteArrayView Slice(qsizetype offset, qsizetype count) const {
        return Has(offset, count) ? bytes_.sliced(offset, count) : QByteArrayView();
    }
    // A zero-terminated string starting at offset, at most `limit` bytes long;
    // false when no terminator comes before the limit or the end.
    bool CString(qsizetype offset, qsizetype limit, QByteArrayView& out) const {
        for (qsizetype i = offset; i >= 0 && i < bytes_.size() && i - offset < limit; ++i) {
            if (bytes_[i] == 0) {
                out = bytes_.sliced(offset, i - offset);
                return true;
            }
        }
        return false;
    }

  private:
    bool Read(qsizetype offset, int count, std::uint32_t& out) const {
        if (!Has(offset, count)) {
            return false;
        }
        out = 0;
        for (int i = count - 1; i >= 0; --i) {
            out = (out << 8) | static_cast<unsigned char>(bytes_[offset + i]);
        }
        return true;
    }

    QByteArrayView bytes_;
};

}  // namespace platform::paradox
