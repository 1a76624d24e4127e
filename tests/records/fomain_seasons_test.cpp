// The record sheet's ways to the seasons of the bitch shown and to the
// diary: "Hárání" above opens her seasons, below the entry of a new one; a
// dog is refused; a double click in the diary brings the animal's card.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>

#include "app/dmunit.h"
#include "app/fodiar.h"
#include "app/parametry.h"
#include "platform/store/field.h"
#include "records/date_edit_kopa.h"
#include "records/foharani.h"
#include "records/foharani_zapis.h"
#include "records/fomain.h"
#include "tests/support/seams.h"

namespace {

using testing_support::ScriptedMessages;
using testing_support::ScriptedModal;

class RecordSheetSeasons : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        saved_ = CurrentParametry();
        platform::Database::CreateSchema(Folder());
        {
            platform::Database db(Folder());
            platform::Table cards(db, QStringLiteral("main_card.db"));
            cards.Open();
            for (const auto& [name, sex] : {std::pair{"Asta", "Fena"}, std::pair{"Brok", "Pes"}}) {
                cards.Append();
                cards.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(name));
                cards.FieldByName("Pohlavi").SetAsString(QString::fromUtf8(sex));
                cards.Post();
            }
            platform::Table visits(db, QStringLiteral("osetreni.db"));
            visits.Open();
            visits.Append();
            visits.FieldByName("Jmeno_registr").SetAsString("Brok");
            visits.FieldByName("Datum_osetreni").SetAsString("1.12.2026");
            visits.FieldByName("Dalsi_navsteva").SetAsString("12.12.2026");
            visits.Post();
        }
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(Folder(), sheet_.get());
        sheet_->AttachDataModule(*dm_);
        sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
        dm_->TaMain_Card.First();
    }

    void TearDown() override {
        sheet_.reset();
        dm_.reset();
        CurrentParametry() = saved_;
    }

    QString Folder() const { return folder_.path() + "/"; }

    void Click(const char* name) {
        auto* button = sheet_->findChild<QToolButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
        QApplication::processEvents();
    }

    QString Shown() const { return dm_->TaMain_Card.FieldByName("Jmeno_registr").AsString(); }

    QTemporaryDir folder_;
    Parametry saved_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
    ScriptedMessages messages_;
    testing_support::FixedClock clock_{QDate(2026, 12, 9)};
};

TEST_F(RecordSheetSeasons, ButtonsOpenHerSeasonsAndTheEntryOfANewOne) {
    ASSERT_EQ(Shown(), "Asta");
    QStringList forms;
    ScriptedModal modal([&](QDialog& dialog) {
        forms << dialog.objectName();
        if (auto* seasons = qobject_cast<TFoHarani*>(&dialog)) {
            forms << seasons->findChild<QLabel*>("Jmeno_registr")->text();
        }
        if (auto* entry = qobject_cast<TFoHaraniZapis*>(&dialog)) {
            entry->EditDatum->setText("1.6.2026");
            entry->findChild<QPushButton*>("BtnZapis")->click();
            return entry->result();
        }
        return int(QDialog::Rejected);
    });
    Click("BtnEditHarani");
    EXPECT_EQ(forms, (QStringList{"FoHarani", "Asta"}));
    forms.clear();
    Click("BtnNewHarani");
    EXPECT_EQ(forms, (QStringList{"FoHaraniZapis", "FoHarani", "Asta"}));
    platform::Table seasons(dm_->Database1, QStringLiteral("harani.db"));
    seasons.Open();
    ASSERT_EQ(seasons.RecordCount(), 1);
    EXPECT_EQ(seasons.FieldByName("Jmeno_registr").AsString(), "Asta");
    EXPECT_EQ(messages_.Texts(), QStringList{"Příkaz byl vykonán "});
}

TEST_F(RecordSheetSeasons, ADogHasNoSeasons) {
    dm_->TaMain_Card.Locate("Jmeno_registr", QStringLiteral("Brok"));
    int shown = 0;
    ScriptedModal modal([&](QDialog&) { return ++shown, int(QDialog::Rejected); });
    Click("BtnNewHarani");
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(messages_.Texts(), QStringList{"Hárání lze zapsat jen u feny"});
}

TEST_F(RecordSheetSeasons, DoubleClickInTheDiaryBringsTheAnimalsCard) {
    ASSERT_EQ(Shown(), "Asta");
    int result = -1;
    ScriptedModal modal([&](QDialog& dialog) {
        auto& diary = dynamic_cast<TFoDiar&>(dialog);
        EXPECT_EQ(diary.GridDiar->item(0, 2)->text(), "Brok");
        emit diary.GridDiar->cellDoubleClicked(0, 2);
        result = diary.result();
        return result;
    });
    Click("BtnDiar");
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(Shown(), "Brok");
}

}  // namespace
