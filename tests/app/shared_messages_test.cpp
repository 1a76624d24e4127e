// The two information boxes shared by the event-record forms.
#include <gtest/gtest.h>

#include "app/shared_messages.h"
#include "tests/support/seams.h"

TEST(SharedMessages, ShowTheExactTextsAsInformationWithOk) {
    testing_support::ScriptedMessages messages;
    ShowNotAvailableYet();
    ShowCommandDone();
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[0].text, "Tento příkaz není zatím funkční");
    EXPECT_EQ(messages.Shown()[1].text, "Příkaz byl vykonán ");  // the final blank belongs to it
    for (const platform::MessageRequest& box : messages.Shown()) {
        EXPECT_EQ(box.icon, platform::MessageIcon::Information);
        EXPECT_EQ(box.buttons, platform::mbOK);
    }
}
