#include "records/print_page_grids.h"

#include <QHeaderView>

#include "controls/db_grid.h"

namespace {

// A column shown under its own name.
TPrintGridColumn Named(const char* field) {
    return {QString::fromLatin1(field), QString::fromLatin1(field)};
}

TPrintGridColumn Titled(const char* field, const char* title, bool right = false) {
    return {QString::fromLatin1(field), QString::fromUtf8(title), right};
}

// The record-sheet columns the event-book grids end with.
const TPrintGridColumn kBorn = Titled("Datum_Nar", "Datum narození");

}  // namespace

QList<TPrintGridColumn> PrintGridColumns(int source) {
    switch (source) {
        case 0:
            return {Titled("Jmeno_registr", "Jméno registrované "),
                    Named("Plemeno"),
                    Titled("Pohlavi", "Pohlaví"),
                    Titled("Datum_nar", "Datum narození", true),
                    Named("Otec"),
                    Named("Matka"),
                    Named("Chovatel"),
                    Named("Majitel"),
                    Named("DKK"),
                    Named("Luxace"),
                    Named("Pra")};
        case 1:
            return {Titled("Jmeno_registr", "Registrováné jméno"),
                    Titled("Datum_osetreni", "Návštěva"),
                    Titled("Duvod_osetreni", "Důvod ošetřeni"),
                    Titled("Dalsi_navsteva", "Příští návštěva"),
                    Titled("Lekar", "Lékař"),
                    Named("Otec"),
                    Named("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Named("Pohlavi"),
                    Named("Vlastnictvi"),
                    Titled("Vlast_odchov", "Vlastní odchov")};
        case 2:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Titled("Datum_vystava", "Datum"),
                    Named("Druh"),
                    Titled("Misto", "Místo"),
                    Titled("Trida", "Třída"),
                    Titled("Znamka", "Známka"),
                    Titled("Cekatelstvi_1", "Čekatelstvi 1"),
                    Titled("Cekatelstvi_2", "Čekatelství 2"),
                    Titled("Souteze", "Soutež hlavní"),
                    Titled("Souteze_ost", "Soutež ostatní"),
                    Named("Otec"),
                    Named("Matka"),
                    Named("plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case 3:
            return {Titled("Jmeno_Registr", "Jméno registrované"),
                    Titled("Zeme", "Země"),
                    Named("Titul_Jmeno"),
                    Titled("Datum_Udeleni", "Datum udělení"),
                    Named("Organizace"),
                    Named("Otec"),
                    Named("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Named("Pohlavi")};
        case 4:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Named("Datum"),
                    Titled("Chov_jedinec", "Chovnost"),
                    Named("Otec"),
                    Named("Matka"),
                    Named("plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case 5:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Titled("Datum", "Datum vrhu"),
                    Named("Jmeno_reg_otec"),
                    Named("plemeno"),
                    Named("Otec"),
                    Named("Matka"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case 6:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Titled("Jmeno_partner", "Partner"),
                    Titled("Datum_kryti_1", "Datum 1. kryti"),
                    Named("Asistence"),
                    Named("Majitel"),
                    Titled("Nakryta_Ano_Ne", "Nakryta"),
                    Named("Otec"),
                    Named("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case 7:
            return {Titled("Jmeno_registr", "Jméno registrované"), Named("Otec"), Named("Matka")};
        case 8:
            return {Titled("Jmeno_Registr", "Jméno registrované"),
                    Titled("Oceneni_Jmeno", "Druh zkoušky (název)"),
                    Titled("Datum_Udeleni", "Datum udělení"),
                    Named("Organizace"),
                    Named("Otec"),
                    Named("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
        case 9:
            return {Titled("Jmeno_registr", "Jméno registrované"),
                    Named("Otec"),
                    Named("Matka"),
                    Titled("Plemeno", "Plemeno"),
                    kBorn,
                    Titled("Pohlavi", "Pohlaví")};
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
    if (source == 0) {
        grid.EnterIsTab = true;
        grid.EnterDirectionMove = DownMove;
    }
}
