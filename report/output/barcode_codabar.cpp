// Codabar ("Codebar"): the digits and - $ : / . + between the start character
// A and the stop character B.

#include "report/output/barcode_encoding.h"

namespace barcode {

namespace {

constexpr std::string_view kCodabarCharacters = "0123456789-$:/.+";

// Module patterns (1 = bar module) with wide elements two modules wide, in
// the order of kCodabarCharacters, then the start/stop characters A, B, C, D.
constexpr const char* kCodabarModules[20] = {
    "101010011",  "101011001",  "101001011",  "110010101",  "101101001",
    "110101001",  "100101011",  "100101101",  "100110101",  "110100101",
    "101001101",  "101100101",  "1101011011", "1101101011", "1101101101",
    "1011011011", "1011001001", "1001001011", "1010010011", "1010011001"};

constexpr int kStartA = 16;
constexpr int kStopB = 17;

int CodabarValue(QChar c) {
    if (c.unicode() > 127) {
        return -1;
    }
    const size_t at = kCodabarCharacters.find(static_cast<char>(c.unicode()));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

// Characters outside the data set (the letters A..D included) are skipped.
std::string EncodeCodabar(const QString& text) {
    std::string pattern = ModulesToPattern(kCodabarModules[kStartA]) + '0';
    for (QChar c : text) {
        const int value = CodabarValue(c);
        if (value >= 0) {
            pattern += ModulesToPattern(kCodabarModules[value]) + '0';
        }
    }
    pattern += ModulesToPattern(kCodabarModules[kStopB]);
    return pattern;
}

}  // namespace barcode
