// The element settings dialog in its four modes: the pages each mode shows,
// the source lists and panels by kind and field type, the font rules, RTF
// locking the page, barcodes, conditional printing through the expression
// editor, and the designer applying the dialog only after OK.

#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "report/designer/design_properties.h"
#include "report/designer/dlgkonfprvku.h"
#include "report/designer/sest_fneditvyraz.h"
#include "report/output/sestbarc.h"
#include "tests/report/designer/designer_fixture.h"
#include "tests/report/designer/field_report.h"

using designer_test::DesignerFixture;
using designer_test::FieldReport;
using designer_test::KennelFields;
using Dlg = TDlgKonfPrvku;

namespace {

QStringList VisiblePages(const Dlg& dialog) {
    QStringList pages;
    for (int i = 0; i < dialog.Pages()->count(); ++i) {
        if (dialog.Pages()->isTabVisible(i)) {
            pages << dialog.Pages()->tabText(i);
        }
    }
    return pages;
}

template <typename T>
T* Child(QWidget& w, const char* name) {
    return w.findChild<T*>(QLatin1String(name));
}

TLumexReportElement Element(TSestavaTyp& report, const QString& record) {
    TLumexReportElement e(&report);
    e.ParseElement(record);
    return e;
}

struct DialogFixture {
    DialogFixture() : report(KennelFields()) {
        report.AddGroup(0, "#Plemeno", false, 24, false, 24, false);
        report.AddGroup(1, "#Pohlavi", false, 24, false, 24, false);
        report.Funkce().AddNew();
        context.report = &report;
        context.functions = &report.Funkce();
    }
    FieldReport report;
    TElementDialogContext context;
    testing_support::ScriptedMessages messages;
};

}  // namespace

TEST(ElementSettings, EachModeShowsItsPages) {
    DialogFixture f;
    EXPECT_EQ(VisiblePages(Dlg(Dlg::kmText, f.context)),
              (QStringList{"Základní vlastnosti", "Písmo prvku", "Podmíněný tisk"}));
    EXPECT_EQ(VisiblePages(Dlg(Dlg::kmFont, f.context)), (QStringList{"Písmo prvku"}));
    EXPECT_EQ(VisiblePages(Dlg(Dlg::kmGraphic, f.context)), (QStringList{"Podmíněný tisk"}));
    EXPECT_EQ(VisiblePages(Dlg(Dlg::kmBarcode, f.context)),
              (QStringList{"Čárový kód", "Podmíněný tisk"}));
    // A dialog not yet given a font shows the default font, Czech script included.
    Dlg font(Dlg::kmFont, f.context);
    EXPECT_EQ(font.Font(), TElementFont{});
    EXPECT_EQ(Dlg::ModeFor(ekFunction), Dlg::kmText);
    EXPECT_EQ(Dlg::ModeFor(ekPaintBox), Dlg::kmGraphic);
    EXPECT_EQ(Dlg::ModeFor(ekBarcode), Dlg::kmBarcode);
    Dlg dialog(Dlg::kmText, f.context);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nastavení vlastností prvku"));
}

TEST(ElementSettings, AStaticTextShowsItsTextAndOkChangesIt) {
    DialogFixture f;
    TLumexReportElement e =
        Element(f.report, "Z,1,0,10,20,300,24,Arial,12,0,1,2,0,238,\"Nadpis\",0,0,0,\"\",0,\"\"");
    Dlg dialog(Dlg::kmText, f.context);
    ASSERT_TRUE(dialog.Fill(e));
    auto* text = Child<QLineEdit>(dialog, "EditText");
    EXPECT_FALSE(text->isHidden());
    EXPECT_TRUE(Child<QComboBox>(dialog, "CbIndex")->isHidden());
    EXPECT_EQ(text->text(), QStringLiteral("Nadpis"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "EdTyp")->text(), QStringLiteral("Grafický text"));
    EXPECT_FALSE(Child<QWidget>(dialog, "RGPodle")->isEnabled());
    EXPECT_EQ(Child<QComboBox>(dialog, "CBZarovnani")->currentIndex(), eaCenter);
    EXPECT_TRUE(Child<QCheckBox>(dialog, "CBBold")->isChecked());
    text->setText(QStringLiteral("Seznam psů"));
    Child<QLineEdit>(dialog, "EdL")->setText("abc");  // keeps the old value
    Child<QLineEdit>(dialog, "EdS")->setText("420");
    Child<QLineEdit>(dialog, "EAngleT")->setText("x");  // 0
    Child<QToolButton>(dialog, "SBRamB")->setChecked(true);
    dialog.Apply(e);
    EXPECT_EQ(e.text, QStringLiteral("Seznam psů"));
    EXPECT_EQ(e.left, 10);
    EXPECT_EQ(e.width, 420);
    EXPECT_EQ(e.angle, 0);
    EXPECT_EQ(e.frameFlags & ffFrameLines, ffBottom);
}

