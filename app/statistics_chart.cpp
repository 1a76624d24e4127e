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

using breeding::ChartContent;
using breeding::ChartKind;

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

double BarsTop(const ChartContent& content) {
    double top = 0.0;
    if (content.kind == ChartKind::StackedBars) {
        for (qsizetype i = 0; i < content.categories.size(); ++i) {
            double sum = 0.0;
            for (const breeding::ChartSeries& series : content.series) {
                sum += series.values.at(i);
            }
            top = std::max(top, sum);
        }
    } else {
        for (const breeding::ChartSeries& series : content.series) {
            for (double value : series.values) {
                top = std::max(top, value);
            }
        }
    }
    return top;
}

void AddBars(QChart& chart, const ChartContent& content) {
    QAbstractBarSeries* bars = content.kind == ChartKind::StackedBars
                                   ? static_cast<QAbstractBarSeries*>(new QStackedBarSeries)
                                   : static_cast<QAbstractBarSeries*>(new QBarSeries);
    if (content.kind == ChartKind::Histogram) {
        bars->setBarWidth(0.98);
    }
    for (const breeding::ChartSeries& series : content.series) {
        auto* set = new QBarSet(series.name);
        for (double value : series.values) {
            set->append(value);
        }
        bars->append(set);
    }
    chart.addSeries(bars);
    auto* categories = new QBarCategoryAxis;
    categories->append(content.categories);
    categories->setTitleText(content.axisX);
    // Long labels (the dams' names) are slanted so each can be read whole.
    const bool longLabels = std::any_of(content.categories.begin(), content.categories.end(),
                                        [](const QString& label) { return label.size() > 12; });
    if (longLabels) {
        categories->setLabelsAngle(-30);
    }
    chart.addAxis(categories, Qt::AlignBottom);
    bars->attachAxis(categories);
    QValueAxis* values = ValueAxis(content.axisY, BarsTop(content));
    const bool counts = !content.axisY.contains(QStringLiteral("průměr"));
    if (counts) {
        WholeNumberTicks(values);
    }
    chart.addAxis(values, Qt::AlignLeft);
    bars->attachAxis(values);
}

void AddLineWithPoints(QChart& chart, const ChartContent& content) {
    double left = 0.0, right = 0.0, top = 0.0;
    bool any = false;
    std::vector<QXYSeries*> added;
    for (size_t i = 0; i < content.series.size(); ++i) {
        QXYSeries* series = i == 0 ? static_cast<QXYSeries*>(new QLineSeries)
                                   : static_cast<QXYSeries*>(new QScatterSeries);
        series->setName(content.series[i].name);
        if (auto* points = qobject_cast<QScatterSeries*>(series)) {
            points->setMarkerSize(9.0);
        }
        for (const QPointF& point : content.series[i].points) {
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
    years->setTitleText(content.axisX);
    // Each year runs from its label to the next one.
    const double first = std::floor(any ? left : 0.0), last = std::floor(any ? right : 0.0);
    years->setRange(first, last + 1.0);
    years->setTickType(QValueAxis::TicksDynamic);
    years->setTickAnchor(first);
    years->setTickInterval(std::max(1.0, std::ceil((last - first + 1.0) / 12.0)));
    years->setLabelFormat(QStringLiteral("%.0f"));
    chart.addAxis(years, Qt::AlignBottom);
    QValueAxis* values = ValueAxis(content.axisY, top);
    chart.addAxis(values, Qt::AlignLeft);
    for (QXYSeries* series : added) {
        series->attachAxis(years);
        series->attachAxis(values);
    }
}

}  // namespace

QChart* NewStatisticsChart(const ChartContent& content) {
    auto* chart = new QChart;
    chart->setTitle(content.title);
    QFont title = chart->titleFont();
    title.setPointSizeF(title.pointSizeF() * 1.3);
    title.setBold(true);
    chart->setTitleFont(title);
    if (content.kind == ChartKind::LineWithPoints) {
        AddLineWithPoints(*chart, content);
    } else {
        AddBars(*chart, content);
    }
    chart->legend()->setVisible(content.ShowsLegend());
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

void PaintStatisticsChart(const ChartContent& content, QPainter& painter, const QRectF& target) {
    if (target.width() <= 0 || target.height() <= 0) {
        return;
    }
    const QSizeF layout(kLayoutWidth, kLayoutWidth * target.height() / target.width());
    QGraphicsScene scene;
    QChart* chart = NewStatisticsChart(content);
    scene.addItem(chart);  // the scene owns the chart from here
    chart->setGeometry(QRectF(QPointF(0, 0), layout));
    scene.setSceneRect(QRectF(QPointF(0, 0), layout));
    scene.render(&painter, target, scene.sceneRect(), Qt::KeepAspectRatio);
}

QImage StatisticsChartImage(const ChartContent& content, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintStatisticsChart(content, painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

void FillStatisticsTable(QTableWidget& table, const ChartContent& content) {
    table.clear();
    table.setColumnCount(int(content.tableHeader.size()));
    table.setRowCount(int(content.tableRows.size()));
    table.setHorizontalHeaderLabels(content.tableHeader);
    for (int r = 0; r < int(content.tableRows.size()); ++r) {
        for (int c = 0; c < int(content.tableRows[r].size()); ++c) {
            auto* item = new QTableWidgetItem(content.tableRows[r][c]);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            bool number = false;
            content.tableRows[r][c].toDouble(&number);
            if (number) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table.setItem(r, c, item);
        }
    }
    table.resizeColumnsToContents();
}
