// The store keeps its data whole and says what is wrong: rows without their
// identifying key are refused, a full disk is named as such and the first
// failure of a transaction is the one reported, a folder or disk that takes
// no writes is read read-only, values damaged outside the program read as
// null, and opening for reading writes nothing.

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include "platform/store/data_check.h"
#include "platform/store/sqlite_handle.h"
#include "tests/platform/store/store_fixture.h"
#include "tests/support/small_disk.h"

namespace {

using platform::Database;
using platform::OpenMode;
using platform::StoreError;
using platform::Table;
using store_test::StoreFixture;
using testing_support::SmallDisk;

// Runs SQL on the database file directly, as another tool would (with the
// store's collation, which the tables' order indexes use).
void RawSql(const QString& folder, const char* sql) {
    platform::Connection db(Database::DatabaseFile(folder), false);
    for (const QString& statement : QString::fromUtf8(sql).split(';', Qt::SkipEmptyParts)) {
        db.Execute(statement);
    }
}

QString PostMessage(Table& table, const std::vector<std::pair<QString, QString>>& columns) {
    try {
        table.Append();
        for (const auto& [column, text] : columns) {
            table.FieldByName(column).SetAsString(text);
        }
        table.Post();
    } catch (const StoreError& e) {
        table.Cancel();
        return e.Message();
    }
    return QString();
}

class Integrity : public StoreFixture {};

TEST_F(Integrity, RowsWithoutTheirIdentifyingKeyAreRefusedByTheStore) {
    Table cards(*db_, QStringLiteral("main_card.db"));
    cards.Open();
    EXPECT_EQ(PostMessage(cards, {{"Jmeno_call", "Bez jména"}}),
              "Záznam tabulky main_card.db nelze uložit: registrované jméno (Jmeno_registr) musí "
              "být vyplněno.");
    EXPECT_TRUE(PostMessage(cards, {{"Jmeno_registr", "   "}}).contains("registrované jméno"));
    EXPECT_TRUE(PostMessage(cards, {{"Jmeno_registr", "Rex"}}).isEmpty());
    EXPECT_EQ(cards.RecordCount(), 1);
    // Editing a sheet to a blank name is refused as well.
    cards.Edit();
    cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QStringLiteral(" "));
    EXPECT_THROW(cards.Post(), StoreError);
    cards.Cancel();
    EXPECT_EQ(QueryColumn("Select * from main_card", "Jmeno_registr"), QStringList{"Rex"});

    Table addresses(*db_, QStringLiteral("adresar.db"));
    addresses.Open();
    EXPECT_EQ(PostMessage(addresses, {{"Nazev", "Jen název"}}),
              "Záznam tabulky adresar.db nelze uložit: klíčový název (Nazev_Key) musí být "
              "vyplněn.");
    Table breeds(*db_, QStringLiteral("plemeno.db"));
    breeds.Open();
    EXPECT_EQ(PostMessage(breeds, {{"Poznamka", "bez názvu"}, {"Plemeno", "\t "}}),
              "Záznam tabulky plemeno.db nelze uložit: název plemena (Plemeno) musí být vyplněn.");
    EXPECT_EQ(addresses.RecordCount() + breeds.RecordCount(), 0);
    // An event row belongs to its animal: a visit without a name is refused.
    Table visits(*db_, QStringLiteral("osetreni.db"));
    visits.Open();
    EXPECT_TRUE(PostMessage(visits, {{"Lekar", "MVDr. Novák"}}).contains("zvířete"));
}