TEST(ElementSettings, LengthsAreShownInTheDesignersUnit) {
    DialogFixture f;
    f.context.unit = 1;  // 0,1 mm
    TLumexReportElement e = Element(f.report, "T,1,0,50,0,100,20,Arial,10,0,0,0,0,238,\"x\"");
    Dlg dialog(Dlg::kmText, f.context);
    ASSERT_TRUE(dialog.Fill(e));
    EXPECT_EQ(Child<QLineEdit>(dialog, "EdL")->text(), QStringLiteral("127"));
    EXPECT_EQ(Child<QLabel>(dialog, "LabelUnits")->text(), QStringLiteral("(0,1 mm)"));
    Child<QLineEdit>(dialog, "EdL")->setText("254");
    dialog.Apply(e);
    EXPECT_EQ(e.left, 100);
}

TEST(ElementSettings, FieldsListWithTheirNumbersAndSwitchPanelsByType) {
    DialogFixture f;
    TLumexReportElement e = Element(f.report, "T,2,1,0,0,100,20,Arial,10,0,0,0,0,238");
    Dlg dialog(Dlg::kmText, f.context);
    ASSERT_TRUE(dialog.Fill(e));
    auto* source = Child<QComboBox>(dialog, "CbIndex");
    ASSERT_EQ(source->count(), 5);
    EXPECT_EQ(source->itemText(0), QStringLiteral("#1  Jméno"));
    EXPECT_EQ(source->currentIndex(), 1);
    EXPECT_EQ(dialog.ShownPanel(), Dlg::pnText);
    source->setCurrentIndex(4);  // Foto, a picture field
    EXPECT_EQ(dialog.ShownPanel(), Dlg::pnPicture);
    source->setCurrentIndex(3);  // Poznamka, a memo
    EXPECT_EQ(dialog.ShownPanel(), Dlg::pnMemo);
    Child<QRadioButton>(dialog, "RGPodle1")->setChecked(true);
    dialog.Apply(e);
    EXPECT_EQ(e.source, 3);
    EXPECT_EQ(e.sourceName, QStringLiteral("Poznamka"));
    EXPECT_TRUE(e.textFlags & tfMultiline);  // memos are always multi-line
    EXPECT_TRUE(e.FormatElement("T").startsWith("T,2,Poznamka,"));
}

TEST(ElementSettings, ACaptionAlwaysUsesTheTextPanel) {
    DialogFixture f;
    TLumexReportElement e = Element(f.report, "H,3,4,0,0,100,20,Arial,10,0,0,0,0,238");
    Dlg dialog(Dlg::kmText, f.context);
    ASSERT_TRUE(dialog.Fill(e));
    EXPECT_EQ(dialog.ShownPanel(), Dlg::pnText);
}

TEST(ElementSettings, AGroupRowVariableShowsItsName) {
    DialogFixture f;
    TLumexReportElement e = Element(f.report, "T,5,7,0,0,100,20,Arial,10,0,0,0,0,238");
    Dlg dialog(Dlg::kmText, f.context);
    ASSERT_TRUE(dialog.Fill(e));
    auto* source = Child<QComboBox>(dialog, "CbIndex");
    EXPECT_EQ(source->currentText(), QStringLiteral("Číslo ř. ve sk.2"));
    EXPECT_EQ(source->itemText(8), QStringLiteral("Číslo skupiny 2"));
    EXPECT_EQ(dialog.ShownPanel(), Dlg::pnVariable);
    EXPECT_FALSE(Child<QWidget>(dialog, "RGPodle")->isEnabled());
}

TEST(ElementSettings, AnElementOfAMissingFieldOrFunctionIsNotEdited) {
    DialogFixture f;
    TLumexReportElement field = Element(f.report, "T,2,0,0,0,100,20,Arial,10,0,0,0,0,238");
    field.source = 9;
    EXPECT_FALSE(Dlg(Dlg::kmText, f.context).Fill(field));
    TLumexReportElement function = Element(f.report, "T,6,3,0,0,100,20,Arial,10,0,0,0,0,238");
    EXPECT_FALSE(Dlg(Dlg::kmText, f.context).Fill(function));
}

