#pragma once
// A generated kennel for the benchmarks: 100,000 record sheets and 500,000
// event rows (200,000 health-card visits, 100,000 shows, 50,000 each of
// titles, matings, litters and breeding approval), every event row naming an
// existing record sheet, and a photo for every tenth animal. Generated once
// per run into a temporary folder, or kept in the folder HARVEL_BENCH_DATA
// names between runs. HARVEL_BENCH_SCALE=10 makes every count ten times as
// large (a national stud book of 1,000,000 animals).

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>
#include <random>

#include "platform/store/sqlite_handle.h"
#include "platform/store/store.h"

namespace bench_kennel {

constexpr int kCards = 100000;
constexpr int kVisits = 200000;
constexpr int kShows = 100000;
constexpr int kOtherEvents = 50000;  // each of titles, matings, litters, breeding approval
constexpr int kPhotoEvery = 10;      // every tenth animal has a photo

const char* const kBreeds[] = {"Bígl", "Pudl",         "Jezevčík",           "Čivava",
                               "Chrt", "Border kolie", "Labradorský retrívr"};
const char* const kPrefixes[] = {"Alík", "Běla", "Cyril", "Čert",  "Dora",
                                 "Hugo", "Chrt", "Šimon", "Žofie", "Ota"};
const char* const kKennels[] = {"z Lesa",  "od Potoka",   "ze Mlýna",
                                "Bohemia", "z Chaloupky", "od Řeky"};

// The factor of HARVEL_BENCH_SCALE (1 without it).
inline int Scale() {
    return std::max(1, qEnvironmentVariableIntValue("HARVEL_BENCH_SCALE"));
}

inline QString CardName(int i) {
    return QStringLiteral("%1 %2 %3")
        .arg(QString::fromUtf8(kPrefixes[i % 10]))
        .arg(i, 6, 10, QChar('0'))
        .arg(QString::fromUtf8(kKennels[(i / 10) % 6]));
}

inline QString Iso(std::mt19937& rng) {
    return QStringLiteral("%1-%2-%3")
        .arg(2000 + rng() % 24)
        .arg(1 + rng() % 12, 2, 10, QChar('0'))
        .arg(1 + rng() % 28, 2, 10, QChar('0'));
}

// Runs the insert statement `sql` once for each of `count` rows, binding
// the values `row` gives for the row's number.
inline void InsertRows(platform::Connection& c, const QString& sql, int count,
                       const std::function<std::vector<platform::Value>(int)>& row) {
    platform::Statement s(c.Raw(), sql);
    for (int i = 0; i < count; ++i) {
        const auto values = row(i);
        for (size_t k = 0; k < values.size(); ++k) {
            s.Bind(static_cast<int>(k) + 1, values[k]);
        }
        s.Step();
        s.Reset();
    }
}

inline void Insert(platform::Connection& c, const QString& table, const QStringList& columns,
                   int count, const std::function<std::vector<platform::Value>(int)>& row) {
    QStringList marks;
    for (int i = 1; i <= columns.size(); ++i) {
        marks << QStringLiteral("?%1").arg(i);
    }
    InsertRows(c,
               QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                   .arg(table, columns.join(','), marks.join(',')),
               count, row);
}

// A 320 x 240 JPEG photo, as the photo album stores the bytes of the file.
inline QByteArray PhotoJpeg() {
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor(0x9c, 0x7a, 0x54));
    QPainter painter(&image);
    painter.setBrush(QColor(0x3a, 0x2a, 0x1a));
    painter.drawEllipse(80, 40, 160, 160);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return bytes;
}

struct Kennel {
    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<platform::Database> db;
    const int cards = kCards * Scale();

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
               cards, [&](int i) {
                   return std::vector<V>{
                       text(CardName(i)),
                       text(QStringLiteral("Volací %1").arg(i % 997)),
                       num(i % 3 != 0),
                       num(i % 2),
                       text(QString::fromUtf8(kBreeds[rng() % 7])),
                       text(i % 2 ? QStringLiteral("Pes") : QStringLiteral("Fena")),
                       text(Iso(rng)),
                       text(CardName(static_cast<int>(rng() % cards))),
                       text(CardName(static_cast<int>(rng() % cards))),
                       text(QStringLiteral("Chovatelská stanice %1").arg(rng() % 500)),
                       text(QStringLiteral("Majitel %1").arg(rng() % 5000)),
                       V(0.3 + (rng() % 100) / 100.0),
                       text(QStringLiteral("černobílá")),
                       text(QStringLiteral("Klidná, přátelská povaha, dobře snáší děti.")),
                       num(static_cast<std::int64_t>(rng() % 2000000000))};
               });
        auto owner = [&]() { return text(CardName(static_cast<int>(rng() % cards))); };
        Insert(c, "osetreni",
               {"Jmeno_registr", "Datum_osetreni", "Duvod_osetreni", "Popis_osetreni",
                "Vysled_osetreni", "Lekar", "Preparaty"},
               kVisits * Scale(), [&](int) {
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
               kShows * Scale(), [&](int) {
                   return std::vector<V>{owner(),
                                         text(Iso(rng)),
                                         text(QStringLiteral("Národní")),
                                         text(QStringLiteral("Otevřená")),
                                         text(QStringLiteral("Výborný")),
                                         num(rng() % 5),
                                         text(QStringLiteral("Praha"))};
               });
        Insert(c, "tituly", {"Jmeno_Registr", "Zeme", "Titul_Jmeno", "Datum_Udeleni"},
               kOtherEvents * Scale(), [&](int) {
                   return std::vector<V>{owner(), text(QStringLiteral("CZ")),
                                         text(QStringLiteral("Český šampion")), text(Iso(rng))};
               });
        Insert(c, "kryti", {"Jmeno_registr", "Jmeno_partner", "Datum_kryti_1", "Nakryta_Ano_Ne"},
               kOtherEvents * Scale(), [&](int) {
                   return std::vector<V>{owner(), owner(), text(Iso(rng)), num(rng() % 2)};
               });
        Insert(c, "vrhy",
               {"Jmeno_registr", "Datum", "Jmeno_reg_otec", "Pocet_stenat_F", "Pocet_stenat_P"},
               kOtherEvents * Scale(), [&](int) {
                   return std::vector<V>{owner(), text(Iso(rng)), owner(), num(rng() % 6),
                                         num(rng() % 6)};
               });
        Insert(c, "chovnost", {"Jmeno_registr", "Datum", "Chov_jedinec", "Poznamka"},
               kOtherEvents * Scale(), [&](int) {
                   return std::vector<V>{owner(), text(Iso(rng)), num(rng() % 2),
                                         text(QStringLiteral("Splnil podmínky"))};
               });
        const QByteArray photo = PhotoJpeg();
        Insert(c, "foto_album", {"Jmeno_registr", "Foto_1"}, cards / kPhotoEvery, [&](int i) {
            return std::vector<V>{text(CardName(i * kPhotoEvery)), V(photo)};
        });
        c.Execute("COMMIT");
        db->Analyze();  // as harvel-data load leaves a loaded kennel
        c.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
    }
};

inline Kennel& TheKennel() {
    static Kennel kennel;
    return kennel;
}

}  // namespace bench_kennel
