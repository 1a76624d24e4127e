// The record navigator over a real table: captions, the sharing of its
// length, the buttons following the data set, the standard actions, the
// delete confirmation and the hooks that replace actions.
#include <QToolButton>

#include "controls/db_navigator.h"
#include "controls/k_db_edit.h"
#include "tests/controls/bound_fixture.h"

using bound_test::Settle;
using bound_test::Type;
using platform::DataSetState;

namespace {

QString Name(platform::DataSet& dataSet) {
    return dataSet.FieldByName("Jmeno_registr").AsString();
}

class Navigator : public bound_test::BoundForm {
  protected:
    void SetUp() override {
        BoundForm::SetUp();
        nav = Add(new TDBNavigatorKopa, "DBNavigator1");
        nav->SetDataSource(source.get());
    }

    bool Enabled(TNavigateBtn button) const { return nav->Button(button)->isEnabled(); }
    void Press(TNavigateBtn button) {
        nav->Button(button)->click();
        Settle();
    }

    TDBNavigatorKopa* nav = nullptr;
};

TEST(NavigatorLength, SharesTheLengthAndSpreadsTheRest) {
    const auto even = ShareNavigatorLength(180, 9);
    ASSERT_EQ(even.size(), 9u);
    for (size_t i = 0; i < even.size(); ++i) {
        EXPECT_EQ(even[i].size, 20);
        EXPECT_EQ(even[i].start, int(i) * 20);
    }
    // 184 over 9: four buttons get one pixel more, spread over the row.
    const auto spread = ShareNavigatorLength(184, 9);
    std::vector<int> sizes;
    int total = 0;
    for (const auto& span : spread) {
        sizes.push_back(span.size);
        total += span.size;
    }
    EXPECT_EQ(total, 184);
    EXPECT_EQ(sizes, (std::vector<int>{20, 21, 20, 21, 20, 21, 20, 21, 20}));
    EXPECT_EQ(spread.back().start + spread.back().size, 184);
    // One spare pixel over four buttons goes to the third: the diffusion
    // starts at half a button.
    const auto one = ShareNavigatorLength(81, 4);
    EXPECT_EQ(one[0].size, 20);
    EXPECT_EQ(one[1].size, 20);
    EXPECT_EQ(one[2].size, 21);
    EXPECT_EQ(one[3].size, 20);
    EXPECT_TRUE(ShareNavigatorLength(100, 0).empty());
}

TEST_F(Navigator, CaptionsAndVisibleButtons) {
    EXPECT_EQ(nav->Captions(), (QStringList{"První", "Vzad", "Vpřed", "Konec", "Nový", "Smaž",
                                            "Oprav", "Ulož", "Storno", "Načti"}));
    EXPECT_FALSE(nav->Button(nbRefresh)->isVisibleTo(nav));
    EXPECT_TRUE(nav->Button(nbCancel)->isVisibleTo(nav));
    nav->SetCaptions({"A", "B", "C"});
    EXPECT_EQ(nav->Captions(), (QStringList{"A", "B", "C", "Konec", "Nový", "Smaž", "Oprav", "Ulož",
                                            "Storno", "Načti"}));
    QStringList twelve;
    for (int i = 0; i < 12; ++i) {
        twelve << QString::number(i);
    }
    nav->SetCaptions(twelve);
    EXPECT_EQ(nav->Captions(), twelve.mid(0, 10));
}

TEST_F(Navigator, ButtonsShareTheWidthAndTheNavigatorGrowsToFit) {
    TDBNavigatorKopa alone;
    alone.SetVisibleButtons(NavButton(nbDelete) | NavButton(nbEdit) | NavButton(nbPost) |
                            NavButton(nbCancel));
    alone.show();
    alone.resize(81, 30);
    Settle();
    EXPECT_EQ(alone.Button(nbDelete)->geometry(), QRect(0, 0, 20, 30));
    EXPECT_EQ(alone.Button(nbEdit)->geometry(), QRect(20, 0, 20, 30));
    EXPECT_EQ(alone.Button(nbPost)->geometry(), QRect(40, 0, 21, 30));
    EXPECT_EQ(alone.Button(nbCancel)->geometry(), QRect(61, 0, 20, 30));
    EXPECT_GE(alone.Button(nbFirst)->geometry().left(), alone.width()) << "hidden outside";
    alone.resize(50, 10);
    Settle();
    EXPECT_EQ(alone.size(), QSize(80, 18));
    alone.SetNavigOrientation(noVertical);
    alone.resize(30, 100);
    Settle();
    EXPECT_EQ(alone.Button(nbDelete)->geometry(), QRect(0, 0, 30, 25));
    EXPECT_EQ(alone.Button(nbCancel)->geometry(), QRect(0, 75, 30, 25));
}

TEST_F(Navigator, ButtonsFollowTheDataSet) {
    EXPECT_FALSE(Enabled(nbFirst));
    EXPECT_FALSE(Enabled(nbPrior));
    EXPECT_TRUE(Enabled(nbNext));
    EXPECT_TRUE(Enabled(nbLast));
    EXPECT_TRUE(Enabled(nbEdit));
    EXPECT_FALSE(Enabled(nbPost));
    EXPECT_FALSE(Enabled(nbCancel));
    cards->Last();
    EXPECT_TRUE(Enabled(nbPrior));
    EXPECT_FALSE(Enabled(nbNext));
    cards->Edit();
    EXPECT_FALSE(Enabled(nbEdit));
    EXPECT_TRUE(Enabled(nbPost));
    EXPECT_TRUE(Enabled(nbCancel));
    cards->Cancel();
    nav->setEnabled(false);
    EXPECT_FALSE(Enabled(nbEdit));
    cards->First();
    nav->setEnabled(true);
    EXPECT_TRUE(Enabled(nbEdit)) << "enabled again with the navigator";
    EXPECT_TRUE(Enabled(nbNext));
    EXPECT_FALSE(Enabled(nbPrior));
    cards->Close();
    for (int b = nbFirst; b <= nbRefresh; ++b) {
        EXPECT_FALSE(Enabled(TNavigateBtn(b))) << b;
    }
}

TEST_F(Navigator, EditingButtonsAreUnavailableOnAQuery) {
    platform::Query list(*db);
    list.SetSQL({"Select * from Main_card"});
    list.Open();
    source->SetDataSet(&list);
    EXPECT_TRUE(Enabled(nbNext));
    for (TNavigateBtn b : {nbInsert, nbDelete, nbEdit, nbPost, nbCancel}) {
        EXPECT_FALSE(Enabled(b)) << b;
    }
    Press(nbDelete);
    EXPECT_EQ(list.RecordCount(), 3);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(Navigator, MovingEditingAndPosting) {
    Press(nbNext);
    EXPECT_EQ(Name(*cards), "Bára");
    Press(nbLast);
    EXPECT_EQ(Name(*cards), "Cita");
    Press(nbPrior);
    EXPECT_EQ(Name(*cards), "Bára");
    Press(nbFirst);
    EXPECT_EQ(Name(*cards), "Aron");
    Press(nbEdit);
    EXPECT_EQ(cards->State(), DataSetState::Edit);
    cards->FieldByName("Cip").SetAsInteger(5);
    Press(nbCancel);
    EXPECT_EQ(cards->State(), DataSetState::Browse);
    EXPECT_EQ(Stored("Aron", "Cip"), "12345");
    Press(nbInsert);
    EXPECT_EQ(cards->State(), DataSetState::Insert);
    cards->FieldByName("Jmeno_registr").SetAsString("Dino");
    Press(nbPost);
    EXPECT_EQ(cards->State(), DataSetState::Browse);
    EXPECT_EQ(Stored("Dino", "Jmeno_registr"), "Dino");
}

TEST_F(Navigator, DeleteAsksFirst) {
    cards->Next();
    messages.Answer(platform::mbCancel);
    Press(nbDelete);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Smazat záznam?");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Question);
    EXPECT_EQ(messages.Shown()[0].buttons, platform::mbOK | platform::mbCancel);
    EXPECT_EQ(cards->RecordCount(), 3);
    messages.Answer(platform::mbOK);
    Press(nbDelete);
    EXPECT_EQ(cards->RecordCount(), 2);
    EXPECT_EQ(Stored("Bára", "Jmeno_registr"), "<none>");
    EXPECT_EQ(Name(*cards), "Cita");
}

TEST_F(Navigator, AnAssignedHookReplacesTheStandardAction) {
    int deletes = 0, posts = 0;
    std::vector<TNavigateBtn> clicked;
    nav->OnClickDelete = [&](TDBNavigatorKopa* sender) {
        EXPECT_EQ(sender, nav);
        ++deletes;
    };
    nav->OnClickPost = [&](TDBNavigatorKopa*) { ++posts; };
    nav->OnClick = [&](TDBNavigatorKopa*, TNavigateBtn b) { clicked.push_back(b); };
    Press(nbDelete);
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(cards->RecordCount(), 3) << "the hook does not delete by itself";
    EXPECT_TRUE(messages.Shown().empty()) << "nor asks";
    Press(nbEdit);
    Press(nbPost);
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(cards->State(), DataSetState::Edit) << "not posted";
    EXPECT_EQ(clicked, (std::vector<TNavigateBtn>{nbDelete, nbEdit, nbPost}));
}

TEST_F(Navigator, PostTakesTheFocusedFieldsChangeAlong) {
    auto* chip = Add(new TKDBEditKopa, "EdCip");
    chip->SetDataSource(source.get());
    chip->SetDataField("Cip");
    Show();
    Focus(chip);
    chip->selectAll();
    Type(chip, "99");
    Press(nbPost);
    EXPECT_TRUE(chip->hasFocus());
    EXPECT_EQ(cards->State(), DataSetState::Browse);
    EXPECT_EQ(Stored("Aron", "Cip"), "99");
}

TEST_F(Navigator, AStoreRefusalEndsInTheErrorBoxAndTheRecordStaysInEditing) {
    Press(nbInsert);
    cards->FieldByName("Jmeno_registr").SetAsString("Aron");  // the key exists already
    Press(nbPost);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(cards->State(), DataSetState::Insert);
    EXPECT_TRUE(Enabled(nbCancel));
}

TEST_F(Navigator, NothingHappensWithoutAnOpenDataSet) {
    nav->SetDataSource(nullptr);
    nav->BtnClick(nbNext);
    EXPECT_EQ(Name(*cards), "Aron");
    EXPECT_FALSE(Enabled(nbNext));
}

}  // namespace
