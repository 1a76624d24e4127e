// The breeder's diary of a large kennel: 100,000 record sheets (four in five
// removed from the register over the years), 500,000 vet
// visits (every third with a next visit), 100,000 matings (most with their
// litter recorded), 50,000 seasons of 12,500 bitches and 1,000 reminders.
//   BM_Diary30Days   the diary window's default: today to 30 days on, with
//                    every overdue entry
//   BM_StartUpCheck  what the start-up reminder reads (7 days ahead)
// Run: build/bench/diary_bench

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <random>

#include "platform/store/sqlite_handle.h"
#include "platform/store/store.h"
#include "records/diary/diary_book.h"

namespace {

constexpr int kCards = 100000;
constexpr int kVisits = 500000;
constexpr int kMatings = 100000;
constexpr int kSeasons = 50000;
constexpr int kSeasonsPerBitch = 4;
constexpr int kReminders = 1000;
const QDate kToday(2026, 6, 15);
const QDate kFirstDay(2016, 1, 1);

QString Name(int i) {
    return QStringLiteral("Pes %1 z Lesa").arg(i, 6, 10, QChar('0'));
}

QString Iso(const QDate& date) {
    return date.toString(Qt::ISODate);
}

void Insert(platform::Connection& c, const QString& sql, int count,
            const std::function<std::vector<platform::Value>(int)>& row) {
    platform::Statement s(c.Raw(), sql);
    for (int i = 0; i < count; ++i) {
        const auto values = row(i);
        for (size_t k = 0; k < values.size(); ++k)
            s.Bind(static_cast<int>(k) + 1, values[k]);
        s.Step();
        s.Reset();
    }
}

class Kennel {
  public:
    Kennel() {
        folder_ = dir_.filePath(QStringLiteral("DATA"));
        platform::Database::CreateSchema(folder_);
        platform::Connection c(platform::Database::DatabaseFile(folder_),
                               platform::Connection::Access::ReadWrite);
        c.Execute(QStringLiteral("BEGIN"));
        std::mt19937 rng(31);
        const int span = static_cast<int>(kFirstDay.daysTo(kToday));
        const auto day = [&](int from, int length) {
            return kFirstDay.addDays(from + static_cast<int>(rng() % length));
        };
        // Four in five animals have left the register (sold, died) over the years.
        Insert(c,
               "INSERT INTO main_card (Jmeno_registr, Pohlavi, Vlastnictvi, Datum_vyr) "
               "VALUES (?1,?2,?3,?4)",
               kCards, [&](int i) -> std::vector<platform::Value> {
                   platform::Value removed;
                   if (i % 5 != 0)
                       removed = Iso(day(0, span));
                   return {Name(i), QString(i % 2 ? "Fena" : "Pes"), std::int64_t(i % 8 != 1),
                           removed};
               });
        // Five visits an animal, one after another; a next visit that is not
        // the animal's last is kept by the visit after it.
        QDate visit;
        Insert(c,
               "INSERT INTO osetreni (Jmeno_registr, Datum_osetreni, Dalsi_navsteva, "
               "Duvod_osetreni) VALUES (?1,?2,?3,?4)",
               kVisits, [&](int i) -> std::vector<platform::Value> {
                   const int gap = 30 + static_cast<int>(rng() % 300);
                   visit = i % 5 == 0 ? day(0, span - 5 * 330) : visit.addDays(gap);
                   platform::Value next;
                   if (rng() % 3 == 0)
                       next = Iso(visit.addDays(i % 5 == 4 ? gap : gap - 10));
                   return {Name(i / 5), Iso(visit), next, QString("Očkování")};
               });
        Insert(
            c,
            "INSERT INTO kryti (Jmeno_registr, Datum_kryti_1, Nakryta_Ano_Ne, Datum_vrhu) "
            "VALUES (?1,?2,?3,?4)",
            kMatings, [&](int i) -> std::vector<platform::Value> {
                const QDate mating = day(0, span);
                const int kind = static_cast<int>(rng() % 20);
                platform::Value litter;
                if (kind < 17)
                    litter = Iso(mating.addDays(63));
                return {Name((i * 2 + 1) % kCards), Iso(mating), std::int64_t(kind != 17), litter};
            });
        Insert(c, "INSERT INTO harani (Jmeno_registr, Datum) VALUES (?1,?2)", kSeasons,
               [&](int i) -> std::vector<platform::Value> {
                   const int bitch = (i / kSeasonsPerBitch) * 2 + 1;
                   return {Name(bitch), Iso(day(span - 900 + (i % kSeasonsPerBitch) * 180, 60))};
               });
        Insert(c, "INSERT INTO schedule (Datum, Akce, Upozornit) VALUES (?1,?2,?3)", kReminders,
               [&](int i) -> std::vector<platform::Value> {
                   return {Iso(day(span - 200, 300)), QString("Připomínka %1").arg(i),
                           std::int64_t(i % 4 != 0)};
               });
        c.Execute(QStringLiteral("COMMIT"));
        // As the program leaves it at its end (PRAGMA optimize).
        c.Execute(QStringLiteral("ANALYZE"));
        database_ = std::make_unique<platform::Database>(folder_, platform::OpenMode::ReadOnly);
    }
    platform::Database& Database() { return *database_; }

  private:
    QTemporaryDir dir_;
    QString folder_;
    std::unique_ptr<platform::Database> database_;
};

Kennel& TheKennel() {
    static Kennel kennel;
    return kennel;
}

void Read(benchmark::State& state, int days) {
    platform::Database& database = TheKennel().Database();
    size_t entries = 0;
    for (auto _ : state) {
        const auto diary =
            diary::ReadDiary(database.Handle(), {kToday, kToday.addDays(days)}, kToday);
        entries = diary.size();
        benchmark::DoNotOptimize(diary.data());
    }
    state.counters["entries"] = static_cast<double>(entries);
}

void BM_Diary30Days(benchmark::State& state) {
    Read(state, diary::kDefaultDiaryDays);
}
BENCHMARK(BM_Diary30Days)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_StartUpCheck(benchmark::State& state) {
    Read(state, 7);
}
BENCHMARK(BM_StartUpCheck)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
