// The bound picture over the photo album table: the aspect rule, JPEG and
// BMP bytes shown, the stored bytes kept when the record is posted, and the
// clipboard keys.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>

#include "controls/db_image.h"
#include "platform/paint/bitmap_files.h"
#include "tests/controls/bound_fixture.h"

using bound_test::Settle;
using platform::DataSetState;

namespace {

QByteArray Jpeg(int width, int height, QColor colour = Qt::darkGreen) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPG"));
    return bytes;
}

TEST(PictureAspect, ReducesNeverEnlargesAndKeepsProportions) {
    EXPECT_EQ(AspectPictureSize({2000, 1000}, {430, 300}, true), QSize(430, 215));
    EXPECT_EQ(AspectPictureSize({200, 100}, {430, 300}, true), QSize(200, 100));
    EXPECT_EQ(AspectPictureSize({1000, 2000}, {430, 300}, true), QSize(150, 300));
    // Width first, then height: 3000 x 1000 into 430 x 100 -> 430 x 143 -> 301 x 100.
    EXPECT_EQ(AspectPictureSize({3000, 1000}, {430, 100}, true), QSize(301, 100));
    EXPECT_EQ(AspectPictureSize({2000, 1000}, {430, 300}, false), QSize(2000, 1000));
    EXPECT_EQ(AspectPictureSize({}, {430, 300}, true), QSize());
}

class DbImage : public bound_test::BoundForm {
  protected:
    void SetUp() override {
        BoundForm::SetUp();
        jpeg = Jpeg(2000, 1000);
        album = std::make_unique<platform::Table>(*db, "foto_album.db");
        album->Open();
        album->Append();
        album->FieldByName("Jmeno_registr").SetAsString("Aron");
        album->FieldByName("Foto_1").SetAsBytes(jpeg);
        album->Post();
        album->Append();
        album->FieldByName("Jmeno_registr").SetAsString("Bára");
        album->Post();
        album->First();
        so = std::make_unique<platform::DataSource>("SoFoto_Album", album.get());
        photo = Add(new TDBImageAspect, "DBImage1");
        EXPECT_EQ(photo->BorderStyle(), bsSingle);
        photo->SetBorderStyle(bsNone);
        photo->setFixedSize(430, 300);
        photo->SetDataSource(so.get());
        photo->SetDataField("Foto_1");
    }

    void TearDown() override {
        form.reset();
        so.reset();
        album.reset();
    }

    QByteArray StoredPhoto(const QString& name) {
        platform::Query q(*db);
        q.SetSQL(
            {QStringLiteral("Select * from foto_album where Jmeno_registr = \"%1\"").arg(name)});
        q.Open();
        return q.FieldByName("Foto_1").AsBytes();
    }

    QByteArray jpeg;
    std::unique_ptr<platform::Table> album;
    std::unique_ptr<platform::DataSource> so;
    TDBImageAspect* photo = nullptr;
};

TEST_F(DbImage, ShowsAJpegReducedToTheControl) {
    Show();
    ASSERT_FALSE(photo->Picture().isNull());
    EXPECT_EQ(photo->Picture().size(), QSize(2000, 1000));
    EXPECT_EQ(photo->PictureRect(), QRect(0, 0, 430, 215));
    photo->SetCenter(true);
    EXPECT_EQ(photo->PictureRect(), QRect(0, 42, 430, 215));
    photo->SetStretch(false);
    EXPECT_EQ(photo->PictureRect().size(), QSize(2000, 1000));
    album->Next();
    EXPECT_TRUE(photo->Picture().isNull()) << "the next record has no picture";
}

TEST_F(DbImage, ShowsBmpBytes) {
    QImage small(200, 100, QImage::Format_RGB32);
    small.fill(Qt::red);
    album->Next();
    album->Edit();
    album->FieldByName("Foto_1").SetAsBytes(platform::ToBmp(small));
    album->Post();
    album->Locate("Jmeno_registr", "Bára");
    EXPECT_EQ(photo->Picture().size(), QSize(200, 100));
    EXPECT_EQ(photo->PictureRect(), QRect(0, 0, 200, 100)) << "never enlarged";
}

TEST_F(DbImage, PostingKeepsTheJpegBytes) {
    album->Edit();
    album->FieldByName("Jmeno_registr").SetAsString("Aron II");
    UpdateBoundControls(*album);
    album->Post();
    EXPECT_EQ(StoredPhoto("Aron II"), jpeg);
    const QByteArray other = Jpeg(300, 400, Qt::blue);
    ASSERT_TRUE(photo->SetPictureData(other));
    EXPECT_EQ(album->State(), DataSetState::Edit);
    EXPECT_EQ(photo->Picture().size(), QSize(300, 400));
    album->Post();
    EXPECT_EQ(StoredPhoto("Aron II"), other) << "a JPEG given to the control is stored as JPEG";
    EXPECT_FALSE(photo->SetPictureData("not a picture"));
    EXPECT_EQ(album->State(), DataSetState::Browse);
}

TEST_F(DbImage, ClipboardKeys) {
    Show();
    Focus(photo);
    QTest::keyClick(photo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(2000, 1000));
    QTest::keyClick(photo, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(photo->Picture().isNull());
    EXPECT_EQ(album->State(), DataSetState::Edit);
    EXPECT_TRUE(album->FieldByName("Foto_1").IsNull());
    QTest::keyClick(photo, Qt::Key_Escape);
    EXPECT_EQ(album->FieldByName("Foto_1").AsBytes(), jpeg) << "Esc discards the cut";
    EXPECT_EQ(photo->Picture().size(), QSize(2000, 1000));
    QImage pasted(64, 32, QImage::Format_RGB32);
    pasted.fill(Qt::yellow);
    QApplication::clipboard()->setImage(pasted);
    QTest::keyClick(photo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(photo->Picture().size(), QSize(64, 32));
    album->Post();
    const QByteArray stored = StoredPhoto("Aron");
    EXPECT_TRUE(stored.startsWith("BM")) << "a pasted picture is stored as a bitmap";
    EXPECT_EQ(platform::LoadPicture(stored).size(), QSize(64, 32));
}

TEST_F(DbImage, WithoutAutoDisplayEnterLoads) {
    photo->AutoDisplay = false;
    album->Next();
    album->First();
    EXPECT_TRUE(photo->Picture().isNull());
    Show();
    Focus(photo);
    QTest::keyClick(photo, Qt::Key_Return);
    EXPECT_EQ(photo->Picture().size(), QSize(2000, 1000));
}

TEST_F(DbImage, AReadOnlyControlRefusesChanges) {
    photo->SetReadOnly(true);
    Show();
    Focus(photo);
    QTest::keyClick(photo, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(photo->Picture().isNull());
    EXPECT_EQ(album->State(), DataSetState::Browse);
    EXPECT_FALSE(photo->SetPictureData(Jpeg(10, 10)));
}

}  // namespace
