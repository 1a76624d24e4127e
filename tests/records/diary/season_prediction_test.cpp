#include "records/diary/season_prediction.h"

#include <gtest/gtest.h>

namespace {

using diary::PredictNextSeason;

TEST(SeasonPredictionTest, NoneOneTwoAndManySeasons) {
    EXPECT_FALSE(PredictNextSeason({}).isValid());
    EXPECT_FALSE(PredictNextSeason({QDate()}).isValid());
    EXPECT_EQ(PredictNextSeason({QDate(2026, 1, 1)}), QDate(2026, 7, 2));
    // Order does not matter; the one interval is the mean.
    EXPECT_EQ(PredictNextSeason({QDate(2026, 1, 1), QDate(2025, 7, 1)}), QDate(2026, 7, 4));
    // Intervals 10, 20, 30, 40, 50 days: the last four average 35.
    const QDate start(2026, 1, 1);
    std::vector<QDate> six{start,
                           start.addDays(10),
                           start.addDays(30),
                           start.addDays(60),
                           start.addDays(100),
                           start.addDays(150)};
    EXPECT_EQ(PredictNextSeason(six), start.addDays(150 + 35));
    // A mean of 12.5 days rounds to 13.
    EXPECT_EQ(PredictNextSeason({start, start.addDays(10), start.addDays(25)}),
              start.addDays(25 + 13));
}

}  // namespace
