// The edit forms of shows, titles, exams and breeding approval over the
// current animal's rows: what they show, the book's own controls, edits
// going to the table through the bound fields, closing with a pending edit.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <functional>

#include "controls/combo_check.h"
#include "controls/db_grid.h"
#include "controls/db_memo.h"
#include "controls/db_navigator.h"
#include "controls/db_radio_group.h"
#include "controls/k_db_edit.h"
#include "records/fochovnost.h"
#include "records/fotituly.h"
#include "records/fovystavy.h"
#include "records/fozkousky.h"
#include "tests/records/event_book_fixture.h"

namespace {

using namespace event_book_testing;

const QString kAnimal = QStringLiteral("Hugo z Lipové aleje");
const QString kOther = QStringLiteral("Cizí pes");

class BookEdit : public BookFormTest {
  protected:
    void SetUp() override {
        BookFormTest::SetUp();
        dm_->CurrentAnimal.SetJmenoRegistr(kAnimal);
    }

    void Add(platform::Table& table, const std::vector<std::pair<const char*, QVariant>>& values) {
        table.Open();
        table.Append();
        for (const auto& [column, value] : values) {
            table.FieldByName(QString::fromLatin1(column)).SetAsVariant(value);
        }
        table.Post();
    }

    // As the record sheet opens an edit form: the table filtered to the animal.
    template <typename Form>
    Form& Open(platform::Table& table) {
        table.Open();
        table.SetFiltered(false);
        table.SetFiltered(true);
        auto form = std::make_unique<Form>(*dm_);
        Form& shown = *form;
        form_ = std::move(form);
        Show(*form_);
        return shown;
    }

    template <typename T = QWidget>
    T* In(const QString& column) const {
        T* input = form_->findChild<T*>(EditInputName(column));
        EXPECT_NE(input, nullptr) << column.toStdString();
        return input;
    }
    TDbGridKOPA* Grid() const { return form_->findChild<TDbGridKOPA*>("DBGrid1"); }
    TDBNavigatorKopa* Navigator() const {
        return form_->findChild<TDBNavigatorKopa*>("DBNavigator1");
    }
    QStringList GridTitles() const {
        QStringList titles;
        for (int c = 0; c < Grid()->model()->columnCount(); ++c) {
            titles << Grid()->model()->headerData(c, Qt::Horizontal).toString();
        }
        return titles;
    }
    void Close() {
        QTest::mouseClick(form_->findChild<QPushButton*>("BtnClose"), Qt::LeftButton);
        QApplication::processEvents();
    }

    // The column of the animal's row dated `date`, read from the file.
    QString Stored(const QString& table, const char* dateColumn, const QDate& date,
                   const char* column) {
        platform::Table rows(dm_->Database1, table);
        rows.Open();
        if (!rows.Locate(QStringLiteral("Jmeno_registr;") + dateColumn, {kAnimal, date})) {
            return QStringLiteral("<none>");
        }
        return rows.FieldByName(QString::fromLatin1(column)).AsString();
    }

