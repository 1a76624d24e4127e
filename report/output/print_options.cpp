#include "report/output/print_options.h"

#include <utility>

namespace {

TPrintOptionsHook& InstalledHook() {
    static TPrintOptionsHook hook;
    return hook;
}

}  // namespace

TPrintOptionsHook SetPrintOptionsHook(TPrintOptionsHook hook) {
    return std::exchange(InstalledHook(), std::move(hook));
}

bool AskPrintOptions(const TPrintOptionsRequest& request, TPrintOptions& options) {
    const TPrintOptionsHook& hook = InstalledHook();
    if (!hook) {
        options = TPrintOptions{};
        return true;
    }
    return hook(request, options);
}
