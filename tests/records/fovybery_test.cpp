// The special selections form driven by its controls: the condition text of
// every page in its exact form, date completion on leaving, the mating
// period, the approval options, typed quotes doubled, the address-book and
// animal buttons, page choice by name, and ticks and values kept between
// showings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/dmunit.h"
#include "controls/K_Edit.h"
#include "controls/db_grid.h"
#include "platform/store/field.h"
#include "records/fovybery.h"
#include "tests/support/qt_printers.h"
#include "tests/support/seams.h"

using testing_support::ScriptedMessages;
using testing_support::ScriptedModal;

namespace {

const QDate kToday(2026, 12, 9);

class Selections : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::Database::CreateSchema(folder_.path() + "/");
        dm_ = std::make_unique<TDM1>(folder_.path() + "/");
        form_ = std::make_unique<TFoVybery>(*dm_);
    }

    void Show(const char* page) {
        ASSERT_TRUE(form_->SelectPage(page));
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }

    template <typename T>
    T* Find(const char* name) const {
        T* widget = form_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void Tick(const char* key) {
        Find<QCheckBox>((QByteArray("Aktivace") + key).constData())->setChecked(true);
    }
    void Type(const char* name, const QString& text) { Find<QLineEdit>(name)->setText(text); }
    void Choose(const char* name, const QString& text) { Find<QComboBox>(name)->setEditText(text); }

    // Types into a field as a user does and leaves it with Tab.
    void TypeAndLeave(const char* name, const QString& text) {
        QLineEdit* field = Find<QLineEdit>(name);
        field->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        field->clear();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
        QApplication::processEvents();
    }

    QString Condition(int book) const { return form_->SelectionCondition(book); }

    void AddCard(const QString& name) {
        dm_->TaMain_Card.Append();
        dm_->TaMain_Card.FieldByName("Jmeno_registr").SetAsString(name);
        dm_->TaMain_Card.Post();
    }

    QTemporaryDir folder_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoVybery> form_;
    ScriptedMessages messages_;
};

}  // namespace

TEST_F(Selections, NothingTickedGivesNoConditionAndBooksWithoutAPageNeverDo) {
    EXPECT_EQ(form_->windowTitle(), "Zvláštní výběry");
    for (int book = -1; book <= 10; ++book) {
        EXPECT_EQ(Condition(book), "") << book;
    }
    // Every tick of every page ticked: the pedigree and the photos stay empty.
    for (QCheckBox* tick : form_->findChildren<QCheckBox*>()) {
        if (tick->objectName().startsWith("Aktivace")) {
            EXPECT_EQ(tick->toolTip(), "Aktivace zadaného  výběru");
            tick->setChecked(true);
        }
    }
    EXPECT_EQ(Condition(7), "");
    EXPECT_EQ(Condition(9), "");
    EXPECT_EQ(Condition(10), "");
    EXPECT_FALSE(Condition(0).isEmpty());
}

TEST_F(Selections, PagesAreChosenByNameWithoutRegardToCase) {
    const std::pair<const char*, const char*> pages[] = {{"Evidlist", "EVIDENČNÍ LIST"},
                                                         {"osetreni", "ZDRAVOTNÍ KARTA"},
                                                         {"vystavy", "VÝSTAVY"},
                                                         {"tituly", "TITULY"},
                                                         {"chovnost", "CHOVNOST"},
                                                         {"vrhy", "VRHY"},
                                                         {"kryti", "KRYTÍ"},
                                                         {"Zkousky", "ZKOUŠKY"}};
    for (const auto& [name, heading] : pages) {
        ASSERT_TRUE(form_->SelectPage(name)) << name;
        EXPECT_EQ(form_->CurrentPageName().compare(name, Qt::CaseInsensitive), 0);
        auto* title =
            form_->findChild<QLabel*>(QStringLiteral("Nadpis_") + form_->CurrentPageName());
        ASSERT_NE(title, nullptr) << name;
        EXPECT_EQ(title->text(), QString::fromUtf8(heading));
    }
    EXPECT_FALSE(form_->SelectPage("rodokmen"));
    int shown = 0;
    ScriptedModal modal([&](QDialog&) { return ++shown, int(QDialog::Accepted); });
    EXPECT_FALSE(form_->ShowPage("Foto"));
    EXPECT_EQ(shown, 0);
}

