// The launcher: its buttons, captions, hints and menu, what each button does,
// the picture from the other folder, the tiled background and the placement
// rule.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/foparametry.h"
#include "app/fouvod.h"
#include "app/launcher_background.h"
#include "app/window_placement.h"
#include "platform/folders.h"
#include "tests/support/seams.h"

namespace {

class Launcher : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        platform::SetProgramFolderOverride(folder_.path());
    }
    void TearDown() override { platform::SetProgramFolderOverride(QString()); }

    QToolButton* Button(TFoUvod& launcher, const char* name) {
        return launcher.findChild<QToolButton*>(QString::fromLatin1(name));
    }

    QAction* Action(TFoUvod& launcher, const char* name) {
        return launcher.findChild<QAction*>(QString::fromLatin1(name));
    }

    void PutPicture(const QString& name) {
        ASSERT_TRUE(QDir(folder_.path()).mkpath("OTHER"));
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(folder_.filePath("OTHER/" + name), "BMP"));
    }

    QTemporaryDir folder_;
    testing_support::ScriptedMessages messages_;
};

}  // namespace

TEST_F(Launcher, ButtonsCarryTheirCaptionsAndHints) {
    TFoUvod launcher(nullptr);
    EXPECT_EQ(launcher.windowTitle(), "Expedice");
    const struct {
        const char* name;
        QString caption;
        QString hint;
    } expected[] = {
        {"BtnEvidence", "Evidence", "Zápis do hlavního evidenčního listu a pomocné evidence"},
        {"BtnTisk", "Tiskové výstupy", "Evidenční list\nzápis"},
        {"BtnDiar", "Diář",
         "Co je po termínu a co přijde: návštěvy lékaře, vrhy, hárání, připomínky"},
        {"SpeedButton2", "Adresář", "Seznam firem"},
        {"SpeedButton7", "Číselníky ",
         "Prohlížení a úpravy číselníku dokladů,provozoven a prodejen"},
        {"SpeedButton6", "Parame&try", "Nastavení parametrů "},
        {"SpeedButton4", "&Konec", "Ukončení programu"},
    };
    for (const auto& entry : expected) {
        SCOPED_TRACE(entry.name);
        QToolButton* button = Button(launcher, entry.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), entry.caption);
        EXPECT_EQ(button->toolTip(), entry.hint);
        EXPECT_EQ(button->toolTipDuration(), 6000);
    }
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(Launcher, MenuHoldsFileAndHelpEntries) {
    TFoUvod launcher(nullptr);
    QStringList menus;
    for (QAction* action : launcher.menuBar()->actions()) {
        menus << action->text();
    }
    EXPECT_EQ(menus, QStringList({"Soubor", "Nápověda"}));
    ASSERT_NE(Action(launcher, "MenuKonecAplikace"), nullptr);
    EXPECT_EQ(Action(launcher, "MenuKonecAplikace")->text(), "Konec aplikace");
    ASSERT_NE(Action(launcher, "MenuHarvelNapoveda"), nullptr);
    EXPECT_EQ(Action(launcher, "MenuHarvelNapoveda")->text(), "Harvel nápověda");
    ASSERT_NE(Action(launcher, "MenuOAplikaci"), nullptr);
    EXPECT_EQ(Action(launcher, "MenuOAplikaci")->text(), "O aplikaci");
}

TEST_F(Launcher, AreasWithoutTheirFormsSayTheCommandIsNotAvailable) {
    TFoUvod launcher(nullptr);
    for (const char* name : {"BtnEvidence", "BtnTisk", "SpeedButton2", "SpeedButton7"}) {
        SCOPED_TRACE(name);
        messages_.Clear();
        QTest::mouseClick(Button(launcher, name), Qt::LeftButton);
        EXPECT_EQ(messages_.Texts(), QStringList({"Tento příkaz není zatím funkční"}));
    }
}

