// The bound memo and option group over real tables: showing, the memo's key
// rules, writing on leaving, refusals and OnChange.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "controls/db_memo.h"
#include "controls/db_radio_group.h"
#include "tests/controls/bound_fixture.h"

using bound_test::Settle;
using bound_test::Type;
using platform::DataSetState;

namespace {

class MemoRadio : public bound_test::BoundForm {
  protected:
    void SetUp() override {
        BoundForm::SetUp();
        memo = Add(new TDBMemoLumex, "MePoznamka");
        memo->SetDataSource(source.get());
        memo->SetDataField("Postava_zvl_znaky");
        group = Add(new TDBRadioGroupInt, "RgVlastnik");
        group->SetItems({"nula", "jedna", "dva"});
        group->SetDataSource(source.get());
        group->SetDataField("Cip");
        other = Add(new QLineEdit, "EdOther");
        ok = Add(new QPushButton("OK"), "BtnOK");
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, [this] { ++okPressed; });
    }

    TDBMemoLumex* memo = nullptr;
    TDBRadioGroupInt* group = nullptr;
    QLineEdit* other = nullptr;
    QPushButton* ok = nullptr;
    int okPressed = 0;
};

TEST_F(MemoRadio, MemoShowsTypesAndWritesWhenLeft) {
    cards->Edit();
    cards->FieldByName("Postava_zvl_znaky").SetAsString("Bílá skvrna");
    cards->Post();
    EXPECT_EQ(memo->Text(), "Bílá skvrna");
    Show();
    Focus(memo);
    memo->moveCursor(QTextCursor::End);
    Type(memo, " na hrudi");
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_TRUE(group->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == group)
        << "Tab goes on";
    EXPECT_EQ(cards->FieldByName("Postava_zvl_znaky").AsString(), "Bílá skvrna na hrudi");
    cards->Post();
    EXPECT_EQ(Stored("Aron", "Postava_zvl_znaky"), "Bílá skvrna na hrudi");
}

TEST_F(MemoRadio, EnterPressesTheDefaultButtonInsteadOfANewLine) {
    Show();
    Focus(memo);
    Type(memo, "ab");
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(okPressed, 1);
    EXPECT_EQ(memo->Text(), "ab");
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_EQ(memo->Text(), "") << "Esc discards the unwritten change";
}

TEST_F(MemoRadio, MemoOnAQueryTakesNoInput) {
    platform::Query list(*db);
    list.SetSQL({"Select * from Main_card"});
    list.Open();
    source->SetDataSet(&list);
    Show();
    Focus(memo);
    Type(memo, "x");
    EXPECT_EQ(memo->Text(), "");
    EXPECT_EQ(list.State(), DataSetState::Browse);
}

TEST_F(MemoRadio, AMemoFieldIsWrittenToo) {
    platform::Table litters(*db, "vrhy.db");
    litters.Open();
    platform::DataSource so("SoVrhy", &litters);
    auto* names = Add(new TDBMemoLumex, "MeJmena");
    names->SetDataSource(&so);
    names->SetDataField("JmenaStenat");
    Show();
    Focus(names);
    Type(names, "Ája, Bob");
    EXPECT_EQ(litters.State(), DataSetState::Insert);
    Focus(other);
    EXPECT_EQ(litters.FieldByName("JmenaStenat").AsString(), "Ája, Bob");
}

TEST_F(MemoRadio, OptionFollowsTheFieldAndOnChangeFires) {
    int changes = 0;
    group->OnChange = [&](TDBRadioGroupInt* sender) {
        EXPECT_EQ(sender, group);
        ++changes;
    };
    EXPECT_EQ(group->ItemIndex(), -1) << "12345 is no option";
    cards->Edit();
    cards->FieldByName("Cip").SetAsInteger(2);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(changes, 1);
    cards->Cancel();
    EXPECT_EQ(group->ItemIndex(), -1);
    cards->Next();  // empty field: nothing selected
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(changes, 2);
}

TEST_F(MemoRadio, ClickingMarksTheRecordAndLeavingWritesTheIndex) {
    Show();
    group->Button(1)->click();
    Settle();
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    EXPECT_TRUE(group->Modified());
    Focus(group->Button(1));
    Focus(other);
    EXPECT_EQ(cards->FieldByName("Cip").AsInteger(), 1);
    cards->Post();
    EXPECT_EQ(Stored("Aron", "Cip"), "1");
}

TEST_F(MemoRadio, EscDiscardsAndAQueryRefusesTheClick) {
    Show();
    Focus(group->Button(0));
    group->Button(2)->click();
    EXPECT_EQ(group->ItemIndex(), 2);
    QTest::keyClick(group->Button(2), Qt::Key_Escape);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Modified());
    cards->Cancel();
    platform::Query list(*db);
    list.SetSQL({"Select * from Main_card"});
    list.Open();
    source->SetDataSet(&list);
    group->Button(0)->click();
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(list.State(), DataSetState::Browse);
}

TEST_F(MemoRadio, ColumnsLayOutTheOptions) {
    group->SetColumns(2);
    Show();
    EXPECT_EQ(group->Button(0)->y(), group->Button(2)->y()) << "third option heads column 2";
    EXPECT_LT(group->Button(0)->x(), group->Button(2)->x());
    EXPECT_LT(group->Button(0)->y(), group->Button(1)->y());
}

}  // namespace

namespace {

// A field rule of the program that refuses one value.
void RefuseValue(platform::DataSet& dataSet, const QString& column, const QString& refused) {
    dataSet.FieldSetup(column).onValidate = [refused](platform::Field& field) {
        if (field.AsString() == refused) {
            throw platform::StoreError(QStringLiteral("Hodnota %1 není dovolena.").arg(refused));
        }
    };
}

TEST_F(MemoRadio, ARefusedOptionKeepsTheFocusInTheGroup) {
    RefuseValue(*cards, "Cip", "2");
    Show();
    Focus(group->Button(0));
    QTest::mouseClick(group->Button(2), Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, group->Button(2)->height() / 2));
    Settle();
    EXPECT_TRUE(group->Button(2)->hasFocus());
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    other->setFocus(Qt::TabFocusReason);
    Settle();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Hodnota 2 není dovolena.");
    EXPECT_TRUE(group->Button(2)->hasFocus()) << "back on the selected option";
    EXPECT_EQ(cards->FieldByName("Cip").AsString(), "12345");
    EXPECT_TRUE(group->Modified());
}

TEST_F(MemoRadio, ARefusedMemoTextKeepsTheFocus) {
    RefuseValue(*cards, "Postava_zvl_znaky", "zlé");
    Show();
    Focus(memo);
    Type(memo, "zlé");
    other->setFocus(Qt::TabFocusReason);
    Settle();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(memo->Text(), "zlé");
    EXPECT_EQ(cards->State(), DataSetState::Edit);
}

}  // namespace
