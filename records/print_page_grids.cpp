#include "records/print_page_grids.h"

#include <QHeaderView>

#include "app/print_sources.h"
#include "controls/db_grid.h"
#include "platform/store/column_captions.h"

namespace {

// A column shown under the caption of its table's column.
TPrintGridColumn Captioned(const char* table, const char* field) {
    const QString name = QString::fromLatin1(field);
    return {name, platform::ColumnCaption(QString::fromLatin1(table), name)};
}

// A record-sheet column beside an event book's own.
TPrintGridColumn Card(const char* field) {
    return Captioned("main_card", field);
}

TPrintGridColumn Titled(const char* field, const char* title, bool right = false) {
    return {QString::fromLatin1(field), QString::fromUtf8(title), right};
}

// The record-sheet columns the event-book grids end with.
const TPrintGridColumn kBorn = Titled("Datum_Nar", "Datum narození");

}  // namespace

QList<TPrintGridColumn> PrintGridColumns(int source) {
    switch (source) {
        case tzEvidencniListy:
            return {Titled("Jmeno_registr", "Jméno registrované "),
                    Card("Plemeno"),
                    Titled("Pohlavi", "Pohlaví"),
                    Titled("Datum_nar", "Datum narození", true),
                    Card("Otec"),
                    Card("Matka"),
                    Card("Chovatel"),
                    Card("Majitel"),
                    Card("DKK"),
                    Card("Luxace"),
                    Card("Pra")};
        case tzZdravotniKarta:
            return {Titled("Jmeno_registr", "Registrováné jméno"),
                    Titled("Datum_osetreni", "Návštěva"),
                    Titled("Duvod_osetreni", "Důvod ošetřeni"),
                    Titled("Dalsi_navsteva", "Příští návštěva"),
                    Titled("Lekar", "Lékař"),
                    Card("Otec"),
                    Card("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Card("Pohlavi"),
                    Card("Vlastnictvi"),
                    Titled("Vlast_odchov", "Vlastní odchov")};
        case tzVystavy:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Titled("Datum_vystava", "Datum"),
                    Captioned("vystavy", "Druh"),
                    Titled("Misto", "Místo"),
                    Titled("Trida", "Třída"),
                    Titled("Znamka", "Známka"),
                    Titled("Cekatelstvi_1", "Čekatelstvi 1"),
                    Titled("Cekatelstvi_2", "Čekatelství 2"),
                    Titled("Souteze", "Soutež hlavní"),
                    Titled("Souteze_ost", "Soutež ostatní"),
                    Card("Otec"),
                    Card("Matka"),
                    Card("plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case tzTituly:
            return {Titled("Jmeno_Registr", "Jméno registrované"),
                    Titled("Zeme", "Země"),
                    Captioned("tituly", "Titul_Jmeno"),
                    Titled("Datum_Udeleni", "Datum udělení"),
                    Captioned("tituly", "Organizace"),
                    Card("Otec"),
                    Card("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Card("Pohlavi")};
        case tzChovnost:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Captioned("chovnost", "Datum"),
                    Titled("Chov_jedinec", "Chovnost"),
                    Card("Otec"),
                    Card("Matka"),
                    Card("plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case tzVrhy:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Titled("Datum", "Datum vrhu"),
                    Captioned("vrhy", "Jmeno_reg_otec"),
                    Card("plemeno"),
                    Card("Otec"),
                    Card("Matka"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case tzKryti:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Titled("Jmeno_partner", "Partner"),
                    Titled("Datum_kryti_1", "Datum 1. kryti"),
                    Captioned("kryti", "Asistence"),
                    Captioned("kryti", "Majitel"),
                    Titled("Nakryta_Ano_Ne", "Nakryta"),
                    Card("Otec"),
                    Card("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case tzRodokmen:
            return {Titled("Jmeno_registr", "Jméno registrované"), Captioned("rodokmen", "Otec"),
                    Captioned("rodokmen", "Matka")};
        case tzZkousky:
            return {Titled("Jmeno_Registr", "Jméno registrované"),
                    Titled("Oceneni_Jmeno", "Druh zkoušky (název)"),
                    Titled("Datum_Udeleni", "Datum udělení"),
                    Captioned("zkousky", "Organizace"),
                    Card("Otec"),
                    Card("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case tzFoto:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Card("Otec"),
                    Card("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case tzRodokmenEvid:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Card("Otec"),
                    Card("Matka"),
                    Card("Plemeno"),
                    Titled("NAR_Jmeno_registr", "Datum narození", true),
                    Card("Pohlavi"),
                    Titled("TIT_Jmeno_registr", "Tituly")};
        default:
            return {};
    }
}

void SetUpPrintGrid(TDbGridKOPA& grid, int source) {
    const QList<TPrintGridColumn> columns = PrintGridColumns(source);
    QStringList fields;
    for (const TPrintGridColumn& column : columns) {
        fields << column.field;
    }
    grid.SetColumns(fields);
    for (int i = 0; i < columns.size(); ++i) {
        grid.SetColumnTitle(i, columns[i].title);
        if (columns[i].rightAligned) {
            grid.SetColumnAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    grid.SetReadOnly(true);
    grid.SetRowSelect(true);
    grid.horizontalHeader()->setStretchLastSection(true);
    if (source == tzEvidencniListy) {
        grid.EnterIsTab = true;
        grid.EnterDirectionMove = DownMove;
    }
}
