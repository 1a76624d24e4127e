#include "report/output/length_units.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The factors are kept as hundredths so that the conversions of whole numbers
// are exact: 2.54 × 25 is exactly 63.5, which binary floating point misses.
struct UnitInfo {
    int factorPercent;
    const char* label;
};

constexpr std::array<UnitInfo, kUnitCount> kUnits = {{
    {100, "0,01 inch"},
    {254, "0,1 mm"},
    {60, "0,1 pica"},
    {72, "1 point"},
    {144, "10 twips"},
}};

const UnitInfo& Unit(int unit) {
    return unit >= 0 && unit < kUnitCount ? kUnits[size_t(unit)] : kUnits[0];
}

int Clamped(long long value) {
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return int(value);
}

}  // namespace

int RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // nearbyint rounds in the default mode: to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (rounded >= double(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (rounded <= double(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return int(rounded);
}

int RoundHalfEven(long long numerator, long long denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) {  // make the remainder non-negative: floor division
        quotient -= 1;
        remainder += denominator;
    }
    const long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) {
        quotient += 1;
    }
    return Clamped(quotient);
}

double UnitFactor(int unit) {
    return Unit(unit).factorPercent / 100.0;
}

QString UnitLabel(int unit) {
    return QString::fromUtf8(Unit(unit).label);
}

int ShowInUnit(int hundredths, int unit) {
    return RoundHalfEven(static_cast<long long>(hundredths) * Unit(unit).factorPercent, 100);
}

int TakeFromUnit(double shown, int unit) {
    const int percent = Unit(unit).factorPercent;
    if (std::isfinite(shown) && std::abs(shown) < 1e15 && shown == std::trunc(shown)) {
        return RoundHalfEven(static_cast<long long>(shown) * 100, percent);
    }
    return RoundHalfEven(shown * 100.0 / percent);
}
