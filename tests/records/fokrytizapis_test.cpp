// The mating entry form driven as a user drives it: fields by name, real
// button presses, the rows left in kryti.DB, the messages in their order,
// the partner pick and the address-book copies through the real address book.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "app/foadresar.h"
#include "controls/K_Edit.h"
#include "controls/db_grid.h"
#include "platform/store/field.h"
#include "records/fokrytizapis.h"
#include "records/foseznam.h"
#include "tests/platform/store/store_fixture.h"
#include "tests/support/seams.h"

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kBitch = QStringLiteral("Bára Šťastná");
const QString kDog = QStringLiteral("Aron z Tří dubů");
const QString kDone = QStringLiteral("Příkaz byl vykonán ");
const QString kRefused = QStringLiteral("Nelze zapsat, opravte data");
const QString kOverwrite = QStringLiteral("Přepsat údajem z adresáře ?");
const QDate kToday(2026, 12, 9);

class MatingEntry : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        HARVEL_TEST_DATA_LOCATION(location, folder_);
        platform::Database::CreateSchema(location);
        dm_ = std::make_unique<TDM1>(location);
        AddSheet(kBitch);
        AddSheet(kDog);
        AddAddress(QStringLiteral("Dvořák Jan"));
        AddAddress(QStringLiteral("MVDr. Černá"));
        dm_->CurrentAnimal.SetJmenoRegistr(kBitch);
        OpenForm();
    }

    void OpenForm() {
        form_ = std::make_unique<TFoKrytiZapis>(*dm_);
        form_->Jmeno_registr->setText(kBitch);
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

    void AddAddress(const QString& key) {
        platform::Table addresses(dm_->Database1, "adresar.db");
        addresses.Open();
        addresses.Append();
        addresses.FieldByName("Nazev_Key").SetAsString(key);
        addresses.Post();
    }

    TKEdit* Field(const char* name) { return form_->findChild<TKEdit*>(name); }
    QComboBox* Combo(const char* name) { return form_->findChild<QComboBox*>(name); }
    QPlainTextEdit* Memo() { return form_->findChild<QPlainTextEdit*>("MemoZamer"); }
    QCheckBox* Covered() { return form_->findChild<QCheckBox*>("CheckboxNakryto_Ano_Ne"); }

    void Press(const char* name) {
        auto* button = form_->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }

    void Set(const char* name, const QString& text) {
        TKEdit* edit = Field(name);
        ASSERT_NE(edit, nullptr) << name;
        edit->setText(text);
    }

    // The one mating row in the file, read through a handle of its own.
    std::unique_ptr<platform::Table> StoredRow() {
        auto rows = std::make_unique<platform::Table>(dm_->Database1, "kryti.DB");
        rows->Open();
        EXPECT_EQ(rows->RecordCount(), 1);
        return rows;
    }

    int Rows() {
        platform::Table rows(dm_->Database1, "kryti.DB");
        rows.Open();
        return rows.RecordCount();
    }

    // The address book as AddressLookup shows it: the user moves to `key`
    // and presses the button `button`.
    testing_support::ScriptedModal AddressBookAnswer(const QString& key, const char* button) {
        return testing_support::ScriptedModal([this, key, button](QDialog& dialog) {
            EXPECT_NE(qobject_cast<TFoAdresar*>(&dialog), nullptr);
            shownKey_ = dm_->TaAdresar.FieldByName("Nazev_Key").AsString();
            if (!key.isEmpty()) {
                dm_->TaAdresar.Locate("Nazev_Key", key);
            }
            QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
            return dialog.result();
        });
    }

    QStringList Messages() const { return messages_.Texts(); }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoKrytiZapis> form_;
    testing_support::ScriptedMessages messages_;
    testing_support::FixedClock clock_{kToday};
    QString shownKey_;
};

