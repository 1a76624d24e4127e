// The record sheet driven through its controls: the two modes and their
// bindings, the refusal of changes in browse mode, sire and address picks,
// the closing question, a refused duplicate name, the event buttons' "found
// nothing" answers, titles and photo following the card, the photo's
// reduction to its frame, and the bound fields writing the card.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "app/dmunit.h"
#include "app/parametry.h"
#include "controls/K_Edit.h"
#include "controls/combo_check.h"
#include "controls/db_grid.h"
#include "controls/db_image.h"
#include "controls/db_memo.h"
#include "controls/db_navigator.h"
#include "platform/store/field.h"
#include "records/fomain.h"
#include "records/foseznam.h"
#include "records/fovrhyzapis.h"
#include "tests/platform/store/store_fixture.h"
#include "tests/support/postgres_cluster.h"
#include "tests/support/seams.h"

namespace {

using testing_support::ScriptedMessages;
using testing_support::ScriptedModal;

// Larger than the photo frame, twice as wide as high.
QByteArray PngBytes() {
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class RecordSheet : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        address_ = folder_.path() + "/";
        if (store_test::OnServerStore()) {
            HARVEL_REQUIRE_POSTGRES(cluster);
            address_ = cluster->NewDatabase();
        }
        saved_ = CurrentParametry();
        platform::Database::CreateSchema(Folder());
        Fill();
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(Folder(), sheet_.get());
        sheet_->AttachDataModule(*dm_);
    }

    void TearDown() override {
        sheet_.reset();
        dm_.reset();
        CurrentParametry() = saved_;
    }

    // The data folder, or the club's database on the test server.
    QString Folder() const { return address_; }

    void Fill() {
        platform::Database db(Folder());
        platform::Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        const auto card = [&](const char* name, const char* sire, const char* dam) {
            cards.Append();
            cards.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(name));
            cards.FieldByName("Otec").SetAsString(QString::fromUtf8(sire));
            cards.FieldByName("Matka").SetAsString(QString::fromUtf8(dam));
            cards.FieldByName("Plemeno").SetAsString(QStringLiteral("Vipet"));
            cards.FieldByName("Chovatel").SetAsString(QStringLiteral("Starý chovatel"));
            cards.Post();
        };
        card("Aron z Dolin", "Ťapka otec", "Žofie matka");
        card("Bára z Dolin", "", "");
        platform::Table titles(db, QStringLiteral("tituly.db"));
        titles.Open();
        titles.Append();
        titles.FieldByName("Jmeno_Registr").SetAsString(QStringLiteral("Aron z Dolin"));
        titles.FieldByName("Titul_Jmeno").SetAsString(QStringLiteral("Šampion ČR"));
        titles.Post();
        platform::Table photos(db, QStringLiteral("foto_album.db"));
        photos.Open();
        photos.Append();
        photos.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Aron z Dolin"));
        photos.FieldByName("Foto_1").SetAsBytes(PngBytes());
        photos.Post();
        platform::Table visits(db, QStringLiteral("osetreni.db"));
        visits.Open();
        visits.Append();
        visits.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Aron z Dolin"));
        visits.Post();
        platform::Table breeds(db, QStringLiteral("plemeno.db"));
        breeds.Open();
        breeds.Append();
        breeds.FieldByName("Plemeno").SetAsString(QStringLiteral("Vipet"));
        breeds.FieldByName("Ukazat").SetAsBoolean(true);
        breeds.Post();
        platform::Table addresses(db, QStringLiteral("adresar.db"));
        addresses.Open();
        addresses.Append();
        addresses.FieldByName("Nazev_Key").SetAsString(QStringLiteral("Novák"));
        addresses.Post();
    }

    template <typename T>
    T* Find(const char* name) const {
        T* widget = sheet_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void Click(const char* name) const {
        QAbstractButton* button = Find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Types into a card field as a user does, with the sheet on screen and
    // the field focused, and leaves it (Enter moves on to the next field).
    void Type(const char* field, const QString& text) const {
        QLineEdit* edit = Find<QLineEdit>(field);
        ASSERT_NE(edit, nullptr);
        sheet_->show();
        QApplication::setActiveWindow(sheet_.get());
        edit->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(edit->hasFocus()) << field;
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    platform::Table& Card() const { return dm_->TaMain_Card; }
    QString CardText(const char* column) const {
        return Card().FieldByName(QString::fromLatin1(column)).AsString();
    }

    QTemporaryDir folder_;
    QString address_;
    Parametry saved_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
};

QString StatusText(const TFoMain& sheet) {
    return sheet.findChild<QLabel*>(QStringLiteral("StatusMode"))->text();
}

}  // namespace

// A laptop screen of 1366 x 768 less a task bar holds the whole record sheet:
// no control may need more room than that.
TEST_F(RecordSheet, FitsALaptopScreen) {
    sheet_->show();
    QApplication::processEvents();
    const QSize needed = sheet_->minimumSizeHint();
    EXPECT_LE(needed.width(), 1366);
    EXPECT_LE(needed.height(), 768 - 40);
    // A template list narrower than its caption names the whole caption in its tip.
    auto* templates = sheet_->findChild<QComboBox*>(QStringLiteral("Predlohy0"));
    ASSERT_NE(templates, nullptr);
    ASSERT_GT(templates->count(), 1);
    EXPECT_EQ(templates->toolTip(), templates->currentText());
    templates->setCurrentIndex(1);
    EXPECT_EQ(templates->toolTip(), templates->itemText(1));
}

TEST_F(RecordSheet, EditModeBindsTheTableOnTheRecordPage) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    EXPECT_TRUE(sheet_->IsEditMode());
    EXPECT_EQ(dm_->SoMainCard.GetDataSet(), &dm_->TaMain_Card);
    EXPECT_EQ(sheet_->CurrentPageName(), "Evidlist");
    EXPECT_EQ(StatusText(*sheet_),
              "Tento režim umožnuje úpravu dat bez možnosti vlastního třídění");
    EXPECT_FALSE(Find<QToolButton>("BtnTisky")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>("DBE_Jmeno_registr")->text(), "Aron z Dolin");
    EXPECT_FALSE(Find<QLineEdit>("DBE_Jmeno_registr")->isReadOnly());
    EXPECT_TRUE(Find<QLineEdit>("DBE_Datum_nar_zobrazeni")->isReadOnly());
    EXPECT_TRUE(Find<TDBNavigatorKopa>("DBNavigator1")->Button(nbEdit)->isEnabled());
    EXPECT_EQ(Find<QComboBox>("DBCb_Plemeno")->count(), 1);
    EXPECT_EQ(Find<QComboBox>("PlemenoOd")->itemText(0), "Vipet");
    EXPECT_EQ(Find<QComboBox>("DBCb_Pohlavi")->count(), 2);
}

