// The template settings dialog over a real designer: the unit of the shown
// lengths, the paper formats with the user's own in the settings file, the
// page sketch, sections and their flags, the raster, and the groups added,
// moved, edited and deleted and written back as I,4 records in order.

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
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "platform/print/fake_printer_system.h"
#include "report/designer/dlg_format_papiru.h"
#include "report/designer/dlg_nova_sestava.h"
#include "report/designer/paper_preview.h"
#include "report/designer/sest_fneditvyraz.h"
#include "report/designer/sestdlg.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;

namespace {

template <typename T>
T* Child(QWidget& w, const char* name) {
    return w.findChild<T*>(QLatin1String(name));
}

QStringList Records(const QStringList& lines, const QString& prefix) {
    QStringList found;
    for (const QString& line : lines) {
        if (line.startsWith(prefix)) {
            found << line;
        }
    }
    return found;
}

QStringList VisibleTabs(TSestDlg& dialog) {
    QStringList tabs;
    for (int i = 0; i < dialog.Tabs()->count(); ++i) {
        if (dialog.Tabs()->isTabVisible(i)) {
            tabs << dialog.Tabs()->tabText(i);
        }
    }
    return tabs;
}

// Opens the dialog from "Nastavení předlohy...", runs `script` on it and
// answers with its result.
void RunSettings(TFormSestE& w, const std::function<void(TSestDlg&)>& script) {
    testing_support::ScriptedModal modal([&script](QDialog& d) {
        auto* dialog = qobject_cast<TSestDlg*>(&d);
        if (!dialog) {
            return int(QDialog::Rejected);
        }
        script(*dialog);
        return d.result();
    });
    w.Action(QStringLiteral("ActionPredloha"))->trigger();
}

void PressKonec(QDialog& d) {
    designer_test::Press(Child<QPushButton>(d, "BtnKonec"));
}

// Without printers every margin fits; the paper starts as A4 portrait.
class TemplateSettings : public ::testing::Test {
  protected:
    void SetUp() override {
        printers.Install();
        PaperSetup() = TPaperSetup{};
    }
    void TearDown() override { PaperSetup() = TPaperSetup{}; }
    platform::FakePrinterSystem printers;
};
class TemplateSettingsGroups : public TemplateSettings {};

}  // namespace

TEST_F(TemplateSettings, MarginsFollowTheChosenUnit) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSestDlg& dialog = w.TemplateSettingsDialog();
    dialog.Fill(TTemplateSettingsValues{}, -1);
    auto* left = Child<QSpinBox>(dialog, "SEOkrajLevy");
    EXPECT_EQ(left->value(), 50);
    dialog.SwitchUnit(1);
    EXPECT_EQ(left->value(), 127);
    EXPECT_EQ(Child<QLabel>(dialog, "InfoRozmerUnit")->text(), QStringLiteral("(0,1 mm)"));
    dialog.SwitchUnit(4);
    EXPECT_EQ(left->value(), 72);
    EXPECT_EQ(dialog.Values().paper.MarginLeft, 50);
}

// The report's page range as it stands: without a set last page it prints
// to the last page; a set one shows its number, past 9,999 too.
TEST_F(TemplateSettings, ThePrintedPagesShowTheReportsRange) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSestDlg& dialog = w.TemplateSettingsDialog();
    dialog.Fill(TTemplateSettingsValues{}, -1);
    EXPECT_EQ(Child<QLineEdit>(dialog, "EStartPage")->text(), QStringLiteral("1"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "EEndPage")->text(), QStringLiteral("poslední"));
    TTemplateSettingsValues set;
    set.startPage = 10001;
    set.endPage = 20015;
    dialog.Fill(set, -1);
    EXPECT_EQ(Child<QLineEdit>(dialog, "EStartPage")->text(), QStringLiteral("10001"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "EEndPage")->text(), QStringLiteral("20015"));
}

