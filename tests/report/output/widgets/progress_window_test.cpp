// The progress window of a report run.
#include <gtest/gtest.h>

#include <QMetaObject>
#include <QPushButton>
#include <QTest>

#include "report/output/widgets/forminfo.h"

TEST(ProgressWindow, ShowsTheTextAndPollAnswersThePressedStop) {
    TFormInfo form;
    EXPECT_EQ(form.windowTitle(), "Informace");
    EXPECT_FALSE(form.isVisible());
    form.SetText("Připravuji tisk položky číslo: 1");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Text(), "Připravuji tisk položky číslo: 1");
    EXPECT_FALSE(form.Poll());
    auto* stop = form.findChild<QPushButton*>("BtnPrerusit");
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), "Přerušit");
    // A click still waiting in the event queue is seen by the next Poll.
    QMetaObject::invokeMethod(stop, "click", Qt::QueuedConnection);
    EXPECT_FALSE(form.Stopped());
    EXPECT_TRUE(form.Poll());
    EXPECT_TRUE(form.Poll());  // stays stopped
}

TEST(ProgressWindow, SendingToThePrinterCannotBeStopped) {
    TFormInfo form;
    ShowSendingToPrinter(form);
    EXPECT_EQ(form.Text(), "Odesílám data do tiskárny ...");
    auto* stop = form.findChild<QPushButton*>("BtnPrerusit");
    EXPECT_FALSE(stop->isEnabled());
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_FALSE(form.Poll());
}
