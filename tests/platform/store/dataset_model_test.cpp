#include <gtest/gtest.h>

#include <QSignalSpy>

#include "store_fixture.h"

namespace {

class ModelTest : public store_test::StoreFixture {
  protected:
    void SetUp() override {
        StoreFixture::SetUp();
        AddCard("Brok", {{"Plemeno", "Bígl"}, {"Cip", "7"}});
        AddCard("Alan", {{"Plemeno", "Pudl"}});
        AddRow("osetreni.db", {{"Jmeno_registr", "Alan"}, {"Lekar", "Novák"}});
    }
};

TEST_F(ModelTest, ShowsChosenFieldsWithLabelsAndAlignment) {
    platform::Table cards(*db_, "main_card.db");
    cards.FieldByName("Jmeno_registr").SetDisplayLabel(QStringLiteral("Registrované jméno"));
    platform::DataSource source("SoMainCard", &cards);
    platform::DataSetModel model(source, {"Jmeno_registr", "plemeno", "Cip"});
    EXPECT_EQ(model.rowCount(), 0);  // closed
    cards.Open();
    ASSERT_EQ(model.rowCount(), 2);
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Registrované jméno"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Plemeno");
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "Alan");
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QStringLiteral("Bígl"));
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), "7");
    EXPECT_TRUE(model.data(model.index(1, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignRight);
    model.SetColumnTitle(2, QStringLiteral("Čip"));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Čip"));
}

TEST_F(ModelTest, FollowsEditsMovesAndRepointing) {
    platform::Table cards(*db_, "main_card.db");
    platform::Table visits(*db_, "osetreni.db");
    platform::DataSource source("SoMainCard", &cards);
    platform::DataSetModel model(source);
    QSignalSpy moved(&model, &platform::DataSetModel::currentRowChanged);
    cards.Open();
    EXPECT_EQ(model.columnCount(), 58);
    cards.Next();
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_EQ(moved.last().at(0).toInt(), 1);
    cards.Edit();
    cards.FieldByName("Plemeno").SetAsString("Jezevčík");
    const int breed = cards.FieldByName("Plemeno").Index();
    EXPECT_EQ(model.data(model.index(1, breed)).toString(),
              QStringLiteral("Jezevčík"));  // the edited record
    cards.Cancel();
    EXPECT_EQ(model.data(model.index(1, breed)).toString(), QStringLiteral("Bígl"));
    cards.Append();
    cards.FieldByName("Jmeno_registr").SetAsString("Cézar");
    cards.Post();
    EXPECT_EQ(model.rowCount(), 3);
    visits.Open();
    source.SetDataSet(&visits);
    EXPECT_EQ(model.columnCount(), 9);
    EXPECT_EQ(model.rowCount(), 1);
    source.SetDataSet(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(ModelTest, DataSourceForgetsADestroyedDataSet) {
    platform::DataSource source("SoQPomknihy");
    platform::DataSetModel model(source);
    {
        platform::Query q(*db_);
        q.SetSQL({"select * from main_card"});
        q.Open();
        source.SetDataSet(&q);
        EXPECT_EQ(model.rowCount(), 2);
    }
    EXPECT_EQ(source.GetDataSet(), nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
}

TEST_F(ModelTest, QueryFieldSettingsSurviveReopening) {
    platform::Query q(*db_);
    q.FieldSetup("Jmeno_registr").displayLabel = QStringLiteral("Registrované jméno");
    q.SetSQL({"select * from main_card"});
    q.Open();
    q.FieldByName("Cip").SetDisplayFormat("0.0");
    q.SetSQL({"select Jmeno_registr, Cip from main_card"});
    q.Open();
    EXPECT_EQ(q.FieldByName("Jmeno_registr").DisplayLabel(), QStringLiteral("Registrované jméno"));
    ASSERT_TRUE(q.Locate("Jmeno_registr", "Brok"));
    EXPECT_EQ(q.FieldByName("Cip").DisplayText(), "7.0");
}

}  // namespace
