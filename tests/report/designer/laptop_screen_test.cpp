// The preview and the designer on a laptop screen of 1366 × 768: the preview
// opens maximized the first time and then where it was closed, never larger
// than the screen, with "Strana 1 z 8" in its status bar; the designer has a
// menu bar with every command of its tool bars, and every tool bar button
// lies inside the window.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include "platform/folders.h"
#include "platform/ini_file.h"
#include "report/output/widgets/sestp.h"
#include "tests/report/designer/designer_fixture.h"
#include "tests/report/output/widgets/preview_fixture.h"

namespace {

// The offscreen platform takes its screen from a file named before the
// application starts; this runs before main.
const bool kLaptopScreen = [] {
    const QString file = QStringLiteral("/tmp/harvel-laptop-screen-%1.json").arg(getpid());
    QFile json(file);
    if (json.open(QIODevice::WriteOnly)) {
        json.write(R"({"synchronousWindowSystemEvents": true, "screens": [
            {"name": "Laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
             "logicalDpi": 96, "logicalBaseDpi": 96}]})");
    }
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file).toUtf8());
    return true;
}();

const QRect kScreen(0, 0, 1366, 768);

// Every button of every tool bar of `window` that is not hidden on purpose:
// none is pushed behind the "»" extension, and each lies inside the window.
void ExpectEveryToolBarButtonInside(QWidget& window) {
    const QRect inside(QPoint(0, 0), window.size());
    const QList<QToolBar*> bars = window.findChildren<QToolBar*>();
    ASSERT_FALSE(bars.isEmpty());
    for (QToolBar* bar : bars) {
        for (QAction* action : bar->actions()) {
            if (!action->isVisible() || action->isSeparator()) {
                continue;
            }
            QWidget* button = bar->widgetForAction(action);
            ASSERT_NE(button, nullptr) << action->text().toStdString();
            EXPECT_TRUE(button->isVisible())
                << bar->objectName().toStdString() << ": " << action->text().toStdString();
            const QRect shown(button->mapTo(&window, QPoint(0, 0)), button->size());
            EXPECT_TRUE(inside.contains(shown))
                << bar->objectName().toStdString() << ": " << action->text().toStdString();
        }
        for (QToolButton* extension : bar->findChildren<QToolButton*>("qt_toolbar_ext_button")) {
            EXPECT_FALSE(extension->isVisible()) << bar->objectName().toStdString();
        }
    }
}

class PreviewOnALaptop : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kLaptopScreen);
        ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), kScreen);
        platform::SetProgramFolderOverride(folder.path());
    }
    void TearDown() override { platform::SetProgramFolderOverride(QString()); }

    // Opens the preview through its real road; `look` sees it while it is shown.
    void Open(const std::function<void(TFormSestP&)>& look) {
        preview_testing::PagedOutput paged(8);
        testing_support::ScriptedModal modal([&](QDialog& dialog) {
            dialog.show();
            look(static_cast<TFormSestP&>(dialog));
            dialog.close();
            return int(QDialog::Accepted);
        });
        ShowPreview(paged.output, QStringLiteral("Vrhy"));
    }
    QString Ini(const QString& key) const {
        platform::IniFile ini(folder.filePath(QStringLiteral("Harvel.INI")));
        ini.Load();
        return ini.ReadString(QStringLiteral("NahledSestavy"), key);
    }

    QTemporaryDir folder;
};

}  // namespace

TEST_F(PreviewOnALaptop, FirstMaximizedThenWhereItWasClosed) {
    Open([](TFormSestP& form) {
        EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
        EXPECT_TRUE(kScreen.contains(form.frameGeometry()));
        EXPECT_GE(form.width(), 1300);
        EXPECT_EQ(form.findChild<QLabel*>("PanelStrana")->text(), QStringLiteral("Strana 1 z 8"));
        ExpectEveryToolBarButtonInside(form);
        form.setWindowState(Qt::WindowNoState);
        form.setGeometry(120, 80, 1000, 600);
    });
    EXPECT_EQ(Ini(QStringLiteral("Width")), QStringLiteral("1000"));
    EXPECT_EQ(Ini(QStringLiteral("Maximized")), QStringLiteral("0"));

    Open([](TFormSestP& form) {
        EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
        EXPECT_EQ(form.geometry(), QRect(120, 80, 1000, 600));
        ExpectEveryToolBarButtonInside(form);
    });
}

