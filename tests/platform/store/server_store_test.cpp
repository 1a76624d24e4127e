// The kennel's tables on a PostgreSQL server (a private test cluster): the
// tables and roles init makes, Czech order as the local store's, and copies
// between a data folder and a server that keep every value or write nothing.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>

#include <sqlite3.h>

#include "platform/store/czech_collation.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/postgres_schema.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store.h"
#include "platform/store/store_copy.h"
#include "tests/support/postgres_cluster.h"

namespace {

using platform::PostgresConnection;
using platform::StoreError;

// The StoreError message of running `what`, or "" when it did not throw.
template <typename F>
QString ErrorOf(F&& what) {
    try {
        what();
    } catch (const StoreError& error) {
        return error.Message();
    }
    return QString();
}

int ServerRows(const QString& address, const QString& table) {
    PostgresConnection connection(address);
    return connection.Values(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table))
        .value(0)
        .toInt();
}

// A kennel folder whose rows are written as they lie in the file (raw SQL),
// so a test can also hold values the forms would never write.
class Kennel {
  public:
    Kennel() : folder_(dir_.filePath(QStringLiteral("DATA"))) {
        platform::Database::CreateSchema(folder_);
        database_ = std::make_unique<platform::Database>(folder_);
    }
    const QString& Folder() const { return folder_; }
    void Execute(const QString& sql) { database_->Handle().Execute(sql); }
    void Close() { database_.reset(); }

  private:
    QTemporaryDir dir_;
    QString folder_;
    std::unique_ptr<platform::Database> database_;
};

// Every row of every table, read through the store as the program reads them.
std::vector<platform::Row> AllRows(const QString& folder) {
    platform::Database database(folder, platform::OpenMode::ReadOnly);
    std::vector<platform::Row> rows;
    for (const platform::TableSchema& schema : platform::AllTableSchemas()) {
        platform::Table table(database, schema.fileName);
        table.Open();
        for (table.First(); !table.Eof(); table.Next()) {
            platform::Row row;
            for (int i = 0; i < table.FieldCount(); ++i) {
                row.push_back(table.Fields(i).StoredValue());
            }
            rows.push_back(row);
        }
    }
    return rows;
}

TEST(ServerSchema, InitMakesTheTablesWithTheirRulesOnceAndTheRoles) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString address = cluster->NewDatabase();
    PostgresConnection connection(address);
    platform::CreateServerSchema(connection);
    EXPECT_EQ(platform::ServerTablesPresent(connection).size(),
              static_cast<qsizetype>(platform::AllTableSchemas().size()));
    // The server keeps the column rules: width, dates, ranges.
    const QString tooLong = ErrorOf([&] {
        connection.Execute(
            QStringLiteral("INSERT INTO main_card (\"Jmeno_registr\") VALUES (repeat('x', 41))"));
    });
    EXPECT_TRUE(tooLong.contains(QStringLiteral("varying(40)"))) << tooLong.toStdString();
    EXPECT_FALSE(ErrorOf([&] {
                     connection.Execute(QStringLiteral(
                         "INSERT INTO main_card (\"Datum_nar\") VALUES ('2021-02-30')"));
                 }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] {
                     connection.Execute(
                         QStringLiteral("INSERT INTO main_card (\"Barva\") VALUES (40000)"));
                 }).isEmpty());
    // A new row gets an id and its first version.
    connection.Execute(
        QStringLiteral("INSERT INTO main_card (\"Jmeno_registr\") VALUES ('Ája z Lesa')"));
    EXPECT_EQ(connection.Values(QStringLiteral("SELECT row_version FROM main_card")),
              QStringList{QStringLiteral("1")});
    // A second init leaves the database as it is.
    const QString again = ErrorOf([&] { platform::CreateServerSchema(connection); });
    EXPECT_TRUE(again.contains(QStringLiteral("již obsahuje tabulky"))) << again.toStdString();
    EXPECT_EQ(connection.Values(QStringLiteral("SELECT count(*) FROM main_card")),
              QStringList{QStringLiteral("1")});
}

