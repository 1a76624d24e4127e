// The designer's clipboard text: its form, reading it back, foreign text.

#include <gtest/gtest.h>

#include "report/designer/designer_clipboard.h"

TEST(DesignerClipboard, TextHasTheMarkerTheCornerTheFocusedLineAndTheRecords) {
    TDesignerClipboard clip;
    clip.left = 100;
    clip.top = 50;
    clip.focusedLine = 1;
    clip.elements = {QStringLiteral("X,7,0,0,0,10,10"), QStringLiteral("X,8,8,5,5,20,20")};
    EXPECT_EQ(FormatDesignerClipboard(clip),
              QStringLiteral("LumexEditor\r\n100\r\n50\r\n1\r\nX,7,0,0,0,10,10\r\nX,8,8,5,5,20,"
                             "20\r\n"));
}

TEST(DesignerClipboard, ReadsBackWhatItWrote) {
    TDesignerClipboard clip;
    clip.left = -3;
    clip.top = 7;
    clip.focusedLine = 0;
    clip.elements = {
        QStringLiteral("X,1,0,1,2,3,4,Arial,10,0,0,0,0,238,\"a, b\",0,0,0,\"\",0,\"\"")};
    TDesignerClipboard read;
    ASSERT_TRUE(ParseDesignerClipboard(FormatDesignerClipboard(clip), read));
    EXPECT_EQ(read.left, -3);
    EXPECT_EQ(read.top, 7);
    EXPECT_EQ(read.focusedLine, 0);
    EXPECT_EQ(read.elements, clip.elements);
}

TEST(DesignerClipboard, AcceptsBareLineFeeds) {
    TDesignerClipboard read;
    ASSERT_TRUE(ParseDesignerClipboard(QStringLiteral("LumexEditor\n1\n2\n-1\nX,7,0"), read));
    EXPECT_EQ(read.focusedLine, -1);
    EXPECT_EQ(read.elements, QStringList{QStringLiteral("X,7,0")});
}

TEST(DesignerClipboard, ForeignTextIsNotADesignerClipboard) {
    TDesignerClipboard read;
    read.left = 42;
    EXPECT_FALSE(ParseDesignerClipboard(QStringLiteral("Hello world"), read));
    EXPECT_FALSE(ParseDesignerClipboard(QStringLiteral("LumexEditor\n1\n2"), read));
    EXPECT_FALSE(ParseDesignerClipboard(QStringLiteral("lumexeditor\n1\n2\n0\nX,1"), read));
    EXPECT_FALSE(ParseDesignerClipboard(QString(), read));
    EXPECT_EQ(read.left, 42);  // untouched
}

TEST(DesignerClipboard, UnreadableNumbersReadAsDefaults) {
    TDesignerClipboard read;
    ASSERT_TRUE(ParseDesignerClipboard(QStringLiteral("LumexEditor\nx\ny\nz\n"), read));
    EXPECT_EQ(read.left, 0);
    EXPECT_EQ(read.top, 0);
    EXPECT_EQ(read.focusedLine, -1);
    EXPECT_TRUE(read.elements.isEmpty());
}
