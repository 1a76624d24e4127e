// The print dialog: its component's defaults, the window's groups, fields and
// buttons driven by their object names, what Execute answers and stores back.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "platform/print/fake_printer_system.h"
#include "report/output/widgets/combo_predloha.h"
#include "report/output/widgets/combo_printer.h"
#include "report/output/widgets/print_dialog.h"
#include "report/output/widgets/sestprintdlg.h"
#include "tests/support/qt_printers.h"
#include "tests/support/seams.h"

using platform::FakePrinter;
using platform::FakePrinterSystem;
using testing_support::ScriptedModal;

namespace {

template <typename T>
T* Child(QDialog& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// Pressed as the user presses it: on the shown window, where it has its place.
void Click(QDialog& dialog, const char* button) {
    dialog.show();
    QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
}

std::vector<FakePrinter> TwoPrinters() {
    FakePrinter laser = FakePrinter::Laser(QStringLiteral("Laser v kanceláři"));
    laser.port = QStringLiteral("ipp://tiskarna/laser");
    return {laser, FakePrinter::TextOnly(QStringLiteral("Jehličková"))};
}

class PrintDialogTest : public ::testing::Test {
  protected:
    PrintDialogTest() : printers(TwoPrinters(), 0) { printers.Install(); }
    FakePrinterSystem printers;
};

TEST_F(PrintDialogTest, ComponentDefaults) {
    printers.SetCurrent(1);
    TPrintDialogTyp component;
    EXPECT_EQ(component.Caption, QStringLiteral("Nastavení tisku"));
    EXPECT_EQ(component.PrinterIndex, 1);
    EXPECT_TRUE(component.ReportDirIgnore);
    EXPECT_EQ(component.FromPage, 1);
    EXPECT_EQ(component.ToPage, kToLastPage);
    EXPECT_EQ(component.Copies, 1);
    EXPECT_TRUE(component.EnablePrinterProperties && component.EnableEdit &&
                component.EnablePreview && component.EnablePrint);
    EXPECT_TRUE(component.ShowPrinterGroup && component.ShowRangeGroup &&
                component.ShowTemplateGroup && component.ShowTemplateNames);
    EXPECT_FALSE(component.ShowCurrentPage || component.ShowOneRecord || component.ShowToFile ||
                 component.ShowSetAsDefault || component.ShowBackground);
    EXPECT_FALSE(component.ToFile || component.CurrentPage || component.OneRecord ||
                 component.SetAsDefault || component.PrintBackground);

    FakePrinterSystem none{std::vector<FakePrinter>{}};
    none.Install();
    EXPECT_EQ(TPrintDialogTyp().PrinterIndex, -1);
}

TEST_F(PrintDialogTest, WindowShowsTheCaptionsAndTheComponentValues) {
    TPrintDialogTyp component;
    component.Caption = QStringLiteral("Tisk seznamu");
    component.FromPage = 3;
    component.ToPage = 7;
    component.Copies = 2;
    component.ShowCurrentPage = component.ShowOneRecord = component.ShowToFile = true;
    component.ShowSetAsDefault = component.ShowBackground = true;
    component.PrintBackground = true;
    ScriptedModal modal([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tisk seznamu"));
        EXPECT_EQ(Child<QGroupBox>(dialog, "GroupTiskarna")->title(), QStringLiteral("Tiskárna"));
        EXPECT_EQ(Child<QGroupBox>(dialog, "GroupRozsah")->title(),
                  QStringLiteral("Rozsah stránek:"));
        EXPECT_EQ(Child<QGroupBox>(dialog, "GroupFormular")->title(),
                  QStringLiteral("Tiskový formulář:"));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            labels << label->text();
        }
        for (const char* caption : {"Ná&zev:", "Typ:", "Kde:", "&Od stránky:", "&Do stránky:",
                                    "&Počet kopií:", "Popis:", "Název:"}) {
            EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;
        }
        // Every caption with a mnemonic leads to its field (else "&" shows as it is).
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1Char('&'))) {
                EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
            }
        }
        EXPECT_EQ(Child<QPushButton>(dialog, "BtnVlastnosti")->text(),
                  QStringLiteral("&Vlastnosti..."));
        EXPECT_EQ(Child<QPushButton>(dialog, "BtnUpravit")->text(), QStringLiteral("&Upravit..."));
        EXPECT_EQ(Child<QPushButton>(dialog, "BtnTisk")->text(), QStringLiteral("&Tisk"));
        EXPECT_TRUE(Child<QPushButton>(dialog, "BtnTisk")->isDefault());
        EXPECT_EQ(Child<QPushButton>(dialog, "BtnNahled")->text(), QStringLiteral("&Náhled"));
        EXPECT_EQ(Child<QPushButton>(dialog, "BtnStorno")->text(), QStringLiteral("Storno"));
        EXPECT_EQ(Child<QCheckBox>(dialog, "ChBDoSouboru")->text(),
                  QStringLiteral("Tisknout do &souboru"));
        EXPECT_EQ(Child<QCheckBox>(dialog, "ChBAktualniStranka")->text(),
                  QStringLiteral("&Tisknout &aktuální stránku"));
        EXPECT_EQ(Child<QCheckBox>(dialog, "ChBJedenZaznam")->text(),
                  QStringLiteral("Tisknout pouze &jeden záznam"));
        EXPECT_EQ(Child<QCheckBox>(dialog, "ChBVychozi")->text(),
                  QStringLiteral("Nastavit jako výchozí &formulář"));
        EXPECT_EQ(Child<QCheckBox>(dialog, "ChBPozadi")->text(), QStringLiteral("Tisknout pozadí"));
        EXPECT_TRUE(Child<QCheckBox>(dialog, "ChBPozadi")->isChecked());