TEST_F(RecordSheet, BrowseModeShowsTheListReadOnlyOnThePrintPage) {
    sheet_->PrepareEntry(TRecordSheetEntry::rePrints);
    EXPECT_FALSE(sheet_->IsEditMode());
    EXPECT_TRUE(dm_->QSeznamy.IsActive());
    EXPECT_EQ(dm_->SoMainCard.GetDataSet(), &dm_->QSeznamy);
    EXPECT_EQ(sheet_->CurrentPageName(), "TISKY");
    EXPECT_EQ(StatusText(*sheet_),
              "Tento režim umožnuje třídění a filtrování dat bez možnosti úprav");
    Click("BtnEvidence");
    EXPECT_EQ(sheet_->CurrentPageName(), "Evidlist");
    EXPECT_TRUE(Find<QLineEdit>("DBE_Jmeno_registr")->isReadOnly());
    EXPECT_FALSE(Find<TDBNavigatorKopa>("DBNavigator1")->Button(nbEdit)->isEnabled());
    EXPECT_FALSE(Find<TDBNavigatorKopa>("DBNavigator1")->Button(nbInsert)->isEnabled());
    Click("BtnTisky");
    EXPECT_EQ(sheet_->CurrentPageName(), "TISKY");
    // Typing into a field of the list changes nothing.
    QTest::keyClicks(Find<QLineEdit>("DBE_Jmeno_call"), "Xx");
    EXPECT_EQ(Card().State(), platform::DataSetState::Browse);
}

TEST_F(RecordSheet, BrowseModeRefusesPicksAndAddresses) {
    sheet_->PrepareEntry(TRecordSheetEntry::rePrints);
    ScriptedMessages messages;
    int modals = 0;
    ScriptedModal modal([&](QDialog&) {
        ++modals;
        return int(QDialog::Rejected);
    });
    for (const char* button : {"BtnOtec", "BtnMatka", "BtnChovatel", "BtnMajitel"}) {
        Click(button);
    }
    EXPECT_EQ(modals, 0);
    ASSERT_EQ(messages.Shown().size(), 4u);
    for (const platform::MessageRequest& shown : messages.Shown()) {
        EXPECT_EQ(shown.text, "Evidenční list je v režimu prohližení, nelze ! ");
        EXPECT_EQ(shown.icon, platform::MessageIcon::Error);
    }
    EXPECT_EQ(Card().State(), platform::DataSetState::Browse);
}

