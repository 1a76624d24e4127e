// Speed and memory of the table store on a generated kennel: 100,000 record
// sheets and 500,000 event rows, generated once per run into a temporary folder.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>

#include "platform/store/sqlite_handle.h"
#include "platform/store/store.h"

namespace {

constexpr int kCards = 100000;
constexpr int kVisits = 200000;
constexpr int kShows = 100000;
constexpr int kOtherEvents = 50000;  // each of titles, matings, litters, breeding approval

const char* const kBreeds[] = {"Bígl", "Pudl",         "Jezevčík",           "Čivava",
                               "Chrt", "Border kolie", "Labradorský retrívr"};
const char* const kPrefixes[] = {"Alík", "Běla", "Cyril", "Čert",  "Dora",
                                 "Hugo", "Chrt", "Šimon", "Žofie", "Ota"};
const char* const kKennels[] = {"z Lesa",  "od Potoka",   "ze Mlýna",
                                "Bohemia", "z Chaloupky", "od Řeky"};

QString CardName(int i) {
    return QStringLiteral("%1 %2 %3")
        .arg(QString::fromUtf8(kPrefixes[i % 10]))
        .arg(i, 6, 10, QChar('0'))
        .arg(QString::fromUtf8(kKennels[(i / 10) % 6]));
}

QString Iso(std::mt19937& rng) {
    return QStringLiteral("%1-%2-%3")
        .arg(2000 + rng() % 24)
        .arg(1 + rng() % 12, 2, 10, QChar('0'))
        .arg(1 + rng() % 28, 2, 10, QChar('0'));
}

void Insert(platform::Connection& c, const QString& table, const QStringList& columns, int count,
            const std::function<std::vector<platform::Value>(int)>& row) {
    QStringList marks;
    for (int i = 1; i <= columns.size(); ++i)
        marks << QStringLiteral("?%1").arg(i);
    platform::Statement s(c.Raw(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(table, columns.join(','), marks.join(',')));
    for (int i = 0; i < count; ++i) {
        const auto values = row(i);
        for (size_t k = 0; k < values.size(); ++k)
            s.Bind(static_cast<int>(k) + 1, values[k]);
        s.Step();
        s.Reset();
    }
}

struct Kennel {
    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<platform::Database> db;

    Kennel() {
        // HARVEL_BENCH_DATA names a folder to keep the generated kennel in
        // between runs; without it the kennel lives in a temporary folder.
        const QString kept = qEnvironmentVariable("HARVEL_BENCH_DATA");
        folder = kept.isEmpty() ? dir.filePath("DATA") : kept;
        if (QFile::exists(platform::Database::DatabaseFile(folder))) {
            db = std::make_unique<platform::Database>(folder);
            return;
        }
        platform::Database::CreateSchema(folder);
        db = std::make_unique<platform::Database>(folder);
        platform::Connection& c = db->Handle();
        std::mt19937 rng(42);
        using V = platform::Value;
        auto text = [](const QString& s) { return V(s); };
        auto num = [](std::int64_t n) { return V(n); };
        c.Execute("BEGIN");
        Insert(c, "main_card",
               {"Jmeno_registr", "Jmeno_call", "Vlastnictvi", "Vlast_odchov", "Plemeno", "Pohlavi",
                "Datum_nar", "Otec", "Matka", "Chovatel", "Majitel", "Vaha_narozeni", "Srst_barva",
                "Povaha", "Cip"},
               kCards, [&](int i) {
                   return std::vector<V>{
                       text(CardName(i)),
                       text(QStringLiteral("Volací %1").arg(i % 997)),
                       num(i % 3 != 0),
                       num(i % 2),
                       text(QString::fromUtf8(kBreeds[rng() % 7])),
                       text(i % 2 ? QStringLiteral("Pes") : QStringLiteral("Fena")),
                       text(Iso(rng)),
                       text(CardName(static_cast<int>(rng() % kCards))),
                       text(CardName(static_cast<int>(rng() % kCards))),
                       text(QStringLiteral("Chovatelská stanice %1").arg(rng() % 500)),
                       text(QStringLiteral("Majitel %1").arg(rng() % 5000)),
                       V(0.3 + (rng() % 100) / 100.0),
                       text(QStringLiteral("černobílá")),
                       text(QStringLiteral("Klidná, přátelská povaha, dobře snáší děti.")),
                       num(static_cast<std::int64_t>(rng() % 2000000000))};
               });
        auto owner = [&]() { return text(CardName(static_cast<int>(rng() % kCards))); };
        Insert(c, "osetreni",
               {"Jmeno_registr", "Datum_osetreni", "Duvod_osetreni", "Popis_osetreni",
                "Vysled_osetreni", "Lekar", "Preparaty"},
               kVisits, [&](int) {
                   return std::vector<V>{owner(),
                                         text(Iso(rng)),
                                         text(QStringLiteral("Očkování")),
                                         text(QStringLiteral("Vzteklina, parvoviróza")),
                                         text(QStringLiteral("bez nálezu")),
                                         text(QStringLiteral("MVDr. Novák %1").arg(rng() % 50)),
                                         text(QStringLiteral("Nobivac"))};
               });
        Insert(c, "vystavy",
               {"Jmeno_registr", "Datum_vystava", "Druh", "Trida", "Znamka", "Poradi", "Misto"},
               kShows, [&](int) {
                   return std::vector<V>{owner(),
                                         text(Iso(rng)),
                                         text(QStringLiteral("Národní")),
                                         text(QStringLiteral("Otevřená")),
                                         text(QStringLiteral("Výborný")),
                                         num(rng() % 5),
                                         text(QStringLiteral("Praha"))};
               });
        Insert(c, "tituly", {"Jmeno_Registr", "Zeme", "Titul_Jmeno", "Datum_Udeleni"}, kOtherEvents,
               [&](int) {
                   return std::vector<V>{owner(), text(QStringLiteral("CZ")),
                                         text(QStringLiteral("Český šampion")), text(Iso(rng))};
               });
        Insert(c, "kryti", {"Jmeno_registr", "Jmeno_partner", "Datum_kryti_1", "Nakryta_Ano_Ne"},
               kOtherEvents, [&](int) {
                   return std::vector<V>{owner(), owner(), text(Iso(rng)), num(rng() % 2)};
               });
        Insert(c, "vrhy",
               {"Jmeno_registr", "Datum", "Jmeno_reg_otec", "Pocet_stenat_F", "Pocet_stenat_P"},
               kOtherEvents, [&](int) {
                   return std::vector<V>{owner(), text(Iso(rng)), owner(), num(rng() % 6),
                                         num(rng() % 6)};
               });
        Insert(c, "chovnost", {"Jmeno_registr", "Datum", "Chov_jedinec", "Poznamka"}, kOtherEvents,
               [&](int) {
                   return std::vector<V>{owner(), text(Iso(rng)), num(rng() % 2),
                                         text(QStringLiteral("Splnil podmínky"))};
               });
        c.Execute("COMMIT");
        db->Analyze();  // as harvel-data load leaves a loaded kennel
        c.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
    }
};

Kennel& TheKennel() {
    static Kennel kennel;
    return kennel;
}

double ResidentMegabytes() {
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr)
        return 0;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    std::fclose(f);
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

void BM_OpenMainCard(benchmark::State& state) {
    Kennel& k = TheKennel();
    for (auto _ : state) {
        platform::Table cards(*k.db, "main_card.db");
        cards.Open();
        benchmark::DoNotOptimize(cards.RecordCount());
    }
}
BENCHMARK(BM_OpenMainCard)->Unit(benchmark::kMillisecond);

void BM_HealthCardBookQuery(benchmark::State& state) {
    Kennel& k = TheKennel();
    const QStringList sql{
        "Select osetreni.* ,",
        "Main_Card.Otec,Main_Card.Matka,Main_Card.plemeno,Main_Card.Datum_Nar,Main_Card.Pohlavi,"
        "Main_Card.Vlastnictvi,"
        "Main_Card.Vlast_odchov,Main_Card.Registr,Main_Card.Registr_Cislo",
        "from Osetreni  left Join Main_card  On Main_card.Jmeno_registr = Osetreni.Jmeno_registr",
        "where Pohlavi = \"Fena\" ", "Order by Jmeno_registr ASC,Plemeno ASC,Otec ASC"};
    std::int64_t rows = 0;
    {
        platform::Query warm(
            *k.db);  // reads the pages into the cache, as a second print would find them
        warm.SetSQL(sql);
        warm.Open();
    }
    for (auto _ : state) {
        platform::Query q(*k.db);
        q.SetSQL(sql);
        q.Open();
        platform::Field& name = q.FieldByName("Jmeno_registr");
        platform::Field& date = q.FieldByName("Datum_osetreni");
        platform::Field& sire = q.FieldByName("Otec");
        rows = 0;
        for (q.First(); !q.Eof(); q.Next()) {
            benchmark::DoNotOptimize(name.DisplayText());
            benchmark::DoNotOptimize(date.DisplayText());
            benchmark::DoNotOptimize(sire.DisplayText());
            ++rows;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_HealthCardBookQuery)->Unit(benchmark::kMillisecond);

void BM_LocateByRegisteredName(benchmark::State& state) {
    Kennel& k = TheKennel();
    platform::Table cards(*k.db, "main_card.db");
    cards.Open();
    cards.Locate("Jmeno_registr", CardName(0));  // builds the position index once
    std::mt19937 rng(7);
    for (auto _ : state) {
        const bool found =
            cards.Locate("Jmeno_registr", CardName(static_cast<int>(rng() % kCards)));
        if (!found)
            state.SkipWithError("registered name not found");
    }
}
BENCHMARK(BM_LocateByRegisteredName)->Unit(benchmark::kMicrosecond);

void BM_PostWithFlush(benchmark::State& state) {
    Kennel& k = TheKennel();
    platform::Table cards(*k.db, "main_card.db");
    cards.Open();
    std::vector<double> times;
    int n = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        cards.Edit();
        cards.FieldByName("Jmeno_call").SetAsString(QStringLiteral("Post %1").arg(++n));
        cards.Post();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        cards.Next();
    }
    std::sort(times.begin(), times.end());
    if (!times.empty())
        state.counters["median_ms"] = times[times.size() / 2];
}
BENCHMARK(BM_PostWithFlush)->Unit(benchmark::kMillisecond)->Iterations(200);

// Run alone for a clean figure: --benchmark_filter=Memory with HARVEL_BENCH_DATA
// naming an already generated kennel.
void BM_MainCardMemory(benchmark::State& state) {
    Kennel& k = TheKennel();
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        platform::Table cards(*k.db, "main_card.db");
        cards.Open();
        double peak = ResidentMegabytes();
        for (cards.First(); !cards.Eof(); cards.Next())
            benchmark::DoNotOptimize(cards.Fields(0).AsString());
        peak = std::max(peak, ResidentMegabytes());
        state.counters["open_table_MB"] = peak - before;
        state.counters["process_MB"] = peak;
    }
}
BENCHMARK(BM_MainCardMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
