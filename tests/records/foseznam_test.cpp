// The animal pick-list: the grid and its columns, picking with OK, Storno,
// an empty list, and the query closed whatever happens.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "controls/db_grid.h"
#include "platform/store/field.h"
#include "records/foseznam.h"
#include "tests/support/seams.h"

namespace {

class PickList : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
        for (const char* name : {"Cyril z Pasek", "Čert od Jizery", "Bára Šťastná"}) {
            dm_->TaMain_Card.Append();
            dm_->TaMain_Card.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(name));
            dm_->TaMain_Card.FieldByName("Pohlavi").SetAsString("Pes");
            dm_->TaMain_Card.Post();
        }
    }

    // Clicks the grid row showing `name` and then the button `button`.
    static int ChooseAndPress(QDialog& dialog, const QString& name, const char* button) {
        auto* grid = dialog.findChild<TDbGridKOPA*>("DBGrid1");
        EXPECT_NE(grid, nullptr);
        for (int row = 0; grid != nullptr && row < grid->model()->rowCount(); ++row) {
            const QModelIndex cell = grid->model()->index(row, 0);
            if (cell.data().toString() == name) {
                grid->setCurrentIndex(cell);
            }
        }
        auto* press = dialog.findChild<QPushButton*>(button);
        EXPECT_NE(press, nullptr);
        if (press != nullptr) {
            QTest::mouseClick(press, Qt::LeftButton);
        }
        return dialog.result();
    }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
    testing_support::ScriptedMessages messages_;
};

TEST_F(PickList, ShowsEveryRecordSheetWithItsFourColumns) {
    QStringList titles;
    int rows = -1;
    bool wasOpen = false;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Seznam");
        auto* grid = dialog.findChild<TDbGridKOPA*>("DBGrid1");
        rows = grid->model()->rowCount();
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            titles << grid->model()->headerData(c, Qt::Horizontal).toString();
        }
        wasOpen = dm_->Query_MainCard.IsActive();
        return int(QDialog::Rejected);
    });
    PickAnimal(*dm_);
    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(titles, QStringList({"Jméno registrované", "Jméno volací", "Pohlaví", "Plemeno"}));
}

TEST_F(PickList, OkAnswersTheChosenRowAndClosesTheQuery) {
    testing_support::ScriptedModal modal(
        [](QDialog& dialog) { return ChooseAndPress(dialog, "Čert od Jizery", "BitBtnOK"); });
    const std::optional<QString> picked = PickAnimal(*dm_);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(*picked, "Čert od Jizery");
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(PickList, StornoAnswersNothingAndClosesTheQuery) {
    testing_support::ScriptedModal modal(
        [](QDialog& dialog) { return ChooseAndPress(dialog, "Cyril z Pasek", "BitBtnStorno"); });
    EXPECT_FALSE(PickAnimal(*dm_).has_value());
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
}

TEST_F(PickList, OkOnAnEmptyListAnswersNothing) {
    dm_->TaMain_Card.First();
    while (!dm_->TaMain_Card.IsEmpty()) {
        dm_->TaMain_Card.Delete();
    }
    testing_support::ScriptedModal modal(
        [](QDialog& dialog) { return ChooseAndPress(dialog, "", "BitBtnOK"); });
    EXPECT_FALSE(PickAnimal(*dm_).has_value());
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
}

TEST_F(PickList, AFailingQueryIsReportedAndLeavesNothingOpen) {
    dm_->Query_MainCard.SetSQL({"Select * from Neni_takova_tabulka"});
    testing_support::ScriptedModal modal([](QDialog&) -> int {
        ADD_FAILURE() << "the list must not be shown when its query fails";
        return QDialog::Accepted;
    });
    EXPECT_FALSE(PickAnimal(*dm_).has_value());
    EXPECT_EQ(messages_.Shown().size(), 1u);
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
}

}  // namespace
