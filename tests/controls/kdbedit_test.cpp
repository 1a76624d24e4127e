// The bound one-line field over a real table: showing and following the
// current record, typing into editing, writing back on leaving, refusals,
// read-only data sets and display formats.
#include <QKeyEvent>
#include <QLineEdit>

#include "controls/k_db_edit.h"
#include "tests/controls/bound_fixture.h"

using bound_test::Settle;
using bound_test::Type;
using platform::DataSetState;

namespace {

class KDBEdit : public bound_test::BoundForm {
  protected:
    void SetUp() override {
        BoundForm::SetUp();
        name = Bound("EdJmeno", "Jmeno_registr");
        chip = Bound("EdCip", "Cip");
        other = Add(new QLineEdit, "EdOther");
    }

    TKDBEditKopa* Bound(const QString& objectName, const QString& field) {
        auto* edit = Add(new TKDBEditKopa, objectName);
        edit->SetDataSource(source.get());
        edit->SetDataField(field);
        return edit;
    }

    TKDBEditKopa* name = nullptr;
    TKDBEditKopa* chip = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(KDBEdit, ShowsTheCurrentRecordAndFollowsMoves) {
    EXPECT_EQ(name->text(), "Aron");
    EXPECT_EQ(chip->text(), "12345");
    cards->Next();
    EXPECT_EQ(name->text(), "Bára");
    EXPECT_EQ(chip->text(), "");
    cards->Last();
    EXPECT_EQ(name->text(), "Cita");
    cards->Close();
    EXPECT_EQ(name->text(), "");
    EXPECT_TRUE(name->isReadOnly());
    cards->Open();
    EXPECT_EQ(name->text(), "Aron");
    EXPECT_FALSE(name->isReadOnly());
    EXPECT_EQ(name->maxLength(), 40);
}

TEST_F(KDBEdit, ItsOwnLimitNarrowsTheColumnsWidthAndLimitsANumberField) {
    name->MaxLength = 20;
    chip->MaxLength = 5;
    cards->Next();
    EXPECT_EQ(name->maxLength(), 20);
    EXPECT_EQ(chip->maxLength(), 5);
    // A limit wider than the column leaves the column's width.
    name->MaxLength = 60;
    cards->Prior();
    EXPECT_EQ(name->maxLength(), 40);
}

TEST_F(KDBEdit, TypingEditsTheRecordAndLeavingWritesIt) {
    Show();
    Focus(chip);
    EXPECT_EQ(cards->State(), DataSetState::Browse);
    Type(chip, "6");
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    EXPECT_TRUE(chip->Modified());
    EXPECT_EQ(cards->FieldByName("Cip").AsString(), "12345") << "not written before leaving";
    Focus(other);
    EXPECT_EQ(cards->FieldByName("Cip").AsString(), "123456");
    EXPECT_FALSE(chip->Modified());
    cards->Post();
    EXPECT_EQ(Stored("Aron", "Cip"), "123456");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(KDBEdit, EnterMovesOnButUpAndDownStayInTheField) {
    Show();
    Focus(name);
    QTest::keyClick(name, Qt::Key_Down);
    QTest::keyClick(name, Qt::Key_Up);
    QTest::keyClick(name, Qt::Key_PageDown);
    EXPECT_TRUE(name->hasFocus());
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(chip->hasFocus());
    EXPECT_EQ(cards->State(), DataSetState::Browse) << "moving on changes nothing";
}

TEST_F(KDBEdit, ACommaBecomesAPoint) {
    cards->FieldSetup("Vaha_narozeni");
    auto* weight = Bound("EdVaha", "Vaha_narozeni");
    Show();
    Focus(weight);
    Type(weight, "0,45");
    EXPECT_EQ(weight->text(), "0.45");
    Focus(other);
    EXPECT_DOUBLE_EQ(cards->FieldByName("Vaha_narozeni").AsFloat(), 0.45);
}

TEST_F(KDBEdit, DisplayFormatWhileLeftEditFormatWhileFocused) {
    platform::FieldOptions& options = cards->FieldSetup("Vaha_dospelost");
    options.displayFormat = "0.00 kg";
    options.editFormat = "0.00";
    cards->Edit();
    cards->FieldByName("Vaha_dospelost").SetAsFloat(31.5);
    cards->Post();
    auto* weight = Bound("EdVaha", "Vaha_dospelost");
    EXPECT_EQ(weight->text(), "31.50 kg");
    Show();
    Focus(weight);
    EXPECT_EQ(weight->text(), "31.50");
    weight->selectAll();
    Type(weight, "28.7");
    Focus(other);
    EXPECT_EQ(weight->text(), "28.70 kg");
    EXPECT_DOUBLE_EQ(cards->FieldByName("Vaha_dospelost").AsFloat(), 28.7);
}

TEST_F(KDBEdit, ARefusedValueIsShownAndTheFocusStays) {
    Show();
    Focus(chip);
    chip->selectAll();
    Type(chip, "12x");
    other->setFocus(Qt::TabFocusReason);
    Settle();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(messages.Shown()[0].text.contains("Cip"));
    EXPECT_TRUE(chip->hasFocus());
    EXPECT_EQ(chip->text(), "12x") << "the typed text stays for correcting";
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    EXPECT_EQ(cards->FieldByName("Cip").AsString(), "12345");
}

TEST_F(KDBEdit, EscapeAndCancelShowTheRecordsValueAgain) {
    Show();
    Focus(name);
    Type(name, "ek");
    EXPECT_EQ(name->text(), "Aronek");
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(name->text(), "Aron");
    EXPECT_FALSE(name->Modified());
    EXPECT_EQ(name->selectedText(), "Aron");
    QTest::keyClick(name, Qt::Key_End);
    Type(name, "ek");
    Focus(other);
    EXPECT_EQ(cards->FieldByName("Jmeno_registr").AsString(), "Aronek");
    cards->Cancel();
    EXPECT_EQ(name->text(), "Aron");
    EXPECT_EQ(Stored("Aron", "Jmeno_registr"), "Aron");
}

TEST_F(KDBEdit, AQueryIsReadOnly) {
    platform::Query list(*db);
    list.SetSQL({"Select * from Main_card"});
    list.Open();
    source->SetDataSet(&list);
    Show();
    EXPECT_EQ(name->text(), "Aron");
    EXPECT_TRUE(name->isReadOnly());
    Focus(name);
    Type(name, "x");
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(name->text(), "Aron");
    EXPECT_EQ(list.State(), DataSetState::Browse);
    EXPECT_TRUE(messages.Shown().empty());
    source->SetDataSet(cards.get());
    EXPECT_FALSE(name->isReadOnly());
}

TEST_F(KDBEdit, WithoutAutoEditOrWhenReadOnlyTypingIsRefused) {
    Show();
    source->SetAutoEdit(false);
    Focus(name);
    Type(name, "x");
    EXPECT_EQ(name->text(), "Aron");
    EXPECT_EQ(cards->State(), DataSetState::Browse);
    cards->Edit();
    Type(name, "x");
    EXPECT_EQ(name->text(), "Aronx") << "a record already being edited takes typing";
    cards->Cancel();
    source->SetAutoEdit(true);
    chip->SetReadOnly(true);
    Focus(chip);
    Type(chip, "9");
    EXPECT_EQ(chip->text(), "12345");
    EXPECT_EQ(cards->State(), DataSetState::Browse);
}

TEST_F(KDBEdit, APendingChangeReachesTheRecordBeforeAPost) {
    Show();
    Focus(chip);
    chip->selectAll();
    Type(chip, "42");
    UpdateBoundControls(*cards);
    cards->Post();
    EXPECT_EQ(Stored("Aron", "Cip"), "42");
    EXPECT_TRUE(chip->hasFocus());
    EXPECT_EQ(chip->text(), "42");
}

TEST_F(KDBEdit, AnEmptyTableGetsANewRecordOnTyping) {
    platform::Table litters(*db, "vrhy.db");
    litters.Open();
    platform::DataSource so("SoVrhy", &litters);
    auto* dam = Add(new TKDBEditKopa, "EdMatka");
    dam->SetDataSource(&so);
    dam->SetDataField("Jmeno_registr");
    Show();
    Focus(dam);
    Type(dam, "Cita");
    EXPECT_EQ(litters.State(), DataSetState::Insert);
    Focus(other);
    litters.Post();
    EXPECT_EQ(litters.RecordCount(), 1);
    EXPECT_EQ(litters.FieldByName("Jmeno_registr").AsString(), "Cita");
}

TEST_F(KDBEdit, TheSourceMayGoFirst) {
    auto* edit = Add(new TKDBEditKopa, "EdLater");
    {
        platform::DataSource shortLived("SoShort", cards.get());
        edit->SetDataSource(&shortLived);
        edit->SetDataField("Jmeno_registr");
        EXPECT_EQ(edit->text(), "Aron");
    }
    EXPECT_EQ(edit->DataSource(), nullptr);
    EXPECT_EQ(edit->text(), "");
    cards->Next();  // nothing listens any more; no crash
}

TEST_F(KDBEdit, AnUnknownFieldShowsNothingAndTakesNoInput) {
    auto* edit = Add(new TKDBEditKopa, "EdWrong");
    edit->SetDataSource(source.get());
    edit->SetDataField("NoSuchColumn");
    Show();
    EXPECT_EQ(edit->Field(), nullptr);
    EXPECT_TRUE(edit->isReadOnly());
    Focus(edit);
    Type(edit, "x");
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(cards->State(), DataSetState::Browse);
}

}  // namespace