        // The page fields take any page a report can have; copies stay below 10,000.
        EXPECT_EQ(Child<QSpinBox>(dialog, "EOd")->minimum(), 1);
        EXPECT_EQ(Child<QSpinBox>(dialog, "EOd")->maximum(), kToLastPage);
        EXPECT_EQ(Child<QSpinBox>(dialog, "EDo")->maximum(), kToLastPage);
        EXPECT_EQ(Child<QSpinBox>(dialog, "EKopie")->minimum(), 1);
        EXPECT_EQ(Child<QSpinBox>(dialog, "EKopie")->maximum(), 9999);
        EXPECT_EQ(Child<QSpinBox>(dialog, "EOd")->value(), 3);
        EXPECT_EQ(Child<QSpinBox>(dialog, "EDo")->value(), 7);
        EXPECT_EQ(Child<QSpinBox>(dialog, "EKopie")->value(), 2);
        Click(dialog, "BtnStorno");
        return dialog.result();
    });
    EXPECT_EQ(component.Execute(), TPrintDialogTyp::prStorno);
}

TEST_F(PrintDialogTest, EachButtonAnswersItsCodeAndStornoStoresNothing) {
    const std::vector<std::pair<const char*, int>> buttons = {
        {"BtnStorno", TPrintDialogTyp::prStorno},
        {"BtnNahled", TPrintDialogTyp::prNahled},
        {"BtnTisk", TPrintDialogTyp::prTisk},
        {"BtnUpravit", TPrintDialogTyp::prUpravit},
    };
    for (const auto& [button, code] : buttons) {
        TPrintDialogTyp component;
        component.ShowCurrentPage = true;
        ScriptedModal modal([button = button](QDialog& dialog) {
            Child<QSpinBox>(dialog, "EKopie")->setValue(4);
            Child<QCheckBox>(dialog, "ChBAktualniStranka")->setChecked(true);
            Click(dialog, button);
            return dialog.result();
        });
        EXPECT_EQ(component.Execute(), code) << button;
        const bool stored = code != TPrintDialogTyp::prStorno;
        EXPECT_EQ(component.Copies, stored ? 4 : 1) << button;
        EXPECT_EQ(component.CurrentPage, stored) << button;
    }
}

