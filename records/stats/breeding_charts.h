#pragma once
// What each chart of the breeding statistics shows, built from the figures
// without any widget: its title, the axis titles with their units, the
// categories or points, the series and the table of its numbers. The window
// draws these with Qt Charts; tests check them directly.

#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

#include "records/stats/breeding_stats.h"

namespace breeding {

enum class ChartKind {
    Bars,            // one bar per category and series, side by side
    StackedBars,     // the series of a category stacked in one bar
    Histogram,       // bars of neighbouring classes touching
    LineWithPoints,  // numeric x: the first series as a line, the others as points
};

// One value per category (bars), or points (LineWithPoints).
struct ChartSeries {
    QString name;
    std::vector<double> values;
    std::vector<QPointF> points;
};

struct ChartContent {
    QString key;  // "litters", "puppies", … (object names, file names)
    QString title;
    QString axisX, axisY;
    ChartKind kind = ChartKind::Bars;
    QStringList categories;
    std::vector<ChartSeries> series;
    QStringList tableHeader;
    std::vector<QStringList> tableRows;

    bool ShowsLegend() const { return series.size() > 1; }
};

// Every chart of the statistics, in the order the window offers them.
std::vector<ChartContent> BuildCharts(const BreedingStats& stats);

// A figure as the tables show it: two decimals with a period.
QString TableNumber(double value);

}  // namespace breeding
