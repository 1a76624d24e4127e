// Choice boxes and check boxes: Enter as Tab, focus and disabled colours,
// and the bound ones over a real table (showing, editing, writing, refusing).
#include <QLineEdit>
#include <QPalette>

#include "controls/combo_check.h"
#include "tests/controls/bound_fixture.h"

using bound_test::Settle;
using bound_test::Type;
using platform::DataSetState;

namespace {

QColor Background(const QWidget* w) {
    return w->palette().color(QPalette::Base);
}

class ComboCheck : public bound_test::BoundForm {
  protected:
    void SetUp() override {
        BoundForm::SetUp();
        sex = Add(new TDBComboBoxKopa, "CbPohlavi");
        sex->SetStyle(csDropDownList);
        sex->SetItems({"Fena", "Pes"});
        sex->SetDataSource(source.get());
        sex->SetDataField("Pohlavi");
        breed = Add(new TDBComboBoxKopa, "CbPlemeno");
        breed->SetItems({"Bígl", "Pudl"});
        breed->SetDataSource(source.get());
        breed->SetDataField("Plemeno");
        own = Add(new TDBCheckboxMy, "ChVlastnictvi");
        own->SetDataSource(source.get());
        own->SetDataField("Vlastnictvi");
        other = Add(new QLineEdit, "EdOther");
    }

