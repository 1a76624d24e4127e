// The litter edit form over the current dam's litters: what it shows, edits
// through the bound fields, the navigator, closing with an edit pending.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/dmunit.h"
#include "controls/db_grid.h"
#include "controls/db_navigator.h"
#include "controls/k_db_edit.h"
#include "platform/store/field.h"
#include "records/fovrhyedit.h"
#include "tests/support/seams.h"

namespace {

const QString kDam = QStringLiteral("Bára Šťastná");

// Types text character by character, also letters outside ASCII.
void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class LitterEdit : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
        AddLitter(kDam, QDate(2022, 4, 1), "Aron z Tří dubů", 3);
        AddLitter("Cilka", QDate(2022, 5, 1), "Cizí otec", 1);
        AddLitter(kDam, QDate(2024, 3, 12), "Bruno Černý", 5);
        // As the record sheet opens the form: the current dam, filter off and on.
        dm_->CurrentAnimal.SetJmenoRegistr(kDam);
        dm_->TaVrhy.SetFiltered(false);
        dm_->TaVrhy.SetFiltered(true);
        form_ = std::make_unique<TFoVrhyEdit>(*dm_);
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }

    void AddLitter(const QString& dam, const QDate& born, const QString& sire, int males) {
        dm_->TaVrhy.Append();
        dm_->TaVrhy.FieldByName("Jmeno_registr").SetAsString(dam);
        dm_->TaVrhy.FieldByName("Datum").SetAsDate(born);
        dm_->TaVrhy.FieldByName("Jmeno_reg_otec").SetAsString(sire);
        dm_->TaVrhy.FieldByName("Pocet_stenat_P").SetAsInteger(males);
        dm_->TaVrhy.FieldByName("JmenaStenat").SetAsString("Ája\r\nBob\r\n");
        dm_->TaVrhy.Post();
    }

    TKDBEditKopa* Edit(const char* name) { return form_->findChild<TKDBEditKopa*>(name); }
    TDBNavigatorKopa* Navigator() { return form_->findChild<TDBNavigatorKopa*>("DBNavigator1"); }

    // The litter of the dam on `born`, read from the file through a handle of its own.
    QString Stored(const QDate& born, const char* column) {
        platform::Table litters(dm_->Database1, "vrhy.db");
        litters.Open();
        if (!litters.Locate("Jmeno_registr;Datum", {kDam, born})) {
            return QStringLiteral("<none>");
        }
        return litters.FieldByName(column).AsString();
    }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoVrhyEdit> form_;
    testing_support::ScriptedMessages messages_;
};

TEST_F(LitterEdit, ShowsOnlyTheDamsLittersWithDateAndSireColumns) {
    EXPECT_EQ(form_->windowTitle(), "Vrhy - úpravy");
    auto* grid = form_->findChild<TDbGridKOPA*>("DBGrid1");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Datum vrhu");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "Otec");
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "Aron z Tří dubů");
    EXPECT_EQ(Edit("DBEditJmeno_registr")->text(), kDam);
    EXPECT_EQ(Edit("DBEditJmeno_reg_otec")->text(), "Aron z Tří dubů");
    EXPECT_EQ(form_->findChild<QPlainTextEdit*>("DBMemoJmenaStenat")->toPlainText(), "Ája\nBob\n");
    EXPECT_EQ(form_->findChild<QPushButton*>("BtnClose")->text(), "Zavřít");
}

TEST_F(LitterEdit, TheNavigatorHasNoInsertAndNoRefresh) {
    TDBNavigatorKopa* navigator = Navigator();
    ASSERT_NE(navigator, nullptr);
    EXPECT_FALSE(navigator->VisibleButtons() & NavButton(nbInsert));
    EXPECT_FALSE(navigator->VisibleButtons() & NavButton(nbRefresh));
    const QStringList captions{"První", "Vzad",  "Vpřed", "Konec",
                               "Smaž",  "Oprav", "Ulož",  "Storno"};
    const TNavigateBtn shown[] = {nbFirst,  nbPrior, nbNext, nbLast,
                                  nbDelete, nbEdit,  nbPost, nbCancel};
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(navigator->VisibleButtons() & NavButton(shown[i]));
        EXPECT_EQ(navigator->Button(shown[i])->text(), captions[i]);
    }
    navigator->BtnClick(nbNext);
    EXPECT_EQ(Edit("DBEditJmeno_reg_otec")->text(), "Bruno Černý");
}

TEST_F(LitterEdit, TypedEditsGoToTheTableWithCommasAsPeriods) {
    TKDBEditKopa* birth = Edit("DBEditDatum");
    birth->setFocus(Qt::TabFocusReason);
    birth->selectAll();
    QTest::keyClicks(birth, "2,4,2022");
    EXPECT_EQ(birth->text(), "2.4.2022");
    TKDBEditKopa* males = Edit("DBEditPocet_stenat_P");
    males->setFocus(Qt::TabFocusReason);
    males->selectAll();
    QTest::keyClicks(males, "4");
    Navigator()->BtnClick(nbPost);
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join("|").toStdString();
    EXPECT_EQ(Stored(QDate(2022, 4, 2), "Pocet_stenat_P"), "4");
    EXPECT_EQ(Stored(QDate(2022, 4, 1), "Pocet_stenat_P"), "<none>");
}

TEST_F(LitterEdit, ClosingWritesAnEditStillPending) {
    TKDBEditKopa* sire = Edit("DBEditJmeno_reg_otec");
    sire->setFocus(Qt::TabFocusReason);
    sire->selectAll();
    Type(sire, "Ořech");
    QTest::mouseClick(form_->findChild<QPushButton*>("BtnClose"), Qt::LeftButton);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(Stored(QDate(2022, 4, 1), "Jmeno_reg_otec"), "Ořech");
    EXPECT_EQ(dm_->TaVrhy.State(), platform::DataSetState::Browse);
}

TEST_F(LitterEdit, AnEditTheStoreRefusesKeepsTheFormOpen) {
    TKDBEditKopa* males = Edit("DBEditPocet_stenat_P");
    dm_->TaVrhy.Edit();
    males->setFocus(Qt::TabFocusReason);
    males->selectAll();
    QTest::keyClicks(males, "99999");
    QTest::mouseClick(form_->findChild<QPushButton*>("BtnClose"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(messages_.Texts().isEmpty());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Stored(QDate(2022, 4, 1), "Pocet_stenat_P"), "3");
}

}  // namespace
