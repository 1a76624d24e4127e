// Code 93 with its two check characters C and K, and Code 93 Full, which
// writes ASCII through the four shift characters ($) (%) (/) (+).

#include "report/output/barcode_encoding.h"

namespace barcode {

namespace {

constexpr std::string_view kCode93Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

constexpr int kShiftDollar = 43;   // ($)
constexpr int kShiftPercent = 44;  // (%)
constexpr int kShiftSlash = 45;    // (/)
constexpr int kShiftPlus = 46;     // (+)

// Element widths (bar, space, bar, space, bar, space) of the values 0..46.
constexpr const char* kCode93Widths[47] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211"};

constexpr std::string_view kStart = "111141";
constexpr std::string_view kStop = "1111411";  // the start character and a closing bar

int ShiftValue(char shift) {
    switch (shift) {
        case '$':
            return kShiftDollar;
        case '%':
            return kShiftPercent;
        case '/':
            return kShiftSlash;
        default:
            return kShiftPlus;
    }
}

// Weights 1, 2, … up to `maxWeight` and again from 1, counted from the right.
int WeightedCheck(const std::vector<int>& values, int maxWeight) {
    int sum = 0;
    int weight = 1;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        sum = (sum + *it * weight) % 47;
        weight = weight == maxWeight ? 1 : weight + 1;
    }
    return sum;
}

}  // namespace

int Code93Value(QChar c) {
    if (c.unicode() > 127) {
        return -1;
    }
    const size_t at = kCode93Characters.find(static_cast<char>(c.unicode()));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int Code93CheckC(const std::vector<int>& values) {
    return WeightedCheck(values, 20);
}

int Code93CheckK(const std::vector<int>& valuesWithC) {
    return WeightedCheck(valuesWithC, 15);
}

// Characters outside the set are skipped, as in Code 39.
std::vector<int> Code93Values(const QString& text) {
    std::vector<int> values;
    values.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        const int value = Code93Value(c);
        if (value >= 0) {
            values.push_back(value);
        }
    }
    return values;
}

std::vector<int> Code93FullAsciiValues(const QString& text) {
    std::vector<int> values;
    for (QChar c : text) {
        if (c.unicode() >= 128) {
            continue;
        }
        const std::string_view sequence = FullAsciiSequence(static_cast<char>(c.unicode()));
        if (sequence.size() == 2) {
            values.push_back(ShiftValue(sequence[0]));
            values.push_back(Code93Value(QChar(sequence[1])));
        } else {
            values.push_back(Code93Value(QChar(sequence[0])));
        }
    }
    return values;
}

std::string EncodeCode93Values(const std::vector<int>& values) {
    std::string pattern = WidthsToPattern(kStart);
    for (int value : values) {
        pattern += WidthsToPattern(kCode93Widths[value]);
    }
    std::vector<int> checked = values;
    checked.push_back(Code93CheckC(values));
    checked.push_back(Code93CheckK(checked));
    pattern += WidthsToPattern(kCode93Widths[checked[checked.size() - 2]]);
    pattern += WidthsToPattern(kCode93Widths[checked.back()]);
    pattern += WidthsToPattern(kStop);
    return pattern;
}

}  // namespace barcode
