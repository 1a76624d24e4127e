#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "controls/K_Edit.h"
#include "controls/k_edit_pick.h"
#include "tests/support/seams.h"

using namespace kedit;

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kBreeds = QStringLiteral("Bígl|Boxer||Bernský salašník|Collie");

TEST(KEditPick, ItemsAndValueMark) {
    const auto items = ParsePickItems(QStringLiteral("|P\u2021 - pes|F\u0087 - fena||Bígl|"));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].value, QStringLiteral("P"));
    EXPECT_EQ(items[0].shown, QStringLiteral("P - pes"));
    EXPECT_EQ(items[1].value, QStringLiteral("F"));
    EXPECT_EQ(items[2].value, QStringLiteral("Bígl"));
    EXPECT_EQ(CurrentPickItem(items, QStringLiteral("F - fena")), 1);
    EXPECT_EQ(CurrentPickItem(items, QStringLiteral("nic")), 0);
}

TEST(KEditPick, FirstLetterCyclesThroughMatchingItems) {
    const auto items = ParsePickItems(kBreeds);
    EXPECT_EQ(FirstLetterChoice(items, QString(), u'b'), 0);
    EXPECT_EQ(FirstLetterChoice(items, QStringLiteral("Bígl"), u'B'), 1);
    EXPECT_EQ(FirstLetterChoice(items, QStringLiteral("Boxer"), u'b'), 2);
    EXPECT_EQ(FirstLetterChoice(items, QStringLiteral("Bernský salašník"), u'b'), 0);
    EXPECT_EQ(FirstLetterChoice(items, QStringLiteral("Collie"), u'b'), 0);
    EXPECT_EQ(FirstLetterChoice(items, QStringLiteral("Collie"), u'x'), -1);
}

class PickForm : public ::testing::Test {
  protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form);
        auto* breed = new TKEdit(&form);
        breed->setObjectName(QStringLiteral("EdPlemeno"));
        breed->EditType = teComboBox;
        breed->ComboBox.Items = kBreeds;
        breed->ComboBox.ItemIndex = 1;
        auto* weight = new TKEditKopa(&form);
        weight->setObjectName(QStringLiteral("EdHmotnost"));
        layout->addWidget(breed);
        layout->addWidget(weight);
        breed->Loaded();
        weight->Loaded();
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    TKEdit* Breed() { return form.findChild<TKEdit*>(QStringLiteral("EdPlemeno")); }
    QWidget form;
    testing_support::ScriptedMessages messages;
};

TEST_F(PickForm, ComboFieldTakesItemsByLetterAndEmptiesOnDelete) {
    TKEdit* breed = Breed();
    EXPECT_EQ(breed->text(), QStringLiteral("Boxer"));
    EXPECT_TRUE(breed->isReadOnly());
    breed->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(breed->cursorPosition(), 0);
    QTest::keyClick(breed, Qt::Key_B);
    EXPECT_EQ(breed->text(), QStringLiteral("Bernský salašník"));
    QTest::keyClick(breed, Qt::Key_C);
    EXPECT_EQ(breed->text(), QStringLiteral("Collie"));
    QTest::keyClick(breed, Qt::Key_Z);
    EXPECT_EQ(breed->text(), QStringLiteral("Collie"));
    QTest::keyClick(breed, Qt::Key_Delete);
    EXPECT_EQ(breed->text(), QString());
}

TEST_F(PickForm, PickListAcceptsWithEnterAndCancelsWithEscape) {
    TKEdit* breed = Breed();
    breed->setFocus(Qt::TabFocusReason);
    QStringList shown;
    int selected = -1;
    QTimer::singleShot(50, [&] {
        QListWidget* list = breed->PickList();
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->count(); ++i) {
            shown << list->item(i)->text();
        }
        selected = list->currentRow();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    breed->ClickButton();
    EXPECT_EQ(shown.size(), 4);
    EXPECT_EQ(selected, 1);  // the item equal to the text
    EXPECT_EQ(breed->text(), QStringLiteral("Bernský salašník"));

    QTimer::singleShot(50, [&] { QTest::keyClick(breed->PickList(), Qt::Key_Escape); });
    breed->ClickButton();
    EXPECT_EQ(breed->text(), QStringLiteral("Bernský salašník"));
    EXPECT_EQ(breed->PickList(), nullptr);
}

TEST_F(PickForm, KopaTurnsCommaIntoPoint) {
    auto* weight = form.findChild<TKEdit*>(QStringLiteral("EdHmotnost"));
    weight->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClicks(weight, QStringLiteral("12,5"));
    EXPECT_EQ(weight->text(), QStringLiteral("12.5"));
    EXPECT_EQ(weight->palette().color(QPalette::Base), weight->ColorOnFocus);
}

}  // namespace
