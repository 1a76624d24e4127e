#include "app/dmunit.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>

#include "app/address_print.h"
#include "app/database_address.h"
#include "app/parametry.h"
#include "app/print_sources.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/store/backup.h"
#include "platform/store/field.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/store_error.h"
#include "report/engine/sestavy.h"

namespace {

const QString kDatabaseName = QStringLiteral("DM_REGDOB");
const QString kRegisteredName = QStringLiteral("Jmeno_registr");

const char* const kWeightColumns[] = {"Vaha_narozeni", "Vaha_dospelost"};
const char* const kLengthColumns[] = {"Vyska_kohout", "Delka_hlavy",  "Delka_psa",  "Delka_nosu",
                                      "Hrud_objem",   "Hrud_hloubka", "Delka_hrbet"};
const QString kNumberFormat = QStringLiteral("0.00");

struct BookLines {
    const char* first;
    const char* from;
};
// The event books tzZdravotniKarta to tzFoto in the order of the print sources.
const BookLines kBooks[] = {
    {"Select osetreni.* ,",
     "from Osetreni  left Join Main_card  On Main_card.Jmeno_registr = Osetreni.Jmeno_registr"},
    {"Select Vystavy.* ,",
     "from Vystavy  left Join Main_card  On Main_card.Jmeno_registr = vystavy.Jmeno_registr"},
    {"Select Tituly.* ,",
     "from Tituly  left Join Main_card  On Main_card.Jmeno_registr = Tituly.Jmeno_registr"},
    {"Select Chovnost.* ,",
     "from Chovnost  left Join Main_card  On Main_card.Jmeno_registr = Chovnost.Jmeno_registr"},
    {"Select vrhy.* ,",
     "from Vrhy  left Join Main_card  On Main_card.Jmeno_registr = Vrhy.Jmeno_registr"},
    {"Select Kryti.* ,",
     "from Kryti  left Join Main_card  On Main_card.Jmeno_registr = Kryti.Jmeno_registr"},
    {"Select Rodokmen.* ,",
     "from Rodokmen  left Join Main_card  On Main_card.Jmeno_registr = Rodokmen.Jmeno_registr"},
    {"Select Zkousky.* ,",
     "from Zkousky  left Join Main_card  On Main_card.Jmeno_registr = Zkousky.Jmeno_registr"},
    {"Select foto_album.* ,",
     "from foto_album  left Join Main_card  On Main_card.Jmeno_registr = "
     "foto_album.Jmeno_registr"},
};
const QString kBookColumns = QStringLiteral(
    "Main_Card.Otec,Main_Card.Matka,Main_Card.plemeno,Main_Card.Datum_Nar,Main_Card.Pohlavi,"
    "Main_Card.Vlastnictvi,Main_Card.Vlast_odchov,Main_Card.Registr,Main_Card.Registr_Cislo");

}  // namespace

TDM1::TDM1(const QString& dataFolder, TRecordSheetView* recordSheet, platform::OpenMode mode,
           BookQueryStart bookQueryStart)
    : sestava1_(std::make_unique<TSestava>()),
      Sestava1(*sestava1_),
      recordSheet_(recordSheet),
      bookQueryStart_(bookQueryStart) {
    Database1.SetDatabaseName(kDatabaseName);
    Database1.SetOpenMode(mode);
    SetUpReport();
    SetUpQueries();
    // A field bound to the health card does not start editing by itself;
    // the edit form's "Oprav" does.
    SoOsetreni.SetAutoEdit(false);
    InstallRecordFilters();
    InstallColumnRules();
    InstallScrollSynchronisation();
    ApplyUnitFormats();
    // A failure (a missing folder, database or table) is shown in the error
    // box; the remaining steps are skipped and the program goes on with the
    // tables opened so far.
    const QString folder = dataFolder.isEmpty() ? DatabaseAddress() : dataFolder;
    try {
        Open(folder);
    } catch (const platform::StoreError& error) {
        ReportOpenFailure(error, folder);
    }
}

