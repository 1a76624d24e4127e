#pragma once
// A value provider for expression tests: a record of named fields, report
// parameters, report variables and optionally a list of user functions.

#include <QString>
#include <QStringList>
#include <vector>

#include "report/engine/sest_fn.h"
#include "report/engine/value_provider.h"

namespace expr_test {

struct Field {
    QString name;
    TCalcType value;
};

inline TCalcType NumberValue(double number, const QString& text) {
    TCalcType value;
    value.kind = ckNumber;
    value.number = number;
    value.text = text;
    return value;
}

inline TCalcType TextValue(const QString& text, double number = 0.0) {
    TCalcType value;
    value.kind = ckText;
    value.number = number;
    value.text = text;
    return value;
}

inline TCalcType NullValue(std::uint8_t kind = ckNumber) {
    TCalcType value;
    value.kind = kind;
    value.null = true;
    return value;
}

class TestProvider : public TValueProvider {
  public:
    std::vector<Field> fields;
    QStringList parameters;
    std::vector<double> variables;
    TListFunkci* functions = nullptr;
    int getValueCalls = 0;

    void GetValue(int code, TCalcType& value) override {
        ++getValueCalls;
        if (code >= vcVariable) {
            const size_t i = static_cast<size_t>(code - vcVariable);
            if (i < variables.size()) {
                value.kind = ckNumber;
                value.number = variables[i];
                value.text = GeneralNumberText(variables[i]);
            }
        } else if (code >= vcFunction) {
            const int i = code - vcFunction;
            if (functions && i < functions->Count()) {
                value = functions->At(i).value;
            }
        } else if (code >= vcField) {
            const size_t i = static_cast<size_t>(code - vcField);
            if (i < fields.size()) {
                value = fields[i].value;
            }
        } else if (code >= vcParameter) {
            const int i = code - vcParameter;
            if (i < parameters.size()) {
                value.kind = ckText;
                value.text = parameters[i];
                value.number = LenientNumber(parameters[i]);
            }
        }
    }

    int FindIndex(int kind, const QString& name) override {
        if (kind == lkField) {
            for (size_t i = 0; i < fields.size(); ++i) {
                if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) {
                    return static_cast<int>(i);
                }
            }
            return -1;
        }
        if (kind == lkFunction && functions) {
            return functions->FindFunction(name);
        }
        return -1;
    }
};

// Makes a provider current for the lifetime of a test fixture.
class ProviderFixtureBase {
  protected:
    TestProvider provider;
    TValueProviderScope scope{&provider};
};

}  // namespace expr_test