TEST_F(TemplateSettings, AllTabsOrOnlyTheOneAsked) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSestDlg& dialog = w.TemplateSettingsDialog();
    dialog.Fill(TTemplateSettingsValues{}, -1);
    EXPECT_EQ(VisibleTabs(dialog), (QStringList{"Sestava", "Papír", "Rastr", "Oddíly", "Skupiny"}));
    EXPECT_EQ(dialog.Tabs()->currentIndex(), TSestDlg::tbPapir);  // the first time
    dialog.Fill(TTemplateSettingsValues{}, TSestDlg::tbSkupiny);
    EXPECT_EQ(VisibleTabs(dialog), (QStringList{"Skupiny"}));
    dialog.Fill(TTemplateSettingsValues{}, 17);
    EXPECT_EQ(VisibleTabs(dialog), (QStringList{"Sestava"}));
}

TEST_F(TemplateSettings, TheWizardsPaperButtonShowsOnlyThePaperAndItsSizeIsDrafted) {
    DesignerFixture f(QStringList{});
    QStringList tabs;
    testing_support::ScriptedModal script([&tabs](QDialog& d) {
        if (auto* wizard = qobject_cast<TDlgNovaSestava*>(&d)) {
            designer_test::Press(Child<QPushButton>(d, "BitBtn1"));
            wizard->SrcList()->item(0)->setSelected(true);
            wizard->Include();
            return TDlgNovaSestava::kDraft;
        }
        auto& dialog = *qobject_cast<TSestDlg*>(&d);
        tabs = VisibleTabs(dialog);
        Child<QRadioButton>(dialog, "RbOrientationL")->setChecked(true);
        PressKonec(d);
        return d.result();
    });
    TFormSestE& w = f.Open();
    EXPECT_EQ(tabs, (QStringList{"Papír"}));
    const QStringList lines = w.WriteState().Lines();
    // Landscape A4: W = 1169 - 100, the title is that wide.
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "Z,1,0,0,40,1069,40,Arial,24,0,1,2,0,1,\"Nadpis sestavy\",0,0,0,\"\",0,\"\"")))
        << lines.join('\n').toStdString();
    EXPECT_EQ(Records(lines, "I,2,").value(0).section(',', 2, 3), QStringLiteral("1,826"));
}

TEST_F(TemplateSettings, SectionsAndFlagsAreAppliedAndRecorded) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    RunSettings(w, [](TSestDlg& d) {
        Child<QCheckBox>(d, "CBOddK")->setChecked(true);
        Child<QLineEdit>(d, "EditHK")->setText("48");
        Child<QCheckBox>(d, "CbNsKon")->setChecked(true);
        Child<QCheckBox>(d, "CbNePosledniHlava")->setChecked(true);
        Child<QCheckBox>(d, "CbPouzePrvniPata")->setChecked(true);
        Child<QLineEdit>(d, "ENazev")->setText(QStringLiteral("Psi stanice"));
        PressKonec(d);
    });
    const QStringList lines = w.WriteState().Lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("I,3,3,1,48,1"))) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("I,3,1,0,0,2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("I,3,4,0,0,2")));
    EXPECT_EQ(f.report.Popis(), QStringLiteral("Psi stanice"));
    EXPECT_EQ(w.History().UndoHint(), QStringLiteral("Zrušit nastavení oddílů a skupin"));
    EXPECT_FALSE(f.Band(3).isHidden());
}

TEST_F(TemplateSettings, UncheckingTheFooterPageBreakUnchecksTheLastHeader) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSestDlg& d = w.TemplateSettingsDialog();
    d.Fill(TTemplateSettingsValues{}, -1);
    auto* breakBefore = Child<QCheckBox>(d, "CbNsKon");
    auto* lastHeader = Child<QCheckBox>(d, "CbNePosledniHlava");
    EXPECT_FALSE(lastHeader->isEnabled());
    breakBefore->setChecked(true);
    lastHeader->setChecked(true);
    breakBefore->setChecked(false);
    EXPECT_FALSE(lastHeader->isChecked());
    EXPECT_FALSE(lastHeader->isEnabled());
}

