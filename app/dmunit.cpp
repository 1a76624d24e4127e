#include "app/dmunit.h"

#include "app/parametry.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"

namespace {

const QString kDatabaseName = QStringLiteral("DM_REGDOB");
const QString kRegisteredName = QStringLiteral("Jmeno_registr");

const char* const kWeightColumns[] = {"Vaha_narozeni", "Vaha_dospelost"};
const char* const kLengthColumns[] = {"Vyska_kohout", "Delka_hlavy",  "Delka_psa",  "Delka_nosu",
                                      "Hrud_objem",   "Hrud_hloubka", "Delka_hrbet"};
const QString kNumberFormat = QStringLiteral("0.00");

}  // namespace

TDM1::TDM1(const QString& dataFolder) {
    Database1.SetDatabaseName(kDatabaseName);
    SetUpQueries();
    InstallRecordFilters();
    ApplyUnitFormats();
    // A failure (a missing folder, database or table) is shown in the error
    // box; the remaining steps are skipped and the program goes on with the
    // tables opened so far.
    try {
        Open(dataFolder.isEmpty() ? platform::DataFolder() : dataFolder);
    } catch (const platform::StoreError& error) {
        platform::ShowMessage(error.Message(), QString(), platform::MessageIcon::Error,
                              platform::mbOK);
    }
}

TDM1::~TDM1() {
    Database1.Close();
}

void TDM1::SetUpQueries() {
    Query_MainCard.SetSQL({QStringLiteral("Select * from Main_card")});
    QSeznamy.SetSQL({QStringLiteral("Select * from  Main_card")});
    QPomknihy.SetSQL({
        QStringLiteral("Select osetreni.* ,"),
        QStringLiteral("Main_Card.Otec,Main_Card.Matka,Main_Card.plemeno,Main_Card.Datum_Nar,"
                       "Main_Card.Pohlavi,Main_Card.Vlastnictvi,Main_Card.Vlast_odchov"),
        QStringLiteral("from   osetreni left Join Main_card  On Main_card.Jmeno_registr = "
                       "osetreni.Jmeno_registr"),
    });
}

bool TDM1::AcceptsRow(platform::DataSet& eventTable) const {
    // Column names are matched without regard to case (tituly.db and
    // Zkousky.DB spell it Jmeno_Registr).
    return eventTable.FieldByName(kRegisteredName).AsString().trimmed() ==
           CurrentAnimal.JmenoRegistr().trimmed();
}

void TDM1::InstallRecordFilters() {
    for (platform::Table* table :
         {&TaVrhy, &TaOsetreni, &TaKryti, &TaVystavy, &TaChovnost, &TaTituly, &TaZkousky}) {
        table->SetOnFilterRecord([this](platform::DataSet& row) { return AcceptsRow(row); });
    }
}

void TDM1::ApplyUnitFormats() {
    const Parametry& settings = CurrentParametry();
    const auto formatColumns = [this](const char* const* first, const char* const* last,
                                      const QString& unit) {
        const QString display = kNumberFormat + u' ' + unit;
        for (const char* const* column = first; column != last; ++column) {
            const QString name = QString::fromLatin1(*column);
            platform::FieldOptions& card = TaMain_Card.FieldSetup(name);
            card.displayFormat = display;
            card.editFormat = kNumberFormat;
            QSeznamy.FieldSetup(name).displayFormat = display;
        }
    };
    formatColumns(std::begin(kWeightColumns), std::end(kWeightColumns), settings.JednotkaHmotnost);
    formatColumns(std::begin(kLengthColumns), std::end(kLengthColumns), settings.JednotkaDelka);
}

QSet<QString> TDM1::RecordSheetNames() {
    platform::Query names(Database1);
    names.SetSQL({QStringLiteral("Select Jmeno_registr from Main_card")});
    names.Open();
    QSet<QString> result;
    for (names.First(); !names.Eof(); names.Next()) {
        result.insert(names.Fields(0).AsString());
    }
    names.Close();
    return result;
}

void TDM1::CheckOrphans(platform::Table& table, const QString& fileName,
                        const QSet<QString>& recordSheets) {
    const bool wasOpen = table.IsActive();
    table.Open();
    const bool wasFiltered = table.Filtered();
    table.SetFiltered(false);
    table.DisableControls();
    table.First();
    while (!table.Eof()) {
        const QString name = table.FieldByName(kRegisteredName).AsString();
        if (recordSheets.contains(name)) {
            table.Next();
            continue;
        }
        const QString question =
            QStringLiteral(
                "V tabulce %1 nalezen záznam se jménem %2 , karta s tímto jménem "
                "není v hlavním evidenčním listě. Odstranit tento záznam ?")
                .arg(fileName, name);
        if (platform::ShowMessage(question, QString(), platform::MessageIcon::Error,
                                  platform::mbYes | platform::mbNo) == platform::mbYes) {
            // Deleting the last row leaves the one before it current: the
            // walk is over then, or that row would be asked about again.
            const bool lastRow = table.RecNo() + 1 >= table.RecordCount();
            table.Delete();
            if (lastRow) {
                break;
            }
        } else {
            table.Next();
        }
    }
    table.EnableControls();
    table.SetFiltered(wasFiltered);
    if (!wasOpen) {
        table.Close();
    }
}

void TDM1::RunOrphanCheck() {
    const QSet<QString> recordSheets = RecordSheetNames();
    const std::pair<platform::Table*, const char*> order[] = {
        {&TaOsetreni, "osetreni.db"},
        {&TaVystavy, "vystavy.db"},
        {&TaTituly, "tituly.db"},
        {&TaZkousky, "Zkousky.DB"},
        {&TaChovnost, "chovnost.DB"},
        {&TaKryti, "kryti.DB"},
        {&TaVrhy, "vrhy.db"},
        {&TaRodokmen, "rodokmen.db"},
        {&TaFoto_Album, "foto_album.db"},
    };
    for (const auto& [table, fileName] : order) {
        CheckOrphans(*table, QString::fromLatin1(fileName), recordSheets);
    }
}

void TDM1::Open(const QString& dataFolder) {
    Database1.AddParam(QStringLiteral("PATH=") + dataFolder);
    Database1.Open();
    TaMain_Card.Open();
    for (platform::DataSet* dataSet : std::initializer_list<platform::DataSet*>{
             &TaVrhy, &TaOsetreni, &TaKryti, &TaPlemeno, &QPomknihy}) {
        dataSet->Open();
    }
    if (CurrentParametry().KontrolaJmen) {
        RunOrphanCheck();
    }
}
