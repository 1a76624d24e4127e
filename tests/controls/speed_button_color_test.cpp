// The coloured speed button: bevel shades, bevel width, the font while down
// and the grouping of buttons that share a GroupIndex.
#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "controls/speed_button_color.h"

namespace {

QImage Rendered(TSpeedButtonColor& button) {
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    button.render(&image);
    return image;
}

TEST(SpeedButtonColorTest, BevelShadesAreCappedPerChannel) {
    TSpeedButtonColor button;
    EXPECT_EQ(button.Color(), QColor(0, 0, 128));
    EXPECT_EQ(button.Odstin(), 64);
    EXPECT_EQ(button.LightEdgeColor(), QColor(64, 64, 192));
    EXPECT_EQ(button.DarkEdgeColor(), QColor(0, 0, 64));

    button.SetColor(QColor(250, 30, 128));
    button.SetOdstin(40);
    EXPECT_EQ(button.LightEdgeColor(), QColor(255, 70, 168));
    EXPECT_EQ(button.DarkEdgeColor(), QColor(210, 0, 88));

    button.SetOdstin(300);
    EXPECT_EQ(button.LightEdgeColor(), QColor(255, 255, 255));
    EXPECT_EQ(button.DarkEdgeColor(), QColor(0, 0, 0));
}

TEST(SpeedButtonColorTest, BevelSizeNeverBelowOne) {
    TSpeedButtonColor button;
    EXPECT_EQ(button.BevelSize(), 3);
    button.SetBevelSize(0);
    EXPECT_EQ(button.BevelSize(), 1);
    button.SetBevelSize(-5);
    EXPECT_EQ(button.BevelSize(), 1);
    button.SetBevelSize(6);
    EXPECT_EQ(button.BevelSize(), 6);
}

TEST(SpeedButtonColorTest, RaisedBevelIsLightTopLeftUpAndSwappedDown) {
    QWidget bar;
    auto* button = new TSpeedButtonColor(&bar);
    button->resize(40, 24);
    button->SetColor(QColor(100, 100, 100));
    button->SetOdstin(50);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);

    QImage up = Rendered(*button);
    EXPECT_EQ(QColor(up.pixel(1, 1)), QColor(150, 150, 150));
    EXPECT_EQ(QColor(up.pixel(38, 22)), QColor(50, 50, 50));
    EXPECT_EQ(QColor(up.pixel(3, 12)), QColor(100, 100, 100)) << "the face inside a 3-pixel bevel";

    button->SetDown(true);
    QImage down = Rendered(*button);
    EXPECT_EQ(QColor(down.pixel(1, 1)), QColor(50, 50, 50));
    EXPECT_EQ(QColor(down.pixel(38, 22)), QColor(150, 150, 150));
}

TEST(SpeedButtonColorTest, LoweredAndNoBevel) {
    TSpeedButtonColor button;
    button.resize(40, 24);
    button.SetColor(QColor(100, 100, 100));
    button.SetOdstin(50);
    button.SetBevelStyle(bbLowered);
    EXPECT_EQ(QColor(Rendered(button).pixel(0, 0)), QColor(50, 50, 50));
    button.SetBevelStyle(bbNone);
    EXPECT_EQ(QColor(Rendered(button).pixel(0, 0)), QColor(100, 100, 100));
}

TEST(SpeedButtonColorTest, FontDownOnlyWithZmenaFontuWhilePressed) {
    TSpeedButtonColor button;
    button.resize(60, 24);
    QFont bold = button.font();
    bold.setBold(true);
    button.SetFontDown(bold);

    button.setDown(true);  // held by the mouse
    EXPECT_FALSE(button.CaptionFont().bold()) << "without ZmenaFontu the font stays";
    button.SetZmenaFontu(true);
    EXPECT_TRUE(button.CaptionFont().bold());
    button.setDown(false);
    EXPECT_FALSE(button.CaptionFont().bold());
}

TEST(SpeedButtonColorTest, ButtonOutsideGroupIsNeverHeldDown) {
    TSpeedButtonColor button;
    button.SetDown(true);
    EXPECT_FALSE(button.Down());
    button.resize(30, 20);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_FALSE(button.Down());
}

struct Group {
    QWidget bar;
    TSpeedButtonColor* a = new TSpeedButtonColor(&bar);
    TSpeedButtonColor* b = new TSpeedButtonColor(&bar);
    TSpeedButtonColor* other = new TSpeedButtonColor(&bar);
    Group() {
        for (TSpeedButtonColor* button : {a, b, other}) {
            button->resize(30, 20);
        }
        a->SetGroupIndex(1);
        b->SetGroupIndex(1);
        other->SetGroupIndex(2);
    }
};

TEST(SpeedButtonColorTest, PressingOneReleasesTheOthersOfItsGroupOnly) {
    Group group;
    group.other->SetDown(true);
    QTest::mouseClick(group.a, Qt::LeftButton);
    EXPECT_TRUE(group.a->Down());
    QSignalSpy released(group.a, &TSpeedButtonColor::DownChanged);
    QTest::mouseClick(group.b, Qt::LeftButton);
    EXPECT_TRUE(group.b->Down());
    EXPECT_FALSE(group.a->Down());
    ASSERT_EQ(released.count(), 1);
    EXPECT_FALSE(released.at(0).at(0).toBool());
    EXPECT_TRUE(group.other->Down()) << "another group is not touched";
}

TEST(SpeedButtonColorTest, DownButtonStaysDownUnlessAllowAllUp) {
    Group group;
    QTest::mouseClick(group.a, Qt::LeftButton);
    QTest::mouseClick(group.a, Qt::LeftButton);
    EXPECT_TRUE(group.a->Down());
    group.a->SetDown(false);
    EXPECT_TRUE(group.a->Down()) << "one button of the group must stay down";

    group.b->SetAllowAllUp(true);
    EXPECT_TRUE(group.a->AllowAllUp()) << "the group shares the setting";
    QTest::mouseClick(group.a, Qt::LeftButton);
    EXPECT_FALSE(group.a->Down());
    EXPECT_FALSE(group.b->Down());
}

TEST(SpeedButtonColorTest, SettingDownInCodeReleasesTheOthers) {
    Group group;
    group.a->SetDown(true);
    group.b->SetDown(true);
    EXPECT_FALSE(group.a->Down());
    EXPECT_TRUE(group.b->Down());
    EXPECT_TRUE(group.b->IsDrawnDown());
}

}  // namespace