TEST_F(MatingEntry, ShowsItsCaptionsStartsEmptyAndOffersTheMannerList) {
    EXPECT_EQ(form_->windowTitle(), "Krytí - zápis");
    EXPECT_EQ(form_->findChild<QPushButton*>("Button2")->text(), "Zápis");
    EXPECT_EQ(form_->findChild<QPushButton*>("Button1")->text(), "Storno");
    for (const char* pick : {"BtnPartner", "BtnMajitel", "BtnAsistence"}) {
        EXPECT_EQ(form_->findChild<QPushButton*>(pick)->text(), "C") << pick;
    }
    QStringList captions;
    for (QLabel* label : form_->findChildren<QLabel*>()) {
        captions << label->text();
    }
    for (const char* caption :
         {"Registr. jméno  ", "Partner", "Majitel", "Asistence", "1 krytí", "2 krytí", "3 krytí",
          "Datum", "Způsob", "Místo", "Chovatelský záměr", "Počet štěňat ", "Pes", "Fena",
          "Datum vrhu"}) {
        EXPECT_TRUE(captions.contains(QString::fromUtf8(caption))) << caption;
    }
    EXPECT_EQ(Covered()->text(), "Nakryta");
    EXPECT_FALSE(Covered()->isChecked());
    EXPECT_EQ(form_->Jmeno_registr->text(), kBitch);
    EXPECT_TRUE(form_->Jmeno_registr->font().bold());
    for (const char* name : {"EditPartner", "Edit_Majitel", "EditAsistence", "Edit_datum_kryti_1",
                             "EditMisto3", "EditPocetPes", "EditPocetFena", "EditDatumVrh"}) {
        EXPECT_TRUE(Field(name)->text().isEmpty()) << name;
    }
    for (const char* name : {"ComboZpusob_Kryti_1", "ComboZpusob_Kryti_2", "ComboZpusob_Kryti_3"}) {
        QComboBox* combo = Combo(name);
        ASSERT_NE(combo, nullptr) << name;
        EXPECT_TRUE(combo->isEditable());
        EXPECT_EQ(combo->currentText(), "");
        ASSERT_EQ(combo->count(), 2);
        EXPECT_EQ(combo->itemText(0), "přirozený (přírodní)");
        EXPECT_EQ(combo->itemText(1), "inseminace");
    }
    EXPECT_TRUE(Field("EditPartner")->hasFocus());
}

TEST_F(MatingEntry, EveryInputHasABuddyCaptionAndNothingIsCutOff) {
    QSet<QWidget*> buddies;
    for (QLabel* label : form_->findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            buddies.insert(label->buddy());
        }
        EXPECT_GE(label->width(), label->minimumSizeHint().width()) << label->text().toStdString();
    }
    for (TKEdit* edit : form_->findChildren<TKEdit*>()) {
        EXPECT_TRUE(buddies.contains(edit)) << edit->objectName().toStdString();
    }
    for (QComboBox* combo : form_->findChildren<QComboBox*>()) {
        EXPECT_TRUE(buddies.contains(combo)) << combo->objectName().toStdString();
        EXPECT_GE(combo->width(),
                  combo->fontMetrics().horizontalAdvance(QStringLiteral("přirozený (přírodní)")));
    }
    EXPECT_TRUE(buddies.contains(Memo()));
    for (QPushButton* button : form_->findChildren<QPushButton*>()) {
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 8)
            << button->text().toStdString();
    }
}