TEST_F(TemplateSettings, CharacterRasterTakesTheCellOfThePitch) {
    // The designer's grid is its own cell (8.33 and 5.88 wide); the file keeps
    // the engine's cell (8 and 6).
    for (const auto& [pitch, expected, written] : {std::tuple{1, 8, 8}, std::tuple{2, 5, 6}}) {
        DesignerFixture f;
        TFormSestE& w = f.Open();
        RunSettings(w, [pitch = pitch](TSestDlg& d) {
            Child<QRadioButton>(d, "RgTypRastru1")->setChecked(true);
            d.Tabs()->setCurrentIndex(TSestDlg::tbRastr);
            EXPECT_TRUE(Child<QWidget>(d, "RgRoztecZn")->isVisibleTo(&d));
            EXPECT_FALSE(Child<QLineEdit>(d, "EditRastrX")->isVisibleTo(&d));
            Child<QRadioButton>(d, QString("RgRoztecZn%1").arg(pitch).toLatin1())->setChecked(true);
            PressKonec(d);
        });
        const QStringList raster = Records(w.WriteState().Lines(), "I,6,");
        ASSERT_EQ(raster.size(), 1);
        EXPECT_EQ(raster[0].section(',', 2, 3), QStringLiteral("1,%1").arg(written));
        EXPECT_EQ(f.report.Settings().raster.pitch, pitch);
        EXPECT_EQ(w.RasterX(), expected);
        EXPECT_NEAR(w.StepX(), pitch == 1 ? 8.3333333 : 5.8823528, 1e-6);
    }
}

TEST_F(TemplateSettings, GraphicRasterAndUnitAreApplied) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    RunSettings(w, [](TSestDlg& d) {
        Child<QComboBox>(d, "ComboBoxUnits")->setCurrentIndex(1);
        d.SwitchUnit(1);
        Child<QLineEdit>(d, "EditRastrX")->setText("25");
        Child<QLineEdit>(d, "EditRastrY")->setText("xx");  // keeps 8
        PressKonec(d);
    });
    EXPECT_EQ(w.Unit(), 1);
    EXPECT_NEAR(w.StepX(), 25 / 2.54, 1e-9);
    EXPECT_NEAR(w.StepY(), 8 / 2.54, 1e-9);
    EXPECT_TRUE(w.WriteState().Lines().contains(QStringLiteral("I,5,1")));
}

TEST_F(TemplateSettings, MarginsThatLeaveNoPaperAreRefused) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    bool stayed = false;
    RunSettings(w, [&stayed, &f](TSestDlg& d) {
        Child<QSpinBox>(d, "SEOkrajLevy")->setValue(500);
        Child<QSpinBox>(d, "SEOkrajPravy")->setValue(400);
        PressKonec(d);
        stayed = d.result() != QDialog::Accepted;
        EXPECT_EQ(f.messages.Texts().value(0),
                  QStringLiteral("Okraje papíru nenechávají žádnou plochu pro tisk."));
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(PaperSetup().MarginLeft, 50);
    EXPECT_FALSE(w.Modified());
}

TEST_F(TemplateSettings, ThePaperSketchDividesThePrintableAreaIntoColumns) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSestDlg& d = w.TemplateSettingsDialog();
    d.Fill(TTemplateSettingsValues{}, -1);
    auto* preview = Child<TPaperPreview>(d, "PaintBoxPapiru");
    EXPECT_EQ(preview->Cells().size(), 1);
    Child<QSpinBox>(d, "SEPocSloup")->setValue(3);
    Child<QSpinBox>(d, "SEMeziSloup")->setValue(20);
    Child<QLineEdit>(d, "EditHT")->setText("100");
    EXPECT_EQ(preview->Cells().size(), 12);  // four rows of three
    // 726 wide, two gaps of 20: 228 per column.
    EXPECT_EQ(Child<QLabel>(d, "InfoRozmerS")->text(), QStringLiteral("228 x 100"));
    EXPECT_EQ(Child<QLabel>(d, "InfoRozmer")->text(), QStringLiteral("826 x 1169"));
    EXPECT_EQ(Child<QLabel>(d, "InfoRozmerT")->text(), QStringLiteral("726 x 1029"));
    const QRect paper = preview->PaperRect();
    EXPECT_LE(paper.height(), 83);
    EXPECT_GE(paper.top(), 0);
}

