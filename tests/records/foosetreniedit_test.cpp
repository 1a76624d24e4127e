// The health-card edit form over the current animal's visits: the grid and
// its delete question, the bound fields, editing only after "Oprav", and
// closing with an edit pending.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
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
#include "records/foosetreniedit.h"
#include "tests/support/seams.h"

namespace {

const QString kDog = QStringLiteral("Aron z Tří dubů");

void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class VisitEdit : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
        AddVisit(kDog, QDate(2026, 1, 5), "Očkování", "MVDr. Černá");
        AddVisit("Cilka", QDate(2026, 2, 1), "Operace", "MVDr. Bílý");
        AddVisit(kDog, QDate(2026, 6, 10), "Prohlídka", "MVDr. Bílý");
        // As the record sheet opens the form: the current animal, filter on.
        dm_->CurrentAnimal.SetJmenoRegistr(kDog);
        dm_->TaOsetreni.SetFiltered(true);
        form_ = std::make_unique<TFoOsetreniEdit>(*dm_);
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }

    void AddVisit(const QString& animal, const QDate& day, const QString& reason,
                  const QString& doctor) {
        dm_->TaOsetreni.Append();
        dm_->TaOsetreni.FieldByName("Jmeno_registr").SetAsString(animal);
        dm_->TaOsetreni.FieldByName("Datum_osetreni").SetAsDate(day);
        dm_->TaOsetreni.FieldByName("Duvod_osetreni").SetAsString(reason);
        dm_->TaOsetreni.FieldByName("Lekar").SetAsString(doctor);
        dm_->TaOsetreni.FieldByName("Dalsi_navsteva").SetAsDate(day.addYears(1));
        dm_->TaOsetreni.Post();
    }

    TKDBEditKopa* Edit(const char* name) { return form_->findChild<TKDBEditKopa*>(name); }
    TDBNavigatorKopa* Navigator() { return form_->findChild<TDBNavigatorKopa*>("DBNavigator1"); }
    TDbGridKOPA* Grid() { return form_->findChild<TDbGridKOPA*>("DBGrid1"); }

    QString Stored(const QDate& day, const char* column) {
        platform::Table visits(dm_->Database1, "osetreni.db");
        visits.Open();
        if (!visits.Locate("Jmeno_registr;Datum_osetreni", {kDog, day})) {
            return QStringLiteral("<none>");
        }
        return visits.FieldByName(column).AsString();
    }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoOsetreniEdit> form_;
    testing_support::ScriptedMessages messages_;
};

TEST_F(VisitEdit, ShowsTheAnimalsVisitsWithDateAndReasonColumns) {
    EXPECT_EQ(form_->windowTitle(), "Návštěva lékaře - úpravy");
    ASSERT_NE(Grid(), nullptr);
    EXPECT_EQ(Grid()->model()->rowCount(), 2);
    EXPECT_EQ(Grid()->model()->headerData(0, Qt::Horizontal).toString(), "Datum ošetř.");
    EXPECT_EQ(Grid()->model()->headerData(1, Qt::Horizontal).toString(), "Důvod");
    EXPECT_EQ(Grid()->model()->index(1, 1).data().toString(), "Prohlídka");
    EXPECT_EQ(Edit("DBEditJmeno_registr")->text(), kDog);
    EXPECT_EQ(Edit("DBEditLekar")->text(), "MVDr. Černá");
    EXPECT_EQ(Edit("DBEditDalsi_navsteva")->text(), "5.1.2027");
    auto* reason = form_->findChild<QComboBox*>("DBComboDuvod_osetreni");
    ASSERT_NE(reason, nullptr);
    EXPECT_EQ(reason->count(), 0);  // free text only
    EXPECT_EQ(reason->currentText(), "Očkování");
    EXPECT_EQ(Edit("DBEditPreparaty")->toolTip(), "Jednotlivé preparáty oddělujte středníkem ;");
    EXPECT_EQ(form_->findChild<QPushButton*>("BtnLekar"), nullptr);
    EXPECT_FALSE(Navigator()->VisibleButtons() & NavButton(nbInsert));
    EXPECT_FALSE(Navigator()->VisibleButtons() & NavButton(nbRefresh));
}

TEST_F(VisitEdit, TypingStartsNoEditButOpravDoes) {
    TKDBEditKopa* doctor = Edit("DBEditLekar");
    doctor->setFocus(Qt::TabFocusReason);
    Type(doctor, "X");
    EXPECT_EQ(dm_->TaOsetreni.State(), platform::DataSetState::Browse);
    EXPECT_EQ(doctor->text(), "MVDr. Černá");
    Navigator()->BtnClick(nbEdit);
    doctor->setFocus(Qt::TabFocusReason);
    doctor->selectAll();
    Type(doctor, "MVDr. Šťastný");
    Navigator()->BtnClick(nbPost);
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join("|").toStdString();
    EXPECT_EQ(Stored(QDate(2026, 1, 5), "Lekar"), "MVDr. Šťastný");
}

TEST_F(VisitEdit, TheGridAsksBeforeDeletingAVisit) {
    Grid()->setFocus();
    messages_.Answer(platform::mbCancel);
    QTest::keyClick(Grid(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(messages_.Texts(), QStringList{"Smazat záznam?"});
    EXPECT_EQ(messages_.Shown()[0].buttons, platform::mbOK | platform::mbCancel);
    EXPECT_EQ(Stored(QDate(2026, 1, 5), "Duvod_osetreni"), "Očkování");
    messages_.Clear();
    messages_.Answer(platform::mbOK);
    QTest::keyClick(Grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(messages_.Texts(), QStringList{"Smazat záznam?"});
    EXPECT_EQ(Stored(QDate(2026, 1, 5), "Duvod_osetreni"), "<none>");
    EXPECT_EQ(Grid()->model()->rowCount(), 1);
}

TEST_F(VisitEdit, ClosingWritesAnEditStillPending) {
    Navigator()->BtnClick(nbEdit);
    TKDBEditKopa* result = Edit("DBEditVysled_osetreni");
    result->setFocus(Qt::TabFocusReason);
    Type(result, "bez nálezu; \"OK\"");
    QTest::mouseClick(form_->findChild<QPushButton*>("BtnClose"), Qt::LeftButton);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(Stored(QDate(2026, 1, 5), "Vysled_osetreni"), "bez nálezu; \"OK\"");
}

TEST_F(VisitEdit, AnImpossibleDateIsRefusedAndTheFormStaysOpen) {
    Navigator()->BtnClick(nbEdit);
    TKDBEditKopa* next = Edit("DBEditDalsi_navsteva");
    next->setFocus(Qt::TabFocusReason);
    next->selectAll();
    Type(next, "31.2.2027");
    QTest::mouseClick(form_->findChild<QPushButton*>("BtnClose"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(messages_.Texts().isEmpty());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Stored(QDate(2026, 1, 5), "Dalsi_navsteva"), "5.1.2027");
}

}  // namespace
