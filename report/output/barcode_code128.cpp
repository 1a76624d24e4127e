// Code 128 in one of its three code sets for the whole text, with the
// mod-103 check symbol that is always present.

#include "report/output/barcode_encoding.h"

namespace barcode {

namespace {

// Element widths of the symbols 0..105 and of the stop symbol (106).
constexpr const char* kCode128Widths[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

constexpr int kStop = 106;

// Set A holds the characters 32..95 (values 0..63) and the controls 0..31
// (values 64..95); set B the characters 32..127 (values 0..95).
int ValueInSet(char16_t c, Code128Set set) {
    if (c >= 32 && c <= (set == Code128Set::A ? 95 : 127)) {
        return c - 32;
    }
    if (set == Code128Set::A && c < 32) {
        return c + 64;
    }
    return 0;
}

bool IsDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

std::vector<int> DigitPairValues(QString digits) {
    if (digits.size() % 2 != 0) {
        digits.prepend(QLatin1Char('0'));
    }
    std::vector<int> values;
    values.reserve(static_cast<size_t>(digits.size() / 2));
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        const QChar high = digits[i];
        const QChar low = digits[i + 1];
        values.push_back(IsDigit(high) && IsDigit(low)
                             ? (high.unicode() - u'0') * 10 + (low.unicode() - u'0')
                             : 0);
    }
    return values;
}

}  // namespace

std::vector<int> Code128Values(const QString& text, Code128Set set) {
    if (set == Code128Set::C) {
        return DigitPairValues(text);
    }
    const QString source = set == Code128Set::A ? text.toUpper() : text;
    std::vector<int> values;
    values.reserve(static_cast<size_t>(source.size()));
    for (QChar c : source) {
        values.push_back(ValueInSet(c.unicode(), set));
    }
    return values;
}

int Code128StartValue(Code128Set set) {
    switch (set) {
        case Code128Set::A:
            return 103;
        case Code128Set::B:
            return 104;
        case Code128Set::C:
            return 105;
    }
    return 104;
}

int Code128CheckValue(int startValue, const std::vector<int>& values) {
    int sum = startValue % 103;
    int position = 1;
    for (int value : values) {
        sum = (sum + position * value) % 103;
        position = position % 103 + 1;  // the weight only matters mod 103
    }
    return sum;
}

std::string_view Code128Widths(int value) {
    return kCode128Widths[value];
}

std::string EncodeCode128(const QString& text, Code128Set set) {
    const int start = Code128StartValue(set);
    const std::vector<int> values = Code128Values(text, set);
    std::string pattern = WidthsToPattern(kCode128Widths[start]);
    for (int value : values) {
        pattern += WidthsToPattern(kCode128Widths[value]);
    }
    pattern += WidthsToPattern(kCode128Widths[Code128CheckValue(start, values)]);
    pattern += WidthsToPattern(kCode128Widths[kStop]);
    return pattern;
}

}  // namespace barcode
