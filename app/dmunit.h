#pragma once
// The data module TDM1: the one owner of the database connection DM_REGDOB,
// the thirteen tables, the three queries and their data sources, and the
// current animal the event-record forms work on. It is created once at
// start-up, after the settings form, and lives until the program ends.
//
// Creation opens the database on the data folder, then main_card.db,
// vrhy.db, osetreni.db, kryti.DB, plemeno.db and the query QPomknihy; the
// other tables are opened by the forms that need them. A store that cannot
// be opened is reported in the error box with the store's message and the
// module goes on with what it opened so far.

#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/pedigree_sheet_dataset.h"
#include "app/print_sources.h"
#include "platform/store/database.h"
#include "platform/store/datasource.h"
#include "platform/store/query.h"
#include "platform/store/store_error.h"
#include "platform/store/table.h"

class TRecordSheetView;
class TSestava;

inline constexpr int kAnimalNameLength = 40;

// The animal the event-record forms work on; every text is cut to 40
// characters when set.
class TCurrentAnimal {
  public:
    const QString& JmenoRegistr() const { return jmenoRegistr_; }
    const QString& Otec() const { return otec_; }
    const QString& Matka() const { return matka_; }
    const QString& Plemeno() const { return plemeno_; }
    void SetJmenoRegistr(const QString& name) { jmenoRegistr_ = name.left(kAnimalNameLength); }
    void SetOtec(const QString& name) { otec_ = name.left(kAnimalNameLength); }
    void SetMatka(const QString& name) { matka_ = name.left(kAnimalNameLength); }
    void SetPlemeno(const QString& name) { plemeno_ = name.left(kAnimalNameLength); }

  private:
    QString jmenoRegistr_, otec_, matka_, plemeno_;
};

class TDM1 {
  public:
    // Opens the database in `dataFolder` (the program's data folder when
    // empty). `recordSheet`, when given, is registered before the tables
    // open, so the first scroll synchronisation and the breed lists reach it.
    // By default a folder or disk that takes no writes opens read-only, which
    // is said once in an information box; a damaged database is reported
    // with the newest backup that opens.
    //
    // The book query runs its initial text at creation, as the program has
    // it; a caller that runs a book or the list itself before reading any
    // (the command-line tools) asks it to wait, which spares reading every
    // health-card visit for nothing.
    enum class BookQueryStart { AtCreation, WithFirstBook };
    explicit TDM1(const QString& dataFolder = QString(), TRecordSheetView* recordSheet = nullptr,
                  platform::OpenMode mode = platform::OpenMode::ReadWriteOrReadOnly,
                  BookQueryStart bookQueryStart = BookQueryStart::AtCreation);
    ~TDM1();
    TDM1(const TDM1&) = delete;
    TDM1& operator=(const TDM1&) = delete;

    platform::Database Database1;

    platform::Table TaMain_Card{Database1, QStringLiteral("main_card.db")};
    platform::Table TaVrhy{Database1, QStringLiteral("vrhy.db")};
    platform::Table TaKryti{Database1, QStringLiteral("kryti.DB")};
    platform::Table TaOsetreni{Database1, QStringLiteral("osetreni.db")};
    platform::Table TaVystavy{Database1, QStringLiteral("vystavy.db")};
    platform::Table TaTituly{Database1, QStringLiteral("tituly.db")};
    platform::Table TaZkousky{Database1, QStringLiteral("Zkousky.DB")};
    platform::Table TaChovnost{Database1, QStringLiteral("chovnost.DB")};
    platform::Table TaFoto_Album{Database1, QStringLiteral("foto_album.db")};
    platform::Table TaRodokmen{Database1, QStringLiteral("rodokmen.db")};
    platform::Table TaAdresar{Database1, QStringLiteral("adresar.db")};
    platform::Table TaPlemeno{Database1, QStringLiteral("plemeno.db")};
    platform::Table TaSchedule{Database1, QStringLiteral("schedule.db")};
    platform::Table TaHarani{Database1, QStringLiteral("harani.db")};

    platform::Query Query_MainCard{Database1};
    platform::Query QSeznamy{Database1};
    platform::Query QPomknihy{Database1};
    // The pedigrees of the print source "Rodokmen z evidence".
    TPedigreeSheetDataSet QRodokmenEvid{Database1};

    platform::DataSource SoMainCard{QStringLiteral("SoMainCard"), &TaMain_Card};
    platform::DataSource SoQSeznamy{QStringLiteral("SoQSeznamy"), &QSeznamy};
    platform::DataSource SoQuery_MainCard{QStringLiteral("SoQuery_MainCard"), &Query_MainCard};
    platform::DataSource SoQPomknihy{QStringLiteral("SoQPomknihy"), &QPomknihy};
    platform::DataSource SoQRodokmenEvid{QStringLiteral("SoQRodokmenEvid"), &QRodokmenEvid};
    platform::DataSource SoVrhy{QStringLiteral("SoVrhy"), &TaVrhy};
    platform::DataSource SoKryti{QStringLiteral("SoKryti"), &TaKryti};
    platform::DataSource SoOsetreni{QStringLiteral("SoOsetreni"), &TaOsetreni};
    platform::DataSource SoVystavy{QStringLiteral("SoVystavy"), &TaVystavy};
    platform::DataSource SoTituly{QStringLiteral("SoTituly"), &TaTituly};
    platform::DataSource SoZkousky{QStringLiteral("SoZkousky"), &TaZkousky};
    platform::DataSource SoChovnost{QStringLiteral("SoChovnost"), &TaChovnost};
    platform::DataSource SoRodokmen{QStringLiteral("SoRodokmen"), &TaRodokmen};
    platform::DataSource SoFoto_Album{QStringLiteral("SoFoto_Album"), &TaFoto_Album};
    platform::DataSource SoAdresar{QStringLiteral("SoAdresar"), &TaAdresar};
    platform::DataSource SoPlemeno{QStringLiteral("SoPlemeno"), &TaPlemeno};
    platform::DataSource SoSchedule{QStringLiteral("SoSchedule"), &TaSchedule};

