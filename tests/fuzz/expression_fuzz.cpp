// Fuzzes the report expression evaluator: any text must evaluate without a
// crash or hang, and the parsed form must give exactly what one direct
// reading gives (value, error code, position).

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "report/engine/expression.h"
#include "report/engine/sest_fn.h"
#include "report/engine/value_provider.h"

namespace {

class FuzzProvider : public TValueProvider {
  public:
    FuzzProvider() {
        functions.AddNew().expression = QStringLiteral("#1 + 1");
        functions.AddNew().expression = QStringLiteral("@1 * 2");
    }
    void GetValue(int code, TCalcType& value) override {
        if (code >= vcVariable) {
            value.kind = ckNumber;
            value.number = code - vcVariable;
            value.text = GeneralNumberText(value.number);
        } else if (code >= vcFunction) {
            if (code - vcFunction < functions.Count()) {
                value = functions[code - vcFunction].value;
            }
        } else if (code >= vcField) {
            switch (code - vcField) {
                case 0:
                    value.kind = ckText;
                    value.text = QStringLiteral("Alba z Kamenného dvora");
                    break;
                case 1:
                    value.kind = ckNumber;
                    value.number = 12.5;
                    value.text = QStringLiteral("12.5");
                    break;
                case 2:
                    value.kind = ckOther;
                    value.number = 43831.25;
                    value.text = QStringLiteral("1.1.2020 6:00:00");
                    break;
                case 3:
                    value.kind = ckNumber;
                    value.null = true;
                    break;
                default:
                    break;
            }
        } else if (code >= vcParameter && code - vcParameter < 2) {
            value.kind = ckText;
            value.text = code == vcParameter ? QStringLiteral("1 234,5") : QStringLiteral("abc");
            value.number = LenientNumber(value.text);
        }
    }
    int FindIndex(int kind, const QString& name) override {
        if (kind == lkFunction) {
            return functions.FindFunction(name);
        }
        const char* names[] = {"jmeno", "vek", "datum", "nic"};
        for (int i = 0; i < 4; ++i) {
            if (name.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }
    TListFunkci functions;
};

bool SameNumber(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzProvider provider;
    SetCurrentValueProvider(&provider);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const TEvalResult direct = EvaluateDirect(text);
    const TEvalResult cached = Evaluate(text);
    const TEvalResult compiled = TCompiledExpression(text).Evaluate();
    for (const TEvalResult* r : {&cached, &compiled}) {
        if (r->error != direct.error || r->position != direct.position) {
            std::abort();
        }
        if (direct.error == eeOK &&
            (r->value.kind != direct.value.kind || r->value.text != direct.value.text ||
             r->value.null != direct.value.null ||
             !SameNumber(r->value.number, direct.value.number))) {
            std::abort();
        }
    }
    if (direct.error != eeOK && (direct.position < 0 || direct.position > text.size())) {
        std::abort();
    }
    // The same text as a user function, which also formats its value.
    provider.functions[1].expression = text;
    provider.functions.RequestReset(-1);
    provider.functions.ComputeAll();
    (void)provider.functions[1].DisplayText();
    return 0;
}
