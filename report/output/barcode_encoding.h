#pragma once
// The encoders behind EncodeBarcode, one family per source file, and the
// helpers they share. Every encoder returns a pattern in the alphabet of
// sestbarc.h; digit encoders expect a string of the digits '0'..'9' only.

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace barcode {

// ---- shared helpers (barcode_encoding.cpp) ----------------------------------

// Element widths in modules, bar first ("211412"), to the pattern alphabet:
// a digit d at an even position becomes the bar d + 4, at an odd position
// the space d - 1.
std::string WidthsToPattern(std::string_view widths);
// The same for a run that starts with a space (EAN/UPC sets A and B).
std::string SpaceFirstWidthsToPattern(std::string_view widths);
// A module pattern ("1" a bar module, "0" a space module) to the alphabet:
// each run of equal modules is one element, starting with a bar.
std::string ModulesToPattern(std::string_view modules);

// `digits` fitted to n digits: a shorter text is padded on the left with "0"
// to n - 1 digits and a "0" is appended; then the last n digits are kept.
std::string FitDigits(std::string_view digits, int n);

// Check digit of the EAN/UPC family and of the optional 2 of 5 check: weight 3
// on the last digit and every second one before it, 1 on the others;
// (10 - sum mod 10) mod 10.
int Mod10CheckDigit(std::string_view digits);

// ---- EAN and UPC (barcode_ean.cpp) -----------------------------------------

enum class EanSet { A, B, C };
// The four alphabet characters of one digit in a set.
std::string EanDigit(char digit, EanSet set);

std::string EncodeEan13(std::string_view digits13);
std::string EncodeEan8(std::string_view digits8);
std::string EncodeUpcA(std::string_view digits12);
// Six data digits and the check digit (7 digits); number system 0 or 1.
std::string EncodeUpcE(std::string_view digits7, int numberSystem);
std::string EncodeUpcSupp5(std::string_view digits5);
std::string EncodeUpcSupp2(std::string_view digits2);

// The UPC-A number a UPC-E symbol stands for (11 digits without check digit).
std::string ExpandUpcE(std::string_view sixDigits, int numberSystem);
// The check digit of a UPC-E symbol: that of its UPC-A expansion.
int UpcECheckDigit(std::string_view sixDigits, int numberSystem);
// Check of the five-digit add-on: weights 3 and 9 alternating, 3 on the last
// digit; sum mod 10.
int AddOnCheckDigit(std::string_view digits);

// ---- 2 of 5 (barcode_two_of_five.cpp) ---------------------------------------

// The published 2-of-5 pattern of a digit: five flags, true for a wide element.
const bool* TwoOfFiveWide(char digit);
std::string EncodeInterleaved25(std::string_view digits);
std::string EncodeIndustrial25(std::string_view digits);
std::string EncodeMatrix25(std::string_view digits);

// ---- Code 39 (barcode_code39.cpp) -------------------------------------------

// Value 0..42 of a Code 39 character, -1 outside the set ('*' is outside).
int Code39Value(QChar c);
// The full-ASCII sequence of an ASCII character (0..127): one character or a
// shift character ('$', '%', '/', '+') and a letter or digit.
std::string_view FullAsciiSequence(char ascii);
// Code 39 text after the full-ASCII substitution; characters from 128 up are dropped.
QString Code39FullAsciiText(const QString& text);
std::string EncodeCode39(const QString& text, bool checkDigit);

// ---- Code 93 (barcode_code93.cpp) -------------------------------------------

// Value of a Code 93 data character (0..42), -1 outside the set. The shift
// characters ($) (%) (/) (+) have the values 43..46 and no character of their own.
int Code93Value(QChar c);
// The check characters C and K of a sequence of values.
int Code93CheckC(const std::vector<int>& values);
int Code93CheckK(const std::vector<int>& valuesWithC);
std::vector<int> Code93Values(const QString& text);
std::vector<int> Code93FullAsciiValues(const QString& text);
std::string EncodeCode93Values(const std::vector<int>& values);

// ---- Code 128 (barcode_code128.cpp) -----------------------------------------

enum class Code128Set { A, B, C };
// Symbol values of a text in set A or B (a character not in the set is the
// space, value 0); set C expects digits and pairs them, a leading "0" making an
// odd count even.
std::vector<int> Code128Values(const QString& text, Code128Set set);
int Code128StartValue(Code128Set set);
int Code128CheckValue(int startValue, const std::vector<int>& values);
// Element widths of symbol 0..105, or of the stop symbol (106).
std::string_view Code128Widths(int value);
std::string EncodeCode128(const QString& text, Code128Set set);

// ---- MSI, PostNet, Codabar (barcode_msi_postnet.cpp, barcode_codabar.cpp) ---

// MSI check digit (Luhn): counting from the right, the rightmost digit and every
// second one before it, read as one number, doubled and digit-summed, plus the
// other digits; (10 - total mod 10) mod 10.
int MsiCheckDigit(std::string_view digits);
std::string EncodeMsi(std::string_view digits);
std::string EncodePostNet(std::string_view digits);
std::string EncodeCodabar(const QString& text);

}  // namespace barcode
