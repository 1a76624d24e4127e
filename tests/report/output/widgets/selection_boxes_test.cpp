// The template box and the printer box: what they list, what they select,
// and what the template box tells its report.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/folders.h"
#include "platform/print/fake_printer_system.h"
#include "report/engine/predloha.h"
#include "report/engine/sestavy.h"
#include "report/output/widgets/combo_predloha.h"
#include "report/output/widgets/combo_printer.h"
#include "tests/support/qt_printers.h"

using platform::FakePrinter;
using platform::FakePrinterSystem;

namespace {

std::vector<FakePrinter> Printers(std::initializer_list<const char*> names) {
    std::vector<FakePrinter> printers;
    for (const char* name : names) {
        printers.push_back(FakePrinter::Laser(QString::fromUtf8(name)));
    }
    return printers;
}

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) {
        items << box.itemText(i);
    }
    return items;
}

TEST(PrinterBox, FillSelectsTheGivenTheCurrentOrNoPrinter) {
    FakePrinterSystem printers(Printers({"Alfa", "Beta", "Gama"}), 0);
    printers.Install();
    printers.SetCurrent(2);
    TComboBoxPrinter box;
    EXPECT_FALSE(box.isEditable());
    box.Fill(-1);
    EXPECT_EQ(Items(box), (QStringList{"Alfa", "Beta", "Gama"}));
    EXPECT_EQ(box.SelectedName(), QStringLiteral("Gama"));
    EXPECT_EQ(box.SelectedPrinterIndex(), 2);
    box.Fill(1);
    EXPECT_EQ(box.SelectedPrinterIndex(), 1);
    for (int nothing : {-2, 3, 99}) {
        box.Fill(nothing);
        EXPECT_EQ(box.SelectedPrinterIndex(), -1) << nothing;
        EXPECT_TRUE(box.SelectedName().isEmpty()) << nothing;
    }
}

TEST(PrinterBox, RefreshKeepsTheSelectionByName) {
    FakePrinterSystem printers(Printers({"Alfa", "Beta"}), 0);
    printers.Install();
    TComboBoxPrinter box;
    box.Fill(1);
    printers.SetPrinters(Printers({"Nová", "Alfa", "Beta"}));
    box.Refresh();
    EXPECT_EQ(box.SelectedName(), QStringLiteral("Beta"));
    EXPECT_EQ(box.SelectedPrinterIndex(), 2);
    // The chosen printer was removed: nothing is selected any more.
    printers.SetPrinters(Printers({"Nová", "Alfa"}));
    box.Refresh();
    EXPECT_EQ(box.SelectedPrinterIndex(), -1);
}

TEST(PrinterBox, WithoutPrintersListsNothing) {
    FakePrinterSystem printers{std::vector<FakePrinter>{}};
    printers.Install();
    TComboBoxPrinter box;
    box.Fill(-1);
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.SelectedPrinterIndex(), -1);
}

// A template folder with two templates, a text file and a folder named like a template.
class TemplateBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Write(QStringLiteral("Seznam00.pts"),
              {QStringLiteral("I,1,10,52,6"), QStringLiteral("I,0,\"Seznam psů, feny\""),
               QStringLiteral("T,2,x")});
        Write(QStringLiteral("Karta.PTS"), {QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0")});
        Write(QStringLiteral("poznamka.txt"), {QStringLiteral("I,0,\"Ne\"")});
        QDir(dir.path()).mkdir(QStringLiteral("slozka.pts"));
    }
    void Write(const QString& name, const QStringList& lines) {
        ASSERT_TRUE(TPredloha(lines).SaveToFile(dir.filePath(name)));
    }
    void UseFolder(TComboBoxPredloha& box) {
        box.ReportDirIgnore = false;
        box.SetReportDir(dir.path());
        box.SetReportMask(QStringLiteral("*.pts"));
    }

    QTemporaryDir dir;
};

TEST_F(TemplateBoxTest, PropertiesKeepTheirForm) {
    TComboBoxPredloha box;
    EXPECT_TRUE(box.ReportDirIgnore);
    EXPECT_FALSE(box.isEditable());
    box.SetReportDir(QStringLiteral("/tmp/predlohy"));
    EXPECT_EQ(box.ReportDir(), QStringLiteral("/tmp/predlohy/"));
    box.SetReportMask(QStringLiteral("*.txt"));
    EXPECT_EQ(box.ReportMask(), QStringLiteral("*.pts"));
    box.SetReportMask(QStringLiteral("sub/karta*"));
    EXPECT_EQ(box.ReportMask(), QStringLiteral("sub/karta*.pts"));
    // With an own list the mask is the application's business.
    box.OnNactiSeznam = [](TComboBoxPredloha&) {};
    box.SetReportMask(QStringLiteral("*.txt"));
    EXPECT_EQ(box.ReportMask(), QStringLiteral("*.txt"));
}

