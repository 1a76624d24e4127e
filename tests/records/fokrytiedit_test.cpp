// The mating edit form over the current animal's matings: what it shows
// (the intention, the note and whether the mating took, each in a field of
// its own), edits through the bound fields, the navigator, the "C" buttons,
// closing with an edit pending.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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
#include "records/fokrytiedit.h"
#include "tests/support/seams.h"

namespace {

const QString kBitch = QStringLiteral("Bára Šťastná");

// Types text character by character, also letters outside ASCII.
void Type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class MatingEdit : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
        AddMating(kBitch, QDate(2025, 4, 1), "Aron z Tří dubů", "chceme barvu", "první");
        AddMating("Cilka", QDate(2025, 5, 1), "Cizí pes", "", "");
        AddMating(kBitch, QDate(2026, 3, 12), "Bruno Černý", "", "druhá poznámka");
        platform::Table addresses(dm_->Database1, "adresar.db");
        addresses.Open();
        addresses.Append();
        addresses.FieldByName("Nazev_Key").SetAsString("Dvořák Jan");
        addresses.Post();
        // As the record sheet opens the form: the current animal, filter off and on.
        dm_->CurrentAnimal.SetJmenoRegistr(kBitch);
        dm_->TaKryti.SetFiltered(false);
        dm_->TaKryti.SetFiltered(true);
        form_ = std::make_unique<TFoKrytiEditace>(*dm_);
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }

    void AddMating(const QString& animal, const QDate& first, const QString& partner,
                   const QString& intention, const QString& note) {
        dm_->TaKryti.Append();
        dm_->TaKryti.FieldByName("Jmeno_registr").SetAsString(animal);
        dm_->TaKryti.FieldByName("Datum_kryti_1").SetAsDate(first);
        dm_->TaKryti.FieldByName("Jmeno_partner").SetAsString(partner);
        dm_->TaKryti.FieldByName("Chovatel_zamer").SetAsString(intention);
        dm_->TaKryti.FieldByName("Poznamka").SetAsString(note);
        dm_->TaKryti.FieldByName("Zpusob_Kryti_1").SetAsString("inseminace");
        dm_->TaKryti.Post();
    }

    TKDBEditKopa* Edit(const char* name) { return form_->findChild<TKDBEditKopa*>(name); }
    QPlainTextEdit* Memo(const char* name) { return form_->findChild<QPlainTextEdit*>(name); }
    QCheckBox* Covered() { return form_->findChild<QCheckBox*>("DBCheckboxNakryta_Ano_Ne"); }
    TDBNavigatorKopa* Navigator() { return form_->findChild<TDBNavigatorKopa*>("DBNavigator1"); }

    // A column of the bitch's mating of `first`, read from the file.
    QString Stored(const QDate& first, const char* column) {
        platform::Table matings(dm_->Database1, "kryti.DB");
        matings.Open();
        if (!matings.Locate("Jmeno_registr;Datum_kryti_1", {kBitch, first})) {
            return QStringLiteral("<none>");
        }
        return matings.FieldByName(column).AsString();
    }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoKrytiEditace> form_;
    testing_support::ScriptedMessages messages_;
};

