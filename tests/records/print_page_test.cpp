// The record sheet's print page driven through its controls: the list query
// each source builds from the filter rows, the special selection and the
// sort levels; the store's refusal; the page update per source with its
// grids and template lists; "Vyčistit filtr"; the "Do" copy rule; the pick
// buttons; and the print button's before-report handler.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/dmunit.h"
#include "app/print_sources.h"
#include "controls/db_grid.h"
#include "platform/print/fake_printer_system.h"
#include "platform/store/field.h"
#include "records/fomain.h"
#include "records/fovybery.h"
#include "records/print_btn_kopa.h"
#include "records/print_page.h"
#include "records/print_page_grids.h"
#include "report/output/output_dump.h"
#include "tests/support/qt_printers.h"
#include "tests/support/seams.h"

using testing_support::ScriptedMessages;
using testing_support::ScriptedModal;

namespace {

const QString kSqlFailed = QStringLiteral("Příkaz SQL se nepovedlo provést");

struct Card {
    const char* name;
    const char* sex;
    const char* breed;
    const char* sire;
    const char* dam;
    const char* born;
};

const Card kCards[] = {
    {"Alfa z Lipové aleje", "Fena", "Bígl", "Brok od Vltavy", "Cita", "12.3.2019"},
    {"Brok od Vltavy", "Pes", "Bígl", "Dingo", "Ela", "1.2.2017"},
    {"C", "Pes", "Jezevčík", "", "", ""},
    {"Cyril z Pasek", "Pes", "Jezevčík", "Brok od Vltavy", "Alfa z Lipové aleje", "5.6.2021"},
    {"Dora", "", "Bígl", "", "", ""},
    {"O\"Brien", "Fena", "Bígl", "", "Zora", ""},
};

class PrintPage : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(templates_.isValid());
        platform::Database::CreateSchema(Folder());
        Fill();
        sheet_ = std::make_unique<TFoMain>();
        dm_ = std::make_unique<TDM1>(Folder(), sheet_.get());
        sheet_->AttachDataModule(*dm_);
        selections_ = std::make_unique<TFoVybery>(*dm_);
        sheet_->AttachSelections(*selections_);
        sheet_->PrepareEntry(TRecordSheetEntry::rePrints);
        page_ = sheet_->PrintPage();
        ASSERT_NE(page_, nullptr);
        dm_->Sestava1.SetReportDir(templates_.path() + "/");
    }

    void TearDown() override {
        SetPreviewWindowHook(nullptr);
        SetPrinterHook(nullptr);
        sheet_.reset();
        selections_.reset();
        dm_.reset();
    }

    QString Folder() const { return folder_.path() + "/"; }

    void Fill() {
        platform::Database db(Folder());
        platform::Table cards(db, QStringLiteral("main_card.db"));
        cards.Open();
        for (const Card& card : kCards) {
            cards.Append();
            cards.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(card.name));
            cards.FieldByName("Pohlavi").SetAsString(QString::fromUtf8(card.sex));
            cards.FieldByName("Plemeno").SetAsString(QString::fromUtf8(card.breed));
            cards.FieldByName("Otec").SetAsString(QString::fromUtf8(card.sire));
            cards.FieldByName("Matka").SetAsString(QString::fromUtf8(card.dam));
            cards.FieldByName("Vlastnictvi")
                .SetAsBoolean(QByteArray(card.name) == "Brok od Vltavy");
            if (*card.born != '\0') {
                cards.FieldByName("Datum_nar").SetAsString(QString::fromUtf8(card.born));
            }
            cards.Post();
        }
        platform::Table litters(db, QStringLiteral("vrhy.db"));
        litters.Open();
        for (const char* dam : {"Alfa z Lipové aleje", "Brok od Vltavy", "O\"Brien"}) {
            litters.Append();
            litters.FieldByName("Jmeno_registr").SetAsString(QString::fromUtf8(dam));
            litters.FieldByName("Datum").SetAsString("1.5.2024");
            litters.FieldByName("Plemeno").SetAsString("Litter breed");
            litters.Post();
        }
        // A stored pedigree whose sire differs from the card's.
        platform::Table pedigrees(db, QStringLiteral("rodokmen.db"));
        pedigrees.Open();
        pedigrees.Append();
        pedigrees.FieldByName("Jmeno_registr").SetAsString("Cyril z Pasek");
        pedigrees.FieldByName("Otec").SetAsString("Zapsaný otec");
        pedigrees.Post();
        platform::Table visits(db, QStringLiteral("osetreni.db"));
        visits.Open();
        for (const char* doctor : {"MVDr. Veselá", "MVDr. Malý"}) {
            visits.Append();
            visits.FieldByName("Jmeno_registr").SetAsString("Brok od Vltavy");
            visits.FieldByName("Lekar").SetAsString(QString::fromUtf8(doctor));
            visits.Post();
        }
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
        QApplication::processEvents();
    }

    void Check(const char* name, bool on = true) { Find<QCheckBox>(name)->setChecked(on); }
    void Type(const char* name, const QString& text) { Find<QLineEdit>(name)->setText(text); }
    void Sort(int level, int entry, bool ascending = true) {
        const QByteArray number = QByteArray::number(level);
        Find<QComboBox>(("Razeni" + number).constData())->setCurrentIndex(entry);
        Find<QRadioButton>(((ascending ? "Vzestupne" : "Sestupne") + number).constData())
            ->setChecked(true);
    }
    void NoSort() {
        for (int level = 1; level <= 3; ++level) {
            Sort(level, -1);
        }
    }
    // The user picks a source in "Výběr zdroje".
    void ChooseSource(int source) {
        QComboBox* list = Find<QComboBox>("VyberZdroje");
        list->setCurrentIndex(source);
        emit list->activated(source);
        QApplication::processEvents();
    }

    // The registered names the source's grid shows, in order.
    QStringList GridNames(int source) const {
        TDbGridKOPA* grid = page_->Grid(source);
        QStringList names;
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            names << grid->model()->index(row, 0).data().toString();
        }
        return names;
    }

    QStringList Headers(int source) const {
        TDbGridKOPA* grid = page_->Grid(source);
        QStringList titles;
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            titles << grid->model()->headerData(c, Qt::Horizontal).toString();
        }
        return titles;
    }

    // A template that prints every row's registered name.
    void WriteTemplate(const QString& file) {
        QFile out(templates_.path() + "/" + file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(
            "I,0,\"Seznam\"\r\nI,2,0,826,1169,50,50,70,70,1,0\r\nI,3,2,1,30,0\r\n"
            "T,2,Jmeno_registr,10,5,400,20,Arial,10,0,0,0,0,238,\"Jmeno_registr\",0,0,0,"
            "\"\",0,\"\"\r\n");
    }

    QTemporaryDir folder_;
    QTemporaryDir templates_;
    std::unique_ptr<TFoMain> sheet_;
    std::unique_ptr<TDM1> dm_;
    std::unique_ptr<TFoVybery> selections_;
    TPrintPage* page_ = nullptr;
    ScriptedMessages messages_;
};

}  // namespace

