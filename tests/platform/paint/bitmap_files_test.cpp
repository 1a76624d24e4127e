// Picture files: JPEG and BMP in, 24-bit BMP out.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include "platform/paint/bitmap_files.h"

using namespace platform;

namespace {

QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgba(x * 255 / width, y * 255 / height, 90, 128));
        }
    }
    return image;
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

}  // namespace

TEST(BitmapFiles, BmpIsTwentyFourBitsWithAnInfoHeader) {
    const QByteArray bmp = ToBmp(Gradient(5, 3));
    ASSERT_GT(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 2), static_cast<quint32>(bmp.size()));
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(qFromLittleEndian<qint32>(bmp.constData() + 18), 5);
    EXPECT_EQ(qFromLittleEndian<qint32>(bmp.constData() + 22), 3);  // bottom-up rows
    EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), 24);
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 30), 0u);  // uncompressed
    // Rows of 5 pixels take 15 bytes, padded to 16.
    EXPECT_EQ(bmp.size(), 54 + 3 * 16);
}

TEST(BitmapFiles, SavedBmpReadsBackWithItsColours) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("obrázek.bmp"));
    const QImage original = Gradient(40, 30).convertToFormat(QImage::Format_RGB32);
    QString error;
    ASSERT_TRUE(SaveBmp(original, path, &error)) << error.toStdString();
    const QImage loaded = LoadPicture(path, &error);
    ASSERT_FALSE(loaded.isNull()) << error.toStdString();
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), original);
}

TEST(BitmapFiles, JpegPicturesLoadThroughLibjpeg) {
    const QByteArray jpeg = Encoded(Gradient(64, 48), "JPG");
    ASSERT_FALSE(jpeg.isEmpty()) << "the JPEG image plugin is missing";
    QString error;
    const QImage image = LoadPicture(jpeg, &error);
    ASSERT_FALSE(image.isNull()) << error.toStdString();
    EXPECT_EQ(image.size(), QSize(64, 48));
    EXPECT_NEAR(qRed(image.pixel(60, 2)), 240, 20);
}

TEST(BitmapFiles, DamagedOrMissingPicturesGiveAReason) {
    QString error;
    EXPECT_TRUE(LoadPicture(QByteArray("not a picture at all"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    const QByteArray jpeg = Encoded(Gradient(64, 48), "JPG");
    error.clear();
    EXPECT_TRUE(LoadPicture(jpeg.left(20), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_TRUE(LoadPicture(QStringLiteral("/nonexistent/pes.jpg"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

TEST(BitmapFiles, HugeDeclaredSizeIsRefusedBeforeDecoding) {
    // A BMP header announcing 30000 x 30000 pixels with no pixel data.
    QByteArray bmp = ToBmp(Gradient(2, 2));
    qToLittleEndian<qint32>(30000, bmp.data() + 18);
    qToLittleEndian<qint32>(30000, bmp.data() + 22);
    QString error;
    EXPECT_TRUE(LoadPicture(bmp, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

TEST(BitmapFiles, SavingIntoAMissingFolderFails) {
    QString error;
    EXPECT_FALSE(SaveBmp(Gradient(4, 4), QStringLiteral("/nonexistent/folder/a.bmp"), &error));
    EXPECT_FALSE(error.isEmpty());
}
