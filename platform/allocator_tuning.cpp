#include "platform/allocator_tuning.h"

#include <cstdlib>  // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void TuneAllocator() {
#if defined(__GLIBC__)
    // No fast bins: small blocks still come from the per-thread cache, but
    // nothing piles up to be swept before a larger request.
    mallopt(M_MXFAST, 0);
#endif
}

}  // namespace platform