TEST_F(Selections, RecordSheetPageTextsAndFixedTexts) {
    Tick("Chovatel");
    Type("Chovatel", "Chovatelská stanice z Lipové aleje");
    EXPECT_EQ(Condition(0), "CHOVATEL =\"Chovatelská stanice z Lipové aleje\" AND ");
    Tick("Majitel");
    Type("Majitel", " Jan Novák ");  // untrimmed
    Tick("DKK");
    Tick("PRA");
    Tick("Luxace");
    EXPECT_EQ(Condition(0),
              "CHOVATEL =\"Chovatelská stanice z Lipové aleje\" AND Majitel =\" Jan Novák \" AND "
              "DKK= \"\" AND PRA= \"\" AND Luxace =\"\" AND ");
    Find<QCheckBox>("DKKVyplneno")->setChecked(true);
    Find<QCheckBox>("PRAVyplneno")->setChecked(true);
    Find<QCheckBox>("LuxaceVyplneno")->setChecked(true);
    Find<QCheckBox>("AktivaceChovatel")->setChecked(false);
    Find<QCheckBox>("AktivaceMajitel")->setChecked(false);
    EXPECT_EQ(Condition(0), "DKK like\"_%\" AND PRA like\"_%\" AND Luxace like\"_%\" AND ");
    EXPECT_EQ(Find<QCheckBox>("LuxaceVyplneno")->text(), "Vyplněný údaj  u Luxace pattely");
}

TEST_F(Selections, OnlyTheDoctorGivesOneConditionWithTheTrailingAnd) {
    Tick("Lekar");
    Type("Lekar", "MVDr. Hana Veselá");
    EXPECT_EQ(Condition(1), "LEKAR =\"MVDr. Hana Veselá\" AND ");
    EXPECT_EQ(Condition(0), "");
}

TEST_F(Selections, VisitDatesAreCompletedOnLeavingAndCarriedInFull) {
    testing_support::FixedClock clock(kToday);
    Show("Osetreni");
    TypeAndLeave("NavstevaOd", "1.1");
    TypeAndLeave("NavstevaDo", "31,12");  // a typed comma is a period
    EXPECT_EQ(Find<QLineEdit>("NavstevaOd")->text(), "1.1.2026");
    EXPECT_EQ(Find<QLineEdit>("NavstevaDo")->text(), "31.12.2026");
    Tick("Navsteva");
    EXPECT_EQ(Condition(1), "Datum_osetreni BETWEEN \"1.1.2026\" AND \"31.12.2026\" AND ");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(Selections, ADateThatDoesNotCompleteIsRefused) {
    testing_support::FixedClock clock(kToday);
    Show("Osetreni");
    TypeAndLeave("DalsiNavstevaOd", "31.2");
    EXPECT_EQ(messages_.Texts(), QStringList{"Chybné datum !"});
    EXPECT_EQ(Find<QLineEdit>("DalsiNavstevaOd")->text(), "31.2");
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>("DalsiNavstevaOd"));
    // An empty field stays empty and is carried as an empty date text.
    Tick("DalsiNavsteva");
    Type("DalsiNavstevaOd", "");
    EXPECT_EQ(Condition(1), "Dalsi_navsteva BETWEEN \"\" AND \"\" AND ");
}

TEST_F(Selections, HealthPageInItsOrder) {
    Tick("DalsiNavsteva");
    Type("DalsiNavstevaOd", "1.6.2026");
    Type("DalsiNavstevaDo", "30.6.2026");
    Tick("Duvod");
    Choose("Duvod", "Očkování");
    Tick("Lekar");
    Type("Lekar", "MVDr. Veselá");
    EXPECT_EQ(Condition(1),
              "LEKAR =\"MVDr. Veselá\" AND Duvod_osetreni =\"Očkování\" AND "
              "Dalsi_navsteva BETWEEN \"1.6.2026\" AND \"30.6.2026\" AND ");
    EXPECT_EQ(Find<QComboBox>("Duvod")->count(), 7);
    EXPECT_EQ(Find<QComboBox>("Duvod")->itemText(0), "Prevence");
}

