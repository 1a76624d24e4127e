#include "platform/allocator_tuning.h"

#include <cstdlib>  // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

namespace {

// glibc's own default largest fast-bin request (64 * sizeof(size_t) / 4).
constexpr int kDefaultMaxFast = int(64 * sizeof(std::size_t) / 4);

bool offForProcess = false;
int openScopes = 0;

void SetFastBins(bool on) {
#if defined(__GLIBC__)
    // Without fast bins small blocks still come from the per-thread cache,
    // but nothing piles up to be swept before a larger request.
    mallopt(M_MXFAST, on ? kDefaultMaxFast : 0);
#else
    (void)on;
#endif
}

}  // namespace

void TuneAllocator() {
    offForProcess = true;
    SetFastBins(false);
}

ReportAllocationScope::ReportAllocationScope() {
    if (openScopes++ == 0 && !offForProcess) {
        SetFastBins(false);
    }
}

ReportAllocationScope::~ReportAllocationScope() {
    if (--openScopes == 0 && !offForProcess) {
        SetFastBins(true);
    }
}

}  // namespace platform
