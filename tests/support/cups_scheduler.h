#pragma once
// Whether a CUPS scheduler answers; the print-system tests skip without one.

#include <cups/cups.h>

namespace testing_support {

inline bool CupsSchedulerRunning() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                2000, nullptr);
    if (!http) {
        return false;
    }
    httpClose(http);
    return true;
}

}  // namespace testing_support
