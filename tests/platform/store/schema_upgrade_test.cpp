// A database of the version before the seasons (no harani.db, no index of
// the visits by animal and date): the restore takes it as a kennel's,
// opening it for writing adds the table and the index, and a read-only
// opening leaves the file as it is.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/store/backup.h"
#include "platform/store/catalogue_check.h"
#include "platform/store/database.h"
#include "platform/store/query.h"
#include "platform/store/schema.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/table.h"

namespace {

class SchemaUpgradeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.filePath(QStringLiteral("DATA"));
        platform::Database::CreateSchema(folder_);
        file_ = platform::Database::DatabaseFile(folder_);
    }

    // Makes the folder's database one of the older version.
    void DropSeasons() {
        platform::Connection connection(file_, platform::Connection::Access::ReadWrite);
        connection.Execute(QStringLiteral("DROP TABLE harani"));
        connection.Execute(QStringLiteral("DROP INDEX %1").arg(kVisitIndex));
    }

    // The seasons table and the visits' index: the later version's objects.
    bool HasSeasons() {
        platform::Connection connection(file_, platform::Connection::Access::ReadWrite);
        platform::Statement index(
            connection.Raw(),
            QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?1"));
        index.Bind(1, platform::Value(kVisitIndex));
        const bool hasIndex = index.Step();
        const bool hasTable = connection.TableExists(QStringLiteral("harani"));
        EXPECT_EQ(hasIndex, hasTable);
        return hasTable && hasIndex;
    }

    const QString kVisitIndex = QStringLiteral("osetreni_jmeno_registr_datum_osetreni");

    QString Mismatch(const QString& file) {
        platform::Connection connection(file, platform::Connection::Access::ReadWrite);
        return platform::CatalogueMismatch(connection.Raw());
    }

    QTemporaryDir dir_;
    QString folder_;
    QString file_;
};

TEST_F(SchemaUpgradeTest, NewFolderHasSeasonsAndOlderCatalogueStillMatches) {
    EXPECT_TRUE(HasSeasons());
    EXPECT_EQ(Mismatch(file_), QString());
    DropSeasons();
    EXPECT_FALSE(HasSeasons());
    EXPECT_EQ(Mismatch(file_), QString());
}

TEST_F(SchemaUpgradeTest, SeasonsTableOfAnotherShapeIsStillRefused) {
    {
        platform::Connection connection(file_, platform::Connection::Access::ReadWrite);
        connection.Execute(QStringLiteral("DROP TABLE harani"));
        connection.Execute(QStringLiteral("CREATE TABLE harani (x)"));
    }
    EXPECT_TRUE(Mismatch(file_).contains(QStringLiteral("harani")));
}

TEST_F(SchemaUpgradeTest, OpeningForWritingAddsTheSeasonsAndReadingDoesNot) {
    DropSeasons();
    { platform::Database reader(folder_, platform::OpenMode::ReadOnly); }
    EXPECT_FALSE(HasSeasons());
    EXPECT_EQ(Mismatch(file_), QString());
    {
        platform::Database writer(folder_);
        platform::Table seasons(writer, QStringLiteral("harani.db"));
        seasons.Open();
        seasons.Append();
        seasons.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QStringLiteral("Asta"));
        seasons.FieldByName(QStringLiteral("Datum")).SetAsString(QStringLiteral("1.2.2026"));
        seasons.Post();
        EXPECT_EQ(seasons.RecordCount(), 1);
    }
    EXPECT_TRUE(HasSeasons());
    EXPECT_EQ(Mismatch(file_), QString());
}

TEST_F(SchemaUpgradeTest, BackupWithoutSeasonsIsRestoredAndGainsThemAtOpening) {
    DropSeasons();
    const QString backup = platform::TakeBackup(folder_);
    {
        platform::Database writer(folder_);  // adds the seasons to the live database
    }
    ASSERT_TRUE(HasSeasons());
    platform::RestoreBackup(folder_, backup);
    EXPECT_FALSE(HasSeasons());
    { platform::Database writer(folder_); }
    EXPECT_TRUE(HasSeasons());
}

