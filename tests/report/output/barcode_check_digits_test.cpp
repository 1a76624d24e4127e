// Check digits and check characters of the symbologies, against published
// examples and against independent validity rules.

#include <gtest/gtest.h>

#include "report/output/barcode_encoding.h"
#include "report/output/sestbarc.h"

using namespace barcode;

namespace {

// Luhn validity of a number whose last digit is its check digit.
bool LuhnValid(const std::string& number) {
    int sum = 0;
    bool twice = false;
    for (auto it = number.rbegin(); it != number.rend(); ++it) {
        int d = *it - '0';
        if (twice) {
            d *= 2;
            if (d > 9) {
                d -= 9;
            }
        }
        sum += d;
        twice = !twice;
    }
    return sum % 10 == 0;
}

// EAN/GTIN validity: weights 1 and 3 from the right, check digit included.
bool GtinValid(const std::string& number) {
    int sum = 0;
    bool three = false;
    for (auto it = number.rbegin(); it != number.rend(); ++it) {
        sum += (*it - '0') * (three ? 3 : 1);
        three = !three;
    }
    return sum % 10 == 0;
}

}  // namespace

TEST(BarcodeCheckDigits, EanAndUpcPublishedNumbers) {
    EXPECT_EQ(Mod10CheckDigit("590123412345"), 7);
    EXPECT_EQ(Mod10CheckDigit("400638133393"), 1);  // 4006381333931
    EXPECT_EQ(Mod10CheckDigit("9638507"), 4);       // EAN-8 96385074
    EXPECT_EQ(Mod10CheckDigit("03600029145"), 2);   // UPC-A 036000291452
    EXPECT_EQ(Mod10CheckDigit("000000000000"), 0);
}

TEST(BarcodeCheckDigits, FixedLengthTypesShowTheComputedDigitOnlyWithTheFlag) {
    EXPECT_EQ(EncodeBarcode(btEan13, "590123412345", true).text, "5901234123457");
    EXPECT_EQ(EncodeBarcode(btEan13, "590123412345", false).text, "5901234123450");
    EXPECT_EQ(EncodeBarcode(btEan13, "5901234123451", false).text, "5901234123451");
    EXPECT_EQ(EncodeBarcode(btEan13, "5901234123451", true).text, "5901234123457");
    EXPECT_EQ(EncodeBarcode(btEan8, "9638507", true).text, "96385074");
    EXPECT_EQ(EncodeBarcode(btUpcA, "03600029145", true).text, "036000291452");
    for (const char* n : {"1", "12", "98765", "31415926535", "271828182845"}) {
        const QString text = EncodeBarcode(btEan13, n, true).text;
        EXPECT_TRUE(GtinValid(text.toStdString())) << n << " -> " << text.toStdString();
    }
}

TEST(BarcodeCheckDigits, UpcEChecksItsUpcAExpansion) {
    EXPECT_EQ(ExpandUpcE("123456", 0), "01234500006");
    EXPECT_EQ(ExpandUpcE("123450", 0), "01200000345");
    EXPECT_EQ(ExpandUpcE("123453", 1), "11230000045");
    EXPECT_EQ(ExpandUpcE("123454", 0), "01234000005");
    EXPECT_EQ(UpcECheckDigit("123456", 0), 5);  // the published 01234565
    // Where the expansion matters: the six digits alone would give 3.
    EXPECT_EQ(UpcECheckDigit("123450", 0), 5);
    EXPECT_EQ(EncodeBarcode(btUpcE0, "123450", true).text, "1234505");
    EXPECT_EQ(EncodeBarcode(btUpcE1, "123453", true).text,
              QString("123453") + QChar('0' + Mod10CheckDigit("11230000045")));
}

