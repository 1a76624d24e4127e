#pragma once
// The field types of Paradox 3.0 to 7 tables, with the type byte the table
// header gives them, and the fields as the header describes them.

#include <QString>
#include <cstdint>

namespace platform::paradox {

enum class FieldKind : std::uint8_t {
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Money = 0x05,
    Number = 0x06,
    Logical = 0x09,
    Memo = 0x0C,
    Binary = 0x0D,
    FormattedMemo = 0x0E,
    Ole = 0x0F,
    Graphic = 0x10,
    Time = 0x14,
    Timestamp = 0x15,
    AutoIncrement = 0x16,
    Bcd = 0x17,
    Bytes = 0x18,
};

struct FieldInfo {
    QString name;
    FieldKind kind = FieldKind::Alpha;
    int size = 0;      // bytes the field takes in a record
    int decimals = 0;  // digits after the point of a BCD field
};

// False for a type byte no Paradox version writes.
bool IsFieldKind(std::uint8_t typeByte);
// Blob fields keep a leader in the record and the rest in the .MB file.
bool IsBlob(FieldKind kind);
bool IsTextBlob(FieldKind kind);  // memo and formatted memo
// The size a field of this kind must have in a record, or 0 when the header
// gives it (alpha, bytes, blobs).
int FixedSize(FieldKind kind);
// The one-letter type of Paradox's own table structure dialog ("A", "N", "M", ...).
QString KindLetter(FieldKind kind);

}  // namespace platform::paradox
