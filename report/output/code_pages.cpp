#include "report/output/code_pages.h"

#include <QStringList>

#include "platform/codepage1250.h"

namespace {

// Columns: ASCII, Kamenický, IBM 852, Windows-1250, ISO 8859-2.
constexpr std::array<TCodePageRow, 44> kTable{{
    {u'\u010C', {'C', 0x80, 0xAC, 0xC8, 0xC8}},  // Č
    {u'\u00FC', {'u', 0x81, 0x81, 0xFC, 0xFC}},  // ü
    {u'\u00E9', {'e', 0x82, 0x82, 0xE9, 0xE9}},  // é
    {u'\u010F', {'d', 0x83, 0xD4, 0xEF, 0xEF}},  // ď
    {u'\u00E4', {'a', 0x84, 0x84, 0xE4, 0xE4}},  // ä
    {u'\u010E', {'D', 0x85, 0xD2, 0xCF, 0xCF}},  // Ď
    {u'\u0164', {'T', 0x86, 0x9B, 0x8D, 0xAB}},  // Ť
    {u'\u010D', {'c', 0x87, 0x9F, 0xE8, 0xE8}},  // č
    {u'\u011B', {'e', 0x88, 0xD8, 0xEC, 0xEC}},  // ě
    {u'\u011A', {'E', 0x89, 0xB7, 0xCC, 0xCC}},  // Ě
    {u'\u0139', {'L', 0x8A, 0x91, 0xC5, 0xC5}},  // Ĺ
    {u'\u00CD', {'I', 0x8B, 0xD6, 0xCD, 0xCD}},  // Í
    {u'\u013E', {'l', 0x8C, 0x96, 0xBE, 0xB5}},  // ľ
    {u'\u013A', {'l', 0x8D, 0x92, 0xE5, 0xE5}},  // ĺ
    {u'\u00C4', {'A', 0x8E, 0x8E, 0xC4, 0xC4}},  // Ä
    {u'\u00C1', {'A', 0x8F, 0xB5, 0xC1, 0xC1}},  // Á
    {u'\u00C9', {'E', 0x90, 0x90, 0xC9, 0xC9}},  // É
    {u'\u017E', {'z', 0x91, 0xA7, 0x9E, 0xBE}},  // ž
    {u'\u017D', {'Z', 0x92, 0xA6, 0x8E, 0xAE}},  // Ž
    {u'\u00F4', {'o', 0x93, 0x93, 0xF4, 0xF4}},  // ô
    {u'\u00F6', {'o', 0x94, 0x94, 0xF6, 0xF6}},  // ö
    {u'\u00D3', {'O', 0x95, 0xE0, 0xD3, 0xD3}},  // Ó
    {u'\u016F', {'u', 0x96, 0x85, 0xF9, 0xF9}},  // ů
    {u'\u00DA', {'U', 0x97, 0xE9, 0xDA, 0xDA}},  // Ú
    {u'\u00FD', {'y', 0x98, 0xEC, 0xFD, 0xFD}},  // ý
    {u'\u00D6', {'O', 0x99, 0x99, 0xD6, 0xD6}},  // Ö
    {u'\u00DC', {'U', 0x9A, 0x9A, 0xDC, 0xDC}},  // Ü
    {u'\u0160', {'S', 0x9B, 0xE6, 0x8A, 0xA9}},  // Š
    {u'\u013D', {'L', 0x9C, 0x95, 0xBC, 0xA5}},  // Ľ
    {u'\u00DD', {'Y', 0x9D, 0xED, 0xDD, 0xDD}},  // Ý
    {u'\u0158', {'R', 0x9E, 0xFC, 0xD8, 0xD8}},  // Ř
    {u'\u0165', {'t', 0x9F, 0x9C, 0x9D, 0xBB}},  // ť
    {u'\u00E1', {'a', 0xA0, 0xA0, 0xE1, 0xE1}},  // á
    {u'\u00ED', {'i', 0xA1, 0xA1, 0xED, 0xED}},  // í
    {u'\u00F3', {'o', 0xA2, 0xA2, 0xF3, 0xF3}},  // ó
    {u'\u00FA', {'u', 0xA3, 0xA3, 0xFA, 0xFA}},  // ú
    {u'\u0148', {'n', 0xA4, 0xE5, 0xF2, 0xF2}},  // ň
    {u'\u0147', {'N', 0xA5, 0xD5, 0xD2, 0xD2}},  // Ň
    {u'\u016E', {'U', 0xA6, 0xDE, 0xD9, 0xD9}},  // Ů
    {u'\u00D4', {'O', 0xA7, 0xE2, 0xD4, 0xD4}},  // Ô
    {u'\u0161', {'s', 0xA8, 0xE7, 0x9A, 0xB9}},  // š
    {u'\u0159', {'r', 0xA9, 0xFD, 0xF8, 0xF8}},  // ř
    {u'\u0155', {'r', 0xAA, 0xEA, 0xE0, 0xE0}},  // ŕ
    {u'\u0154', {'R', 0xAB, 0xE8, 0xC0, 0xC0}},  // Ŕ
}};

bool HasColumn(TSestLanguage language) {
    return language >= slASCII && language <= slISO88592;
}

}  // namespace

const std::array<TCodePageRow, 44>& CodePageTable() {
    return kTable;
}

unsigned char ConvertCodePageByte(unsigned char byte, TSestLanguage from, TSestLanguage to) {
    if (from == to || byte < 0x80 || !HasColumn(from) || !HasColumn(to)) {
        return byte;
    }
    const size_t fromColumn = size_t(from) - 1;
    const size_t toColumn = size_t(to) - 1;
    for (const TCodePageRow& row : kTable) {
        if (row.bytes[fromColumn] == byte) {
            return row.bytes[toColumn];
        }
    }
    return byte;
}

QByteArray ConvertCodePage(QByteArrayView bytes, TSestLanguage from, TSestLanguage to) {
    QByteArray result(bytes.data(), bytes.size());
    if (from == to) {
        return result;
    }
    for (char& c : result) {
        c = char(ConvertCodePageByte((unsigned char)c, from, to));
    }
    return result;
}

QByteArray EncodeCodePage(QStringView text, TSestLanguage to, QString* lost) {
    return ConvertCodePage(platform::ToCp1250(text, lost), slCP1250, to);
}

namespace {

// The characters of `text`, a surrogate pair as one.
QStringList Characters(QStringView text) {
    QStringList characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        characters << text.mid(i, pair ? 2 : 1).toString();
        i += pair ? 1 : 0;
    }
    return characters;
}

}  // namespace

void AddLostCharacters(QString& lost, QStringView more) {
    for (const QString& character : Characters(more)) {
        if (!lost.contains(character)) {
            lost += character;
        }
    }
}

QString LostCharactersWarning(const QString& lost) {
    if (lost.isEmpty()) {
        return QString();
    }
    const QStringList characters = Characters(lost);
    return QStringLiteral(
               "Textový výstup nemůže zapsat znaky %1 (kódová stránka je nemá); "
               "v textu jsou nahrazeny znakem \"?\".")
        .arg(QStringLiteral("\"") + characters.join(QStringLiteral("\", \"")) +
             QStringLiteral("\""));
}