TEST_F(MatingEntry, EnterMovesThroughTheFieldsInTheirOrder) {
    const std::vector<const char*> order{
        "EditPartner",         "Edit_Majitel",       "EditAsistence",       "Edit_datum_kryti_1",
        "ComboZpusob_Kryti_1", "EditMisto1",         "Edit_datum_kryti_2",  "ComboZpusob_Kryti_2",
        "EditMisto2",          "Edit_datum_kryti_3", "ComboZpusob_Kryti_3", "EditMisto3"};
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget* now = QApplication::focusWidget();
        ASSERT_NE(now, nullptr);
        // An editable choice box focuses its line edit.
        const QString focused = qobject_cast<QComboBox*>(now->parentWidget())
                                    ? now->parentWidget()->objectName()
                                    : now->objectName();
        ASSERT_EQ(focused.toStdString(), order[i]);
        QTest::keyClick(now, Qt::Key_Return);
        QApplication::processEvents();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Memo());
    QTest::keyClick(Memo(), Qt::Key_Tab);
    EXPECT_TRUE(Field("EditPocetPes")->hasFocus());
    QTest::keyClick(Field("EditPocetPes"), Qt::Key_Down);
    EXPECT_TRUE(Field("EditPocetFena")->hasFocus());
    QTest::keyClick(Field("EditPocetFena"), Qt::Key_Return);
    EXPECT_TRUE(Covered()->hasFocus());
    QTest::keyClick(Covered(), Qt::Key_Return);
    EXPECT_TRUE(Field("EditDatumVrh")->hasFocus());
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
}

TEST_F(MatingEntry, PartnerAndFirstDateAloneWriteARowWithEverythingElseEmpty) {
    Set("EditPartner", kDog);
    Set("Edit_datum_kryti_1", "3.5.2026");
    Press("Button2");
    EXPECT_EQ(Messages(), QStringList{kDone});
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(form_->result(), QDialog::Accepted);

    auto row = StoredRow();
    EXPECT_EQ(row->FieldByName("Jmeno_registr").AsString(), kBitch);
    EXPECT_EQ(row->FieldByName("Jmeno_partner").AsString(), kDog);
    EXPECT_EQ(row->FieldByName("Datum_kryti_1").AsDate(), QDate(2026, 5, 3));
    EXPECT_FALSE(row->FieldByName("Nakryta_Ano_Ne").AsBoolean());
    for (const char* column :
         {"Majitel", "Asistence", "Datum_kryti_2", "Datum_kryti_3", "Zpusob_Kryti_1",
          "Zpusob_Kryti_2", "Zpusob_Kryti_3", "Misto_Kryti_1", "Misto_Kryti_2", "Misto_Kryti_3",
          "Chovatel_zamer", "Datum_vrhu", "Pocet_pes", "Pocet_fena", "Poznamka"}) {
        EXPECT_TRUE(row->FieldByName(column).IsNull()) << column;
    }
}

TEST_F(MatingEntry, EveryFieldGoesToItsColumnTakingNoMoreThanItHolds) {
    Set("EditPartner", kDog);
    Set("Edit_Majitel", QString(60, QLatin1Char('M')));
    Set("EditAsistence", QStringLiteral("Ing. \"Pepa\"; Novák"));
    Set("Edit_datum_kryti_1", "3.5.2026");
    Set("Edit_datum_kryti_2", "5.5.2026");
    Set("Edit_datum_kryti_3", "7.5.2026");
    Combo("ComboZpusob_Kryti_1")->setCurrentIndex(0);
    Combo("ComboZpusob_Kryti_2")->setCurrentIndex(1);
    Combo("ComboZpusob_Kryti_3")->setEditText(QStringLiteral("vlastní; \"jiný\" způsob"));
    Set("EditMisto1", QStringLiteral("Praha"));
    Set("EditMisto3", QStringLiteral("Brno"));
    Memo()->setPlainText(QString(150, QLatin1Char('z')));
    Set("EditPocetPes", "3");
    Set("EditPocetFena", "4");
    Covered()->setChecked(true);
    Set("EditDatumVrh", "5.7.2026");
    Press("Button2");
    ASSERT_EQ(Messages(), QStringList{kDone});

    auto row = StoredRow();
    EXPECT_EQ(row->FieldByName("Majitel").AsString(), QString(40, QLatin1Char('M')));
    EXPECT_EQ(row->FieldByName("Asistence").AsString(), "Ing. \"Pepa\"; Novák");
    EXPECT_EQ(row->FieldByName("Datum_kryti_2").AsDate(), QDate(2026, 5, 5));
    EXPECT_EQ(row->FieldByName("Datum_kryti_3").AsDate(), QDate(2026, 5, 7));
    // Every offered manner fits its column whole.
    EXPECT_EQ(row->FieldByName("Zpusob_Kryti_1").AsString(), "přirozený (přírodní)");
    EXPECT_EQ(row->FieldByName("Zpusob_Kryti_2").AsString(), "inseminace");
    // A typed manner stops at the column's width as it is typed.
    EXPECT_EQ(row->FieldByName("Zpusob_Kryti_3").AsString(), "vlastní; \"jiný\" způs");
    EXPECT_EQ(row->FieldByName("Misto_Kryti_1").AsString(), "Praha");
    EXPECT_TRUE(row->FieldByName("Misto_Kryti_2").IsNull());
    EXPECT_EQ(row->FieldByName("Misto_Kryti_3").AsString(), "Brno");
    EXPECT_EQ(row->FieldByName("Chovatel_zamer").AsString(), QString(100, QLatin1Char('z')));
    EXPECT_EQ(row->FieldByName("Pocet_pes").AsInteger(), 3);
    EXPECT_EQ(row->FieldByName("Pocet_fena").AsInteger(), 4);
    EXPECT_TRUE(row->FieldByName("Nakryta_Ano_Ne").AsBoolean());
    EXPECT_EQ(row->FieldByName("Datum_vrhu").AsDate(), QDate(2026, 7, 5));
    EXPECT_TRUE(row->FieldByName("Poznamka").IsNull());
}