TEST(ServerSchema, AReadingOfficialMayReadButNotWriteAndAWritingOneMayBoth) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString address = cluster->NewDatabase();
    {
        PostgresConnection owner(address);
        platform::CreateServerSchema(owner);
        owner.Execute(
            QStringLiteral("DROP ROLE IF EXISTS poradce; DROP ROLE IF EXISTS matrikar;"
                           "CREATE ROLE poradce LOGIN IN ROLE harvel_cteni;"
                           "CREATE ROLE matrikar LOGIN IN ROLE harvel_zapis"));
    }
    const QString database = address.section('/', -1);
    PostgresConnection reader(cluster->Address(database, QStringLiteral("poradce")));
    EXPECT_EQ(reader.Values(QStringLiteral("SELECT count(*) FROM vrhy")),
              QStringList{QStringLiteral("0")});
    try {
        reader.Execute(QStringLiteral("INSERT INTO vrhy (\"Jmeno_registr\") VALUES ('Ája')"));
        FAIL() << "a reading official wrote a row";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.EngineCode(), SQLITE_READONLY) << error.what();
    }
    PostgresConnection writer(cluster->Address(database, QStringLiteral("matrikar")));
    writer.Execute(QStringLiteral("INSERT INTO vrhy (\"Jmeno_registr\") VALUES ('Ája')"));
    EXPECT_EQ(reader.Values(QStringLiteral("SELECT \"Jmeno_registr\" FROM vrhy")),
              QStringList{QStringLiteral("Ája")});
}

TEST(ServerSchema, CzechOrderIsTheLocalStoresOrder) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString address = cluster->NewDatabase();
    PostgresConnection connection(address);
    platform::CreateServerSchema(connection);
    QStringList names{"Cyril", "Čert", "Hugo", "Chrt", "chrt",  "CHRT", "Ivan", "řeka",
                      "Rak",   "Řepa", "šach", "Sova", "Zebra", "žába", "Ábel", "abeceda",
                      "Adam",  "Ďáb",  "Dub",  "ťuk",  "Tom",   "10",   "2",    "a b",
                      "ab",    "Éva",  "eva",  "Ů",    "Uzel",  "ů"};
    for (const QString& name : names) {
        connection.Values(QStringLiteral("INSERT INTO plemeno (\"Plemeno\") VALUES ($1)"),
                          {name.toUtf8()});
    }
    const QStringList server = connection.Values(
        QStringLiteral("SELECT \"Plemeno\" FROM plemeno ORDER BY \"Plemeno\", rowid"));
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return platform::CompareCzech(a, b) < 0;
    });
    EXPECT_EQ(server, names);
}

