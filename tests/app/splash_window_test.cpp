// The splash window: borderless, 341 x 253, the title in large type, covered
// by Splash.bmp of the other folder when that file exists.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "app/splash_window.h"
#include "platform/folders.h"
#include "tests/support/seams.h"

namespace {

class Splash : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::SetProgramFolderOverride(folder_.path());
    }
    void TearDown() override { platform::SetProgramFolderOverride(QString()); }

    void PutSplashPicture(const QSize& size) {
        ASSERT_TRUE(QDir(folder_.path()).mkpath("OTHER"));
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(200, 0, 0));
        ASSERT_TRUE(image.save(folder_.filePath("OTHER/Splash.bmp"), "BMP"));
    }

    static int DarkPixels(const QImage& image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                dark += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
            }
        }
        return dark;
    }

    QTemporaryDir folder_;
    testing_support::ScriptedMessages messages_;
};

}  // namespace

TEST_F(Splash, BorderlessFixedSizeWithTheTitleWhenThereIsNoPicture) {
    TSplash splash;
    EXPECT_EQ(splash.size(), QSize(341, 253));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(splash.HasPicture());
    const QImage shown = splash.grab().toImage();
    // The middle band carries the large title, the corners the plain panel.
    EXPECT_GT(DarkPixels(shown.copy(40, 100, 261, 53)), 200);
    EXPECT_EQ(DarkPixels(shown.copy(10, 10, 40, 40)), 0);
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(Splash, PictureIsStretchedWithItsAspectKeptAndCentred) {
    PutSplashPicture(QSize(100, 100));  // square: fills the height, centred across
    TSplash splash;
    ASSERT_TRUE(splash.HasPicture());
    const QImage shown = splash.grab().toImage();
    const int side = 253;
    const int left = (341 - side) / 2;
    EXPECT_EQ(shown.pixelColor(left + 2, 2), QColor(200, 0, 0));
    EXPECT_EQ(shown.pixelColor(left + side - 3, side - 3), QColor(200, 0, 0));
    EXPECT_NE(shown.pixelColor(left - 3, 126), QColor(200, 0, 0));  // beside the picture
    EXPECT_NE(shown.pixelColor(left + side + 2, 126), QColor(200, 0, 0));
}

TEST_F(Splash, AnUnreadablePictureLeavesTheTitleSilently) {
    ASSERT_TRUE(QDir(folder_.path()).mkpath("OTHER"));
    QFile broken(folder_.filePath("OTHER/Splash.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM broken");
    broken.close();
    TSplash splash;
    EXPECT_FALSE(splash.HasPicture());
    EXPECT_TRUE(messages_.Shown().empty());
}
