#include "app/statistics_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsScene>
#include <QHeaderView>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

using breeding::ChartKind;
using breeding::ChartSpec;

// The width the chart is laid out at when drawn onto a page or a picture;
// the height follows the target's shape.
constexpr double kLayoutWidth = 1100.0;

QValueAxis* ValueAxis(const QString& title, double top) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(0.0, top > 0.0 ? top * 1.1 : 1.0);
    axis->applyNiceNumbers();
    return axis;
}

// Counts get whole-number ticks.
void WholeNumberTicks(QValueAxis* axis) {
    axis->setLabelFormat(QStringLiteral("%d"));
}

double BarsTop(const ChartSpec& spec) {
    double top = 0.0;
    if (spec.kind == ChartKind::StackedBars) {
        for (qsizetype i = 0; i < spec.categories.size(); ++i) {
            double sum = 0.0;
            for (const breeding::ChartSeries& series : spec.series)
                sum += series.values.at(i);
            top = std::max(top, sum);
        }
    } else {
        for (const breeding::ChartSeries& series : spec.series) {
            for (double value : series.values)
                top = std::max(top, value);
        }
    }
    return top;
}

void AddBars(QChart& chart, const ChartSpec& spec) {
    QAbstractBarSeries* bars = spec.kind == ChartKind::StackedBars
                                   ? static_cast<QAbstractBarSeries*>(new QStackedBarSeries)
                                   : static_cast<QAbstractBarSeries*>(new QBarSeries);
    if (spec.kind == ChartKind::Histogram)
        bars->setBarWidth(0.98);
    for (const breeding::ChartSeries& series : spec.series) {
        auto* set = new QBarSet(series.name);
        for (double value : series.values)
            set->append(value);
        bars->append(set);
    }
    chart.addSeries(bars);
    auto* categories = new QBarCategoryAxis;
    categories->append(spec.categories);
    categories->setTitleText(spec.axisX);
    // Long labels (the dams' names) are slanted so each can be read whole.
    const bool longLabels = std::any_of(spec.categories.begin(), spec.categories.end(),
                                        [](const QString& label) { return label.size() > 12; });
    if (longLabels)
        categories->setLabelsAngle(-30);
    chart.addAxis(categories, Qt::AlignBottom);
    bars->attachAxis(categories);
    QValueAxis* values = ValueAxis(spec.axisY, BarsTop(spec));
    const bool counts = !spec.axisY.contains(QStringLiteral("průměr"));
    if (counts)
        WholeNumberTicks(values);
    chart.addAxis(values, Qt::AlignLeft);
    bars->attachAxis(values);
}

void AddLineWithPoints(QChart& chart, const ChartSpec& spec) {
    double left = 0.0, right = 0.0, top = 0.0;
    bool any = false;
    std::vector<QXYSeries*> added;
    for (size_t i = 0; i < spec.series.size(); ++i) {
        QXYSeries* series = i == 0 ? static_cast<QXYSeries*>(new QLineSeries)
                                   : static_cast<QXYSeries*>(new QScatterSeries);
        series->setName(spec.series[i].name);
        if (auto* points = qobject_cast<QScatterSeries*>(series))
            points->setMarkerSize(9.0);
        for (const QPointF& point : spec.series[i].points) {
            series->append(point);
            left = any ? std::min(left, point.x()) : point.x();
            right = any ? std::max(right, point.x()) : point.x();
            top = std::max(top, point.y());
            any = true;
        }
        chart.addSeries(series);
        added.push_back(series);
    }
    auto* years = new QValueAxis;
    years->setTitleText(spec.axisX);
    // Each year runs from its label to the next one.
    const double first = std::floor(any ? left : 0.0), last = std::floor(any ? right : 0.0);
    years->setRange(first, last + 1.0);
    years->setTickType(QValueAxis::TicksDynamic);
    years->setTickAnchor(first);
    years->setTickInterval(std::max(1.0, std::ceil((last - first + 1.0) / 12.0)));
    years->setLabelFormat(QStringLiteral("%.0f"));
    chart.addAxis(years, Qt::AlignBottom);
    QValueAxis* values = ValueAxis(spec.axisY, top);
    chart.addAxis(values, Qt::AlignLeft);
    for (QXYSeries* series : added) {
        series->attachAxis(years);
        series->attachAxis(values);
    }
}

}  // namespace

QChart* NewStatisticsChart(const ChartSpec& spec) {
    auto* chart = new QChart;
    chart->setTitle(spec.title);
    QFont title = chart->titleFont();
    title.setPointSizeF(title.pointSizeF() * 1.3);
    title.setBold(true);
    chart->setTitleFont(title);
    if (spec.kind == ChartKind::LineWithPoints)
        AddLineWithPoints(*chart, spec);
    else
        AddBars(*chart, spec);
    chart->legend()->setVisible(spec.ShowsLegend());
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

void PaintStatisticsChart(const ChartSpec& spec, QPainter& painter, const QRectF& target) {
    if (target.width() <= 0 || target.height() <= 0)
        return;
    const QSizeF layout(kLayoutWidth, kLayoutWidth * target.height() / target.width());
    QGraphicsScene scene;
    QChart* chart = NewStatisticsChart(spec);
    scene.addItem(chart);  // the scene owns the chart from here
    chart->setGeometry(QRectF(QPointF(0, 0), layout));
    scene.setSceneRect(QRectF(QPointF(0, 0), layout));
    scene.render(&painter, target, scene.sceneRect(), Qt::KeepAspectRatio);
}

QImage StatisticsChartImage(const ChartSpec& spec, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintStatisticsChart(spec, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

void FillStatisticsTable(QTableWidget& table, const ChartSpec& spec) {
    table.clear();
    table.setColumnCount(int(spec.tableHeader.size()));
    table.setRowCount(int(spec.tableRows.size()));
    table.setHorizontalHeaderLabels(spec.tableHeader);
    for (int r = 0; r < int(spec.tableRows.size()); ++r) {
        for (int c = 0; c < int(spec.tableRows[r].size()); ++c) {
            auto* item = new QTableWidgetItem(spec.tableRows[r][c]);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            bool number = false;
            spec.tableRows[r][c].toDouble(&number);
            if (number)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(r, c, item);
        }
    }
    table.resizeColumnsToContents();
}
