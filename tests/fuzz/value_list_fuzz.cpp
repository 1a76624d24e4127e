// Fuzzes the value-list splitter of picture and barcode elements, the
// lenient number reader and the number and date pictures: no input may
// crash or hang them.

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "report/engine/expression.h"
#include "report/engine/value_provider.h"

namespace {

class FuzzProvider : public TValueProvider {
  public:
    void GetValue(int code, TCalcType& value) override {
        if (code >= vcField && code < vcField + 3) {
            value.kind = ckText;
            value.text = QStringLiteral("foto%1.jpg").arg(code - vcField);
        }
    }
    int FindIndex(int kind, const QString& name) override {
        return kind == lkField && name.compare(QLatin1String("foto"), Qt::CaseInsensitive) == 0
                   ? 0
                   : -1;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzProvider provider;
    SetCurrentValueProvider(&provider);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QStringList items = SplitValueList(text);
    // Every comma outside literals and brackets separates items, so there
    // are never more items than commas plus one.
    if (items.size() > text.count(u',') + 1) {
        std::abort();
    }
    (void)LenientNumber(text);

    double number = 0;
    if (size >= sizeof number) {
        std::memcpy(&number, data, sizeof number);
    }
    (void)FormatNumberPicture(number, text);
    (void)FormatDatePicture(number, text);
    (void)FormatNumber(number, static_cast<int>(size % 6), static_cast<int>(size % 17),
                       static_cast<int>(size % 20));
    return 0;
}