TEST_F(MatingEdit, ShowsTheAnimalsMatingsWithTheirIntentionNoteAndOutcome) {
    EXPECT_EQ(form_->windowTitle(), "Krytí - úpravy");
    auto* grid = form_->findChild<TDbGridKOPA*>("DBGrid1");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "Datum 1. krytí");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "Partner");
    EXPECT_EQ(Edit("DBEditJmeno_registr")->text(), kBitch);
    EXPECT_EQ(Edit("DBEditJmeno_partner")->text(), "Aron z Tří dubů");
    EXPECT_EQ(Memo("DBMemoChovatel_zamer")->toPlainText(), "chceme barvu");
    EXPECT_EQ(Memo("DBMemoPoznamka")->toPlainText(), "první");
    ASSERT_NE(Covered(), nullptr);
    EXPECT_TRUE(Covered()->isVisible());
    EXPECT_EQ(Covered()->text(), "Nakryta");
    EXPECT_EQ(form_->findChild<QComboBox*>("DBComboZpusob_Kryti_1")->currentText(), "inseminace");
    EXPECT_EQ(form_->findChild<QComboBox*>("DBComboZpusob_Kryti_2")->count(), 2);
    EXPECT_EQ(form_->findChild<QPushButton*>("BtnClose")->text(), "Zavřít");
    QStringList captions;
    for (QLabel* label : form_->findChildren<QLabel*>()) {
        captions << label->text();
        if (label->buddy() == Memo("DBMemoChovatel_zamer")) {
            EXPECT_EQ(label->text(), "Chovatelský záměr");
        }
        if (label->buddy() == Memo("DBMemoPoznamka")) {
            EXPECT_EQ(label->text(), "Poznámka");
        }
    }
    EXPECT_EQ(captions.count("Chovatelský záměr"), 1);
    EXPECT_EQ(captions.count("Poznámka"), 1);
}

// A partner's registered name of 25 letters is read whole in the grid, at
// the smallest size the form allows.
TEST_F(MatingEdit, TheGridShowsAPartnersNameWhole) {
    form_->resize(form_->minimumSizeHint());
    QApplication::processEvents();
    auto* grid = form_->findChild<TDbGridKOPA*>("DBGrid1");
    const QString name = QStringLiteral("Oskar ze Slunečné stráně");
    EXPECT_GE(grid->columnWidth(1), grid->fontMetrics().horizontalAdvance(name) + 8);
}

TEST_F(MatingEdit, TheNavigatorHasNoInsertAndNoRefresh) {
    TDBNavigatorKopa* navigator = Navigator();
    ASSERT_NE(navigator, nullptr);
    EXPECT_FALSE(navigator->VisibleButtons() & NavButton(nbInsert));
    EXPECT_FALSE(navigator->VisibleButtons() & NavButton(nbRefresh));
    const QStringList captions{"První", "Vzad",  "Vpřed", "Konec",
                               "Smaž",  "Oprav", "Ulož",  "Storno"};
    const TNavigateBtn shown[] = {nbFirst,  nbPrior, nbNext, nbLast,
                                  nbDelete, nbEdit,  nbPost, nbCancel};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(navigator->Button(shown[i])->text(), captions[i]);
    }
    navigator->BtnClick(nbNext);
    EXPECT_EQ(Edit("DBEditJmeno_partner")->text(), "Bruno Černý");
    EXPECT_EQ(Memo("DBMemoChovatel_zamer")->toPlainText(), "");
    EXPECT_EQ(Memo("DBMemoPoznamka")->toPlainText(), "druhá poznámka");
}

TEST_F(MatingEdit, TheOutcomeIntentionAndNoteAreSetLaterEachInItsColumn) {
    QTest::mouseClick(Covered(), Qt::LeftButton);
    QPlainTextEdit* intention = Memo("DBMemoChovatel_zamer");
    intention->setFocus(Qt::TabFocusReason);
    intention->selectAll();
    Type(intention, "linie; \"A\"");
    QPlainTextEdit* note = Memo("DBMemoPoznamka");
    note->setFocus(Qt::TabFocusReason);
    note->moveCursor(QTextCursor::End);
    Type(note, " + štěňata");
    TKDBEditKopa* males = Edit("DBEditPocet_pes");
    males->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(males, "4");
    TKDBEditKopa* litter = Edit("DBEditDatum_vrhu");
    litter->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(litter, "2.6.2025");
    Navigator()->BtnClick(nbPost);
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join("|").toStdString();
    const QDate first(2025, 4, 1);
    EXPECT_EQ(Stored(first, "Nakryta_Ano_Ne"), "True");
    EXPECT_EQ(Stored(first, "Chovatel_zamer"), "linie; \"A\"");
    EXPECT_EQ(Stored(first, "Poznamka"), "první + štěňata");
    EXPECT_EQ(Stored(first, "Pocet_pes"), "4");
    EXPECT_EQ(Stored(first, "Datum_vrhu"), "2.6.2025");
}