// Each field takes as many characters as its column holds, so nothing
// typed is cut when it is written.
TEST_F(MatingEntry, TheFieldsTakeNoMoreThanTheirColumnsHold) {
    QTest::keyClicks(Field("EditPartner"), QString(55, QLatin1Char('p')));
    EXPECT_EQ(Field("EditPartner")->text().size(), 50);
    Field("Edit_Majitel")->setFocus();
    QTest::keyClicks(Field("Edit_Majitel"), QString(65, QLatin1Char('m')));
    EXPECT_EQ(Field("Edit_Majitel")->text().size(), 40);
    Field("EditAsistence")->setFocus();
    QTest::keyClicks(Field("EditAsistence"), QString(55, QLatin1Char('a')));
    EXPECT_EQ(Field("EditAsistence")->text().size(), 50);
    // The intention takes 100 characters, typed or pasted.
    Memo()->setFocus();
    Memo()->insertPlainText(QString(95, QLatin1Char('z')));
    QTest::keyClicks(Memo(), "abcdefgh");
    EXPECT_EQ(Memo()->toPlainText().size(), 100);
    EXPECT_TRUE(Memo()->toPlainText().endsWith("zabcde"));
    Memo()->insertPlainText(QStringLiteral("více"));
    EXPECT_EQ(Memo()->toPlainText().size(), 100);
}

TEST_F(MatingEntry, BothChecksAreShownInOrderThenTheRefusal) {
    Press("Button2");
    EXPECT_EQ(Messages(),
              QStringList({"Není zadáno jméno partnera", "Neplatné datum 1. krytí", kRefused}));
    for (const platform::MessageRequest& shown : messages_.Shown()) {
        EXPECT_EQ(shown.icon, platform::MessageIcon::Error);
        EXPECT_EQ(shown.buttons, platform::mbOK);
    }
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Rows(), 0);
    messages_.Clear();

    Set("EditPartner", "   ");
    Set("Edit_datum_kryti_1", "1.2.2026");
    Press("Button2");
    EXPECT_EQ(Messages(), QStringList({"Není zadáno jméno partnera", kRefused}));
    messages_.Clear();

    Set("EditPartner", kDog);
    Set("Edit_datum_kryti_1", "31.2.2026");  // no such day
    Press("Button2");
    EXPECT_EQ(Messages(), QStringList({"Neplatné datum 1. krytí", kRefused}));
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Field("EditPartner")->text(), kDog);
}

