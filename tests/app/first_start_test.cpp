// The first-start offer, driven through the modal seam by the buttons'
// object names: the demo kennel loaded through the store, the empty start,
// the import, the offer made only once and only for a kennel without animals.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/first_start.h"
#include "platform/ini_file.h"
#include "platform/store/csv_load.h"
#include "platform/store/store.h"
#include "tests/support/seams.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::ScriptedModal;

qint64 Count(const QString& folder, const QString& table) {
    platform::Database database(folder, platform::OpenMode::ReadOnly);
    platform::Query query(database);
    query.SetSQL({"Select COUNT(*) from " + table});
    query.Open();
    return query.Fields(0).AsString().toLongLong();
}

class FirstStart : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        places_ = {temp_.filePath("DATA/"), QStringLiteral(HARVEL_SOURCE_DIR "/demo/"),
                   temp_.filePath("Harvel.INI")};
        platform::Database::CreateSchema(places_.dataFolder);
    }

    // Shows the offer and presses the button named `button`; answers how
    // many times the offer came up and what it showed.
    int Offer(const char* button) {
        int shown = 0;
        ScriptedModal modal([&](QDialog& dialog) {
            ++shown;
            EXPECT_EQ(dialog.objectName(), "FoPrvniSpusteni");
            captions_.clear();
            for (auto* b : dialog.findChildren<QPushButton*>()) {
                captions_ << b->text();
            }
            auto* pressed = dialog.findChild<QPushButton*>(button);
            EXPECT_NE(pressed, nullptr) << button;
            if (pressed != nullptr) {
                QTest::mouseClick(pressed, Qt::LeftButton);
            }
            return dialog.result();
        });
        OfferFirstStart(nullptr, places_);
        return shown;
    }

    QTemporaryDir temp_;
    FirstStartPlaces places_;
    QStringList captions_;
    testing_support::ScriptedMessages messages_;
};

TEST_F(FirstStart, TheDemoKennelIsLoadedThroughTheStore) {
    ASSERT_EQ(Offer("BtnUkazka"), 1);
    EXPECT_EQ(captions_,
              QStringList({"Začít s prázdnou evidencí", "Nahrát ukázkovou chovnou stanici",
                           "Převzít data z dřívější instalace..."}));
    EXPECT_GE(Count(places_.dataFolder, "Main_card"), 13);
    EXPECT_GT(Count(places_.dataFolder, "vrhy"), 0);
    EXPECT_GT(Count(places_.dataFolder, "foto_album"), 0);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_TRUE(messages_.Shown()[0].text.contains("z Lipové aleje"));
}

TEST_F(FirstStart, TheOfferComesOnceWhateverWasChosen) {
    ASSERT_EQ(Offer("BtnPrazdna"), 1);
    EXPECT_EQ(Count(places_.dataFolder, "Main_card"), 0);
    EXPECT_TRUE(messages_.Shown().empty());
    platform::IniFile ini(places_.settingsFile);
    ASSERT_TRUE(ini.Load());
    EXPECT_TRUE(ini.ReadBool("EvidList", "NabidkaPrvnihoSpusteni", false));

    EXPECT_EQ(Offer("BtnUkazka"), 0) << "the kennel is still empty, but it was offered";
}

TEST_F(FirstStart, AKennelWithAnimalsGetsNoOffer) {
    testing_support::WriteFile(temp_.filePath("cards.csv"),
                               "Jmeno_registr,Pohlavi\nBrok od Vltavy,pes\n");
    {
        platform::Database database(places_.dataFolder);
        platform::LoadCsv(database, "main_card.db",
                          testing_support::ReadFile(temp_.filePath("cards.csv")), "cards.csv",
                          false);
    }
    EXPECT_EQ(Offer("BtnUkazka"), 0);
    EXPECT_EQ(Count(places_.dataFolder, "Main_card"), 1);
}

TEST_F(FirstStart, TheImportAsksForTheOldFolder) {
    int asked = 0;
    testing_support::ScriptedFileDialog folder([&](const platform::FileDialogRequest& request) {
        ++asked;
        EXPECT_EQ(request.kind, platform::FileDialogKind::Folder);
        return QString();  // the user cancels
    });
    ASSERT_EQ(Offer("BtnPrevzit"), 1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Count(places_.dataFolder, "Main_card"), 0);
}

TEST_F(FirstStart, ARefusedDemoRowLeavesTheKennelEmptyAndSaysSo) {
    // A demo folder whose pedigree (the last table loaded) holds a name too long
    // for its column.
    const QString demo = temp_.filePath("demo/");
    QDir().mkpath(demo);
    for (const char* name :
         {"main_card", "vrhy", "tituly", "osetreni", "vystavy", "kryti", "chovnost", "Zkousky",
          "foto_album", "plemeno", "adresar", "rodokmen"}) {
        QFile::copy(places_.demoFolder + name + ".csv", demo + name + ".csv");
    }
    testing_support::WriteFile(demo + "rodokmen.csv",
                               "Jmeno_registr\n" + QByteArray(50, 'X') + "\n");
    places_.demoFolder = demo;

    ASSERT_EQ(Offer("BtnUkazka"), 1);
    EXPECT_EQ(Count(places_.dataFolder, "Main_card"), 0) << "one transaction for all tables";
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(messages_.Shown()[0].text.contains("rodokmen.csv"))
        << messages_.Shown()[0].text.toStdString();
}

}  // namespace