TEST_F(TemplateSettings, MarginsBelowThePrintersStripsAreAskedAbout) {
    printers.SetPrinters({platform::FakePrinter::Laser(QStringLiteral("Laser"))});
    DesignerFixture f;
    TFormSestE& w = f.Open();
    bool keptOpen = false;
    RunSettings(w, [&](TSestDlg& d) {
        Child<QSpinBox>(d, "SEOkrajLevy")->setValue(10);
        f.messages.Answer(platform::mbCancel);
        PressKonec(d);
        keptOpen = d.result() != QDialog::Accepted;
        EXPECT_EQ(Child<QSpinBox>(d, "SEOkrajLevy")->value(), 10);
        f.messages.Answer(platform::mbYes);
        PressKonec(d);
    });
    ASSERT_EQ(f.messages.Shown().size(), 2u);
    EXPECT_EQ(f.messages.Shown()[0].text,
              QStringLiteral("Nastavené okraje tisku jsou menší, než umožňuje připojená "
                             "tiskárna. Upravit velikost okrajů podle možností tiskárny?"));
    EXPECT_EQ(f.messages.Shown()[0].caption, QStringLiteral("Potvrzení"));
    EXPECT_TRUE(keptOpen);
    EXPECT_EQ(PaperSetup().MarginLeft, 25);  // raised to the printer's strip
    EXPECT_TRUE(w.Modified());
}

TEST_F(TemplateSettings, ADetailReportKeepsThePaperOfItsMaster) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSestDlg& d = w.TemplateSettingsDialog();
    TTemplateSettingsValues values;
    values.isDetail = true;
    d.Fill(values, -1);
    for (const char* name :
         {"CBFormaty", "ButtonEditFormat", "ButtonInsertFormat", "RbOrientationP", "RbOrientationL",
          "SEOkrajLevy", "SEOkrajDolni", "CBOddH", "EditHH", "CBOddP", "EditHP", "CbNePrvniHlava",
          "CbNePosledniPata"}) {
        EXPECT_FALSE(Child<QWidget>(d, name)->isEnabled()) << name;
    }
    EXPECT_TRUE(Child<QWidget>(d, "CBOddZ")->isEnabled());
}

// ---- paper formats ---------------------------------------------------------------------------

TEST_F(TemplateSettings, AUserFormatIsAddedEditedAndDroppedInTheSettingsFile) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSestDlg& d = w.TemplateSettingsDialog();
    d.Fill(TTemplateSettingsValues{}, -1);
    auto* formats = Child<QComboBox>(d, "CBFormaty");
    EXPECT_EQ(formats->currentText(), QStringLiteral("A4 (210 x 297 mm)"));
    EXPECT_EQ(Child<QPushButton>(d, "ButtonEditFormat")->text(), QStringLiteral("Ukaž"));
    EXPECT_FALSE(Child<QPushButton>(d, "ButtonDeleteFormat")->isEnabled());
    {
        testing_support::ScriptedModal script([](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Formát papíru"));
            EXPECT_EQ(Child<QLineEdit>(dialog, "EditNazev")->text(),
                      QStringLiteral("uživ. formát"));
            Child<QLineEdit>(dialog, "EditNazev")->setText(QStringLiteral("Štítek, malý"));
            Child<QLineEdit>(dialog, "EditSirka")->setText("400");
            Child<QLineEdit>(dialog, "EditVyska")->setText("300");
            designer_test::Press(Child<QPushButton>(dialog, "BtnKonec"));
            return dialog.result();
        });
        designer_test::Press(Child<QPushButton>(d, "ButtonInsertFormat"));
    }
    EXPECT_EQ(formats->currentIndex(), 17);
    EXPECT_EQ(Child<QPushButton>(d, "ButtonEditFormat")->text(), QStringLiteral("Oprav"));
    EXPECT_TRUE(Child<QPushButton>(d, "ButtonDeleteFormat")->isEnabled());
    EXPECT_EQ(d.Values().paper.PaperWidth, 400);
    {
        platform::IniFile ini(f.report.IniFileName);
        ASSERT_TRUE(ini.Load());
        EXPECT_EQ(ini.ReadString("FormatyPapiru", "PocetFormatu", ""), QStringLiteral("1"));
        EXPECT_EQ(ini.ReadString("FormatyPapiru", "Format1", ""),
                  QStringLiteral("\"Štítek, malý\",400,300"));
    }
    {
        testing_support::ScriptedModal script([](QDialog& dialog) {
            Child<QLineEdit>(dialog, "EditVyska")->setText("350");
            designer_test::Press(Child<QPushButton>(dialog, "BtnKonec"));
            return dialog.result();
        });
        designer_test::Press(Child<QPushButton>(d, "ButtonEditFormat"));
    }
    EXPECT_EQ(d.Values().paper.PaperHeight, 350);
    f.messages.Answer(platform::mbYes);
    designer_test::Press(Child<QPushButton>(d, "ButtonDeleteFormat"));
    EXPECT_EQ(f.messages.Texts().back(), QStringLiteral("Zrušit vybraný uživatelský formát?"));
    EXPECT_EQ(formats->count(), 17);
    EXPECT_EQ(formats->currentIndex(), 0);
    platform::IniFile ini(f.report.IniFileName);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString("FormatyPapiru", "PocetFormatu", ""), QStringLiteral("0"));
}

