#pragma once
// A chart of the breeding statistics drawn with Qt Charts from its
// description (records/stats/breeding_charts.h): bars, stacked bars, or a
// yearly line with a point per litter; the title, axis titles and a legend
// when there is more than one series. The same description also renders the
// chart anywhere at any size (a picture, a PDF page, a printer page) and
// fills the table of its numbers.

#include <QImage>
#include <QRectF>

#include "records/stats/breeding_charts.h"

class QChart;
class QPainter;
class QTableWidget;

// A new chart for a chart view (the view takes it over).
QChart* NewStatisticsChart(const breeding::ChartContent& content);

// Draws the chart into `target` of the painter, laid out for the target's
// shape at a size where its texts read well, and scaled to fit.
void PaintStatisticsChart(const breeding::ChartContent& content, QPainter& painter,
                          const QRectF& target);

// The chart as a picture of `size` pixels on a white ground.
QImage StatisticsChartImage(const breeding::ChartContent& content, const QSize& size);

// The chart's numbers with its header, read-only.
void FillStatisticsTable(QTableWidget& table, const breeding::ChartContent& content);
