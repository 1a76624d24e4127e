// The report windows against the real print system: a generated report
// printed straight to the text-only capture queue, and from the preview
// through the print dialog to the graphic capture queue (.ci/setup-cups).
// Skips with a message where no CUPS scheduler runs.

#include <cups/cups.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "platform/print/cups_printer_system.h"
#include "report/output/print_options.h"
#include "report/output/sestprn.h"
#include "report/output/widgets/combo_printer.h"
#include "report/output/widgets/report_windows.h"
#include "tests/report/engine/component_fixture.h"
#include "tests/support/cups_scheduler.h"
#include "tests/support/seams.h"

using testing_support::ScriptedModal;

namespace {

// The captured job file of `folder` whose text contains `marker` (PDF jobs
// are read through pdftotext), waiting up to 20 s for the backend.
QByteArray WaitForJob(const QString& folder, const QByteArray& marker, bool pdf) {
    QElapsedTimer timer;
    timer.start();
    do {
        for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files)) {
            QByteArray content;
            if (pdf) {
                QProcess text;
                text.start(QStringLiteral("pdftotext"), {entry.filePath(), QStringLiteral("-")});
                text.waitForFinished(10000);
                content = text.readAllStandardOutput();
            } else {
                QFile file(entry.filePath());
                if (file.open(QIODevice::ReadOnly)) {
                    content = file.readAll();
                }
            }
            if (content.contains(marker)) {
                return content;
            }
        }
        QThread::msleep(200);
    } while (timer.elapsed() < 20000);
    return QByteArray();
}

class ReportWindowsCupsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testing_support::CupsSchedulerRunning()) {
            GTEST_SKIP() << "cupsd is not running (start it with .ci/setup-cups); skipping the "
                            "real print system";
        }
        previous = platform::SetPrinterSystem(&printers);
        PaperSetup() = TPaperSetup();
        InstallReportWindows();
        marker = "Pes" + QByteArray::number(getpid()) + "x" +
                 QByteArray::number(QDateTime::currentMSecsSinceEpoch() % 100000000);
        data.cards->Append();
        data.cards->FieldByName("Jmeno_registr").SetAsString(QString::fromLatin1(marker));
        data.cards->Post();
        data.cards->First();
        report.SetDataSource(data.source.get());
        report.OnNactiPredlohu = [](TSestava& r) {
            r.SetPredloha(component_test::ListTemplate());
            return true;
        };
    }
    void TearDown() override {
        SetPreviewWindowHook(nullptr);
        SetPrinterHook(nullptr);
        SetPrintOptionsHook(nullptr);
        SetRunProgressFactory(nullptr);
        ResetPrinterState();
        if (previous != nullptr) {
            platform::SetPrinterSystem(previous);
        }
    }
    int Queue(const char* name) {
        const int index = int(printers.PrinterNames().indexOf(QLatin1String(name)));
        EXPECT_GE(index, 0) << name << " is not set up (.ci/setup-cups)";
        return index;
    }

    platform::CupsPrinterSystem printers;
    platform::PrinterSystem* previous = nullptr;
    component_test::DataFolder data;
    TSestava report;
    QByteArray marker;
};

TEST_F(ReportWindowsCupsTest, PrintOnTheTextOnlyQueueSendsCharacterRows) {
    const int text = Queue("harvel-text");
    ASSERT_GE(text, 0);
    const int current = printers.CurrentIndex();
    EXPECT_EQ(report.PrintOn(text), seOK);
    const QByteArray job = WaitForJob(QStringLiteral("/tmp/jobs/text"), marker, false);
    ASSERT_FALSE(job.isEmpty()) << "no job with " << marker.constData() << " in /tmp/jobs/text";
    // Plain rows, not a page description: the other cards' names are there too.
    EXPECT_TRUE(job.contains("Arko z Lesn"));
    EXPECT_FALSE(job.startsWith("%PDF"));
    EXPECT_EQ(printers.CurrentIndex(), current);
}

TEST_F(ReportWindowsCupsTest, PreviewPrintsThroughTheDialogOnTheGraphicQueue) {
    const int pdf = Queue("harvel-pdf");
    ASSERT_GE(pdf, 0);
    ScriptedModal modal([pdf](QDialog& dialog) {
        if (dialog.objectName() == QLatin1String("SestPrintDlg")) {
            dialog.findChild<TComboBoxPrinter*>(QStringLiteral("CBTiskarna"))->setCurrentIndex(pdf);
            dialog.show();
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BtnTisk")),
                              Qt::LeftButton);
            return dialog.result();
        }
        dialog.findChild<QAction*>(QStringLiteral("ActTisk"))->trigger();
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(report.Preview());
    const QByteArray text = WaitForJob(QStringLiteral("/tmp/jobs/pdf"), marker, true);
    ASSERT_FALSE(text.isEmpty()) << "no job with " << marker.constData() << " in /tmp/jobs/pdf";
    EXPECT_TRUE(text.contains("Cyril od T"));
}

}  // namespace