// ---- clauses and the list query ------------------------------------------------

TEST_F(PrintPage, NoFilterAndNoSortGiveNoWhereAndNoOrderLine) {
    NoSort();
    Click("BtnAktualizace");
    EXPECT_EQ(dm_->QSeznamy.SQL(), QStringList{"Select *  from Main_card"});
    EXPECT_EQ(dm_->ListOrder, "");
    EXPECT_EQ(page_->FilterClause(), "");
    EXPECT_EQ(GridNames(0).size(), 6);
    ChooseSource(5);
    EXPECT_EQ(dm_->QPomknihy.SQL().size(), 3);
    EXPECT_EQ(GridNames(5).size(), 3);
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(PrintPage, TheFirstLevelStartsAtTheRegisteredName) {
    EXPECT_EQ(Find<QComboBox>("Razeni1")->currentText(), "Registrované jméno");
    EXPECT_EQ(Find<QComboBox>("Razeni2")->currentIndex(), -1);
    EXPECT_TRUE(Find<QRadioButton>("Vzestupne3")->isChecked());
    Click("BtnAktualizace");
    EXPECT_EQ(dm_->QSeznamy.SQL(),
              (QStringList{"Select *  from Main_card", "order by Jmeno_registr ASC"}));
    EXPECT_EQ(GridNames(0), (QStringList{"Alfa z Lipové aleje", "Brok od Vltavy", "C",
                                         "Cyril z Pasek", "Dora", "O\"Brien"}));
}

TEST_F(PrintPage, OnlyTheThirdLevelOnTheDamDescending) {
    NoSort();
    Sort(3, scMatka, false);
    Click("BtnAktualizace");
    EXPECT_EQ(dm_->ListOrder, "Matka DESC");
    EXPECT_EQ(dm_->QSeznamy.SQL().last(), "order by Matka DESC");
    EXPECT_EQ(GridNames(0).first(), "O\"Brien");  // dam Zora
}

TEST_F(PrintPage, ThreeLevelsInOrder) {
    Sort(1, scJmenoRegistr);
    Sort(2, scPlemeno);
    Sort(3, scOtec);
    Click("BtnAktualizace");
    EXPECT_EQ(dm_->ListOrder, "Jmeno_registr ASC,Plemeno ASC,Otec ASC");
    NoSort();
    Sort(1, scPlemeno, false);
    Sort(2, scJmenoRegistr);
    Click("BtnAktualizace");
    EXPECT_EQ(GridNames(0), (QStringList{"C", "Cyril z Pasek", "Alfa z Lipové aleje",
                                         "Brok od Vltavy", "Dora", "O\"Brien"}));
}

TEST_F(PrintPage, ANameRangeFromAToCLeavesOutLongerNamesBeginningWithC) {
    Check("ChbJmeno");
    Type("JmenoOd", "A");
    Type("JmenoDo", "C");
    Click("BtnAktualizace");
    EXPECT_EQ(page_->FilterClause(), "Jmeno_registr BETWEEN \"A\" AND \"C\" ");
    EXPECT_EQ(dm_->QSeznamy.SQL().at(1), "Where Jmeno_registr BETWEEN \"A\" AND \"C\" ");
    EXPECT_EQ(GridNames(0), (QStringList{"Alfa z Lipové aleje", "Brok od Vltavy", "C"}));
}

TEST_F(PrintPage, SexWithNoChoiceListsTheAnimalsWithoutSex) {
    Check("ChbPohlavi");
    EXPECT_EQ(Find<QComboBox>("Pohlavi")->currentIndex(), -1);
    Click("BtnAktualizace");
    EXPECT_EQ(page_->FilterClause(), "Pohlavi = \"\" ");
    EXPECT_EQ(GridNames(0), QStringList{"Dora"});
}

TEST_F(PrintPage, BirthDatesCompareAsDatesAndYesNoRows) {
    Check("ChbDatumNar");
    Type("DatumNarOd", "1.1.2018");
    Type("DatumNarDo", "31.12.2021");
    Check("ChbVlastnictvi");
    Click("BtnAktualizace");
    EXPECT_EQ(page_->FilterClause(),
              "Datum_nar BETWEEN \"1.1.2018\" AND \"31.12.2021\" AND Vlastnictvi = False ");
    EXPECT_EQ(GridNames(0), (QStringList{"Alfa z Lipové aleje", "Cyril z Pasek"}));
    Check("VlastnictviAno");
    Click("BtnAktualizace");
    EXPECT_TRUE(page_->FilterClause().endsWith("Vlastnictvi = TRUE "));
    EXPECT_TRUE(GridNames(0).isEmpty());
    EXPECT_TRUE(messages_.Texts().isEmpty());
}

TEST_F(PrintPage, ARecordSheetFilterAppliesToTheLittersOfBitchesOnly) {
    Check("ChbPohlavi");
    Find<QComboBox>("Pohlavi")->setCurrentIndex(0);  // "Fena"
    ChooseSource(5);
    EXPECT_EQ(page_->FilterClause(), "Main_card.Pohlavi = \"Fena\" ");
    EXPECT_EQ(GridNames(5), (QStringList{"Alfa z Lipové aleje", "O\"Brien"}));
    EXPECT_EQ(dm_->QPomknihy.SQL().at(3), "where Main_card.Pohlavi = \"Fena\" ");
    EXPECT_EQ(dm_->QPomknihy.SQL().at(4), "Order by Jmeno_registr ASC");
}

TEST_F(PrintPage, TheSireFilterMeansTheCardsSireAlsoInThePedigree) {
    Check("ChbOtec");
    Type("OtecOd", "Brok od Vltavy");
    Type("OtecDo", "Brok od Vltavy");
    ChooseSource(7);
    EXPECT_EQ(GridNames(7), QStringList{"Cyril z Pasek"});
    // The grid shows the pedigree's own sire.
    EXPECT_EQ(page_->Grid(7)->model()->index(0, 1).data().toString(), "Zapsaný otec");
    Type("OtecOd", "Zapsaný otec");
    Type("OtecDo", "Zapsaný otec");
    Click("BtnAktualizace");
    EXPECT_TRUE(GridNames(7).isEmpty());
}

TEST_F(PrintPage, AValueWithADoubleQuoteFindsItsRowAndChangesNothingElse) {
    Check("ChbJmeno");
    Type("JmenoOd", "O\"Brien");
    Type("JmenoDo", "O\"Brien");
    Click("BtnAktualizace");
    EXPECT_EQ(page_->FilterClause(), "Jmeno_registr BETWEEN \"O\"\"Brien\" AND \"O\"\"Brien\" ");
    EXPECT_EQ(GridNames(0), QStringList{"O\"Brien"});
    ChooseSource(5);
    EXPECT_EQ(GridNames(5), QStringList{"O\"Brien"});
    // A typed text that tries to widen the condition is searched for as text.
    ChooseSource(0);
    Type("JmenoOd", "A\" OR \"\"=\"");
    Type("JmenoDo", "A\" OR \"\"=\"");
    Click("BtnAktualizace");
    EXPECT_TRUE(GridNames(0).isEmpty());
    EXPECT_TRUE(messages_.Texts().isEmpty());
    dm_->TaMain_Card.Refresh();
    EXPECT_EQ(dm_->TaMain_Card.RecordCount(), 6);
}

TEST_F(PrintPage, AFilterTheStoreRejectsShowsTheErrorAndAnEmptyGrid) {
    Click("BtnAktualizace");
    ASSERT_EQ(GridNames(0).size(), 6);
    Check("ChbDatumNar");
    Type("DatumNarOd", "leden");
    Type("DatumNarDo", "1.1.2020");
    Click("BtnAktualizace");
    EXPECT_EQ(messages_.Texts(), QStringList{kSqlFailed});
    EXPECT_EQ(messages_.Shown().at(0).icon, platform::MessageIcon::Error);
    EXPECT_FALSE(dm_->QSeznamy.IsActive());
    EXPECT_TRUE(GridNames(0).isEmpty());
    // The same on an event book.
    messages_.Clear();
    ChooseSource(2);
    EXPECT_EQ(messages_.Texts(), QStringList{kSqlFailed});
    EXPECT_TRUE(GridNames(2).isEmpty());
}

// ---- the page per source ------------------------------------------------------------

TEST_F(PrintPage, ThePageFollowsTheSource) {
    auto* grids = Find<QStackedWidget>("GridPages");
    for (int source = 0; source < kPrintSourceCount; ++source) {
        ChooseSource(source);
        EXPECT_EQ(page_->Source(), source);
        EXPECT_EQ(grids->currentWidget(), page_->Grid(source)) << source;
        EXPECT_EQ(Find<QToolButton>("BtnEvidence")->isEnabled(), source == 0) << source;
        const bool selection = source != 7 && source != 9 && source != tzRodokmenEvid;
        EXPECT_EQ(Find<QPushButton>("BtnVybery")->isEnabled(), selection) << source;
        EXPECT_EQ(Find<QCheckBox>("ChbAktivace")->isEnabled(), selection) << source;
        for (int list = 0; list < kPrintSourceCount; ++list) {
            EXPECT_EQ(page_->TemplateList(list)->isEnabled(), list == source) << source;
            const QString label = QStringLiteral("LabelPredlohy%1").arg(list);
            EXPECT_EQ(sheet_->findChild<QLabel*>(label)->isEnabled(), list == source);
        }
    }
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
}

TEST_F(PrintPage, GridsShowTheirColumnsUnderTheirTitles) {
    EXPECT_EQ(Headers(0),
              (QStringList{"Jméno registrované ", "Plemeno", "Pohlaví", "Datum narození", "Otec",
                           "Matka", "Chovatel", "Majitel", "DKK", "Luxace pately", "PRA"}));
    EXPECT_TRUE(page_->Grid(0)->EnterIsTab);
    EXPECT_EQ(page_->Grid(0)->EnterDirectionMove, DownMove);
    Click("BtnAktualizace");
    const QVariant alignment = page_->Grid(0)->model()->index(0, 3).data(Qt::TextAlignmentRole);
    EXPECT_TRUE(alignment.value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_EQ(page_->Grid(0)->model()->index(0, 3).data().toString(), "12.3.2019");
    // The rebuilt list's columns fit the names they show, within a limit.
    TDbGridKOPA* cards = page_->Grid(0);
    EXPECT_GE(cards->columnWidth(0), cards->fontMetrics().horizontalAdvance("Alfa z Lipové aleje"));
    for (int column = 0; column < cards->model()->columnCount(); ++column) {
        EXPECT_LE(cards->columnWidth(column), 220) << column;
    }

    ChooseSource(1);
    EXPECT_EQ(Headers(1),
              (QStringList{"Registrováné jméno", "Návštěva", "Důvod ošetřeni", "Příští návštěva",
                           "Lékař", "Otec", "Matka", "Plemeno", "Datum narození", "Pohlaví",
                           "Ve vlastnictví", "Vlastní odchov"}));
    // The event books show their rows with the card's columns beside them.
    ASSERT_EQ(GridNames(1).size(), 2);
    EXPECT_EQ(page_->Grid(1)->model()->index(0, 5).data().toString(), "Dingo");
    ChooseSource(6);
    EXPECT_EQ(Headers(6), (QStringList{"Jméno registrované", "Partner", "Datum 1. kryti",
                                       "Asistence", "Majitel partnera", "Nakryta", "Otec", "Matka",
                                       "Plemeno", "Datum narození", "Pohlaví"}));
    EXPECT_EQ(PrintGridColumns(2).size(), 15);
    EXPECT_EQ(PrintGridColumns(2)[6].title, "Čekatelstvi 1");
    EXPECT_EQ(PrintGridColumns(8)[1].title, "Druh zkoušky (název)");
    EXPECT_EQ(PrintGridColumns(7).size(), 3);
}

TEST_F(PrintPage, EvidenceShowsTheRecordPage) {
    Click("BtnEvidence");
    EXPECT_EQ(sheet_->CurrentPageName(), "Evidlist");
}

// ---- filter rows --------------------------------------------------------------------

TEST_F(PrintPage, CheckBoxesEnableTheirRows) {
    EXPECT_FALSE(Find<QLineEdit>("JmenoOd")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("BtnJmenoDo")->isEnabled());
    EXPECT_FALSE(Find<QComboBox>("PlemenoOd")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>("VlastOdchovAno")->isEnabled());
    EXPECT_EQ(Find<QCheckBox>("ChbJmeno")->toolTip(), "Aktivace zadaného  výběru");
    EXPECT_EQ(Find<QCheckBox>("ChbJmeno")->text(), "  Reg. jméno ");
    Check("ChbJmeno");
    EXPECT_TRUE(Find<QLineEdit>("JmenoOd")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("BtnJmenoDo")->isEnabled());
    Check("ChbVlastOdchov");
    EXPECT_TRUE(Find<QCheckBox>("VlastOdchovAno")->isEnabled());
}

TEST_F(PrintPage, EnteringAnEmptyToFieldCopiesTheFromValue) {
    sheet_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet_.get()));
    Check("ChbOtec");
    Type("OtecOd", "Brok od Vltavy");
    Find<QLineEdit>("OtecDo")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(Find<QLineEdit>("OtecDo")->text(), "Brok od Vltavy");
    Type("OtecOd", "Aron");
    Find<QLineEdit>("OtecOd")->setFocus(Qt::TabFocusReason);
    Find<QLineEdit>("OtecDo")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Find<QLineEdit>("OtecDo")->text(), "Brok od Vltavy");  // not empty: kept
    Check("ChbPlemeno");
    Find<QComboBox>("PlemenoOd")->setEditText("Bígl");
    Find<QComboBox>("PlemenoDo")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(Find<QComboBox>("PlemenoDo")->currentText(), "Bígl");
    sheet_->hide();
}

