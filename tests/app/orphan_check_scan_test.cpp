// The orphan check reads each event table's names at once and walks only a
// table that has an orphan: a table without one keeps its state and position,
// and an orphan hidden among matching rows is still found.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/dmunit.h"
#include "platform/store/field.h"
#include "tests/support/seams.h"

namespace {

void AddRow(platform::Table& table, const QString& column, const QString& name) {
    table.Append();
    table.FieldByName(column).SetAsString(name);
    table.Post();
}

class OrphanCheckScan : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(Folder());
    }
    QString Folder() const { return folder_.path() + "/"; }
    QTemporaryDir folder_;
};

TEST_F(OrphanCheckScan, TablesWithoutOrphansKeepTheirStateAndPosition) {
    TDM1 dm(Folder());
    for (const QString& name : QStringList{"Aron", "Bára", "Cilka"}) {
        AddRow(dm.TaMain_Card, "Jmeno_registr", name);
        AddRow(dm.TaOsetreni, "Jmeno_registr", name);
    }
    dm.TaOsetreni.First();
    dm.TaOsetreni.Next();
    const int position = dm.TaOsetreni.RecNo();

    testing_support::ScriptedMessages messages;
    dm.RunOrphanCheck();

    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(dm.TaOsetreni.RecNo(), position);
    EXPECT_EQ(dm.TaOsetreni.RecordCount(), 3);
    EXPECT_FALSE(dm.TaVystavy.IsActive());
    EXPECT_FALSE(dm.TaFoto_Album.IsActive());
}

TEST_F(OrphanCheckScan, OrphanAmongMatchingRowsDiffersOnlyInLetterCaseOrBlanks) {
    TDM1 dm(Folder());
    AddRow(dm.TaMain_Card, "Jmeno_registr", "Čert z Mlýna");
    dm.TaVystavy.Open();
    for (int i = 0; i < 50; ++i) {
        AddRow(dm.TaVystavy, "Jmeno_registr", "Čert z Mlýna");
    }
    AddRow(dm.TaVystavy, "Jmeno_registr", "čert z mlýna");
    AddRow(dm.TaVystavy, "Jmeno_registr", " Čert z Mlýna");
    dm.TaVystavy.Close();

    testing_support::ScriptedMessages messages;
    messages.Answer(platform::mbYes);
    messages.Answer(platform::mbYes);
    dm.RunOrphanCheck();

    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_TRUE(messages.Texts()[0].contains("vystavy.db"));
    dm.TaVystavy.Open();
    EXPECT_EQ(dm.TaVystavy.RecordCount(), 50);
}

}  // namespace