TEST_F(TemplateSettings, AFormatOfNoSizeIsRefusedInTheDialogAndInTheFile) {
    DesignerFixture f;
    f.Setting("FormatyPapiru", "PocetFormatu", "1");
    f.Setting("FormatyPapiru", "Format1", "Rozbitý,0,-5");
    TFormSestE& w = f.Open();
    TSestDlg& d = w.TemplateSettingsDialog();
    d.Fill(TTemplateSettingsValues{}, -1);
    auto* formats = Child<QComboBox>(d, "CBFormaty");
    ASSERT_EQ(formats->count(), 18);
    d.ChooseFormat(17);
    EXPECT_EQ(f.messages.Texts().value(0),
              QStringLiteral("Formát papíru \"Rozbitý\" nemá platné rozměry."));
    EXPECT_EQ(d.Values().paper.PaperWidth, 826);
    EXPECT_EQ(formats->currentIndex(), 7);

    TFormatPapiru format{QStringLiteral("Nový"), 100, 100};
    testing_support::ScriptedModal script([&f](QDialog& dialog) {
        Child<QLineEdit>(dialog, "EditSirka")->setText("0");
        designer_test::Press(Child<QPushButton>(dialog, "BtnKonec"));
        EXPECT_TRUE(f.messages.Texts().contains(
            QStringLiteral("Šířka i výška papíru musí být větší než nula.")));
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        designer_test::Press(Child<QPushButton>(dialog, "BtnZpet"));
        return dialog.result();
    });
    EXPECT_NE(EditNewPaperFormat(format, "(0,01 inch)", 0), QDialog::Accepted);
    EXPECT_EQ(format.Width, 100);
}

TEST_F(TemplateSettings, BuiltInFormatsAreOnlyShown) {
    TListFormatu list;
    testing_support::ScriptedModal script([](QDialog& dialog) {
        EXPECT_TRUE(Child<QLineEdit>(dialog, "EditSirka")->isReadOnly());
        Child<QLineEdit>(dialog, "EditSirka")->setText("1");
        return int(QDialog::Accepted);
    });
    EditPaperFormat(list, 7, false, "(0,01 inch)", 0);
    EXPECT_EQ(list.Format(7).Width, 826);
}

// ---- groups ----------------------------------------------------------------------------------

TEST_F(TemplateSettingsGroups, InsSelectsTheNewGroupAndOnlyTheLastCanBeDeleted) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    TSestDlg& d = w.TemplateSettingsDialog();
    d.Fill(TTemplateSettingsValues{}, TSestDlg::tbSkupiny);
    auto* list = Child<QListWidget>(d, "LBSkupPol");
    auto* ins = Child<QPushButton>(d, "SBInsSk");
    auto* del = Child<QPushButton>(d, "SBDelSk");
    designer_test::Press(ins);
    designer_test::Press(ins);
    designer_test::Press(ins);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Skupina 3"));
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_TRUE(del->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(d, "CBOddS")->isChecked());
    EXPECT_EQ(Child<QLineEdit>(d, "EditHS")->text(), QStringLiteral("24"));
    EXPECT_EQ(w.Paper()->Bands().size(), 11u);  // five fixed and two per group
    list->setCurrentRow(0);
    EXPECT_FALSE(del->isEnabled());
    Child<QLineEdit>(d, "EditHS")->setText("abc");
    EXPECT_EQ(f.report.Skupiny()[0].header->height, 24);
    Child<QLineEdit>(d, "EditHS")->setText("40");
    EXPECT_EQ(f.report.Skupiny()[0].header->height, 40);
}

