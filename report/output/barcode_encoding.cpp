// Preparation of a barcode text and the choice of encoder; the width-string
// conversion and the digit fitting shared by the encoders.

#include "report/output/barcode_encoding.h"
#include "report/output/sestbarc.h"

#include <algorithm>

namespace barcode {

std::string WidthsToPattern(std::string_view widths) {
    std::string pattern;
    pattern.reserve(widths.size());
    for (size_t i = 0; i < widths.size(); ++i) {
        const int width = widths[i] - '0';
        pattern += static_cast<char>(i % 2 == 0 ? '0' + width + 4 : '0' + width - 1);
    }
    return pattern;
}

std::string SpaceFirstWidthsToPattern(std::string_view widths) {
    std::string pattern;
    pattern.reserve(widths.size());
    for (size_t i = 0; i < widths.size(); ++i) {
        const int width = widths[i] - '0';
        pattern += static_cast<char>(i % 2 == 0 ? '0' + width - 1 : '0' + width + 4);
    }
    return pattern;
}

std::string ModulesToPattern(std::string_view modules) {
    std::string widths;
    for (size_t i = 0; i < modules.size();) {
        size_t run = 1;
        while (i + run < modules.size() && modules[i + run] == modules[i]) {
            ++run;
        }
        widths += static_cast<char>('0' + run);
        i += run;
    }
    return WidthsToPattern(widths);
}

std::string FitDigits(std::string_view digits, int n) {
    std::string fitted(digits);
    if (static_cast<int>(fitted.size()) < n) {
        fitted.insert(0, static_cast<size_t>(n - 1) - std::min(fitted.size(), size_t(n - 1)), '0');
        fitted += '0';
    }
    return fitted.substr(fitted.size() - static_cast<size_t>(n));
}

int Mod10CheckDigit(std::string_view digits) {
    int sum = 0;
    bool weightThree = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * (weightThree ? 3 : 1);
        weightThree = !weightThree;
    }
    return (10 - sum % 10) % 10;
}

}  // namespace barcode

namespace {

using namespace barcode;

// Blanks and control characters at either end do not count.
bool IsTrimmed(QChar c) {
    return c.unicode() <= u' ' || c.isSpace();
}

QStringView Trimmed(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsTrimmed(text[first])) {
        ++first;
    }
    while (last > first && IsTrimmed(text[last - 1])) {
        --last;
    }
    return QStringView(text).mid(first, last - first);
}

// The digits a digits type works on: the trimmed text with every character
// other than 0..9 replaced by "0".
std::string DigitsOf(const QString& text) {
    const QStringView trimmed = Trimmed(text);
    std::string digits;
    digits.reserve(static_cast<size_t>(trimmed.size()));
    for (QChar c : trimmed) {
        const char16_t u = c.unicode();
        digits += (u >= u'0' && u <= u'9') ? static_cast<char>(u) : '0';
    }
    return digits;
}

int FixedLength(int type) {
    switch (type) {
        case btEan8:
            return 8;
        case btEan13:
            return 13;
        case btUpcA:
            return 12;
        case btUpcE0:
        case btUpcE1:
            return 7;
        case btUpcSupp5:
            return 5;
        case btUpcSupp2:
            return 2;
        default:
            return 0;
    }
}

// The check digit of a fixed-length EAN/UPC text, computed over its first
// n - 1 digits; -1 for the add-ons, whose check lives in the parity.
int FixedLengthCheckDigit(int type, const std::string& fitted) {
    const std::string_view data(fitted.data(), fitted.size() - 1);
    switch (type) {
        case btEan8:
        case btEan13:
        case btUpcA:
            return Mod10CheckDigit(data);
        case btUpcE0:
            return UpcECheckDigit(data, 0);
        case btUpcE1:
            return UpcECheckDigit(data, 1);
        default:
            return -1;
    }
}

