// The data module's record-sheet duties: titles and photo following the
// animal shown (with the settings on and off, in edit and browse mode), the
// breed lists, the address lookup and the column rules of the card, the
// list and the breed list.
#include <gtest/gtest.h>

#include <QDate>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "app/foadresar.h"
#include "app/parametry.h"
#include "app/record_sheet_view.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "tests/support/seams.h"

namespace {

// Records what the data module tells the sheet.
class FakeSheet : public TRecordSheetView {
  public:
    bool IsEditMode() const override { return editMode; }
    void ShowPhoto(bool bound) override { photoCalls.push_back(bound); }
    void SetBreedLists(const QStringList& breeds) override { breedLists = breeds; }
    void AttachDataModule(TDM1&) override {}
    void ShowEntry(TRecordSheetEntry) override {}
    void ApplySettings(const Parametry&) override {}

    bool editMode = true;
    std::vector<bool> photoCalls;
    QStringList breedLists;
};

class SettingsScope {
  public:
    SettingsScope() : saved_(CurrentParametry()) {}
    ~SettingsScope() { CurrentParametry() = saved_; }

  private:
    Parametry saved_;
};

class RecordSheetDuties : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(Folder());
        platform::Database db(Folder());
        platform::Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        for (const char* name : {"Aron z Dolin", "Bára z Dolin", "Čert z Dolin"}) {
            cards.Append();
            cards.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(name));
            cards.Post();
        }
        platform::Table titles(db, QStringLiteral("tituly.db"));
        titles.Open();
        for (const auto& [name, title] :
             {std::pair{"Aron z Dolin", "CH CZ"}, std::pair{" Bára z Dolin ", "JCH CZ"},
              std::pair{"Bára z Dolin", "CH SK"}}) {
            titles.Append();
            titles.FieldByName("Jmeno_Registr").SetAsString(QString::fromUtf8(name));
            titles.FieldByName("Titul_Jmeno").SetAsString(QString::fromUtf8(title));
            titles.Post();
        }
        platform::Table photos(db, QStringLiteral("foto_album.db"));
        photos.Open();
        photos.Append();
        photos.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Bára z Dolin"));
        photos.Post();
        platform::Table breeds(db, QStringLiteral("plemeno.db"));
        breeds.Open();
        for (const auto& [breed, shown] :
             {std::pair{"Vipet", true}, std::pair{"Bígl", false}, std::pair{"Čivava", true}}) {
            breeds.Append();
            breeds.FieldByName("Plemeno").SetAsString(QString::fromUtf8(breed));
            breeds.FieldByName("Ukazat").SetAsBoolean(shown);
            breeds.Post();
        }
        platform::Table addresses(db, QStringLiteral("adresar.db"));
        addresses.Open();
        for (const char* key : {"Novák", "Dvořák", "Svoboda"}) {
            addresses.Append();
            addresses.FieldByName("Nazev_Key").SetAsString(QString::fromUtf8(key));
            addresses.Post();
        }
    }

    QString Folder() const { return folder_.path() + "/"; }

    static QStringList Titles(TDM1& dm) {
        QStringList result;
        for (dm.TaTituly.First(); !dm.TaTituly.Eof(); dm.TaTituly.Next()) {
            result << dm.TaTituly.FieldByName("Titul_Jmeno").AsString();
        }
        return result;
    }

    QTemporaryDir folder_;
    SettingsScope settings_;
};

}  // namespace

TEST_F(RecordSheetDuties, OpeningTheCardsSynchronisesTitlesAndPhotoOnce) {
    FakeSheet sheet;
    TDM1 dm(Folder(), &sheet);
    EXPECT_EQ(dm.CurrentAnimal.JmenoRegistr(), "Aron z Dolin");
    EXPECT_TRUE(dm.TaTituly.IsActive());
    EXPECT_TRUE(dm.TaTituly.Filtered());
    EXPECT_EQ(Titles(dm), QStringList{"CH CZ"});
    ASSERT_EQ(sheet.photoCalls.size(), 1u);
    EXPECT_FALSE(sheet.photoCalls[0]);
}

