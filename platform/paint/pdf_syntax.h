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
#include <string>

namespace platform {

class PdfBuffer {
  public:
    // A copy of the bytes written so far.
    QByteArray Bytes() const { return QByteArray(bytes_.data(), qsizetype(bytes_.size())); }
    void Clear() { bytes_.clear(); }
    qsizetype Size() const { return qsizetype(bytes_.size()); }

    PdfBuffer& Raw(const char* text) {
        bytes_.append(text);
        return *this;
    }
    PdfBuffer& Raw(const char* text, qsizetype size) {
        bytes_.append(text, size_t(size));
        return *this;
    }
    PdfBuffer& Raw(const QByteArray& bytes) { return Raw(bytes.constData(), bytes.size()); }
    PdfBuffer& Char(char c) {
        bytes_.push_back(c);
        return *this;
    }
    // An integer followed by a space.
    PdfBuffer& Int(qint64 value) {
        char text[24];
        char* end = std::to_chars(text, text + sizeof text - 1, value).ptr;
        *end++ = ' ';
        bytes_.append(text, size_t(end - text));
        return *this;
    }
    // A real with up to three decimals, followed by a space.
    PdfBuffer& Real(double value) {
        if (!(std::fabs(value) < 1e12)) {
            value = 0.0;  // NaN and absurd values
        }
        const qint64 thousandths = RoundToInteger(value * 1000.0);
        if (thousandths % 1000 == 0) {
            return Int(thousandths / 1000);
        }
        char text[32];
        char* at = text;
        qint64 magnitude = thousandths;
        if (magnitude < 0) {
            *at++ = '-';
            magnitude = -magnitude;
        }
        at = std::to_chars(at, text + 20, magnitude / 1000).ptr;
        int fraction = int(magnitude % 1000);
        *at++ = '.';
        *at++ = char('0' + fraction / 100);
        fraction %= 100;
        if (fraction) {
            *at++ = char('0' + fraction / 10);
            if (fraction % 10) {
                *at++ = char('0' + fraction % 10);
            }
        }
        *at++ = ' ';
        bytes_.append(text, size_t(at - text));
        return *this;
    }
    // An object reference "n 0 R ".
    PdfBuffer& Ref(int object) {
        Int(object);
        bytes_.append("0 R ", 4);
        return *this;
    }
    // A glyph id as four hexadecimal digits (inside a hex string).
    // A one-byte character code as two hexadecimal digits.
    PdfBuffer& Hex2(quint32 value) {
        static const char digits[] = "0123456789ABCDEF";
        const char text[2] = {digits[(value >> 4) & 15], digits[value & 15]};
        bytes_.append(text, 2);
        return *this;
    }
    PdfBuffer& Hex4(quint32 value) {
        static const char digits[] = "0123456789ABCDEF";
        const char text[4] = {digits[(value >> 12) & 15], digits[(value >> 8) & 15],
                              digits[(value >> 4) & 15], digits[value & 15]};
        bytes_.append(text, 4);
        return *this;
    }
    // A colour component 0..255 as 0..1.
    PdfBuffer& Component(int value) { return Real(value / 255.0); }

    // Rounds half away from zero without a call into the maths library.
    static qint64 RoundToInteger(double value) {
        return static_cast<qint64>(value < 0.0 ? value - 0.5 : value + 0.5);
    }

  private:
    std::string bytes_;
};

// A PDF text string of `text`: UTF-16BE with its byte order mark, as a
// hexadecimal string.
QByteArray PdfTextString(const QString& text);

// `name` as a PDF name (without the slash): characters outside the regular
// printable range written as #xx.
QByteArray PdfName(const QByteArray& name);

}  // namespace platform