TEST_F(MatingEdit, TheMatingDatesTakeACommaAsAPeriod) {
    TKDBEditKopa* second = Edit("DBEditDatum_kryti_2");
    second->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(second, "3,4,2025");
    EXPECT_EQ(second->text(), "3.4.2025");
    Navigator()->BtnClick(nbPost);
    EXPECT_EQ(Stored(QDate(2025, 4, 1), "Datum_kryti_2"), "3.4.2025");
}

TEST_F(MatingEdit, TheIntentionTakesNoMoreThanItsColumn) {
    QPlainTextEdit* intention = Memo("DBMemoChovatel_zamer");
    intention->setFocus(Qt::TabFocusReason);
    intention->moveCursor(QTextCursor::End);
    Type(intention, QString(120, QLatin1Char('x')));
    EXPECT_EQ(intention->toPlainText().size(), 100);
}

TEST_F(MatingEdit, TheOwnerButtonCopiesFromTheAddressBook) {
    testing_support::ScriptedModal modal([this](QDialog& dialog) {
        dm_->TaAdresar.Locate("Nazev_Key", QStringLiteral("Dvořák Jan"));
        QTest::mouseClick(dialog.findChild<QPushButton*>("BtnOK"), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(form_->findChild<QPushButton*>("BtnMajitel"), Qt::LeftButton);
    EXPECT_EQ(Edit("DBEditMajitel")->text(), "Dvořák Jan");
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join("|").toStdString();
    QTest::mouseClick(form_->findChild<QPushButton*>("BtnClose"), Qt::LeftButton);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(Stored(QDate(2025, 4, 1), "Majitel"), "Dvořák Jan");
    // The mating the user was on stays current.
    EXPECT_EQ(dm_->TaKryti.FieldByName("Jmeno_partner").AsString(), "Aron z Tří dubů");
}

TEST_F(MatingEdit, ClosingWritesAnEditStillPending) {
    TKDBEditKopa* partner = Edit("DBEditJmeno_partner");
    partner->setFocus(Qt::TabFocusReason);
    partner->selectAll();
    Type(partner, "Ořech");
    QTest::mouseClick(form_->findChild<QPushButton*>("BtnClose"), Qt::LeftButton);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(Stored(QDate(2025, 4, 1), "Jmeno_partner"), "Ořech");
}

TEST_F(MatingEdit, ACountTheStoreRefusesKeepsTheFormOpen) {
    TKDBEditKopa* females = Edit("DBEditPocet_fena");
    females->setFocus(Qt::TabFocusReason);
    Type(females, "pět");
    QTest::mouseClick(form_->findChild<QPushButton*>("BtnClose"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(messages_.Texts().isEmpty());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Stored(QDate(2025, 4, 1), "Pocet_fena"), "");
}

TEST_F(MatingEdit, DeletingAsksFirst) {
    messages_.Answer(platform::mbCancel);
    Navigator()->BtnClick(nbDelete);
    ASSERT_EQ(messages_.Texts(), QStringList{"Smazat záznam?"});
    EXPECT_EQ(dm_->TaKryti.RecordCount(), 2);
    messages_.Clear();
    messages_.Answer(platform::mbOK);
    Navigator()->BtnClick(nbDelete);
    EXPECT_EQ(messages_.Texts(), QStringList{"Smazat záznam?"});
    EXPECT_EQ(dm_->TaKryti.RecordCount(), 1);
    EXPECT_EQ(Stored(QDate(2025, 4, 1), "Jmeno_partner"), "<none>");
}

}  // namespace