TEST_F(RecordSheet, SirePickedWithOkEditsTheCardAndStornoLeavesIt) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    {
        ScriptedModal modal([&](QDialog& dialog) {
            EXPECT_NE(qobject_cast<TFoSeznam*>(&dialog), nullptr);
            dialog.reject();
            return dialog.result();
        });
        Click("BtnOtec");
    }
    EXPECT_EQ(Card().State(), platform::DataSetState::Browse);
    EXPECT_EQ(CardText("Otec"), "Ťapka otec");
    {
        ScriptedModal modal([&](QDialog& dialog) {
            dm_->Query_MainCard.Locate("Jmeno_registr", QStringLiteral("Bára z Dolin"));
            dialog.accept();
            return dialog.result();
        });
        Click("BtnMatka");
    }
    EXPECT_EQ(Card().State(), platform::DataSetState::Edit);
    EXPECT_EQ(CardText("Matka"), "Bára z Dolin");
    EXPECT_EQ(Find<QLineEdit>("DBE_Matka")->text(), "Bára z Dolin");
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
}

TEST_F(RecordSheet, AddressChoiceAsksBeforeOverwritingAFilledField) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    ScriptedModal modal([&](QDialog& dialog) {
        dialog.accept();
        return dialog.result();
    });
    ScriptedMessages messages;
    messages.Answer(platform::mbNo);
    Click("BtnChovatel");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Přepsat údajem z adresáře ?");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Question);
    EXPECT_EQ(CardText("Chovatel"), "Starý chovatel");
    EXPECT_EQ(Card().State(), platform::DataSetState::Browse);

    messages.Answer(platform::mbYes);
    Click("BtnChovatel");
    EXPECT_EQ(CardText("Chovatel"), "Novák");
    EXPECT_EQ(Card().State(), platform::DataSetState::Edit);

    // An empty owner is filled without a question.
    messages.Clear();
    Click("BtnMajitel");
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(CardText("Majitel"), "Novák");
}

TEST_F(RecordSheet, ClosingQuestionCancelKeepsNoDropsYesPosts) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    sheet_->show();
    Type("DBE_Jmeno_call", QStringLiteral("Ari"));
    ASSERT_EQ(Card().State(), platform::DataSetState::Edit);
    ScriptedMessages messages;

    messages.Answer(platform::mbCancel);
    Click("BtnZavrit");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "V evidenčním listu nejsou uloženy změny, uložit ?");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(messages.Shown()[0].buttons, platform::mbYes | platform::mbNo | platform::mbCancel);
    EXPECT_TRUE(sheet_->isVisible());
    EXPECT_EQ(Card().State(), platform::DataSetState::Edit);

    messages.Answer(platform::mbNo);
    Click("BtnNewZavrit");
    EXPECT_FALSE(sheet_->isVisible());
    EXPECT_EQ(Card().State(), platform::DataSetState::Browse);
    EXPECT_EQ(CardText("Jmeno_call"), "");

    sheet_->show();
    Type("DBE_Jmeno_call", QStringLiteral("Ari"));
    messages.Answer(platform::mbYes);
    sheet_->close();
    EXPECT_FALSE(sheet_->isVisible());
    EXPECT_EQ(Card().State(), platform::DataSetState::Browse);
    EXPECT_EQ(CardText("Jmeno_call"), "Ari");

    // Nothing unsaved: no question.
    messages.Clear();
    sheet_->show();
    Click("BtnZavrit");
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_FALSE(sheet_->isVisible());
}

TEST_F(RecordSheet, DuplicateNameIsRefusedAndTheCardStaysEditing) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    auto* navigator = Find<TDBNavigatorKopa>("DBNavigator1");
    navigator->BtnClick(nbInsert);
    ASSERT_EQ(Card().State(), platform::DataSetState::Insert);
    EXPECT_TRUE(Find<QCheckBox>("DBChb_Vlastnictvi")->isChecked());
    Type("DBE_Jmeno_registr", QStringLiteral("Aron z Dolin"));
    ScriptedMessages messages;
    navigator->BtnClick(nbPost);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(
        messages.Shown()[0].text.contains(QStringLiteral("„Jméno registr.“ (Jmeno_registr)")))
        << messages.Shown()[0].text.toStdString();
    EXPECT_EQ(Card().State(), platform::DataSetState::Insert);
    EXPECT_EQ(Find<QLineEdit>("DBE_Jmeno_registr")->text(), "Aron z Dolin");

    Type("DBE_Jmeno_registr", QStringLiteral("Cyril z Dolin"));
    navigator->BtnClick(nbPost);
    EXPECT_EQ(Card().State(), platform::DataSetState::Browse);
    EXPECT_EQ(Card().RecordCount(), 3);
}

