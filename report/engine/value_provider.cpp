#include "report/engine/value_provider.h"

namespace {

// The report that last started an evaluation pass; expressions are evaluated
// on the user-interface thread only.
TValueProvider* currentProvider = nullptr;

}  // namespace

TValueProvider* CurrentValueProvider() {
    return currentProvider;
}

TValueProvider* SetCurrentValueProvider(TValueProvider* provider) {
    TValueProvider* previous = currentProvider;
    currentProvider = provider;
    return previous;
}

std::uint8_t CalcKindOfFieldType(int fieldType) {
    switch (fieldType) {
        case 1:   // string
        case 23:  // fixed char
        case 24:  // wide string
            return ckText;
        case 2:   // small integer
        case 3:   // integer
        case 4:   // word
        case 6:   // float
        case 7:   // currency
        case 8:   // BCD
        case 14:  // auto-increment
        case 37:  // FMT BCD
            return ckNumber;
        default:
            return ckOther;
    }
}