std::string EncodeFixedLength(int type, const std::string& digits) {
    switch (type) {
        case btEan8:
            return EncodeEan8(digits);
        case btEan13:
            return EncodeEan13(digits);
        case btUpcA:
            return EncodeUpcA(digits);
        case btUpcE0:
            return EncodeUpcE(digits, 0);
        case btUpcE1:
            return EncodeUpcE(digits, 1);
        case btUpcSupp5:
            return EncodeUpcSupp5(digits);
        default:
            return EncodeUpcSupp2(digits);
    }
}

void EncodeFixedLengthType(TBarcodeSymbol& symbol, const std::string& digits, bool checkDigit) {
    std::string fitted = FitDigits(digits, FixedLength(symbol.type));
    const int check = FixedLengthCheckDigit(symbol.type, fitted);
    if (checkDigit && check >= 0) {
        fitted.back() = static_cast<char>('0' + check);
    }
    symbol.pattern = EncodeFixedLength(symbol.type, fitted);
    symbol.text = QString::fromLatin1(fitted);
}

// Interleaved 2 of 5 with the check-digit flag carries the mod-10 check digit
// after the data, with a leading "0" when that makes the digit count odd (a
// lone last digit would not be encoded).
std::string WithInterleavedCheckDigit(std::string digits) {
    digits += static_cast<char>('0' + Mod10CheckDigit(digits));
    if (digits.size() % 2 != 0) {
        digits.insert(0, 1, '0');
    }
    return digits;
}

void EncodeDigitType(TBarcodeSymbol& symbol, const QString& text, bool checkDigit) {
    std::string digits = DigitsOf(text);
    if (FixedLength(symbol.type) > 0) {
        EncodeFixedLengthType(symbol, digits, checkDigit);
        return;
    }
    if (symbol.type == btInterleaved25 && checkDigit) {
        digits = WithInterleavedCheckDigit(digits);
    }
    symbol.text = QString::fromLatin1(digits);
    switch (symbol.type) {
        case btInterleaved25:
            symbol.pattern = EncodeInterleaved25(digits);
            break;
        case btIndustrial25:
            symbol.pattern = EncodeIndustrial25(digits);
            break;
        case btMatrix25:
            symbol.pattern = EncodeMatrix25(digits);
            break;
        case btCode128C:
            symbol.pattern = EncodeCode128(symbol.text, Code128Set::C);
            break;
        case btMsi:
            symbol.pattern = EncodeMsi(digits);
            break;
        case btPostNet:
            symbol.pattern = EncodePostNet(digits);
            break;
        default:
            break;
    }
}

void EncodeTextType(TBarcodeSymbol& symbol, const QString& text, bool checkDigit) {
    symbol.text = text;
    switch (symbol.type) {
        case btCode39:
            symbol.pattern = EncodeCode39(text, checkDigit);
            break;
        case btCode39Full:
            symbol.pattern = EncodeCode39(Code39FullAsciiText(text), checkDigit);
            break;
        case btCode128A:
            symbol.pattern = EncodeCode128(text, Code128Set::A);
            break;
        case btCode128B:
            symbol.pattern = EncodeCode128(text, Code128Set::B);
            break;
        case btCode93:
            symbol.pattern = EncodeCode93Values(Code93Values(text));
            break;
        case btCode93Full:
            symbol.pattern = EncodeCode93Values(Code93FullAsciiValues(text));
            break;
        case btCodabar:
            symbol.pattern = EncodeCodabar(text);
            break;
        default:
            break;
    }
}

}  // namespace

TBarcodeSymbol EncodeBarcode(int type, const QString& text, bool checkDigit) {
    TBarcodeSymbol symbol;
    if (type == btEan8Or13) {
        type = text.size() > 8 ? btEan13 : btEan8;
    }
    if (type < 0 || type >= kBarcodeTypeCount) {
        return symbol;
    }
    symbol.type = type;
    symbol.wideRatio = type == btMatrix25 ? 2.25 : 2.0;
    if (IsDigitBarcodeType(type)) {
        EncodeDigitType(symbol, text, checkDigit);
    } else {
        EncodeTextType(symbol, text, checkDigit);
    }
    return symbol;
}
