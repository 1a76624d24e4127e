// The designer's commands open their real dialogs: template settings,
// element settings, the designer settings' font and printer buttons, and the
// user functions added, edited and deleted with their steps.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "platform/print/fake_printer_system.h"
#include "report/designer/design_properties.h"
#include "report/designer/dlgkonfprvku.h"
#include "report/designer/funkcedlg.h"
#include "report/designer/sestdlg.h"
#include "report/designer/sestkonfigdlg.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;

namespace {

// Every modal dialog shown, by class name; each is cancelled.
struct ShownDialogs {
    ShownDialogs()
        : script([this](QDialog& d) {
              names << QString::fromLatin1(d.metaObject()->className());
              return int(QDialog::Rejected);
          }) {}
    QStringList names;
    testing_support::ScriptedModal script;
};

}  // namespace

TEST(DesignerDialogs, EveryCommandOpensItsDialog) {
    platform::FakePrinterSystem printers;
    printers.Install();
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.show();
    ShownDialogs shown;
    w.Action("ActionPredloha")->trigger();
    w.BandDoubleClick(stReportHeader);
    w.FocusElement(&f.Element(2, 0));
    w.Action("ActionVlastnosti")->trigger();
    designer_test::Press(w.Properties()->findChild<QPushButton*>("BtnPismo"));
    w.Action("ActionPridatFunkci")->trigger();
    w.Action("ActionProstredi")->trigger();
    EXPECT_EQ(shown.names, (QStringList{"TSestDlg", "TSestDlg", "TDlgKonfPrvku", "TDlgKonfPrvku",
                                        "TFunkceDlg", "TSestKonfigDlg"}));
    for (const QString& text : f.messages.Texts()) {
        EXPECT_NE(text, QStringLiteral("Tento příkaz není zatím funkční"));
    }
    EXPECT_FALSE(w.Modified());
}

TEST(DesignerDialogs, TheSettingsDialogsFontAndPrinterButtons) {
    platform::FakePrinterSystem printers({platform::FakePrinter::Laser(QStringLiteral("Laser"))});
    printers.Install();
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("SestDLL.ini"));
    TDesignerSettings settings;
    TSestKonfigDlg dialog(settings, ini);
    dialog.show();
    testing_support::ScriptedModal script([](QDialog& d) {
        auto* font = qobject_cast<TDlgKonfPrvku*>(&d);
        EXPECT_EQ(font->Mode(), TDlgKonfPrvku::kmFont);
        EXPECT_EQ(d.findChild<QComboBox*>("CBVyska")->currentText(), QStringLiteral("10"));
        auto* names = d.findChild<QComboBox*>("CBPisma");
        names->setCurrentIndex(names->findText(QStringLiteral("Courier New")));
        d.findChild<QComboBox*>("CBVyska")->setEditText("12");
        d.findChild<QComboBox*>("CBBarva")->setCurrentIndex(12);  // modrá
        d.findChild<QCheckBox*>("CBBold")->setChecked(true);
        return int(QDialog::Accepted);
    });
    designer_test::Press(dialog.findChild<QPushButton*>("BtnPismo"));
    EXPECT_EQ(dialog.Sample()->font().pointSize(), 12);
    EXPECT_TRUE(dialog.Sample()->font().bold());
    designer_test::Press(dialog.findChild<QPushButton*>("BtnTiskarna"));
    EXPECT_EQ(printers.PropertiesShown(), 1);
    designer_test::Press(dialog.findChild<QPushButton*>("BtnKonec"));
    TDesignerSettings read;
    read.Load(ini);
    EXPECT_EQ(read.implNazevFontu, QStringLiteral("Courier New"));
    EXPECT_EQ(read.implVyskaFontu, 12);
    EXPECT_EQ(read.implBarvaFontu, 12);  // stored as its index in the 16 colours
    EXPECT_EQ(read.implStylFontu, fsBold);
}

TEST(DesignerDialogs, TheSampleHasTheDefaultSize) {
    TDesignerSettings settings;
    settings.implSirka = 300;
    settings.implVyska = 40;
    TSestKonfigDlg dialog(settings, QString());
    const int dpi = dialog.logicalDpiX();
    EXPECT_EQ(dialog.Sample()->width(), 300 * dpi / 100);
    dialog.findChild<QLineEdit*>("EditImplSirka")->setText("nic");
    dialog.findChild<QComboBox*>("CBImplZarovnani")->setCurrentIndex(2);
    EXPECT_EQ(dialog.Sample()->width(), 200 * dpi / 100);  // unreadable: 200
    EXPECT_EQ(dialog.Sample()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

TEST(DesignerDialogs, AUserFunctionIsAddedEditedAndDeleted) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    {
        testing_support::ScriptedModal script([](QDialog& d) {
            EXPECT_EQ(d.findChild<QLineEdit*>("EditFnNaz")->text(), QStringLiteral("Funkce1"));
            d.findChild<QLineEdit*>("EditFnNaz")->setText("Pocet");
            d.findChild<QLineEdit*>("EditFnVyr")->setText("1");
            return int(QDialog::Accepted);
        });
        w.Action("ActionPridatFunkci")->trigger();
    }
    ASSERT_EQ(f.report.Funkce().Count(), 1);
    EXPECT_TRUE(w.Action("ActionFn")->isEnabled());
    EXPECT_EQ(w.History().UndoHint(), QStringLiteral("Zrušit přidání funkce"));
    EXPECT_TRUE(w.WriteState().Lines().contains(
        QStringLiteral("F,0,Pocet,\"Funkce1\",0,\"0\",0,\"1\",0,15,2,2")))
        << w.WriteState().Lines().join('\n').toStdString();
    {
        testing_support::ScriptedModal script([](QDialog& d) {
            d.findChild<QLineEdit*>("EditFnPop")->setText("Počet psů");
            return int(QDialog::Accepted);
        });
        w.Action("ActionUpravitFunkci")->trigger();
    }
    EXPECT_EQ(f.report.Funkce()[0].description, QStringLiteral("Počet psů"));
    EXPECT_EQ(w.History().UndoHint(), QStringLiteral("Zrušit oprava funkce"));
    f.messages.Answer(platform::mbNo);
    w.Action("ActionZrusitFunkci")->trigger();
    EXPECT_EQ(f.report.Funkce().Count(), 1);
    EXPECT_EQ(f.messages.Shown().back().text, QStringLiteral("Smazat vybranou funkci?"));
    EXPECT_EQ(f.messages.Shown().back().defaultButton, platform::mbNo);
    f.messages.Answer(platform::mbYes);
    w.Action("ActionZrusitFunkci")->trigger();
    EXPECT_EQ(f.report.Funkce().Count(), 0);
    EXPECT_FALSE(w.Action("ActionFn")->isEnabled());
    EXPECT_EQ(w.History().UndoHint(), QStringLiteral("Zrušit zrušení funkce"));
}

TEST(DesignerDialogs, AStornoedNewFunctionIsNotAdded) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    testing_support::ScriptedModal script([](QDialog&) { return int(QDialog::Rejected); });
    w.Action("ActionPridatFunkci")->trigger();
    EXPECT_EQ(f.report.Funkce().Count(), 0);
    EXPECT_FALSE(w.Modified());
}
