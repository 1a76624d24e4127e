#pragma once
// A generated kennel for the diary's benchmarks: 100,000 record sheets (four
// in five removed from the register over the years), 500,000 vet visits
// (every third with a next visit), 100,000 matings (most with their litter
// recorded), 50,000 seasons of 12,500 bitches and 1,000 reminders, as the
// program leaves it at its end (analysed). Generated once per run into a
// temporary folder, or kept in the folder HARVEL_DIARY_BENCH_DATA names
// between runs.

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <random>

#include "bench/bench_kennel.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store.h"

namespace bench_diary {

constexpr int kCards = 100000;
constexpr int kVisits = 500000;
constexpr int kMatings = 100000;
constexpr int kSeasons = 50000;
constexpr int kSeasonsPerBitch = 4;
constexpr int kReminders = 1000;
inline const QDate kToday(2026, 6, 15);
inline const QDate kFirstDay(2016, 1, 1);

inline QString Name(int i) {
    return QStringLiteral("Pes %1 z Lesa").arg(i, 6, 10, QChar('0'));
}

inline QString Iso(const QDate& date) {
    return date.toString(Qt::ISODate);
}

using bench_kennel::InsertRows;

class Kennel {
  public:
    Kennel() {
        const QString kept = qEnvironmentVariable("HARVEL_DIARY_BENCH_DATA");
        folder_ = kept.isEmpty() ? dir_.filePath(QStringLiteral("DATA")) : kept;
        if (!QFile::exists(platform::Database::DatabaseFile(folder_))) {
            Generate();
        }
        database_ = std::make_unique<platform::Database>(folder_, platform::OpenMode::ReadOnly);
    }
    platform::Database& Database() { return *database_; }
    const QString& Folder() const { return folder_; }

  private:
    void Generate() {
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
        InsertRows(c,
                   "INSERT INTO main_card (Jmeno_registr, Pohlavi, Vlastnictvi, Datum_vyr) "
                   "VALUES (?1,?2,?3,?4)",
                   kCards, [&](int i) -> std::vector<platform::Value> {
                       platform::Value removed;
                       if (i % 5 != 0) {
                           removed = Iso(day(0, span));
                       }
                       return {Name(i), QString(i % 2 ? "Fena" : "Pes"), std::int64_t(i % 8 != 1),
                               removed};
                   });
        // Five visits an animal, one after another; a next visit that is not
        // the animal's last is kept by the visit after it.
        QDate visit;
        InsertRows(c,
                   "INSERT INTO osetreni (Jmeno_registr, Datum_osetreni, Dalsi_navsteva, "
                   "Duvod_osetreni) VALUES (?1,?2,?3,?4)",
                   kVisits, [&](int i) -> std::vector<platform::Value> {
                       const int gap = 30 + static_cast<int>(rng() % 300);
                       visit = i % 5 == 0 ? day(0, span - 5 * 330) : visit.addDays(gap);
                       platform::Value next;
                       if (rng() % 3 == 0) {
                           next = Iso(visit.addDays(i % 5 == 4 ? gap : gap - 10));
                       }
                       return {Name(i / 5), Iso(visit), next, QString("Očkování")};
                   });
        InsertRows(
            c,
            "INSERT INTO kryti (Jmeno_registr, Datum_kryti_1, Nakryta_Ano_Ne, Datum_vrhu) "
            "VALUES (?1,?2,?3,?4)",
            kMatings, [&](int i) -> std::vector<platform::Value> {
                const QDate mating = day(0, span);
                const int kind = static_cast<int>(rng() % 20);
                platform::Value litter;
                if (kind < 17) {
                    litter = Iso(mating.addDays(63));
                }
                return {Name((i * 2 + 1) % kCards), Iso(mating), std::int64_t(kind != 17), litter};
            });
        InsertRows(
            c, "INSERT INTO harani (Jmeno_registr, Datum) VALUES (?1,?2)", kSeasons,
            [&](int i) -> std::vector<platform::Value> {
                const int bitch = (i / kSeasonsPerBitch) * 2 + 1;
                return {Name(bitch), Iso(day(span - 900 + (i % kSeasonsPerBitch) * 180, 60))};
            });
        InsertRows(c, "INSERT INTO schedule (Datum, Akce, Upozornit) VALUES (?1,?2,?3)", kReminders,
                   [&](int i) -> std::vector<platform::Value> {
                       return {Iso(day(span - 200, 300)), QString("Připomínka %1").arg(i),
                               std::int64_t(i % 4 != 0)};
                   });
        c.Execute(QStringLiteral("COMMIT"));
        // As the program leaves it at its end (PRAGMA optimize).
        c.Execute(QStringLiteral("ANALYZE"));
    }

    QTemporaryDir dir_;
    QString folder_;
    std::unique_ptr<platform::Database> database_;
};

inline Kennel& TheKennel() {
    static Kennel kennel;
    return kennel;
}

}  // namespace bench_diary