TEST_F(MatingEntry, ACountTheStoreRefusesDropsTheRowAndKeepsTheInput) {
    Set("EditPartner", kDog);
    Set("Edit_datum_kryti_1", "3.5.2026");
    Set("EditPocetPes", "tři");
    Press("Button2");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_NE(Messages()[0], kDone);
    EXPECT_TRUE(Messages()[0].contains("Pocet_pes")) << Messages()[0].toStdString();
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(dm_->TaKryti.State(), platform::DataSetState::Browse);
    EXPECT_EQ(Field("EditPocetPes")->text(), "tři");
    EXPECT_EQ(Field("EditPartner")->text(), kDog);
    messages_.Clear();

    Set("EditPocetPes", "70000");  // beyond a small integer
    Press("Button2");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_NE(Messages()[0], kDone);
    EXPECT_EQ(Rows(), 0);
    messages_.Clear();

    Set("EditPocetPes", "2");
    Press("Button2");
    EXPECT_EQ(Messages(), QStringList{kDone});
    EXPECT_EQ(StoredRow()->FieldByName("Pocet_pes").AsInteger(), 2);
}

TEST_F(MatingEntry, ALaterDateThatIsNoDateIsRefusedByTheStore) {
    Set("EditPartner", kDog);
    Set("Edit_datum_kryti_1", "3.5.2026");
    Set("EditDatumVrh", "32.7.2026");  // never left, so never completed
    Press("Button2");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_NE(Messages()[0], kDone);
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(form_->isVisible());
}

