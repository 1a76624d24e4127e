// Encodings of known values: the published EAN/UPC digit tables, the framing
// of every encoder, the shape rules of each character table and the
// preparation of the text.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "report/output/barcode_encoding.h"
#include "report/output/sestbarc.h"
#include "tests/report/output/barcode_recording_canvas.h"

using namespace barcode;
using barcode_test::Modules;

namespace {

// Element widths of a module string ("1101" -> {2, 1, 1}).
std::vector<int> Runs(const std::string& modules) {
    std::vector<int> runs;
    for (size_t i = 0; i < modules.size();) {
        size_t j = i;
        while (j < modules.size() && modules[j] == modules[i]) {
            ++j;
        }
        runs.push_back(static_cast<int>(j - i));
        i = j;
    }
    return runs;
}

}  // namespace

TEST(BarcodePatterns, WidthStringConversion) {
    EXPECT_EQ(WidthsToPattern("211412"), "605351");
    EXPECT_EQ(SpaceFirstWidthsToPattern("3211"), "2605");
    EXPECT_EQ(ModulesToPattern("11010010000"), WidthsToPattern("211214"));
}

TEST(BarcodePatterns, EanSetsMatchThePublishedModuleTables) {
    const char* left_odd[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                "0110001", "0101111", "0111011", "0110111", "0001011"};
    const char* left_even[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                 "0111001", "0000101", "0010001", "0001001", "0010111"};
    const char* right[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                             "1001110", "1010000", "1000100", "1001000", "1110100"};
    for (int d = 0; d < 10; ++d) {
        const char c = static_cast<char>('0' + d);
        EXPECT_EQ(Modules(EanDigit(c, EanSet::A)), left_odd[d]) << d;
        EXPECT_EQ(Modules(EanDigit(c, EanSet::B)), left_even[d]) << d;
        EXPECT_EQ(Modules(EanDigit(c, EanSet::C)), right[d]) << d;
    }
    EXPECT_EQ(EanDigit('0', EanSet::A), "2605");
    EXPECT_EQ(EanDigit('0', EanSet::B), "0517");
    EXPECT_EQ(EanDigit('0', EanSet::C), "7150");
}

TEST(BarcodePatterns, Ean13FramingAndParity) {
    const std::string p = EncodeBarcode(btEan13, "4006381333931", false).pattern;
    EXPECT_EQ(Modules(p).size(), 95u);
    EXPECT_EQ(p.substr(0, 3), "E0E");
    EXPECT_EQ(p.substr(3 + 24, 5), "0E0E0");
    EXPECT_EQ(p.substr(p.size() - 3), "E0E");
    // First digit 4: parity row ABAABB for the digits 0 0 6 3 8 1.
    EXPECT_EQ(p.substr(3, 24), EanDigit('0', EanSet::A) + EanDigit('0', EanSet::B) +
                                   EanDigit('6', EanSet::A) + EanDigit('3', EanSet::A) +
                                   EanDigit('8', EanSet::B) + EanDigit('1', EanSet::B));
    EXPECT_EQ(p.substr(32, 24), EanDigit('3', EanSet::C) + EanDigit('3', EanSet::C) +
                                    EanDigit('3', EanSet::C) + EanDigit('9', EanSet::C) +
                                    EanDigit('3', EanSet::C) + EanDigit('1', EanSet::C));
}