TEST_F(TemplateBoxTest, ListsTemplateFilesByTheirDescription) {
    TComboBoxPredloha box;
    UseFolder(box);
    box.Fill(QString());
    EXPECT_EQ(Items(box), (QStringList{"Karta.PTS", "Seznam psů, feny"}));
    EXPECT_EQ(box.ItemFile(0).Path, QStringLiteral("Karta.PTS"));
    EXPECT_EQ(box.ItemFile(1).Path, QStringLiteral("Seznam00.pts"));
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_TRUE(box.SelectedPath().isEmpty());
}

TEST_F(TemplateBoxTest, IgnoringTheFolderSearchesTheProgramFolder) {
    platform::SetProgramFolderOverride(dir.path());
    TComboBoxPredloha box;
    box.SetReportDir(QStringLiteral("/nonexistent"));
    box.SetReportMask(QStringLiteral("*.pts"));
    box.Fill(QString());
    EXPECT_EQ(box.count(), 2);
    platform::SetProgramFolderOverride(QString());
}

TEST_F(TemplateBoxTest, MaskFolderIsPartOfThePath) {
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    Write(QStringLiteral("sub/Vrhy.pts"), {});
    TComboBoxPredloha box;
    box.ReportDirIgnore = false;
    box.SetReportDir(dir.path());
    box.SetReportMask(QStringLiteral("sub/*.pts"));
    box.Fill(QStringLiteral("SUB/vrhy.pts"));
    ASSERT_EQ(box.count(), 1);
    EXPECT_EQ(box.currentText(), QStringLiteral("Vrhy.pts"));
    EXPECT_EQ(box.SelectedPath(), QStringLiteral("sub/Vrhy.pts"));
}

TEST_F(TemplateBoxTest, SelectionIsHandedToTheReport) {
    TSestava report;
    TComboBoxPredloha box;
    box.Report = &report;
    UseFolder(box);
    box.Fill(QStringLiteral("SEZNAM00.PTS"));
    EXPECT_EQ(box.currentText(), QStringLiteral("Seznam psů, feny"));
    EXPECT_EQ(report.ReportName(), QStringLiteral("Seznam00.pts"));
    box.setCurrentIndex(0);
    EXPECT_EQ(report.ReportName(), QStringLiteral("Karta.PTS"));
    // The report opens what the box lists.
    report.ReportDirIgnore = false;
    report.SetReportDir(dir.path());
    EXPECT_TRUE(QFileInfo::exists(report.TemplateFileName()));
}

TEST_F(TemplateBoxTest, RefreshKeepsTheSelectionByCaption) {
    TComboBoxPredloha box;
    UseFolder(box);
    box.Fill(QStringLiteral("seznam00.pts"));
    Write(QStringLiteral("Adresar.pts"), {QStringLiteral("I,0,\"Adresář\"")});
    box.Refresh();
    EXPECT_EQ(Items(box), (QStringList{"Adresář", "Karta.PTS", "Seznam psů, feny"}));
    EXPECT_EQ(box.currentText(), QStringLiteral("Seznam psů, feny"));
    EXPECT_EQ(box.SelectedPath(), QStringLiteral("Seznam00.pts"));
}

TEST_F(TemplateBoxTest, OwnListHandlerFillsInsteadOfTheFolder) {
    TComboBoxPredloha box;
    UseFolder(box);
    int calls = 0;
    box.OnNactiSeznam = [&calls](TComboBoxPredloha& sender) {
        ++calls;
        sender.AddItem(QStringLiteral("a/Vlastni.pts"), QStringLiteral("Vlastní sestava"));
        sender.AddItem(QStringLiteral("b/Bez popisu.pts"), QString());
    };
    box.Fill(QStringLiteral("b/bez popisu.pts"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Items(box), (QStringList{"Vlastní sestava", "Bez popisu.pts"}));
    EXPECT_EQ(box.SelectedPath(), QStringLiteral("b/Bez popisu.pts"));
}

TEST_F(TemplateBoxTest, LongNamesAreCutTo128Characters) {
    const QString longName = QString(140, QLatin1Char('x')) + QStringLiteral(".pts");
    Write(longName, {});
    TComboBoxPredloha box;
    UseFolder(box);
    box.Fill(QString());
    bool found = false;
    for (int i = 0; i < box.count(); ++i) {
        EXPECT_LE(box.ItemFile(i).Path.size(), TComboBoxPredloha::kMaxPathLength);
        EXPECT_LE(box.itemText(i).size(), TComboBoxPredloha::kMaxPathLength);
        found = found || box.ItemFile(i).Path.startsWith(QStringLiteral("xxxx"));
    }
    EXPECT_TRUE(found);
}

TEST_F(TemplateBoxTest, UnreadableOrMissingFolderListsNothing) {
    TComboBoxPredloha box;
    box.ReportDirIgnore = false;
    box.SetReportDir(dir.filePath(QStringLiteral("neni")));
    box.SetReportMask(QStringLiteral("*.pts"));
    box.Fill(QStringLiteral("Seznam00.pts"));
    EXPECT_EQ(box.count(), 0);
    EXPECT_TRUE(box.SelectedPath().isEmpty());
    EXPECT_TRUE(
        TComboBoxPredloha::TemplateDescription(dir.filePath(QStringLiteral("neni.pts"))).isEmpty());
}

}  // namespace