TEST_F(TemplateSettingsGroups, AddedMovedAndDeletedGroupsAreWrittenInOrder) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    RunSettings(w, [&f](TSestDlg& d) {
        d.Tabs()->setCurrentIndex(TSestDlg::tbSkupiny);
        auto* expression = Child<QLineEdit>(d, "EditFnVyr");
        auto* header = Child<QCheckBox>(d, "CBOddS");
        const char* keys[] = {"#Plemeno", "#Pohlavi", "#Chovatel"};
        for (const char* key : keys) {
            designer_test::Press(Child<QPushButton>(d, "SBInsSk"));
            expression->setText(QLatin1String(key));
            header->setChecked(true);
        }
        EXPECT_TRUE(Child<QCheckBox>(d, "CBSkPodle")->isChecked());
        Child<QCheckBox>(d, "CBNsNs")->setChecked(true);  // on #Chovatel
        designer_test::Press(Child<QPushButton>(d, "SBUpSk"));
        EXPECT_EQ(Child<QListWidget>(d, "LBSkupPol")->currentRow(), 1);
        EXPECT_EQ(expression->text(), QStringLiteral("#Chovatel"));
        Child<QListWidget>(d, "LBSkupPol")->setCurrentRow(2);
        f.messages.Answer(platform::mbYes);
        designer_test::Press(Child<QPushButton>(d, "SBDelSk"));
        EXPECT_FALSE(Child<QPushButton>(d, "SBDelSk")->isEnabled());
        PressKonec(d);
    });
    EXPECT_EQ(f.messages.Texts().value(0),
              QStringLiteral("Opravdu smazat vybranou skupinu včetně případných vložených prvků "
                             "sestavy?"));
    const QStringList groups = Records(w.WriteState().Lines(), "I,4,");
    ASSERT_EQ(groups.size(), 2);
    EXPECT_TRUE(groups[0].startsWith(QStringLiteral("I,4,0,\"#Plemeno\",1,24,0,24,0")))
        << groups.join('\n').toStdString();
    EXPECT_TRUE(groups[1].startsWith(QStringLiteral("I,4,1,\"#Chovatel\",1,24,0,24,1")))
        << groups.join('\n').toStdString();
    EXPECT_EQ(w.History().UndoHint(), QStringLiteral("Zrušit nastavení oddílů a skupin"));
}

TEST_F(TemplateSettingsGroups, StornoKeepsTheGroupChangesAndRecordsThem) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    RunSettings(w, [](TSestDlg& d) {
        designer_test::Press(Child<QPushButton>(d, "SBInsSk"));
        Child<QLineEdit>(d, "EditFnVyr")->setText(QStringLiteral("#Plemeno"));
        Child<QLineEdit>(d, "ENazev")->setText(QStringLiteral("zahozený popis"));
        designer_test::Press(Child<QPushButton>(d, "BtnStorno"));
    });
    EXPECT_EQ(Records(w.WriteState().Lines(), "I,4,").value(0),
              QStringLiteral("I,4,0,\"#Plemeno\",0,24,0,24,0"));
    EXPECT_EQ(f.report.Popis(), QStringLiteral("Seznam psů"));
    EXPECT_TRUE(w.Modified());
    EXPECT_EQ(w.Paper()->Bands().size(), 7u);
    // A Storno without group changes records nothing.
    const int entries = w.History().Count();
    RunSettings(w, [](TSestDlg& d) { designer_test::Press(Child<QPushButton>(d, "BtnStorno")); });
    EXPECT_EQ(w.History().Count(), entries);
}

