#include "platform/paradox/code_page.h"

#include <unicode/ucnv.h>

#include <memory>

#include "platform/paradox/paradox_error.h"

namespace platform::paradox {
namespace {

// ICU's names: the DOS code pages are IBM ones, the Windows ones "windows-".
QByteArray ConverterName(int number) {
    if (number >= 1250 && number <= 1258) {
        return "windows-" + QByteArray::number(number);
    }
    return "ibm-" + QByteArray::number(number);
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenSingleByte(int number) {
    if (number <= 0) {
        return nullptr;
    }
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(ConverterName(number).constData(), &status));
    if (U_FAILURE(status) || converter == nullptr || ucnv_getMaxCharSize(converter.get()) != 1) {
        return nullptr;
    }
    return converter;
}

}  // namespace

bool CodePage::IsKnown(int number) {
    return OpenSingleByte(number) != nullptr;
}

CodePage::CodePage(int number) : number_(number) {
    Converter converter = OpenSingleByte(number);
    if (converter == nullptr) {
        throw ParadoxError(QStringLiteral("kódová stránka %1 není známa").arg(number));
    }
    characters_[0] = 0;
    for (int byte = 1; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        UChar out[4] = {};
        UErrorCode status = U_ZERO_ERROR;
        ucnv_reset(converter.get());
        const int32_t n = ucnv_toUChars(converter.get(), out, 4, &in, 1, &status);
        characters_[static_cast<size_t>(byte)] =
            (U_SUCCESS(status) && n == 1 && out[0] != 0x1A) || byte == 0x1A ? out[0] : u'\uFFFD';
    }
}

QString CodePage::Decode(QByteArrayView bytes) const {
    QString text;
    text.resize(bytes.size());
    qsizetype n = 0;
    for (const char c : bytes) {
        if (c == 0) {
            break;
        }
        text[n++] = QChar(characters_[static_cast<unsigned char>(c)]);
    }
    text.truncate(n);
    return text;
}

}  // namespace platform::paradox
