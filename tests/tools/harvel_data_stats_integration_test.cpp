// harvel-data stats, run as a user runs it, on the hand-worked kennel: the
// lines are the figures the statistics window draws.
#include <gtest/gtest.h>

#include "records/stats/breeding_stats.h"
#include "records/stats/breeding_stats_lines.h"
#include "tests/records/stats/stats_kennel_fixture.h"
#include "tests/support/program_run.h"

namespace {

using testing_support::RunDataTool;

class StatsCommand : public stats_test::StatsKennelFixture {
  protected:
    QStringList WindowLines(const breeding::StatsFilter& filter) {
        return breeding::StatsLines(breeding::ReadBreedingStats(*db_, filter));
    }
};

TEST_F(StatsCommand, PrintsTheFiguresBehindTheCharts) {
    const auto result = RunDataTool({"stats", folder_, "--breed", "Bígl"});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
    breeding::StatsFilter beagles;
    beagles.breed = QStringLiteral("Bígl");
    EXPECT_EQ(lines, WindowLines(beagles));
    EXPECT_TRUE(lines.contains("litters\t2021\t0"));
    EXPECT_TRUE(lines.contains("coi\t2022\t0.125000"));
    EXPECT_TRUE(lines.contains("dam_age\t4\t1"));
    EXPECT_TRUE(lines.contains("shows\t2021\tV1\t2"));
    EXPECT_TRUE(result.err.contains(
        "Upozornění: Vrhy, u nichž nelze určit věk matky (chybí datum narození): 1"));
}

TEST_F(StatsCommand, TheSpanLimitsEveryFigure) {
    const auto result = RunDataTool({"stats", folder_, "--from", "2021", "--to", "2021"});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.split('\n', Qt::SkipEmptyParts),
              (QStringList{"litters\t2021\t1", "puppies\t2021\t1\t1", "litter_size\t2021\t2.000000",
                           "dam_litter_size\tGina\t1\t2.000000", "shows\t2021\tV1\t2"}));
    EXPECT_TRUE(result.err.contains("Vrhy bez zapsaného otce"));
}

TEST_F(StatsCommand, RefusesArgumentsThatAreNoSpan) {
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"--from", "2023", "--to", "2021"}, "Rok „od“ (2023) je pozdější než rok „do“ (2021)."},
        {{"--from", "loni"}, "Rok musí být celé číslo od 1 do 9999, ne „loni“."},
        {{"--to"}, "Použití: harvel-data stats DIR"},
        {{"--sire", "Eman"}, "Použití: harvel-data stats DIR"},
    };
    for (const auto& c : cases) {
        const auto result = RunDataTool(QStringList{"stats", folder_} + c.args);
        EXPECT_EQ(result.code, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.message))) << result.err.toStdString();
    }
    EXPECT_EQ(RunDataTool({"stats", dir_.filePath("nic")}).code, 1);
    EXPECT_EQ(RunDataTool({"stats"}).code, 2);  // no folder: the usage of every command
    EXPECT_TRUE(
        RunDataTool({"--help"})
            .out.contains("harvel-data stats DIR [--from ROK] [--to ROK] [--breed PLEMENO]"));
}

}  // namespace