TEST_F(RecordSheetDuties, EveryMoveFollowsTitlesAndPhotoEvenWithBlanksAroundNames) {
    FakeSheet sheet;
    TDM1 dm(Folder(), &sheet);
    sheet.photoCalls.clear();
    dm.TaMain_Card.Next();
    EXPECT_EQ(dm.CurrentAnimal.JmenoRegistr(), "Bára z Dolin");
    EXPECT_EQ(Titles(dm), (QStringList{"JCH CZ", "CH SK"}));
    ASSERT_EQ(sheet.photoCalls.size(), 1u);
    EXPECT_TRUE(sheet.photoCalls[0]);
    EXPECT_EQ(dm.TaFoto_Album.FieldByName("Jmeno_registr").AsString(), "Bára z Dolin");
    dm.TaMain_Card.Next();
    EXPECT_TRUE(Titles(dm).isEmpty());
    EXPECT_FALSE(sheet.photoCalls.back());
}

TEST_F(RecordSheetDuties, SettingsOffCloseTheTitlesAndLeaveThePhotoAlone) {
    CurrentParametry().OnlineTituly = false;
    CurrentParametry().OnlineFoto = false;
    FakeSheet sheet;
    TDM1 dm(Folder(), &sheet);
    dm.TaTituly.Open();
    dm.TaMain_Card.Next();
    EXPECT_FALSE(dm.TaTituly.IsActive());
    EXPECT_TRUE(sheet.photoCalls.empty());
    EXPECT_TRUE(dm.CurrentAnimal.JmenoRegistr().isEmpty());
}

TEST_F(RecordSheetDuties, InBrowseModeTheListNamesTheAnimal) {
    FakeSheet sheet;
    TDM1 dm(Folder(), &sheet);
    sheet.editMode = false;
    dm.RunListQuery(QStringLiteral("Jmeno_registr DESC"), QString());
    ASSERT_TRUE(dm.QSeznamy.IsActive());
    EXPECT_EQ(dm.CurrentAnimal.JmenoRegistr(), "Čert z Dolin");
    dm.QSeznamy.Next();
    EXPECT_EQ(dm.CurrentAnimal.JmenoRegistr(), "Bára z Dolin");
    EXPECT_TRUE(sheet.photoCalls.back());
    // A move of the table while browsing still names the list's animal for
    // the titles, but looks the photo up under the table's own name.
    dm.TaMain_Card.First();
    EXPECT_EQ(dm.CurrentAnimal.JmenoRegistr(), "Bára z Dolin");
    EXPECT_FALSE(sheet.photoCalls.back());
}

TEST_F(RecordSheetDuties, BreedListsHoldTheShownBreedsInTableOrder) {
    FakeSheet sheet;
    TDM1 dm(Folder(), &sheet);
    EXPECT_EQ(sheet.breedLists, (QStringList{"Vipet", "Čivava"}));
    // Marking a breed shown later does not reach the lists until the next start.
    dm.TaPlemeno.Locate("Plemeno", QStringLiteral("Bígl"));
    dm.TaPlemeno.Edit();
    dm.TaPlemeno.FieldByName("Ukazat").SetAsBoolean(true);
    dm.TaPlemeno.Post();
    EXPECT_EQ(sheet.breedLists.size(), 2);
    FakeSheet later;
    dm.SetRecordSheet(&later);
    EXPECT_EQ(later.breedLists, (QStringList{"Vipet", "Čivava"}));
}

TEST_F(RecordSheetDuties, AddressLookupStartsOnTheNamedEntryAndAnswersThePick) {
    TDM1 dm(Folder());
    QString shownFirst;
    {
        testing_support::ScriptedModal modal([&](QDialog& dialog) {
            shownFirst = dm.TaAdresar.FieldByName("Nazev_Key").AsString();
            dm.TaAdresar.First();  // the user picks the first entry (Czech order)
            QTest::mouseClick(dialog.findChild<QPushButton*>("BtnOK"), Qt::LeftButton);
            return dialog.result();
        });
        EXPECT_EQ(dm.AddressLookup(QStringLiteral("Svoboda")), "Dvořák");
    }
    EXPECT_EQ(shownFirst, "Svoboda");
    {
        testing_support::ScriptedModal modal([&](QDialog& dialog) {
            QTest::mouseClick(dialog.findChild<QPushButton*>("BtnStorno"), Qt::LeftButton);
            return dialog.result();
        });
        EXPECT_EQ(dm.AddressLookup(QStringLiteral("Novák")), "");
    }
    {
        // An unknown name leaves the table where it was.
        testing_support::ScriptedModal modal([&](QDialog& dialog) {
            shownFirst = dm.TaAdresar.FieldByName("Nazev_Key").AsString();
            dialog.accept();
            return dialog.result();
        });
        EXPECT_EQ(dm.AddressLookup(QStringLiteral("novák")), "Novák");
        EXPECT_EQ(shownFirst, "Novák");
    }
}