TEST_F(PrintPage, ClearingTheFilterAsksFirst) {
    Check("ChbJmeno");
    Type("JmenoOd", "A");
    Check("ChbVlastnictvi");
    Check("VlastnictviAno");
    Check("ChbPohlavi");
    Find<QComboBox>("Pohlavi")->setCurrentIndex(1);
    messages_.Answer(platform::mbNo);
    Click("BtnVycistitFiltr");
    ASSERT_EQ(messages_.Texts(), QStringList{"Vyčistit filtrovací podmínky ?"});
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(messages_.Shown()[0].buttons, platform::mbYes | platform::mbNo);
    EXPECT_TRUE(Find<QCheckBox>("ChbJmeno")->isChecked());
    messages_.Answer(platform::mbYes);
    Click("BtnVycistitFiltr");
    EXPECT_EQ(Find<QLineEdit>("JmenoOd")->text(), "");
    EXPECT_FALSE(Find<QCheckBox>("ChbJmeno")->isChecked());
    EXPECT_FALSE(Find<QLineEdit>("JmenoOd")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>("VlastnictviAno")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("ChbPohlavi")->isChecked());
    EXPECT_EQ(Find<QComboBox>("Pohlavi")->currentIndex(), 1);  // the sex list is kept
    EXPECT_EQ(Find<QComboBox>("Razeni1")->currentIndex(), scJmenoRegistr);
}