TEST_F(MatingEntry, LeavingADateCompletesItOrComplains) {
    TKEdit* first = Field("Edit_datum_kryti_1");
    first->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(first, "5,3");
    EXPECT_EQ(first->text(), "5.3");
    QTest::keyClick(first, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(first->text(), "5.3.2026");

    TKEdit* second = Field("Edit_datum_kryti_2");
    second->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(second, "31.4.2026");
    QTest::keyClick(second, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Messages(), QStringList{"Chybné datum !"});
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(second->text(), "31.4.2026");
    messages_.Clear();
    second->clear();
    QTest::keyClick(second, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(Messages().isEmpty());

    // The litter date completes too but keeps a typed comma.
    TKEdit* litter = Field("EditDatumVrh");
    litter->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(litter, "12");
    QTest::keyClick(litter, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(litter->text(), "12.12.2026");
    litter->setFocus(Qt::TabFocusReason);
    litter->clear();
    QTest::keyClicks(litter, "1,2");
    EXPECT_EQ(litter->text(), "1,2");
}

TEST_F(MatingEntry, LettersInACountOrADateDoNotSlipThrough) {
    TKEdit* first = Field("Edit_datum_kryti_1");
    first->setFocus(Qt::TabFocusReason);
    for (QChar c : QStringLiteral("pátek")) {
        QTest::sendKeyEvent(QTest::Click, first, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QTest::keyClick(first, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Messages(), QStringList{"Chybné datum !"});
    messages_.Clear();
    Set("EditPartner", kDog);
    Press("Button2");
    EXPECT_EQ(Messages().back(), kRefused);
    EXPECT_EQ(Rows(), 0);
}

TEST_F(MatingEntry, ThePartnerComesFromThePickList) {
    Set("EditPartner", QStringLiteral("starý"));
    {
        testing_support::ScriptedModal modal([this](QDialog& dialog) {
            auto* list = qobject_cast<TFoSeznam*>(&dialog);
            EXPECT_NE(list, nullptr);
            dm_->Query_MainCard.Locate("Jmeno_registr", kDog);
            QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtnOK"), Qt::LeftButton);
            return dialog.result();
        });
        Press("BtnPartner");
    }
    EXPECT_EQ(Field("EditPartner")->text(), kDog);
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
    {
        testing_support::ScriptedModal modal([](QDialog& dialog) {
            dialog.reject();
            return dialog.result();
        });
        Press("BtnPartner");
    }
    EXPECT_EQ(Field("EditPartner")->text(), kDog);
    EXPECT_TRUE(Messages().isEmpty());
}

// Bára and Aron share their sire, so their litter is 12.50 % inbred; the line
// follows every change of the partner and reads "neznámý" for a name the
// kennel does not know.
TEST_F(MatingEntry, TheLiveLineShowsThePlannedLittersInbreeding) {
    for (const QString& name : {kBitch, kDog}) {
        ASSERT_TRUE(dm_->TaMain_Card.Locate("Jmeno_registr", name));
        dm_->TaMain_Card.Edit();
        dm_->TaMain_Card.FieldByName("Otec").SetAsString(QStringLiteral("Bojar"));
        dm_->TaMain_Card.FieldByName("Matka").SetAsString(name + QStringLiteral(" matka"));
        dm_->TaMain_Card.Post();
    }
    auto* line = form_->findChild<QLabel*>("LabelKoeficientVrhu");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "Koeficient příbuzenské plemenitby vrhu: neznámý");
    Set("EditPartner", kDog);
    EXPECT_EQ(line->text(), "Koeficient příbuzenské plemenitby vrhu: 12.50 %");
    Set("EditPartner", QStringLiteral("Cizí pes"));
    EXPECT_EQ(line->text(), "Koeficient příbuzenské plemenitby vrhu: neznámý");
    Set("EditPartner", kDog + QStringLiteral("  "));
    EXPECT_EQ(line->text(), "Koeficient příbuzenské plemenitby vrhu: 12.50 %");
    EXPECT_TRUE(line->isVisible());
}

TEST_F(MatingEntry, AnEmptyOwnerTakesTheAddressKeyWithoutAQuestion) {
    {
        auto modal = AddressBookAnswer(QStringLiteral("MVDr. Černá"), "BtnOK");
        Press("BtnMajitel");
    }
    EXPECT_EQ(Field("Edit_Majitel")->text(), "MVDr. Černá");
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MatingEntry, AFilledFieldIsReplacedOnlyAfterYes) {
    Set("EditAsistence", QStringLiteral("Dvořák Jan"));
    {
        auto modal = AddressBookAnswer(QStringLiteral("MVDr. Černá"), "BtnOK");
        messages_.Answer(platform::mbNo);
        Press("BtnAsistence");
    }
    // The address book opened on the entry the field names.
    EXPECT_EQ(shownKey_, "Dvořák Jan");
    EXPECT_EQ(Messages(), QStringList{kOverwrite});
    EXPECT_EQ(messages_.Shown()[0].buttons, platform::mbYes | platform::mbNo);
    EXPECT_EQ(Field("EditAsistence")->text(), "Dvořák Jan");
    messages_.Clear();
    {
        auto modal = AddressBookAnswer(QStringLiteral("MVDr. Černá"), "BtnOK");
        messages_.Answer(platform::mbYes);
        Press("BtnAsistence");
    }
    EXPECT_EQ(Messages(), QStringList{kOverwrite});
    EXPECT_EQ(Field("EditAsistence")->text(), "MVDr. Černá");
}

TEST_F(MatingEntry, ClosingTheAddressBookWithoutOkChangesNothing) {
    Set("Edit_Majitel", QStringLiteral("někdo"));
    {
        auto modal = AddressBookAnswer(QStringLiteral("MVDr. Černá"), "BtnStorno");
        Press("BtnMajitel");
    }
    EXPECT_EQ(Field("Edit_Majitel")->text(), "někdo");
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MatingEntry, StornoClosesWithoutWriting) {
    Set("EditPartner", kDog);
    Set("Edit_datum_kryti_1", "3.5.2026");
    Press("Button1");
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(form_->result(), QDialog::Rejected);
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(Messages().isEmpty());
}

}  // namespace