TEST_F(RecordSheetDuties, CardDatesCompleteKeepOrEmpty) {
    testing_support::FixedClock clock(QDate(2026, 12, 9));
    testing_support::ScriptedMessages messages;
    TDM1 dm(Folder());
    dm.TaMain_Card.Edit();
    platform::Field& born = dm.TaMain_Card.FieldByName("Datum_nar");
    born.SetText(QStringLiteral("5.3"));
    EXPECT_EQ(born.AsDate(), QDate(2026, 3, 5));
    born.SetText(QStringLiteral("  "));
    EXPECT_EQ(born.AsDate(), QDate(2026, 3, 5));
    EXPECT_TRUE(messages.Shown().empty());
    born.SetText(QStringLiteral("31.2.2005"));
    EXPECT_TRUE(born.IsNull());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Chybné datum !");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    dm.TaMain_Card.Cancel();
}

TEST_F(RecordSheetDuties, NewCardStartsOwnedAndBredAndTheListSaysAnoNe) {
    TDM1 dm(Folder());
    dm.TaMain_Card.Append();
    EXPECT_TRUE(dm.TaMain_Card.FieldByName("Vlastnictvi").AsBoolean());
    EXPECT_TRUE(dm.TaMain_Card.FieldByName("Vlast_odchov").AsBoolean());
    dm.TaMain_Card.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Dora z Dolin"));
    dm.TaMain_Card.FieldByName("Vlast_odchov").SetAsBoolean(false);
    dm.TaMain_Card.Post();
    dm.RunListQuery(QStringLiteral("Jmeno_registr"), QString());
    ASSERT_TRUE(dm.QSeznamy.Locate("Jmeno_registr", QStringLiteral("Dora z Dolin")));
    EXPECT_EQ(dm.QSeznamy.FieldByName("Vlastnictvi").DisplayText(), "Ano");
    EXPECT_EQ(dm.QSeznamy.FieldByName("Vlast_odchov").DisplayText(), "Ne");
    ASSERT_TRUE(dm.QSeznamy.Locate("Jmeno_registr", QStringLiteral("Aron z Dolin")));
    EXPECT_EQ(dm.QSeznamy.FieldByName("Vlastnictvi").DisplayText(), "Ne");  // empty
    EXPECT_EQ(dm.QSeznamy.FieldByName("Jmeno_registr").DisplayLabel(), "Registrované jméno");
}

TEST_F(RecordSheetDuties, ShownBreedTextAndEmptyBreedName) {
    TDM1 dm(Folder());
    ASSERT_TRUE(dm.TaPlemeno.Locate("Plemeno", QStringLiteral("Vipet")));
    dm.TaPlemeno.Edit();
    platform::Field& shown = dm.TaPlemeno.FieldByName("Ukazat");
    shown.SetText(QStringLiteral("ne"));
    EXPECT_FALSE(shown.AsBoolean());
    EXPECT_EQ(shown.DisplayText(), "Ne");
    shown.SetText(QStringLiteral("neano"));
    EXPECT_TRUE(shown.AsBoolean());
    shown.SetText(QStringLiteral("možná"));
    EXPECT_TRUE(shown.AsBoolean());
    platform::Field& breed = dm.TaPlemeno.FieldByName("Plemeno");
    try {
        breed.SetAsString(QStringLiteral("   "));
        FAIL() << "an empty breed name was accepted";
    } catch (const platform::StoreError& error) {
        EXPECT_EQ(error.Message(), "Položka názvu plemena musí být vyplněna");
    }
    EXPECT_EQ(breed.AsString(), "Vipet");
    dm.TaPlemeno.Cancel();
}
