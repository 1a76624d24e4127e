// The fixed Czech format set: names, date and time texts, numbers.
#include <gtest/gtest.h>

#include <clocale>

#include "platform/czech_locale.h"

using namespace platform;

TEST(CzechLocale, MonthAndDayNames) {
    EXPECT_EQ(MonthName(1), "leden");
    EXPECT_EQ(MonthName(7), "červenec");
    EXPECT_EQ(MonthName(12), "prosinec");
    EXPECT_EQ(MonthNameGenitive(3), "března");
    EXPECT_EQ(MonthNameGenitive(9), "září");
    EXPECT_EQ(ShortMonthName(6), "čvn");
    EXPECT_EQ(ShortMonthName(7), "čvc");
    // 5.3.2009 was a Thursday; QDate counts Monday as 1.
    EXPECT_EQ(DayName(QDate(2009, 3, 5).dayOfWeek()), "čtvrtek");
    EXPECT_EQ(DayName(7), "neděle");
    EXPECT_EQ(ShortDayName(2), "út");
    for (int outOfRange : {0, 13, -1}) {
        EXPECT_TRUE(MonthName(outOfRange).isEmpty());
        EXPECT_TRUE(ShortMonthName(outOfRange).isEmpty());
    }
    EXPECT_TRUE(DayName(8).isEmpty());
    EXPECT_TRUE(ShortDayName(0).isEmpty());
    EXPECT_EQ(CurrencyText(), "Kč");
}

TEST(CzechLocale, FormatsDatesAndTimesWithoutLeadingZeros) {
    EXPECT_EQ(FormatDate(QDate(2009, 3, 5)), "5.3.2009");
    EXPECT_EQ(FormatDate(QDate(2020, 12, 31)), "31.12.2020");
    EXPECT_EQ(FormatDate(QDate()), "");
    EXPECT_EQ(FormatLongDate(QDate(2009, 3, 5)), "5. března 2009");
    EXPECT_EQ(FormatTime(QTime(9, 5, 0)), "9:05:00");
    EXPECT_EQ(FormatDateTime(QDateTime(QDate(2009, 3, 5), QTime(23, 59, 7))), "5.3.2009 23:59:07");
}

TEST(CzechLocale, ParsesDatesStrictly) {
    EXPECT_EQ(ParseDate(u"5.3.2009"), QDate(2009, 3, 5));
    EXPECT_EQ(ParseDate(u"05.03.2009"), QDate(2009, 3, 5));
    EXPECT_EQ(ParseDate(u" 29.2.2008 "), QDate(2008, 2, 29));
    for (const char16_t* bad : {u"29.2.2009", u"31.4.2009", u"5.3.09", u"5/3/2009", u"5.3.2009x",
                                u"", u"5..2009", u"123.1.2009", u"2009-03-05"}) {
        EXPECT_FALSE(ParseDate(bad).isValid()) << QString::fromUtf16(bad).toStdString();
    }
    EXPECT_EQ(ParseTime(u"9:05"), QTime(9, 5));
    EXPECT_EQ(ParseTime(u"23:59:59"), QTime(23, 59, 59));
    EXPECT_FALSE(ParseTime(u"24:00").isValid());
    EXPECT_FALSE(ParseTime(u"9:5").isValid());
    EXPECT_EQ(ParseDateTime(u"5.3.2009 9:05:00"), QDateTime(QDate(2009, 3, 5), QTime(9, 5)));
    EXPECT_EQ(ParseDateTime(u"5.3.2009"), QDateTime(QDate(2009, 3, 5), QTime(0, 0)));
    EXPECT_FALSE(ParseDateTime(u"5.3.2009 25:00").isValid());
}

TEST(CzechLocale, FormatsNumbersWithDotAndBlankGroups) {
    EXPECT_EQ(FormatNumber(12.5, 2), "12.50");
    EXPECT_EQ(FormatNumber(1234567.891, 2, true), "1 234 567.89");
    EXPECT_EQ(FormatNumber(123456, 0, true), "123 456");
    EXPECT_EQ(FormatNumber(-1234.5, 1, true), "-1 234.5");
    EXPECT_EQ(FormatNumber(0.004, 2), "0.00");
    EXPECT_EQ(FormatNumber(0.05, 1), "0.1");
    EXPECT_EQ(FormatNumber(999.996, 2, true), "1 000.00");
    EXPECT_EQ(FormatNumber(1e-7, 3), "0.000");
    EXPECT_EQ(FormatNumber(7, 0), "7");
    EXPECT_EQ(FormatNumber(1e20, 0, true), "100 000 000 000 000 000 000");
    EXPECT_EQ(FormatInteger(-1234567, true), "-1 234 567");
    EXPECT_EQ(FormatInteger(12, true), "12");
    EXPECT_EQ(FormatCurrency(1234567.5), "1 234 567.50 Kč");
}

TEST(CzechLocale, NumberRoundingIsDecimalHalfAwayFromZero) {
    // 12.345 and 2.675 are stored a hair below the half in binary.
    EXPECT_EQ(FormatNumber(12.345, 2), "12.35");
    EXPECT_EQ(FormatNumber(2.675, 2), "2.68");
    EXPECT_EQ(FormatNumber(-2.5, 0), "-3");
    EXPECT_EQ(FormatNumber(0.5, 0), "1");
    // A negative value that rounds to zero carries no sign.
    EXPECT_EQ(FormatNumber(-0.001, 2), "0.00");
    EXPECT_EQ(FormatNumber(-0.0, 0), "0");
}

TEST(CzechLocale, SpecialValuesAndDecimalsOutOfRange) {
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), 2), "INF");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), 2), "-INF");
    EXPECT_EQ(FormatNumber(std::nan(""), 2), "NAN");
    EXPECT_EQ(FormatNumber(1.5, -3), "2");
    EXPECT_EQ(FormatNumber(1.5, 40).size(), QString("1.").size() + 18);
}

TEST(CzechLocale, ParsesNumbers) {
    EXPECT_EQ(ParseNumber(u"12.5"), 12.5);
    EXPECT_EQ(ParseNumber(u" 1 234 567.25 "), 1234567.25);
    EXPECT_EQ(ParseNumber(u"1\u00A0234"), 1234.0);
    EXPECT_EQ(ParseNumber(u"-0.5"), -0.5);
    EXPECT_EQ(ParseNumber(u"+3"), 3.0);
    EXPECT_EQ(ParseNumber(u".5"), 0.5);
    EXPECT_EQ(ParseNumber(u"1.5E3"), 1500.0);
    for (const char16_t* bad :
         {u"", u"  ", u"abc", u"12,5", u"1.2.3", u"--1", u"1e", u"1e999", u"0x10", u"12kg"}) {
        EXPECT_FALSE(ParseNumber(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
}

TEST(CzechLocale, HostLocaleDoesNotLeakIn) {
    // A host whose C library prints decimal commas must not change our texts.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    EXPECT_EQ(FormatNumber(1234.5, 2, true), "1 234.50");
    EXPECT_EQ(ParseNumber(u"1234.5"), 1234.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(CzechLocale, ProgramLocaleUsesDotAndNoGrouping) {
    const QLocale locale = ProgramLocale();
    EXPECT_EQ(locale.toString(1234.5, 'f', 2), "1234.50");
    EXPECT_EQ(locale.decimalPoint(), ".");
}