TEST_F(TemplateSettingsGroups, AGroupMovesWithItsElementsAndCounters) {
    QStringList lines = designer_test::ListLines();
    lines.insert(8, QStringLiteral("I,4,0,\"#Plemeno\",1,24,1,24,0"));
    lines.insert(9, QStringLiteral("I,4,1,\"#Pohlavi\",1,24,1,24,0"));
    lines << QStringLiteral("U1,5,7,0,0,100,20,Arial,10,0,0,0,0,238,\"\",0,0,0,\"\",0,\"\"");
    DesignerFixture f(lines);
    TFormSestE& w = f.Open();
    ASSERT_EQ(f.report.Skupiny().Count(), 2);
    RunSettings(w, [](TSestDlg& d) {
        Child<QListWidget>(d, "LBSkupPol")->setCurrentRow(1);
        designer_test::Press(Child<QPushButton>(d, "SBUpSk"));
        PressKonec(d);
    });
    const QStringList written = w.WriteState().Lines();
    EXPECT_EQ(Records(written, "I,4,").value(0).section(',', 3, 3), QStringLiteral("\"#Pohlavi\""));
    // The row-in-group counter of the second group is now the first's, in its footer.
    EXPECT_EQ(Records(written, "U0,").value(0).section(',', 0, 2), QStringLiteral("U0,5,5"));
    EXPECT_TRUE(Records(written, "U1,").isEmpty());
}

TEST_F(TemplateSettingsGroups, TheGroupExpressionIsEditedWithoutFunctionsAndChecked) {
    DesignerFixture f;
    TFormSestE& w = f.Open();
    bool functionsDisabled = false;
    bool stayedOpen = false;
    testing_support::ScriptedModal modal([&](QDialog& d) {
        if (auto* editor = qobject_cast<TSest_FnEditVyraz*>(&d)) {
            functionsDisabled = !editor->List(TSest_FnEditVyraz::elFunctions)->isEnabled();
            editor->Editor()->setText(QStringLiteral("LEFT(#Neni_takova, 2"));
            return int(QDialog::Accepted);
        }
        TSestDlg& dialog = *qobject_cast<TSestDlg*>(&d);
        designer_test::Press(Child<QPushButton>(dialog, "SBInsSk"));
        designer_test::Press(Child<QPushButton>(dialog, "SpeedButtonFnV"));
        PressKonec(dialog);
        stayedOpen = dialog.result() != QDialog::Accepted;
        Child<QLineEdit>(dialog, "EditFnVyr")->setText(QStringLiteral("LEFT(#Jmeno_call, 2)"));
        PressKonec(dialog);
        return dialog.result();
    });
    w.Action(QStringLiteral("ActionPredloha"))->trigger();
    EXPECT_TRUE(functionsDisabled);
    EXPECT_TRUE(stayedOpen);
    ASSERT_FALSE(f.messages.Texts().isEmpty());
    EXPECT_TRUE(f.messages.Texts()[0].startsWith(
        QStringLiteral("Skupinový výraz skupiny 1 nelze vyhodnotit.")));
    EXPECT_EQ(Records(w.WriteState().Lines(), "I,4,").value(0).section(',', 3, 4),
              QStringLiteral("\"LEFT(#Jmeno_call, 2)\""));
}

TEST_F(TemplateSettingsGroups, ABandDoubleClickOpensItsGroup) {
    QStringList lines = designer_test::ListLines();
    lines.insert(8, QStringLiteral("I,4,0,\"#Plemeno\",1,24,1,24,0"));
    lines.insert(9, QStringLiteral("I,4,1,\"#Pohlavi\",1,30,1,24,0"));
    DesignerFixture f(lines);
    TFormSestE& w = f.Open();
    int tab = -1;
    int row = -1;
    QString height;
    testing_support::ScriptedModal modal([&](QDialog& d) {
        TSestDlg& dialog = *qobject_cast<TSestDlg*>(&d);
        tab = dialog.Tabs()->currentIndex();
        row = Child<QListWidget>(dialog, "LBSkupPol")->currentRow();
        height = Child<QLineEdit>(dialog, "EditHS")->text();
        return int(QDialog::Rejected);
    });
    w.BandDoubleClick(GroupFooterType(1));
    EXPECT_EQ(tab, TSestDlg::tbSkupiny);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(height, QStringLiteral("30"));
    w.BandDoubleClick(stBody);
    EXPECT_EQ(tab, TSestDlg::tbOddily);
}
