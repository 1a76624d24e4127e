#pragma once
// Conversions into integer device units that cannot overflow: pictures read
// from files may carry any coordinate, and scaling may enlarge it further.

#include <QtGlobal>

#include <cmath>

namespace platform {

// Far beyond any page (a quarter of a million inches at 1200 dpi), far below
// the int range, so sums and differences of two such values stay exact.
constexpr double kDeviceUnitLimit = 268435456.0;  // 2^28

inline int ToDeviceUnits(double value) {
    if (!(value == value)) {
        return 0;  // NaN
    }
    return static_cast<int>(std::lround(qBound(-kDeviceUnitLimit, value, kDeviceUnitLimit)));
}

}  // namespace platform
