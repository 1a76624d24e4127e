#include "platform/codepage1250.h"

#include <array>

namespace platform {
namespace {

constexpr char16_t kUndefined = 0;

// The characters of bytes 0x80 to 0xFF; kUndefined marks the five unused bytes.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x20AC,     kUndefined, 0x201A, kUndefined, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    kUndefined, 0x2030,     0x0160, 0x2039,     0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    kUndefined, 0x2018,     0x2019, 0x201C,     0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    kUndefined, 0x2122,     0x0161, 0x203A,     0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0,     0x02C7,     0x02D8, 0x0141,     0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8,     0x00A9,     0x015E, 0x00AB,     0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0,     0x00B1,     0x02DB, 0x0142,     0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8,     0x0105,     0x015F, 0x00BB,     0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154,     0x00C1,     0x00C2, 0x0102,     0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C,     0x00C9,     0x0118, 0x00CB,     0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110,     0x0143,     0x0147, 0x00D3,     0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158,     0x016E,     0x00DA, 0x0170,     0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155,     0x00E1,     0x00E2, 0x0103,     0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D,     0x00E9,     0x0119, 0x00EB,     0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111,     0x0144,     0x0148, 0x00F3,     0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159,     0x016F,     0x00FA, 0x0171,     0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

constexpr char16_t kReplacementCharacter = 0xFFFD;

constexpr QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

bool IsUndefinedByte(unsigned char byte) {
    return byte >= 0x80 && kUpperHalf[byte - 0x80] == kUndefined;
}

// Unicode -> byte for the upper half, built once from the table above.
struct ReverseTable {
    std::array<unsigned char, 0x10000> bytes{};  // 0: no byte
    ReverseTable() {
        for (int index = 0; index < 128; ++index) {
            const unsigned char byte = static_cast<unsigned char>(0x80 + index);
            const char16_t character = kUpperHalf[index];
            bytes[character == kUndefined ? byte : character] = byte;
        }
    }
};

const ReverseTable& Reverse() {
    static const ReverseTable table;
    return table;
}

}  // namespace

char16_t Cp1250ToUnicode(unsigned char byte, UndefinedBytes undefined) {
    if (byte < 0x80) {
        return byte;
    }
    if (IsUndefinedByte(byte)) {
        return undefined == UndefinedBytes::Keep ? char16_t(byte) : kReplacementCharacter;
    }
    return kUpperHalf[byte - 0x80];
}

bool UnicodeToCp1250(char16_t character, unsigned char* byte) {
    if (character < 0x80) {
        *byte = static_cast<unsigned char>(character);
        return true;
    }
    const unsigned char found = Reverse().bytes[character];
    if (found == 0) {
        return false;
    }
    *byte = found;
    return true;
}

bool FitsCp1250(QStringView text) {
    unsigned char ignored = 0;
    for (QChar character : text) {
        if (!UnicodeToCp1250(character.unicode(), &ignored)) {
            return false;
        }
    }
    return true;
}

QString FromCp1250(QByteArrayView bytes, UndefinedBytes undefined) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        out[index] = QChar(Cp1250ToUnicode(static_cast<unsigned char>(bytes[index]), undefined));
    }
    return text;
}

QByteArray ToCp1250(QStringView text, QString* lost) {
    const auto note = [lost](QStringView character) {
        if (lost != nullptr && !lost->contains(character)) {
            lost->append(character);
        }
    };
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar character = text[index];
        // A surrogate pair is one character outside the BMP: one '?' for both halves.
        if (character.isHighSurrogate() && index + 1 < text.size() &&
            text[index + 1].isLowSurrogate()) {
            bytes.append('?');
            note(text.sliced(index, 2));
            ++index;
            continue;
        }
        unsigned char byte = 0;
        if (UnicodeToCp1250(character.unicode(), &byte)) {
            bytes.append(char(byte));
        } else {
            bytes.append('?');
            note(text.sliced(index, 1));
        }
    }
    return bytes;
}

QString FromCp1250OrUtf8(QByteArrayView bytes, UndefinedBytes undefined, bool* utf8) {
    const bool marked = bytes.startsWith(kUtf8Mark);
    if (utf8) {
        *utf8 = marked;
    }
    if (marked) {
        return QString::fromUtf8(bytes.sliced(kUtf8Mark.size()));
    }
    return FromCp1250(bytes, undefined);
}

QByteArray ToCp1250OrUtf8(QStringView text) {
    if (FitsCp1250(text)) {
        QByteArray bytes = ToCp1250(text);
        // Text starting with "ď»ż" has the mark's bytes in Windows-1250 and
        // would read back as UTF-8; only UTF-8 keeps it.
        if (!bytes.startsWith(kUtf8Mark)) {
            return bytes;
        }
    }
    return kUtf8Mark.toByteArray() + text.toUtf8();
}

}  // namespace platform