    std::unique_ptr<QDialog> form_;
};

TEST_F(BookEdit, ShowsListTheAnimalsShowsWithChoiceBoxesWithoutLists) {
    Add(dm_->TaVystavy, {{"Jmeno_registr", kAnimal},
                         {"Datum_vystava", QDate(2021, 6, 18)},
                         {"Misto", QStringLiteral("Praha")},
                         {"Druh", QStringLiteral("Mezinárodní")},
                         {"Poradi", 1}});
    Add(dm_->TaVystavy, {{"Jmeno_registr", kOther}, {"Misto", QStringLiteral("Brno")}});
    Add(dm_->TaVystavy, {{"Jmeno_registr", kAnimal},
                         {"Datum_vystava", QDate(2021, 10, 10)},
                         {"Misto", QStringLiteral("Mladá Boleslav")}});
    Open<TFoVystavyEdit>(dm_->TaVystavy);
    EXPECT_EQ(form_->windowTitle(), "Výstavy - úpravy");
    EXPECT_EQ(GridTitles(), (QStringList{"Datum výstavy", "Místo"}));
    ASSERT_EQ(Grid()->model()->rowCount(), 2);
    EXPECT_EQ(Grid()->model()->index(1, 1).data().toString(), "Mladá Boleslav");
    auto* name = In<TKDBEditKopa>("Jmeno_registr");
    EXPECT_EQ(name->text(), kAnimal);
    EXPECT_TRUE(name->ReadOnly());
    EXPECT_EQ(In<QLineEdit>("Misto")->text(), "Praha");
    EXPECT_EQ(In<QLineEdit>("Misto")->maxLength(), 30);  // the column's width
    EXPECT_EQ(In<QLineEdit>("Poradi")->text(), "1");
    for (const char* column :
         {"Druh", "Trida", "Znamka", "Cekatelstvi_1", "Cekatelstvi_2", "Souteze", "Souteze_ost"}) {
        auto* choice = In<TDBComboBoxKopa>(QString::fromLatin1(column));
        ASSERT_NE(choice, nullptr);
        EXPECT_EQ(choice->count(), 0) << column;
    }
    EXPECT_EQ(In<QComboBox>("Druh")->currentText(), "Mezinárodní");
}

TEST_F(BookEdit, EveryFormHasTheNavigatorWithoutInsertAndRefresh) {
    Add(dm_->TaVystavy, {{"Jmeno_registr", kAnimal}});
    Add(dm_->TaTituly, {{"Jmeno_Registr", kAnimal}});
    Add(dm_->TaZkousky, {{"Jmeno_Registr", kAnimal}});
    Add(dm_->TaChovnost, {{"Jmeno_registr", kAnimal}});
    const std::function<void()> opens[] = {
        [this] { Open<TFoVystavyEdit>(dm_->TaVystavy); },
        [this] { Open<TFoTituly_Edit>(dm_->TaTituly); },
        [this] { Open<TFoZkouskyEdit>(dm_->TaZkousky); },
        [this] { Open<TFoChovnostEdit>(dm_->TaChovnost); },
    };
    const QStringList captions{"První", "Vzad",  "Vpřed", "Konec",
                               "Smaž",  "Oprav", "Ulož",  "Storno"};
    const TNavigateBtn shown[] = {nbFirst,  nbPrior, nbNext, nbLast,
                                  nbDelete, nbEdit,  nbPost, nbCancel};
    for (const auto& open : opens) {
        open();
        SCOPED_TRACE(form_->objectName().toStdString());
        TDBNavigatorKopa* navigator = Navigator();
        ASSERT_NE(navigator, nullptr);
        EXPECT_FALSE(navigator->VisibleButtons() & NavButton(nbInsert));
        EXPECT_FALSE(navigator->VisibleButtons() & NavButton(nbRefresh));
        for (int i = 0; i < 8; ++i) {
            EXPECT_TRUE(navigator->VisibleButtons() & NavButton(shown[i]));
            EXPECT_EQ(navigator->Button(shown[i])->text(), captions[i]);
        }
        EXPECT_EQ(form_->findChild<QPushButton*>("BtnClose")->text(), "Zavřít");
        // Every detail field has its caption.
        for (QLineEdit* edit : form_->findChildren<TKDBEditKopa*>()) {
            bool captioned = false;
            for (const QLabel* label : form_->findChildren<QLabel*>()) {
                captioned = captioned || label->buddy() == edit;
            }
            EXPECT_TRUE(captioned) << edit->objectName().toStdString();
        }
    }
}

TEST_F(BookEdit, TitlesOfferTheTitleListAndANoteOfSeveralLines) {
    Add(dm_->TaTituly, {{"Jmeno_Registr", kAnimal},
                        {"Titul_Jmeno", QStringLiteral("Interšampion")},
                        {"Organizace", QStringLiteral("FCI")},
                        {"Datum_Udeleni", QDate(2022, 4, 2)},
                        {"Poznamka", QStringLiteral("Potvrzeno FCI.")}});
    Open<TFoTituly_Edit>(dm_->TaTituly);
    EXPECT_EQ(form_->windowTitle(), "Tituly (ocenění) - úpravy");
    EXPECT_EQ(GridTitles(), (QStringList{"Titul", "Udělující organizace"}));
    EXPECT_EQ(Grid()->model()->index(0, 0).data().toString(), "Interšampion");
    EXPECT_EQ(Items(In<QComboBox>("Titul_Jmeno")),
              (QStringList{"Klubový šampion", "Interšampion", "Český šampion", "Slovenský šampion",
                           "Polský šampion "}));
    auto* note = In<TDBMemoLumex>("Poznamka");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Text(), "Potvrzeno FCI.");
}

TEST_F(BookEdit, ExamsOfferTheExamListWhoseLastItemEndsInABlank) {
    Add(dm_->TaZkousky, {{"Jmeno_Registr", kAnimal},
                         {"Oceneni_Jmeno", QStringLiteral("Zkoušky vloh")},
                         {"Organizace", QStringLiteral("KCHH")}});
    Open<TFoZkouskyEdit>(dm_->TaZkousky);
    EXPECT_EQ(form_->windowTitle(), "Zkoušky - úpravy");
    EXPECT_EQ(GridTitles(), (QStringList{"Zkoušky", "Udělující organizace"}));
    const QStringList items = Items(In<QComboBox>("Oceneni_Jmeno"));
    ASSERT_EQ(items.size(), 13);
    EXPECT_EQ(items.first(), "Podzimní zkoušky");
    EXPECT_EQ(items.last(), "Zkouška lavinového psa ");
    EXPECT_NE(In<TDBMemoLumex>("Poznamka"), nullptr);
}

