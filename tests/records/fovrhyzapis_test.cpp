// The litter entry form driven as a user drives it: fields by name, real
// button presses, the rows left in vrhy.db and main_card.db, the messages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "controls/K_Edit.h"
#include "controls/db_grid.h"
#include "platform/store/field.h"
#include "records/foseznam.h"
#include "records/fovrhyzapis.h"
#include "tests/platform/store/store_fixture.h"
#include "tests/support/seams.h"

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '[' << texts.join(QStringLiteral(" | ")).toStdString() << ']';
}

namespace {

const QString kDam = QStringLiteral("Bára Šťastná");
const QString kSire = QStringLiteral("Aron z Tří dubů");
const QString kDone = QStringLiteral("Příkaz byl vykonán ");
const QString kRefused = QStringLiteral("Nelze zapsat, opravte data");
const QDate kToday(2026, 12, 9);

class LitterEntry : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        HARVEL_TEST_DATA_LOCATION(location, folder_);
        platform::Database::CreateSchema(location);
        dm_ = std::make_unique<TDM1>(location);
        AddSheet(kDam);
        AddSheet(kSire);
        dm_->CurrentAnimal.SetJmenoRegistr(kDam);
        dm_->TaVrhy.SetFiltered(true);
        OpenForm();
    }

    void OpenForm() {
        form_ = std::make_unique<TFoVrhyZapis>(*dm_);
        form_->Jmeno_reg_matka->setText(kDam);
        form_->EditPlemeno->setText(QStringLiteral("Bígl"));
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        QApplication::processEvents();
    }

    void AddSheet(const QString& name) {
        dm_->TaMain_Card.Append();
        dm_->TaMain_Card.FieldByName("Jmeno_registr").SetAsString(name);
        dm_->TaMain_Card.Post();
    }

    TKEdit* Field(const char* name) { return form_->findChild<TKEdit*>(name); }
    QPushButton* Button(const char* name) { return form_->findChild<QPushButton*>(name); }
    QListWidget* List() { return form_->findChild<QListWidget*>("ListBoxJmenaStenat"); }

    void Press(const char* name) {
        QPushButton* button = Button(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }

    void Set(const char* name, const QString& text) {
        TKEdit* edit = Field(name);
        ASSERT_NE(edit, nullptr) << name;
        edit->setText(text);
    }

    void AddName(const QString& name) {
        Set("EditJmenoStenat", name);
        Press("BtnAddStene");
    }

    // Sire, date, counts and the names: everything a valid litter needs.
    void FillLitter(const QString& date, int males, int females, const QStringList& names) {
        Set("Edit_Jmeno_reg_otec", kSire);
        Set("Edit_datum_porod", date);
        Set("EditPocetPes", QString::number(males));
        Set("EditPocetFena", QString::number(females));
        for (const QString& name : names) {
            AddName(name);
        }
        Set("Edit_Poznamka", QStringLiteral("porod bez komplikací"));
    }

    int Rows(const char* table) {
        platform::Table rows(dm_->Database1, table);
        rows.Open();
        return rows.RecordCount();
    }

    QStringList Messages() const { return messages_.Texts(); }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoVrhyZapis> form_;
    testing_support::ScriptedMessages messages_;
    testing_support::FixedClock clock_{kToday};
};

TEST_F(LitterEntry, ShowsItsCaptionsAndStartsEmptyBesideDamAndBreed) {
    EXPECT_EQ(form_->windowTitle(), "Zápis vrhu");
    EXPECT_EQ(Button("BtnAddStene")->text(), "Přidat do seznamu");
    EXPECT_EQ(Button("Button1")->text(), "Odstranit ze seznamu");
    EXPECT_EQ(Button("BtnWriteOnly")->text(), "Pouze zápis vrhu");
    EXPECT_EQ(Button("BtnWriteOnly")->toolTip(),
              "Zapíše pouze vrh do tabulky. Karty štěňat se musí vytvořit ručně    ");
    EXPECT_EQ(Button("BtnGenerated")->text(), "I s vytvořením karet");
    EXPECT_EQ(Button("BtnGenerated")->toolTip(),
              "Zapíše vrh do tabulky a vytvoří  evidenční listy");
    EXPECT_EQ(Button("BtnCancel")->text(), "Storno ");
    EXPECT_EQ(Button("BtnOtec")->text(), "C");
    EXPECT_TRUE(form_->Jmeno_reg_matka->font().bold());
    for (const char* name : {"Edit_Jmeno_reg_otec", "Edit_datum_porod", "EditPocetPes",
                             "EditPocetFena", "EditJmenoStenat", "Edit_Poznamka"}) {
        EXPECT_TRUE(Field(name)->text().isEmpty()) << name;
    }
    EXPECT_TRUE(Field("Edit_Jmeno_reg_otec")->hasFocus());
}

