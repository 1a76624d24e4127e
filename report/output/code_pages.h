#pragma once
// The code pages of text exports and text-only printers, and the 44-letter
// table that converts between them. Text is Unicode inside the program; a row
// of output is first encoded in Windows-1250 (the program's own code page) and
// its bytes are then converted to the chosen code page letter by letter.

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <array>

// The code page of a text export.
enum TSestLanguage {
    slUndefined = 0,  // no conversion (Windows-1250 bytes)
    slASCII = 1,      // letters without their diacritic marks
    slCP867 = 2,      // Kamenický
    slCP852 = 3,      // IBM 852 (Latin 2, DOS)
    slCP1250 = 4,     // Windows-1250, the program's own code page
    slISO88592 = 5,   // ISO 8859-2
};

// One letter and its byte in each code page, indexed by TSestLanguage - 1.
struct TCodePageRow {
    char16_t letter;
    std::array<unsigned char, 5> bytes;
};

// The 44 rows, in the order of their Kamenický codes 128..171.
const std::array<TCodePageRow, 44>& CodePageTable();

// One byte from code page `from` to code page `to`: bytes below 0x80, equal
// code pages and slUndefined on either side copy it; otherwise the first row
// whose `from` column holds the byte gives its `to` column; a byte of no row
// is copied unchanged.
unsigned char ConvertCodePageByte(unsigned char byte, TSestLanguage from, TSestLanguage to);
QByteArray ConvertCodePage(QByteArrayView bytes, TSestLanguage from, TSestLanguage to);

// Text in code page `to`: encoded in Windows-1250 ('?' for characters it
// cannot hold, each of them listed once in `lost` when given), then
// converted from slCP1250.
QByteArray EncodeCodePage(QStringView text, TSestLanguage to, QString* lost = nullptr);

// Adds each character of `more` that `lost` does not list yet.
void AddLostCharacters(QString& lost, QStringView more);
// The warning for characters a text output had to replace with '?', or an
// empty text when `lost` is empty.
QString LostCharactersWarning(const QString& lost);
