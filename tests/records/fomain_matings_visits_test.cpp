// The record sheet's road to the mating and health-card forms: the entry
// forms get the animal shown, the edit forms open only for an animal with
// rows and show only its rows, and the treatment table is closed again
// after the health-card entry, whether or not a visit was written.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/dmunit.h"
#include "controls/K_Edit.h"
#include "controls/db_grid.h"
#include "platform/store/field.h"
#include "records/fokrytiedit.h"
#include "records/fokrytizapis.h"
#include "records/fomain.h"
#include "records/foosetreniedit.h"
#include "records/foosetreninew.h"
#include "tests/support/seams.h"

namespace {

using testing_support::ScriptedMessages;
using testing_support::ScriptedModal;

const QString kBitch = QStringLiteral("Bára z Dolin");
const QString kDog = QStringLiteral("Aron z Dolin");

class SheetToMatingsAndVisits : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(Folder());
        {
            platform::Database db(Folder());
            platform::Table cards(db, QStringLiteral("main_card.db"));
            cards.Open();
            for (const QString& name : {kDog, kBitch}) {
                cards.Append();
                cards.FieldByName("Jmeno_registr").SetAsString(name);
                cards.Post();
            }
            platform::Table matings(db, QStringLiteral("kryti.DB"));
            matings.Open();
            for (const QString& partner : {QStringLiteral("Cizí pes"), QStringLiteral("Jiný")}) {
                matings.Append();
                matings.FieldByName("Jmeno_registr").SetAsString(kBitch);
                matings.FieldByName("Jmeno_partner").SetAsString(partner);
                matings.FieldByName("Datum_kryti_1").SetAsDate(QDate(2026, 3, 1));
                matings.Post();
            }
            platform::Table visits(db, QStringLiteral("osetreni.db"));
            visits.Open();
            visits.Append();
            visits.FieldByName("Jmeno_registr").SetAsString(kDog);
            visits.FieldByName("Lekar").SetAsString(QStringLiteral("MVDr. Černá"));
            visits.Post();
        }
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(Folder(), sheet_.get());
        sheet_->AttachDataModule(*dm_);
        sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    }

    void TearDown() override {
        sheet_.reset();
        dm_.reset();
    }

    QString Folder() const { return folder_.path() + "/"; }

    void ShowAnimal(const QString& name) { dm_->TaMain_Card.Locate("Jmeno_registr", name); }

    void Click(const char* name) {
        auto* button = sheet_->findChild<QToolButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QTemporaryDir folder_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
};

TEST_F(SheetToMatingsAndVisits, TheMatingEntryGetsTheAnimalShownAndWrites) {
    ShowAnimal(kBitch);
    ScriptedMessages messages;
    QString label;
    ScriptedModal modal([&](QDialog& dialog) {
        auto* form = qobject_cast<TFoKrytiZapis*>(&dialog);
        EXPECT_NE(form, nullptr);
        if (form == nullptr) {
            return int(QDialog::Rejected);
        }
        label = form->Jmeno_registr->text();
        form->findChild<TKEdit*>("EditPartner")->setText(kDog);
        form->findChild<TKEdit*>("Edit_datum_kryti_1")->setText("4.4.2026");
        QTest::mouseClick(form->findChild<QPushButton*>("Button2"), Qt::LeftButton);
        return form->result();
    });
    Click("BtnNewKryti");
    EXPECT_EQ(label, kBitch);
    EXPECT_EQ(messages.Texts(), QStringList{"Příkaz byl vykonán "});
    platform::Table matings(dm_->Database1, "kryti.DB");
    matings.Open();
    EXPECT_EQ(matings.RecordCount(), 3);
    EXPECT_TRUE(matings.Locate("Jmeno_partner", kDog));
    EXPECT_EQ(matings.FieldByName("Jmeno_registr").AsString(), kBitch);
}

TEST_F(SheetToMatingsAndVisits, TheMatingEditOpensOnlyForAnAnimalWithMatings) {
    ShowAnimal(kDog);
    ScriptedMessages messages;
    int shown = 0;
    int rows = -1;
    ScriptedModal modal([&](QDialog& dialog) {
        ++shown;
        EXPECT_NE(qobject_cast<TFoKrytiEditace*>(&dialog), nullptr);
        rows = dialog.findChild<TDbGridKOPA*>("DBGrid1")->model()->rowCount();
        return int(QDialog::Accepted);
    });
    Click("BtnEditKryti");
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(messages.Texts(), QStringList{"Nebyl nalezen žádný záznam "});
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    messages.Clear();
    ShowAnimal(kBitch);
    Click("BtnEditKryti");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(rows, 2);
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(SheetToMatingsAndVisits, TheVisitEntryClosesTheTreatmentTableAfterwards) {
    ShowAnimal(kDog);
    ScriptedMessages messages;
    QString label;
    {
        ScriptedModal modal([&](QDialog& dialog) {
            auto* form = qobject_cast<TFoOsetreniNew*>(&dialog);
            EXPECT_NE(form, nullptr);
            label = form != nullptr ? form->Jmeno_registr->text() : QString();
            return int(QDialog::Rejected);
        });
        Click("BtnNewOsetreni");
    }
    EXPECT_EQ(label, kDog);
    EXPECT_FALSE(dm_->TaOsetreni.IsActive());
    {
        ScriptedModal modal([&](QDialog& dialog) {
            dialog.findChild<TKEdit*>("Edit_lekar")->setText("MVDr. Bílý");
            dialog.findChild<TKEdit*>("EditDatum_Ted")->setText("1.12.2026");
            dialog.findChild<QComboBox*>("Combo_Duvod")->setEditText("Prevence");
            QTest::mouseClick(dialog.findChild<QPushButton*>("BtnZapis"), Qt::LeftButton);
            return dialog.result();
        });
        Click("BtnNewOsetreni");
    }
    EXPECT_EQ(messages.Texts(), QStringList{"Příkaz byl vykonán "});
    EXPECT_FALSE(dm_->TaOsetreni.IsActive());
    platform::Table visits(dm_->Database1, "osetreni.db");
    visits.Open();
    EXPECT_EQ(visits.RecordCount(), 2);
}

TEST_F(SheetToMatingsAndVisits, TheVisitEditShowsOnlyTheAnimalsVisits) {
    ShowAnimal(kBitch);
    ScriptedMessages messages;
    int rows = -1;
    ScriptedModal modal([&](QDialog& dialog) {
        EXPECT_NE(qobject_cast<TFoOsetreniEdit*>(&dialog), nullptr);
        rows = dialog.findChild<TDbGridKOPA*>("DBGrid1")->model()->rowCount();
        return int(QDialog::Accepted);
    });
    Click("BtnEditOsetreni");
    EXPECT_EQ(rows, -1);
    EXPECT_EQ(messages.Texts(), QStringList{"Nebyl nalezen žádný záznam "});
    ShowAnimal(kDog);
    Click("BtnEditOsetreni");
    EXPECT_EQ(rows, 1);
}

}  // namespace
