#include "platform/paint/pdf_syntax.h"

namespace platform {

QByteArray PdfTextString(const QString& text) {
    PdfBuffer buffer;
    buffer.Raw("<FEFF");
    for (QChar unit : text) {
        buffer.Hex4(unit.unicode());
    }
    buffer.Char('>');
    return buffer.Bytes();
}

QByteArray PdfName(const QByteArray& name) {
    static const char digits[] = "0123456789ABCDEF";
    QByteArray result;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool delimiter = QByteArray("()<>[]{}/%#").contains(c);
        if (byte < 0x21 || byte > 0x7E || delimiter) {
            result.append('#');
            result.append(digits[byte >> 4]);
            result.append(digits[byte & 15]);
        } else {
            result.append(c);
        }
    }
    return result;
}

}  // namespace platform