TEST_F(LitterEntry, NoCaptionOrButtonTextIsCutOff) {
    for (QLabel* label : form_->findChildren<QLabel*>()) {
        EXPECT_GE(label->width(), label->minimumSizeHint().width()) << label->text().toStdString();
        EXPECT_GE(label->height(), label->minimumSizeHint().height())
            << label->text().toStdString();
    }
    for (QPushButton* button : form_->findChildren<QPushButton*>()) {
        const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
        EXPECT_GE(button->width(), textWidth + 8) << button->text().toStdString();
    }
}

TEST_F(LitterEntry, EnterAndArrowsMoveThroughTheFieldsInOrder) {
    const std::vector<const char*> order{"Edit_Jmeno_reg_otec", "Edit_datum_porod", "EditPocetPes",
                                         "EditPocetFena",       "EditJmenoStenat",  "Edit_Poznamka",
                                         "EditPlemeno"};
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        ASSERT_TRUE(Field(order[i])->hasFocus()) << order[i];
        QTest::keyClick(Field(order[i]), i % 2 == 0 ? Qt::Key_Return : Qt::Key_Down);
        QApplication::processEvents();
    }
    EXPECT_TRUE(Field("EditPlemeno")->hasFocus());
    QTest::keyClick(Field("EditPlemeno"), Qt::Key_Up);
    EXPECT_TRUE(Field("Edit_Poznamka")->hasFocus());
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
}

TEST_F(LitterEntry, WriteOnlyStoresTheLitterWithItsNamesAndNoRecordSheet) {
    FillLitter("12.3.2024", 2, 1, {"Ája", "Bob", "Cyril"});
    Press("BtnWriteOnly");
    EXPECT_EQ(Messages(), QStringList{kDone});
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(form_->result(), QDialog::Accepted);
    EXPECT_FALSE(form_->CreateCards());

    platform::Table litters(dm_->Database1, "vrhy.db");
    litters.Open();
    ASSERT_EQ(litters.RecordCount(), 1);
    EXPECT_EQ(litters.FieldByName("Jmeno_registr").AsString(), kDam);
    EXPECT_EQ(litters.FieldByName("Jmeno_reg_otec").AsString(), kSire);
    EXPECT_EQ(litters.FieldByName("Datum").AsDate(), QDate(2024, 3, 12));
    EXPECT_EQ(litters.FieldByName("Pocet_stenat_P").AsInteger(), 2);
    EXPECT_EQ(litters.FieldByName("Pocet_stenat_F").AsInteger(), 1);
    EXPECT_EQ(litters.FieldByName("JmenaStenat").AsString(), "Ája\r\nBob\r\nCyril\r\n");
    EXPECT_EQ(litters.FieldByName("Poznamka").AsString(), "porod bez komplikací");
    EXPECT_EQ(litters.FieldByName("Plemeno").AsString(), "Bígl");
    EXPECT_EQ(Rows("main_card.db"), 2);
    EXPECT_FALSE(dm_->Database1.InTransaction());
}

TEST_F(LitterEntry, WithCardsCreatesOneRecordSheetPerPuppy) {
    FillLitter("12.3.2024", 2, 1, {"Ája", "Bob", "Cyril"});
    Press("BtnGenerated");
    EXPECT_EQ(Messages(), QStringList{kDone});
    EXPECT_TRUE(form_->CreateCards());
    EXPECT_EQ(Rows("vrhy.db"), 1);
    EXPECT_EQ(Rows("main_card.db"), 5);
    // The data module's own table shows the new sheets at once.
    EXPECT_EQ(dm_->TaMain_Card.RecordCount(), 5);
    platform::Table sheets(dm_->Database1, "main_card.db");
    sheets.Open();
    for (const char* name : {"Ája", "Bob", "Cyril"}) {
        ASSERT_TRUE(sheets.Locate("Jmeno_registr", QString::fromUtf8(name))) << name;
        EXPECT_EQ(sheets.FieldByName("Matka").AsString(), kDam);
        EXPECT_EQ(sheets.FieldByName("Otec").AsString(), kSire);
        EXPECT_EQ(sheets.FieldByName("Datum_nar").AsDate(), QDate(2024, 3, 12));
        EXPECT_EQ(sheets.FieldByName("Plemeno").AsString(), "Bígl");
        EXPECT_TRUE(sheets.FieldByName("Vlast_odchov").AsBoolean());
        EXPECT_TRUE(sheets.FieldByName("Pohlavi").IsNull());
    }
}