TEST_F(RecordSheet, ACardWithoutARegisteredNameIsRefusedAndStaysEditing) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    auto* navigator = Find<TDBNavigatorKopa>("DBNavigator1");
    navigator->BtnClick(nbInsert);
    ASSERT_EQ(Card().State(), platform::DataSetState::Insert);
    Type("DBE_Jmeno_call", QStringLiteral("Nikdo"));
    Type("DBE_Jmeno_registr", QStringLiteral("   "));
    ScriptedMessages messages;
    navigator->BtnClick(nbPost);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(messages.Shown()[0].text.contains(
        QStringLiteral("registrované jméno (Jmeno_registr) musí být vyplněno")))
        << messages.Shown()[0].text.toStdString();
    EXPECT_EQ(Card().State(), platform::DataSetState::Insert);
    Card().Cancel();
    EXPECT_EQ(Card().RecordCount(), 2);
}

TEST_F(RecordSheet, ImpossibleBirthDateIsReportedAndEmptied) {
    testing_support::FixedClock clock(QDate(2026, 12, 9));
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    ScriptedMessages messages;
    Type("DBE_Datum_nar", QStringLiteral("5.3"));
    EXPECT_EQ(Card().FieldByName("Datum_nar").AsDate(), QDate(2026, 3, 5));
    EXPECT_EQ(Find<QLineEdit>("DBE_Datum_nar_zobrazeni")->text(), "5.3.2026");
    Type("DBE_Datum_nar", QStringLiteral("31.2.2005"));
    ASSERT_EQ(messages.Texts(), QStringList{"Chybné datum !"});
    EXPECT_TRUE(Card().FieldByName("Datum_nar").IsNull());
    EXPECT_EQ(Find<QLineEdit>("DBE_Datum_nar")->text(), "");
}

TEST_F(RecordSheet, EventButtonsAnswerNothingFoundPerBook) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    Card().Locate("Jmeno_registr", QStringLiteral("Bára z Dolin"));
    ScriptedMessages messages;
    const std::pair<const char*, bool> expected[] = {
        {"BtnEditOsetreni", true}, {"BtnEditVystavy", false},  {"BtnEditTituly", false},
        {"BtnEditZkousky", true},  {"BtnEditChovnost", false}, {"BtnEditKryti", true},
        {"BtnEditVrhy", false},    {"BtnEditRodokmen", false},
    };
    for (const auto& [button, errorIcon] : expected) {
        messages.Clear();
        Click(button);
        ASSERT_EQ(messages.Shown().size(), 1u) << button;
        EXPECT_EQ(messages.Shown()[0].text, errorIcon
                                                ? QStringLiteral("Nebyl nalezen žádný záznam ")
                                                : QStringLiteral("Nebyl nalezen žádný záznam"))
            << button;
        EXPECT_EQ(messages.Shown()[0].icon,
                  errorIcon ? platform::MessageIcon::Error : platform::MessageIcon::Information)
            << button;
    }
    EXPECT_FALSE(dm_->TaChovnost.IsActive());
    EXPECT_EQ(dm_->CurrentAnimal.JmenoRegistr(), "Bára z Dolin");
    EXPECT_EQ(CardText("Jmeno_registr"), "Bára z Dolin");
}

TEST_F(RecordSheet, EventButtonsCopyTheAnimalShownAlsoInBrowseMode) {
    sheet_->PrepareEntry(TRecordSheetEntry::rePrints);
    dm_->QSeznamy.Locate("Jmeno_registr", QStringLiteral("Aron z Dolin"));
    ScriptedMessages messages;
    QString shownForm;
    {
        ScriptedModal modal([&](QDialog& dialog) {
            shownForm = dialog.objectName();
            return int(QDialog::Rejected);
        });
        Click("BtnEditOsetreni");
    }
    EXPECT_EQ(shownForm, "FoOsetreniEdit");
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_EQ(dm_->CurrentAnimal.JmenoRegistr(), "Aron z Dolin");
    EXPECT_EQ(dm_->CurrentAnimal.Otec(), "Ťapka otec");
    EXPECT_EQ(dm_->CurrentAnimal.Matka(), "Žofie matka");
    EXPECT_EQ(dm_->CurrentAnimal.Plemeno(), "Vipet");
    EXPECT_EQ(dm_->TaOsetreni.RecordCount(), 1);
}