TEST(BarcodePatterns, Ean8AndUpcAFraming) {
    const std::string ean8 = EncodeBarcode(btEan8, "96385074", false).pattern;
    EXPECT_EQ(Modules(ean8).size(), 67u);
    EXPECT_EQ(ean8.substr(0, 3), "E0E");
    EXPECT_EQ(ean8.substr(3, 16), EanDigit('9', EanSet::A) + EanDigit('6', EanSet::A) +
                                      EanDigit('3', EanSet::A) + EanDigit('8', EanSet::A));
    EXPECT_EQ(ean8.substr(19, 5), "0E0E0");

    const std::string upca = EncodeBarcode(btUpcA, "036000291452", false).pattern;
    EXPECT_EQ(Modules(upca).size(), 95u);
    EXPECT_EQ(upca.substr(0, 3), "505");  // ordinary bars, not guard bars
    EXPECT_EQ(upca.substr(27, 5), "05050");
    EXPECT_EQ(upca.substr(upca.size() - 3), "505");
    EXPECT_EQ(upca.find('E'), std::string::npos);
    // A UPC-A is the EAN-13 with a leading 0, module for module.
    EXPECT_EQ(Modules(upca), Modules(EncodeBarcode(btEan13, "0036000291452", false).pattern));
}

TEST(BarcodePatterns, UpcEParityCarriesTheCheckDigit) {
    // 0 123456 5: check 5 gives the number-system-0 parity row "BAABBA".
    const std::string e0 = EncodeBarcode(btUpcE0, "1234565", false).pattern;
    EXPECT_EQ(Modules(e0),
              "101"
              "0110011"
              "0010011"
              "0111101"
              "0011101"
              "0111001"
              "0101111"
              "010101");
    // Number system 1 takes the inverse row "ABBAAB".
    const std::string e1 = EncodeBarcode(btUpcE1, "1234565", false).pattern;
    EXPECT_EQ(e1.substr(3, 24), EanDigit('1', EanSet::A) + EanDigit('2', EanSet::B) +
                                    EanDigit('3', EanSet::B) + EanDigit('4', EanSet::A) +
                                    EanDigit('5', EanSet::A) + EanDigit('6', EanSet::B));
}

TEST(BarcodePatterns, AddOns) {
    // 52495: check 1, parity row "BABAA".
    const std::string s5 = EncodeBarcode(btUpcSupp5, "52495", false).pattern;
    EXPECT_EQ(Modules(s5).size(), 47u);
    EXPECT_EQ(s5, "506" + EanDigit('5', EanSet::B) + "05" + EanDigit('2', EanSet::A) + "05" +
                      EanDigit('4', EanSet::B) + "05" + EanDigit('9', EanSet::A) + "05" +
                      EanDigit('5', EanSet::A));
    // 2 digits by the value mod 4: 34 -> 2 -> B A.
    EXPECT_EQ(EncodeBarcode(btUpcSupp2, "34", false).pattern,
              "506" + EanDigit('3', EanSet::B) + "05" + EanDigit('4', EanSet::A));
    EXPECT_EQ(Modules(EncodeBarcode(btUpcSupp2, "12", false).pattern).size(), 20u);
}

TEST(BarcodePatterns, DigitFitting) {
    EXPECT_EQ(FitDigits("123", 13), "0000000001230");
    EXPECT_EQ(FitDigits("", 8), "00000000");
    EXPECT_EQ(FitDigits("1234567", 8), "12345670");  // n - 1 digits: a 0 is appended
    EXPECT_EQ(FitDigits("12345678", 8), "12345678");
    EXPECT_EQ(FitDigits("123456789", 8), "23456789");  // the last n digits
    EXPECT_EQ(EncodeBarcode(btEan13, "123", false).text, "0000000001230");
    // Digits types are trimmed and every other character becomes 0.
    EXPECT_EQ(EncodeBarcode(btCode128C, "  12a4\t", false).text, "1204");
    EXPECT_EQ(EncodeBarcode(btPostNet, "1-2", false).text, "102");
    EXPECT_EQ(EncodeBarcode(btMsi, QString::fromUtf8("\x01 7\u00a0\x1f"), false).text, "7");
    EXPECT_EQ(EncodeBarcode(btMsi, QString::fromUtf8("7\x01 7"), false).text, "7007");
}

