// Numbers and dates as texts: the shortest general form, the number formats
// of user functions, number and date pictures, and the lenient reading of
// texts as numbers.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report/engine/day_number.h"
#include "report/engine/expression.h"

namespace {

TEST(ExprGeneralNumberTextTest, ShortestFormWithFifteenDigits) {
    EXPECT_EQ(GeneralNumberText(0), QStringLiteral("0"));
    EXPECT_EQ(GeneralNumberText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(GeneralNumberText(7), QStringLiteral("7"));
    EXPECT_EQ(GeneralNumberText(-123), QStringLiteral("-123"));
    EXPECT_EQ(GeneralNumberText(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(GeneralNumberText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(GeneralNumberText(1.0 / 3), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(GeneralNumberText(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(GeneralNumberText(1234567890123456.0), QStringLiteral("1.23456789012346E15"));
    EXPECT_EQ(GeneralNumberText(1e20), QStringLiteral("1E20"));
    EXPECT_EQ(GeneralNumberText(0.00001), QStringLiteral("0.00001"));
    EXPECT_EQ(GeneralNumberText(0.000001), QStringLiteral("1E-6"));
    EXPECT_EQ(GeneralNumberText(-1.5e-7), QStringLiteral("-1.5E-7"));
    EXPECT_EQ(GeneralNumberText(1e300 * 1e10), QStringLiteral("INF"));
    EXPECT_EQ(GeneralNumberText(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("NAN"));
}

TEST(ExprGeneralNumberTextTest, FewerSignificantDigits) {
    EXPECT_EQ(GeneralNumberText(3.14159, 3), QStringLiteral("3.14"));
    EXPECT_EQ(GeneralNumberText(12345, 3), QStringLiteral("1.23E4"));
    EXPECT_EQ(GeneralNumberText(999.9, 3), QStringLiteral("1E3"));
}

TEST(ExprFormatNumberTest, FiveFormatsOfUserFunctions) {
    EXPECT_EQ(FormatNumber(1234.5678, nfGeneral, 15, 2), QStringLiteral("1234.5678"));
    EXPECT_EQ(FormatNumber(1234.5678, nfGeneral, 6, 2), QStringLiteral("1234.57"));
    EXPECT_EQ(FormatNumber(1234.5678, nfExponent, 4, 2), QStringLiteral("1.235E+03"));
    EXPECT_EQ(FormatNumber(-0.0012, nfExponent, 3, 1), QStringLiteral("-1.20E-3"));
    EXPECT_EQ(FormatNumber(1234.5678, nfFixed, 15, 2), QStringLiteral("1234.57"));
    EXPECT_EQ(FormatNumber(2, nfFixed, 15, 2), QStringLiteral("2.00"));
    EXPECT_EQ(FormatNumber(12.345, nfFixed, 15, 2), QStringLiteral("12.35"));
    EXPECT_EQ(FormatNumber(-3.5, nfFixed, 15, 0), QStringLiteral("-4"));
    EXPECT_EQ(FormatNumber(1234567.891, nfNumber, 15, 2), QStringLiteral("1 234 567.89"));
    EXPECT_EQ(FormatNumber(-1234.5, nfCurrency, 15, 2), QStringLiteral("-1 234.50 Kč"));
    // The precision rounds first: four significant digits of 1234.5678.
    EXPECT_EQ(FormatNumber(1234.5678, nfFixed, 4, 2), QStringLiteral("1235.00"));
    // More integer digits than the precision fall back to the general form.
    EXPECT_EQ(FormatNumber(123456.0, nfFixed, 3, 2), QStringLiteral("1.23E5"));
}

TEST(ExprLenientNumberTest, ReadsWhatUsersType) {
    EXPECT_EQ(LenientNumber("12"), 12);
    EXPECT_EQ(LenientNumber(" 1 234,5 "), 1234.5);
    EXPECT_EQ(LenientNumber("1 234.5"), 1234.5);
    EXPECT_EQ(LenientNumber("-0.5"), -0.5);
    EXPECT_EQ(LenientNumber("1.5E3"), 1500);
    EXPECT_EQ(LenientNumber("1e-2"), 0.01);
    EXPECT_EQ(LenientNumber(QString::fromUtf8("1\u00a0000")), 1000);
}

TEST(ExprLenientNumberTest, AnythingElseIsZero) {
    for (const char* text : {"", "abc", "12abc", "-", "1.2.3", "1,2,3", "+5", "1E123", "1E", "1-2",
                             ".5", "1.5.", "--1", "1e+5"}) {
        EXPECT_EQ(LenientNumber(QString::fromUtf8(text)), 0) << text;
    }
}

TEST(ExprNumberPictureTest, DigitsDecimalsAndGrouping) {
    EXPECT_EQ(FormatNumberPicture(1234.567, "0.00"), QStringLiteral("1234.57"));
    EXPECT_EQ(FormatNumberPicture(1234.567, "#,##0.00"), QStringLiteral("1 234.57"));
    EXPECT_EQ(FormatNumberPicture(1234567, "#,##0"), QStringLiteral("1 234 567"));
    EXPECT_EQ(FormatNumberPicture(0.5, "#.##"), QStringLiteral(".5"));
    EXPECT_EQ(FormatNumberPicture(0.5, "0.##"), QStringLiteral("0.5"));
    EXPECT_EQ(FormatNumberPicture(3, "0.##"), QStringLiteral("3"));
    EXPECT_EQ(FormatNumberPicture(3, "000"), QStringLiteral("003"));
    EXPECT_EQ(FormatNumberPicture(12345, "00"), QStringLiteral("12345"));
    EXPECT_EQ(FormatNumberPicture(-7.25, "0.0"), QStringLiteral("-7.3"));
    EXPECT_EQ(FormatNumberPicture(2.675, "0.00"), QStringLiteral("2.68"));
    EXPECT_EQ(FormatNumberPicture(0, "#"), QString());
    EXPECT_EQ(FormatNumberPicture(1.5, ""), QStringLiteral("1.5"));
}

TEST(ExprNumberPictureTest, SectionsLiteralsAndScientific) {
    const QString sections = "0.00;(0.00);\"nula\"";
    EXPECT_EQ(FormatNumberPicture(5, sections), QStringLiteral("5.00"));
    EXPECT_EQ(FormatNumberPicture(-5, sections), QStringLiteral("(5.00)"));
    EXPECT_EQ(FormatNumberPicture(0, sections), QStringLiteral("nula"));
    EXPECT_EQ(FormatNumberPicture(0.001, sections), QStringLiteral("nula"));  // zero once rounded
    EXPECT_EQ(FormatNumberPicture(-5, "0;;x"), QStringLiteral("-5"));  // empty section: the first
    EXPECT_EQ(FormatNumberPicture(12.5, "0.0 \"kg\""), QStringLiteral("12.5 kg"));
    EXPECT_EQ(FormatNumberPicture(12.5, "\"cena: \"0"), QStringLiteral("cena: 13"));
    EXPECT_EQ(FormatNumberPicture(1234.5, "0.00E+00"), QStringLiteral("1.23E+03"));
    EXPECT_EQ(FormatNumberPicture(0.00012, "0.0E-0"), QStringLiteral("1.2E-4"));
    EXPECT_EQ(FormatNumberPicture(1234.5, "0.0E-0"), QStringLiteral("1.2E3"));
    EXPECT_EQ(FormatNumberPicture(1e30, "0"), QStringLiteral("1E30"));
}

TEST(ExprDatePictureTest, DayMonthYearWithCzechNames) {
    const double thursday = DayNumber(QDateTime(QDate(2009, 3, 5), QTime(9, 5, 7)));
    EXPECT_EQ(FormatDatePicture(thursday, "d.m.yyyy"), QStringLiteral("5.3.2009"));
    EXPECT_EQ(FormatDatePicture(thursday, "dd/mm/yy"), QStringLiteral("05.03.09"));
    EXPECT_EQ(FormatDatePicture(thursday, "dddd d. mmmm yyyy"),
              QStringLiteral("čtvrtek 5. březen 2009"));
    EXPECT_EQ(FormatDatePicture(thursday, "ddd mmm"), QStringLiteral("čt bře"));
    EXPECT_EQ(FormatDatePicture(thursday, "h:nn:ss"), QStringLiteral("9:05:07"));
    EXPECT_EQ(FormatDatePicture(thursday, "hh:mm"), QStringLiteral("09:05"));  // m after h: minutes
    EXPECT_EQ(FormatDatePicture(thursday, "\"den \"d 'v' h"), QStringLiteral("den 5 v 9"));
    EXPECT_EQ(FormatDatePicture(thursday, "D.M.YYYY"), QStringLiteral("5.3.2009"));
    EXPECT_EQ(FormatDatePicture(thursday, ""), QStringLiteral("5.3.2009 9:05:07"));
    EXPECT_EQ(FormatDatePicture(DayNumber(QDate(2009, 3, 5)), ""), QStringLiteral("5.3.2009"));
    EXPECT_EQ(FormatDatePicture(1e12, "yyyy"), QString());
}

TEST(ExprDayNumberTest, DaysSinceTheEndOf1899) {
    EXPECT_EQ(DayNumber(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(DayNumber(QDate(1900, 1, 1)), 2);
    EXPECT_EQ(DayNumber(QDate(2020, 1, 1)), 43831);
    QDate date;
    QTime time;
    ASSERT_TRUE(DateTimeOfDayNumber(-1.25, date, time));
    EXPECT_EQ(date, QDate(1899, 12, 29));
    EXPECT_EQ(time, QTime(6, 0));
    EXPECT_TRUE(DateTimeOfDayNumber(kLastDayNumber + 0.5, date, time));
    EXPECT_EQ(date, QDate(9999, 12, 31));
    EXPECT_FALSE(DateTimeOfDayNumber(kLastDayNumber + 1, date, time));
    EXPECT_FALSE(DateTimeOfDayNumber(std::nan(""), date, time));
}

}  // namespace
