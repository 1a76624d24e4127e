// The address book's print source 12: found by its number beside the print
// page's sources (not among them), its list query with a kind's where text
// and the order, the kind shown by name, and its templates in the folder.
#include "app/address_print.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/dmunit.h"
#include "platform/store/table.h"
#include "tests/support/seams.h"

namespace {

TEST(AddressPrintSource, IsFoundByItsNumberButIsNoPageSource) {
    EXPECT_FALSE(IsPrintSource(tzAdresar));
    ASSERT_EQ(FindPrintSource(tzAdresar), &AddressPrintSource());
    EXPECT_EQ(FindPrintSource(0), &PrintSources().at(0));
    EXPECT_EQ(FindPrintSource(11), nullptr);
    EXPECT_EQ(FindPrintSource(-1), nullptr);
    EXPECT_EQ(AddressPrintSource().caption, QStringLiteral("Adresář"));
    for (const TPrintTemplate& entry : AddressPrintSource().templates) {
        EXPECT_TRUE(QFile::exists(QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + entry.file))
            << entry.file.toStdString();
    }
    EXPECT_EQ(AddressKindClause(-1), QString());
    EXPECT_EQ(AddressKindClause(2), QStringLiteral("Typ = 2"));
}

TEST(AddressPrintSource, ListsTheEntriesOfOneKindInOrderWithTheKindByName) {
    testing_support::ScriptedMessages messages;
    QTemporaryDir folder;
    platform::Database::CreateSchema(folder.path() + "/");
    {
        platform::Database db(folder.path() + "/");
        platform::Table book(db, QStringLiteral("adresar.db"));
        book.Open();
        const std::pair<const char*, int> entries[] = {
            {"Vet Černá", 2}, {"Stanice Ábel", 1}, {"Vet Adam", 2}, {"Bez druhu", -1}};
        for (const auto& [key, kind] : entries) {
            book.Append();
            book.FieldByName("Nazev_Key").SetAsString(QString::fromUtf8(key));
            if (kind >= 0) {
                book.FieldByName("Typ").SetAsInteger(kind);
            }
            book.Post();
        }
    }
    TDM1 dm(folder.path() + "/");
    dm.RunBookQuery(tzAdresar, AddressListOrder(), AddressKindClause(2));
    platform::DataSet& list = *PrintDataSource(dm, tzAdresar)->GetDataSet();
    ASSERT_TRUE(list.IsActive()) << messages.Texts().join(u'\n').toStdString();
    QStringList keys;
    for (list.First(); !list.Eof(); list.Next()) {
        keys << list.FieldByName("Nazev_Key").AsString();
        EXPECT_EQ(list.FieldByName("Typ").DisplayText(), QStringLiteral("Lékař"));
    }
    EXPECT_EQ(keys, QStringList({"Vet Adam", "Vet Černá"}));
    dm.RunBookQuery(tzAdresar, AddressListOrder(), QString());
    EXPECT_EQ(list.RecordCount(), 4);
    list.Locate("Nazev_Key", QStringLiteral("Bez druhu"));
    EXPECT_EQ(list.FieldByName("Typ").DisplayText(), QString());
}

}  // namespace
