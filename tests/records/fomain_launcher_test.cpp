// The launcher opens the record sheet: "Evidence" in edit mode on the record
// page, "Tiskové výstupy" in browse mode on the print page, each showing
// modal; "Adresář" opens the address book. Leaving "Majitel" while editing
// moves on to the next tab.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "app/dmunit.h"
#include "app/fouvod.h"
#include "records/fomain.h"
#include "tests/support/seams.h"

namespace {

class LauncherAndSheet : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        {
            platform::Database db(folder_.path() + "/");
            platform::Table cards(db, QStringLiteral("main_card.db"));
            cards.Open();
            cards.Append();
            cards.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Aron z Dolin"));
            cards.Post();
        }
        launcher_ = std::make_unique<TFoUvod>(nullptr);
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(folder_.path() + "/", sheet_.get());
        sheet_->AttachDataModule(*dm_);
        launcher_->SetRecordSheet(sheet_.get());
        launcher_->SetDataModule(dm_.get());
    }

    void TearDown() override {
        launcher_.reset();
        sheet_.reset();
        dm_.reset();
    }

    void Press(const char* name) {
        auto* button = launcher_->findChild<QToolButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QTemporaryDir folder_;
    std::unique_ptr<TFoUvod> launcher_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
};

}  // namespace

TEST_F(LauncherAndSheet, EvidenceAndPrintsOpenTheSheetInTheirModes) {
    std::vector<std::tuple<QDialog*, bool, QString>> shown;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        auto* sheet = qobject_cast<TFoMain*>(&dialog);
        shown.emplace_back(&dialog, sheet != nullptr && sheet->IsEditMode(),
                           sheet != nullptr ? sheet->CurrentPageName() : QString());
        return int(QDialog::Rejected);
    });
    Press("BtnEvidence");
    Press("BtnTisk");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(std::get<0>(shown[0]), sheet_.get());
    EXPECT_TRUE(std::get<1>(shown[0]));
    EXPECT_EQ(std::get<2>(shown[0]), "Evidlist");
    EXPECT_EQ(std::get<0>(shown[1]), sheet_.get());
    EXPECT_FALSE(std::get<1>(shown[1]));
    EXPECT_EQ(std::get<2>(shown[1]), "TISKY");
    EXPECT_EQ(dm_->SoMainCard.GetDataSet(), &dm_->QSeznamy);
}

TEST_F(LauncherAndSheet, AddressBookOpensFromTheLauncher) {
    int shown = 0;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        ++shown;
        EXPECT_EQ(dialog.objectName(), "FoAdresar");
        return int(QDialog::Accepted);
    });
    testing_support::ScriptedMessages messages;
    Press("SpeedButton2");
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(dm_->TaAdresar.IsActive());
}

TEST_F(LauncherAndSheet, LeavingTheOwnerWhileEditingGoesOnToTheHeight) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    sheet_->show();
    QApplication::setActiveWindow(sheet_.get());
    auto* tabs = sheet_->findChild<QTabWidget*>("PageControl2");
    auto* owner = sheet_->findChild<QLineEdit*>("DBE_Majitel");
    auto* height = sheet_->findChild<QLineEdit*>("DBE_Vyska_kohout");
    ASSERT_NE(owner, nullptr);
    ASSERT_NE(height, nullptr);
    // Only browsing: leaving it moves nothing.
    owner->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(owner, Qt::Key_Tab);
    EXPECT_EQ(tabs->currentIndex(), 0);

    owner->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(owner, "Dvorak");
    ASSERT_EQ(dm_->TaMain_Card.State(), platform::DataSetState::Edit);
    QTest::keyClick(owner, Qt::Key_Tab);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(height->hasFocus());
    EXPECT_EQ(dm_->TaMain_Card.FieldByName("Majitel").AsString(), "Dvorak");
    dm_->TaMain_Card.Cancel();
    sheet_->hide();
}

TEST_F(LauncherAndSheet, TheSheetOpensTheBreedingStatistics) {
    QStringList shown;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        shown << dialog.objectName();
        return int(QDialog::Accepted);
    });
    auto* button = sheet_->findChild<QToolButton*>(QStringLiteral("BtnStatistika"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Statistika chovu");
    button->click();
    Press("BtnStatistika");
    EXPECT_EQ(shown, (QStringList{"FoStatistika", "FoStatistika"}));
}
