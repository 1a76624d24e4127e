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