void TDM1::OpenDataFolderIfClosed() {
    if (Database1.IsOpen()) {
        return;
    }
    const QString folder = Database1.Folder().isEmpty() ? DatabaseAddress() : Database1.Folder();
    Database1.SetParams({});
    try {
        Open(folder);
    } catch (const platform::StoreError& error) {
        ReportOpenFailure(error, folder);
    }
}

// A damaged database is named with the newest backup that opens, so the
// user knows what can be put back.
void TDM1::ReportOpenFailure(const platform::StoreError& error, const QString& dataFolder) {
    QString text = error.Message();
    if (platform::IsDamageError(error.EngineCode())) {
        text += QStringLiteral("\n\n") + platform::DamagedDatabaseAdvice(dataFolder);
    }
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

TDM1::~TDM1() {
    Database1.Close();
}

// Line 1 of the report parameters is the kennel's name, which templates
// print in their headers.
void TDM1::SetUpReport() {
    Sestava1.SetDataSource(&SoRodokmen);
    Sestava1.SetReportName(QStringLiteral("rodokmen00.pts"));
    Sestava1.SetReportDir(platform::TemplateFolder());
    Sestava1.ReportDirIgnore = false;
    Sestava1.IsStored = false;
    Sestava1.SetPrintBackground(false);
    Sestava1.SetParametry({CurrentParametry().Chovatel});
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
        // A row whose name, trimmed, equals the animal's holds that name, so
        // the store need read only such rows when the filter is switched on.
        table->SetFilterNarrowing(
            {kRegisteredName, [this] { return CurrentAnimal.JmenoRegistr().trimmed(); }});
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

// Whether any row of an event table names no record sheet, from one read of
// its names: a table without orphans is left as it is instead of being
// walked row by row, which asks nothing and changes nothing anyway. A failing
// read answers yes, so the walk decides.
bool TDM1::HasOrphans(const QString& fileName, const QSet<QString>& recordSheets) {
    const QString tableName = fileName.section(u'.', 0, 0);
    try {
        platform::Query names(Database1);
        names.SetSQL({QStringLiteral("Select Jmeno_registr from ") + tableName});
        names.Open();
        platform::Field& name = names.Fields(0);
        for (names.First(); !names.Eof(); names.Next()) {
            if (!recordSheets.contains(name.AsString())) {
                return true;
            }
        }
        return false;
    } catch (const platform::StoreError&) {
        return true;
    }
}

void TDM1::CheckOrphans(platform::Table& table, const QString& fileName,
                        const QSet<QString>& recordSheets) {
    if (!HasOrphans(fileName, recordSheets)) {
        return;
    }
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

void TDM1::RunQuery(platform::Query& query, const QStringList& lines) {
    query.DisableControls();
    query.Close();
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    try {
        query.SetSQL(lines);
        query.Open();
    } catch (const platform::StoreError&) {
        query.Close();
        platform::ShowMessage(QStringLiteral("Příkaz SQL se nepovedlo provést"), QString(),
                              platform::MessageIcon::Error, platform::mbOK);
    }
    query.EnableControls();
    QGuiApplication::restoreOverrideCursor();
}

void TDM1::RunPedigreeSheet(const QString& order, const QString& where) {
    QRodokmenEvid.DisableControls();
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    try {
        QRodokmenEvid.Select(order, where);
        QRodokmenEvid.Open();
    } catch (const platform::StoreError&) {
        QRodokmenEvid.Close();
        platform::ShowMessage(QStringLiteral("Příkaz SQL se nepovedlo provést"), QString(),
                              platform::MessageIcon::Error, platform::mbOK);
    }
    QRodokmenEvid.EnableControls();
    QGuiApplication::restoreOverrideCursor();
    if (!QRodokmenEvid.Problems().isEmpty()) {
        platform::ShowMessage(QRodokmenEvid.Problems().join(u'\n'), QString(),
                              platform::MessageIcon::Warning, platform::mbOK);
    }
}

void TDM1::RunListQuery(const QString& order, const QString& where) {
    RunQuery(QSeznamy, BookQueryLines(tzEvidencniListy, order, where));
}

void TDM1::RunBookQuery(int kind, const QString& order, const QString& where) {
    bookKind_ = kind;
    bookOrder_ = order;
    bookWhere_ = where;
    RunBookLines(kind, order, where);
}

void TDM1::OrderBookQueryFirstBy(int kind, const QString& leading) {
    const bool asked = kind == bookKind_;
    const QString chosen = asked ? bookOrder_ : QString();
    const QString order = chosen.isEmpty() ? leading : leading + QStringLiteral(", ") + chosen;
    RunBookLines(kind, order, asked ? bookWhere_ : QString());
}

QStringList TDM1::BookQueryLines(int kind, const QString& order, const QString& where) {
    if (kind == tzEvidencniListy || kind == tzRodokmenEvid) {
        QStringList lines{QStringLiteral("Select *  from Main_card")};
        if (!where.isEmpty()) {
            lines << QStringLiteral("Where ") + where;
        }
        if (!order.isEmpty()) {
            lines << QStringLiteral("order by ") + order;
        }
        return lines;
    }
    QStringList lines;
    if (kind == tzAdresar) {
        lines << QStringLiteral("Select * from Adresar");
    }
    static_assert(std::size(kBooks) == tzFoto - tzZdravotniKarta + 1);
    if (kind >= tzZdravotniKarta && kind <= tzFoto) {
        const BookLines& book = kBooks[kind - tzZdravotniKarta];
        lines << QString::fromUtf8(book.first) << kBookColumns << QString::fromUtf8(book.from);
    }
    if (!where.isEmpty()) {
        lines << QStringLiteral("where ") + where;
    }
    if (!order.isEmpty()) {
        lines << QStringLiteral("Order by ") + order;
    }
    return lines;
}

void TDM1::RunBookLines(int kind, const QString& order, const QString& where) {
    if (kind == tzEvidencniListy) {
        RunListQuery(order, where);
        return;
    }
    if (kind == tzRodokmenEvid) {
        RunPedigreeSheet(order, where);
        return;
    }
    RunQuery(QPomknihy, BookQueryLines(kind, order, where));
}

void TDM1::Open(const QString& dataFolder) {
    Database1.AddParam(QStringLiteral("PATH=") + dataFolder);
    Database1.Open();
    if (Database1.Mode() == platform::OpenMode::ReadWriteOrReadOnly && Database1.IsReadOnly()) {
        const QString where =
            Database1.IsServer()
                ? QStringLiteral("Databáze „%1“").arg(platform::AddressWithoutPassword(dataFolder))
                : QStringLiteral("Složka dat „%1“").arg(QDir::toNativeSeparators(dataFolder));
        platform::ShowMessage(QStringLiteral("%1 je otevřena jen pro čtení (%2). Záznamy lze "
                                             "prohlížet a tisknout, změny nelze uložit.")
                                  .arg(where, Database1.ReadOnlyReason()),
                              QString(), platform::MessageIcon::Information, platform::mbOK);
    }
    // On a club's server the book query is read on a second connection while
    // the record sheets and the books open on the first.
    if (bookQueryStart_ == BookQueryStart::AtCreation) {
        QPomknihy.ReadAhead();
    }
    TaMain_Card.Open();
    for (platform::DataSet* dataSet :
         std::initializer_list<platform::DataSet*>{&TaVrhy, &TaOsetreni, &TaKryti, &TaPlemeno}) {
        dataSet->Open();
    }
    if (bookQueryStart_ == BookQueryStart::AtCreation) {
        QPomknihy.Open();
    }
    FillBreedLists();
    if (CurrentParametry().KontrolaJmen) {
        RunOrphanCheck();
    }
}
