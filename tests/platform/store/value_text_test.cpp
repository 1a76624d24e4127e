// Numbers as the program shows them: whole numbers take a quick road of
// their own, which must write exactly what the general conversion writes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/store/value_text.h"

namespace {

using platform::FloatToText;

// What the general conversion gives: 15 significant digits, E notation.
QString General(double value) {
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf('e');
    if (e < 0) {
        return text;
    }
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith('-');
    exponent.remove(0, 1);
    while (exponent.size() > 1 && exponent.startsWith('0')) {
        exponent.remove(0, 1);
    }
    return text.left(e) + 'E' + (negative ? QStringLiteral("-") : QString()) + exponent;
}

TEST(FloatToText, WholeNumbersReadAsTheGeneralConversionWritesThem) {
    const double values[] = {0,
                             1,
                             -1,
                             7,
                             42,
                             -3,
                             1999,
                             2024,
                             1e6,
                             -1e9,
                             1e14,
                             999999999999999.0,
                             -999999999999999.0,
                             1e15,
                             1e16,
                             -1e15,
                             123456789012345.0,
                             4294967296.0};
    for (const double value : values) {
        EXPECT_EQ(FloatToText(value), General(value)) << value;
    }
    EXPECT_EQ(FloatToText(1e15), QStringLiteral("1E15"));
    EXPECT_EQ(FloatToText(2024), QStringLiteral("2024"));
    EXPECT_EQ(FloatToText(-0.0), General(-0.0));
}

TEST(FloatToText, FractionsAndSpecialValuesKeepTheirForms) {
    EXPECT_EQ(FloatToText(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(FloatToText(-0.125), QStringLiteral("-0.125"));
    EXPECT_EQ(FloatToText(1e-5), QStringLiteral("1E-5"));
    EXPECT_EQ(FloatToText(1.5e20), QStringLiteral("1.5E20"));
    EXPECT_EQ(FloatToText(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("NAN"));
    EXPECT_EQ(FloatToText(-std::numeric_limits<double>::infinity()), QStringLiteral("-INF"));
}

}  // namespace
