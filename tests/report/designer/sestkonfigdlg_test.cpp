// The designer settings dialog: defaults of a new settings file, the unit of
// the default sizes, "&Konec" writing the file, "Storno" leaving it alone, a
// malformed undo depth, and the designer following the new settings.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "report/designer/element_tree.h"
#include "report/designer/sestkonfigdlg.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;

namespace {

QLineEdit* Edit(QDialog& d, const char* name) {
    return d.findChild<QLineEdit*>(QLatin1String(name));
}
QCheckBox* Check(QDialog& d, const char* name) {
    return d.findChild<QCheckBox*>(QLatin1String(name));
}

}  // namespace

TEST(DesignerSettingsFile, ANewFileGivesTheDefaults) {
    QTemporaryDir dir;
    TDesignerSettings s;
    s.Load(dir.filePath(QStringLiteral("SestDLL.ini")));
    EXPECT_EQ(s.rastrX, 8);
    EXPECT_EQ(s.rastrY, 8);
    EXPECT_TRUE(s.rastrZobrazovat);
    EXPECT_TRUE(s.rastrZarovnavat);
    EXPECT_EQ(s.pocetUndo, 10);
    EXPECT_EQ(s.useUnits, 0);
    EXPECT_EQ(s.implSirka, 200);
    EXPECT_EQ(s.implVyska, 20);
    EXPECT_EQ(s.implNazevFontu, QStringLiteral("Arial"));
    EXPECT_EQ(s.implVyskaFontu, 10);
    EXPECT_EQ(s.implBarvaFontu, 0);
}

TEST(DesignerSettingsFile, GarbageAndHeightsInTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SestDLL.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "[EditorSestav]\r\nRastrX=abc\r\nPocetUndo=\r\nUseUnits=9\r\n[Oddily]\r\n"
        "ImplVyskaFontu=-50\r\nImplSirka=1e9\r\n");
    file.close();
    TDesignerSettings s;
    s.Load(path);
    EXPECT_EQ(s.rastrX, 8);
    EXPECT_EQ(s.pocetUndo, 10);
    EXPECT_EQ(s.useUnits, 0);
    EXPECT_EQ(s.implVyskaFontu, 36);
    EXPECT_EQ(s.implSirka, 200);
}

TEST(DesignerSettingsDialog, SizesFollowTheChosenUnit) {
    QTemporaryDir dir;
    TSestKonfigDlg dialog(TDesignerSettings(), dir.filePath(QStringLiteral("SestDLL.ini")));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Prostředí editoru sestav"));
    EXPECT_EQ(Edit(dialog, "EditImplSirka")->text(), QStringLiteral("200"));
    auto* units = dialog.findChild<QComboBox*>(QStringLiteral("CBUseUnits"));
    units->setCurrentIndex(1);
    emit units->activated(1);
    EXPECT_EQ(Edit(dialog, "EditImplSirka")->text(), QStringLiteral("508"));
    units->setCurrentIndex(0);
    emit units->activated(0);
    EXPECT_EQ(Edit(dialog, "EditImplSirka")->text(), QStringLiteral("200"));
}

TEST(DesignerSettingsDialog, KonecWritesTheFileAndStornoDoesNot) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SestDLL.ini"));
    {
        TSestKonfigDlg dialog(TDesignerSettings(), path);
        Check(dialog, "CBMazaniJedne")->setChecked(true);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BtnStorno")),
                          Qt::LeftButton);
        EXPECT_FALSE(QFile::exists(path));
    }
    TSestKonfigDlg dialog(TDesignerSettings(), path);
    Check(dialog, "CBMazaniJedne")->setChecked(true);
    Edit(dialog, "EditRastrX")->setText(QStringLiteral("nic"));
    Edit(dialog, "EditPocetUndo")->setText(QStringLiteral("3"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BtnKonec")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    TDesignerSettings read;
    read.Load(path);
    EXPECT_TRUE(read.mazaniJedne);
    EXPECT_EQ(read.rastrX, 8);
    EXPECT_EQ(read.pocetUndo, 3);
    EXPECT_EQ(read.implSirka, 200);
}

TEST(DesignerSettingsDialog, AnUndoDepthThatIsNoNumberKeepsTheDialogOpen) {
    testing_support::ScriptedMessages messages;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SestDLL.ini"));
    TSestKonfigDlg dialog(TDesignerSettings(), path);
    dialog.show();
    Edit(dialog, "EditPocetUndo")->setText(QStringLiteral("deset"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BtnKonec")), Qt::LeftButton);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, QStringLiteral("„deset“ není platné celé číslo."));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(DesignerSettingsDialog, TheDesignerFollowsTheNewSettings) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    testing_support::ScriptedModal script([](QDialog& dialog) {
        if (!qobject_cast<TSestKonfigDlg*>(&dialog)) {
            return 0;
        }
        Check(dialog, "CBShowTree")->setChecked(true);
        Check(dialog, "CBRastrZobrazovat")->setChecked(false);
        Edit(dialog, "EditPocetUndo")->setText(QStringLiteral("2"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BtnKonec")),
                          Qt::LeftButton);
        return dialog.result();
    });
    w.Action(QStringLiteral("ActionProstredi"))->trigger();
    EXPECT_FALSE(w.Tree()->isHidden());
    EXPECT_EQ(w.History().Depth(), 2);
    EXPECT_EQ(w.Settings().pocetUndo, 2);
    TDesignerSettings read;
    read.Load(f.report.IniFileName);
    EXPECT_TRUE(read.showTree);
}
