// Every event row belongs to an animal: the store refuses a litter, photo,
// mating, visit, show, title, exam, approval or pedigree whose registered
// name is empty or blank, on appending and on editing, and writes nothing;
// the free-standing agenda needs no name.

#include <QFile>

#include "platform/store/data_check.h"
#include "platform/store/sqlite_handle.h"
#include "tests/platform/store/store_fixture.h"

namespace {

using platform::StoreError;
using platform::Table;
using store_test::StoreFixture;

// Every event table with a column of its own to fill besides the name.
const std::vector<std::pair<QString, QString>> kEventTables = {
    {"vrhy.db", "Poznamka"},  {"foto_album.db", "Foto_2"}, {"kryti.DB", "Asistence"},
    {"osetreni.db", "Lekar"}, {"vystavy.db", "Misto"},     {"tituly.db", "Titul_Jmeno"},
    {"Zkousky.DB", "Zeme"},   {"chovnost.DB", "Poznamka"}, {"rodokmen.db", "Otec"},
};

QString AppendMessage(Table& table, const QString& column, const QString& name) {
    try {
        table.Append();
        table.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(name);
        if (column == QLatin1String("Foto_2")) {
            table.FieldByName(column).SetAsBytes(QByteArray("GIF89a"));
        } else {
            table.FieldByName(column).SetAsString(QStringLiteral("něco"));
        }
        table.Post();
    } catch (const StoreError& e) {
        table.Cancel();
        return e.Message();
    }
    return QString();
}

class EventRowOwner : public StoreFixture {};

TEST_F(EventRowOwner, EventRowsWithoutAnAnimalAreRefusedInEveryEventTable) {
    for (const auto& [file, column] : kEventTables) {
        SCOPED_TRACE(file.toStdString());
        Table table(*db_, file);
        table.Open();
        const QString message = AppendMessage(table, column, QString());
        EXPECT_EQ(message, QStringLiteral("Záznam tabulky %1 nelze uložit: registrované jméno "
                                          "zvířete (%2) musí být vyplněno.")
                               .arg(file, table.Schema().columns[0].name));
        EXPECT_FALSE(AppendMessage(table, column, QStringLiteral(" \t ")).isEmpty());
        EXPECT_EQ(table.RecordCount(), 0);
        EXPECT_TRUE(AppendMessage(table, column, QStringLiteral("Aron")).isEmpty());
        // Editing the row to a blank name is refused as well; the row keeps its name.
        table.Edit();
        table.FieldByName(QStringLiteral("Jmeno_registr")).SetAsString(QStringLiteral("  "));
        EXPECT_THROW(table.Post(), StoreError);
        table.Cancel();
        table.Refresh();
        EXPECT_EQ(Column(table, QStringLiteral("Jmeno_registr")), QStringList{"Aron"});
    }
    Table agenda(*db_, QStringLiteral("schedule.db"));
    agenda.Open();
    agenda.Append();
    agenda.FieldByName(QStringLiteral("Akce")).SetAsString(QStringLiteral("Očkování"));
    EXPECT_NO_THROW(agenda.Post());
}

TEST_F(EventRowOwner, CheckListsANamelessEventRowWrittenByAnotherToolOnce) {
    SKIP_ON_SERVER_STORE("another tool writing into the file");
    AddCard(QStringLiteral("Aron"));
    {
        platform::Connection raw(platform::Database::DatabaseFile(folder_), false);
        raw.Execute(QStringLiteral("INSERT INTO vrhy (Jmeno_registr, Poznamka) VALUES (' ', 'x')"));
    }
    const std::vector<platform::CheckFinding> findings = platform::CheckDatabase(*db_);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].kind, platform::CheckFinding::EmptyKey);
    EXPECT_EQ(findings[0].table, QStringLiteral("vrhy.db"));
}

}  // namespace