TEST_F(Selections, ShowPageChoicesWithTheirListsAndLimit) {
    Tick("Ucast");
    Type("UcastOd", "1.1.2025");
    Type("UcastDo", "31.12.2025");
    Tick("Druh");
    Choose("Druh", "Klubová");
    Tick("Trida");
    Choose("Trida", "Otevřená");
    Tick("Znamka");
    Choose("Znamka", "Výborný");
    Tick("Cekatelstvi1");
    Choose("Cekatelstvi1", "CAC");
    Tick("SoutezHlavni");
    Choose("SoutezHlavni", "BOB");
    Tick("SoutezOstatni");
    Choose("SoutezOstatni", "Klubový vítěz");
    EXPECT_EQ(Condition(2),
              "Datum_vystava BETWEEN \"1.1.2025\" AND \"31.12.2025\" AND Druh =\"Klubová\" AND "
              "Trida =\"Otevřená\" AND Znamka =\"Výborný\" AND Cekatelstvi_1 =\"CAC\" AND "
              "Souteze =\"BOB\" AND Souteze_ost =\"Klubový vítěz\" AND ");
    const std::pair<const char*, int> lists[] = {{"Druh", 7},         {"Trida", 10},
                                                 {"Znamka", 8},       {"Cekatelstvi1", 8},
                                                 {"SoutezHlavni", 3}, {"SoutezOstatni", 6}};
    for (const auto& [name, count] : lists) {
        QComboBox* choice = Find<QComboBox>(name);
        EXPECT_EQ(choice->count(), count) << name;
        EXPECT_TRUE(choice->isEditable()) << name;
        EXPECT_EQ(choice->lineEdit()->maxLength(), 20) << name;
    }
}

TEST_F(Selections, TitlesAndExamsPages) {
    Tick("Priznan");
    Type("PriznanOd", "1.1.2024");
    Type("PriznanDo", "31.12.2024");
    Tick("Titul");
    Choose("Titul", "Český šampion");
    Tick("TitulZeme");
    Choose("TitulZeme", "Slovensko");
    EXPECT_EQ(Condition(3),
              "Datum_Udeleni BETWEEN \"1.1.2024\" AND \"31.12.2024\" AND "
              "Titul_Jmeno =\"Český šampion\" AND Zeme =\"Slovensko\" AND ");
    // Only the first date of "Přiznán dne" turns a comma into a period.
    EXPECT_TRUE(Find<TKEditKopa>("PriznanOd")->CommaToPoint);
    EXPECT_FALSE(Find<TKEditKopa>("PriznanDo")->CommaToPoint);
    EXPECT_TRUE(Find<TKEditKopa>("SlozenaDo")->CommaToPoint);

    Tick("Zkouska");
    Choose("Zkouska", "Zkoušky vloh");
    Tick("ZkouskaZeme");
    Choose("ZkouskaZeme", "Česko");
    EXPECT_EQ(Condition(8), "Oceneni_Jmeno =\"Zkoušky vloh\" AND Zeme =\"Česko\" AND ");
    EXPECT_EQ(Find<QComboBox>("Zkouska")->count(), 13);
    EXPECT_EQ(Find<QComboBox>("Titul")->itemText(4), "Polský šampion ");
}

TEST_F(Selections, ApprovalPresetIsNotMetAndTheOtherOptionIsMet) {
    Tick("Splneni");
    EXPECT_TRUE(Find<QRadioButton>("Splneni1")->isChecked());
    EXPECT_EQ(Find<QRadioButton>("Splneni1")->text(), "Nesplnil(a) podmínky pro zařazení do chovu");
    EXPECT_EQ(Condition(4), "Chov_jedinec = 0 AND ");
    Find<QRadioButton>("Splneni2")->setChecked(true);
    EXPECT_EQ(Condition(4), "Chov_jedinec = 1 AND ");
}

TEST_F(Selections, LittersPage) {
    Tick("DatumVrhu");
    Type("DatumVrhuOd", "1.3.2024");
    Type("DatumVrhuDo", "31.3.2024");
    Tick("Pes");
    Type("Pes", "Aron z Tří dubů");
    EXPECT_EQ(Condition(5),
              "Datum BETWEEN \"1.3.2024\" AND \"31.3.2024\" AND "
              "Jmeno_reg_otec =\"Aron z Tří dubů\" AND ");
}

