// The image with kept proportions: where the picture lands for each
// combination of Stretch, Isometric and Center, and the fill around it.
#include <gtest/gtest.h>

#include <QImage>

#include "controls/vexa_image.h"

namespace {

QImage Solid(int width, int height, QColor color = Qt::red) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage Rendered(TVexaImage& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    view.render(&image);
    return image;
}

TEST(VexaImageTest, CreatedAt105By105WithoutStretch) {
    TVexaImage view;
    EXPECT_EQ(view.size(), QSize(105, 105));
    EXPECT_FALSE(view.Stretch());
    EXPECT_FALSE(view.Center());
    EXPECT_FALSE(view.Transparent());
    EXPECT_TRUE(view.PictureRect().isNull()) << "no picture, nothing drawn";
}

TEST(VexaImageTest, IsometricFitScalesUpAndDown) {
    EXPECT_EQ(IsometricFit(QSize(2000, 1000), QSize(430, 300)), QSize(430, 215));
    EXPECT_EQ(IsometricFit(QSize(200, 100), QSize(430, 300)), QSize(430, 215)) << "enlarged too";
    EXPECT_EQ(IsometricFit(QSize(100, 400), QSize(105, 105)), QSize(26, 105));
    EXPECT_EQ(IsometricFit(QSize(3, 1000), QSize(105, 105)), QSize(1, 105))
        << "a sliver keeps one pixel";
    EXPECT_EQ(IsometricFit(QSize(0, 10), QSize(105, 105)), QSize(0, 0));
}

TEST(VexaImageTest, StretchIsometricPlacesTopLeftOrCentred) {
    TVexaImage view;
    view.resize(430, 300);
    view.SetPicture(Solid(2000, 1000));
    view.SetStretch(true);
    EXPECT_EQ(view.PictureRect(), QRect(0, 0, 430, 215));
    view.SetCenter(true);
    EXPECT_EQ(view.PictureRect(), QRect(0, 42, 430, 215));
}

TEST(VexaImageTest, StretchWithoutIsometricFillsTheControl) {
    TVexaImage view;
    view.resize(430, 300);
    view.SetPicture(Solid(2000, 1000));
    view.SetStretch(true);
    view.SetIsometric(false);
    view.SetCenter(true);
    EXPECT_EQ(view.PictureRect(), QRect(0, 0, 430, 300));
}

TEST(VexaImageTest, WithoutStretchThePictureKeepsItsSize) {
    TVexaImage view;
    view.SetPicture(Solid(45, 25));
    EXPECT_EQ(view.PictureRect(), QRect(0, 0, 45, 25));
    view.SetCenter(true);
    EXPECT_EQ(view.PictureRect(), QRect(30, 40, 45, 25));
    view.SetPicture(Solid(400, 300));
    EXPECT_EQ(view.PictureRect(), QRect(-147, -97, 400, 300)) << "larger: centred and cut";
}

TEST(VexaImageTest, AreaAroundIsSilverUnlessTransparent) {
    TVexaImage view;
    view.resize(100, 100);
    view.SetPicture(Solid(100, 50, Qt::blue));
    view.SetStretch(true);
    view.SetCenter(true);
    QImage shown = Rendered(view);
    EXPECT_EQ(QColor(shown.pixel(50, 50)), QColor(Qt::blue));
    EXPECT_EQ(QColor(shown.pixel(50, 5)), QColor(0xC0, 0xC0, 0xC0));

    view.SetTransparent(true);
    shown = Rendered(view);
    EXPECT_EQ(QColor(shown.pixel(50, 5)), QColor(Qt::black)) << "what lies behind shows";
    EXPECT_EQ(QColor(shown.pixel(50, 50)), QColor(Qt::blue));
}

TEST(VexaImageTest, AutoSizeTakesThePictureSizeWhenNotStretched) {
    TVexaImage view;
    view.SetAutoSize(true);
    view.SetPicture(Solid(64, 48));
    EXPECT_EQ(view.size(), QSize(64, 48));
    view.SetStretch(true);
    view.SetPicture(Solid(200, 10));
    EXPECT_EQ(view.size(), QSize(64, 48)) << "a stretched picture follows the control";
}

}  // namespace
