// The code lists opened from the launcher: the breed grid with its titles
// and "Ano"/"Ne", the typed ANO/NE rule, a breed without a name refused and
// kept in editing, and a breed kept out of the record sheet's choice from
// the next start on.
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "app/code_lists_opener.h"
#include "app/fouvod.h"
#include "controls/db_grid.h"
#include "controls/db_navigator.h"
#include "records/fociselniky.h"
#include "tests/records/event_book_fixture.h"

namespace {

using namespace event_book_testing;

const QString kNoName = QStringLiteral("Položka názvu plemena musí být vyplněna");

class CodeLists : public BookFormTest {
  protected:
    void SetUp() override {
        BookFormTest::SetUp();
        AddBreed(QStringLiteral("Bígl"), true);
        AddBreed(QStringLiteral("Baset"), true);
        // A fresh start, so the breed choice holds both.
        dm_.reset();
        dm_ = std::make_unique<TDM1>(Folder());
        form_ = std::make_unique<TFociselniky>(*dm_);
        Show(*form_);
    }

    void AddBreed(const QString& name, bool shown) {
        platform::Table& breeds = dm_->TaPlemeno;
        breeds.Open();
        breeds.Append();
        breeds.FieldByName("Plemeno").SetAsString(name);
        breeds.FieldByName("Ukazat").SetAsBoolean(shown);
        breeds.Post();
    }

    TDbGridKOPA* Grid() const { return form_->findChild<TDbGridKOPA*>("DBGridPlemena"); }
    TDBNavigatorKopa* Navigator() const {
        return form_->findChild<TDBNavigatorKopa*>("DBNavigator1");
    }
    QString Cell(int row, int column) const {
        return Grid()->model()->index(row, column).data().toString();
    }
    void Edit(int row, int column, const QString& text) {
        Grid()->model()->setData(Grid()->model()->index(row, column), text, Qt::EditRole);
    }
    void Close() {
        QTest::mouseClick(form_->findChild<QPushButton*>("BtnZavrit"), Qt::LeftButton);
        QApplication::processEvents();
    }

    std::unique_ptr<TFociselniky> form_;
};

TEST_F(CodeLists, TheBreedTabListsTheBreedsWithTheirTitles) {
    EXPECT_EQ(form_->windowTitle(), "Číselníky");
    auto* tabs = form_->findChild<QTabWidget*>("PageControl1");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "Plemena");
    QAbstractItemModel* model = Grid()->model();
    ASSERT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Do výběru");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Plemeno");
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "Poznámka");
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(Cell(0, 0), "Ano");
    EXPECT_EQ(Cell(1, 1), "Baset");
    EXPECT_EQ(form_->findChild<QPushButton*>("BtnZavrit")->text(), "Zavřít");
    EXPECT_FALSE(form_->findChild<QToolButton*>("BitBtnHelp")->text().isEmpty());
    TDBNavigatorKopa* navigator = Navigator();
    EXPECT_TRUE(navigator->VisibleButtons() & NavButton(nbInsert));
    EXPECT_TRUE(navigator->VisibleButtons() & NavButton(nbDelete));
    EXPECT_FALSE(navigator->VisibleButtons() & NavButton(nbRefresh));
}

TEST_F(CodeLists, TypedTextWithNeOrAnoSetsTheChoiceAndOtherTextLeavesIt) {
    Edit(1, 0, QStringLiteral("ne"));
    dm_->TaPlemeno.Post();
    EXPECT_EQ(Cell(1, 0), "Ne");
    Edit(1, 0, QStringLiteral("nevím"));  // holds NE
    dm_->TaPlemeno.Post();
    EXPECT_EQ(Cell(1, 0), "Ne");
    Edit(1, 0, QStringLiteral("Ano, prosím"));
    dm_->TaPlemeno.Post();
    EXPECT_EQ(Cell(1, 0), "Ano");
    Edit(1, 0, QStringLiteral("snad"));
    dm_->TaPlemeno.Post();
    EXPECT_EQ(Cell(1, 0), "Ano");
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CodeLists, ABreedMarkedNeStaysOutOfTheChoiceAfterTheNextStart) {
    Edit(1, 0, QStringLiteral("ne"));
    Close();
    EXPECT_FALSE(form_->isVisible());
    // The running program keeps the list it was started with.
    EXPECT_EQ(dm_->BreedList(), (QStringList{"Bígl", "Baset"}));
    form_.reset();
    dm_.reset();
    dm_ = std::make_unique<TDM1>(Folder());
    EXPECT_EQ(dm_->BreedList(), QStringList{"Bígl"});
}

TEST_F(CodeLists, ANewBreedWithoutANameIsRefusedAndStaysInEditing) {
    Navigator()->BtnClick(nbInsert);
    ASSERT_EQ(dm_->TaPlemeno.State(), platform::DataSetState::Insert);
    dm_->TaPlemeno.FieldByName("Poznamka").SetAsString("bez názvu");
    Navigator()->BtnClick(nbPost);
    EXPECT_EQ(Messages(), QStringList{kNoName});
    EXPECT_EQ(dm_->TaPlemeno.State(), platform::DataSetState::Insert);
    // Closing tries the post again and stays open.
    messages_.Clear();
    Close();
    EXPECT_EQ(Messages(), QStringList{kNoName});
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Rows("plemeno.db"), 2);
    // With a name it goes in.
    dm_->TaPlemeno.FieldByName("Plemeno").SetAsString("Jezevčík");
    messages_.Clear();
    Close();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(Rows("plemeno.db"), 3);
}

TEST_F(CodeLists, ANewBreedStartsOfferedAndASecondBreedOfTheSameNameIsRefused) {
    Navigator()->BtnClick(nbInsert);
    EXPECT_EQ(dm_->TaPlemeno.FieldByName("Ukazat").AsBoolean(), true);
    dm_->TaPlemeno.FieldByName("Plemeno").SetAsString(QStringLiteral(" bí gl "));
    Navigator()->BtnClick(nbPost);
    EXPECT_EQ(Messages(), QStringList{"Plemeno „bí gl“ už v seznamu je (jako „Bígl“)."});
    EXPECT_EQ(dm_->TaPlemeno.State(), platform::DataSetState::Insert);
    EXPECT_EQ(Rows("plemeno.db"), 2);
    messages_.Clear();
    dm_->TaPlemeno.FieldByName("Plemeno").SetAsString(QStringLiteral("Jezevčík"));
    Navigator()->BtnClick(nbPost);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Rows("plemeno.db"), 3);
    // A breed edited under its own name is no second one of itself.
    Edit(0, 2, QStringLiteral("poznámka"));
    dm_->TaPlemeno.Post();
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CodeLists, EmptyingTheNameOfABreedIsRefusedAndTheNameKept) {
    Edit(0, 1, QString());
    EXPECT_EQ(Messages(), QStringList{kNoName});
    EXPECT_EQ(Cell(0, 1), "Bígl");
}

TEST_F(CodeLists, TheLaunchersButtonOpensTheCodeLists) {
    TFoUvod launcher(nullptr);
    launcher.SetDataModule(dm_.get());
    InstallCodeLists();
    QStringList shown;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        shown << dialog.objectName() + ":" + dialog.windowTitle();
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(launcher.findChild<QToolButton*>("SpeedButton7"), Qt::LeftButton);
    SetCodeListsOpener({});
    EXPECT_EQ(shown, QStringList{"Fociselniky:Číselníky"});
    EXPECT_TRUE(Messages().isEmpty());
}

}  // namespace
