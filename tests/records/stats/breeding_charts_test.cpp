// Each chart of the statistics built for the hand-worked kennel: its series,
// values, categories and table.
#include <gtest/gtest.h>

#include "records/stats/breeding_charts.h"
#include "tests/records/stats/stats_kennel_fixture.h"

namespace {

using breeding::ChartContent;
using breeding::ChartKind;

class BreedingChartsTest : public stats_test::StatsKennelFixture {
  protected:
    void SetUp() override {
        StatsKennelFixture::SetUp();
        breeding::StatsFilter beagles;
        beagles.breed = QStringLiteral("Bígl");
        charts_ = breeding::BuildCharts(breeding::ReadBreedingStats(*db_, beagles));
    }
    const ChartContent& Chart(const QString& key) {
        for (const ChartContent& chart : charts_) {
            if (chart.key == key) {
                return chart;
            }
        }
        ADD_FAILURE() << "no chart " << key.toStdString();
        return charts_.front();
    }
    static std::vector<double> Values(const ChartContent& chart, size_t series) {
        return chart.series.at(series).values;
    }

    std::vector<ChartContent> charts_;
};

TEST_F(BreedingChartsTest, EveryChartHasTitleAxesAndATableOfItsNumbers) {
    ASSERT_EQ(charts_.size(), 7u);
    for (const ChartContent& chart : charts_) {
        EXPECT_FALSE(chart.title.isEmpty()) << chart.key.toStdString();
        EXPECT_FALSE(chart.axisX.isEmpty() || chart.axisY.isEmpty()) << chart.key.toStdString();
        EXPECT_FALSE(chart.tableRows.empty()) << chart.key.toStdString();
        for (const QStringList& row : chart.tableRows) {
            EXPECT_EQ(row.size(), chart.tableHeader.size()) << chart.key.toStdString();
        }
    }
    EXPECT_EQ(Chart("coi").axisY, "Koeficient příbuzenské plemenitby F (%)");
    EXPECT_EQ(Chart("dam_age").axisX, "Věk matky (roky)");
}

TEST_F(BreedingChartsTest, LittersAndPuppiesPerYear) {
    const ChartContent& litters = Chart("litters");
    EXPECT_EQ(litters.categories, (QStringList{"2020", "2021", "2022"}));
    EXPECT_EQ(Values(litters, 0), (std::vector<double>{2, 0, 2}));
    EXPECT_FALSE(litters.ShowsLegend());
    const ChartContent& puppies = Chart("puppies");
    EXPECT_EQ(puppies.kind, ChartKind::StackedBars);
    EXPECT_TRUE(puppies.ShowsLegend());
    EXPECT_EQ(puppies.series.at(0).name, "Psi");
    EXPECT_EQ(Values(puppies, 0), (std::vector<double>{4, 0, 2}));
    EXPECT_EQ(Values(puppies, 1), (std::vector<double>{2, 0, 2}));
    EXPECT_EQ(puppies.tableRows.at(0), (QStringList{"2020", "4", "2", "6"}));
}

TEST_F(BreedingChartsTest, MeanLitterSizePerYearAndPerDam) {
    const ChartContent& years = Chart("litter_size");
    EXPECT_EQ(Values(years, 0), (std::vector<double>{3, 0, 4}));
    EXPECT_EQ(years.tableRows.at(1), (QStringList{"2021", "0", "–"}));  // no mean, not a zero
    const ChartContent& dams = Chart("dam_litter_size");
    EXPECT_EQ(dams.categories, (QStringList{"Asta (1)", "Brita (1)", "Fiona (1)"}));
    EXPECT_EQ(Values(dams, 0), (std::vector<double>{5, 1, 4}));
    EXPECT_EQ(dams.tableRows.at(0), (QStringList{"Asta", "2", "1", "5.00"}));
}

TEST_F(BreedingChartsTest, InbreedingAsAYearlyLineAndALitterPoint) {
    const ChartContent& coi = Chart("coi");
    EXPECT_EQ(coi.kind, ChartKind::LineWithPoints);
    ASSERT_EQ(coi.series.size(), 2u);
    EXPECT_EQ(coi.series[0].points, (std::vector<QPointF>{{2020.5, 0}, {2022.5, 12.5}}));
    const std::vector<QPointF>& litters = coi.series[1].points;
    ASSERT_EQ(litters.size(), 4u);
    EXPECT_DOUBLE_EQ(litters[3].y(), 25.0);  // Fiona × Eman, full siblings
    EXPECT_GT(litters[3].x(), 2022.5);       // born in July
    EXPECT_LT(litters[3].x(), 2023.0);
    EXPECT_EQ(coi.tableRows.at(3), (QStringList{"2022", "průměr z 2 vrhů", "", "12.50"}));
    EXPECT_EQ(coi.tableRows.at(5), (QStringList{"15.7.2022", "Fiona", "Eman", "25.00"}));
}

TEST_F(BreedingChartsTest, ShowGradesStackedPerYearAndDamAgesAsAHistogram) {
    const ChartContent& shows = Chart("shows");
    ASSERT_EQ(shows.series.size(), 3u);
    EXPECT_EQ(shows.series[0].name, "V");
    EXPECT_EQ(shows.series[1].name, "V1");
    EXPECT_EQ(shows.series[2].name, "VD2");
    EXPECT_EQ(Values(shows, 1), (std::vector<double>{0, 2, 0}));
    EXPECT_EQ(shows.tableRows.at(2), (QStringList{"2022", "1", "0", "1"}));
    const ChartContent& ages = Chart("dam_age");
    EXPECT_EQ(ages.kind, ChartKind::Histogram);
    EXPECT_EQ(ages.categories, (QStringList{"2", "3", "4"}));  // the empty age has its bar
    EXPECT_EQ(Values(ages, 0), (std::vector<double>{2, 0, 1}));
}

}  // namespace