TEST_F(LitterEntry, TheDamsRecordSheetStaysCurrentAfterTheWrite) {
    ASSERT_TRUE(dm_->TaMain_Card.Locate("Jmeno_registr", kDam));
    FillLitter("12.3.2024", 1, 1, {"Žofka", "Ámos"});
    Press("BtnGenerated");
    ASSERT_EQ(Messages(), QStringList{kDone});
    EXPECT_EQ(dm_->TaMain_Card.FieldByName("Jmeno_registr").AsString(), kDam);
}

TEST_F(LitterEntry, TheNameListRefusesEmptyTooManyAndRepeatedNames) {
    AddName("Ája");  // no counts yet: the list has no room
    EXPECT_EQ(Messages(), QStringList{"Překročen počet jmen v seznamu "});
    messages_.Clear();

    Set("EditPocetPes", "2");
    Set("EditPocetFena", "1");
    AddName("   ");
    EXPECT_EQ(Messages(), QStringList{"Není zadané jméno štěněte"});
    messages_.Clear();

    AddName("Ája");
    AddName("ÁJA");
    EXPECT_EQ(Messages(), QStringList{"Jméno štěněte je již v seznamu "});
    messages_.Clear();

    AddName(" Bob");  // kept as typed
    AddName("Cyril");
    AddName("Dana");
    EXPECT_EQ(Messages(), QStringList{"Překročen počet jmen v seznamu "});
    EXPECT_EQ(form_->PuppyNames().Names(), QStringList({"Ája", " Bob", "Cyril"}));
    EXPECT_EQ(List()->count(), 3);
    EXPECT_EQ(Field("EditJmenoStenat")->text(), "Dana");
}

TEST_F(LitterEntry, AddingMovesBackToTheNameFieldUntilTheListIsFull) {
    Set("EditPocetPes", "1");
    Set("EditPocetFena", "1");
    AddName("Ája");
    EXPECT_TRUE(Field("EditJmenoStenat")->hasFocus());
    AddName("Bob");
    EXPECT_TRUE(Field("Edit_Poznamka")->hasFocus());
}

TEST_F(LitterEntry, RemovingNeedsASelectedEntry) {
    Set("EditPocetPes", "2");
    AddName("Ája");
    AddName("Bob");
    List()->clearSelection();
    List()->setCurrentRow(-1);
    Press("Button1");
    EXPECT_EQ(Messages(), QStringList{"Není vybrána žádná položka "});
    List()->setCurrentRow(0);
    Press("Button1");
    EXPECT_EQ(form_->PuppyNames().Names(), QStringList{"Bob"});
    EXPECT_EQ(List()->count(), 1);
    EXPECT_EQ(Messages().size(), 1);
}

TEST_F(LitterEntry, EveryFailingInputCheckIsShownInOrderThenTheRefusal) {
    Set("EditPocetPes", "abc");
    Press("BtnWriteOnly");
    EXPECT_EQ(Messages(), QStringList({"Není zadáno jméno otce", "Neplatné datum",
                                       "Neplatný počet štěňat ", kRefused}));
    EXPECT_TRUE(form_->isVisible());
    messages_.Clear();

    Set("Edit_Jmeno_reg_otec", kSire);
    Set("Edit_datum_porod", "1.2.2024");
    Set("EditPocetPes", "2");
    AddName("Ája");
    Press("BtnGenerated");
    EXPECT_EQ(Messages(), QStringList({"Nesouhlasí počet štěňat se seznamem jmen  ", kRefused}));
    EXPECT_EQ(Rows("vrhy.db"), 0);
    EXPECT_EQ(Field("EditPocetPes")->text(), "2");
}

