#include "records/site/kennel_site_data.h"

#include <QRegularExpression>

#include "platform/ini_file.h"
#include "platform/store/database.h"
#include "platform/store/reading_sql.h"
#include "platform/store/store_statement.h"
#include "records/genetics/pedigree_assembly.h"
#include "records/genetics/pedigree_store_source.h"

namespace site {
namespace {

using Statement = platform::StoreStatement;

// The tables are read whole, each before anything else is asked.
constexpr Statement::Reading kWhole = Statement::Reading::Scan;

QString Text(const Statement& statement, int column) {
    const platform::Value value = statement.Column(column);
    const auto* text = std::get_if<QString>(&value);
    return text != nullptr ? text->trimmed() : QString();
}

QDate Date(const Statement& statement, int column) {
    return QDate::fromString(Text(statement, column), Qt::ISODate);
}

int Count(const Statement& statement, int column) {
    const platform::Value value = statement.Column(column);
    const auto* number = std::get_if<std::int64_t>(&value);
    return number != nullptr ? static_cast<int>(*number) : -1;
}

QString Joined(const QStringList& parts, const QString& separator) {
    QStringList filled;
    for (const QString& part : parts) {
        if (!part.isEmpty()) {
            filled << part;
        }
    }
    return filled.join(separator);
}

// Everything the site needs of the record sheets in one pass.
class KennelReader {
  public:
    KennelReader(platform::Database& database, SiteKennel& kennel)
        : database_(database), kennel_(kennel), source_(database) {}

    void Read() {
        ReadCards();
        ReadShows();
        ReadExams();
        ReadLitters();
        for (SiteAnimal& animal : kennel_.animals) {
            Complete(animal);
        }
    }

  private:
    void ReadCards() {
        const platform::ReadingSql sql(database_.IsServer());
        Statement cards(database_,
                        QStringLiteral("SELECT Jmeno_registr, Otec, Matka, %1, %2, Jmeno_call, "
                                       "Plemeno, Pohlavi, Srst_barva, Registr, Registr_Cislo, "
                                       "Datum_nar, Datum_uhyn "
                                       "FROM main_card ORDER BY Jmeno_registr COLLATE CZECH")
                            .arg(sql.IsSet(QStringLiteral("Vlastnictvi")),
                                 sql.IsSet(QStringLiteral("Nezverejnovat"))),
                        kWhole);
        std::vector<std::pair<QString, QString>> parents;  // child, parent
        while (cards.Step()) {
            const QString name = Text(cards, 0);
            if (cards.Int(4) != 0) {
                hidden_.insert(name);
                continue;
            }
            parents.push_back({name, Text(cards, 1)});
            parents.push_back({name, Text(cards, 2)});
            if (cards.Int(3) == 0 || name.isEmpty() || kennel_.onSite.contains(name)) {
                continue;
            }
            SiteAnimal animal;
            animal.name = name;
            animal.sire = Text(cards, 1);
            animal.dam = Text(cards, 2);
            animal.callName = Text(cards, 5);
            animal.breed = Text(cards, 6);
            animal.sex = Text(cards, 7);
            animal.colour = Text(cards, 8);
            animal.registration = Joined({Text(cards, 9), Text(cards, 10)}, QStringLiteral(" "));
            animal.birth = Date(cards, 11);
            animal.death = Date(cards, 12);
            kennel_.onSite.insert(name);
            kennel_.animals.push_back(std::move(animal));
        }
        for (const auto& [child, parent] : parents) {
            if (!parent.isEmpty() && !offspring_[parent].contains(child)) {
                offspring_[parent] << child;
            }
        }
    }

    void ReadShows() {
        Statement shows(database_,
                        QStringLiteral("SELECT Jmeno_registr, Datum_vystava, Druh, Misto, "
                                       "Trida, Znamka, Cekatelstvi_1, Cekatelstvi_2, "
                                       "Souteze, Souteze_ost FROM vystavy "
                                       "ORDER BY Datum_vystava DESC, rowid"),
                        kWhole);
        while (shows.Step()) {
            const QString name = Text(shows, 0);
            if (!kennel_.onSite.contains(name)) {
                continue;
            }
            shows_[name].push_back(
                {Date(shows, 1), Text(shows, 2), Text(shows, 3), Text(shows, 4), Text(shows, 5),
                 Joined({Text(shows, 6), Text(shows, 7), Text(shows, 8), Text(shows, 9)},
                        QStringLiteral(", "))});
        }
    }

