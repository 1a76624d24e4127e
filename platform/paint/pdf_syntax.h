#pragma once
// The bytes of PDF objects and content streams: numbers written the short way
// (integers without a point, reals with at most three decimals), names,
// hexadecimal strings and text strings. Page content is mostly integers, and
// a 2,000-page report writes millions of them, so they are formatted here
// without going through QString.

#include <QByteArray>
#include <QString>

#include <charconv>
#include <cmath>

namespace platform {

class PdfBuffer {
  public:
    QByteArray& Bytes() { return bytes_; }
    const QByteArray& Bytes() const { return bytes_; }
    void Clear() { bytes_.clear(); }
    qsizetype Size() const { return bytes_.size(); }

    PdfBuffer& Raw(const char* text) {
        bytes_.append(text);
        return *this;
    }
    PdfBuffer& Raw(const QByteArray& bytes) {
        bytes_.append(bytes);
        return *this;
    }
    PdfBuffer& Char(char c) {
        bytes_.append(c);
        return *this;
    }
    // An integer followed by a space.
    PdfBuffer& Int(qint64 value) {
        char text[24];
        const auto end = std::to_chars(text, text + sizeof text - 1, value).ptr;
        *end = ' ';
        bytes_.append(text, end + 1 - text);
        return *this;
    }
    // A real with up to three decimals, followed by a space.
    PdfBuffer& Real(double value) {
        if (!std::isfinite(value)) {
            value = 0.0;
        }
        const double rounded = std::round(value * 1000.0) / 1000.0;
        if (rounded == std::trunc(rounded) && std::fabs(rounded) < 1e15) {
            return Int(static_cast<qint64>(rounded));
        }
        char text[48];
        char* end =
            std::to_chars(text, text + sizeof text - 1, rounded, std::chars_format::fixed, 3).ptr;
        while (end[-1] == '0') {
            --end;
        }
        *end = ' ';
        bytes_.append(text, end + 1 - text);
        return *this;
    }
    // An object reference "n 0 R ".
    PdfBuffer& Ref(int object) {
        Int(object);
        bytes_.append("0 R ");
        return *this;
    }
    // A glyph id as four hexadecimal digits (inside a hex string).
    PdfBuffer& Hex4(quint32 value) {
        static const char digits[] = "0123456789ABCDEF";
        const char text[4] = {digits[(value >> 12) & 15], digits[(value >> 8) & 15],
                              digits[(value >> 4) & 15], digits[value & 15]};
        bytes_.append(text, 4);
        return *this;
    }
    // A colour component 0..255 as 0..1.
    PdfBuffer& Component(int value) { return Real(value / 255.0); }

  private:
    QByteArray bytes_;
};

// A PDF text string of `text`: UTF-16BE with its byte order mark, as a
// hexadecimal string.
QByteArray PdfTextString(const QString& text);

// `name` as a PDF name (without the slash): characters outside the regular
// printable range written as #xx.
QByteArray PdfName(const QByteArray& name);

}  // namespace platform
