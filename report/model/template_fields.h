#pragma once
// Fields of one template record: reading them one after another the way every
// record kind is read, turning them into integers, flags and colours, and
// writing texts back so that they read the same again.

#include <QString>
#include <QStringView>
#include <optional>

// Reads the comma-separated fields of one template line from left to right.
//  - An empty rest gives an empty field.
//  - A field that starts with a double quote is quoted: the quote is dropped,
//    two double quotes inside give one, a single one ends the quoting, and
//    whatever follows the closing quote is still appended up to the next comma.
//  - Otherwise the field ends at the first comma, which is consumed; a double
//    quote anywhere but at the start is an ordinary character.
// Missing trailing fields read as empty, so a reader may ask for more fields
// than the line has.
class TemplateFieldReader {
  public:
    explicit TemplateFieldReader(QStringView line) : rest_(line) {}

    QString NextField();
    // The next field as an integer, `fallback` when it is empty or not a
    // decimal integer that fits in 32 bits.
    int NextInt(int fallback = 0);
    // The next field as an integer, or nothing when it is empty or invalid.
    std::optional<int> NextOptionalInt();
    // Any non-zero integer is true.
    bool NextFlag() { return NextInt(0) != 0; }
    // Skips one field without building its text.
    void SkipField();

    // What is left of the line after the fields read so far.
    QStringView Rest() const { return rest_; }
    bool AtEnd() const { return rest_.isEmpty(); }

  private:
    QStringView rest_;
};

// The first field of a line (the record code), without reading the others.
QString TemplateRecordCode(QStringView line);

// Decimal integer with optional leading blanks and sign; `fallback` when the
// text is empty, holds anything else or does not fit in 32 bits.
int TemplateInt(QStringView text, int fallback = 0);
std::optional<int> ParseTemplateInt(QStringView text);

// A text between double quotes with every double quote doubled; reads back
// as exactly `text`. A record is one line, so a line break inside the text
// is written as a blank.
QString QuotedField(const QString& text);
// A text written without quotes where that reads back the same (the way names
// were always written); between quotes when it holds a comma or starts with a
// double quote, which a bare field would lose.
QString BareField(const QString& text);

// Colours are red + 256 * green + 65536 * blue. Templates store the sixteen
// colours of the designer's list by their index 0..15 and any other colour
// as its integer.
int TemplateColorToRgb(int value);
int RgbToTemplateColor(int rgb);
constexpr int kTemplateColorCount = 16;
int TemplateColorTable(int index);  // index 0..15
constexpr int kColorWhite = 0xFFFFFF;
