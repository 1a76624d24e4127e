// The indicator lamp: colour pairs, on/off/blink and its fixed size.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "controls/led_lamp.h"

namespace {

TEST(LedLampTest, DefaultsAreRedAndMaroonOff) {
    TLedka led;
    EXPECT_EQ(led.LedStatus(), IsOff);
    EXPECT_EQ(led.LedOnColor(), lcRed);
    EXPECT_EQ(led.LedOffColor(), lcMaroon);
    EXPECT_TRUE(led.AutoSelectColor());
    EXPECT_EQ(led.BlinkRate(), 1000);
    EXPECT_FALSE(led.IsLit());
    EXPECT_EQ(led.ShownColor(), QColor(0x80, 0, 0));
}

TEST(LedLampTest, AutoSelectColorKeepsThePairs) {
    TLedka led;
    led.SetLedOnColor(lcBlue);
    EXPECT_EQ(led.LedOffColor(), lcNavy);
    led.SetLedOffColor(lcTeal);
    EXPECT_EQ(led.LedOnColor(), lcAqua);
    led.SetLedOnColor(lcSilver);
    EXPECT_EQ(led.LedOffColor(), lcBlack);
    led.SetLedOffColor(lcGray);
    EXPECT_EQ(led.LedOnColor(), lcWhite);
    EXPECT_EQ(LedColor(lcYellow), QColor(255, 255, 0));
    EXPECT_EQ(LedColor(lcOlive), QColor(128, 128, 0));
}

TEST(LedLampTest, WithoutAutoSelectColorTheColoursAreIndependent) {
    TLedka led;
    led.SetAutoSelectColor(false);
    led.SetLedOnColor(lcBlue);
    EXPECT_EQ(led.LedOffColor(), lcMaroon);
    led.SetLedOffColor(lcGreen);
    EXPECT_EQ(led.LedOnColor(), lcBlue);
}

TEST(LedLampTest, LampAreaShowsTheStatusColour) {
    TLedka led;
    led.SetLedOnColor(lcLime);
    const QPoint middle = GenericLedLampArea().center();
    auto dominant = [&](const QImage& image) { return QColor(image.pixel(middle)); };

    QColor off = dominant(led.LampImage());
    EXPECT_GT(off.green(), 0);
    EXPECT_EQ(off.red(), 0);
    EXPECT_LE(off.green(), 128) << "green is 0x008000 at most";

    led.SetLedStatus(IsOn);
    EXPECT_TRUE(led.IsLit());
    QColor on = dominant(led.LampImage());
    EXPECT_GT(on.green(), 128);
    EXPECT_EQ(on.red(), 0);
    EXPECT_EQ(on.blue(), 0);
    // The bezel outside the lamp area does not take the colour.
    EXPECT_EQ(led.LampImage().pixel(0, 0), GenericLedBitmap().pixel(0, 0));
}

TEST(LedLampTest, KeepsTheSizeOfTheBitmap) {
    TLedka led;
    EXPECT_EQ(led.size(), GenericLedBitmap().size());
    led.resize(100, 60);
    EXPECT_EQ(led.size(), GenericLedBitmap().size());
    EXPECT_FALSE(GenericLedBitmap().isNull());
}

TEST(LedLampTest, BlinkTogglesEveryBlinkRateAndStopsOnOtherStatus) {
    TLedka led;
    led.SetBlinkRate(20);
    led.SetLedStatus(IsBlink);
    const bool first = led.IsLit();
    EXPECT_TRUE(QTest::qWaitFor([&] { return led.IsLit() != first; }, 1000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return led.IsLit() == first; }, 1000));

    led.SetLedStatus(IsOn);
    EXPECT_TRUE(led.IsLit());
    QTest::qWait(100);
    EXPECT_TRUE(led.IsLit()) << "no toggling once the lamp is on";
    led.SetLedStatus(IsOff);
    QTest::qWait(100);
    EXPECT_FALSE(led.IsLit());
}

TEST(LedLampTest, NoToggleBeforeTheRateHasPassed) {
    TLedka led;
    led.SetBlinkRate(400);
    led.SetLedStatus(IsBlink);
    const bool first = led.IsLit();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(150);
    // Qt's coarse timers may fire up to 5 % early: 380 ms for a 400 ms rate.
    if (clock.elapsed() < 375) {
        EXPECT_EQ(led.IsLit(), first);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return led.IsLit() != first; }, 2000));
    EXPECT_GE(clock.elapsed(), 375);
}

}  // namespace