TEST(ServerCopy, AKennelGoesToTheServerAndBackWithEveryValue) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    Kennel kennel;
    kennel.Execute(QStringLiteral(
        "INSERT INTO main_card (Jmeno_registr, Vlastnictvi, Datum_nar, Cip, Vaha_narozeni, "
        "Vyska_kohout, Poznamka, Barva, Pohlavi) VALUES "
        "('Žofie z Ďáblic', 1, '2019-02-28', 203098100012345, 0.30000000000000004, 55, "
        "'řádek 1\n\třádek 2 \\ konec', -3, ''),"
        "('Alík', 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL)"));
    kennel.Execute(
        QStringLiteral("INSERT INTO foto_album (Jmeno_registr, Foto_1) VALUES "
                       "('Alík', x'89504e470d0a1a0a005c09')"));
    // A gap in the row ids stays: unordered tables list by them.
    kennel.Execute(QStringLiteral(
        "INSERT INTO kryti (Jmeno_registr) VALUES ('Žofie z Ďáblic'), ('Rex'), ('Alík')"));
    kennel.Execute(QStringLiteral("DELETE FROM kryti WHERE Jmeno_registr = 'Rex'"));
    kennel.Close();

    const QString server = cluster->NewDatabase();
    const platform::StoreCopyResult there = platform::CopyStore(kennel.Folder(), server);
    EXPECT_EQ(there.Rows(), 5);
    EXPECT_EQ(ServerRows(server, QStringLiteral("kryti")), 2);
    {
        PostgresConnection connection(server);
        EXPECT_EQ(connection.Values(QStringLiteral("SELECT rowid FROM kryti ORDER BY rowid")),
                  (QStringList{"1", "3"}));
        // A row added on the server continues after the copied ids.
        connection.Execute(QStringLiteral("INSERT INTO kryti (\"Jmeno_registr\") VALUES ('Rex')"));
        EXPECT_EQ(connection.Values(QStringLiteral("SELECT max(rowid) FROM kryti")),
                  QStringList{QStringLiteral("4")});
        connection.Execute(QStringLiteral("DELETE FROM kryti WHERE rowid = 4"));
    }

    QTemporaryDir back;
    const QString backFolder = back.filePath(QStringLiteral("DATA"));
    const platform::StoreCopyResult home = platform::CopyStore(server, backFolder);
    EXPECT_EQ(home.Rows(), 5);
    const std::vector<platform::Row> before = AllRows(kennel.Folder());
    const std::vector<platform::Row> after = AllRows(backFolder);
    ASSERT_EQ(before.size(), after.size());
    for (size_t r = 0; r < before.size(); ++r) {
        ASSERT_EQ(before[r].size(), after[r].size());
        for (size_t c = 0; c < before[r].size(); ++c) {
            EXPECT_TRUE(platform::SameValue(before[r][c], after[r][c]))
                << "row " << r << " column " << c;
        }
    }
}

TEST(ServerCopy, ADestinationWithRowsIsRefusedAndKeptAsItWas) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    Kennel kennel;
    kennel.Execute(QStringLiteral("INSERT INTO plemeno (Plemeno) VALUES ('Bígl')"));
    kennel.Close();
    const QString server = cluster->NewDatabase();
    platform::CopyStore(kennel.Folder(), server);
    const QString refused = ErrorOf([&] { platform::CopyStore(kennel.Folder(), server); });
    EXPECT_TRUE(refused.contains(QStringLiteral("již obsahuje záznamy (tabulka plemeno.db)")))
        << refused.toStdString();
    EXPECT_EQ(ServerRows(server, QStringLiteral("plemeno")), 1);
    // Into a folder likewise.
    const QString intoFolder = ErrorOf([&] { platform::CopyStore(server, kennel.Folder()); });
    EXPECT_TRUE(intoFolder.contains(QStringLiteral("již obsahuje záznamy")))
        << intoFolder.toStdString();
}

TEST(ServerCopy, AValueTheServerCannotHoldStopsTheCopyWithNothingWritten) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    Kennel kennel;
    kennel.Execute(QStringLiteral("INSERT INTO plemeno (Plemeno) VALUES ('Bígl')"));
    // 41 characters in a 40-character column, written past the store's checks.
    kennel.Execute(
        QStringLiteral("INSERT INTO main_card (Jmeno_registr, Majitel) VALUES ('Bára', 'x'), "
                       "('Cecilie ze Zámeckého parku nad Vltavou II', NULL)"));
    kennel.Close();
    const QString server = cluster->NewDatabase();
    const QString refused = ErrorOf([&] { platform::CopyStore(kennel.Folder(), server); });
    EXPECT_EQ(refused.toStdString(),
              QStringLiteral("Tabulku main_card.db nelze zkopírovat do %1: záznam "
                             "„Cecilie ze Zámeckého parku nad Vltavou II“: text ve "
                             "sloupci Jmeno_registr má 41 znaků, sloupec jich pojme 40.")
                  .arg(server)
                  .toStdString());
    // The tables made for the copy stay, without a single row.
    for (const platform::TableSchema& table : platform::AllTableSchemas()) {
        EXPECT_EQ(ServerRows(server, table.sqlName), 0) << table.sqlName.toStdString();
    }
}

