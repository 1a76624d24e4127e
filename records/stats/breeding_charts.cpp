#include "records/stats/breeding_charts.h"

#include "platform/czech_locale.h"

namespace breeding {
namespace {

ChartContent NewChart(const QString& key, const QString& title, const QString& axisX,
                      const QString& axisY, ChartKind kind = ChartKind::Bars) {
    ChartContent chart;
    chart.key = key;
    chart.title = title;
    chart.axisX = axisX;
    chart.axisY = axisY;
    chart.kind = kind;
    return chart;
}

ChartSeries NamedSeries(const QString& name) {
    ChartSeries series;
    series.name = name;
    return series;
}

QStringList YearCategories(const BreedingStats& stats) {
    QStringList years;
    for (const YearLitters& year : stats.years) {
        years << QString::number(year.year);
    }
    return years;
}

ChartContent LittersChart(const BreedingStats& stats) {
    ChartContent chart = NewChart("litters", "Vrhy podle let", "Rok", "Počet vrhů");
    chart.categories = YearCategories(stats);
    ChartSeries litters = NamedSeries("Vrhy");
    chart.tableHeader = {"Rok", "Vrhy"};
    for (const YearLitters& year : stats.years) {
        litters.values.push_back(year.litters);
        chart.tableRows.push_back({QString::number(year.year), QString::number(year.litters)});
    }
    chart.series.push_back(std::move(litters));
    return chart;
}

ChartContent PuppiesChart(const BreedingStats& stats) {
    ChartContent chart = NewChart("puppies", "Štěňata podle let a pohlaví", "Rok", "Počet štěňat",
                                  ChartKind::StackedBars);
    chart.categories = YearCategories(stats);
    ChartSeries males = NamedSeries("Psi"), females = NamedSeries("Feny");
    chart.tableHeader = {"Rok", "Psi", "Feny", "Celkem"};
    for (const YearLitters& year : stats.years) {
        males.values.push_back(year.males);
        females.values.push_back(year.females);
        chart.tableRows.push_back({QString::number(year.year), QString::number(year.males),
                                   QString::number(year.females), QString::number(year.Puppies())});
    }
    chart.series.push_back(std::move(males));
    chart.series.push_back(std::move(females));
    return chart;
}

ChartContent LitterSizeChart(const BreedingStats& stats) {
    ChartContent chart = NewChart("litter_size", "Průměrná velikost vrhu podle let", "Rok",
                                  "Štěňat na vrh (průměr)");
    chart.categories = YearCategories(stats);
    ChartSeries mean = NamedSeries("Průměr štěňat ve vrhu");
    chart.tableHeader = {"Rok", "Vrhy s počtem štěňat", "Průměr"};
    for (const YearLitters& year : stats.years) {
        mean.values.push_back(year.MeanSize());
        chart.tableRows.push_back({QString::number(year.year), QString::number(year.countedLitters),
                                   year.HasMeanSize() ? TableNumber(year.MeanSize()) : "–"});
    }
    chart.series.push_back(std::move(mean));
    return chart;
}

// Each dam's bar is labelled with the number of her litters the mean is of.
ChartContent DamLitterSizeChart(const BreedingStats& stats) {
    ChartContent chart = NewChart("dam_litter_size", "Průměrná velikost vrhu podle matek",
                                  "Matka (počet vrhů)", "Štěňat na vrh (průměr)");
    ChartSeries mean = NamedSeries("Průměr štěňat ve vrhu");
    chart.tableHeader = {"Matka", "Vrhy", "Vrhy s počtem štěňat", "Průměr"};
    for (const DamLitters& dam : stats.dams) {
        chart.tableRows.push_back({dam.dam, QString::number(dam.litters),
                                   QString::number(dam.countedLitters),
                                   dam.HasMeanSize() ? TableNumber(dam.MeanSize()) : "–"});
        if (!dam.HasMeanSize()) {
            continue;
        }
        chart.categories << QStringLiteral("%1 (%2)").arg(dam.dam).arg(dam.countedLitters);
        mean.values.push_back(dam.MeanSize());
    }
    chart.series.push_back(std::move(mean));
    return chart;
}

// A litter's point lies within its year by the day of birth.
double YearPosition(const QDate& date) {
    return date.year() + double(date.dayOfYear() - 1) / date.daysInYear();
}

ChartContent InbreedingChart(const BreedingStats& stats) {
    ChartContent chart =
        NewChart("coi", "Příbuzenská plemenitba vrhů", "Rok",
                 "Koeficient příbuzenské plemenitby F (%)", ChartKind::LineWithPoints);
    ChartSeries means = NamedSeries("Průměr za rok"), litters = NamedSeries("Jednotlivé vrhy");
    chart.tableHeader = {"Rok / datum", "Matka", "Otec", "F (%)"};
    size_t next = 0;
    for (const YearInbreeding& year : stats.yearInbreeding) {
        // The year's mean sits in the middle of the year, among its litters.
        means.points.push_back({year.year + 0.5, 100.0 * year.mean});
        chart.tableRows.push_back({QString::number(year.year),
                                   QStringLiteral("průměr z %1 vrhů").arg(year.litters), "",
                                   TableNumber(100.0 * year.mean)});
        for (; next < stats.litterInbreeding.size() &&
               stats.litterInbreeding[next].date.year() == year.year;
             ++next) {
            const LitterInbreeding& litter = stats.litterInbreeding[next];
            litters.points.push_back({YearPosition(litter.date), 100.0 * litter.f});
            chart.tableRows.push_back({platform::FormatDate(litter.date), litter.dam, litter.sire,
                                       TableNumber(100.0 * litter.f)});
        }
    }
    chart.series.push_back(std::move(means));
    chart.series.push_back(std::move(litters));
    return chart;
}

ChartContent ShowsChart(const BreedingStats& stats) {
    ChartContent chart = NewChart("shows", "Výsledky výstav podle let", "Rok", "Počet posouzení",
                                  ChartKind::StackedBars);
    chart.categories = YearCategories(stats);
    chart.tableHeader = QStringList{"Rok"} + stats.grades;
    for (const QString& grade : stats.grades) {
        ChartSeries counts = NamedSeries(grade);
        counts.values.assign(stats.years.size(), 0.0);
        chart.series.push_back(std::move(counts));
    }
    std::vector<QStringList> rows;
    for (const YearLitters& year : stats.years) {
        QStringList row{QString::number(year.year)};
        for (int i = 0; i < stats.grades.size(); ++i) {
            row << "0";
        }
        rows.push_back(row);
    }
    for (const ShowGradeCount& show : stats.shows) {
        const int grade = stats.grades.indexOf(show.grade);
        const size_t year = show.year - stats.fromYear;
        chart.series[grade].values[year] = show.count;
        rows[year][grade + 1] = QString::number(show.count);
    }
    chart.tableRows = std::move(rows);
    return chart;
}

// Every age from the youngest dam to the oldest has its bar, also an empty one.
ChartContent DamAgeChart(const BreedingStats& stats) {
    ChartContent chart = NewChart("dam_age", "Věk matek při porodu", "Věk matky (roky)",
                                  "Počet vrhů", ChartKind::Histogram);
    ChartSeries litters = NamedSeries("Vrhy");
    chart.tableHeader = {"Věk (roky)", "Vrhy"};
    if (!stats.damAges.empty()) {
        size_t next = 0;
        for (int age = stats.damAges.front().years; age <= stats.damAges.back().years; ++age) {
            int count = 0;
            if (stats.damAges[next].years == age) {
                count = stats.damAges[next++].litters;
            }
            chart.categories << QString::number(age);
            litters.values.push_back(count);
            chart.tableRows.push_back({QString::number(age), QString::number(count)});
        }
    }
    chart.series.push_back(std::move(litters));
    return chart;
}

}  // namespace

std::vector<ChartContent> BuildCharts(const BreedingStats& stats) {
    return {LittersChart(stats),       PuppiesChart(stats),    LitterSizeChart(stats),
            DamLitterSizeChart(stats), InbreedingChart(stats), ShowsChart(stats),
            DamAgeChart(stats)};
}

QString TableNumber(double value) {
    return QString::number(value, 'f', 2);
}

}  // namespace breeding