TEST_F(PreviewOnALaptop, NeverLargerThanTheScreen) {
    // Closed last on a larger monitor.
    platform::IniFile ini(folder.filePath(QStringLiteral("Harvel.INI")));
    ini.WriteInteger(QStringLiteral("NahledSestavy"), QStringLiteral("Left"), 1500);
    ini.WriteInteger(QStringLiteral("NahledSestavy"), QStringLiteral("Top"), 40);
    ini.WriteInteger(QStringLiteral("NahledSestavy"), QStringLiteral("Width"), 1900);
    ini.WriteInteger(QStringLiteral("NahledSestavy"), QStringLiteral("Height"), 1100);
    ini.WriteBool(QStringLiteral("NahledSestavy"), QStringLiteral("Maximized"), false);
    ASSERT_TRUE(ini.Save());
    Open([](TFormSestP& form) {
        EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
        EXPECT_TRUE(kScreen.contains(form.frameGeometry()));
        ExpectEveryToolBarButtonInside(form);
    });
}

TEST(DesignerOnALaptop, EveryToolBarCommandIsInTheMenuWithItsKeys) {
    designer_test::DesignerFixture f;
    TFormSestE& w = f.Open();
    auto* menuBar = w.findChild<QMenuBar*>("MenuBarEditor");
    ASSERT_NE(menuBar, nullptr);
    QList<QAction*> inMenus;
    for (QMenu* menu : menuBar->findChildren<QMenu*>()) {
        inMenus += menu->actions();
    }
    for (QToolBar* bar : w.findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            if (!action->isSeparator() && !action->objectName().isEmpty()) {
                EXPECT_TRUE(inMenus.contains(action)) << action->text().toStdString();
            }
        }
    }
    for (QToolButton* button :
         w.findChild<QTabWidget*>("PageControlTools")->findChildren<QToolButton*>()) {
        if (!button->defaultAction()) {
            continue;  // the tab bar's own scroll arrows
        }
        EXPECT_TRUE(inMenus.contains(button->defaultAction())) << button->text().toStdString();
    }
    EXPECT_EQ(w.Action(QStringLiteral("ActionUlozit"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(w.Action(QStringLiteral("ActionUndo"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(w.Action(QStringLiteral("ActionNahled"))->shortcut(), QKeySequence(Qt::Key_F9));
    // The menu entry runs the command as its button does.
    w.show();
    f.Element(2, 0).Press(QPoint(50, 10), {}, false);
    f.Element(2, 0).MoveMouse(QPoint(66, 10), {});
    f.Element(2, 0).Release(QPoint(66, 10), {});
    ASSERT_TRUE(w.Modified());
    w.Action(QStringLiteral("ActionUndo"))->activate(QAction::Trigger);
    EXPECT_EQ(f.Element(2, 0).Box().left, 16);
}

TEST(DesignerOnALaptop, EveryToolBarButtonShowsMaximized) {
    designer_test::DesignerFixture f;
    TFormSestE& w = f.Open();
    w.showMaximized();
    QCoreApplication::processEvents();
    ASSERT_LE(w.frameGeometry().width(), kScreen.width());
    ExpectEveryToolBarButtonInside(w);
    // The tool tabs: each tab's buttons inside the window.
    auto* tabs = w.findChild<QTabWidget*>("PageControlTools");
    for (int t = 0; t < tabs->count(); ++t) {
        if (!tabs->isTabVisible(t)) {
            continue;
        }
        tabs->setCurrentIndex(t);
        QCoreApplication::processEvents();
        for (QToolButton* button : tabs->widget(t)->findChildren<QToolButton*>()) {
            const QRect shown(button->mapTo(&w, QPoint(0, 0)), button->size());
            EXPECT_TRUE(QRect(QPoint(0, 0), w.size()).contains(shown))
                << button->text().toStdString();
        }
    }
}