TEST_F(Integrity, ValuesDamagedOutsideTheProgramReadAsNullAndQueriesSkipThem) {
    SKIP_ON_SERVER_STORE("the server's typed columns hold no damaged value");
    AddCard("Aron", {{"Datum_nar", "1.1.1999"}, {"Cip", "5"}});
    AddCard("Brok", {{"Datum_nar", "1.1.2005"}});
    AddCard("Cyril", {{"Datum_nar", "1.1.2010"}});
    AddRow("osetreni.db", {{"Jmeno_registr", "Brok"}});
    AddRow("osetreni.db", {{"Jmeno_registr", "Duch"}});
    db_.reset();
    RawSql(folder_,
           "UPDATE main_card SET Datum_nar = '2021-02-30', Cip = 'abc', Vlastnictvi = 7 "
           "WHERE Jmeno_registr = 'Aron';"
           "UPDATE main_card SET Vaha_narozeni = 'těžký' WHERE Jmeno_registr = 'Cyril'");
    db_ = std::make_unique<Database>(folder_);

    Table cards(*db_, QStringLiteral("main_card.db"));
    cards.Open();
    ASSERT_TRUE(cards.Locate(QStringLiteral("Jmeno_registr"), QStringLiteral("Aron")));
    const platform::Field& born = cards.FieldByName(QStringLiteral("Datum_nar"));
    EXPECT_TRUE(born.IsDamaged());
    EXPECT_TRUE(born.IsNull());
    EXPECT_EQ(born.AsString(), QString());
    EXPECT_EQ(std::get<QString>(born.StoredValue()), "2021-02-30");
    const platform::Field& chip = cards.FieldByName(QStringLiteral("Cip"));
    EXPECT_TRUE(chip.IsNull());
    EXPECT_NO_THROW(chip.AsFloat());
    EXPECT_FALSE(cards.FieldByName(QStringLiteral("Vlastnictvi")).AsBoolean());

    // The impossible date neither compares nor sorts as a date.
    EXPECT_EQ(
        QueryColumn("Select * from main_card where Datum_nar > \"1.1.2000\"", "Jmeno_registr"),
        (QStringList{"Brok", "Cyril"}));
    EXPECT_EQ(QueryColumn("Select * from main_card where Datum_nar is null", "Jmeno_registr"),
              QStringList{"Aron"});
    EXPECT_EQ(QueryColumn("Select * from main_card where Cip > 1", "Jmeno_registr"), QStringList());
    EXPECT_EQ(QueryColumn("Select * from main_card where Vaha_narozeni > 0", "Jmeno_registr"),
              QStringList());

    QStringList lines;
    for (const platform::CheckFinding& f : platform::CheckDatabase(*db_)) {
        lines << f.Line();
    }
    EXPECT_EQ(
        lines,
        (QStringList{"main_card.db, řádek 1, sloupec Vlastnictvi: celé číslo „7“ ve sloupci typu "
                     "logická hodnota",
                     "main_card.db, řádek 1, sloupec Datum_nar: text „2021-02-30“ ve sloupci typu "
                     "datum",
                     "main_card.db, řádek 1, sloupec Cip: text „abc“ ve sloupci typu celé číslo",
                     "main_card.db, řádek 3, sloupec Vaha_narozeni: text „těžký“ ve sloupci typu "
                     "číslo",
                     "osetreni.db, řádek 2: osiřelý záznam: registrované jméno „Duch“ nemá kartu v "
                     "hlavní evidenci"}));
}

TEST_F(Integrity, OpeningForReadingWritesNothingAndRefusesAnEmptyFile) {
    SKIP_ON_SERVER_STORE("the bytes of the database file");
    db_.reset();
    const QString file = Database::DatabaseFile(folder_);
    const QFileInfo before(file);
    const QDateTime stamp = before.lastModified();
    {
        Database reader(folder_, OpenMode::ReadOnly);
        EXPECT_TRUE(reader.IsReadOnly());
        Table cards(reader, QStringLiteral("main_card.db"));
        cards.Open();
        EXPECT_THROW(cards.Append(), StoreError);
        try {
            cards.Edit();
            ADD_FAILURE() << "a read-only table was edited";
        } catch (const StoreError& e) {
            EXPECT_EQ(e.Message(), "Data jsou otevřena jen pro čtení; změny nelze uložit.");
        }
        EXPECT_THROW(reader.StartTransaction(), StoreError);
    }
    EXPECT_EQ(QFileInfo(file).size(), before.size());
    EXPECT_EQ(QFileInfo(file).lastModified(), stamp);

    QFile::remove(file);
    QFile empty(file);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    for (OpenMode mode : {OpenMode::ReadOnly, OpenMode::ReadWrite}) {
        try {
            Database reader(folder_, mode);
            ADD_FAILURE() << "an empty file opened as a database";
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.Message().contains("je prázdný (0 bajtů)")) << e.Message().toStdString();
        }
        EXPECT_EQ(QFileInfo(file).size(), 0);
    }
}

