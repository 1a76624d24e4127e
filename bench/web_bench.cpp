// The kennel's web site of a kennel of 500 animals (the figure: within 5 s):
// 500 record sheets in the kennel's ownership over five generations, each
// with a 1024×768 JPEG photo in the photo album, two titles and three shows,
// and 120 litters of five named puppies. Each run writes the whole site
// (pages, photos, thumbnails) into a fresh folder.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>
#include <random>

#include "platform/store/database.h"
#include "platform/store/sqlite_handle.h"
#include "records/site/kennel_site.h"

namespace {

constexpr int kAnimals = 500;
constexpr int kLitters = 120;
constexpr int kPuppies = 5;

QByteArray Photo(int number) {
    QImage image(1024, 768, QImage::Format_RGB32);
    std::mt19937 rng(static_cast<unsigned>(number));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] = qRgb((x + number) % 256, (y * 3) % 256, static_cast<int>(rng() % 64) + 100);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

QString Name(int number) {
    return QStringLiteral("Štěně %1 z Lipové aleje").arg(number);
}

void Fill(const QString& folder) {
    platform::Database::CreateSchema(folder);
    platform::Connection db(platform::Database::DatabaseFile(folder),
                            platform::Connection::Access::ReadWrite);
    db.Execute(QStringLiteral("BEGIN"));
    platform::Statement card(db.Raw(),
                             QStringLiteral("INSERT INTO main_card (Jmeno_registr, Vlastnictvi, "
                                            "Plemeno, Pohlavi, Datum_nar, Otec, Matka, DKK) "
                                            "VALUES (?1, 1, 'Bígl', ?2, ?3, ?4, ?5, 'A')"));
    platform::Statement title(db.Raw(), QStringLiteral("INSERT INTO tituly (Jmeno_Registr, "
                                                       "Titul_Jmeno) VALUES (?1, ?2)"));
    platform::Statement show(db.Raw(), QStringLiteral("INSERT INTO vystavy (Jmeno_registr, "
                                                      "Datum_vystava, Druh, Znamka) "
                                                      "VALUES (?1, ?2, 'Oblastní', 'V1')"));
    platform::Statement photo(db.Raw(), QStringLiteral("INSERT INTO foto_album (Jmeno_registr, "
                                                       "Foto_1) VALUES (?1, ?2)"));
    constexpr int kPerGeneration = kAnimals / 5;
    for (int i = 0; i < kAnimals; ++i) {
        const int generation = i / kPerGeneration;
        const int parents = (generation - 1) * kPerGeneration;
        const bool hasParents = generation > 0;
        card.Reset();
        card.Bind(1, platform::Value(Name(i)));
        card.Bind(2, platform::Value(QString(i % 2 == 0 ? "Pes" : "Fena")));
        card.Bind(3, platform::Value(QStringLiteral("%1-05-01").arg(2000 + generation * 4)));
        card.Bind(4, hasParents ? platform::Value(Name(parents + (i * 7) % kPerGeneration / 2 * 2))
                                : platform::Value());
        card.Bind(5, hasParents
                         ? platform::Value(Name(parents + (i * 11) % kPerGeneration / 2 * 2 + 1))
                         : platform::Value());
        card.Step();
        for (const char* name : {"CH CZ", "JCH CZ"}) {
            title.Reset();
            title.Bind(1, platform::Value(Name(i)));
            title.Bind(2, platform::Value(QString::fromLatin1(name)));
            title.Step();
        }
        for (int s = 0; s < 3; ++s) {
            show.Reset();
            show.Bind(1, platform::Value(Name(i)));
            show.Bind(2, platform::Value(QStringLiteral("20%1-06-0%2").arg(10 + s).arg(s + 1)));
            show.Step();
        }
        photo.Reset();
        photo.Bind(1, platform::Value(Name(i)));
        photo.Bind(2, platform::Value(Photo(i)));
        photo.Step();
    }
    platform::Statement litter(db.Raw(),
                               QStringLiteral("INSERT INTO vrhy (Jmeno_registr, Datum, "
                                              "Jmeno_reg_otec, Pocet_stenat_P, Pocet_stenat_F, "
                                              "JmenaStenat) VALUES (?1, ?2, ?3, 3, 2, ?4)"));
    for (int l = 0; l < kLitters; ++l) {
        QStringList puppies;
        for (int p = 0; p < kPuppies; ++p) {
            puppies << Name((l * kPuppies + p) % kAnimals);
        }
        litter.Reset();
        litter.Bind(1, platform::Value(Name((l * 2 + 1) % kAnimals)));
        litter.Bind(2, platform::Value(QStringLiteral("%1-03-15").arg(2000 + l % 24)));
        litter.Bind(3, platform::Value(Name((l * 2) % kAnimals)));
        litter.Bind(4, platform::Value(puppies.join(QStringLiteral(", "))));
        litter.Step();
    }
    db.Execute(QStringLiteral("COMMIT"));
}

void BM_KennelSiteOf500Animals(benchmark::State& state) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("DATA"));
    Fill(data);
    platform::Database database(data, platform::OpenMode::ReadOnly);
    int run = 0;
    for (auto _ : state) {
        const site::SiteWritten written =
            site::WriteKennelSite(database, QStringLiteral("z Lipové aleje"),
                                  dir.filePath(QStringLiteral("web%1").arg(run++)));
        if (written.animals != kAnimals || written.photos != kAnimals) {
            state.SkipWithError("the site lacks animals or photos");
        }
        benchmark::DoNotOptimize(written.files);
    }
}
BENCHMARK(BM_KennelSiteOf500Animals)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
