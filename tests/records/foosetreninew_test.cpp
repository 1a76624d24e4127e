// The health-card entry form driven as a user drives it: the three checks in
// their order, a visit written with only the required inputs, the reason
// list and free reasons, the doctor's address-book copy, the next visit,
// the store's refusal, and bad input.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "app/foadresar.h"
#include "controls/K_Edit.h"
#include "platform/store/field.h"
#include "records/foosetreninew.h"
#include "tests/support/seams.h"

namespace {

const QString kDog = QStringLiteral("Aron z Tří dubů");
const QString kDoctor = QStringLiteral("MVDr. Černá");
const QString kDone = QStringLiteral("Příkaz byl vykonán ");
const QString kRefused = QStringLiteral("Nelze zapsat, opravte data");
const QDate kToday(2026, 12, 9);

class VisitEntry : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
        for (const QString& key : {kDoctor, QStringLiteral("MVDr. Bílý")}) {
            platform::Table addresses(dm_->Database1, "adresar.db");
            addresses.Open();
            addresses.Append();
            addresses.FieldByName("Nazev_Key").SetAsString(key);
            addresses.FieldByName("Typ").SetAsInteger(2);
            addresses.Post();
        }
        dm_->CurrentAnimal.SetJmenoRegistr(kDog);
        form_ = std::make_unique<TFoOsetreniNew>(*dm_);
        form_->Jmeno_registr->setText(kDog);
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        QApplication::processEvents();
    }

    TKEdit* Field(const char* name) { return form_->findChild<TKEdit*>(name); }
    QComboBox* Reason() { return form_->findChild<QComboBox*>("Combo_Duvod"); }
    QPlainTextEdit* Note() { return form_->findChild<QPlainTextEdit*>("Memo1"); }

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

    void FillRequired() {
        Set("Edit_lekar", kDoctor);
        Set("EditDatum_Ted", "2.11.2026");
        Reason()->setEditText(QStringLiteral("Očkování"));
    }

    std::unique_ptr<platform::Table> StoredRow() {
        auto rows = std::make_unique<platform::Table>(dm_->Database1, "osetreni.db");
        rows->Open();
        EXPECT_EQ(rows->RecordCount(), 1);
        return rows;
    }

    int Rows() {
        platform::Table rows(dm_->Database1, "osetreni.db");
        rows.Open();
        return rows.RecordCount();
    }

    QStringList Messages() const { return messages_.Texts(); }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoOsetreniNew> form_;
    testing_support::ScriptedMessages messages_;
    testing_support::FixedClock clock_{kToday};
};

TEST_F(VisitEntry, ShowsItsCaptionsReasonListAndHint) {
    EXPECT_EQ(form_->windowTitle(), "Návštěva lékaře - zápis");
    EXPECT_EQ(form_->findChild<QPushButton*>("BtnZapis")->text(), "Zápis");
    EXPECT_EQ(form_->findChild<QPushButton*>("BtnStorno")->text(), "Storno ");
    EXPECT_EQ(form_->findChild<QPushButton*>("BtnLekar")->text(), "C");
    QStringList captions;
    for (QLabel* label : form_->findChildren<QLabel*>()) {
        captions << label->text();
    }
    for (const char* caption : {"Registr. jméno  ", "Lékař", "Návštěva\ndne", "Důvod", "Popis",
                                "Výsledek", "Použité\npreparáty", "Další\nnávštěva", "Poznámka"}) {
        EXPECT_TRUE(captions.contains(QString::fromUtf8(caption))) << caption;
    }
    ASSERT_EQ(Reason()->count(), 7);
    const QStringList reasons{"Prevence",  "Prohlídka", "Vyšetření", "Očkování",
                              "Ultrazvuk", "Rentgen",   "Operace"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Reason()->itemText(i), reasons[i]);
    }
    EXPECT_EQ(Reason()->currentText(), "");
    EXPECT_EQ(Field("EditPreparaty")->toolTip(), "Jednotlivé preparáty oddělujte středníkem ;");
    EXPECT_EQ(Field("EditPreparaty")->maxLength(), 50);
    EXPECT_TRUE(Field("Edit_lekar")->hasFocus());
}

