#pragma once
// Text of a Paradox table in its code page (the DOS or Windows code page
// number of the table header: 852, 1250, 437, 850, 1252, ...). Every code
// page a Paradox table can name is a single-byte one, so the decoder keeps
// one character per byte value, built once through ICU.

#include <QByteArrayView>
#include <QString>
#include <array>

namespace platform::paradox {

class CodePage {
  public:
    // Throws ParadoxError when ICU has no single-byte converter for `number`.
    explicit CodePage(int number);

    int Number() const { return number_; }
    // Bytes up to the first zero byte; bytes the code page does not define
    // become U+FFFD.
    QString Decode(QByteArrayView bytes) const;

    static bool IsKnown(int number);

  private:
    int number_;
    std::array<char16_t, 256> characters_{};
};

}  // namespace platform::paradox