TEST_F(RecordSheet, PedigreeNeedsBothParents) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    Card().Locate("Jmeno_registr", QStringLiteral("Bára z Dolin"));
    ScriptedMessages messages;
    Click("BtnNewRodokmen");
    ASSERT_EQ(messages.Texts(),
              QStringList{"Nelze zakládat rodokmen bez  zadání jména matky a otce "});
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
}

TEST_F(RecordSheet, LitterEntryGetsTheDamAndBreed) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    QString dam, breed;
    ScriptedModal modal([&](QDialog& dialog) {
        auto* form = qobject_cast<TFoVrhyZapis*>(&dialog);
        EXPECT_NE(form, nullptr);
        if (form != nullptr) {
            dam = form->Jmeno_reg_matka->text();
            breed = form->EditPlemeno->text();
        }
        return int(QDialog::Rejected);
    });
    Click("BtnNewVrhy");
    EXPECT_EQ(dam, "Aron z Dolin");
    EXPECT_EQ(breed, "Vipet");
}

TEST_F(RecordSheet, LitterEntryRefusesAMaleAndTakesACardWithoutSex) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    int opened = 0;
    ScriptedModal modal([&](QDialog& dialog) {
        opened += qobject_cast<TFoVrhyZapis*>(&dialog) != nullptr;
        return int(QDialog::Rejected);
    });
    ScriptedMessages messages;
    Card().Edit();
    Card().FieldByName("Pohlavi").SetAsString(QStringLiteral("Pes"));
    Card().Post();
    Click("BtnNewVrhy");
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(messages.Texts(), QStringList{"Vrh lze zapsat jen u feny"});
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    messages.Clear();
    for (const char* sex : {"Fena", ""}) {
        Card().Edit();
        Card().FieldByName("Pohlavi").SetAsString(QString::fromLatin1(sex));
        Card().Post();
        Click("BtnNewVrhy");
    }
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(RecordSheet, TitlesAndPhotoFollowTheCard) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    auto* photo = Find<TDBImageAspect>("DBImageFoto");
    auto* titles = Find<TDbGridKOPA>("DBGridTituly");
    // Showing the sheet shows the card's photo and titles at once.
    EXPECT_FALSE(photo->Picture().isNull());
    EXPECT_EQ(titles->model()->rowCount(), 1);
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbNext);
    EXPECT_EQ(titles->model()->rowCount(), 0);
    EXPECT_TRUE(photo->Picture().isNull());
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbPrior);
    EXPECT_EQ(titles->model()->rowCount(), 1);
    EXPECT_EQ(titles->model()->index(0, 0).data().toString(), "Šampion ČR");
    EXPECT_FALSE(photo->Picture().isNull());
    // Choosing a name in the list moves the card.
    auto* names = Find<TDbGridKOPA>("DBGridJmena");
    names->setCurrentIndex(names->model()->index(1, 0));
    EXPECT_EQ(CardText("Jmeno_registr"), "Bára z Dolin");
    EXPECT_TRUE(photo->Picture().isNull());
}

// Titles and photo belong to the card shown: at every opening in either
// mode, on a new card (none), after Storno and after a delete.
TEST_F(RecordSheet, TitlesFollowTheCardAtOpeningNewCancelAndDelete) {
    auto* titles = Find<TDbGridKOPA>("DBGridTituly");
    auto* photo = Find<TDBImageAspect>("DBImageFoto");
    auto* navigator = Find<TDBNavigatorKopa>("DBNavigator1");
    for (const TRecordSheetEntry entry : {TRecordSheetEntry::rePrints, TRecordSheetEntry::reEdit}) {
        sheet_->PrepareEntry(entry);
        navigator->BtnClick(nbLast);
        ASSERT_EQ(titles->model()->rowCount(), 0);
        // While the sheet is hidden another form names Aron as the current
        // animal and the titles table is read again for him.
        dm_->CurrentAnimal.SetJmenoRegistr(QStringLiteral("Aron z Dolin"));
        dm_->TaTituly.SetFiltered(false);
        dm_->TaTituly.SetFiltered(true);
        ASSERT_EQ(titles->model()->rowCount(), 1);
        // Reopened, the sheet shows Bára's card with Bára's (no) titles.
        sheet_->PrepareEntry(entry);
        EXPECT_EQ(titles->model()->rowCount(), 0) << int(entry);
        EXPECT_TRUE(photo->Picture().isNull()) << int(entry);
        navigator->BtnClick(nbFirst);
        EXPECT_EQ(titles->model()->rowCount(), 1) << int(entry);
        EXPECT_FALSE(photo->Picture().isNull()) << int(entry);
    }
    // "Nový": a blank card has no titles and no photo.
    navigator->BtnClick(nbInsert);
    EXPECT_EQ(titles->model()->rowCount(), 0);
    EXPECT_TRUE(photo->Picture().isNull());
    // "Storno": back on Aron with his titles and photo.
    navigator->BtnClick(nbCancel);
    EXPECT_EQ(CardText("Jmeno_registr"), "Aron z Dolin");
    EXPECT_EQ(titles->model()->rowCount(), 1);
    EXPECT_FALSE(photo->Picture().isNull());
    // A delete moves on to Bára, whose (no) titles are shown.
    ScriptedMessages messages;
    messages.Answer(platform::mbOK);
    navigator->BtnClick(nbDelete);
    EXPECT_EQ(CardText("Jmeno_registr"), "Bára z Dolin");
    EXPECT_EQ(titles->model()->rowCount(), 0);
    EXPECT_TRUE(photo->Picture().isNull());
}