TEST_F(VisitEntry, TheThreeChecksAreShownInOrderThenTheRefusal) {
    Press("BtnZapis");
    EXPECT_EQ(Messages(), QStringList({"Není zadáno jméno lékaře", "Neplatné datum návštěvy",
                                       "Není vyplněn důvod navštěvy", kRefused}));
    for (const platform::MessageRequest& shown : messages_.Shown()) {
        EXPECT_EQ(shown.icon, platform::MessageIcon::Error);
    }
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Rows(), 0);
    messages_.Clear();

    Set("Edit_lekar", kDoctor);
    Reason()->setEditText(QStringLiteral("   "));
    Set("EditDatum_Ted", "29.2.2026");  // 2026 is no leap year
    Press("BtnZapis");
    EXPECT_EQ(Messages(),
              QStringList({"Neplatné datum návštěvy", "Není vyplněn důvod navštěvy", kRefused}));
    EXPECT_EQ(Field("Edit_lekar")->text(), kDoctor);
}

TEST_F(VisitEntry, TheRequiredInputsAloneWriteAVisitWithEverythingElseEmpty) {
    FillRequired();
    Press("BtnZapis");
    EXPECT_EQ(Messages(), QStringList{kDone});
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_FALSE(form_->isVisible());
    auto row = StoredRow();
    EXPECT_EQ(row->FieldByName("Jmeno_registr").AsString(), kDog);
    EXPECT_EQ(row->FieldByName("Lekar").AsString(), kDoctor);
    EXPECT_EQ(row->FieldByName("Datum_osetreni").AsDate(), QDate(2026, 11, 2));
    EXPECT_EQ(row->FieldByName("Duvod_osetreni").AsString(), "Očkování");
    for (const char* column :
         {"Popis_osetreni", "Vysled_osetreni", "Dalsi_navsteva", "Preparaty", "Poznamka"}) {
        EXPECT_TRUE(row->FieldByName(column).IsNull()) << column;
    }
}

TEST_F(VisitEntry, EveryFieldGoesToItsColumnAndFreeTextIsCut) {
    FillRequired();
    Reason()->setEditText(QStringLiteral("Kontrola po operaci kyčelního kloubu"));
    Set("EditPopis", QStringLiteral("Vakcína \"Nobivac\"; přeočkování"));
    Set("EditVysledek", QString(45, QLatin1Char('v')));
    Set("EditPreparaty", QStringLiteral("Nobivac DHPPi; Nobivac L4"));
    Set("Edit_Dalsi_Navsteva", "2.11.2027");
    Note()->setPlainText(QStringLiteral("řádek 1\nřádek 2"));
    Press("BtnZapis");
    ASSERT_EQ(Messages(), QStringList{kDone});
    auto row = StoredRow();
    EXPECT_EQ(row->FieldByName("Duvod_osetreni").AsString(), "Kontrola po operaci kyčelního ");
    EXPECT_EQ(row->FieldByName("Popis_osetreni").AsString(), "Vakcína \"Nobivac\"; přeočkování");
    EXPECT_EQ(row->FieldByName("Vysled_osetreni").AsString(), QString(40, QLatin1Char('v')));
    EXPECT_EQ(row->FieldByName("Preparaty").AsString(), "Nobivac DHPPi; Nobivac L4");
    EXPECT_EQ(row->FieldByName("Dalsi_navsteva").AsDate(), QDate(2027, 11, 2));
    EXPECT_TRUE(row->FieldByName("Poznamka").AsString().contains("řádek 2"));
}

