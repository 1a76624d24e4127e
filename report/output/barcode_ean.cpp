// EAN-13, EAN-8, UPC-A, UPC-E and the two- and five-digit add-ons.

#include "report/output/barcode_encoding.h"

namespace barcode {

namespace {

// Element widths of the left odd set (A): space, bar, space, bar. Set C has the
// same widths bar first; set B is set C read backwards.
constexpr const char* kSetAWidths[10] = {"3211", "2221", "2122", "1411", "1132",
                                         "1231", "1114", "1312", "1213", "3112"};

// Sets of digits 2..7 of an EAN-13, by its first digit.
constexpr const char* kEan13Parity[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                          "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};

// Sets of the six digits of a UPC-E with number system 0, by the check digit;
// number system 1 uses the inverse rows.
constexpr const char* kUpcEParity[10] = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
                                         "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};

// Sets of the five digits of the five-digit add-on, by its check digit.
constexpr const char* kSupp5Parity[10] = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                          "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};

constexpr const char* kSupp2Parity[4] = {"AA", "AB", "BA", "BB"};

EanSet SetOf(char letter) {
    return letter == 'A' ? EanSet::A : EanSet::B;
}

EanSet Inverse(EanSet set) {
    return set == EanSet::A ? EanSet::B : EanSet::A;
}

int DigitAt(std::string_view digits, size_t i) {
    return digits[i] - '0';
}

std::string RightHalf(std::string_view digits) {
    std::string pattern;
    for (char d : digits) {
        pattern += EanDigit(d, EanSet::C);
    }
    return pattern;
}

}  // namespace

std::string EanDigit(char digit, EanSet set) {
    const std::string_view widths = kSetAWidths[digit - '0'];
    switch (set) {
        case EanSet::A:
            return SpaceFirstWidthsToPattern(widths);
        case EanSet::C:
            return WidthsToPattern(widths);
        case EanSet::B:
            return SpaceFirstWidthsToPattern(std::string(widths.rbegin(), widths.rend()));
    }
    return {};
}

std::string EncodeEan13(std::string_view digits) {
    const char* parity = kEan13Parity[DigitAt(digits, 0)];
    std::string pattern = "E0E";
    for (size_t i = 1; i <= 6; ++i) {
        pattern += EanDigit(digits[i], SetOf(parity[i - 1]));
    }
    pattern += "0E0E0";
    pattern += RightHalf(digits.substr(7, 6));
    pattern += "E0E";
    return pattern;
}

std::string EncodeEan8(std::string_view digits) {
    std::string pattern = "E0E";
    for (size_t i = 0; i < 4; ++i) {
        pattern += EanDigit(digits[i], EanSet::A);
    }
    pattern += "0E0E0";
    pattern += RightHalf(digits.substr(4, 4));
    pattern += "E0E";
    return pattern;
}

std::string EncodeUpcA(std::string_view digits) {
    std::string pattern = "505";
    for (size_t i = 0; i < 6; ++i) {
        pattern += EanDigit(digits[i], EanSet::A);
    }
    pattern += "05050";
    pattern += RightHalf(digits.substr(6, 6));
    pattern += "505";
    return pattern;
}

// The check digit is carried by the parity of the six digits, not as a digit
// of its own. The end guard is space, bar, space, bar, space, bar.
std::string EncodeUpcE(std::string_view digits, int numberSystem) {
    const char* parity = kUpcEParity[DigitAt(digits, 6)];
    std::string pattern = "505";
    for (size_t i = 0; i < 6; ++i) {
        const EanSet set = SetOf(parity[i]);
        pattern += EanDigit(digits[i], numberSystem == 1 ? Inverse(set) : set);
    }
    pattern += "050505";
    return pattern;
}

std::string EncodeUpcSupp5(std::string_view digits) {
    const char* parity = kSupp5Parity[AddOnCheckDigit(digits)];
    std::string pattern = "506";
    for (size_t i = 0; i < 5; ++i) {
        if (i > 0) {
            pattern += "05";
        }
        pattern += EanDigit(digits[i], SetOf(parity[i]));
    }
    return pattern;
}

std::string EncodeUpcSupp2(std::string_view digits) {
    const char* parity = kSupp2Parity[(DigitAt(digits, 0) * 10 + DigitAt(digits, 1)) % 4];
    std::string pattern = "506";
    pattern += EanDigit(digits[0], SetOf(parity[0]));
    pattern += "05";
    pattern += EanDigit(digits[1], SetOf(parity[1]));
    return pattern;
}

// Zero suppression by the last of the six digits: 0..2 keep the first two
// digits of the manufacturer number and move that digit to its third place;
// 3 and 4 keep three or four manufacturer digits; 5..9 keep five and the last
// digit is the item number.
std::string ExpandUpcE(std::string_view d, int numberSystem) {
    std::string expanded(1, static_cast<char>('0' + numberSystem));
    const char last = d[5];
    switch (last) {
        case '0':
        case '1':
        case '2':
            expanded += std::string(d.substr(0, 2)) + last + "0000" + std::string(d.substr(2, 3));
            break;
        case '3':
            expanded += std::string(d.substr(0, 3)) + "00000" + std::string(d.substr(3, 2));
            break;
        case '4':
            expanded += std::string(d.substr(0, 4)) + "00000" + d[4];
            break;
        default:
            expanded += std::string(d.substr(0, 5)) + "0000" + last;
            break;
    }
    return expanded;
}

int UpcECheckDigit(std::string_view sixDigits, int numberSystem) {
    return Mod10CheckDigit(ExpandUpcE(sixDigits, numberSystem));
}

int AddOnCheckDigit(std::string_view digits) {
    int sum = 0;
    bool weightThree = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * (weightThree ? 3 : 9);
        weightThree = !weightThree;
    }
    return sum % 10;
}

}  // namespace barcode