TEST_F(LitterEntry, AnEmptyBirthDateIsRefusedWithItsMessageAlone) {
    FillLitter("", 1, 0, {"Ája"});
    Press("BtnWriteOnly");
    EXPECT_EQ(Messages(), QStringList({"Neplatné datum", kRefused}));
    for (const platform::MessageRequest& shown : messages_.Shown()) {
        EXPECT_EQ(shown.icon, platform::MessageIcon::Error);
        EXPECT_EQ(shown.buttons, platform::mbOK);
    }
    EXPECT_EQ(Rows("vrhy.db"), 0);
}

TEST_F(LitterEntry, ASecondLitterOfTheDamOnTheSameDayIsRefused) {
    FillLitter("12.3.2024", 1, 0, {"Ája"});
    Press("BtnWriteOnly");
    ASSERT_EQ(Messages(), QStringList{kDone});
    messages_.Clear();

    OpenForm();
    FillLitter("12.3.2024", 1, 0, {"Bob"});
    Press("BtnWriteOnly");
    EXPECT_EQ(Messages(), QStringList({"Matka má tento den již zapis v knize vrhů ", kRefused}));
    EXPECT_TRUE(form_->isVisible());
    messages_.Clear();

    Set("Edit_datum_porod", "13.3.2024");
    Press("BtnWriteOnly");
    EXPECT_EQ(Messages(), QStringList{kDone});
    EXPECT_EQ(Rows("vrhy.db"), 2);
}

TEST_F(LitterEntry, TheSameDayOfAnotherDamIsNoObstacle) {
    platform::Table litters(dm_->Database1, "vrhy.db");
    litters.Open();
    litters.Append();
    litters.FieldByName("Jmeno_registr").SetAsString("Cilka");
    litters.FieldByName("Datum").SetAsDate(QDate(2024, 3, 12));
    litters.Post();
    FillLitter("12.3.2024", 1, 0, {"Ája"});
    Press("BtnWriteOnly");
    EXPECT_EQ(Messages(), QStringList{kDone});
}

TEST_F(LitterEntry, PuppyNamesThatAreRecordSheetsAlreadyStopEvenALitterOnlyWrite) {
    AddSheet("Ája");
    AddSheet("Cyril");
    AddSheet("bob");  // another letter case is another name
    FillLitter("12.3.2024", 2, 1, {"Ája", "Bob", "Cyril"});
    Press("BtnWriteOnly");
    EXPECT_EQ(Messages(),
              QStringList({"Požadované jméno Ája , je již zadáno, nelze pokračovat",
                           "Požadované jméno Cyril , je již zadáno, nelze pokračovat", kRefused}));
    EXPECT_EQ(Rows("vrhy.db"), 0);
    EXPECT_EQ(Rows("main_card.db"), 5);
    EXPECT_TRUE(form_->isVisible());
}

TEST_F(LitterEntry, ARecordSheetAppearingBeforeTheWriteRollsBackTheWholeLitter) {
    // Another window creates the second puppy's sheet after the checks ran:
    // the store refuses the duplicate, and the litter and the first puppy
    // already posted in the transaction go too.
    dm_->TaVrhy.Hooks().afterPost = [this](platform::DataSet&) {
        platform::Table other(dm_->Database1, "main_card.db");
        other.Open();
        other.Append();
        other.FieldByName("Jmeno_registr").SetAsString("Bob");
        other.Post();
    };
    FillLitter("12.3.2024", 2, 1, {"Ája", "Bob", "Cyril"});
    Press("BtnGenerated");
    dm_->TaVrhy.Hooks().afterPost = nullptr;
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_NE(Messages()[0], kDone);
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(Rows("vrhy.db"), 0);
    EXPECT_EQ(Rows("main_card.db"), 2);
    EXPECT_FALSE(dm_->Database1.InTransaction());
    EXPECT_EQ(dm_->TaMain_Card.State(), platform::DataSetState::Browse);
    EXPECT_EQ(dm_->TaVrhy.State(), platform::DataSetState::Browse);
    // The form stays open with its input and can write once the cause is gone.
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(form_->PuppyNames().Count(), 3);
    EXPECT_EQ(Field("Edit_datum_porod")->text(), "12.3.2024");
    messages_.Clear();
    Press("BtnGenerated");
    EXPECT_EQ(Messages(), QStringList{kDone});
    EXPECT_EQ(Rows("main_card.db"), 5);
}