TEST_F(PrintDialogTest, StoresTheChosenPrinterRangeAndCheckBoxes) {
    TPrintDialogTyp component;
    component.ShowCurrentPage = component.ShowOneRecord = component.ShowToFile = true;
    component.ShowSetAsDefault = component.ShowBackground = true;
    ScriptedModal modal([](QDialog& dialog) {
        Child<TComboBoxPrinter>(dialog, "CBTiskarna")->setCurrentIndex(1);
        Child<QSpinBox>(dialog, "EOd")->setValue(2);
        Child<QSpinBox>(dialog, "EDo")->setValue(5);
        // Typed beyond the range, the field keeps to 9999.
        QSpinBox* copies = Child<QSpinBox>(dialog, "EKopie");
        copies->selectAll();
        QTest::keyClicks(copies, QStringLiteral("123456"));
        EXPECT_LE(copies->value(), 9999);
        copies->setValue(3);
        for (const char* box : {"ChBDoSouboru", "ChBJedenZaznam", "ChBVychozi", "ChBPozadi"}) {
            QTest::mouseClick(Child<QCheckBox>(dialog, box), Qt::LeftButton, {},
                              QPoint(4, Child<QCheckBox>(dialog, box)->height() / 2));
        }
        Click(dialog, "BtnTisk");
        return dialog.result();
    });
    ASSERT_EQ(component.Execute(), TPrintDialogTyp::prTisk);
    EXPECT_EQ(component.PrinterIndex, 1);
    EXPECT_EQ(component.FromPage, 2);
    EXPECT_EQ(component.ToPage, 5);
    EXPECT_EQ(component.Copies, 3);
    EXPECT_TRUE(component.ToFile);
    EXPECT_TRUE(component.OneRecord);
    EXPECT_TRUE(component.SetAsDefault);
    EXPECT_TRUE(component.PrintBackground);
    EXPECT_FALSE(component.CurrentPage);
}

// Nobody set a last page: "&Do stránky:" reads "poslední" and gives it back
// as the report's last page. Typed page numbers past 9,999 are kept whole.
TEST_F(PrintDialogTest, TheLastPageReadsPosledniAndPagesPast9999AreKept) {
    TPrintDialogTyp untouched;
    ScriptedModal keep([](QDialog& dialog) {
        EXPECT_EQ(Child<QSpinBox>(dialog, "EDo")->text(), QStringLiteral("poslední"));
        Click(dialog, "BtnTisk");
        return dialog.result();
    });
    ASSERT_EQ(untouched.Execute(), TPrintDialogTyp::prTisk);
    EXPECT_EQ(untouched.ToPage, kToLastPage);

    TPrintDialogTyp typed;
    ScriptedModal type([](QDialog& dialog) {
        for (const char* name : {"EOd", "EDo"}) {
            QSpinBox* edit = Child<QSpinBox>(dialog, name);
            edit->selectAll();
            QTest::keyClicks(edit, name == std::string("EOd") ? "10001" : "20015");
        }
        Click(dialog, "BtnTisk");
        return dialog.result();
    });
    ASSERT_EQ(typed.Execute(), TPrintDialogTyp::prTisk);
    EXPECT_EQ(typed.FromPage, 10001);
    EXPECT_EQ(typed.ToPage, 20015);
}