    void ReadExams() {
        Statement exams(database_,
                        QStringLiteral("SELECT Jmeno_Registr, Datum_Udeleni, Oceneni_Jmeno, "
                                       "Organizace FROM Zkousky "
                                       "ORDER BY Datum_Udeleni DESC, rowid"),
                        kWhole);
        while (exams.Step()) {
            const QString name = Text(exams, 0);
            if (kennel_.onSite.contains(name)) {
                exams_[name].push_back({Date(exams, 1), Text(exams, 2), Text(exams, 3)});
            }
        }
    }

    void ReadLitters() {
        Statement litters(database_,
                          QStringLiteral("SELECT Jmeno_registr, Datum, Jmeno_reg_otec, "
                                         "Plemeno, Pocet_stenat_P, Pocet_stenat_F, "
                                         "JmenaStenat FROM vrhy "
                                         "ORDER BY Datum IS NULL, Datum DESC, rowid"),
                          kWhole);
        static const QRegularExpression separators(QStringLiteral("[,;\\r\\n]+"));
        while (litters.Step()) {
            SiteLitter litter;
            litter.dam = Text(litters, 0);
            if (!kennel_.onSite.contains(litter.dam)) {
                continue;
            }
            litter.date = Date(litters, 1);
            litter.sire = Shown(Text(litters, 2));
            litter.breed = Text(litters, 3);
            litter.males = Count(litters, 4);
            litter.females = Count(litters, 5);
            for (const QString& puppy : Text(litters, 6).split(separators, Qt::SkipEmptyParts)) {
                if (!Shown(puppy.trimmed()).isEmpty()) {
                    litter.puppies << puppy.trimmed();
                }
            }
            kennel_.litters.push_back(std::move(litter));
        }
    }

    // The name as the site may show it: empty for an animal marked
    // "Nezveřejňovat".
    QString Shown(const QString& name) const { return hidden_.contains(name) ? QString() : name; }

    void Complete(SiteAnimal& animal) {
        animal.sire = Shown(animal.sire);
        animal.dam = Shown(animal.dam);
        for (const QString& child : offspring_.value(animal.name)) {
            if (!Shown(child).isEmpty()) {
                animal.offspring << child;
            }
        }
        animal.shows = shows_.value(animal.name);
        animal.exams = exams_.value(animal.name);
        animal.titles = source_.Titles(animal.name);
        if (const pedigree::TAncestorCard* card = source_.Card(animal.name)) {
            animal.health = pedigree::HealthText(*card);
        }
        const pedigree::TAssembledPedigree assembled =
            pedigree::AssemblePedigree(source_, animal.name);
        for (int place = 2; place <= kPedigreeLastPlace; ++place) {
            animal.pedigree[static_cast<size_t>(place)] =
                Shown(assembled.names[static_cast<size_t>(place)]);
        }
        animal.photo = source_.Photo(animal.name);
    }

    platform::Database& database_;
    SiteKennel& kennel_;
    pedigree::TStoreAncestorSource source_;
    QSet<QString> hidden_;
    QHash<QString, QStringList> offspring_;
    QHash<QString, std::vector<ShowResult>> shows_;
    QHash<QString, std::vector<ExamResult>> exams_;
};

}  // namespace

SiteKennel ReadSiteKennel(platform::Database& database, const QString& kennelName) {
    SiteKennel kennel;
    kennel.name = kennelName.trimmed();
    KennelReader(database, kennel).Read();
    return kennel;
}

QString KennelNameFromSettings(const QString& settingsFile) {
    platform::IniFile file(settingsFile);
    if (!file.Load()) {
        return QString();
    }
    return file.ReadString(QStringLiteral("EvidList"), QStringLiteral("Chovatel"), QString())
        .trimmed();
}

}  // namespace site
