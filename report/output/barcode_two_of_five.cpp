// The 2 of 5 family: interleaved, industrial and matrix. Each digit has five
// elements, two of them wide.

#include "report/output/barcode_encoding.h"

namespace barcode {

namespace {

constexpr bool kTwoOfFive[10][5] = {
    {false, false, true, true, false},  // 0
    {true, false, false, false, true},  // 1
    {false, true, false, false, true},  // 2
    {true, true, false, false, false},  // 3
    {false, false, true, false, true},  // 4
    {true, false, true, false, false},  // 5
    {false, true, true, false, false},  // 6
    {false, false, false, true, true},  // 7
    {true, false, false, true, false},  // 8
    {false, true, false, true, false},  // 9
};

}  // namespace

const bool* TwoOfFiveWide(char digit) {
    return kTwoOfFive[digit - '0'];
}

// Pairs of digits: the first digit in the five bars, the second in the five
// spaces between them. A lone last digit is not encoded.
std::string EncodeInterleaved25(std::string_view digits) {
    std::string pattern = "5050";
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        const bool* bars = TwoOfFiveWide(digits[i]);
        const bool* spaces = TwoOfFiveWide(digits[i + 1]);
        for (int k = 0; k < 5; ++k) {
            pattern += bars[k] ? '6' : '5';
            pattern += spaces[k] ? '1' : '0';
        }
    }
    pattern += "605";
    return pattern;
}

// Only the bars carry information; every space is narrow.
std::string EncodeIndustrial25(std::string_view digits) {
    std::string pattern = "606050";
    for (char digit : digits) {
        const bool* wide = TwoOfFiveWide(digit);
        for (int k = 0; k < 5; ++k) {
            pattern += wide[k] ? "60" : "50";
        }
    }
    pattern += "605060";
    return pattern;
}

// Bars and spaces alternate within a digit, with a narrow space after it.
std::string EncodeMatrix25(std::string_view digits) {
    std::string pattern = "705050";
    for (char digit : digits) {
        const bool* wide = TwoOfFiveWide(digit);
        for (int k = 0; k < 5; ++k) {
            const bool bar = k % 2 == 0;
            pattern += bar ? (wide[k] ? '6' : '5') : (wide[k] ? '1' : '0');
        }
        pattern += '0';
    }
    pattern += "70505";
    return pattern;
}

}  // namespace barcode
