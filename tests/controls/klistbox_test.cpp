#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "controls/K_Edit.h"
#include "controls/k_list_box.h"

namespace {

class ListForm : public ::testing::Test {
  protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&form);
        before = new TKEdit(&form);
        list = new TKListBox(&form);
        list->setObjectName(QStringLiteral("LbBarvy"));
        list->addItems({QStringLiteral("černá"), QStringLiteral("bílá"), QStringLiteral("žlutá")});
        after = new TKEdit(&form);
        for (QWidget* w : {static_cast<QWidget*>(before), static_cast<QWidget*>(list),
                           static_cast<QWidget*>(after)}) {
            layout->addWidget(w);
        }
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        list->setFocus(Qt::TabFocusReason);
        list->setCurrentRow(0);
        QApplication::processEvents();
    }
    QWidget form;
    TKEdit* before = nullptr;
    TKListBox* list = nullptr;
    TKEdit* after = nullptr;
};

TEST_F(ListForm, ArrowsAndEnterMoveInListControlLeaves) {
    EXPECT_EQ(list->palette().color(QPalette::Base), QColor(Qt::yellow));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(list->currentRow(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_TRUE(before->hasFocus());
    EXPECT_NE(list->palette().color(QPalette::Base), QColor(Qt::yellow));
}

TEST_F(ListForm, InLineLeavesAtTheEnds) {
    list->KeyLikeTab |= keyInLine;
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_TRUE(after->hasFocus());
    list->setFocus(Qt::TabFocusReason);
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_TRUE(before->hasFocus());
}

}  // namespace