TEST_F(Selections, MatingPeriodTestsAllThreeDatesInParentheses) {
    Tick("Obdobi");
    Type("ObdobiOd", "1.4.2025");
    Type("ObdobiDo", "30.4.2025");
    Tick("Kryti");
    EXPECT_TRUE(Find<QRadioButton>("Kryti1")->isChecked());
    EXPECT_EQ(Condition(6),
              "(Datum_kryti_1 BETWEEN \"1.4.2025\" AND \"30.4.2025\" OR "
              "Datum_kryti_2 BETWEEN \"1.4.2025\" AND \"30.4.2025\" OR "
              "Datum_kryti_3 BETWEEN \"1.4.2025\" AND \"30.4.2025\") AND "
              "Nakryta_Ano_Ne = \"TRUE\" AND ");
    Find<QRadioButton>("Kryti2")->setChecked(true);
    Tick("Partner");
    Type("Partner", "Brok");
    EXPECT_TRUE(
        Condition(6).endsWith("Jmeno_partner =\"Brok\" AND Nakryta_Ano_Ne = \"FALSE\" AND "))
        << Condition(6).toStdString();
}

TEST_F(Selections, TypedQuotesAreDoubledSoTheStoreReadsThemAsText) {
    Tick("Lekar");
    Type("Lekar", "MVDr. \"Doktor\" Novák");
    EXPECT_EQ(Condition(1), "LEKAR =\"MVDr. \"\"Doktor\"\" Novák\" AND ");
    Tick("Navsteva");
    Type("NavstevaOd", "1\"");
    EXPECT_TRUE(Condition(1).contains("BETWEEN \"1\"\"\" AND \"\""));
}

TEST_F(Selections, TheQuotedDoctorFindsExactlyHisVisits) {
    for (const char* doctor : {"MVDr. \"Doktor\" Novák", "MVDr. Novák", "Jiný"}) {
        dm_->TaOsetreni.Append();
        dm_->TaOsetreni.FieldByName("Jmeno_registr").SetAsString("Aron");
        dm_->TaOsetreni.FieldByName("Lekar").SetAsString(QString::fromUtf8(doctor));
        dm_->TaOsetreni.Post();
    }
    Tick("Lekar");
    Type("Lekar", "MVDr. \"Doktor\" Novák");
    QString where = Condition(1);
    where.chop(4);
    dm_->RunBookQuery(1, QString(), where);
    ASSERT_TRUE(dm_->QPomknihy.IsActive());
    ASSERT_EQ(dm_->QPomknihy.RecordCount(), 1);
    EXPECT_EQ(dm_->QPomknihy.FieldByName("Lekar").AsString(), "MVDr. \"Doktor\" Novák");
    // A typed text that tries to widen the condition finds nothing.
    Type("Lekar", "x\" OR Lekar <> \"");
    where = Condition(1);
    where.chop(4);
    dm_->RunBookQuery(1, QString(), where);
    EXPECT_EQ(dm_->QPomknihy.RecordCount(), 0);
    EXPECT_TRUE(messages_.Texts().isEmpty());
    dm_->TaOsetreni.Refresh();
    EXPECT_EQ(dm_->TaOsetreni.RecordCount(), 3);
}

TEST_F(Selections, CancellingTheAddressBookEmptiesTheBreeder) {
    Type("Chovatel", "Stará stanice");
    int shown = 0;
    ScriptedModal modal([&](QDialog&) { return ++shown, int(QDialog::Rejected); });
    QTest::mouseClick(Find<QPushButton>("BtnChovatel"), Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Find<QLineEdit>("Chovatel")->text(), "");
}