class SmallDiskStore : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        disk_ = std::make_unique<SmallDisk>(dir_.filePath("disk"), 2048);
        if (!disk_->IsMounted()) {
            GTEST_SKIP() << "a small disk of its own needs root (mount of a tmpfs)";
        }
        folder_ = disk_->Folder() + "/DATA";
        Database::CreateSchema(folder_);
        Database db(folder_);
        Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        for (const char* name : {"Aron", "Brok", "Cyril"}) {
            cards.Append();
            cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QString::fromUtf8(name));
            cards.Post();
        }
    }
    QStringList Names(OpenMode mode) {
        Database db(folder_, mode);
        platform::Query q(db);
        q.SetSQL({QStringLiteral("Select * from main_card")});
        q.Open();
        QStringList names;
        for (q.First(); !q.Eof(); q.Next()) {
            names << q.FieldByName(QStringLiteral("Jmeno_registr")).AsString();
        }
        return names;
    }
    QTemporaryDir dir_;
    std::unique_ptr<SmallDisk> disk_;
    QString folder_;
};

TEST_F(SmallDiskStore, AFullDiskIsNamedAndTheFirstFailureIsTheOneReported) {
    Database db(folder_);
    Table cards(db, QStringLiteral("main_card.db"));
    cards.Open();
    disk_->Fill();
    QString message;
    int code = 0;
    db.StartTransaction();
    cards.BeginBulkAppend();
    try {
        for (int i = 0; i < 40000; ++i) {
            cards.Append();
            cards.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QString::number(i));
            cards.FieldByName(QStringLiteral("Povaha")).SetAsString(QString(200, 'x'));
            cards.Post();
        }
        db.Commit();
        ADD_FAILURE() << "8 MB went onto a full 2 MB disk";
    } catch (const StoreError& e) {
        message = e.Message();
        code = e.EngineCode();
        cards.Cancel();
        // Whether SQLite has undone the transaction itself or not, rolling
        // back does not fail in its own words.
        EXPECT_NO_THROW(db.Rollback());
    }
    EXPECT_EQ(code & 0xFF, SQLITE_FULL) << message.toStdString();
    EXPECT_TRUE(message.contains("Na disku není místo")) << message.toStdString();
    EXPECT_FALSE(db.InTransaction());
    cards.EndBulkAppend();
    EXPECT_EQ(cards.RecordCount(), 3);
    EXPECT_EQ(Names(OpenMode::ReadOnly), (QStringList{"Aron", "Brok", "Cyril"}));
}

TEST_F(SmallDiskStore, AFullDiskAndAWriteProtectedMediumAreReadReadOnly) {
    disk_->Fill();
    EXPECT_EQ(Names(OpenMode::ReadOnly), (QStringList{"Aron", "Brok", "Cyril"}));
    {
        Database db(folder_, OpenMode::ReadWriteOrReadOnly);
        EXPECT_TRUE(db.IsReadOnly());
        EXPECT_EQ(db.ReadOnlyReason(), "na disku není místo");
        Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        try {
            cards.Edit();
            ADD_FAILURE() << "a card was edited on a full disk";
        } catch (const StoreError& e) {
            EXPECT_EQ(e.Message(),
                      "Data jsou otevřena jen pro čtení (na disku není místo); změny nelze "
                      "uložit.");
        }
    }
    QFile::remove(disk_->Folder() + "/vypln.bin");
    ASSERT_TRUE(disk_->MakeReadOnly());
    EXPECT_EQ(Names(OpenMode::ReadOnly), (QStringList{"Aron", "Brok", "Cyril"}));
    Database db(folder_, OpenMode::ReadWriteOrReadOnly);
    EXPECT_TRUE(db.IsReadOnly());
    EXPECT_EQ(db.ReadOnlyReason(), "do složky dat nelze zapisovat");
    EXPECT_THROW(Database(folder_, OpenMode::ReadWrite).StartTransaction(), StoreError);
}

}  // namespace
