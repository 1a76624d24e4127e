// The message and clock seams: what tests and headless tools rely on.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/messages.h"
#include "tests/support/seams.h"

using namespace platform;

TEST(MessageSeam, RecordsRequestAndGivesScriptedAnswers) {
    testing_support::ScriptedMessages messages;
    messages.Answer(mbNo);
    EXPECT_EQ(ShowMessage("Odstranit?", "Dotaz", MessageIcon::Question, mbYes | mbNo), mbNo);
    // No scripted answer left: the default button (first button) answers.
    EXPECT_EQ(ShowMessage("Znovu?", "Dotaz", MessageIcon::Question, mbYes | mbNo), mbYes);
    EXPECT_EQ(ShowMessage("Chyba", "", MessageIcon::Error, mbOK | mbCancel, mbCancel), mbCancel);
    ASSERT_EQ(messages.Shown().size(), 3u);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages.Texts(), QStringList({"Odstranit?", "Znovu?", "Chyba"}));
}

TEST(MessageSeam, HandlerIsRestoredWhenScriptEnds) {
    {
        testing_support::ScriptedMessages outer;
        {
            testing_support::ScriptedMessages inner;
            ShowMessage("vnitřní", "x", MessageIcon::Information);
            EXPECT_EQ(inner.Shown().size(), 1u);
        }
        ShowMessage("vnější", "x", MessageIcon::Information);
        ASSERT_EQ(outer.Shown().size(), 1u);
        EXPECT_EQ(outer.Shown()[0].text, "vnější");
    }
}

TEST(ClockSeam, FixedClockSetsTodayAndRestores) {
    {
        testing_support::FixedClock clock(QDate(2009, 3, 5));
        EXPECT_EQ(Today(), QDate(2009, 3, 5));
    }
    EXPECT_NE(Today(), QDate(2009, 3, 5));
}