TEST_F(PrintDialogTest, ChoosingAPrinterShowsItsDeviceAndPort) {
    TPrintDialogTyp component;
    component.PrinterIndex = 0;
    ScriptedModal modal([](QDialog& dialog) {
        EXPECT_EQ(Child<TComboBoxPrinter>(dialog, "CBTiskarna")->currentText(),
                  QStringLiteral("Laser v kanceláři"));
        EXPECT_EQ(Child<QLabel>(dialog, "LabelTyp")->text(), QStringLiteral("Laser v kanceláři"));
        EXPECT_EQ(Child<QLabel>(dialog, "LabelKde")->text(),
                  QStringLiteral("ipp://tiskarna/laser"));
        Child<TComboBoxPrinter>(dialog, "CBTiskarna")->setCurrentIndex(1);
        EXPECT_EQ(Child<QLabel>(dialog, "LabelTyp")->text(), QStringLiteral("Jehličková"));
        EXPECT_EQ(Child<QLabel>(dialog, "LabelKde")->text(), QStringLiteral("parallel:/dev/lp0"));
        return int(TPrintDialogTyp::prStorno);
    });
    component.Execute();
}

TEST_F(PrintDialogTest, PropertiesButtonOpensTheSelectedPrintersSettings) {
    QString shownFor;
    printers.propertiesScript = [&shownFor](FakePrinter& printer, QWidget*) {
        shownFor = printer.name;
        printer.port = QStringLiteral("usb://nový/port");
        return true;
    };
    TPrintDialogTyp component;
    ScriptedModal modal([](QDialog& dialog) {
        Child<TComboBoxPrinter>(dialog, "CBTiskarna")->setCurrentIndex(1);
        Click(dialog, "BtnVlastnosti");
        // The changed settings show at once.
        EXPECT_EQ(Child<QLabel>(dialog, "LabelKde")->text(), QStringLiteral("usb://nový/port"));
        return int(TPrintDialogTyp::prStorno);
    });
    component.Execute();
    EXPECT_EQ(printers.PropertiesShown(), 1);
    EXPECT_EQ(shownFor, QStringLiteral("Jehličková"));
}

TEST_F(PrintDialogTest, CurrentPageDisablesTheRangeFields) {
    TPrintDialogTyp component;
    component.ShowCurrentPage = true;
    ScriptedModal modal([](QDialog& dialog) {
        QCheckBox* current = Child<QCheckBox>(dialog, "ChBAktualniStranka");
        EXPECT_TRUE(Child<QSpinBox>(dialog, "EOd")->isEnabled());
        current->setChecked(true);
        EXPECT_FALSE(Child<QSpinBox>(dialog, "EOd")->isEnabled());
        EXPECT_FALSE(Child<QSpinBox>(dialog, "EDo")->isEnabled());
        EXPECT_TRUE(Child<QSpinBox>(dialog, "EKopie")->isEnabled());
        current->setChecked(false);
        EXPECT_TRUE(Child<QSpinBox>(dialog, "EDo")->isEnabled());
        return int(TPrintDialogTyp::prStorno);
    });
    component.Execute();
}

TEST_F(PrintDialogTest, WithoutPrintersPrintingControlsAreDisabled) {
    FakePrinterSystem none{std::vector<FakePrinter>{}};
    none.Install();
    TPrintDialogTyp component;
    component.ShowToFile = true;
    ScriptedModal modal([](QDialog& dialog) {
        EXPECT_FALSE(Child<QPushButton>(dialog, "BtnVlastnosti")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>(dialog, "BtnTisk")->isEnabled());
        EXPECT_FALSE(Child<TComboBoxPrinter>(dialog, "CBTiskarna")->isEnabled());
        EXPECT_FALSE(Child<QCheckBox>(dialog, "ChBDoSouboru")->isEnabled());
        EXPECT_TRUE(Child<QPushButton>(dialog, "BtnNahled")->isEnabled());
        EXPECT_TRUE(Child<QLabel>(dialog, "LabelTyp")->text().isEmpty());
        Click(dialog, "BtnNahled");
        return dialog.result();
    });
    EXPECT_EQ(component.Execute(), TPrintDialogTyp::prNahled);
    EXPECT_EQ(component.PrinterIndex, -1);
}