TEST_F(LitterEntry, ACountTheStoreCannotHoldLeavesNothingWritten) {
    // "x" counts as 0 for the checks, 2 + 0 matches the two names, but the
    // small-integer column refuses the text.
    FillLitter("12.3.2024", 0, 2, {"Ája", "Bob"});
    Set("EditPocetPes", "x");
    Press("BtnGenerated");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_NE(Messages()[0], kDone);
    EXPECT_TRUE(Messages()[0].contains("Pocet_stenat_P")) << Messages()[0].toStdString();
    EXPECT_EQ(Rows("vrhy.db"), 0);
    EXPECT_EQ(Rows("main_card.db"), 2);
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Field("EditPocetPes")->text(), "x");

    messages_.Clear();
    Set("EditPocetPes", "40000");  // out of the small-integer range
    Set("EditPocetFena", "-39998");
    Press("BtnGenerated");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_NE(Messages()[0], kDone);
    EXPECT_EQ(Rows("vrhy.db"), 0);
    EXPECT_EQ(Rows("main_card.db"), 2);
}

TEST_F(LitterEntry, LeavingTheBirthDateCompletesItOrComplains) {
    TKEdit* date = Field("Edit_datum_porod");
    date->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(date, "5");
    QTest::keyClick(date, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(date->text(), "5.12.2026");
    EXPECT_TRUE(Field("EditPocetPes")->hasFocus());

    date->setFocus(Qt::TabFocusReason);
    date->clear();
    QTest::keyClicks(date, "5,3");  // a typed comma is a period
    EXPECT_EQ(date->text(), "5.3");
    QTest::keyClick(date, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(date->text(), "5.3.2026");
    EXPECT_TRUE(Messages().isEmpty());

    date->setFocus(Qt::TabFocusReason);
    date->clear();
    QTest::keyClicks(date, "31.2.2005");
    QTest::keyClick(date, Qt::Key_Return);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(Messages(), QStringList{"Chybné datum !"});
    EXPECT_EQ(date->text(), "31.2.2005");
    EXPECT_TRUE(date->hasFocus());

    messages_.Clear();
    date->clear();
    QTest::keyClick(date, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(date->text().isEmpty());
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(LitterEntry, TheSirePickPutsTheChosenNameAndMovesToTheDate) {
    testing_support::ScriptedModal pick([](QDialog& list) {
        auto* grid = list.findChild<TDbGridKOPA*>("DBGrid1");
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            if (grid->model()->index(row, 0).data().toString() == kSire) {
                grid->setCurrentIndex(grid->model()->index(row, 0));
            }
        }
        QTest::mouseClick(list.findChild<QPushButton*>("BitBtnOK"), Qt::LeftButton);
        return list.result();
    });
    Press("BtnOtec");
    EXPECT_EQ(Field("Edit_Jmeno_reg_otec")->text(), kSire);
    EXPECT_TRUE(Field("Edit_datum_porod")->hasFocus());
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
}

TEST_F(LitterEntry, StornoOfThePickKeepsTheSire) {
    Set("Edit_Jmeno_reg_otec", "Dříve zadaný");
    testing_support::ScriptedModal pick([](QDialog&) { return int(QDialog::Rejected); });
    Press("BtnOtec");
    EXPECT_EQ(Field("Edit_Jmeno_reg_otec")->text(), "Dříve zadaný");
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
}

TEST_F(LitterEntry, StornoClosesWithoutWriting) {
    FillLitter("12.3.2024", 1, 0, {"Ája"});
    Press("BtnCancel");
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(form_->result(), QDialog::Rejected);
    EXPECT_EQ(Rows("vrhy.db"), 0);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(LitterEntry, PuppySheetsTakeTheKennelAsBreederAndTheLittersBreed) {
    const QString kennel = CurrentParametry().Chovatel;
    CurrentParametry().Chovatel = QStringLiteral("z Lipové aleje");
    FillLitter("12.3.2024", 1, 0, {"Ája"});
    Press("BtnGenerated");
    CurrentParametry().Chovatel = kennel;
    platform::Table sheets(dm_->Database1, "main_card.db");
    sheets.Open();
    ASSERT_TRUE(sheets.Locate("Jmeno_registr", QStringLiteral("Ája")));
    EXPECT_EQ(sheets.FieldByName("Chovatel").AsString(), "z Lipové aleje");
    EXPECT_EQ(sheets.FieldByName("Plemeno").AsString(), "Bígl");
}

// The settings take a kennel name longer than a record sheet's breeder
// column: puppy sheets are then refused with the reason, never written with
// the name cut; the litter alone is written as before.
TEST_F(LitterEntry, AKennelNameLongerThanTheBreederColumnStopsThePuppySheets) {
    const QString kennel = CurrentParametry().Chovatel;
    CurrentParametry().Chovatel =
        QStringLiteral("Chovatelská stanice z Lipové aleje u Velkého Meziříčí");
    FillLitter("12.3.2024", 1, 0, {"Ája"});
    Press("BtnGenerated");
    EXPECT_EQ(Messages(),
              QStringList({"Jméno chovatele v nastavení má 53 znaků, do evidenčního listu se jich "
                           "vejde 50; zkraťte je v nastavení programu.",
                           kRefused}));
    EXPECT_EQ(Rows("vrhy.db"), 0);
    EXPECT_TRUE(form_->isVisible());
    messages_.Clear();
    Press("BtnWriteOnly");
    CurrentParametry().Chovatel = kennel;
    EXPECT_EQ(Messages(), QStringList{kDone});
    EXPECT_EQ(Rows("vrhy.db"), 1);
}

TEST_F(LitterEntry, LettersInACountAreRefusedWhenTheFieldIsLeftNamingItsCaption) {
    TKEdit* males = Field("EditPocetPes");
    males->setFocus();
    males->setText(QStringLiteral("x2"));
    QTest::keyClick(males, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(Messages(), QStringList{"Počet štěňat – Pes: „x2“ není celé číslo od 0 do 32767."});
    EXPECT_TRUE(males->hasFocus());
    EXPECT_EQ(males->text(), "x2");
    messages_.Clear();
    males->setText(QStringLiteral("2"));
    QTest::keyClick(males, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(Messages().isEmpty());
}

// A sire that is a female by its record sheet, or born after the litter, is
// asked about: No writes nothing, Yes writes the litter.
TEST_F(LitterEntry, ImpossibleSireIsAskedAboutBeforeTheLitterIsWritten) {
    platform::Table cards(dm_->Database1, "main_card.db");
    cards.Open();
    ASSERT_TRUE(cards.Locate("Jmeno_registr", kSire));
    cards.Edit();
    cards.FieldByName("Pohlavi").SetAsString("fena");
    cards.FieldByName("Datum_nar").SetAsDate(QDate(2025, 1, 1));
    cards.Post();
    FillLitter("12.3.2024", 1, 0, {"Ája"});
    messages_.Answer(platform::mbNo);
    Press("BtnWriteOnly");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0],
              "Otec „Aron z Tří dubů“ je podle evidenčního listu fena. Přesto uložit?");
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Question);
    EXPECT_EQ(Rows("vrhy.db"), 0);
    EXPECT_TRUE(form_->isVisible());

    messages_.Clear();
    messages_.Answer(platform::mbYes);
    messages_.Answer(platform::mbYes);
    Press("BtnWriteOnly");
    EXPECT_EQ(
        Messages(),
        QStringList(
            {"Otec „Aron z Tří dubů“ je podle evidenčního listu fena. Přesto uložit?",
             "Otec „Aron z Tří dubů“ se narodil(a) 1.1.2025, až po narození potomka 12.3.2024. "
             "Přesto uložit?",
             kDone}));
    EXPECT_EQ(Rows("vrhy.db"), 1);
}

// The sire's pick-list offers males and animals of unknown sex, never the dam.
TEST_F(LitterEntry, TheSiresPickListOffersNoFemales) {
    platform::Table cards(dm_->Database1, "main_card.db");
    cards.Open();
    for (const auto& [name, sex] : {std::pair{"Cita", "Fena"}, {"Dag", "pes"}, {"Eda", ""}}) {
        cards.Append();
        cards.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(name));
        cards.FieldByName("Pohlavi").SetAsString(QString::fromUtf8(sex));
        cards.Post();
    }
    QStringList offered;
    testing_support::ScriptedModal modal([&](QDialog&) {
        for (dm_->Query_MainCard.First(); !dm_->Query_MainCard.Eof(); dm_->Query_MainCard.Next()) {
            offered << dm_->Query_MainCard.FieldByName("Jmeno_registr").AsString();
        }
        return int(QDialog::Rejected);
    });
    Press("BtnOtec");
    offered.sort();
    EXPECT_EQ(offered, QStringList({kSire, "Dag", "Eda"}));
    EXPECT_FALSE(dm_->Query_MainCard.Filtered());
}

}  // namespace
