#include "platform/paradox/field_kind.h"

namespace platform::paradox {

bool IsFieldKind(std::uint8_t typeByte) {
    switch (typeByte) {
        case 0x01:
        case 0x02:
        case 0x03:
        case 0x04:
        case 0x05:
        case 0x06:
        case 0x09:
        case 0x0C:
        case 0x0D:
        case 0x0E:
        case 0x0F:
        case 0x10:
        case 0x14:
        case 0x15:
        case 0x16:
        case 0x17:
        case 0x18:
            return true;
        default:
            return false;
    }
}

bool IsBlob(FieldKind kind) {
    switch (kind) {
        case FieldKind::Memo:
        case FieldKind::Binary:
        case FieldKind::FormattedMemo:
        case FieldKind::Ole:
        case FieldKind::Graphic:
            return true;
        default:
            return false;
    }
}

bool IsTextBlob(FieldKind kind) {
    return kind == FieldKind::Memo || kind == FieldKind::FormattedMemo;
}

int FixedSize(FieldKind kind) {
    switch (kind) {
        case FieldKind::Date:
        case FieldKind::Long:
        case FieldKind::Time:
        case FieldKind::AutoIncrement:
            return 4;
        case FieldKind::Short:
            return 2;
        case FieldKind::Money:
        case FieldKind::Number:
        case FieldKind::Timestamp:
            return 8;
        case FieldKind::Logical:
            return 1;
        case FieldKind::Bcd:
            return 17;
        default:
            return 0;
    }
}

QString KindLetter(FieldKind kind) {
    switch (kind) {
        case FieldKind::Alpha:
            return QStringLiteral("A");
        case FieldKind::Date:
            return QStringLiteral("D");
        case FieldKind::Short:
            return QStringLiteral("S");
        case FieldKind::Long:
            return QStringLiteral("I");
        case FieldKind::Money:
            return QStringLiteral("$");
        case FieldKind::Number:
            return QStringLiteral("N");
        case FieldKind::Logical:
            return QStringLiteral("L");
        case FieldKind::Memo:
            return QStringLiteral("M");
        case FieldKind::Binary:
            return QStringLiteral("B");
        case FieldKind::FormattedMemo:
            return QStringLiteral("F");
        case FieldKind::Ole:
            return QStringLiteral("O");
        case FieldKind::Graphic:
            return QStringLiteral("G");
        case FieldKind::Time:
            return QStringLiteral("T");
        case FieldKind::Timestamp:
            return QStringLiteral("@");
        case FieldKind::AutoIncrement:
            return QStringLiteral("+");
        case FieldKind::Bcd:
            return QStringLiteral("#");
        case FieldKind::Bytes:
            return QStringLiteral("Y");
    }
    return QStringLiteral("?");
}

}  // namespace platform::paradox