TEST_F(Launcher, ParametersButtonShowsTheLongLivedSettingsFormModally) {
    TFoParametry parametry;
    TFoUvod launcher(&parametry);
    QStringList shown;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        shown << dialog.objectName();
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(Button(launcher, "SpeedButton6"), Qt::LeftButton);
    EXPECT_EQ(shown, QStringList({"FoParametry"}));
}

TEST_F(Launcher, AboutEntryShowsTheAboutBoxModally) {
    TFoUvod launcher(nullptr);
    QStringList shown;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        shown << dialog.windowTitle();
        return int(QDialog::Accepted);
    });
    Action(launcher, "MenuOAplikaci")->trigger();
    EXPECT_EQ(shown, QStringList({"O aplikaci"}));
}

TEST_F(Launcher, KonecAndTheMenuEntryCloseTheLauncherWhichEndsTheProgram) {
    {
        TFoUvod launcher(nullptr);
        launcher.show();
        QSignalSpy closed(&launcher, &TFoUvod::Closed);
        QTest::mouseClick(Button(launcher, "SpeedButton4"), Qt::LeftButton);
        EXPECT_EQ(closed.count(), 1);
        EXPECT_FALSE(launcher.isVisible());
    }
    TFoUvod launcher(nullptr);
    launcher.show();
    QSignalSpy closed(&launcher, &TFoUvod::Closed);
    Action(launcher, "MenuKonecAplikace")->trigger();
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(Launcher, PictureComesFromTheOtherFolderAndIsOptional) {
    {
        TFoUvod launcher(nullptr);
        EXPECT_FALSE(launcher.HasPicture());
    }
    PutPicture("uvod.bmp");
    TFoUvod launcher(nullptr);
    EXPECT_TRUE(launcher.HasPicture());
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(Launcher, UnreadablePictureIsIgnoredSilently) {
    ASSERT_TRUE(QDir(folder_.path()).mkpath("OTHER"));
    QFile broken(folder_.filePath("OTHER/uvod.emf"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    TFoUvod launcher(nullptr);
    EXPECT_FALSE(launcher.HasPicture());
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST(LauncherBackground, TilesCoverTheWholeAreaFromTheTopLeft) {
    const QPixmap tile = LauncherTile();
    EXPECT_EQ(tile.size(), QSize(24, 26));
    QImage area(61, 53, QImage::Format_ARGB32);  // not a multiple of the tile size
    area.fill(Qt::transparent);
    {
        QPainter painter(&area);
        DrawTiles(painter, tile, area.size());
    }
    const QImage tileImage = tile.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            ASSERT_EQ(area.pixel(x, y), tileImage.pixel(x % 24, y % 26)) << x << "," << y;
        }
    }
}

TEST(WindowPlacement, AnEightHundredPixelScreenGivesTheWorkAreaOthersCentre) {
    const QRect workArea(0, 0, 800, 570);
    EXPECT_EQ(PlacedGeometry(QSize(680, 480), QRect(0, 0, 800, 600), workArea), workArea);
    EXPECT_EQ(PlacedGeometry(QSize(680, 480), QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 770)),
              QRect(300, 160, 680, 480));
    EXPECT_EQ(PlacedGeometry(QSize(680, 480), QRect(0, 0, 1024, 768), QRect(0, 30, 1024, 738)),
              QRect(172, 144, 680, 480));
}

TEST(WindowPlacement, AWindowLargerThanTheWorkAreaIsCutToItAndKeptInside) {
    // A laptop screen with a task bar at the bottom: centred on the screen,
    // then moved up out of the task bar.
    const QRect screen(0, 0, 1366, 768);
    const QRect workArea(0, 0, 1366, 728);
    EXPECT_EQ(PlacedGeometry(QSize(1454, 700), screen, workArea), QRect(0, 28, 1366, 700));
    EXPECT_EQ(PlacedGeometry(QSize(1200, 900), screen, workArea), QRect(83, 0, 1200, 728));
    // A task bar at the top pushes a tall window below it.
    EXPECT_EQ(PlacedGeometry(QSize(1000, 760), screen, QRect(0, 40, 1366, 728)),
              QRect(183, 40, 1000, 728));
}