TEST_F(PrintPage, BirthDateFieldsAreCompletedOnLeaving) {
    testing_support::FixedClock clock(QDate(2026, 12, 9));
    sheet_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet_.get()));
    Check("ChbDatumNar");
    QLineEdit* from = Find<QLineEdit>("DatumNarOd");
    from->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(from, "1.1");
    QTest::keyClick(from, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(from->text(), "1.1.2026");
    EXPECT_EQ(Find<QLineEdit>("DatumNarDo")->text(), "1.1.2026");  // copied on entering
    sheet_->hide();
}

TEST_F(PrintPage, PickButtonsPutThePickedName) {
    Check("ChbMatka");
    ScriptedModal modal([](QDialog& dialog) {
        auto* grid = dialog.findChild<TDbGridKOPA*>("DBGrid1");
        for (int row = 0; grid != nullptr && row < grid->model()->rowCount(); ++row) {
            const QModelIndex cell = grid->model()->index(row, 0);
            if (cell.data().toString() == "Dora") {
                grid->setCurrentIndex(cell);
            }
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtnOK"), Qt::LeftButton);
        return dialog.result();
    });
    Click("BtnMatkaDo");
    EXPECT_EQ(Find<QLineEdit>("MatkaDo")->text(), "Dora");
    EXPECT_FALSE(dm_->Query_MainCard.IsActive());
}

// ---- special selection --------------------------------------------------------------

TEST_F(PrintPage, TheSpecialSelectionOpensOnTheSourcesPageAndSetsAktivace) {
    ChooseSource(1);
    QString page;
    ScriptedModal ok([&](QDialog& dialog) {
        page = static_cast<TFoVybery&>(dialog).CurrentPageName();
        dialog.findChild<QCheckBox*>("AktivaceLekar")->setChecked(true);
        dialog.findChild<QLineEdit*>("Lekar")->setText("MVDr. Veselá");
        return int(QDialog::Accepted);
    });
    Click("BtnVybery");
    EXPECT_EQ(page, "Osetreni");
    EXPECT_TRUE(Find<QCheckBox>("ChbAktivace")->isChecked());
    Click("BtnAktualizace");
    EXPECT_EQ(page_->FilterClause(), "LEKAR =\"MVDr. Veselá\" ");
    EXPECT_EQ(GridNames(1), QStringList{"Brok od Vltavy"});
    // Together with a filter row.
    Check("ChbPohlavi");
    Find<QComboBox>("Pohlavi")->setCurrentIndex(1);
    Click("BtnAktualizace");
    EXPECT_EQ(page_->FilterClause(), "Main_card.Pohlavi = \"Pes\" AND LEKAR =\"MVDr. Veselá\" ");
    EXPECT_EQ(GridNames(1).size(), 1);

    ScriptedModal storno([](QDialog&) { return int(QDialog::Rejected); });
    Click("BtnVybery");
    EXPECT_FALSE(Find<QCheckBox>("ChbAktivace")->isChecked());
    Click("BtnAktualizace");
    EXPECT_EQ(GridNames(1).size(), 2);
    // The form kept its ticks: "Aktivace" alone brings the selection back.
    Check("ChbAktivace");
    Click("BtnAktualizace");
    EXPECT_EQ(GridNames(1).size(), 1);
}

TEST_F(PrintPage, SourcesWithoutASelectionPageSayItIsNotAvailable) {
    ChooseSource(7);
    // The button is disabled there; a press reaching it anyway is answered.
    Find<QPushButton>("BtnVybery")->setEnabled(true);
    int shown = 0;
    ScriptedModal modal([&](QDialog&) { return ++shown, int(QDialog::Accepted); });
    Click("BtnVybery");
    EXPECT_EQ(messages_.Texts(), QStringList{"  Filtr není k dispozici  "});
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(shown, 0);
}

// ---- the print button -------------------------------------------------------------

TEST_F(PrintPage, ThePrintButtonIsSetUpForTheRecordSheet) {
    TPrintBtnKopa* button = Find<TPrintBtnKopa>("PrintBtnKopa1");
    EXPECT_EQ(button->Report(), &dm_->Sestava1);
    EXPECT_EQ(button->text(), "Náhled");
    EXPECT_EQ(button->CaptionPrint(), "Tisk");
    EXPECT_EQ(button->CaptionEdit(), "Editace");
    EXPECT_EQ(button->ZoomPreview, 75);
    EXPECT_EQ(button->toolTip(), "Pomocí pravého tlačítka myši lze měnit funkci tlačítka");
    QTest::mouseClick(button, Qt::RightButton);
    QTest::mouseClick(button, Qt::RightButton);
    EXPECT_EQ(button->text(), "Editace");
    QTest::mouseClick(button, Qt::RightButton);
    EXPECT_EQ(button->text(), "Náhled");
}

TEST_F(PrintPage, TheBeforeReportHandlerPointsTheReportAtTheSourceAndTemplate) {
    for (const TPrintSource& source : PrintSources()) {
        for (const TPrintTemplate& entry : source.templates) {
            WriteTemplate(entry.file);
        }
    }
    const platform::DataSource* shownSource = nullptr;
    QString shownTemplate;
    QString shownText;
    SetPreviewWindowHook([&](TSestava& r, const TWindowPlace& place) {
        shownSource = r.DataSource();
        shownTemplate = r.ReportName();
        shownText = DumpOutput(r.Output()).join('\n');
        EXPECT_EQ(place.zoom, 75);
        return true;
    });
    for (int source = 0; source < kPrintSourceCount; ++source) {
        ChooseSource(source);
        QComboBox* list = page_->TemplateList(source);
        const int installed = static_cast<int>(PrintSources()[source].templates.size());
        EXPECT_EQ(list->itemText(list->count() - 1), "Jiná předloha...");
        for (int entry = 0; entry < installed; ++entry) {
            list->setCurrentIndex(entry);
            shownSource = nullptr;
            Click("PrintBtnKopa1");
            EXPECT_EQ(shownSource, PrintDataSource(*dm_, source)) << source;
            EXPECT_EQ(shownTemplate, PrintSources()[source].templates[entry].file);
        }
    }
    // The litters' report prints the rows the grid shows.
    ChooseSource(5);
    Click("PrintBtnKopa1");
    EXPECT_TRUE(shownText.contains("Alfa z Lipové aleje")) << shownText.toStdString();
    EXPECT_TRUE(shownText.contains("O\"Brien"));
    EXPECT_FALSE(shownText.contains("Cyril z Pasek"));
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
    // The template lists keep the user's choice.
    EXPECT_EQ(page_->TemplateList(6)->currentIndex(), 3);
}

TEST_F(PrintPage, NoTemplateChosenIsReportedAndNothingRuns) {
    int previews = 0;
    SetPreviewWindowHook([&](TSestava&, const TWindowPlace&) { return ++previews, true; });
    page_->TemplateList(0)->setCurrentIndex(-1);
    Click("PrintBtnKopa1");
    EXPECT_EQ(messages_.Texts(), QStringList{"Nastala chyba při výběru, tisk nebude proveden"});
    EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(previews, 0);
}

TEST_F(PrintPage, AnEmptyListStillPrintsAnEmptyReport) {
    WriteTemplate("EvidList00.pts");
    Check("ChbJmeno");
    Type("JmenoOd", "X");
    Type("JmenoDo", "X");
    Click("BtnAktualizace");
    ASSERT_TRUE(GridNames(0).isEmpty());
    int previews = 0;
    QString text = "unset";
    SetPreviewWindowHook([&](TSestava& r, const TWindowPlace&) {
        text = DumpOutput(r.Output()).join('\n');
        return ++previews, true;
    });
    Click("PrintBtnKopa1");
    EXPECT_EQ(previews, 1);
    EXPECT_FALSE(text.contains("Alfa"));
    EXPECT_TRUE(messages_.Texts().isEmpty()) << messages_.Texts().join('|').toStdString();
}

TEST_F(PrintPage, AMissingTemplateFileIsReported) {
    ChooseSource(3);
    SetPreviewWindowHook([](TSestava&, const TWindowPlace&) { return true; });
    Click("PrintBtnKopa1");
    ASSERT_FALSE(messages_.Texts().isEmpty());
    EXPECT_TRUE(messages_.Texts()[0].startsWith("Nebyl nalezen soubor s předlohou tiskové sestavy"))
        << messages_.Texts()[0].toStdString();
    EXPECT_TRUE(messages_.Texts()[0].contains("Tituly00.pts"));
}

// An empty or damaged template: neither the preview nor the print starts,
// the user reads why, and the print page stays as it was.
TEST_F(PrintPage, AnEmptyOrDamagedTemplateIsRefusedAndThePageStaysAsItWas) {
    const QString file = templates_.path() + "/EvidList00.pts";
    platform::FakePrinterSystem printers({platform::FakePrinter::Laser("Laser")});
    printers.Install();
    int previews = 0;
    int printed = 0;
    SetPreviewWindowHook([&](TSestava&, const TWindowPlace&) { return ++previews, true; });
    SetPrinterHook([&](TSestava&, int, const QString&) { return ++printed, int(seOK); });
    Click("BtnAktualizace");
    const QStringList listed = GridNames(0);
    TPrintBtnKopa* button = Find<TPrintBtnKopa>("PrintBtnKopa1");
    const std::vector<std::pair<QByteArray, QString>> cases = {
        {"", QStringLiteral("Předloha \"%1\" je prázdná.").arg(file)},
        {"Toto neni predloha\r\n",
         QStringLiteral("Předloha \"%1\" je poškozená: řádek 1 není záznam předlohy "
                        "(\"Toto neni predloha\").")
             .arg(file)},
    };
    for (const auto& [bytes, message] : cases) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        out.close();
        for (const TKindPrint kind : {kpPreview, kpPrint}) {
            button->SetKindPrint(kind);
            messages_.Clear();
            Click("PrintBtnKopa1");
            EXPECT_EQ(messages_.Texts(), QStringList{message}) << int(kind);
            ASSERT_FALSE(messages_.Shown().empty());
            EXPECT_EQ(messages_.Shown()[0].caption, "Chyba");
            EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Error);
            EXPECT_EQ(button->KindPrint(), kind);
            EXPECT_EQ(page_->TemplateList(0)->currentIndex(), 0);
            EXPECT_EQ(GridNames(0), listed);
        }
    }
    EXPECT_EQ(previews, 0);
    EXPECT_EQ(printed, 0);
}

TEST_F(PrintPage, PrintingWithoutAPrinterWarns) {
    WriteTemplate("EvidList00.pts");
    platform::FakePrinterSystem none(std::vector<platform::FakePrinter>{});
    none.Install();
    int printed = 0;
    SetPrinterHook([&](TSestava&, int, const QString&) { return ++printed, int(seOK); });
    TPrintBtnKopa* button = Find<TPrintBtnKopa>("PrintBtnKopa1");
    QTest::mouseClick(button, Qt::RightButton);
    EXPECT_EQ(button->KindPrint(), kpPrint);
    Click("PrintBtnKopa1");
    EXPECT_EQ(messages_.Texts(), QStringList{"V systému není nainstalovaná žádná tiskárna."});
    EXPECT_EQ(messages_.Shown()[0].caption, "Varování");
    EXPECT_EQ(printed, 0);
    EXPECT_TRUE(none.Jobs().empty());
}
