// The breeding statistics of a large kennel: the 100,000 record sheets of
// bench_pedigree_kennel.h with their dates of birth, 50,000 litters of their
// parents' pairs over thirty-odd years (counts unknown for one in twenty,
// one in ten dams without a date of birth) and 30,000 show entries. Measures
// what the statistics window and harvel-data stats read: every figure of the
// whole history, inbreeding of every litter included, and of one decade.

#include <benchmark/benchmark.h>

#include <QDate>
#include <random>

#include "bench/bench_pedigree_kennel.h"
#include "records/stats/breeding_stats.h"

namespace {

using bench_pedigree::TheKennel;

constexpr int kLitters = 50000;
constexpr int kShows = 30000;
constexpr int kFirstYear = 1990;

// The generation's animals (all Beagles) are born in its own three years.
QDate BirthDate(int generation, std::mt19937& rng) {
    return QDate(kFirstYear + 3 * generation, 1, 1).addDays(rng() % (3 * 365));
}

void WriteBirthDates(platform::Connection& c, std::vector<QDate>& births, std::mt19937& rng) {
    const bench_pedigree::Population& population = TheKennel().population;
    births.assign(population.animals.size(), QDate());
    platform::Statement s(
        c.Raw(),
        QStringLiteral("UPDATE main_card SET Datum_nar = ?1, Plemeno = 'Bígl' WHERE rowid = ?2"));
    for (size_t g = 0; g < population.generations.size(); ++g) {
        for (const int a : population.generations[g]) {
            births[a] = BirthDate(int(g), rng);
            if (rng() % 10 == 0) {
                continue;  // a dam without a date of birth now and then
            }
            s.Bind(1, platform::Value(births[a].toString(Qt::ISODate)));
            s.Bind(2, platform::Value(std::int64_t(a - population.firstCard + 1)));
            s.Step();
            s.Reset();
        }
    }
}

// Litters of the parents of randomly drawn record sheets, born when the
// dam was two to eight years old.
void WriteLitters(platform::Connection& c, const std::vector<QDate>& births, std::mt19937& rng) {
    const bench_pedigree::Population& population = TheKennel().population;
    platform::Statement s(c.Raw(), QStringLiteral("INSERT INTO vrhy (Jmeno_registr, Datum, "
                                                  "Jmeno_reg_otec, Plemeno, Pocet_stenat_P, "
                                                  "Pocet_stenat_F) VALUES (?1,?2,?3,?4,?5,?6)"));
    const int cards = int(population.animals.size()) - population.firstCard;
    for (int written = 0; written < kLitters;) {
        const int puppy = population.firstCard + int(rng() % cards);
        const bench_pedigree::Animal& animal = population.animals[puppy];
        if (animal.sire < 0 || animal.dam < 0 || !births[animal.dam].isValid()) {
            continue;
        }
        const QDate day = births[animal.dam].addDays(730 + rng() % (6 * 365));
        s.Bind(1, platform::Value(TheKennel().NameOf(animal.dam)));
        s.Bind(2, platform::Value(day.toString(Qt::ISODate)));
        s.Bind(3, platform::Value(TheKennel().NameOf(animal.sire)));
        s.Bind(4, platform::Value(QStringLiteral("Bígl")));
        const bool unknown = rng() % 20 == 0;
        s.Bind(5, unknown ? platform::Value() : platform::Value(std::int64_t(rng() % 5)));
        s.Bind(6, unknown ? platform::Value() : platform::Value(std::int64_t(rng() % 5)));
        s.Step();
        s.Reset();
        ++written;
    }
}

void WriteShows(platform::Connection& c, const std::vector<QDate>& births, std::mt19937& rng) {
    const bench_pedigree::Population& population = TheKennel().population;
    static const char* const kGrades[] = {"Výborný", "Velmi dobrý", "Dobrý", "Velmi nadějný"};
    platform::Statement s(c.Raw(), QStringLiteral("INSERT INTO vystavy (Jmeno_registr, "
                                                  "Datum_vystava, Znamka, Poradi) "
                                                  "VALUES (?1,?2,?3,?4)"));
    const int cards = int(population.animals.size()) - population.firstCard;
    for (int i = 0; i < kShows; ++i) {
        const int a = population.firstCard + int(rng() % cards);
        const QDate born = births[a].isValid() ? births[a] : QDate(kFirstYear, 1, 1);
        s.Bind(1, platform::Value(TheKennel().NameOf(a)));
        s.Bind(2, platform::Value(born.addDays(300 + rng() % 2000).toString(Qt::ISODate)));
        s.Bind(3, platform::Value(QString::fromUtf8(kGrades[rng() % 4])));
        s.Bind(4, platform::Value(std::int64_t(rng() % 5)));
        s.Step();
        s.Reset();
    }
}

platform::Database& StatsKennel() {
    static platform::Database& database = []() -> platform::Database& {
        platform::Database& db = *TheKennel().db;
        platform::Connection& c = db.Handle();
        platform::Statement count(c.Raw(), QStringLiteral("SELECT COUNT(*) FROM vrhy"));
        count.Step();
        if (count.ColumnInt(0) == 0) {
            std::mt19937 rng(33);
            std::vector<QDate> births;
            c.Execute("BEGIN");
            WriteBirthDates(c, births, rng);
            WriteLitters(c, births, rng);
            WriteShows(c, births, rng);
            c.Execute("COMMIT");
            db.Analyze();
        }
        return db;
    }();
    return database;
}

void Report(benchmark::State& state, const breeding::BreedingStats& stats) {
    int litters = 0;
    for (const breeding::YearLitters& year : stats.years) {
        litters += year.litters;
    }
    state.counters["years"] = double(stats.years.size());
    state.counters["litters"] = litters;
    state.counters["coi_litters"] = double(stats.litterInbreeding.size());
    state.counters["show_grades"] = double(stats.shows.size());
}

void BM_StatsOfTheWholeHistory(benchmark::State& state) {
    platform::Database& database = StatsKennel();
    breeding::BreedingStats stats;
    for (auto _ : state) {
        stats = breeding::ReadBreedingStats(database, breeding::StatsFilter{});
    }
    Report(state, stats);
}
BENCHMARK(BM_StatsOfTheWholeHistory)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_StatsOfOneDecade(benchmark::State& state) {
    platform::Database& database = StatsKennel();
    breeding::StatsFilter decade;
    decade.fromYear = 2005;
    decade.toYear = 2014;
    decade.breed = QStringLiteral("Bígl");
    breeding::BreedingStats stats;
    for (auto _ : state) {
        stats = breeding::ReadBreedingStats(database, decade);
    }
    Report(state, stats);
}
BENCHMARK(BM_StatsOfOneDecade)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