TEST(BarcodePatterns, Ean8Or13ChoosesByLength) {
    EXPECT_EQ(EncodeBarcode(btEan8Or13, "123456789", false).type, btEan13);
    EXPECT_EQ(EncodeBarcode(btEan8Or13, "12345678", false).type, btEan8);
    EXPECT_EQ(EncodeBarcode(btEan8Or13, "", false).type, btEan8);
    EXPECT_EQ(EncodeBarcode(btEan8Or13, "123456789", false).text, "0001234567890");
}

TEST(BarcodePatterns, TwoOfFiveFamily) {
    // Interleaved: only complete pairs are encoded.
    const std::string odd = EncodeBarcode(btInterleaved25, "12345", false).pattern;
    EXPECT_EQ(odd, EncodeBarcode(btInterleaved25, "1234", false).pattern);
    // Pair 12: bars of 1 (W N N N W), spaces of 2 (N W N N W).
    EXPECT_EQ(EncodeInterleaved25("12"),
              "5050"
              "60"
              "51"
              "50"
              "50"
              "61"
              "605");
    EXPECT_EQ(EncodeIndustrial25("0"),
              "606050"
              "5050606050"
              "605060");
    const TBarcodeSymbol matrix = EncodeBarcode(btMatrix25, "0", false);
    EXPECT_EQ(matrix.pattern,
              "705050"
              "50615"
              "0"
              "70505");
    EXPECT_DOUBLE_EQ(matrix.wideRatio, 2.25);
    EXPECT_DOUBLE_EQ(EncodeBarcode(btInterleaved25, "0", false).wideRatio, 2.0);
    // Every digit: two wide of five, all ten different.
    std::set<std::string> seen;
    for (char d = '0'; d <= '9'; ++d) {
        const bool* wide = TwoOfFiveWide(d);
        EXPECT_EQ(std::count(wide, wide + 5, true), 2) << d;
        seen.insert(std::string(wide, wide + 5));
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST(BarcodePatterns, Code39CharactersAndFraming) {
    // Only start and stop for text outside the set (lower case).
    const std::string star = EncodeCode39("", false);
    EXPECT_EQ(EncodeBarcode(btCode39, "abc", false).pattern, star);
    EXPECT_EQ(Modules(star),
              "100101101101"
              "0"
              "100101101101");
    std::set<std::string> seen;
    for (QChar c : QString("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%")) {
        const std::string p = EncodeCode39(QString(c), false);
        // start + gap, character + gap, stop
        const std::string ch = Modules(p).substr(13, 12);
        const std::vector<int> runs = Runs(ch);
        ASSERT_EQ(runs.size(), 9u) << c.toLatin1();
        EXPECT_EQ(std::count(runs.begin(), runs.end(), 2), 3) << c.toLatin1();
        seen.insert(ch);
    }
    EXPECT_EQ(seen.size(), 43u);
    EXPECT_EQ(Modules(EncodeCode39("A", false)).substr(13, 12), "110101001011");
}

TEST(BarcodePatterns, FullAsciiTable) {
    EXPECT_EQ(Code39FullAsciiText(QString(QChar(0))), "%U");
    EXPECT_EQ(Code39FullAsciiText("a\x01\x1b!:;@[`{\x7f"), "+A$A%A/A/Z%F%V%K%W%P%T");
    EXPECT_EQ(Code39FullAsciiText("AZ09 -."), "AZ09 -.");
    EXPECT_EQ(Code39FullAsciiText("$%/+"), "/D/E/O/K");
    EXPECT_EQ(Code39FullAsciiText(QString::fromUtf8("Čas")), "+A+S");  // from 128 up dropped
    for (int c = 0; c < 128; ++c) {
        const std::string_view seq = FullAsciiSequence(static_cast<char>(c));
        for (char s : seq) {
            EXPECT_GE(Code39Value(QChar(s)), 0) << c;
        }
    }
}

TEST(BarcodePatterns, Code93CharactersAndShifts) {
    const std::string empty = EncodeCode93Values({});
    EXPECT_EQ(empty.substr(0, 6), "505080");               // start 111141
    EXPECT_EQ(empty.substr(empty.size() - 7), "5050805");  // stop 1111411
    std::set<std::string> seen;
    for (int v = 0; v < 47; ++v) {
        const std::string ch = Modules(EncodeCode93Values({v})).substr(9, 9);
        const std::vector<int> runs = Runs(ch);
        ASSERT_EQ(runs.size(), 6u) << v;
        EXPECT_EQ(ch.front(), '1');
        seen.insert(ch);
    }
    EXPECT_EQ(seen.size(), 47u);
    const std::vector<int> full = Code93FullAsciiValues("a$\x01%");
    EXPECT_EQ(full, (std::vector<int>{46, 10, 45, 13, 43, 10, 45, 14}));
    // A character outside the set is skipped, as in Code 39.
    EXPECT_EQ(Code93Values("Ab-c"), (std::vector<int>{10, 36}));
}

TEST(BarcodePatterns, Code128Symbols) {
    EXPECT_EQ(Modules(std::string(WidthsToPattern(Code128Widths(104)))), "11010010000");
    EXPECT_EQ(Modules(std::string(WidthsToPattern(Code128Widths(106)))), "1100011101011");
    EXPECT_EQ(Modules(std::string(WidthsToPattern(Code128Widths(33)))), "10100011000");
    std::set<std::string_view> seen;
    for (int v = 0; v < 106; ++v) {
        const std::string_view w = Code128Widths(v);
        ASSERT_EQ(w.size(), 6u);
        int modules = 0, barModules = 0;
        for (size_t i = 0; i < 6; ++i) {
            modules += w[i] - '0';
            if (i % 2 == 0) {
                barModules += w[i] - '0';
            }
        }
        EXPECT_EQ(modules, 11) << v;
        EXPECT_EQ(barModules % 2, 0) << v;
        seen.insert(w);
    }
    EXPECT_EQ(seen.size(), 106u);
    const std::string p = EncodeBarcode(btCode128B, "Hi", false).pattern;
    EXPECT_EQ(Modules(p).size(), 11u * 4 + 13);
}

TEST(BarcodePatterns, Code128Sets) {
    EXPECT_EQ(Code128Values("123", Code128Set::C), (std::vector<int>{1, 23}));
    EXPECT_EQ(Code128Values("", Code128Set::C), std::vector<int>{});
    EXPECT_EQ(Code128Values("aZ\t", Code128Set::A), (std::vector<int>{33, 58, 73}));
    EXPECT_EQ(Code128Values("a~\t", Code128Set::B), (std::vector<int>{65, 94, 0}));
    EXPECT_EQ(Code128Values(QString::fromUtf8("Čx"), Code128Set::B), (std::vector<int>{0, 88}));
    EXPECT_EQ(Code128Values("{", Code128Set::A), std::vector<int>{0});
    EXPECT_EQ(EncodeBarcode(btCode128A, "abc", false).pattern,
              EncodeBarcode(btCode128A, "ABC", false).pattern);
}

TEST(BarcodePatterns, MsiPostNetCodabar) {
    // MSI 4: 0100 -> narrow-wide-narrow-narrow bits; check digit of "4" is 2.
    EXPECT_EQ(EncodeMsi("4"),
              "60"
              "51605151"
              "51516051"
              "515");
    // PostNet 1 = 00011, half bars short.
    EXPECT_EQ(EncodePostNet("1"),
              "51"
              "9191915151"
              "5");
    EXPECT_EQ(EncodePostNet(""), "515");
    // Codabar: A … B, characters outside the set skipped.
    const std::string p = EncodeCodabar("1x2A");
    EXPECT_EQ(p, EncodeCodabar("12"));
    EXPECT_EQ(Modules(p),
              "1011001001"
              "0"
              "101011001"
              "0"
              "101001011"
              "0"
              "1001001011");
}