TEST_F(RecordSheet, PhotoAndTitlesOnDemandWhenTheSettingsAreOff) {
    EXPECT_FALSE(Find<QPushButton>("BtnFoto")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("BtnTituly")->isEnabled());
    CurrentParametry().OnlineFoto = false;
    CurrentParametry().OnlineTituly = false;
    sheet_->ApplySettings(CurrentParametry());
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    auto* photo = Find<TDBImageAspect>("DBImageFoto");
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbNext);
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbPrior);
    EXPECT_TRUE(photo->Picture().isNull());
    EXPECT_FALSE(dm_->TaTituly.IsActive());
    ScriptedMessages messages;
    Click("BtnFoto");
    EXPECT_FALSE(photo->Picture().isNull());
    Click("BtnTituly");
    EXPECT_TRUE(dm_->TaTituly.IsActive());
    EXPECT_EQ(dm_->TaTituly.RecordCount(), 1);
    EXPECT_TRUE(messages.Shown().empty());
    // The photo stays while moving; asking for it on a card without one says so.
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbNext);
    EXPECT_FALSE(photo->Picture().isNull());
    Click("BtnFoto");
    EXPECT_EQ(messages.Texts(), QStringList{"Obrázek k této kartě není založen"});
    EXPECT_TRUE(photo->Picture().isNull());
}

TEST_F(RecordSheet, ARefusedNumberIsReportedAndTheTextStaysForCorrection) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    ScriptedMessages messages;
    Type("DBE_Cip", QStringLiteral("12x"));
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    // The refusal names the field as the card captions it.
    EXPECT_EQ(messages.Shown()[0].text,
              QStringLiteral("„12x“ není celé číslo (sloupec „Čip“ (Cip))."));
    EXPECT_EQ(Find<QLineEdit>("DBE_Cip")->text(), "12x");
    EXPECT_TRUE(Card().FieldByName("Cip").IsNull());
    // "Ulož" takes the pending text along and is refused the same way.
    messages.Clear();
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbPost);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(Card().State(), platform::DataSetState::Edit);
    // A microchip carries fifteen digits, kept and shown whole.
    Type("DBE_Cip", QStringLiteral("203098100123456"));
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbPost);
    EXPECT_EQ(Card().State(), platform::DataSetState::Browse);
    EXPECT_EQ(Card().FieldByName("Cip").AsInteger(), 203098100123456);
    EXPECT_EQ(Find<QLineEdit>("DBE_Cip")->text(), "203098100123456");
}

TEST_F(RecordSheet, LeavingLuxaceWhileEditingShowsTheLastTab) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    sheet_->show();
    QApplication::setActiveWindow(sheet_.get());
    auto* tabs = Find<QTabWidget>("PageControl2");
    tabs->setCurrentIndex(1);
    auto* luxace = Find<QLineEdit>("DBE_Luxace");
    luxace->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(luxace, "0/0");
    QTest::keyClick(luxace, Qt::Key_Tab);
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_EQ(CardText("Luxace"), "0/0");
    // The birth date there is display only: it does not take the input.
    EXPECT_FALSE(Find<QLineEdit>("DBE_Datum_nar_zobrazeni")->hasFocus());
    Card().Cancel();
}

