// The diary window, the reminder form, the start-up reminder and the
// diary's print through its template, on a real data folder.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "app/diary_print.h"
#include "app/fodiar.h"
#include "app/fopripominka.h"
#include "app/foupozorneni.h"
#include "report/engine/sestavy.h"
#include "report/output/output_dump.h"
#include "tests/records/event_book_fixture.h"

namespace {

using event_book_testing::BookFormTest;

// Today is 9.12.2026 (the fixture's clock).
class DiaryWindowTest : public BookFormTest {
  protected:
    void SetUp() override {
        BookFormTest::SetUp();
        Add("main_card.db", {{"Jmeno_registr", "Asta"}, {"Pohlavi", "Fena"}, {"Vlastnictvi", "1"}});
        Add("harani.db", {{"Jmeno_registr", "Asta"}, {"Datum", "1.6.2026"}});  // 30.11.: overdue
        Add("osetreni.db", {{"Jmeno_registr", "Brok"},
                            {"Datum_osetreni", "1.12.2026"},
                            {"Dalsi_navsteva", "12.12.2026"},
                            {"Duvod_osetreni", "Očkování"}});
        Add("kryti.DB", {{"Jmeno_registr", "Asta"}, {"Datum_kryti_1", "10.10.2026"}});
        Add("schedule.db",
            {{"Datum", "20.12.2026"}, {"Akce", "Zaplatit členství"}, {"Upozornit", "1"}});
    }

    void Add(const QString& table, const std::vector<std::pair<QString, QString>>& columns) {
        platform::Table rows(dm_->Database1, table);
        rows.Open();
        rows.Append();
        for (const auto& [column, text] : columns) {
            rows.FieldByName(column).SetAsString(text);
        }
        rows.Post();
    }

    static QStringList Grid(const QTableWidget* grid) {
        QStringList rows;
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->columnCount(); ++c) {
                cells << grid->item(r, c)->text();
            }
            rows << cells.join('|');
        }
        return rows;
    }

    static void Press(QWidget& form, const char* name) {
        form.findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
};

TEST_F(DiaryWindowTest, ShowsEveryKindOverdueFirstAndOpensTheAnimal) {
    QStringList opened;
    TFoDiar diary(*dm_, [&opened](const QString& name) { opened << name; });
    EXPECT_EQ(diary.EditOd->text(), "9.12.2026");
    EXPECT_EQ(diary.EditDo->text(), "8.1.2027");
    EXPECT_EQ(
        Grid(diary.GridDiar),
        (QStringList{"30.11.2026|Předpokládané hárání|Asta|poslední hárání 1.6.2026|po termínu",
                     "12.12.2026|Další návštěva|Brok|Očkování|",
                     "12.12.2026|Předpokládaný vrh|Asta|krytí 10.10.2026|",
                     "20.12.2026|Upozornění||Zaplatit členství|"}));
    EXPECT_EQ(diary.LabelPocet->text(), "Položek: 4, z toho po termínu: 1");
    emit diary.GridDiar->cellDoubleClicked(1, 0);
    emit diary.GridDiar->cellDoubleClicked(3, 0);  // a reminder has no animal
    EXPECT_EQ(opened, QStringList{"Brok"});

    diary.EditDo->setText("15.12.2026");
    Press(diary, "BtnZobrazit");
    EXPECT_EQ(diary.GridDiar->rowCount(), 3);
    diary.EditDo->setText("1.12.2026");
    Press(diary, "BtnZobrazit");
    EXPECT_EQ(Messages(), QStringList{"Zadejte platné období (od - do)"});
    EXPECT_EQ(diary.GridDiar->rowCount(), 3);
}