// The look-ups of the record sheets by parent and of the stored pedigrees by
// ancestor came later: an older database without them is a kennel's all the
// same, a read-only opening leaves it so, a writing one adds them.
TEST_F(SchemaUpgradeTest, ParentLookUpsAreAddedWhenOpenedForWriting) {
    const QStringList later{"main_card_otec", "main_card_matka", "rodokmen_otec",
                            "rodokmen_matka_prababa_2"};
    const auto present = [this, &later] {
        platform::Connection connection(file_, platform::Connection::Access::ReadWrite);
        int count = 0;
        for (const QString& name : later) {
            platform::Statement index(
                connection.Raw(),
                QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?1"));
            index.Bind(1, platform::Value(name));
            count += index.Step() ? 1 : 0;
        }
        return count;
    };
    EXPECT_EQ(present(), later.size());
    {
        platform::Connection connection(file_, platform::Connection::Access::ReadWrite);
        for (const QString& name : later) {
            connection.Execute(QStringLiteral("DROP INDEX %1").arg(name));
        }
    }
    EXPECT_EQ(Mismatch(file_), QString());
    { platform::Database reader(folder_, platform::OpenMode::ReadOnly); }
    EXPECT_EQ(present(), 0);
    { platform::Database writer(folder_); }
    EXPECT_EQ(present(), later.size());
    EXPECT_EQ(Mismatch(file_), QString());
}

}  // namespace

namespace {

// A record sheet table of the version before "Nezveřejňovat": the schema's
// own statement without the later column, rows kept.
class OlderRecordSheetTest : public SchemaUpgradeTest {
  protected:
    void MakeOlderRecordSheet() {
        platform::Connection connection(file_, platform::Connection::Access::ReadWrite);
        const platform::TableSchema* cards =
            platform::FindTableSchema(QStringLiteral("main_card.db"));
        connection.Execute(QStringLiteral("DROP TABLE main_card"));
        connection.Execute(platform::OlderCreateTableStatement(*cards));
        for (const QString& statement : platform::CreateStatements(*cards).mid(1)) {
            connection.Execute(statement);
        }
        connection.Execute(QStringLiteral(
            "INSERT INTO main_card (Jmeno_registr, Plemeno) VALUES ('Asta', 'Pudl')"));
    }

    bool HasColumn() {
        platform::Connection connection(file_, platform::Connection::Access::ReadWrite);
        return connection.TableColumns(QStringLiteral("main_card"))
            .contains(QStringLiteral("Nezverejnovat"));
    }
};

TEST_F(OlderRecordSheetTest, OlderTableIsAKennelsReadsTheColumnEmptyAndGainsItForWriting) {
    MakeOlderRecordSheet();
    ASSERT_FALSE(HasColumn());
    EXPECT_EQ(Mismatch(file_), QString());
    {
        platform::Database reader(folder_, platform::OpenMode::ReadOnly);
        platform::Table cards(reader, QStringLiteral("main_card.db"));
        cards.Open();
        ASSERT_EQ(cards.RecordCount(), 1);
        EXPECT_EQ(cards.FieldByName(QStringLiteral("Plemeno")).AsString(), QStringLiteral("Pudl"));
        EXPECT_TRUE(cards.FieldByName(QStringLiteral("Nezverejnovat")).IsNull());
    }
    {
        // The local SQL's "*" names every column of the schema.
        platform::Database reader(folder_, platform::OpenMode::ReadOnly);
        platform::Query query(reader);
        query.SetSQL({QStringLiteral("Select * from Main_card")});
        query.Open();
        EXPECT_EQ(query.RecordCount(), 1);
        EXPECT_TRUE(query.FieldByName(QStringLiteral("Nezverejnovat")).IsNull());
    }
    EXPECT_FALSE(HasColumn());
    EXPECT_EQ(Mismatch(file_), QString());
    {
        platform::Database writer(folder_);
        platform::Table cards(writer, QStringLiteral("main_card.db"));
        cards.Open();
        cards.Edit();
        cards.FieldByName(QStringLiteral("Nezverejnovat")).SetAsBoolean(true);
        cards.Post();
    }
    EXPECT_TRUE(HasColumn());
    // The upgraded table reads in the catalogue exactly as a new one.
    EXPECT_EQ(Mismatch(file_), QString());
    platform::Database reader(folder_, platform::OpenMode::ReadOnly);
    platform::Table cards(reader, QStringLiteral("main_card.db"));
    cards.Open();
    EXPECT_TRUE(cards.FieldByName(QStringLiteral("Nezverejnovat")).AsBoolean());
    EXPECT_EQ(cards.FieldByName(QStringLiteral("Jmeno_registr")).AsString(),
              QStringLiteral("Asta"));
}

TEST_F(OlderRecordSheetTest, RecordSheetOfAnotherShapeIsStillRefused) {
    {
        platform::Connection connection(file_, platform::Connection::Access::ReadWrite);
        connection.Execute(QStringLiteral("ALTER TABLE main_card ADD COLUMN Skryty INTEGER"));
    }
    EXPECT_TRUE(Mismatch(file_).contains(QStringLiteral("main_card")));
}

}  // namespace