TEST_F(RecordSheet, PhotoIsReducedToTheFrameUnlessTheStretchBoxIsCleared) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    sheet_->show();
    auto* photo = Find<TDBImageAspect>("DBImageFoto");
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbNext);
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbPrior);
    ASSERT_FALSE(photo->Picture().isNull());
    const QRect frame = photo->contentsRect();
    ASSERT_LT(frame.width(), 600);
    QRect shown = photo->PictureRect();
    EXPECT_TRUE(frame.contains(shown)) << shown.x() << "," << shown.y();
    EXPECT_NEAR(double(shown.width()) / shown.height(), 2.0, 0.02);
    EXPECT_NEAR(shown.center().x(), frame.center().x(), 1);
    EXPECT_NEAR(shown.center().y(), frame.center().y(), 1);

    Find<QCheckBox>("CheckBoxStretch")->click();
    EXPECT_EQ(photo->PictureRect().size(), QSize(600, 300));
    Find<QCheckBox>("CheckBoxStretch")->click();
    EXPECT_EQ(photo->PictureRect(), shown);
}

TEST_F(RecordSheet, PhotoCannotBeChangedOnTheSheetAndAClickOpensTheFullView) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    sheet_->show();
    auto* photo = Find<TDBImageAspect>("DBImageFoto");
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbNext);
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbPrior);
    ASSERT_FALSE(photo->Picture().isNull());
    EXPECT_FALSE(photo->SetPictureData(PngBytes()));
    EXPECT_EQ(dm_->TaFoto_Album.State(), platform::DataSetState::Browse);

    ScriptedMessages messages;
    QStringList opened;
    bool showsPhoto = false;
    ScriptedModal modal([&](QDialog& dialog) {
        opened << dialog.objectName();
        auto* picture = dialog.findChild<TDBImageAspect*>("DBImage1");
        showsPhoto = picture != nullptr && !picture->Picture().isNull();
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(photo, Qt::LeftButton);
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_EQ(opened, QStringList{"FoFullNahled"});
    EXPECT_TRUE(showsPhoto);
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbNext);
    QTest::mouseClick(photo, Qt::LeftButton);
    EXPECT_EQ(messages.Texts(), QStringList{"Obrázek k této kartě není založen"});
}

TEST_F(RecordSheet, NumberFieldsTakeACommaAsThePointAndTextFieldsKeepIt) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    ScriptedMessages messages;
    auto* tabs = Find<QTabWidget>("PageControl2");
    tabs->setCurrentIndex(1);
    Type("DBE_Vyska_kohout", QStringLiteral("38,5"));
    EXPECT_DOUBLE_EQ(Card().FieldByName("Vyska_kohout").AsFloat(), 38.5);
    tabs->setCurrentIndex(0);
    Type("DBE_Jmeno_call", QStringLiteral("Ari, Bari"));
    EXPECT_EQ(CardText("Jmeno_call"), "Ari, Bari");
    Type("DBE_Datum_nar", QStringLiteral("5,3,2020"));
    EXPECT_EQ(Card().FieldByName("Datum_nar").AsDate(), QDate(2020, 3, 5));
    EXPECT_TRUE(messages.Shown().empty());
    Card().Cancel();
}

TEST_F(RecordSheet, MemoCheckBoxAndClosedListWriteTheCard) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    sheet_->show();
    QApplication::setActiveWindow(sheet_.get());
    auto* check = Find<TDBCheckboxMy>("DBChb_Vlast_odchov");
    ASSERT_FALSE(check->isChecked());
    check->click();
    EXPECT_EQ(Card().State(), platform::DataSetState::Edit);
    EXPECT_TRUE(Card().FieldByName("Vlast_odchov").AsBoolean());

    auto* sex = Find<TDBComboBoxKopa>("DBCb_Pohlavi");
    EXPECT_EQ(sex->Style(), csDropDownList);
    sex->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(sex, Qt::Key_Down);
    const QString chosen = sex->currentText();
    EXPECT_FALSE(chosen.isEmpty());
    Find<TDBComboBoxKopa>("DBCb_Plemeno")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(CardText("Pohlavi"), chosen);

    Find<QTabWidget>("PageControl2")->setCurrentIndex(2);
    auto* note = Find<TDBMemoLumex>("DBM_Poznamka");
    note->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(note, "Klidna");
    QTest::keyClick(note, Qt::Key_Tab);
    EXPECT_FALSE(note->hasFocus());
    EXPECT_EQ(CardText("Poznamka"), "Klidna");

    // "Storno" brings every field back to the stored card.
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbCancel);
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(note->Text(), "");
    EXPECT_EQ(sex->currentText(), "");
}

