#pragma once
// A small kennel made by hand for the web pages:
//   owned and published: "Ája z Lipové aleje" (Hugo × Ema, a photo, a title,
//     a show, an exam, health results), "Hugo" (a photo that is no picture,
//     sire "Cizí Brok"), "Ema" (sire "Skrytý Rex") and the hostile name
//     kHostile (a title with markup);
//   "Cizí Brok": not in the kennel's ownership, so no page of its own;
//   "Skrytý Rex": owned but marked "Nezveřejňovat"; sire of Ema and of
//     Ema's litter, named among the puppies of Ája's litter, with a show;
//   litters: Ema 1.4.2022 by Skrytý Rex (2 males, 1 female: "Ája z Lipové
//     aleje, Bára"), Ája 2.5.2025 by Hugo (counts unknown: "Skrytý Rex;
//     Cyril"), and one of Skrytý Rex's own (a hidden dam: not published);
//   the address book and the cards' breeder and owner hold texts that must
//     never reach the site (kPrivate).

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>

#include "tests/platform/store/store_fixture.h"

namespace site_test {

inline const QString kHostile = QStringLiteral("<script>alert(\"x\")</script> & 'Bim'");
inline const QStringList kPrivate{"Jan Tajný",        "Marie Skrytá", "Tajná ulice 7",
                                  "tajny@example.cz", "777123456",    "Adresa Tajná"};

class SiteKennelFixture : public store_test::StoreFixture {
  protected:
    void SetUp() override {
        StoreFixture::SetUp();
        const std::vector<std::pair<QString, QString>> privateCard{{"Chovatel", "Jan Tajný"},
                                                                   {"Majitel", "Marie Skrytá"}};
        AddAnimal("Ája z Lipové aleje", "Fena",
                  {{"Otec", "Hugo"},
                   {"Matka", "Ema"},
                   {"Datum_nar", "1.4.2022"},
                   {"DKK", "A"},
                   {"Pra", "neg"},
                   {"Chovatel", "Jan Tajný"},
                   {"Majitel", "Marie Skrytá"}});
        AddAnimal("Hugo", "Pes", {{"Otec", "Cizí Brok"}});
        AddAnimal("Ema", "Fena", {{"Otec", "Skrytý Rex"}});
        AddAnimal(kHostile, "Pes", privateCard);
        AddCard("Cizí Brok", {{"Pohlavi", "Pes"}, {"Vlastnictvi", "false"}});
        AddAnimal("Skrytý Rex", "Pes", {{"Nezverejnovat", "true"}});
        AddRow("tituly.db", {{"Jmeno_Registr", "Ája z Lipové aleje"}, {"Titul_Jmeno", "CH CZ"}});
        AddRow("tituly.db", {{"Jmeno_Registr", kHostile}, {"Titul_Jmeno", "<b>CH</b>"}});
        AddRow("vystavy.db", {{"Jmeno_registr", "Ája z Lipové aleje"},
                              {"Datum_vystava", "3.6.2023"},
                              {"Druh", "Oblastní"},
                              {"Misto", "Brno"},
                              {"Znamka", "V1"}});
        AddRow("vystavy.db", {{"Jmeno_registr", "Skrytý Rex"}, {"Znamka", "V2"}});
        AddRow("Zkousky.DB", {{"Jmeno_Registr", "Ája z Lipové aleje"}, {"Oceneni_Jmeno", "ZVV1"}});
        AddLitter("Ema", "1.4.2022", "Skrytý Rex", "2", "1", "Ája z Lipové aleje, Bára");
        AddLitter("Ája z Lipové aleje", "2.5.2025", "Hugo", "", "", "Skrytý Rex;\nCyril");
        AddLitter("Skrytý Rex", "1.1.2024", "Hugo", "1", "1", "Dan");
        AddRow("adresar.db", {{"Nazev_Key", "Adresa Tajná"},
                              {"Nazev", "Jan Tajný"},
                              {"Ulice_1", "Tajná ulice 7"},
                              {"Email", "tajny@example.cz"},
                              {"Telefon_1", "777123456"}});
        AddPhoto("Ája z Lipové aleje", JpegPhoto());
        AddPhoto("Hugo", QByteArray("není to obrázek"));
    }

    void AddAnimal(const QString& name, const QString& sex,
                   std::vector<std::pair<QString, QString>> columns) {
        columns.push_back({"Pohlavi", sex});
        columns.push_back({"Plemeno", "Bígl"});
        columns.push_back({"Vlastnictvi", "true"});
        AddCard(name, columns);
    }

    void AddLitter(const QString& dam, const QString& date, const QString& sire,
                   const QString& males, const QString& females, const QString& puppies) {
        std::vector<std::pair<QString, QString>> columns{{"Jmeno_registr", dam},
                                                         {"Datum", date},
                                                         {"Jmeno_reg_otec", sire},
                                                         {"JmenaStenat", puppies}};
        if (!males.isEmpty()) {
            columns.push_back({"Pocet_stenat_P", males});
        }
        if (!females.isEmpty()) {
            columns.push_back({"Pocet_stenat_F", females});
        }
        AddRow("vrhy.db", columns);
    }

    void AddPhoto(const QString& name, const QByteArray& bytes) {
        platform::Table album(*db_, QStringLiteral("foto_album.db"));
        album.Open();
        album.Append();
        album.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(name);
        album.FieldByName(QStringLiteral("Foto_1")).SetAsBytes(bytes);
        album.Post();
    }

    static QByteArray JpegPhoto() {
        QImage image(1200, 900, QImage::Format_RGB32);
        image.fill(QColor(160, 110, 60));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
        return bytes;
    }

    // Every file of the site, by its path relative to the site's folder.
    static QStringList SiteFiles(const QString& site) {
        QStringList files;
        QDirIterator it(site, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files << QDir(site).relativeFilePath(it.next());
        }
        files.sort();
        return files;
    }

    static QString FileText(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

}  // namespace site_test
