// The report component's windows as the program installs them: the preview
// on a generated report, printing from it through the print dialog, and
// printing straight to a printer with the progress window, over scripted
// printers.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "platform/paint/picture.h"
#include "platform/print/fake_printer_system.h"
#include "report/output/print_options.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"
#include "report/output/widgets/combo_printer.h"
#include "report/output/widgets/forminfo.h"
#include "report/output/widgets/preview_printing.h"
#include "report/output/widgets/print_dialog.h"
#include "report/output/widgets/report_windows.h"
#include "tests/report/engine/component_fixture.h"
#include "tests/support/qt_printers.h"
#include "tests/support/seams.h"

using component_test::DataFolder;
using platform::FakePrinter;
using platform::FakePrinterSystem;
using testing_support::ScriptedMessages;
using testing_support::ScriptedModal;

namespace {

template <typename T>
T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Press(QDialog& dialog, const char* name) {
    dialog.show();
    QAbstractButton* button = Child<QAbstractButton>(dialog, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

bool IsPrintDialog(const QDialog& dialog) {
    return dialog.objectName() == QLatin1String("SestPrintDlg");
}

// The list of the three cards with a body seven inches high: one card per
// page, three pages.
TPredloha ThreePageTemplate(
    const QString& paper = QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0")) {
    TPredloha lines = component_test::ListTemplate();
    QStringList all = lines.Lines();
    all[1] = paper;
    all[2] = QStringLiteral("I,3,2,1,700,0");
    return TPredloha(all);
}

class ReportWindowsTest : public ::testing::Test {
  protected:
    ReportWindowsTest()
        : printers({FakePrinter::Laser(QStringLiteral("Laser")),
                    FakePrinter::TextOnly(QStringLiteral("Jehličková"))}) {
        printers.Install();
        PaperSetup() = TPaperSetup();
        InstallReportWindows();
        report.SetDataSource(data.source.get());
        report.OnNactiPredlohu = [this](TSestava& r) {
            r.SetPredloha(layout);
            return true;
        };
        report.OnError = [this](TSestava&, TSestError e) {
            errors.push_back(e);
            return true;
        };
        report.BeforePrintPreview = [this](TSestava&) { events << "BeforePrintPreview"; };
        report.AfterPrintPreview = [this](TSestava&) { events << "AfterPrintPreview"; };
    }
    ~ReportWindowsTest() override {
        SetPreviewWindowHook(nullptr);
        SetPrinterHook(nullptr);
        SetPrintOptionsHook(nullptr);
        SetRunProgressFactory(nullptr);
        ResetPrinterState();
    }

    FakePrinterSystem printers;
    DataFolder data;
    TSestava report;
    TPredloha layout = ThreePageTemplate();
    std::vector<TSestError> errors;
    QStringList events;
};

// ---- the preview ---------------------------------------------------------------------------

TEST_F(ReportWindowsTest, PreviewOpensOnTheGeneratedPagesAtTheRequestedZoom) {
    int shown = 0;
    ScriptedModal modal([&shown](QDialog& dialog) {
        ++shown;
        auto& form = dynamic_cast<TFormSestP&>(dialog);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Prohlížení sestavy před tiskem"));
        EXPECT_EQ(form.Output()->PageCount(), 3);
        EXPECT_EQ(form.ZoomLevel(), 5);  // 90 % opens at 83 %
        EXPECT_FALSE(Child<QAction>(form, "ActOprava")->isEnabled());
        EXPECT_TRUE(Child<QAction>(form, "ActTisk")->isEnabled());
        EXPECT_FALSE(Child<QAction>(form, "ActUser")->isVisible());
        EXPECT_TRUE(Child<QAction>(form, "ActUlozRtf")->isEnabled());
        EXPECT_TRUE(Child<QAction>(form, "ActUlozHtml")->isEnabled());
        EXPECT_TRUE(Child<QAction>(form, "ActUlozSpool")->isEnabled());
        EXPECT_TRUE(Child<QAction>(form, "ActUlozMetafile")->isEnabled());
        return int(QDialog::Accepted);
    });
    TWindowPlace place;
    place.zoom = 90;
    place.state = TWindowState::Normal;
    EXPECT_TRUE(report.PreviewAt(place));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ReportWindowsTest, PreviewTellsWhatTheRunWentPastInItsStatusBar) {
    QString shownText, shownTip;
    bool visible = false;
    ScriptedModal modal([&](QDialog& dialog) {
        QLabel* panel = Child<QLabel>(dialog, "PanelUpozorneni");
        visible = panel->isVisibleTo(&dialog);
        shownText = panel->text();
        shownTip = panel->toolTip();
        return int(QDialog::Accepted);
    });
    layout = ThreePageTemplate(QStringLiteral("I,2,0,0,-5,50,50,70,70,1,0"));
    report.Preview();
    ASSERT_EQ(report.RunErrors().Count(), 1);
    EXPECT_TRUE(visible);
    EXPECT_TRUE(shownText.startsWith(QStringLiteral("Upozornění: ")));
    EXPECT_TRUE(shownText.contains(QStringLiteral("použit výchozí papír A4")))
        << shownText.toStdString();
    EXPECT_EQ(shownTip, report.RunErrors().Items().front().Message());

    // A sound template after it shows no warning: the list is the run's own.
    layout = ThreePageTemplate();
    report.Preview();
    EXPECT_FALSE(visible);
}

// The range the user set ends the run after page 2 of three: the preview
// shows the two pages and says once why the third is missing.
TEST_F(ReportWindowsTest, PreviewOfARangeEndingEarlySaysSoInItsStatusBar) {
    QString shownText;
    int pages = 0;
    ScriptedModal modal([&](QDialog& dialog) {
        shownText = Child<QLabel>(dialog, "PanelUpozorneni")->text();
        pages = dynamic_cast<TFormSestP&>(dialog).Output()->PageCount();
        return int(QDialog::Accepted);
    });
    report.EndPage = 2;
    report.Preview();
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(
        report.RunErrors().Messages(),
        QStringList{QStringLiteral("Sestava \"Seznam\" skončila na stránce 2, jak určil "
                                   "zadaný rozsah stránek; další stránky nebyly vytvořeny.")});
    EXPECT_EQ(shownText, QStringLiteral("Upozornění: ") + report.RunErrors().Messages().front());
}

TEST_F(ReportWindowsTest, PreviewTellsOfPicturesAndBackgroundsThatAreNotThere) {
    QString shownTip;
    ScriptedModal modal([&](QDialog& dialog) {
        shownTip = Child<QLabel>(dialog, "PanelUpozorneni")->toolTip();
        return int(QDialog::Accepted);
    });
    const QString picture = data.File(QStringLiteral("chybi.bmp"));
    const QString background = data.File(QStringLiteral("pozadi.bmp"));
    QStringList lines = ThreePageTemplate().Lines();
    lines << QStringLiteral("T,11,0,10,5,100,20,,1,0,0,49,15,0,\"%1\",,,,\"\",0,\"\"").arg(picture)
          << QStringLiteral("I,7,1,1,0,0,0,0,0,") + background;
    layout = TPredloha(lines);
    report.Preview();
    ASSERT_EQ(report.RunErrors().Count(), 2);
    EXPECT_EQ(shownTip, report.RunErrors().Messages().join(QLatin1Char('\n')));
    EXPECT_TRUE(shownTip.contains(
        QStringLiteral("Obrázek \"%1\" (prvek v oddílu \"Tělo sestavy\"").arg(picture)))
        << shownTip.toStdString();
    EXPECT_TRUE(shownTip.contains(
        QStringLiteral("Obrázek \"%1\" (pozadí sestavy) nelze přečíst: soubor neexistuje.")
            .arg(background)))
        << shownTip.toStdString();
}

TEST_F(ReportWindowsTest, PreviewUserActionCallsTheReportWithThePage) {
    int page = -1;
    report.OnPreviewCustomEvent = [&page](TSestava&, int actual) { page = actual; };
    ScriptedModal modal([](QDialog& dialog) {
        auto& form = dynamic_cast<TFormSestP&>(dialog);
        EXPECT_TRUE(Child<QAction>(form, "ActUser")->isVisible());
        form.ShowNextPage();
        Child<QAction>(form, "ActUser")->trigger();
        return int(QDialog::Accepted);
    });
    report.Preview();
    EXPECT_EQ(page, 1);
}

TEST_F(ReportWindowsTest, PreviewHtmlExportWritesThePageWithHeaderAndTrailer) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("strana.html"));
    testing_support::ScriptedFileDialog files(
        [&file](const platform::FileDialogRequest&) { return file; });
    ScriptedMessages messages;
    ScriptedModal modal([](QDialog& dialog) {
        Child<QAction>(dialog, "ActUlozHtml")->trigger();
        return int(QDialog::Accepted);
    });
    report.Preview();
    EXPECT_TRUE(messages.Shown().empty());
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray html = written.readAll();
    EXPECT_TRUE(html.startsWith("<HTML>"));
    EXPECT_TRUE(html.trimmed().endsWith("</HTML>"));
    EXPECT_TRUE(html.contains("Arko"));
}

// ---- printing from the preview ---------------------------------------------------------------

TEST_F(ReportWindowsTest, PreviewPrintsThroughTheDialogWithoutGeneratingAgain) {
    int dialogs = 0;
    ScriptedModal modal([&](QDialog& dialog) {
        if (IsPrintDialog(dialog)) {
            ++dialogs;
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nastavení tisku"));
            dialog.show();
            EXPECT_FALSE(Child<QGroupBox>(dialog, "GroupFormular")->isVisible());
            EXPECT_FALSE(Child<QPushButton>(dialog, "BtnNahled")->isEnabled());
            // No background: its box is not offered.
            EXPECT_FALSE(Child<QCheckBox>(dialog, "ChBPozadi")->isVisible());
            EXPECT_EQ(Child<QSpinBox>(dialog, "EOd")->value(), 1);
            EXPECT_EQ(Child<QSpinBox>(dialog, "EDo")->value(), 3);
            EXPECT_EQ(Child<QSpinBox>(dialog, "EKopie")->value(), 1);
            EXPECT_EQ(Child<TComboBoxPrinter>(dialog, "CBTiskarna")->SelectedName(),
                      QStringLiteral("Laser"));
            Press(dialog, "BtnTisk");
            return dialog.result();
        }
        // A card deleted after the preview opened: the print is of the
        // pages shown, not of a new run over the data.
        data.cards->First();
        data.cards->Delete();
        Child<QAction>(dialog, "ActTisk")->trigger();
        return int(QDialog::Accepted);
    });
    report.Preview();
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(printers.Jobs().size(), 1U);
    const platform::RecordedJob& job = printers.Jobs()[0];
    EXPECT_EQ(job.printer, QStringLiteral("Laser"));
    EXPECT_EQ(job.title, QStringLiteral("Tisková sestava"));
    EXPECT_EQ(job.pages.size(), 3U);
    EXPECT_TRUE(job.ended);
    EXPECT_EQ(events, (QStringList{"BeforePrintPreview", "AfterPrintPreview"}));
}

TEST_F(ReportWindowsTest, PreviewPrintsTheCurrentPageOnly) {
    int shownPage = -1;
    ScriptedModal modal([&](QDialog& dialog) {
        if (IsPrintDialog(dialog)) {
            Press(dialog, "ChBAktualniStranka");
            Press(dialog, "BtnTisk");
            return dialog.result();
        }
        auto& form = dynamic_cast<TFormSestP&>(dialog);
        form.ShowNextPage();
        Child<QAction>(form, "ActTisk")->trigger();
        shownPage = form.CurrentPage();
        return int(QDialog::Accepted);
    });
    report.Preview();
    ASSERT_EQ(printers.Jobs().size(), 1U);
    EXPECT_EQ(printers.Jobs()[0].pages.size(), 1U);
    // The preview still shows the page it showed before printing.
    EXPECT_EQ(shownPage, 1);
}

TEST_F(ReportWindowsTest, CtrlPAndCtrlTTakeTheSamePrintRoad) {
    int dialogs = 0;
    ScriptedModal modal([&](QDialog& dialog) {
        if (IsPrintDialog(dialog)) {
            ++dialogs;
            return int(TPrintDialogTyp::prStorno);
        }
        QTest::keyClick(&dialog, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(&dialog, Qt::Key_T, Qt::ControlModifier);
        return int(QDialog::Accepted);
    });
    report.Preview();
    EXPECT_EQ(dialogs, 2);
    EXPECT_TRUE(printers.Jobs().empty());
    // Storno: neither the handlers nor the printer were reached.
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(ReportWindowsTest, PreviewKeepsItsDialogAndTheUsersChoicesBetweenPrints) {
    TFormSestP form;
    TSestVystup& output = report.Output();
    ASSERT_EQ(report.Generate(), seOK);
    report.PrepareOutput();
    form.ShowOutput(output);
    TPreviewPrinting printing;
    int round = 0;
    ScriptedModal modal([&round](QDialog& dialog) {
        ++round;
        if (round == 2) {
            // The copies come from the output each time; the printer box
            // starts at the current printer again.
            EXPECT_EQ(Child<QSpinBox>(dialog, "EKopie")->value(), 1);
        }
        Child<QSpinBox>(dialog, "EKopie")->setValue(2);
        Press(dialog, "BtnTisk");
        return dialog.result();
    });
    EXPECT_TRUE(printing.Print(form));
    const TPrintDialogTyp* dialog = printing.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(printing.Print(form));
    EXPECT_EQ(printing.Dialog(), dialog);
    ASSERT_EQ(printers.Jobs().size(), 2U);
    // Two copies made by the driver.
    EXPECT_EQ(printers.Jobs()[0].copies, 2);
}

// Green pixels of a printed page image.
int GreenPixels(const QImage& page) {
    int green = 0;
    for (int y = 0; y < page.height(); y += 2) {
        for (int x = 0; x < page.width(); x += 2) {
            green += page.pixel(x, y) == qRgb(0, 255, 0) ? 1 : 0;
        }
    }
    return green;
}

TEST_F(ReportWindowsTest, PreviewOffersTheBackgroundAndPrintsItWhenTicked) {
    ASSERT_EQ(report.Generate(), seOK);
    report.PrepareOutput();
    TSestVystup& output = report.Output();
    QImage green(40, 40, QImage::Format_RGB32);
    green.fill(qRgb(0, 255, 0));
    const platform::Picture background(green);
    output.SetBackground(&background, QRect(100, 100, 300, 300), false);
    TFormSestP form;
    form.SetBackground(&background, QRect(100, 100, 300, 300), false);
    form.ShowOutput(output);
    TPreviewPrinting printing;
    std::vector<bool> ticked;
    ScriptedModal modal([&ticked](QDialog& dialog) {
        dialog.show();
        QCheckBox* box = Child<QCheckBox>(dialog, "ChBPozadi");
        EXPECT_TRUE(box->isVisible());
        ticked.push_back(box->isChecked());
        if (!box->isChecked()) {
            Press(dialog, "ChBPozadi");
        }
        Child<QCheckBox>(dialog, "ChBAktualniStranka")->setChecked(true);
        Press(dialog, "BtnTisk");
        return dialog.result();
    });
    ASSERT_TRUE(printing.Print(form));
    EXPECT_TRUE(form.PrintBackground());
    EXPECT_TRUE(output.PrintBackground);
    ASSERT_EQ(printers.Jobs().size(), 1U);
    ASSERT_EQ(printers.Jobs()[0].pages.size(), 1U);
    EXPECT_GT(GreenPixels(printers.Jobs()[0].pages[0]), 100);
    // The next print starts from the flag as it is now.
    ASSERT_TRUE(printing.Print(form));
    EXPECT_EQ(ticked, (std::vector<bool>{false, true}));
}

TEST_F(ReportWindowsTest, PreviewWithoutBackgroundPrintsNone) {
    ASSERT_EQ(report.Generate(), seOK);
    report.PrepareOutput();
    TFormSestP form;
    form.ShowOutput(report.Output());
    TPreviewPrinting printing;
    ScriptedModal modal([](QDialog& dialog) {
        Press(dialog, "BtnTisk");
        return dialog.result();
    });
    ASSERT_TRUE(printing.Print(form));
    EXPECT_FALSE(printing.Dialog()->ShowBackground);
    ASSERT_FALSE(printers.Jobs().empty());
    EXPECT_EQ(GreenPixels(printers.Jobs()[0].pages[0]), 0);
}

TEST_F(ReportWindowsTest, PreviewPrintsOnATextOnlyPrinterAsRawRows) {
    ScriptedModal modal([&](QDialog& dialog) {
        if (IsPrintDialog(dialog)) {
            Child<TComboBoxPrinter>(dialog, "CBTiskarna")->setCurrentIndex(1);
            EXPECT_EQ(Child<QLabel>(dialog, "LabelTyp")->text(), QStringLiteral("Jehličková"));
            Press(dialog, "BtnTisk");
            return dialog.result();
        }
        Child<QAction>(dialog, "ActTisk")->trigger();
        return int(QDialog::Accepted);
    });
    report.Preview();
    ASSERT_EQ(printers.Jobs().size(), 1U);
    const platform::RecordedJob& job = printers.Jobs()[0];
    EXPECT_EQ(job.printer, QStringLiteral("Jehličková"));
    EXPECT_EQ(job.kind, platform::JobKind::Raw);
    EXPECT_TRUE(job.raw.contains("Arko z Lesn"));
    EXPECT_TRUE(job.ended);
}

TEST_F(ReportWindowsTest, PreviewPrintToFileGoesToThePrintersFilePort) {
    ScriptedModal modal([&](QDialog& dialog) {
        if (IsPrintDialog(dialog)) {
            Press(dialog, "ChBDoSouboru");
            Press(dialog, "BtnTisk");
            return dialog.result();
        }
        Child<QAction>(dialog, "ActTisk")->trigger();
        return int(QDialog::Accepted);
    });
    report.Preview();
    ASSERT_EQ(printers.Jobs().size(), 1U);
    EXPECT_EQ(printers.Jobs()[0].port, QStringLiteral("FILE:"));
}

TEST_F(ReportWindowsTest, PreviewWithoutPrintersWarnsAndShowsNoDialog) {
    FakePrinterSystem none{std::vector<FakePrinter>{}};
    none.Install();
    ScriptedMessages messages;
    int dialogs = 0;
    ScriptedModal modal([&](QDialog& dialog) {
        if (IsPrintDialog(dialog)) {
            ++dialogs;
            return 0;
        }
        Child<QAction>(dialog, "ActTisk")->trigger();
        return int(QDialog::Accepted);
    });
    report.Preview();
    EXPECT_EQ(dialogs, 0);
    ASSERT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(messages.Shown()[0].text,
              QStringLiteral("V systému není nainstalovaná žádná tiskárna."));
    EXPECT_EQ(messages.Shown()[0].caption, QStringLiteral("Varování"));
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Warning);
}

// ---- printing straight to a printer ------------------------------------------------------------

TEST_F(ReportWindowsTest, PrintSendsThePagesToTheCurrentPrinter) {
    ScriptedModal modal([](QDialog&) {
        ADD_FAILURE() << "no window is asked when the paper fits";
        return 0;
    });
    report.PrintCopies = 1;
    EXPECT_EQ(report.Print(), seOK);
    ASSERT_EQ(printers.Jobs().size(), 1U);
    EXPECT_EQ(printers.Jobs()[0].printer, QStringLiteral("Laser"));
    EXPECT_EQ(printers.Jobs()[0].title, QStringLiteral("Seznam"));
    EXPECT_EQ(printers.Jobs()[0].pages.size(), 3U);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ReportWindowsTest, PrintOnAnotherPrinterLeavesTheCurrentOneCurrent) {
    EXPECT_EQ(report.PrintOn(1), seOK);
    EXPECT_EQ(report.PrintOn(5, QStringLiteral("Jehličková")), seOK);
    ASSERT_EQ(printers.Jobs().size(), 2U);
    for (const platform::RecordedJob& job : printers.Jobs()) {
        EXPECT_EQ(job.printer, QStringLiteral("Jehličková"));
        EXPECT_EQ(job.kind, platform::JobKind::Raw);
    }
    EXPECT_EQ(printers.CurrentIndex(), 0);
}

TEST_F(ReportWindowsTest, PrintShowsTheProgressWindowAndACancelledOptionWindowInterrupts) {
    layout = ThreePageTemplate(QStringLiteral("I,2,0,1169,1652,50,50,50,50,1,0"));
    QString progressText;
    bool stopEnabled = true;
    ScriptedModal modal([&](QDialog& dialog) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* info = qobject_cast<TFormInfo*>(window); info && info->isVisible()) {
                progressText = info->Text();
                stopEnabled = Child<QPushButton>(*info, "BtnPrerusit")->isEnabled();
            }
        }
        EXPECT_EQ(dialog.objectName(), QStringLiteral("FormLumexReportZoom"));
        Press(dialog, "BtnStorno");
        return dialog.result();
    });
    EXPECT_EQ(report.Print(), sePreruseno);
    EXPECT_EQ(progressText, QStringLiteral("Odesílám data do tiskárny ..."));
    EXPECT_FALSE(stopEnabled);
    EXPECT_TRUE(printers.Jobs().empty());
    EXPECT_EQ(errors, std::vector<TSestError>{sePreruseno});
}

TEST_F(ReportWindowsTest, ARefusedJobIsNotReportedAsPrinted) {
    printers.RefuseNextJob(QStringLiteral("Tiskárna je odpojena"));
    ScriptedMessages messages;
    EXPECT_EQ(report.Print(), seJina);
    EXPECT_FALSE(messages.Shown().empty());
    EXPECT_EQ(errors, std::vector<TSestError>{seJina});
}

}  // namespace