TEST_F(RecordSheet, TheNotToPublishCheckBoxWritesItsOwnColumn) {
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    sheet_->show();
    QApplication::setActiveWindow(sheet_.get());
    auto* check = Find<TDBCheckboxMy>("DBChb_Nezverejnovat");
    EXPECT_EQ(check->text(), "Nezveřejňovat");
    ASSERT_FALSE(check->isChecked());
    check->click();
    EXPECT_TRUE(Card().FieldByName("Nezverejnovat").AsBoolean());
    Card().Post();
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbNext);
    EXPECT_FALSE(check->isChecked());
    Find<TDBNavigatorKopa>("DBNavigator1")->BtnClick(nbPrior);
    EXPECT_TRUE(check->isChecked());
}

TEST_F(RecordSheet, BrowseModeFieldsTakeNoInput) {
    sheet_->PrepareEntry(TRecordSheetEntry::rePrints);
    sheet_->ShowPage("Evidlist");
    sheet_->show();
    QApplication::setActiveWindow(sheet_.get());
    auto* check = Find<TDBCheckboxMy>("DBChb_Vlastnictvi");
    const bool was = check->isChecked();
    check->click();
    EXPECT_EQ(check->isChecked(), was);
    auto* sex = Find<TDBComboBoxKopa>("DBCb_Pohlavi");
    sex->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(sex, Qt::Key_Down);
    EXPECT_EQ(sex->currentText(), "");
    Find<QTabWidget>("PageControl2")->setCurrentIndex(2);
    auto* note = Find<TDBMemoLumex>("DBM_Poznamka");
    EXPECT_TRUE(note->isReadOnly());
    EXPECT_EQ(dm_->QSeznamy.State(), platform::DataSetState::Browse);
}

namespace {

// Another official's program saving one change to a record sheet of the club.
void SaveCallNameAsAnotherOfficial(const QString& address, const QString& name,
                                   const QString& callName) {
    platform::Database other(address);
    platform::Table cards(other, QStringLiteral("main_card.db"));
    cards.Open();
    ASSERT_TRUE(cards.Locate(QStringLiteral("Jmeno_registr"), name));
    cards.Edit();
    cards.FieldByName(QStringLiteral("Jmeno_call")).SetAsString(callName);
    cards.Post();
}

}  // namespace

TEST_F(RecordSheet, OnAClubsServerNactiShowsWhatOthersSavedAndAClashIsTold) {
    if (!store_test::OnServerStore()) {
        GTEST_SKIP() << "a club's server only: the local file has one writer";
    }
    auto* navigator = Find<TDBNavigatorKopa>("DBNavigator1");
    ASSERT_TRUE(navigator->Button(nbRefresh)->isVisibleTo(navigator));
    EXPECT_EQ(navigator->Button(nbRefresh)->text(), QStringLiteral("Načti"));
    ASSERT_EQ(CardText("Jmeno_registr"), QStringLiteral("Aron z Dolin"));

    // Another official enters a litter of Aron and his call name.
    SaveCallNameAsAnotherOfficial(Folder(), QStringLiteral("Aron z Dolin"), QStringLiteral("Ari"));
    {
        platform::Database other(Folder());
        platform::Table litters(other, QStringLiteral("vrhy.db"));
        litters.Open();
        litters.Append();
        litters.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Aron z Dolin"));
        litters.FieldByName("Datum").SetAsDate(QDate(2026, 12, 1));
        litters.Post();
    }
    const int littersBefore = dm_->TaVrhy.RecordCount();
    EXPECT_NE(Find<QLineEdit>("DBE_Jmeno_call")->text(), QStringLiteral("Ari"));
    navigator->BtnClick(nbRefresh);
    EXPECT_EQ(Find<QLineEdit>("DBE_Jmeno_call")->text(), QStringLiteral("Ari"));
    EXPECT_EQ(dm_->TaVrhy.RecordCount(), littersBefore + 1);

    // Both change the call name; the one who saves second is told and keeps the input.
    sheet_->PrepareEntry(TRecordSheetEntry::reEdit);
    navigator->BtnClick(nbEdit);
    Type("DBE_Jmeno_call", QStringLiteral("Moje"));
    SaveCallNameAsAnotherOfficial(Folder(), QStringLiteral("Aron z Dolin"),
                                  QStringLiteral("Jejich"));
    ScriptedMessages messages;
    navigator->BtnClick(nbPost);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_TRUE(messages.Shown()[0].text.startsWith(
        QStringLiteral("Záznam mezitím změnil jiný uživatel (harvel, ")))
        << messages.Shown()[0].text.toStdString();
    EXPECT_TRUE(messages.Shown()[0].text.endsWith(QStringLiteral("). Načtěte jej znovu.")));
    EXPECT_EQ(Card().State(), platform::DataSetState::Edit);
    EXPECT_EQ(Find<QLineEdit>("DBE_Jmeno_call")->text(), QStringLiteral("Moje"));
}
