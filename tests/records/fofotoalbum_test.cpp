// The photo album form as the record sheet opens it (the lamp for a new row,
// the label) driven through its buttons: pictures from files of the three
// kinds stored byte for byte, a file that is no picture, the clipboard empty
// or holding a picture, cutting, the fit switch, and the row written only on
// "Zápis". Then the full view over the screen's work area.
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <functional>

#include "controls/db_image.h"
#include "controls/led_lamp.h"
#include "records/fofotoalbum_zapis.h"
#include "records/fofullnahled.h"
#include "tests/records/event_book_fixture.h"

namespace {

using namespace event_book_testing;

const QString kAnimal = QStringLiteral("Hugo z Lipové aleje");

QByteArray PictureBytes(const char* format, QSize size = QSize(320, 200)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

class PhotoAlbum : public BookFormTest {
  protected:
    // Opens the form as the record sheet does, runs `use` on it while it is
    // shown, then closes the table as the record sheet does.
    void OpenAlbum(const std::function<void(TFoFotoAlbum_Zapis&)>& use) {
        testing_support::ScriptedModal modal([&](QDialog& dialog) {
            auto& form = static_cast<TFoFotoAlbum_Zapis&>(dialog);
            form.show();
            form.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
            use(form);
            return form.result();
        });
        TFoFotoAlbum_Zapis::ShowFor(*dm_, kAnimal, nullptr);
        dm_->TaFoto_Album.Close();
    }

    static void Press(TFoFotoAlbum_Zapis& form, const char* name) {
        auto* button = form.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = folder_.path() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    void StorePhoto(const QByteArray& bytes) {
        platform::Table album(dm_->Database1, "foto_album.db");
        album.Open();
        album.Append();
        album.FieldByName("Jmeno_registr").SetAsString(kAnimal);
        album.FieldByName("Foto_1").SetAsBytes(bytes);
        album.Post();
    }

    // The animal's stored photo; "<none>" when the animal has no row.
    QByteArray Stored() {
        platform::Table album(dm_->Database1, "foto_album.db");
        album.Open();
        if (!album.Locate("Jmeno_registr", kAnimal)) {
            return "<none>";
        }
        return album.FieldByName("Foto_1").AsBytes();
    }
};

TEST_F(PhotoAlbum, ANewAnimalGetsABlinkingLampAndNoRowWithoutZapis) {
    OpenAlbum([&](TFoFotoAlbum_Zapis& form) {
        EXPECT_EQ(form.windowTitle(), "Fotoalbum zápis");
        EXPECT_EQ(form.Jmeno_registr->text(), kAnimal);
        EXPECT_EQ(form.Ledka->LedStatus(), IsBlink);
        EXPECT_EQ(form.Ledka->toolTip(), "signalizace nového záznamu");
        EXPECT_TRUE(form.findChild<QCheckBox*>("CheckBoxRozmer")->isChecked());
        EXPECT_EQ(form.findChild<QCheckBox*>("CheckBoxRozmer")->text(), "Obraz do daného rozměru");
        EXPECT_EQ(form.findChild<QLabel*>("LabelRozmery")->text(),
                  "Ideální rozměry 430*300 pixelů / 256 barev");
        for (const auto& [name, caption] : std::vector<std::pair<const char*, const char*>>{
                 {"BtnZeSouboru", "Vložit ze souboru"},
                 {"BtnZeSchranky", "Vložit ze schránky "},
                 {"BtnDoSchranky", "Vyjmout do schránky "},
                 {"BtnZapis", "Zápis"},
                 {"BtnStorno", "Storno"}}) {
            EXPECT_EQ(form.findChild<QPushButton*>(name)->text(), caption) << name;
        }
        Press(form, "BtnStorno");
    });
    EXPECT_EQ(Stored(), "<none>");
    EXPECT_EQ(Rows("foto_album.db"), 0);
}

TEST_F(PhotoAlbum, PictureFilesOfEveryKindAreStoredByteForByteOnZapis) {
    for (const char* format : {"JPG", "BMP", "PNG"}) {
        SCOPED_TRACE(format);
        const QByteArray bytes = PictureBytes(format);
        const QString path = WriteFile(QStringLiteral("foto.") + format, bytes);
        testing_support::ScriptedFileDialog dialog([&](const platform::FileDialogRequest& request) {
            EXPECT_EQ(request.kind, platform::FileDialogKind::Open);
            // Every picture kind first, so a phone's photos show at once.
            EXPECT_TRUE(request.filter.startsWith(
                "Obrázky (*.jpg *.jpeg *.png *.bmp);;Bitmaps (*.bmp);;JPG (*.jpg"))
                << request.filter.toStdString();
            return path;
        });
        OpenAlbum([&](TFoFotoAlbum_Zapis& form) {
            Press(form, "BtnZeSouboru");
            EXPECT_FALSE(form.Image()->Picture().isNull());
            EXPECT_EQ(form.Image()->Picture().size(), QSize(320, 200));
            // Nothing is written before "Zápis".
            EXPECT_EQ(Stored(), "<none>");
            Press(form, "BtnZapis");
            EXPECT_FALSE(form.isVisible());
        });
        EXPECT_EQ(Stored(), bytes);
        EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
        dm_->TaFoto_Album.Open();
        dm_->TaFoto_Album.First();
        dm_->TaFoto_Album.Delete();
        dm_->TaFoto_Album.Close();
    }
}

TEST_F(PhotoAlbum, AFileThatIsNoPictureIsReportedAndChangesNothing) {
    StorePhoto(PictureBytes("PNG"));
    const QByteArray before = Stored();
    const QString path = WriteFile("rodokmen.jpg", "Toto je text, ne obrázek.");
    testing_support::ScriptedFileDialog dialog(
        [&](const platform::FileDialogRequest&) { return path; });
    OpenAlbum([&](TFoFotoAlbum_Zapis& form) {
        EXPECT_EQ(form.Ledka->LedStatus(), IsOff);
        EXPECT_FALSE(form.Image()->Picture().isNull());
        Press(form, "BtnZeSouboru");
        ASSERT_EQ(Messages().size(), 1);
        EXPECT_TRUE(Messages()[0].contains("rodokmen.jpg"));
        EXPECT_EQ(messages_.Shown()[0].icon, platform::MessageIcon::Error);
        EXPECT_FALSE(form.Image()->Picture().isNull());
        EXPECT_EQ(dm_->TaFoto_Album.State(), platform::DataSetState::Browse);
        Press(form, "BtnZapis");
    });
    EXPECT_EQ(Stored(), before);
}

TEST_F(PhotoAlbum, ACancelledFileDialogChangesNothing) {
    testing_support::ScriptedFileDialog dialog(
        [](const platform::FileDialogRequest&) { return QString(); });
    OpenAlbum([&](TFoFotoAlbum_Zapis& form) {
        Press(form, "BtnZeSouboru");
        EXPECT_TRUE(form.Image()->Picture().isNull());
        Press(form, "BtnZapis");
    });
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(Stored().isEmpty());  // the row, without a photo
}

TEST_F(PhotoAlbum, AnEmptyClipboardIsReportedAndAPictureOnItIsPastedAsABitmap) {
    QGuiApplication::clipboard()->clear();
    OpenAlbum([&](TFoFotoAlbum_Zapis& form) {
        Press(form, "BtnZeSchranky");
        EXPECT_EQ(Messages(), QStringList{"Ve schránce není žádný obrázek"});
        EXPECT_TRUE(form.Image()->Picture().isNull());
        messages_.Clear();
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::darkMagenta);
        QGuiApplication::clipboard()->setImage(picture);
        Press(form, "BtnZeSchranky");
        EXPECT_TRUE(Messages().isEmpty());
        EXPECT_EQ(form.Image()->Picture().size(), QSize(200, 100));
        Press(form, "BtnZapis");
    });
    EXPECT_TRUE(Stored().startsWith("BM"));
}

TEST_F(PhotoAlbum, CuttingPutsThePictureOnTheClipboardAndEmptiesThePhoto) {
    StorePhoto(PictureBytes("JPG"));
    QGuiApplication::clipboard()->clear();
    OpenAlbum([&](TFoFotoAlbum_Zapis& form) {
        Press(form, "BtnDoSchranky");
        EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(320, 200));
        EXPECT_TRUE(form.Image()->Picture().isNull());
        // Nothing more to cut.
        Press(form, "BtnDoSchranky");
        EXPECT_EQ(Messages(), QStringList{"Není vložen žádný obrázek"});
        Press(form, "BtnZapis");
    });
    EXPECT_TRUE(Stored().isEmpty());
}

TEST_F(PhotoAlbum, StornoDropsAChangedPictureOfAnExistingRow) {
    const QByteArray before = PictureBytes("PNG");
    StorePhoto(before);
    const QString path = WriteFile("novy.bmp", PictureBytes("BMP"));
    testing_support::ScriptedFileDialog dialog(
        [&](const platform::FileDialogRequest&) { return path; });
    OpenAlbum([&](TFoFotoAlbum_Zapis& form) {
        Press(form, "BtnZeSouboru");
        EXPECT_TRUE(form.Image()->Changed());
        Press(form, "BtnStorno");
    });
    EXPECT_EQ(Stored(), before);
}

TEST_F(PhotoAlbum, TheFitSwitchShowsThePictureFittedOrAtItsOwnSize) {
    StorePhoto(PictureBytes("PNG", QSize(860, 300)));
    OpenAlbum([&](TFoFotoAlbum_Zapis& form) {
        TDBImageAspect* image = form.Image();
        EXPECT_TRUE(image->Stretch);
        EXPECT_EQ(image->PictureRect().size(), QSize(430, 150));
        form.findChild<QCheckBox*>("CheckBoxRozmer")->click();
        EXPECT_FALSE(image->Stretch);
        EXPECT_EQ(image->PictureRect().size(), QSize(860, 300));
        form.findChild<QCheckBox*>("CheckBoxRozmer")->click();
        EXPECT_TRUE(image->Stretch);
        Press(form, "BtnStorno");
    });
}

TEST_F(PhotoAlbum, TheFullViewCoversTheWorkAreaAndShowsEveryKindOfPicture) {
    for (const char* format : {"JPG", "BMP", "PNG"}) {
        SCOPED_TRACE(format);
        platform::Table& album = dm_->TaFoto_Album;
        album.Open();
        album.Append();
        album.FieldByName("Jmeno_registr").SetAsString(QString::fromLatin1(format));
        album.FieldByName("Foto_1").SetAsBytes(PictureBytes(format, QSize(300, 200)));
        album.Post();
        ASSERT_TRUE(album.Locate("Jmeno_registr", QString::fromLatin1(format)));
        TFoFullNahled view(*dm_);
        EXPECT_EQ(view.windowTitle(), "Plný náhled");
        view.show();
        QApplication::processEvents();
        // The window with its frame covers the work area.
        EXPECT_EQ(view.frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
        EXPECT_EQ(view.Image()->Picture().size(), QSize(300, 200));
        EXPECT_TRUE(view.Image()->ReadOnly());
        QTest::mouseClick(view.findChild<QPushButton*>("BtnZavrit"), Qt::LeftButton);
        EXPECT_FALSE(view.isVisible());
    }
}

TEST_F(PhotoAlbum, EscClosesTheFullView) {
    platform::Table& album = dm_->TaFoto_Album;
    album.Open();
    album.Append();
    album.FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Esc"));
    album.FieldByName("Foto_1").SetAsBytes(PictureBytes("PNG", QSize(30, 20)));
    album.Post();
    TFoFullNahled view(*dm_);
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.Image()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(view.isVisible());
}

}  // namespace