TEST_F(VisitEntry, LeavingTheDatesCompletesThemOrComplains) {
    TKEdit* date = Field("EditDatum_Ted");
    date->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(date, "12");
    QTest::keyClick(date, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(date->text(), "12.12.2026");

    TKEdit* next = Field("Edit_Dalsi_Navsteva");
    next->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(next, "12.13");
    QTest::keyClick(next, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Messages(), QStringList{"Chybné datum !"});
    EXPECT_TRUE(next->hasFocus());
    messages_.Clear();
    next->clear();
    QTest::keyClicks(next, "1.3");
    QTest::keyClick(next, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(next->text(), "1.3.2026");
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(VisitEntry, ANextVisitThatIsNoDateIsRefusedAndNothingIsWritten) {
    FillRequired();
    Set("Edit_Dalsi_Navsteva", "za měsíc");
    Press("BtnZapis");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_NE(Messages()[0], kDone);
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(dm_->TaOsetreni.State(), platform::DataSetState::Browse);
    messages_.Clear();
    Set("Edit_Dalsi_Navsteva", "");
    Press("BtnZapis");
    EXPECT_EQ(Messages(), QStringList{kDone});
    EXPECT_EQ(Rows(), 1);
}

TEST_F(VisitEntry, TheDoctorComesFromTheAddressBook) {
    QString shown;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        EXPECT_NE(qobject_cast<TFoAdresar*>(&dialog), nullptr);
        shown = dm_->TaAdresar.FieldByName("Nazev_Key").AsString();
        dm_->TaAdresar.Locate("Nazev_Key", kDoctor);
        QTest::mouseClick(dialog.findChild<QPushButton*>("BtnOK"), Qt::LeftButton);
        return dialog.result();
    });
    Press("BtnLekar");
    EXPECT_EQ(Field("Edit_lekar")->text(), kDoctor);
    EXPECT_TRUE(Messages().isEmpty());

    Set("Edit_lekar", QStringLiteral("MVDr. Bílý"));
    messages_.Answer(platform::mbNo);
    Press("BtnLekar");
    EXPECT_EQ(shown, "MVDr. Bílý");
    EXPECT_EQ(Messages(), QStringList{"Přepsat údajem z adresáře ?"});
    EXPECT_EQ(Field("Edit_lekar")->text(), "MVDr. Bílý");
    messages_.Clear();
    messages_.Answer(platform::mbYes);
    Press("BtnLekar");
    EXPECT_EQ(Field("Edit_lekar")->text(), kDoctor);
}

TEST_F(VisitEntry, StornoWritesNothing) {
    FillRequired();
    Press("BtnStorno");
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(Rows(), 0);
}

TEST_F(VisitEntry, EnterMovesThroughTheFieldsInTheirOrder) {
    EXPECT_TRUE(Field("Edit_lekar")->hasFocus());
    QTest::keyClick(Field("Edit_lekar"), Qt::Key_Return);
    EXPECT_TRUE(Field("EditDatum_Ted")->hasFocus());
    QTest::keyClick(Field("EditDatum_Ted"), Qt::Key_Down);
    QWidget* focused = QApplication::focusWidget();
    EXPECT_TRUE(focused == Reason() || focused->parentWidget() == Reason());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(Field("EditPopis")->hasFocus());
    QTest::keyClick(Field("EditPopis"), Qt::Key_Return);
    EXPECT_TRUE(Field("EditVysledek")->hasFocus());
    QTest::keyClick(Field("EditVysledek"), Qt::Key_Return);
    EXPECT_TRUE(Field("EditPreparaty")->hasFocus());
    QTest::keyClick(Field("EditPreparaty"), Qt::Key_Return);
    EXPECT_TRUE(Field("Edit_Dalsi_Navsteva")->hasFocus());
    QTest::keyClick(Field("Edit_Dalsi_Navsteva"), Qt::Key_Return);
    EXPECT_TRUE(Note()->hasFocus());
    EXPECT_TRUE(Messages().isEmpty());
}

}  // namespace
