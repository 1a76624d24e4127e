// MSI (Plessey variant) with its mod-10 check digit, and PostNet, whose digits
// are full and half bars.

#include "report/output/barcode_encoding.h"

namespace barcode {

namespace {

// Five bars per digit, true for a full bar.
constexpr bool kPostNet[10][5] = {
    {true, true, false, false, false},  // 0
    {false, false, false, true, true},  // 1
    {false, false, true, false, true},  // 2
    {false, false, true, true, false},  // 3
    {false, true, false, false, true},  // 4
    {false, true, false, true, false},  // 5
    {false, true, true, false, false},  // 6
    {true, false, false, false, true},  // 7
    {true, false, false, true, false},  // 8
    {true, false, true, false, false},  // 9
};

// A binary 1 is a wide bar and a narrow space, a 0 a narrow bar and a wide space.
std::string MsiDigit(char digit) {
    const int value = digit - '0';
    std::string pattern;
    for (int bit = 3; bit >= 0; --bit) {
        pattern += (value >> bit) & 1 ? "60" : "51";
    }
    return pattern;
}

}  // namespace

// Doubling the selected digits one by one and adding the digit sums of the
// products gives the same total as doubling them read as one number, without
// the number ever overflowing.
int MsiCheckDigit(std::string_view digits) {
    int total = 0;
    bool doubled = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        const int digit = *it - '0';
        if (doubled) {
            const int product = 2 * digit;
            total += product / 10 + product % 10;
        } else {
            total += digit;
        }
        total %= 10;
        doubled = !doubled;
    }
    return (10 - total) % 10;
}

std::string EncodeMsi(std::string_view digits) {
    std::string pattern = "60";
    for (char digit : digits) {
        pattern += MsiDigit(digit);
    }
    pattern += MsiDigit(static_cast<char>('0' + MsiCheckDigit(digits)));
    pattern += "515";
    return pattern;
}

std::string EncodePostNet(std::string_view digits) {
    std::string pattern = "51";
    for (char digit : digits) {
        for (bool full : kPostNet[digit - '0']) {
            pattern += full ? '5' : '9';
            pattern += '1';
        }
    }
    pattern += '5';
    return pattern;
}

}  // namespace barcode
