// Date completion against a fixed "today", and the rule every date field applies.
#include <gtest/gtest.h>

#include "app/complete_date.h"
#include "tests/support/seams.h"

namespace {

// 15 April 2024: April has 30 days, 2024 is a leap year.
const QDate kToday(2024, 4, 15);

std::optional<QDate> Complete(const char* text) {
    return CompleteDate(QString::fromUtf8(text), kToday);
}

}  // namespace

TEST(CompleteDate, MissingPartsComeFromTheReferenceDate) {
    EXPECT_EQ(Complete("5"), QDate(2024, 4, 5));
    EXPECT_EQ(Complete("5.3"), QDate(2024, 3, 5));
    EXPECT_EQ(Complete("5.3."), QDate(2024, 3, 5));
    EXPECT_EQ(Complete("5..2009"), QDate(2009, 4, 5));
    EXPECT_EQ(Complete("5.3.2009"), QDate(2009, 3, 5));
    EXPECT_EQ(Complete("05.03.2009"), QDate(2009, 3, 5));
    EXPECT_EQ(Complete("30"), QDate(2024, 4, 30));
    EXPECT_EQ(Complete("29.2"), QDate(2024, 2, 29));
    EXPECT_EQ(Complete(" 5.3"), QDate(2024, 3, 5));  // first "." is the 3rd character
}

TEST(CompleteDate, InvalidPartsDoNotComplete) {
    for (const char* text :
         {"31.4.2009", "0.1.2009", "5.13.2009", "5.0.2009", "123.1.2009", "32", "31", "29.2.2023",
          ".5.2009", "", "abc", "5.x.2009", "x.3.2009", "1234", "-5.3.2009"}) {
        EXPECT_FALSE(Complete(text).has_value()) << text;
    }
}

TEST(CompleteDate, FirstPeriodAfterTheThirdCharacterMeansNoDay) {
    // The days would be in range; the position of the "." alone refuses them.
    EXPECT_FALSE(Complete("031.1.2009").has_value());
    EXPECT_FALSE(Complete("  5.3").has_value());
    EXPECT_EQ(Complete("05.3"), QDate(2024, 3, 5));
}

TEST(CompleteDate, YearMustBeFourDigitsWithin1900To2099) {
    EXPECT_FALSE(Complete("5.3.09").has_value());
    EXPECT_FALSE(Complete("5.3.1899").has_value());
    EXPECT_FALSE(Complete("5.3.2100").has_value());
    EXPECT_FALSE(Complete("5.3.2009.").has_value());  // "2009." is no number
    EXPECT_EQ(Complete("1.1.1900"), QDate(1900, 1, 1));
    EXPECT_EQ(Complete("31.12.2099"), QDate(2099, 12, 31));
}

TEST(CompleteDate, OnlyTheFirstTenCharactersCount) {
    EXPECT_EQ(Complete("05.03.2009abc"), QDate(2009, 3, 5));
    EXPECT_EQ(Complete("01.01.20091"), QDate(2009, 1, 1));
    EXPECT_FALSE(Complete("1.1.2009999").has_value());  // cut to "1.1.200999"
}

TEST(CompleteDate, ReferenceDateIsTodayFromTheClock) {
    testing_support::FixedClock clock(QDate(2009, 2, 10));
    EXPECT_EQ(CompleteDate("5"), QDate(2009, 2, 5));
    EXPECT_FALSE(CompleteDate("30").has_value());  // no 30 February
    EXPECT_EQ(CompleteDate("30.3"), QDate(2009, 3, 30));
}

TEST(CompleteDateField, ReplacesTheTextOrReportsTheError) {
    testing_support::FixedClock clock(kToday);
    testing_support::ScriptedMessages messages;
    EXPECT_EQ(CompleteDateField("5.3"), QString("5.3.2024"));
    EXPECT_EQ(CompleteDateField("05.03.2009"), QString("5.3.2009"));
    EXPECT_EQ(CompleteDateField(""), QString(""));
    EXPECT_EQ(CompleteDateField("   "), QString(""));
    EXPECT_TRUE(messages.Shown().empty());

    EXPECT_FALSE(CompleteDateField("31.4.2009").has_value());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Chybné datum !");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(messages.Shown()[0].buttons, platform::mbOK);
}