TEST_F(BookEdit, TheApprovalsOptionGroupWritesZeroOrOne) {
    Add(dm_->TaChovnost,
        {{"Jmeno_registr", kAnimal}, {"Datum", QDate(2021, 6, 11)}, {"Chov_jedinec", 0}});
    Open<TFoChovnostEdit>(dm_->TaChovnost);
    EXPECT_EQ(form_->windowTitle(), "Chovnost - úpravy");
    EXPECT_EQ(GridTitles(), QStringList{"Datum posouzení"});
    auto* group = In<TDBRadioGroupInt>("Chov_jedinec");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), "Splnění");
    EXPECT_EQ(group->ItemIndex(), 0);
    QTest::mouseClick(group->Button(1), Qt::LeftButton);
    Close();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
    EXPECT_EQ(Stored("chovnost.DB", "Datum", QDate(2021, 6, 11), "Chov_jedinec"), "1");
}

TEST_F(BookEdit, TheApprovalTextTakesTheColumnsWidth) {
    Add(dm_->TaChovnost, {{"Jmeno_registr", kAnimal}, {"Datum", QDate(2021, 6, 11)}});
    Open<TFoChovnostEdit>(dm_->TaChovnost);
    auto* text = In<TDBMemoLumex>("Poznamka");
    Type(text, QString(250, QLatin1Char('z')));
    Type(text, QStringLiteral("0123456789"));
    EXPECT_EQ(text->Text(), QString(250, QLatin1Char('z')) + "01234");
    Close();
    EXPECT_EQ(Stored("chovnost.DB", "Datum", QDate(2021, 6, 11), "Poznamka").size(), 255);
}

TEST_F(BookEdit, EditsGoToTheTableAndClosingWritesAPendingOne) {
    Add(dm_->TaVystavy,
        {{"Jmeno_registr", kAnimal}, {"Datum_vystava", QDate(2021, 6, 18)}, {"Misto", "Praha"}});
    Open<TFoVystavyEdit>(dm_->TaVystavy);
    auto* place = In<QLineEdit>("Misto");
    place->setFocus(Qt::TabFocusReason);
    place->selectAll();
    Type(place, QStringLiteral("Nitra"));
    Close();
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(Stored("vystavy.db", "Datum_vystava", QDate(2021, 6, 18), "Misto"), "Nitra");
    EXPECT_EQ(dm_->TaVystavy.State(), platform::DataSetState::Browse);
}

TEST_F(BookEdit, AnEditTheStoreRefusesKeepsTheFormOpen) {
    Add(dm_->TaVystavy,
        {{"Jmeno_registr", kAnimal}, {"Datum_vystava", QDate(2021, 6, 18)}, {"Poradi", 2}});
    Open<TFoVystavyEdit>(dm_->TaVystavy);
    auto* placing = In<QLineEdit>("Poradi");
    placing->setFocus(Qt::TabFocusReason);
    placing->selectAll();
    Type(placing, QStringLiteral("druhý"));
    Close();
    EXPECT_FALSE(Messages().isEmpty());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(Stored("vystavy.db", "Datum_vystava", QDate(2021, 6, 18), "Poradi"), "2");
}

TEST_F(BookEdit, ACommaBecomesAPeriodInTheDatesOfTitlesExamsAndApprovalsOnly) {
    Add(dm_->TaVystavy, {{"Jmeno_registr", kAnimal}});
    Add(dm_->TaTituly, {{"Jmeno_Registr", kAnimal}});
    Add(dm_->TaZkousky, {{"Jmeno_Registr", kAnimal}});
    Add(dm_->TaChovnost, {{"Jmeno_registr", kAnimal}});
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[this] { Open<TFoVystavyEdit>(dm_->TaVystavy); }, "Datum_vystava"},
        {[this] { Open<TFoTituly_Edit>(dm_->TaTituly); }, "Datum_Udeleni"},
        {[this] { Open<TFoZkouskyEdit>(dm_->TaZkousky); }, "Datum_Udeleni"},
        {[this] { Open<TFoChovnostEdit>(dm_->TaChovnost); }, "Datum"},
    };
    QStringList typed;
    for (const auto& [open, column] : cases) {
        open();
        auto* date = In<QLineEdit>(QString::fromLatin1(column));
        Type(date, QStringLiteral("2,4"));
        typed << date->text();
        dm_->TaVystavy.Cancel();
        dm_->TaTituly.Cancel();
        dm_->TaZkousky.Cancel();
        dm_->TaChovnost.Cancel();
    }
    EXPECT_EQ(typed, (QStringList{"2,4", "2.4", "2.4", "2.4"}));
}

}  // namespace
