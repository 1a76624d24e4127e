// The seasons form of a bitch through its seams: checks and messages of the
// entry, the list and the prediction, change and delete with the question.
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "app/dmunit.h"
#include "records/date_edit_kopa.h"
#include "records/foharani.h"
#include "records/foharani_zapis.h"
#include "tests/records/event_book_fixture.h"

namespace {

using event_book_testing::BookFormTest;

const QString kBitch = QStringLiteral("Asta z Lipové aleje");

class SeasonsFormTest : public BookFormTest {
  protected:
    // Every entry form the seasons form opens gets `date` and `note` and a
    // press of "Zápis"; the result is the form's.
    void EnterSeasons(QStringList dates, const QString& note = QString()) {
        modal_.reset();  // the previous script restores the handler it found
        modal_ =
            std::make_unique<testing_support::ScriptedModal>([dates, note](QDialog& d) mutable {
                auto& form = dynamic_cast<TFoHaraniZapis&>(d);
                form.EditDatum->setText(dates.isEmpty() ? QString() : dates.takeFirst());
                form.EditPoznamka->setText(note);
                form.findChild<QPushButton*>(QStringLiteral("BtnZapis"))->click();
                return form.result();
            });
    }

    QStringList Listed(const TFoHarani& form) {
        QStringList rows;
        for (int r = 0; r < form.GridHarani->rowCount(); ++r) {
            rows << form.GridHarani->item(r, 0)->text() + '|' + form.GridHarani->item(r, 1)->text();
        }
        return rows;
    }

    std::unique_ptr<testing_support::ScriptedModal> modal_;
};

TEST_F(SeasonsFormTest, EntryChecksTheDateThenWritesAndPredicts) {
    TFoHarani form(*dm_, kBitch);
    EXPECT_EQ(form.LabelPredpoklad->text(), "(zatím žádné zapsané hárání)");
    EnterSeasons({""});
    form.NewSeason();
    EXPECT_EQ(Messages(), (QStringList{"Není zadáno datum hárání", "Nelze zapsat, opravte data"}));
    EXPECT_EQ(Rows("harani.db"), 0);

    messages_.Clear();
    EnterSeasons({"31.2.2026"});
    form.NewSeason();
    EXPECT_EQ(Messages(), (QStringList{"Neplatné datum", "Nelze zapsat, opravte data"}));
    EXPECT_EQ(Rows("harani.db"), 0);

    messages_.Clear();
    EnterSeasons({"1.6.2026"}, "krátké");
    form.NewSeason();
    EXPECT_EQ(Messages(), QStringList{"Příkaz byl vykonán "});
    EXPECT_EQ(Listed(form), QStringList{"1.6.2026|krátké"});
    EXPECT_EQ(form.LabelPredpoklad->text(), "30.11.2026");  // + 182 days

    EnterSeasons({"3.12.2025"});
    form.NewSeason();
    EXPECT_EQ(Listed(form), (QStringList{"3.12.2025|", "1.6.2026|krátké"}));
    EXPECT_EQ(form.LabelPredpoklad->text(), "28.11.2026");  // + the one interval of 180 days
}

TEST_F(SeasonsFormTest, ChangeAndDeleteAfterTheQuestion) {
    TFoHarani form(*dm_, kBitch);
    EnterSeasons({"1.12.2025", "1.6.2026"});
    form.NewSeason();
    form.NewSeason();
    ASSERT_EQ(form.GridHarani->rowCount(), 2);

    form.GridHarani->selectRow(0);
    EnterSeasons({"3.12.2025"}, "opraveno");
    form.findChild<QPushButton*>(QStringLiteral("BtnOpravit"))->click();
    EXPECT_EQ(Listed(form), (QStringList{"3.12.2025|opraveno", "1.6.2026|"}));
    EXPECT_EQ(Rows("harani.db"), 2);

    form.GridHarani->selectRow(0);
    messages_.Clear();
    messages_.Answer(platform::mbNo);
    form.findChild<QPushButton*>(QStringLiteral("BtnSmazat"))->click();
    EXPECT_EQ(Messages(), QStringList{"Smazat záznam?"});
    EXPECT_EQ(Rows("harani.db"), 2);
    form.GridHarani->selectRow(0);
    messages_.Answer(platform::mbYes);
    form.findChild<QPushButton*>(QStringLiteral("BtnSmazat"))->click();
    EXPECT_EQ(Listed(form), QStringList{"1.6.2026|"});
    EXPECT_EQ(Rows("harani.db"), 1);
}

TEST_F(SeasonsFormTest, OnlyHerSeasonsAndARefusedRowStaysOut) {
    SKIP_ON_SERVER_STORE("a trigger in SQLite's own SQL refuses the rows");
    TFoHarani other(*dm_, QStringLiteral("Bea"));
    EnterSeasons({"1.1.2026"});
    other.NewSeason();
    TFoHarani form(*dm_, kBitch);
    EXPECT_EQ(form.GridHarani->rowCount(), 0);

    RefuseNewRows(QStringLiteral("harani"), QStringLiteral("disk je plný"));
    messages_.Clear();
    EnterSeasons({"1.6.2026"});
    form.NewSeason();
    ASSERT_EQ(Messages().size(), 2);
    EXPECT_TRUE(Messages()[0].contains("disk je plný"));
    EXPECT_EQ(Messages()[1], "Nelze zapsat, opravte data");
    EXPECT_EQ(form.GridHarani->rowCount(), 0);
}

}  // namespace
