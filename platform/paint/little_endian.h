#pragma once
// Little-endian byte writing and bounds-checked reading for the metafile
// formats. The reader never reads past its end: a read that would fails and
// leaves the reader in a failed state that every later read keeps.

#include <QByteArray>
#include <QtEndian>

#include <cstring>

namespace platform {

class LittleEndianWriter {
  public:
    explicit LittleEndianWriter(QByteArray& bytes) : bytes_(bytes) {}

    qsizetype Size() const { return bytes_.size(); }
    void U8(quint8 value) { bytes_.append(static_cast<char>(value)); }
    void U16(quint16 value) { Put(qToLittleEndian(value)); }
    void I16(qint16 value) { Put(qToLittleEndian(value)); }
    void U32(quint32 value) { Put(qToLittleEndian(value)); }
    void I32(qint32 value) { Put(qToLittleEndian(value)); }
    void F32(float value) {
        quint32 bits;
        std::memcpy(&bits, &value, sizeof bits);
        U32(bits);
    }
    void Bytes(const QByteArray& data) { bytes_.append(data); }
    void Zeros(qsizetype count) { bytes_.append(count, '\0'); }
    void PadTo(int multiple) {
        while (bytes_.size() % multiple != 0) {
            bytes_.append('\0');
        }
    }
    void PatchU32(qsizetype offset, quint32 value) {
        const quint32 le = qToLittleEndian(value);
        std::memcpy(bytes_.data() + offset, &le, sizeof le);
    }
    void PatchU16(qsizetype offset, quint16 value) {
        const quint16 le = qToLittleEndian(value);
        std::memcpy(bytes_.data() + offset, &le, sizeof le);
    }

  private:
    template <typename T>
    void Put(T value) {
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    QByteArray& bytes_;
};

class LittleEndianReader {
  public:
    LittleEndianReader(const char* data, qsizetype size) : data_(data), size_(size) {}

    bool Ok() const { return ok_; }
    qsizetype Position() const { return position_; }
    qsizetype Remaining() const { return size_ - position_; }
    void Seek(qsizetype position) {
        if (position < 0 || position > size_) {
            ok_ = false;
        } else {
            position_ = position;
        }
    }
    void Skip(qsizetype count) { Seek(position_ + count); }

    quint8 U8() { return Get<quint8>(); }
    quint16 U16() { return qFromLittleEndian(Get<quint16>()); }
    qint16 I16() { return qFromLittleEndian(Get<qint16>()); }
    quint32 U32() { return qFromLittleEndian(Get<quint32>()); }
    qint32 I32() { return qFromLittleEndian(Get<qint32>()); }

  private:
    template <typename T>
    T Get() {
        T value{};
        if (!ok_ || Remaining() < static_cast<qsizetype>(sizeof value)) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, data_ + position_, sizeof value);
        position_ += sizeof value;
        return value;
    }

    const char* data_;
    qsizetype size_;
    qsizetype position_ = 0;
    bool ok_ = true;
};

}  // namespace platform