TEST(BarcodeCheckDigits, FiveDigitAddOn) {
    EXPECT_EQ(AddOnCheckDigit("52495"), 1);  // the published $24.95 add-on
    EXPECT_EQ(AddOnCheckDigit("00000"), 0);
    EXPECT_EQ(AddOnCheckDigit("10000"), 3);
    EXPECT_EQ(AddOnCheckDigit("01000"), 9);
    // The add-on's check lives in the parity; the text keeps its five digits.
    EXPECT_EQ(EncodeBarcode(btUpcSupp5, "52495", true).text, "52495");
}

TEST(BarcodeCheckDigits, Code39Mod43OnlyWithTheFlag) {
    const std::string plain = EncodeCode39("CODE39", false);
    const std::string checked = EncodeCode39("CODE39", true);
    // "CODE39" has the check character W (value 32).
    EXPECT_EQ(checked, EncodeCode39("CODE39W", false));
    EXPECT_NE(plain, checked);
    // Skipped characters do not count.
    EXPECT_EQ(EncodeCode39("co-DE39", true), EncodeCode39("-DE39", true));
}

TEST(BarcodeCheckDigits, Code93CAndK) {
    // T E S T 9 3 -> C = "+" (41), K = "6".
    const std::vector<int> values = Code93Values("TEST93");
    EXPECT_EQ(Code93CheckC(values), 41);
    std::vector<int> withC = values;
    withC.push_back(41);
    EXPECT_EQ(Code93CheckK(withC), 6);
    // Weights restart after 20 (C) and 15 (K): 21 ones weigh 1..20 then 1.
    const std::vector<int> ones(21, 1);
    EXPECT_EQ(Code93CheckC(ones), (210 + 1) % 47);
    EXPECT_EQ(Code93CheckK(std::vector<int>(16, 1)), (120 + 1) % 47);
}

TEST(BarcodeCheckDigits, Code128Mod103) {
    // Start B (104) + P 48·1 + J 42·2 + J 42·3 + 1 17·4 + 2 18·5 + 3 19·6 + C 35·7 = 879.
    EXPECT_EQ(Code128CheckValue(104, Code128Values("PJJ123C", Code128Set::B)), 879 % 103);
    // Start C (105) + 12·1 + 34·2 + 56·3 = 353.
    EXPECT_EQ(Code128CheckValue(105, Code128Values("123456", Code128Set::C)), 353 % 103);
    // Positions keep counting past 103 without overflowing.
    const std::vector<int> many(10000, 95);
    long long sum = 103;
    for (long long i = 1; i <= 10000; ++i) {
        sum += i * 95;
    }
    EXPECT_EQ(Code128CheckValue(103, many), static_cast<int>(sum % 103));
}

TEST(BarcodeCheckDigits, MsiIsLuhnCountedFromTheRight) {
    EXPECT_EQ(MsiCheckDigit("1234567"), 4);  // published 12345674
    EXPECT_EQ(MsiCheckDigit("1234"), 4);
    EXPECT_EQ(MsiCheckDigit(""), 0);
    for (const char* n : {"1", "80523", "123456", "999999999", "4000123456", "55"}) {
        const std::string digits(n);
        EXPECT_TRUE(LuhnValid(digits + char('0' + MsiCheckDigit(digits)))) << n;
    }
    // 10,000 digits: the doubled part never overflows.
    const std::string longDigits(10000, '9');
    EXPECT_TRUE(LuhnValid(longDigits + char('0' + MsiCheckDigit(longDigits))));
}

TEST(BarcodeCheckDigits, Interleaved25CheckDigitMakesTheCountEven) {
    // 1234567 -> check 0 -> 12345670 (even, no padding).
    EXPECT_EQ(EncodeBarcode(btInterleaved25, "1234567", true).text, "12345670");
    // 123456 -> check 5 -> 1234565 is odd: a leading zero keeps every digit.
    EXPECT_EQ(EncodeBarcode(btInterleaved25, "123456", true).text, "01234565");
    EXPECT_EQ(EncodeBarcode(btInterleaved25, "123456", false).text, "123456");
    EXPECT_EQ(EncodeBarcode(btInterleaved25, "01234565", false).pattern,
              EncodeBarcode(btInterleaved25, "123456", true).pattern);
}
