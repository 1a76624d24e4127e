// Lengths shown in the designer's units, and rounding halves to even.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report/output/length_units.h"

namespace {

TEST(PaperUnits, RoundHalfEvenTakesHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(2098.04), 2098);
    EXPECT_EQ(RoundHalfEven(-0.4), 0);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<int>::min());
}

TEST(PaperUnits, ExactFractionRoundingAgreesAndHandlesSigns) {
    EXPECT_EQ(RoundHalfEven(5LL, 2LL), 2);
    EXPECT_EQ(RoundHalfEven(7LL, 2LL), 4);
    EXPECT_EQ(RoundHalfEven(-5LL, 2LL), -2);
    EXPECT_EQ(RoundHalfEven(-7LL, 2LL), -4);
    EXPECT_EQ(RoundHalfEven(5LL, -2LL), -2);
    EXPECT_EQ(RoundHalfEven(-7LL, 3LL), -2);  // -2.33
    EXPECT_EQ(RoundHalfEven(-8LL, 3LL), -3);  // -2.67
}

TEST(PaperUnits, FactorsAndLabels) {
    const double factors[] = {1.0, 2.54, 0.6, 0.72, 1.44};
    const char* labels[] = {"0,01 inch", "0,1 mm", "0,1 pica", "1 point", "10 twips"};
    for (int unit = 0; unit < kUnitCount; ++unit) {
        EXPECT_DOUBLE_EQ(UnitFactor(unit), factors[unit]);
        EXPECT_EQ(UnitLabel(unit), labels[unit]);
    }
    EXPECT_DOUBLE_EQ(UnitFactor(7), 1.0);
    EXPECT_EQ(UnitLabel(-1), "0,01 inch");
}

TEST(PaperUnits, ShowingAndTakingBackLengths) {
    EXPECT_EQ(ShowInUnit(826, 1), 2098);    // 2098.04
    EXPECT_EQ(TakeFromUnit(2100, 1), 827);  // 826.77
    EXPECT_EQ(ShowInUnit(826, 0), 826);
    EXPECT_EQ(ShowInUnit(1169, 2), 701);  // 701.4 pica tenths
    EXPECT_EQ(ShowInUnit(100, 3), 72);
    EXPECT_EQ(ShowInUnit(100, 4), 144);
    EXPECT_EQ(TakeFromUnit(144, 4), 100);
    EXPECT_EQ(TakeFromUnit(72.4, 3), 101);  // 100.56
    EXPECT_EQ(ShowInUnit(-50, 1), -127);
}

TEST(PaperUnits, TrueHalvesInTheUnitsRoundToEven) {
    // 25 × 2.54 = 63.5 and 75 × 2.54 = 190.5 exactly.
    EXPECT_EQ(ShowInUnit(25, 1), 64);
    EXPECT_EQ(ShowInUnit(75, 1), 190);
    // 9 / 0.72 = 12.5 and 27 / 0.72 = 37.5; 18 / 1.44 = 12.5.
    EXPECT_EQ(TakeFromUnit(9, 3), 12);
    EXPECT_EQ(TakeFromUnit(27, 3), 38);
    EXPECT_EQ(TakeFromUnit(18, 4), 12);
    EXPECT_EQ(TakeFromUnit(-9, 3), -12);
}

}  // namespace
