// The record sheet guards the breeder's data: the search field "Hledat:"
// finds an animal by a few letters of any of its names, chip or tattoo; a
// sire that is a female is asked about before the card is written; the sex
// written in another case shows in the closed list; and after an old
// installation is taken over in the same program run, the sheet works on
// the imported data at once.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/dmunit.h"
#include "app/fouvod.h"
#include "app/parametry.h"
#include "controls/db_image.h"
#include "controls/db_navigator.h"
#include "controls/search_field.h"
#include "controls/search_index.h"
#include "platform/folders.h"
#include "platform/store/field.h"
#include "records/fomain.h"
#include "tests/support/paradox_writer.h"
#include "tests/support/seams.h"

namespace {

void AddCard(platform::Database& db, const char* name, const char* call, qint64 chip,
             const char* tattoo, const char* sex) {
    platform::Table cards(db, QStringLiteral("main_card.db"));
    cards.Open();
    cards.Append();
    cards.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(name));
    cards.FieldByName("Jmeno_call").SetAsString(QString::fromUtf8(call));
    if (chip != 0) {
        cards.FieldByName("Cip").SetAsString(QString::number(chip));
    }
    cards.FieldByName("Tetovaci_cislo").SetAsString(QString::fromUtf8(tattoo));
    cards.FieldByName("Pohlavi").SetAsString(QString::fromUtf8(sex));
    cards.Post();
}

class RecordSheetGuards : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path());
        {
            platform::Database db(folder_.path());
            AddCard(db, "Aron z Dolin", "Ari", 203098100012345, "T-17", "Pes");
            AddCard(db, "Čert od Řeky", "Čertík", 0, "", "pes");
            AddCard(db, "Žofie z Dolin", "Žofka", 0, "099", "fena");
        }
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(folder_.path(), sheet_.get());
        sheet_->AttachDataModule(*dm_);
        sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
        sheet_->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        sheet_.reset();
        dm_.reset();
    }

    QString Shown() { return dm_->TaMain_Card.FieldByName("Jmeno_registr").AsString(); }
    void TypeInSearch(const QString& text) {
        auto* edit = sheet_->findChild<QLineEdit*>("EditHledat");
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    QTemporaryDir folder_;
    testing_support::ScriptedMessages messages_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
};

TEST_F(RecordSheetGuards, TheSearchFieldFindsByAnyNameChipOrTattooIgnoringCzechLettersAndCase) {
    bool captioned = false;
    for (QLabel* label : sheet_->findChildren<QLabel*>()) {
        captioned |= label->text() == "&Hledat:" &&
                     label->buddy() == sheet_->findChild<QLineEdit*>("EditHledat");
    }
    EXPECT_TRUE(captioned);
    TypeInSearch("cert");
    EXPECT_EQ(Shown(), "Čert od Řeky");
    TypeInSearch("ZOFKA");
    EXPECT_EQ(Shown(), "Žofie z Dolin");
    TypeInSearch("12345");
    EXPECT_EQ(Shown(), "Aron z Dolin");
    TypeInSearch("099");
    EXPECT_EQ(Shown(), "Žofie z Dolin");
    // Enter goes on to the next animal holding the text.
    TypeInSearch("z dolin");
    EXPECT_EQ(Shown(), "Aron z Dolin");
    QTest::keyClick(sheet_->findChild<QLineEdit*>("EditHledat"), Qt::Key_Return);
    EXPECT_EQ(Shown(), "Žofie z Dolin");
    TypeInSearch("qx");
    EXPECT_EQ(Shown(), "Žofie z Dolin");
    EXPECT_EQ(sheet_->findChild<QLabel*>("LabelHledani")->text(), "Nenalezeno: „qx“");
}

TEST(AnimalSearch, FoldingDropsCzechMarksAndCase) {
    EXPECT_EQ(SearchFold(QStringLiteral("Žofie ČERT Řeka ůŮ")), "zofie cert reka uu");
}

TEST_F(RecordSheetGuards, AFemaleSireIsAskedAboutAndNoKeepsTheCardUnwritten) {
    ASSERT_TRUE(dm_->TaMain_Card.Locate("Jmeno_registr", QStringLiteral("Aron z Dolin")));
    dm_->TaMain_Card.Edit();
    dm_->TaMain_Card.FieldByName("Otec").SetAsString(QStringLiteral("Žofie z Dolin"));
    dm_->TaMain_Card.FieldByName("Matka").SetAsString(QStringLiteral("Aron z Dolin"));
    auto* navigator = sheet_->findChild<TDBNavigatorKopa*>("DBNavigator1");
    ASSERT_NE(navigator, nullptr);
    messages_.Answer(platform::mbNo);
    navigator->BtnClick(nbPost);
    EXPECT_EQ(messages_.Texts(),
              QStringList{"Otec „Žofie z Dolin“ je podle evidenčního listu fena. Přesto uložit?"});
    EXPECT_EQ(dm_->TaMain_Card.State(), platform::DataSetState::Edit);

    messages_.Clear();
    messages_.Answer(platform::mbYes);
    messages_.Answer(platform::mbYes);
    navigator->BtnClick(nbPost);
    EXPECT_EQ(messages_.Texts(),
              QStringList({"Otec „Žofie z Dolin“ je podle evidenčního listu fena. Přesto uložit?",
                           "Matka „Aron z Dolin“ je tentýž jedinec, jehož záznam se ukládá. "
                           "Přesto uložit?"}));
    EXPECT_EQ(dm_->TaMain_Card.State(), platform::DataSetState::Browse);
    EXPECT_EQ(dm_->TaMain_Card.FieldByName("Otec").AsString(), "Žofie z Dolin");
}