    // The report component every print runs through. Its template load and
    // save are the component's own: a save writes the template file and
    // keeps the previous one as .BAK, so a save that reports success has
    // written the file. The component lives on the heap so that this header
    // needs only its declaration; a caller that uses it includes
    // "report/engine/sestavy.h".
  private:
    std::unique_ptr<TSestava> sestava1_;

  public:
    TSestava& Sestava1;

    TCurrentAnimal CurrentAnimal;

    // The order clause of the print page's last refresh: the text behind
    // "order by" in the list queries; starts empty.
    QString ListOrder;

    // The record filter of the event tables: the row's registered name,
    // trimmed, equals the current animal's, trimmed (exact, case-sensitive).
    // It acts while the table's filter switch is on.
    bool AcceptsRow(platform::DataSet& eventTable) const;

    // Display formats of the weight and length columns of main_card.db and
    // QSeznamy from the unit texts of the settings: "0.00 " followed by the
    // unit (12.5 with " cm" shows "12.50  cm"); main_card.db edits as "0.00".
    // Run at creation and by the settings form's apply.
    void ApplyUnitFormats();

    // The orphan check (start-up, when KontrolaJmen is on): every row of the
    // event tables whose registered name has no record sheet is offered for
    // deletion, table by table. Each table's record filter is switched off
    // for the check, so it sees every row, and switched back afterwards. The
    // record sheets' names are read once, so a row costs no look-up query.
    void RunOrphanCheck();

    // Rebuilds and runs QSeznamy: "Select *  from Main_card", then
    // "Where <where>" and "order by <order>" for the parts given. A failure
    // shows "Příkaz SQL se nepovedlo provést" and leaves the query closed.
    void RunListQuery(const QString& order, const QString& where);
    // The kind is a print source (TPrintSourceNumber): tzEvidencniListy is
    // RunListQuery; tzZdravotniKarta to tzFoto run QPomknihy over one event
    // book joined to the record sheets; tzRodokmenEvid chooses the record
    // sheets as tzEvidencniListy does and assembles their pedigrees in
    // QRodokmenEvid; tzAdresar runs over the address book; any other kind
    // builds no valid statement and fails with the same box.
    void RunBookQuery(int kind, const QString& order, const QString& where);
    // Runs the book query of `kind` again with its rows first in `leading`
    // order (a template's own order, such as the sire for a list grouped by
    // sire), then in the order and with the filter the user last chose for
    // that kind; the next RunBookQuery forgets it.
    void OrderBookQueryFirstBy(int kind, const QString& leading);
    // The statement RunBookQuery runs for `kind`, line by line.
    static QStringList BookQueryLines(int kind, const QString& order, const QString& where);

    // The record sheet whose photo, titles and breed lists the module keeps
    // in step; registering pushes the breed list filled so far.
    void SetRecordSheet(TRecordSheetView* recordSheet);
    TRecordSheetView* RecordSheet() const { return recordSheet_; }

    // Scroll synchronisation, run after every move of main_card.db and of
    // QSeznamy (`moved`), and by the record sheet whenever it is shown and
    // after its "Nový", "Ulož" and "Storno": with OnlineTituly the titles table is filtered to
    // the animal shown (its name becomes the current animal's), without it
    // the titles table is closed; with OnlineFoto the photo control shows the
    // animal's photo or nothing, without it the photo is left as it is.
    void SynchroniseCard(platform::DataSet& moved);

    // Fills the card's breed drop-down and the list filter's breed fields
    // with the breeds of plemeno.db marked as shown, in table order. Run at
    // creation only: code-list changes reach the lists at the next start.
    void FillBreedLists();
    const QStringList& BreedList() const { return breeds_; }

    // Opens the data folder the module could not open at creation (it did
    // not exist yet), as creation does: after an old installation was taken
    // over into it, the program works on the data at once. A module whose
    // database is open is left as it is. A failure is shown in the error box.
    void OpenDataFolderIfClosed();

    // The address-book lookup: positions adresar.db on the entry whose key
    // name equals `name` exactly (no move when none does), shows the address
    // book TFoAdresar modally, and answers the current entry's Nazev_Key
    // when it is closed with "Ok", otherwise an empty text. It shows a
    // window, so it is defined with the windows in the application shell
    // (dm_address_lookup.cpp); programs without them never call it.
    QString AddressLookup(const QString& name);

  private:
    void RunBookLines(int kind, const QString& order, const QString& where);
    void SetUpReport();
    void InstallColumnRules();
    void InstallScrollSynchronisation();
    bool SheetInEditMode() const;
    void SetUpQueries();
    void RunQuery(platform::Query& query, const QStringList& lines);
    void RunPedigreeSheet(const QString& order, const QString& where);
    void InstallRecordFilters();
    void Open(const QString& dataFolder);
    void ReportOpenFailure(const platform::StoreError& error, const QString& dataFolder);
    QSet<QString> RecordSheetNames();
    bool HasOrphans(const QString& fileName, const QSet<QString>& recordSheets);
    void CheckOrphans(platform::Table& table, const QString& fileName,
                      const QSet<QString>& recordSheets);

    TRecordSheetView* recordSheet_ = nullptr;
    BookQueryStart bookQueryStart_ = BookQueryStart::AtCreation;
    // The last book query as the caller asked for it.
    int bookKind_ = tzEvidencniListy;
    QString bookOrder_;
    QString bookWhere_;
    QStringList breeds_;
};