TEST_F(Selections, TheAddressBookFillsTheDoctor) {
    dm_->TaAdresar.Open();
    for (const char* key : {"MVDr. Hana Veselá", "MVDr. Petr Malý"}) {
        dm_->TaAdresar.Append();
        dm_->TaAdresar.FieldByName("Nazev_Key").SetAsString(QString::fromUtf8(key));
        dm_->TaAdresar.Post();
    }
    Type("Lekar", "MVDr. Petr Malý");
    QString startedAt;
    ScriptedModal modal([&](QDialog&) {
        startedAt = dm_->TaAdresar.FieldByName("Nazev_Key").AsString();
        dm_->TaAdresar.First();
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(Find<QPushButton>("BtnLekar"), Qt::LeftButton);
    EXPECT_EQ(startedAt, "MVDr. Petr Malý");
    EXPECT_EQ(Find<QLineEdit>("Lekar")->text(), "MVDr. Hana Veselá");
}

TEST_F(Selections, TheAnimalButtonPutsThePickedSire) {
    AddCard("Aron z Tří dubů");
    AddCard("Brok od Vltavy");
    ScriptedModal modal([](QDialog& dialog) {
        auto* grid = dialog.findChild<TDbGridKOPA*>("DBGrid1");
        for (int row = 0; grid != nullptr && row < grid->model()->rowCount(); ++row) {
            const QModelIndex cell = grid->model()->index(row, 0);
            if (cell.data().toString() == "Brok od Vltavy") {
                grid->setCurrentIndex(cell);
            }
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtnOK"), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(Find<QPushButton>("BtnPes"), Qt::LeftButton);
    EXPECT_EQ(Find<QLineEdit>("Pes")->text(), "Brok od Vltavy");
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
    // Storno leaves the partner as it was.
    Type("Partner", "Cyril");
    ScriptedModal cancel([](QDialog&) { return int(QDialog::Rejected); });
    QTest::mouseClick(Find<QPushButton>("BtnPartner"), Qt::LeftButton);
    EXPECT_EQ(Find<QLineEdit>("Partner")->text(), "Cyril");
}

TEST_F(Selections, OkAndStornoOnlyCloseAndEverythingStays) {
    Tick("Lekar");
    Type("Lekar", "MVDr. Veselá");
    ScriptedModal ok([&](QDialog& dialog) {
        EXPECT_EQ(&dialog, form_.get());
        EXPECT_EQ(form_->CurrentPageName(), "Osetreni");
        QTest::mouseClick(dialog.findChild<QPushButton*>("BtnOK"), Qt::LeftButton);
        return dialog.result();
    });
    EXPECT_TRUE(form_->ShowPage("osetreni"));
    ScriptedModal storno([&](QDialog& dialog) {
        EXPECT_EQ(form_->CurrentPageName(), "Vystavy");
        QTest::mouseClick(dialog.findChild<QPushButton*>("BtnStorno"), Qt::LeftButton);
        return dialog.result();
    });
    EXPECT_FALSE(form_->ShowPage("vystavy"));
    EXPECT_EQ(Condition(1), "LEKAR =\"MVDr. Veselá\" AND ");
    EXPECT_TRUE(Find<QCheckBox>("AktivaceLekar")->isChecked());
}

TEST_F(Selections, TheMatingPeriodFindsAMatingByAnyOfItsThreeDates) {
    dm_->TaKryti.Open();
    const auto mating = [&](const char* partner, const char* first, const char* third,
                            bool success) {
        dm_->TaKryti.Append();
        dm_->TaKryti.FieldByName("Jmeno_registr").SetAsString("Bára");
        dm_->TaKryti.FieldByName("Jmeno_partner").SetAsString(QString::fromUtf8(partner));
        dm_->TaKryti.FieldByName("Datum_kryti_1").SetAsString(first);
        if (*third != '\0') {
            dm_->TaKryti.FieldByName("Datum_kryti_3").SetAsString(third);
        }
        dm_->TaKryti.FieldByName("Nakryta_Ano_Ne").SetAsBoolean(success);
        dm_->TaKryti.Post();
    };
    mating("První", "3.4.2025", "", true);
    mating("Třetí", "20.3.2025", "2.4.2025", true);
    mating("Mimo", "1.5.2025", "3.5.2025", true);
    mating("Neúspěšný", "10.4.2025", "", false);
    Tick("Obdobi");
    Type("ObdobiOd", "1.4.2025");
    Type("ObdobiDo", "30.4.2025");
    Tick("Kryti");
    QString where = Condition(6);
    where.chop(4);
    dm_->RunBookQuery(6, QStringLiteral("Jmeno_partner ASC"), where);
    ASSERT_TRUE(dm_->QPomknihy.IsActive());
    QStringList partners;
    for (dm_->QPomknihy.First(); !dm_->QPomknihy.Eof(); dm_->QPomknihy.Next()) {
        partners << dm_->QPomknihy.FieldByName("Jmeno_partner").AsString();
    }
    EXPECT_EQ(partners, (QStringList{"První", "Třetí"}));
    Find<QRadioButton>("Kryti2")->setChecked(true);
    where = Condition(6);
    where.chop(4);
    dm_->RunBookQuery(6, QString(), where);
    ASSERT_EQ(dm_->QPomknihy.RecordCount(), 1);
    EXPECT_EQ(dm_->QPomknihy.FieldByName("Jmeno_partner").AsString(), "Neúspěšný");
    EXPECT_TRUE(messages_.Texts().isEmpty());
}
