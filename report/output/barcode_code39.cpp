// Code 39 with its optional mod-43 check character, and the full-ASCII table
// that Code 39 Full and Code 93 Full share.

#include "report/output/barcode_encoding.h"

namespace barcode {

namespace {

constexpr std::string_view kCode39Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

// Module patterns (1 = bar module) with a wide element two modules wide, in
// the order of kCode39Characters; the start/stop character "*" last.
constexpr const char* kCode39Modules[44] = {
    "101001101101", "110100101011", "101100101011", "110110010101", "101001101011", "110100110101",
    "101100110101", "101001011011", "110100101101", "101100101101", "110101001011", "101101001011",
    "110110100101", "101011001011", "110101100101", "101101100101", "101010011011", "110101001101",
    "101101001101", "101011001101", "110101010011", "101101010011", "110110101001", "101011010011",
    "110101101001", "101101101001", "101010110011", "110101011001", "101101011001", "101011011001",
    "110010101011", "100110101011", "110011010101", "100101101011", "110010110101", "100110110101",
    "100101011011", "110010101101", "100110101101", "100100100101", "100100101001", "100101001001",
    "101001001001", "100101101101"};

constexpr int kStartStop = 43;

// Full-ASCII sequences of the characters 0..127.
constexpr const char* kFullAscii[128] = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T"};

std::string CharacterPattern(int value) {
    return ModulesToPattern(kCode39Modules[value]) + '0';
}

}  // namespace

int Code39Value(QChar c) {
    if (c.unicode() > 127) {
        return -1;
    }
    const size_t at = kCode39Characters.find(static_cast<char>(c.unicode()));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

std::string_view FullAsciiSequence(char ascii) {
    return kFullAscii[static_cast<unsigned char>(ascii) & 0x7F];
}

QString Code39FullAsciiText(const QString& text) {
    QString substituted;
    for (QChar c : text) {
        if (c.unicode() < 128) {
            substituted += QString::fromLatin1(FullAsciiSequence(static_cast<char>(c.unicode())));
        }
    }
    return substituted;
}

// Characters outside the set are skipped; the check character is the one whose
// value is the sum of the values mod 43.
std::string EncodeCode39(const QString& text, bool checkDigit) {
    std::string pattern = CharacterPattern(kStartStop);
    int sum = 0;
    for (QChar c : text) {
        const int value = Code39Value(c);
        if (value < 0) {
            continue;
        }
        sum = (sum + value) % 43;
        pattern += CharacterPattern(value);
    }
    if (checkDigit) {
        pattern += CharacterPattern(sum);
    }
    pattern += ModulesToPattern(kCode39Modules[kStartStop]);
    return pattern;
}

}  // namespace barcode