TEST_F(RecordSheetGuards, SexWrittenInAnotherCaseShowsInTheList) {
    ASSERT_TRUE(dm_->TaMain_Card.Locate("Jmeno_registr", QStringLiteral("Žofie z Dolin")));
    auto* sex = sheet_->findChild<QComboBox*>("DBCb_Pohlavi");
    ASSERT_NE(sex, nullptr);
    EXPECT_EQ(sex->currentText(), "Fena");
    ASSERT_TRUE(dm_->TaMain_Card.Locate("Jmeno_registr", QStringLiteral("Čert od Řeky")));
    EXPECT_EQ(sex->currentText(), "Pes");
}

// Started without a data folder, then "Převzít data z dřívější instalace...":
// "Evidence" shows the imported animals at once, with no error box.
TEST(ImportThenRecordSheet, TheSheetWorksOnTheImportedDataInTheSameRun) {
    QTemporaryDir install;
    ASSERT_TRUE(install.isValid());
    platform::SetProgramFolderOverride(install.filePath("bin"));
    CurrentParametry().OnlineTituly = true;
    const QString old = install.filePath("stara/DATA");
    QDir().mkpath(old);
    paradox_writer::Table cards;
    cards.keyFields = 1;
    cards.fields = {{"Jmeno_registr", paradox_writer::kAlpha, 40}};
    cards.rows.push_back({QByteArray("Aron")});
    QFile db(old + "/main_card.db");
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.write(paradox_writer::Write(cards).db);
    db.close();

    testing_support::ScriptedMessages messages;
    auto sheet = std::make_unique<TFoMain>();
    auto dm = std::make_unique<TDM1>(QString(), sheet.get());
    ASSERT_FALSE(dm->Database1.IsOpen());
    sheet->AttachDataModule(*dm);
    TFoUvod launcher(nullptr);
    launcher.SetDataModule(dm.get());
    launcher.SetRecordSheet(sheet.get());
    messages.Clear();
    {
        testing_support::ScriptedFileDialog folder(
            [&](const platform::FileDialogRequest&) { return old; });
        launcher.findChild<QAction*>("MenuPrevzitData")->trigger();
    }
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_TRUE(messages.Texts()[0].startsWith("Data dřívější instalace byla převzata."));
    messages.Clear();
    QString shown;
    {
        testing_support::ScriptedModal modal([&](QDialog&) {
            shown = dm->TaMain_Card.FieldByName("Jmeno_registr").AsString();
            return int(QDialog::Rejected);
        });
        launcher.findChild<QAbstractButton*>("BtnEvidence")->click();
    }
    EXPECT_EQ(shown, "Aron");
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join("; ").toStdString();
    launcher.SetRecordSheet(nullptr);
    sheet.reset();
    dm.reset();
    platform::SetProgramFolderOverride(QString());
}

// Without a data folder, "Evidence" says once that the data are not open;
// the box never re-opens itself, however the sheet is shown and moved in.
TEST(RecordSheetWithoutData, SaysOnceThatTheDataAreNotOpenAndNeverLoops) {
    QTemporaryDir install;
    ASSERT_TRUE(install.isValid());
    platform::SetProgramFolderOverride(install.filePath("bin"));
    const Parametry saved = CurrentParametry();
    CurrentParametry().OnlineTituly = true;
    CurrentParametry().OnlineFoto = true;
    testing_support::ScriptedMessages messages;
    auto sheet = std::make_unique<TFoMain>();
    auto dm = std::make_unique<TDM1>(QString(), sheet.get());
    sheet->AttachDataModule(*dm);
    messages.Clear();
    {
        testing_support::ScriptedModal modal([&](QDialog& dialog) {
            dialog.show();
            for (int i = 0; i < 20 && messages.Shown().size() < 50; ++i) {
                QApplication::processEvents();
                dialog.activateWindow();
                sheet->findChild<QLineEdit*>("EditHledat")->setFocus();
                QTest::keyClicks(sheet->findChild<QLineEdit*>("EditHledat"), "a");
            }
            dialog.hide();
            return int(QDialog::Rejected);
        });
        sheet->ShowEntry(TRecordSheetEntry::reEdit);
    }
    EXPECT_LE(messages.Shown().size(), 1u) << messages.Texts().join("; ").toStdString();
    // The release that closes a box standing over the photo is no click on
    // the photo: the box does not come back.
    sheet->show();
    QApplication::processEvents();
    TDBImageAspect* photo = sheet->findChildren<TDBImageAspect*>().value(0);
    ASSERT_NE(photo, nullptr);
    messages.Clear();
    QTest::mouseRelease(photo, Qt::LeftButton, {}, photo->rect().center());
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join("; ").toStdString();
    QTest::mouseClick(photo, Qt::LeftButton, {}, photo->rect().center());
    EXPECT_EQ(messages.Shown().size(), 1u);
    sheet->hide();
    sheet.reset();
    dm.reset();
    CurrentParametry() = saved;
    platform::SetProgramFolderOverride(QString());
}

}  // namespace
