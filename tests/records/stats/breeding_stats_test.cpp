// The breeding statistics of a hand-worked kennel, through the real store.
#include <gtest/gtest.h>

#include "records/stats/breeding_stats.h"
#include "records/stats/breeding_stats_lines.h"
#include "tests/records/stats/stats_kennel_fixture.h"

namespace {

using breeding::StatsFilter;

StatsFilter Filter(int from, int to, const QString& breed = QString()) {
    StatsFilter filter;
    filter.fromYear = from;
    filter.toYear = to;
    filter.breed = breed;
    return filter;
}

class BreedingStatsTest : public stats_test::StatsKennelFixture {
  protected:
    breeding::BreedingStats Stats(const StatsFilter& filter) {
        return breeding::ReadBreedingStats(*db_, filter);
    }
    QStringList Lines(const StatsFilter& filter) { return breeding::StatsLines(Stats(filter)); }
};

TEST_F(BreedingStatsTest, EveryFigureOfTheBeagleLitters) {
    EXPECT_EQ(Lines(Filter(0, 0, "Bígl")),
              (QStringList{
                  "litters\t2020\t2",
                  "puppies\t2020\t4\t2",  // Brita's empty female count is none
                  "litter_size\t2020\t3.000000",
                  "litters\t2021\t0",  // a year without litters keeps its lines
                  "puppies\t2021\t0\t0",
                  "litters\t2022\t2",
                  "puppies\t2022\t2\t2",
                  "litter_size\t2022\t4.000000",  // the litter without counts is left out
                  "coi\t2020\t0.000000",
                  "coi\t2022\t0.125000",
                  "coi_litter\t1.2.2020\tBrita\tCézar\t0.000000",
                  "coi_litter\t10.5.2020\tAsta\tCézar\t0.000000",
                  "coi_litter\t20.6.2022\tAsta\tCézar\t0.000000",
                  "coi_litter\t15.7.2022\tFiona\tEman\t0.250000",  // full siblings
                  "dam_litter_size\tAsta\t2\t5.000000",            // one of two litters counted
                  "dam_litter_size\tBrita\t1\t1.000000",
                  "dam_litter_size\tFiona\t1\t4.000000",
                  "dam_age\t2\t2",
                  "dam_age\t4\t1",
                  "shows\t2021\tV1\t2",
                  "shows\t2022\tV\t1",
                  "shows\t2022\tVD2\t1",
              }));
}

TEST_F(BreedingStatsTest, WhatTheFiguresLeaveOutIsCountedAndNamed) {
    const breeding::BreedingStats beagles = Stats(Filter(0, 0, "Bígl"));
    EXPECT_EQ(beagles.littersWithUnknownCounts, 1);
    EXPECT_EQ(beagles.littersWithoutDamAge, 1);  // Brita has no date of birth
    EXPECT_EQ(beagles.littersWithoutSire, 0);
    EXPECT_EQ(beagles.showsWithoutGrade, 1);  // the show without a date
    EXPECT_EQ(breeding::OmissionNotes(beagles),
              (QStringList{"Vrhy bez udaného počtu štěňat (nejsou ve štěňatech ani v průměrech): 1",
                           "Vrhy, u nichž nelze určit věk matky (chybí datum narození): 1",
                           "Výstavy bez data nebo bez známky (nejsou v grafu): 1"}));
    // Every breed: Gina's collie litter has no sire, no record sheet, and fills 2021.
    const breeding::BreedingStats all = Stats(Filter(0, 0));
    EXPECT_EQ(all.littersWithoutSire, 1);
    EXPECT_EQ(all.littersWithoutDamAge, 2);
    EXPECT_EQ(all.years.at(1).litters, 1);
    EXPECT_EQ(all.years.at(1).Puppies(), 2);
    EXPECT_TRUE(all.yearInbreeding.size() == 2 && all.yearInbreeding[0].year == 2020);
}

TEST_F(BreedingStatsTest, TheSpanAskedForIsShownWholeAndNothingOutsideIt) {
    const QStringList lines = Lines(Filter(2019, 2020, "Bígl"));
    EXPECT_EQ(lines.mid(0, 5),
              (QStringList{"litters\t2019\t0", "puppies\t2019\t0\t0", "litters\t2020\t2",
                           "puppies\t2020\t4\t2", "litter_size\t2020\t3.000000"}));
    for (const QString& line : lines) {
        EXPECT_FALSE(line.contains("2021") || line.contains("2022")) << line.toStdString();
    }
    // Only one end given: the other reaches the data.
    const breeding::BreedingStats late = Stats(Filter(2022, 0));
    EXPECT_EQ(late.fromYear, 2022);
    EXPECT_EQ(late.toYear, 2022);
    const breeding::BreedingStats future = Stats(Filter(2030, 0));
    EXPECT_EQ(future.fromYear, 2030);
    EXPECT_EQ(future.toYear, 2030);
    EXPECT_EQ(future.years.at(0).litters, 0);
}

TEST_F(BreedingStatsTest, AnEmptyKennelHasNoYears) {
    const breeding::BreedingStats none = Stats(Filter(0, 0, "Jezevčík"));
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_TRUE(breeding::StatsLines(none).isEmpty());
    EXPECT_EQ(breeding::KnownBreeds(*db_), (QStringList{"Bígl", "Kolie"}));
}

TEST(ShowGradeTest, GradeLettersAndPlacing) {
    EXPECT_EQ(breeding::ShowGrade("Výborný", 1), "V1");
    EXPECT_EQ(breeding::ShowGrade(" velmi dobrý ", 3), "VD3");
    EXPECT_EQ(breeding::ShowGrade("Velmi nadějný", 0), "VN");
    EXPECT_EQ(breeding::ShowGrade("Dobrý", 7), "D");  // only the four best are placed
    EXPECT_EQ(breeding::ShowGrade("V2", 2), "V2");    // written by hand: kept
    EXPECT_EQ(breeding::ShowGrade("Neposouzen", 0), "Neposouzen");
}

}  // namespace