TEST(ServerCopy, ADamagedValueIsNamedAndAFolderMadeForTheCopyIsRemoved) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString server = cluster->NewDatabase();
    {
        Kennel kennel;
        kennel.Execute(
            QStringLiteral("INSERT INTO vystavy (Jmeno_registr, Datum_vystava) VALUES "
                           "('Bára', 'včera')"));
        kennel.Close();
        const QString refused = ErrorOf([&] { platform::CopyStore(kennel.Folder(), server); });
        EXPECT_TRUE(refused.startsWith(QStringLiteral(
            "Tabulku vystavy.db nelze zkopírovat: záznam č. 1 má poškozenou hodnotu")))
            << refused.toStdString();
        EXPECT_TRUE(refused.contains(QStringLiteral("harvel-data check")));
    }
    // From the server into a new folder: a failure leaves no half database.
    {
        PostgresConnection connection(server);
        connection.Execute(
            QStringLiteral("INSERT INTO main_card (\"Jmeno_registr\", "
                           "\"Poznamka\") VALUES ('Bára', 'a')"));
    }
    QTemporaryDir target;
    const QString folder = target.filePath(QStringLiteral("DATA"));
    // The folder itself is the destination of another copy running from it.
    const QString same = ErrorOf([&] { platform::CopyStore(server, server); });
    EXPECT_TRUE(same.contains(QStringLiteral("tatáž databáze"))) << same.toStdString();
    platform::CopyStore(server, folder);
    EXPECT_EQ(AllRows(folder).size(), 1u);
}

}  // namespace

namespace {

QString MessageOf(const std::function<void()>& what) {
    return ErrorOf(what);
}

// A club's database with one record sheet, "Aron", as init and an official make it.
QString ClubWithAron(testing_support::PostgresCluster& cluster) {
    const QString address = cluster.NewDatabase();
    platform::Database::CreateSchema(address);
    platform::Database database(address);
    platform::Table cards(database, QStringLiteral("main_card.db"));
    cards.Open();
    cards.Append();
    cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QStringLiteral("Aron"));
    cards.FieldByName(QStringLiteral("Povaha")).SetAsString(QStringLiteral("klidný"));
    cards.Post();
    return address;
}

// Two officials' programs on one club's database, each with the record sheets open.
struct TwoOfficials {
    explicit TwoOfficials(const QString& address) : first(address), second(address) {
        mine.Open();
        theirs.Open();
    }
    platform::Database first, second;
    platform::Table mine{first, QStringLiteral("main_card.db")};
    platform::Table theirs{second, QStringLiteral("main_card.db")};
};

bool IsChangedMeanwhile(const QString& message) {
    return message.startsWith(QStringLiteral("Záznam mezitím změnil jiný uživatel (harvel, ")) &&
           message.endsWith(QStringLiteral("). Načtěte jej znovu."));
}

TEST(ServerEdits, AChangeSavedMeanwhileByAnotherOfficialIsNotOverwritten) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString address = ClubWithAron(*cluster);
    TwoOfficials officials(address);
    platform::Table& mine = officials.mine;
    platform::Table& theirs = officials.theirs;
    mine.Edit();
    mine.FieldByName(QStringLiteral("Povaha")).SetAsString(QStringLiteral("moje"));
    theirs.Edit();
    theirs.FieldByName(QStringLiteral("Povaha")).SetAsString(QStringLiteral("jejich"));
    theirs.Post();

    const QString refused = MessageOf([&] { mine.Post(); });
    EXPECT_TRUE(IsChangedMeanwhile(refused)) << refused.toStdString();
    // The input stays in the form, still being edited.
    EXPECT_EQ(mine.State(), platform::DataSetState::Edit);
    EXPECT_EQ(mine.FieldByName(QStringLiteral("Povaha")).AsString(), QStringLiteral("moje"));

    // "Načti": the other's change shows, and a change made on it is saved.
    mine.Cancel();
    mine.Refresh();
    EXPECT_EQ(mine.FieldByName(QStringLiteral("Povaha")).AsString(), QStringLiteral("jejich"));
    mine.Edit();
    mine.FieldByName(QStringLiteral("Povaha")).SetAsString(QStringLiteral("naše"));
    mine.Post();

    // A delete of the row as it was before that change is refused too.
    const QString deleteRefused = MessageOf([&] { theirs.Delete(); });
    EXPECT_TRUE(IsChangedMeanwhile(deleteRefused)) << deleteRefused.toStdString();
    EXPECT_EQ(ServerRows(address, QStringLiteral("main_card")), 1);
    theirs.Refresh();
    theirs.Delete();
    EXPECT_EQ(ServerRows(address, QStringLiteral("main_card")), 0);
}