    TDBComboBoxKopa* sex = nullptr;
    TDBComboBoxKopa* breed = nullptr;
    TDBCheckboxMy* own = nullptr;
    QLineEdit* other = nullptr;
};

TEST(PlainChoiceBox, EnterMovesOnAndColoursFollowFocusAndEnabling) {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* combo = new TComboBoxKopa;
    auto* check = new TCheckboxMy;
    auto* last = new QLineEdit;
    for (QWidget* w : {static_cast<QWidget*>(combo), static_cast<QWidget*>(check),
                       static_cast<QWidget*>(last)}) {
        layout->addWidget(w);
    }
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const QColor normal = QApplication::palette().color(QPalette::Base);
    last->setFocus();
    Settle();
    EXPECT_EQ(Background(combo), normal);
    combo->setFocus();
    Settle();
    EXPECT_EQ(Background(combo), combo->ColorOnFocus);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(check->hasFocus());
    EXPECT_EQ(Background(combo), normal);
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_TRUE(last->hasFocus());
    EXPECT_FALSE(check->isChecked()) << "Enter does not toggle";
    combo->setEnabled(false);
    EXPECT_EQ(Background(combo), combo->ColorOnDisabled);
    combo->setEnabled(true);
    EXPECT_EQ(Background(combo), normal);
    check->EnterIsTab = false;
    check->setFocus();
    Settle();
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_TRUE(check->hasFocus());
}

TEST(PlainChoiceBox, ClosedListAndFreeText) {
    TComboBoxKopa combo;
    combo.SetItems({"Fena", "Pes"});
    combo.SetText("Kočka");
    EXPECT_EQ(combo.Text(), "Kočka") << "free text";
    combo.SetStyle(csDropDownList);
    combo.SetText("Pes");
    EXPECT_EQ(combo.Text(), "Pes");
    combo.SetText("Kočka");
    EXPECT_EQ(combo.Text(), "") << "a closed list shows only its items";
}

TEST_F(ComboCheck, ShowTheCurrentRecord) {
    EXPECT_EQ(sex->Text(), "Pes");
    EXPECT_FALSE(own->isChecked());
    cards->Next();
    EXPECT_EQ(sex->Text(), "Fena");
    cards->Edit();
    cards->FieldByName("Vlastnictvi").SetAsBoolean(true);
    cards->FieldByName("Plemeno").SetAsString("Chrt");
    EXPECT_TRUE(own->isChecked());
    EXPECT_EQ(breed->Text(), "Chrt");
}

TEST_F(ComboCheck, ChoosingFromTheListEditsAndLeavingWrites) {
    Show();
    Focus(sex);
    QTest::keyClick(sex, Qt::Key_Up);
    EXPECT_EQ(sex->Text(), "Fena");
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    EXPECT_EQ(cards->FieldByName("Pohlavi").AsString(), "Pes") << "written on leaving";
    Focus(other);
    EXPECT_EQ(cards->FieldByName("Pohlavi").AsString(), "Fena");
    cards->Post();
    EXPECT_EQ(Stored("Aron", "Pohlavi"), "Fena");
}

TEST_F(ComboCheck, FreeTextIsTypedAndWritten) {
    Show();
    Focus(breed);
    Type(breed, "Knírač");
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    QTest::keyClick(breed, Qt::Key_Return);
    EXPECT_FALSE(breed->hasFocus());
    EXPECT_EQ(cards->FieldByName("Plemeno").AsString(), "Knírač");
    QTest::keyClick(breed, Qt::Key_Escape);
    UpdateBoundControls(*cards);
    cards->Post();
    EXPECT_EQ(Stored("Aron", "Plemeno"), "Knírač");
}

TEST_F(ComboCheck, CheckBoxWritesAtOnce) {
    Show();
    QTest::mouseClick(own, Qt::LeftButton, Qt::NoModifier, QPoint(5, own->height() / 2));
    EXPECT_TRUE(own->isChecked());
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    EXPECT_TRUE(cards->FieldByName("Vlastnictvi").AsBoolean());
    cards->Post();
    EXPECT_EQ(Stored("Aron", "Vlastnictvi"), "True");
    cards->Edit();
    cards->Cancel();
    EXPECT_TRUE(own->isChecked());
}

TEST_F(ComboCheck, ACheckBoxOverATextFieldUsesItsValues) {
    auto* mated = Add(new TDBCheckboxMy, "ChText");
    mated->ValueChecked = "Pravda";
    mated->ValueUnchecked = "Nepravda";
    mated->SetDataSource(source.get());
    mated->SetDataField("Kuze");
    Show();
    mated->click();
    EXPECT_EQ(cards->FieldByName("Kuze").AsString(), "Pravda");
    mated->click();
    EXPECT_EQ(cards->FieldByName("Kuze").AsString(), "Nepravda");
}

TEST_F(ComboCheck, NothingChangesOnAQueryOrWithoutAutoEdit) {
    platform::Query list(*db);
    list.SetSQL({"Select * from Main_card"});
    list.Open();
    source->SetDataSet(&list);
    Show();
    own->click();
    EXPECT_FALSE(own->isChecked());
    Focus(sex);
    QTest::keyClick(sex, Qt::Key_Up);
    EXPECT_EQ(sex->Text(), "Pes");
    Focus(breed);
    Type(breed, "x");
    EXPECT_EQ(breed->Text(), "");
    EXPECT_EQ(list.State(), DataSetState::Browse);
    source->SetDataSet(cards.get());
    source->SetAutoEdit(false);
    own->click();
    EXPECT_FALSE(own->isChecked());
    EXPECT_EQ(cards->State(), DataSetState::Browse);
    EXPECT_TRUE(messages.Shown().empty());
}

}  // namespace

namespace {

TEST_F(ComboCheck, ARefusedChoiceKeepsTheFocus) {
    cards->FieldSetup("Plemeno").onValidate = [](platform::Field& field) {
        if (field.AsString() == "Vlk") {
            throw platform::StoreError(QStringLiteral("Vlk není plemeno."));
        }
    };
    Show();
    Focus(breed);
    Type(breed, "Vlk");
    other->setFocus(Qt::TabFocusReason);
    Settle();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Vlk není plemeno.");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(breed->hasFocus());
    EXPECT_EQ(breed->Text(), "Vlk");
    EXPECT_EQ(cards->FieldByName("Plemeno").AsString(), "");
}

TEST_F(ComboCheck, ARefusedCheckIsUndone) {
    cards->FieldSetup("Vlastnictvi").onValidate = [](platform::Field& field) {
        if (field.AsBoolean()) {
            throw platform::StoreError(QStringLiteral("Nelze."));
        }
    };
    Show();
    own->click();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_FALSE(own->isChecked());
    EXPECT_FALSE(cards->FieldByName("Vlastnictvi").AsBoolean());
}

}  // namespace