TEST_F(DiaryWindowTest, RemindersAreAddedChangedMarkedDoneAndDeleted) {
    TFoDiar diary(*dm_);
    {
        testing_support::ScriptedModal modal([](QDialog& d) {
            auto& form = dynamic_cast<TFoPripominka&>(d);
            form.findChild<QPushButton*>("BtnZapis")->click();  // nothing typed
            form.EditDatum->setText("10.12.2026");
            form.findChild<QPushButton*>("BtnZapis")->click();  // no text
            form.EditAkce->setText("Objednat krmení");
            form.findChild<QPushButton*>("BtnZapis")->click();
            return form.result();
        });
        Press(diary, "BtnNovaPripominka");
    }
    EXPECT_EQ(Messages(), (QStringList{"Není zadáno datum připomínky", "Nelze zapsat, opravte data",
                                       "Není zadán text připomínky", "Nelze zapsat, opravte data",
                                       "Příkaz byl vykonán "}));
    ASSERT_EQ(diary.GridDiar->rowCount(), 5);
    EXPECT_EQ(Grid(diary.GridDiar)[1], "10.12.2026|Upozornění||Objednat krmení|");

    messages_.Clear();
    diary.GridDiar->selectRow(2);  // the next visit: not a reminder
    Press(diary, "BtnSplneno");
    EXPECT_EQ(Messages(), QStringList{"Vyberte v diáři vlastní připomínku"});

    diary.GridDiar->selectRow(1);
    {
        testing_support::ScriptedModal modal([](QDialog& d) {
            auto& form = dynamic_cast<TFoPripominka&>(d);
            EXPECT_EQ(form.EditAkce->text(), "Objednat krmení");
            EXPECT_TRUE(form.CheckUpozornit->isChecked());
            form.EditDatum->setText("11.12");  // completed to this year
            form.findChild<QPushButton*>("BtnZapis")->click();
            return form.result();
        });
        Press(diary, "BtnOpravitPripominku");
    }
    EXPECT_EQ(Grid(diary.GridDiar)[1], "11.12.2026|Upozornění||Objednat krmení|");

    diary.GridDiar->selectRow(1);
    Press(diary, "BtnSplneno");
    EXPECT_EQ(diary.GridDiar->rowCount(), 4);
    EXPECT_EQ(Rows("schedule.db"), 2);  // kept, no longer reminding

    messages_.Clear();
    diary.GridDiar->selectRow(3);
    messages_.Answer(platform::mbYes);
    Press(diary, "BtnSmazatPripominku");
    EXPECT_EQ(Messages(), QStringList{"Smazat záznam?"});
    EXPECT_EQ(Rows("schedule.db"), 1);
    EXPECT_EQ(diary.GridDiar->rowCount(), 3);
}

TEST_F(DiaryWindowTest, StartUpReminderFollowsTheSetting) {
    int shown = 0;
    QStringList rows;
    testing_support::ScriptedModal modal([&](QDialog& d) {
        ++shown;
        auto& window = dynamic_cast<TFoUpozorneni&>(d);
        rows = Grid(window.GridUpozorneni);
        window.findChild<QPushButton*>("BtnOtevritDiar")->click();
        return window.result();
    });
    EXPECT_FALSE(ShowDueAtStart(*dm_, 0));
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(ShowDueAtStart(*dm_, 7));
    EXPECT_EQ(shown, 1);
    // Within seven days: the overdue season and the two of 12.12.; the
    // reminder of 20.12. is further off.
    EXPECT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0].endsWith("po termínu"));
}

TEST_F(DiaryWindowTest, NothingDueShowsNothing) {
    dm_->Database1.Handle().Execute("DELETE FROM harani");
    int shown = 0;
    testing_support::ScriptedModal modal([&](QDialog&) { return ++shown, 0; });
    EXPECT_FALSE(ShowDueAtStart(*dm_, 2));
    EXPECT_EQ(shown, 0);
}

TEST_F(DiaryWindowTest, PrintsThroughItsTemplate) {
    TFoDiar diary(*dm_);
    TSestava& report = diary.Report();
    report.SetReportDir(QStringLiteral(HARVEL_SOURCE_DIR "/templates"));
    ASSERT_EQ(report.Generate(), seOK);
    EXPECT_EQ(Messages(), QStringList());  // nothing asked on the way
    report.PrepareOutput();
    const QString dump = DumpOutput(report.Output()).join('\n');
    for (const char* text :
         {"Diář", "Od 9.12.2026 do 8.1.2027", "30.11.2026", "Předpokládané hárání", "po termínu",
          "Zaplatit členství", "krytí 10.10.2026", "Očkování"}) {
        EXPECT_TRUE(dump.contains(QString::fromUtf8(text))) << text;
    }
    EXPECT_EQ(DiaryPrintSource().templates.first().file, "Diar00.pts");
}

}  // namespace