TEST(ElementSettings, ARomanDeviceFontFixesItsSize) {
    DialogFixture f;
    Dlg dialog(Dlg::kmFont, f.context);
    dialog.SetFont(TElementFont{});
    auto* name = Child<QComboBox>(dialog, "CBPisma");
    auto* size = Child<QComboBox>(dialog, "CBVyska");
    name->setCurrentIndex(name->findText(QStringLiteral("Roman 17cpi")));
    EXPECT_EQ(size->currentText(), QStringLiteral("8"));
    EXPECT_FALSE(size->isEnabled());
    EXPECT_EQ(dialog.Font().size, 8);
    EXPECT_EQ(dialog.Font().name, QStringLiteral("Roman 17cpi"));
    name->setCurrentIndex(name->findText(QStringLiteral("Roman 10cpi")));
    EXPECT_EQ(dialog.Font().size, 11);
    name->setCurrentIndex(name->findText(QStringLiteral("Arial")));
    EXPECT_TRUE(size->isEnabled());
    size->setEditText(QStringLiteral("nic"));
    EXPECT_EQ(dialog.Font().size, 12);  // an unreadable size reads as 12
}

TEST(ElementSettings, TheFontPageReadsStyleColourAndScript) {
    DialogFixture f;
    Dlg dialog(Dlg::kmFont, f.context);
    TElementFont font;
    font.color = 0x123456;  // not one of the 16 colours
    dialog.SetFont(font);
    EXPECT_EQ(Child<QComboBox>(dialog, "CBBarva")->currentIndex(), -1);
    EXPECT_EQ(Child<QComboBox>(dialog, "CbSkript")->currentText(),
              QStringLiteral("středoevropský"));
    Child<QCheckBox>(dialog, "CBItalic")->setChecked(true);
    Child<QCheckBox>(dialog, "CbUnderline")->setChecked(true);
    EXPECT_EQ(dialog.Font().style, fsItalic | fsUnderline);
    EXPECT_EQ(dialog.Font().color, 0x123456);                 // stays as it was
    Child<QComboBox>(dialog, "CBBarva")->setCurrentIndex(9);  // červená
    EXPECT_EQ(dialog.Font().color, TemplateColorTable(9));
    Child<QComboBox>(dialog, "CbSkript")->setCurrentIndex(5);  // cyrilice
    EXPECT_EQ(dialog.Font().charset, csCyrillic);
    EXPECT_EQ(Child<QLabel>(dialog, "LabelUkazkaF")->text(), QStringLiteral("ÁBČĎábčď"));
}

TEST(ElementSettings, RtfDisablesTheAlignmentAndLocksThePage) {
    DialogFixture f;
    TLumexReportElement e = Element(f.report, "T,2,3,0,0,100,20,Arial,10,0,0,16,0,238");
    Dlg dialog(Dlg::kmText, f.context);
    ASSERT_TRUE(dialog.Fill(e));
    ASSERT_EQ(dialog.ShownPanel(), Dlg::pnMemo);
    Child<QCheckBox>(dialog, "CBRtf")->setChecked(true);
    EXPECT_FALSE(Child<QComboBox>(dialog, "CBZarovnani")->isEnabled());
    EXPECT_FALSE(dialog.Pages()->isTabEnabled(Dlg::pgFont));
    EXPECT_FALSE(dialog.Pages()->isTabEnabled(Dlg::pgCondition));
    Child<QCheckBox>(dialog, "CBRtf")->setChecked(false);
    EXPECT_TRUE(Child<QComboBox>(dialog, "CBZarovnani")->isEnabled());
    EXPECT_TRUE(dialog.Pages()->isTabEnabled(Dlg::pgFont));
}

TEST(ElementSettings, ABarcodeKeepsItsBarWidth) {
    DialogFixture f;
    TLumexReportElement e =
        Element(f.report, "T,12,0,0,0,300,80,,1,0,3,112,15,0,\"#1\",0,0,0,\"\",0,\"\"");
    e.penWidth = 18;
    Dlg dialog(Dlg::kmBarcode, f.context);
    ASSERT_TRUE(dialog.Fill(e));
    EXPECT_EQ(Child<QComboBox>(dialog, "CBBcSirkaBarCary")->currentText(), QStringLiteral("2,25"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "EditBcBarText")->text(), QStringLiteral("#1"));
    dialog.Apply(e);
    EXPECT_EQ(e.penWidth, 18);
    TLumexReportElement odd = e;
    odd.penStyle = 99;
    Dlg second(Dlg::kmBarcode, f.context);
    ASSERT_TRUE(second.Fill(odd));
    EXPECT_EQ(Child<QComboBox>(second, "CBBcTypBarCode")->currentText(), QStringLiteral("EAN 13"));
}