TEST(ServerEdits, ARowDeletedMeanwhileIsSaidToBeGone) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString address = ClubWithAron(*cluster);
    TwoOfficials officials(address);
    platform::Table& mine = officials.mine;
    platform::Table& theirs = officials.theirs;
    mine.Edit();
    mine.FieldByName(QStringLiteral("Povaha")).SetAsString(QStringLiteral("moje"));
    theirs.Delete();
    EXPECT_EQ(MessageOf([&] { mine.Post(); }),
              QStringLiteral("Záznam v tabulce main_card.db mezitím zmizel."));
    EXPECT_EQ(mine.State(), platform::DataSetState::Edit);
}

TEST(ServerEdits, AReadingOfficialGetsTheReadOnlyModeWithItsReason) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString address = ClubWithAron(*cluster);
    cluster->Execute(QStringLiteral("postgres"),
                     QStringLiteral("CREATE ROLE poradkyne LOGIN IN ROLE harvel_cteni"));
    const QString asReader =
        cluster->Address(address.section('/', -1), QStringLiteral("poradkyne"));

    platform::Database database;
    database.SetOpenMode(platform::OpenMode::ReadWriteOrReadOnly);
    database.AddParam(QStringLiteral("PATH=") + asReader);
    database.Open();
    EXPECT_TRUE(database.IsReadOnly());
    EXPECT_EQ(database.ReadOnlyReason(), QStringLiteral("uživatel serveru smí data jen číst"));
    platform::Table cards(database, QStringLiteral("main_card.db"));
    cards.Open();
    EXPECT_EQ(cards.FieldByName(QStringLiteral("Jmeno_registr")).AsString(),
              QStringLiteral("Aron"));
    const QString refused = MessageOf([&] {
        cards.Edit();
        cards.FieldByName(QStringLiteral("Povaha")).SetAsString(QStringLiteral("jiná"));
        cards.Post();
    });
    EXPECT_TRUE(refused.contains(QStringLiteral("jen pro čtení"))) << refused.toStdString();

    // Opened for writing, such an official is refused at once.
    const QString writing = MessageOf([&] { platform::Database forWriting(asReader); });
    EXPECT_TRUE(writing.contains(QStringLiteral("smí data jen číst"))) << writing.toStdString();
}

}  // namespace

namespace {

TEST(ServerEdits, AReadOnlyRunReadsOneSnapshotWhateverIsSavedMeanwhile) {
    HARVEL_REQUIRE_POSTGRES(cluster);
    const QString address = ClubWithAron(*cluster);
    platform::Database report(address, platform::OpenMode::ReadOnly);
    platform::Table before(report, QStringLiteral("main_card.db"));
    before.Open();
    EXPECT_EQ(before.RecordCount(), 1);
    {
        platform::Database official(address);
        platform::Table cards(official, QStringLiteral("main_card.db"));
        cards.Open();
        cards.Append();
        cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QStringLiteral("Bára"));
        cards.Post();
    }
    // A second list of the same run still sees the kennel as the run began.
    platform::Query later(report);
    later.SetSQL({QStringLiteral("Select Jmeno_registr from Main_card")});
    later.Open();
    EXPECT_EQ(later.RecordCount(), 1);
    // The next run sees the new sheet.
    platform::Database next(address, platform::OpenMode::ReadOnly);
    platform::Table after(next, QStringLiteral("main_card.db"));
    after.Open();
    EXPECT_EQ(after.RecordCount(), 2);
}

}  // namespace
