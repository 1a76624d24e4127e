// The entry-dialog base every book's entry form derives from: the order of
// the checks' messages, the question after them, the store's refusal that
// keeps the form open, the completion message; and the write of one new row
// that leaves nothing behind when the store refuses it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "platform/store/field.h"
#include "platform/store/store_error.h"
#include "records/entry_dialog.h"
#include "records/entry_form_parts.h"
#include "tests/records/event_book_fixture.h"

namespace {

using event_book_testing::BookFormTest;

// An entry form whose checks, question and write the test scripts.
class ScriptedEntry : public TEntryDialog {
  public:
    ScriptedEntry()
        : TEntryDialog(QStringLiteral("ScriptedEntry"), QStringLiteral("Zápis"), nullptr) {}

    using TEntryDialog::AddButtonRow;
    using TEntryDialog::WriteClick;

    std::function<QStringList()> failures = [] { return QStringList(); };
    bool confirm = true;
    std::function<void()> write = [] {};
    QString ownRefusal;  // empty: the store's text
    int confirmsAsked = 0;
    int writes = 0;

  protected:
    QStringList InputFailures() override { return failures(); }
    bool ConfirmWrite() override {
        ++confirmsAsked;
        return confirm;
    }
    void WriteEntry() override {
        ++writes;
        write();
    }
    QString RefusalMessage(const platform::StoreError& error) const override {
        return ownRefusal.isEmpty() ? TEntryDialog::RefusalMessage(error) : ownRefusal;
    }
};

class EntryDialog : public BookFormTest {
  protected:
    void SetUp() override {
        BookFormTest::SetUp();
        Show(form_);
    }
    bool StaysOpen() const { return form_.isVisible() && form_.result() != QDialog::Accepted; }

    ScriptedEntry form_;
};

TEST_F(EntryDialog, FailingChecksShowTheirMessagesInOrderAndWriteNothing) {
    form_.failures = [] { return QStringList{"Není zadáno jméno otce", "Neplatné datum"}; };
    form_.WriteClick();
    EXPECT_EQ(Messages(), (QStringList{"Není zadáno jméno otce", "Neplatné datum",
                                       "Nelze zapsat, opravte data"}));
    EXPECT_EQ(form_.confirmsAsked, 0);
    EXPECT_EQ(form_.writes, 0);
    EXPECT_TRUE(StaysOpen());
}

TEST_F(EntryDialog, AStoreErrorWhileCheckingIsShownAndKeepsTheFormOpen) {
    form_.failures = []() -> QStringList { throw platform::StoreError("Tabulka je zamčená"); };
    form_.WriteClick();
    EXPECT_EQ(Messages(), QStringList{"Tabulka je zamčená"});
    EXPECT_EQ(form_.writes, 0);
    EXPECT_TRUE(StaysOpen());
}

TEST_F(EntryDialog, ADeclinedQuestionWritesNothingAndSaysNothing) {
    form_.confirm = false;
    form_.WriteClick();
    EXPECT_EQ(form_.confirmsAsked, 1);
    EXPECT_EQ(form_.writes, 0);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(StaysOpen());
}

TEST_F(EntryDialog, ARefusedWriteShowsTheStoreTextOrTheFormsOwnAndKeepsTheFormOpen) {
    form_.write = [] { throw platform::StoreError("Disk je plný"); };
    form_.WriteClick();
    EXPECT_EQ(Messages(), QStringList{"Disk je plný"});
    EXPECT_TRUE(StaysOpen());

    messages_.Clear();
    form_.ownRefusal = QStringLiteral("Nastala chyba při zápisu zkoušky ");
    form_.WriteClick();
    EXPECT_EQ(Messages(), QStringList{"Nastala chyba při zápisu zkoušky "});
    EXPECT_TRUE(StaysOpen());
}

TEST_F(EntryDialog, AWriteDoneSaysSoAndClosesTheForm) {
    form_.WriteClick();
    EXPECT_EQ(form_.writes, 1);
    EXPECT_EQ(Messages(), QStringList{"Příkaz byl vykonán "});
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(form_.result(), QDialog::Accepted);
}

TEST_F(EntryDialog, TheButtonRowPutsTheWriteButtonsLeftOfTheClosingOnes) {
    auto* layout = new QVBoxLayout(&form_);
    auto* write = NewFormButton("BtnZapis", QStringLiteral("Zápis"), &form_);
    auto* cancel = NewFormButton("BtnStorno", QStringLiteral("Storno"), &form_);
    QToolButton* help = NewHelpButton(300, &form_);
    form_.AddButtonRow(layout, 8, {write}, {cancel, help});
    form_.resize(600, 200);
    QApplication::processEvents();
    EXPECT_LT(write->geometry().right(), cancel->geometry().left());
    EXPECT_LT(cancel->geometry().right(), help->geometry().left());
    EXPECT_EQ(layout->sizeConstraint(), QLayout::SetMinimumSize);
}

class AppendingRow : public BookFormTest {};

TEST_F(AppendingRow, AppendsOneRowToAClosedTable) {
    platform::Table& visits = dm_->TaOsetreni;
    visits.Close();
    AppendRow(visits, [](platform::Table& row) {
        row.FieldByName("Jmeno_registr").SetAsString("Aron");
        row.FieldByName("Lekar").SetAsString("MVDr. Novák");
    });
    EXPECT_EQ(Rows("osetreni.db"), 1);
    EXPECT_EQ(visits.State(), platform::DataSetState::Browse);
}

TEST_F(AppendingRow, ARefusedRowLeavesNothingAndItsErrorPassesOn) {
    RefuseNewRows("osetreni", QStringLiteral("Disk je plný"));
    platform::Table& visits = dm_->TaOsetreni;
    EXPECT_THROW(AppendRow(visits,
                           [](platform::Table& row) {
                               row.FieldByName("Jmeno_registr").SetAsString("Aron");
                           }),
                 platform::StoreError);
    EXPECT_EQ(visits.State(), platform::DataSetState::Browse);
    EXPECT_EQ(visits.RecordCount(), 0);
    EXPECT_EQ(Rows("osetreni.db"), 0);
}

}  // namespace