TEST(ElementSettings, TheConditionComesFromTheExpressionEditor) {
    DialogFixture f;
    TLumexReportElement e = Element(f.report, "T,7,0,0,0,300,3,,1,0,0,8,15,0");
    Dlg dialog(Dlg::kmGraphic, f.context);
    ASSERT_TRUE(dialog.Fill(e));
    dialog.show();
    testing_support::ScriptedModal script([](QDialog& d) {
        auto& editor = dynamic_cast<TSest_FnEditVyraz&>(d);
        EXPECT_TRUE(editor.List(TSest_FnEditVyraz::elFunctions)->isEnabled());
        editor.Editor()->setText(QStringLiteral("#3>100"));
        return int(QDialog::Accepted);
    });
    designer_test::Press(Child<QPushButton>(dialog, "SpeedButtonFnV"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "EditFnVyr")->text(), QStringLiteral("#3>100"));
    Child<QCheckBox>(dialog, "CbPrintHandler")->setChecked(true);
    Child<QLineEdit>(dialog, "EditPrintIdent")->setText(QStringLiteral("cara"));
    dialog.Apply(e);
    EXPECT_EQ(e.condition, QStringLiteral("#3>100"));
    EXPECT_TRUE(e.handler);
    EXPECT_EQ(e.ident, QStringLiteral("cara"));
    designer_test::Press(Child<QPushButton>(dialog, "SpeedButton1"));
    dialog.Apply(e);
    EXPECT_TRUE(e.condition.isEmpty());
}

// ---- in the designer -------------------------------------------------------------------------

TEST(ElementSettingsInTheDesigner, DoubleClickOpensAndOkRecordsTheStep) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSesPrvek& title = f.Element(0, 0);
    w.FocusElement(&title);
    testing_support::ScriptedModal script([](QDialog& d) {
        auto* dialog = qobject_cast<Dlg*>(&d);
        EXPECT_NE(dialog, nullptr);
        d.findChild<QLineEdit*>("EditText")->setText(QStringLiteral("Psi chovatelské stanice"));
        designer_test::Press(d.findChild<QPushButton*>("OKBtn"));
        return d.result();
    });
    w.ElementDoubleClick(&title);
    EXPECT_EQ(f.Element(0, 0).Element().text, QStringLiteral("Psi chovatelské stanice"));
    EXPECT_EQ(w.History().UndoHint(), QStringLiteral("Zrušit nastavení prvku"));
    EXPECT_TRUE(w.WriteState().Lines().join('\n').contains("\"Psi chovatelské stanice\""));
}

TEST(ElementSettingsInTheDesigner, StornoChangesNothing) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.show();
    const QStringList before = w.WriteState().Lines();
    TSesPrvek& field = f.Element(2, 0);
    w.FocusElement(&field);
    testing_support::ScriptedModal script([](QDialog& d) {
        d.findChild<QLineEdit*>("EdL")->setText("300");
        designer_test::Press(d.findChild<QPushButton*>("CancelBtn"));
        return d.result();
    });
    designer_test::Press(w.Properties()->findChild<QPushButton*>("BtnPismo"));
    w.EditSelectedProperties();
    EXPECT_EQ(w.WriteState().Lines(), before);
    EXPECT_FALSE(w.Modified());
}

TEST(ElementSettingsInTheDesigner, PismoChangesTheFontOfEveryMarkedText) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    w.show();
    w.FocusElement(&f.Element(2, 0));
    w.MarkElement(&f.Element(2, 1));
    testing_support::ScriptedModal script([](QDialog& d) {
        auto* dialog = qobject_cast<Dlg*>(&d);
        EXPECT_EQ(dialog->Mode(), Dlg::kmFont);
        d.findChild<QComboBox*>("CBVyska")->setEditText("14");
        d.findChild<QCheckBox*>("CBBold")->setChecked(true);
        return int(QDialog::Accepted);
    });
    designer_test::Press(w.Properties()->findChild<QPushButton*>("BtnPismo"));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(f.Element(2, i).Element().font.size, 14);
        EXPECT_EQ(f.Element(2, i).Element().font.style, fsBold);
    }
    EXPECT_EQ(w.History().UndoHint(), QStringLiteral("Zrušit změna písma"));
}

TEST(ElementSettingsInTheDesigner, SeveralMarkedLinesOpenNothing) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    int opened = 0;
    testing_support::ScriptedModal script([&opened](QDialog&) {
        ++opened;
        return int(QDialog::Rejected);
    });
    TSesPrvek& line = f.Element(0, 1);
    w.FocusElement(&line);
    w.ElementDoubleClick(&line);
    EXPECT_EQ(opened, 1);
    w.MarkElement(&f.Element(0, 0));
    w.FocusElement(&line);
    w.ElementDoubleClick(&line);
    EXPECT_EQ(opened, 1);
}