TEST_F(PrintDialogTest, EnableFlagsDisableTheirButtons) {
    TPrintDialogTyp component;
    component.EnablePrinterProperties = component.EnableEdit = false;
    component.EnablePreview = component.EnablePrint = false;
    ScriptedModal modal([](QDialog& dialog) {
        for (const char* name : {"BtnVlastnosti", "BtnUpravit", "BtnNahled", "BtnTisk"}) {
            EXPECT_FALSE(Child<QPushButton>(dialog, name)->isEnabled()) << name;
        }
        EXPECT_TRUE(Child<QPushButton>(dialog, "BtnStorno")->isEnabled());
        return int(TPrintDialogTyp::prStorno);
    });
    component.Execute();
}

// The window's height with the given groups hidden, as it is shown.
int ShownHeight(bool printer, bool range, bool templates) {
    TPrintDialogTyp component;
    component.ShowPrinterGroup = printer;
    component.ShowRangeGroup = range;
    component.ShowTemplateGroup = templates;
    int height = 0;
    ScriptedModal modal([&height](QDialog& dialog) {
        dialog.show();
        QCoreApplication::processEvents();
        height = dialog.height();
        // The visible groups are stacked from the top.
        int top = 0;
        for (const char* name : {"GroupTiskarna", "GroupRozsah", "GroupFormular"}) {
            QGroupBox* group = Child<QGroupBox>(dialog, name);
            if (group->isVisible()) {
                EXPECT_GE(group->y(), top) << name;
                EXPECT_LT(group->y() - top, 30) << name;
                top = group->geometry().bottom();
            }
        }
        dialog.hide();
        return int(TPrintDialogTyp::prStorno);
    });
    component.Execute();
    return height;
}

TEST_F(PrintDialogTest, HiddenGroupsTakeNoSpace) {
    const int all = ShownHeight(true, true, true);
    const int noTemplate = ShownHeight(true, true, false);
    const int rangeOnly = ShownHeight(false, true, false);
    EXPECT_LT(noTemplate, all);
    EXPECT_LT(rangeOnly, noTemplate);
    EXPECT_LT(rangeOnly, all / 2);
}

TEST_F(PrintDialogTest, TemplateGroupListsTheFolderAndStoresTheChosenPath) {
    QTemporaryDir dir;
    for (const char* name : {"Seznam.pts", "Karta.pts", "jiny.txt"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    TPrintDialogTyp component;
    component.ReportDirIgnore = false;
    component.ReportDir = dir.path();
    component.ReportPath = QStringLiteral("SEZNAM.PTS");
    ScriptedModal modal([](QDialog& dialog) {
        TComboBoxPredloha* box = Child<TComboBoxPredloha>(dialog, "CBPredloha");
        EXPECT_EQ(box->count(), 2);
        EXPECT_EQ(box->currentText(), QStringLiteral("Seznam.pts"));
        EXPECT_EQ(Child<QLabel>(dialog, "LabelNazev")->text(), QStringLiteral("Seznam.pts"));
        box->setCurrentIndex(box->findText(QStringLiteral("Karta.pts")));
        EXPECT_EQ(Child<QLabel>(dialog, "LabelNazev")->text(), QStringLiteral("Karta.pts"));
        Click(dialog, "BtnUpravit");
        return dialog.result();
    });
    EXPECT_EQ(component.Execute(), TPrintDialogTyp::prUpravit);
    EXPECT_EQ(component.ReportPath, QStringLiteral("Karta.pts"));
}

TEST_F(PrintDialogTest, NameLabelsFollowTheirShowFlag) {
    TPrintDialogTyp component;
    component.ShowTemplateNames = false;
    ScriptedModal modal([](QDialog& dialog) {
        dialog.show();
        EXPECT_FALSE(Child<QLabel>(dialog, "LabelNazev")->isVisible());
        EXPECT_FALSE(Child<QLabel>(dialog, "LabelNazevCaption")->isVisible());
        EXPECT_TRUE(Child<TComboBoxPredloha>(dialog, "CBPredloha")->isVisible());
        dialog.hide();
        return int(TPrintDialogTyp::prStorno);
    });
    component.Execute();
}

}  // namespace
