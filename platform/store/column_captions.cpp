#include "platform/store/column_captions.h"

#include <QHash>
#include <utility>
#include <vector>

namespace platform {
namespace {

using Captions = std::vector<std::pair<const char*, const char*>>;

const Captions kMainCard = {
    {"Jmeno_registr", "Registrované jméno"},
    {"Jmeno_call", "Jméno volací"},
    {"Vlastnictvi", "Ve vlastnictví"},
    {"Vlast_odchov", "Vlastní odchov"},
    {"Plemeno", "Plemeno"},
    {"Pohlavi", "Pohlaví"},
    {"Datum_nar", "Datum narození"},
    {"Datum_uhyn", "Datum úhynu"},
    {"Datum_vyr", "Datum vyřazení z evidence"},
    {"Datum_zar", "Datum zařazení do evidence"},
    {"Druh_vyrazeni", "Důvod vyřazení z evidence"},
    {"Druh_zaraz", "Důvod zařazení do evidence"},
    {"Registr", "Registr"},
    {"Registr_Cislo", "Číslo registru"},
    {"Tetovaci_cislo", "Tetovací číslo"},
    {"Cip", "Čip"},
    {"Matka", "Matka"},
    {"Otec", "Otec"},
    {"Chovatel", "Chovatel"},
    {"Majitel", "Majitel"},
    {"Vaha_narozeni", "Váha při narození"},
    {"Vaha_dospelost", "Průměrná váha v dospělosti"},
    {"Srst_barva", "Barva srsti"},
    {"Srst_strukt", "Typ srsti"},
    {"Kuze", "Kůže"},
    {"Vyska_kohout", "Kohoutková výška"},
    {"Delka_psa", "Délka psa"},
    {"Delka_hlavy", "Délka hlavy"},
    {"Delka_nosu", "Délka nosu"},
    {"Postava_zvl_znaky", "Zvláštní znaky postavy"},
    {"Proporce", "Hlava"},
    {"Zuby_zkus", "Skus"},
    {"Zuby_chybi", "Chybějící zuby"},
    {"Oko_barva", "Barva oka"},
    {"Oko_tvar", "Tvar oka"},
    {"Ucho_tvar", "Tvar ucha"},
    {"Ucho_nasazeni", "Nasazení ucha"},
    {"Hrud_objem", "Objem hrudníku"},
    {"Hrud_hloubka", "Hloubka hrudníku"},
    {"Delka_hrbet", "Délka hřbetu"},
    {"Pigment", "Pigment"},
    {"Krk", "Krk"},
    {"Hrudnik", "Hrudník"},
    {"Bricho", "Břicho"},
    {"Horni_linie", "Horní linie"},
    {"Ocas_nasazeni", "Ocas"},
    {"Predni_nohy_postoj", "Přední nohy - postoj"},
    {"Zadni_nohy_postoj", "Zadní nohy - postoj"},
    {"DKK", "DKK"},
    {"Luxace", "Luxace pately"},
    {"Pra", "PRA"},
    {"Pohyb_akce", "Pohyb v akci"},
    {"Pohyb_chuze", "Pohyb v chůzi"},
    {"Apetit", "Strava"},
    {"Povaha", "Povahové rysy"},
    {"Poznamka", "Poznámky"},
    {"Barva", "Barva záznamu"},
    {"Nezverejnovat", "Nezveřejňovat"},
};

const Captions kLitters = {
    {"Jmeno_registr", "Registrované jméno matky"},
    {"Datum", "Datum vrhu"},
    {"Jmeno_reg_otec", "Otec vrhu"},
    {"Plemeno", "Plemeno"},
    {"Pocet_stenat_F", "Počet fen"},
    {"Pocet_stenat_P", "Počet psů"},
    {"JmenaStenat", "Jména štěňat"},
    {"Poznamka", "Poznámka"},
};

const Captions kMatings = {
    {"Jmeno_registr", "Registrované jméno"},
    {"Jmeno_partner", "Partner"},
    {"Datum_kryti_1", "Datum 1. krytí"},
    {"Asistence", "Asistence"},
    {"Majitel", "Majitel partnera"},
    {"Datum_kryti_2", "Datum 2. krytí"},
    {"Datum_kryti_3", "Datum 3. krytí"},
    {"Zpusob_Kryti_1", "Způsob 1. krytí"},
    {"Zpusob_Kryti_2", "Způsob 2. krytí"},
    {"Zpusob_Kryti_3", "Způsob 3. krytí"},
    {"Misto_Kryti_1", "Místo 1. krytí"},
    {"Misto_Kryti_2", "Místo 2. krytí"},
    {"Misto_Kryti_3", "Místo 3. krytí"},
    {"Chovatel_zamer", "Chovatelský záměr"},
    {"Nakryta_Ano_Ne", "Nakryta"},
    {"Datum_vrhu", "Datum vrhu"},
    {"Pocet_pes", "Počet psů"},
    {"Pocet_fena", "Počet fen"},
    {"Poznamka", "Poznámka"},
};

const Captions kVisits = {
    {"Jmeno_registr", "Registrované jméno"},
    {"Datum_osetreni", "Návštěva dne"},
    {"Duvod_osetreni", "Důvod ošetření"},
    {"Popis_osetreni", "Popis ošetření"},
    {"Vysled_osetreni", "Výsledek ošetření"},
    {"Dalsi_navsteva", "Další návštěva"},
    {"Lekar", "Lékař"},
    {"Preparaty", "Použité preparáty"},
    {"Poznamka", "Poznámka"},
};

const Captions kShows = {
    {"Jmeno_registr", "Registrované jméno"},
    {"Datum_vystava", "Datum výstavy"},
    {"Druh", "Druh výstavy"},
    {"Trida", "Třída"},
    {"Znamka", "Známka"},
    {"Cekatelstvi_1", "Čekatelství 1"},
    {"Cekatelstvi_2", "Čekatelství 2"},
    {"Souteze", "Soutěž - hlavní"},
    {"Souteze_ost", "Soutěže - ostatní"},
    {"Poradi", "Pořadí"},
    {"Misto", "Místo"},
};

const Captions kTitles = {
    {"Jmeno_Registr", "Registrované jméno"},
    {"Zeme", "Země"},
    {"Titul_Jmeno", "Titul"},
    {"Datum_Udeleni", "Datum udělení"},
    {"Poznamka", "Poznámka"},
    {"Organizace", "Udělující organizace"},
};

const Captions kExams = {
    {"Jmeno_Registr", "Registrované jméno"},
    {"Oceneni_Jmeno", "Druh zkoušky"},
    {"Datum_Udeleni", "Datum zkoušky"},
    {"Zeme", "Země"},
    {"Poznamka", "Poznámka"},
    {"Organizace", "Udělující organizace"},
};

const Captions kApprovals = {
    {"Jmeno_registr", "Registrované jméno"},
    {"Datum", "Datum posouzení"},
    {"Chov_jedinec", "Chovnost"},
    {"Poznamka", "Zápis"},
    {"Barva", "Barva záznamu"},
};

const Captions kPhotos = {
    {"Jmeno_registr", "Registrované jméno"},
    {"Foto_1", "Foto 1"},
    {"Foto_2", "Foto 2"},
};

const Captions kAddresses = {
    {"Nazev_Key", "Název (klíčový)"},
    {"Nazev", "Název"},
    {"Typ", "Druh adresy"},
    {"ICO", "IČO"},
    {"DIC", "DIČ"},
    {"Kontakt_osoba", "Kontaktní osoba"},
    {"Ulice_1", "Ulice"},
    {"Obec_1", "Obec"},
    {"Psc_1", "PSČ"},
    {"Ulice_2", "Ulice (druhá adresa)"},
    {"Obec_2", "Obec (druhá adresa)"},
    {"Psc_2", "PSČ (druhá adresa)"},
    {"Telefon_1", "Tel. 1"},
    {"Telefon_2", "Tel. 2"},
    {"Telefon_3", "Tel. 3"},
    {"Fax", "Fax"},
    {"Email", "E-mail"},
    {"Web", "WWW"},
    {"Poznamky", "Poznámky"},
    {"Stat", "Stát"},
};

const Captions kBreeds = {
    {"Ukazat", "Nabízet"},
    {"Plemeno", "Plemeno"},
    {"Poznamka", "Poznámka"},
};

const Captions kSchedule = {
    {"Datum", "Datum akce"},
    {"Akce", "Akce"},
    {"Upozornit", "Upozornit"},
};

const Captions kSeasons = {
    {"Jmeno_registr", "Registrované jméno"},
    {"Datum", "Datum hárání"},
    {"Poznamka", "Poznámka"},
};

// The pedigree's ancestors: the sire's and the dam's line, each place of a
// generation numbered from the top of the chart.
Captions PedigreeNames() {
    return {
        {"Jmeno_registr", "Registrované jméno"},
        {"Otec", "Otec"},
        {"Matka", "Matka"},
        {"Otec_Ded_1", "Děd po otci"},
        {"Otec_Baba_1", "Bába po otci"},
        {"Matka_Ded_1", "Děd po matce"},
        {"Matka_Baba_1", "Bába po matce"},
        {"Otec_Praded_1", "Praděd po otci 1"},
        {"Otec_Prababa_1", "Prababa po otci 1"},
        {"Otec_Praded_2", "Praděd po otci 2"},
        {"Otec_Prababa_2", "Prababa po otci 2"},
        {"Matka_Praded_1", "Praděd po matce 1"},
        {"Matka_prababa_1", "Prababa po matce 1"},
        {"Matka_Praded_2", "Praděd po matce 2"},
        {"Matka_Prababa_2", "Prababa po matce 2"},
        {"Otec_PraPraDed_1", "Prapraděd po otci 1"},
        {"Otec_PraPraBaba_1", "Praprababa po otci 1"},
        {"Otec_PraPraDed_2", "Prapraděd po otci 2"},
        {"Otec_PraPraBaba_2", "Praprababa po otci 2"},
        {"Otec_PraPraDed_3", "Prapraděd po otci 3"},
        {"Otec_PraPraBaba_3", "Praprababa po otci 3"},
        {"Otec_PraPraDed_4", "Prapraděd po otci 4"},
        {"Otec_PraPraBaba_4", "Praprababa po otci 4"},
        {"Matka_PraPraDed_1", "Prapraděd po matce 1"},
        {"Matka_PraPraBaba_1", "Praprababa po matce 1"},
        {"Matka_PraPraDed_2", "Prapraděd po matce 2"},
        {"Matka_PraPraBaba_2", "Praprababa po matce 2"},
        {"Matka_PraPraDed_3", "Prapraděd po matce 3"},
        {"Matka_PraPraBaba_3", "Praprababa po matce 3"},
        {"Matka_PraPraDed_4", "Prapraděd po matce 4"},
        {"Matka_PraPraBaba_4", "Praprababa po matce 4"},
    };
}

QString Key(const QString& table, const QString& column) {
    QString bare = table.toLower();
    if (bare.endsWith(QLatin1String(".db"))) {
        bare.chop(3);
    }
    return bare + QLatin1Char('\n') + column.toLower();
}

void Add(QHash<QString, QString>& all, const char* table, const Captions& captions) {
    for (const auto& [column, caption] : captions) {
        all.insert(Key(QLatin1String(table), QLatin1String(column)), QString::fromUtf8(caption));
    }
}

QHash<QString, QString> BuildCaptions() {
    QHash<QString, QString> all;
    Add(all, "main_card", kMainCard);
    Add(all, "vrhy", kLitters);
    Add(all, "kryti", kMatings);
    Add(all, "osetreni", kVisits);
    Add(all, "vystavy", kShows);
    Add(all, "tituly", kTitles);
    Add(all, "zkousky", kExams);
    Add(all, "chovnost", kApprovals);
    Add(all, "foto_album", kPhotos);
    Add(all, "adresar", kAddresses);
    Add(all, "plemeno", kBreeds);
    Add(all, "schedule", kSchedule);
    Add(all, "harani", kSeasons);
    // Every pedigree place has its name and, beside it, the titles of that
    // animal (TIT_ + the name's column), as the pedigree form pairs them.
    const Captions names = PedigreeNames();
    Add(all, "rodokmen", names);
    for (const auto& [column, caption] : names) {
        const QString titles = QStringLiteral("TIT_") + QLatin1String(column);
        const QString text = QByteArray(column) == "Jmeno_registr"
                                 ? QStringLiteral("Tituly zvířete")
                                 : QStringLiteral("Tituly: ") + QString::fromUtf8(caption);
        all.insert(Key(QStringLiteral("rodokmen"), titles), text);
    }
    return all;
}

}  // namespace

QString ColumnCaption(const QString& table, const QString& column) {
    static const QHash<QString, QString> captions = BuildCaptions();
    return captions.value(Key(table, column));
}

}  // namespace platform
