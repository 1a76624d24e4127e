// The real printer system against a running CUPS scheduler with the capture
// queues of .ci/setup-cups (harvel-text: Generic Text-Only, harvel-raw: raw,
// harvel-pdf: a graphic PDF queue), whose jobs land in /tmp/jobs/<queue>/.
// Every test skips with a message where no scheduler runs.
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "platform/print/cups_printer_system.h"
#include "tests/support/cups_scheduler.h"
#include "tests/support/seams.h"

// libcups leaks a few strings of every PPD cache it builds for Qt's printer
// objects (_ppdCacheCreateWithPPD); that is not ours to fix, so a sanitizer
// build is told to ignore it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:_ppdCacheCreateWithPPD\n";
}

namespace platform {
namespace {

#define REQUIRE_SCHEDULER()                                                                  \
    if (!testing_support::CupsSchedulerRunning()) {                                          \
        GTEST_SKIP() << "cupsd is not running (start it with .ci/setup-cups); skipping the " \
                        "real print system";                                                 \
    }

QStringList CupsQueueNames() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QString name = QString::fromUtf8(dests[i].name);
        if (dests[i].instance) {
            name += QLatin1Char('/') + QString::fromUtf8(dests[i].instance);
        }
        names.append(name);
    }
    cupsFreeDests(count, dests);
    return names;
}

// A marker no other job carries, so concurrent tests cannot confuse us.
QByteArray UniqueMarker() {
    return "harvel-" + QByteArray::number(getpid()) + "-" +
           QByteArray::number(QDateTime::currentMSecsSinceEpoch());
}

// The captured job file whose content contains `marker`, waiting for the
// backend up to `timeoutMs`; empty when none arrives.
QByteArray WaitForCapturedJob(const QString& folder, const QByteArray& marker, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    do {
        for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files)) {
            QFile file(entry.filePath());
            if (file.open(QIODevice::ReadOnly)) {
                const QByteArray content = file.readAll();
                if (content.contains(marker)) {
                    return content;
                }
            }
        }
        QThread::msleep(100);
    } while (timer.elapsed() < timeoutMs);
    return QByteArray();
}

// Jobs (any state) the scheduler knows on `queue` with the title `title`.
int JobsTitled(const QString& queue, const QString& title) {
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int found = 0;
    for (int i = 0; i < count; ++i) {
        if (QString::fromUtf8(jobs[i].title) == title) {
            ++found;
        }
    }
    cupsFreeJobs(count, jobs);
    return found;
}

TEST(CupsPrinterSystem, ListsTheSchedulersQueues) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const QStringList names = system.PrinterNames();
    QStringList expected = CupsQueueNames();
    QStringList listed = names;
    expected.sort();
    listed.sort();
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(system.PrinterCount(), names.size());
    if (!names.isEmpty()) {
        EXPECT_GE(system.CurrentIndex(), 0);
        EXPECT_EQ(system.CurrentIndex(), system.DefaultIndex());
    }
}

TEST(CupsPrinterSystem, TextOnlyQueueIsRecognisedAndDescribed) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const int text = int(system.PrinterNames().indexOf("harvel-text"));
    if (text < 0) {
        GTEST_SKIP() << "no CUPS queue harvel-text (create it with .ci/setup-cups)";
    }
    EXPECT_TRUE(system.IsTextOnly(text));
    const PrinterDevice device = system.Device(text);
    EXPECT_EQ(device.device, "harvel-text");
    EXPECT_EQ(device.driver, "Generic Text-Only Printer");
    EXPECT_EQ(device.port, "capture:/tmp/jobs/text");
    EXPECT_GE(system.MaxCopies(text), 1);
    // Text goes to such a queue as it is: the whole sheet is printable.
    ASSERT_TRUE(system.SetCurrent(text));
    const PrinterMetrics metrics = system.Metrics();
    EXPECT_GT(metrics.dpiX, 0);
    EXPECT_EQ(metrics.offsetX, 0);
    EXPECT_EQ(metrics.offsetY, 0);
    EXPECT_EQ(metrics.printableWidth, metrics.physicalWidth);
    EXPECT_EQ(metrics.printableHeight, metrics.physicalHeight);

    const int raw = int(system.PrinterNames().indexOf("harvel-raw"));
    if (raw >= 0) {
        EXPECT_TRUE(system.IsTextOnly(raw)) << system.Device(raw).driver.toStdString();
    }
    const int pdf = int(system.PrinterNames().indexOf("harvel-pdf"));
    if (pdf >= 0) {
        EXPECT_FALSE(system.IsTextOnly(pdf)) << system.Device(pdf).driver.toStdString();
    }
}

TEST(CupsPrinterSystem, RawJobArrivesByteForByte) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const int text = int(system.PrinterNames().indexOf("harvel-text"));
    if (text < 0) {
        GTEST_SKIP() << "no CUPS queue harvel-text (create it with .ci/setup-cups)";
    }
    ASSERT_TRUE(system.SetCurrent(text));
    const QByteArray marker = UniqueMarker();
    // "Čert" in Windows-1250, a line end and a form feed must pass unchanged.
    const QByteArray page1 = marker +
                             " \xC8"
                             "ert\r\n\f";
    const QByteArray page2 = QByteArray("konec\r\n\0\xFF", 9);

    auto job = system.BeginJob(JobKind::Raw, QStringLiteral("Tisková sestava"));
    ASSERT_NE(job, nullptr);
    ASSERT_FALSE(job->Aborted()) << job->ErrorText().toStdString();
    EXPECT_TRUE(job->WriteRaw(page1));
    EXPECT_TRUE(job->NewPage());
    EXPECT_TRUE(job->WriteRaw(page2));
    ASSERT_TRUE(job->End()) << job->ErrorText().toStdString();
    EXPECT_FALSE(job->Aborted());

    EXPECT_EQ(WaitForCapturedJob("/tmp/jobs/text", marker, 20000), page1 + page2);
}

TEST(CupsPrinterSystem, AbortedRawJobNeverReachesTheScheduler) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const int text = int(system.PrinterNames().indexOf("harvel-text"));
    if (text < 0) {
        GTEST_SKIP() << "no CUPS queue harvel-text (create it with .ci/setup-cups)";
    }
    system.SetCurrent(text);
    const QString title = QString::fromLatin1(UniqueMarker());
    auto job = system.BeginJob(JobKind::Raw, title);
    job->WriteRaw("never printed");
    job->Abort();
    EXPECT_TRUE(job->Aborted());
    EXPECT_FALSE(job->End());
    EXPECT_EQ(JobsTitled("harvel-text", title), 0);
}

TEST(CupsPrinterSystem, GraphicJobPaintsThePrintableAreaAndReachesTheQueue) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const int pdf = int(system.PrinterNames().indexOf("harvel-pdf"));
    if (pdf < 0) {
        GTEST_SKIP() << "no CUPS queue harvel-pdf (create it with .ci/setup-cups)";
    }
    ASSERT_TRUE(system.SetCurrent(pdf));
    system.SetOrientation(PageOrientation::Portrait);
    const PrinterMetrics metrics = system.Metrics();
    EXPECT_GT(metrics.dpiX, 0);
    EXPECT_GT(metrics.physicalHeight, metrics.physicalWidth);
    EXPECT_EQ(metrics.physicalWidth, metrics.printableWidth + 2 * metrics.offsetX)
        << "the PDF queue's margins are symmetric";
    EXPECT_GE(metrics.offsetX, 0);

    const QString title = QString::fromLatin1(UniqueMarker());
    auto job = system.BeginJob(JobKind::Graphic, title);
    ASSERT_NE(job, nullptr);
    ASSERT_FALSE(job->Aborted()) << job->ErrorText().toStdString();
    ASSERT_NE(job->Painter(), nullptr);
    EXPECT_EQ(job->PaintDevice()->width(), metrics.printableWidth);
    EXPECT_EQ(job->PaintDevice()->height(), metrics.printableHeight);
    EXPECT_EQ(job->PaintDevice()->logicalDpiX(), metrics.dpiX);
    job->Painter()->drawText(100, 200, QStringLiteral("Čert a Cyril"));
    EXPECT_TRUE(job->NewPage());
    job->Painter()->drawRect(100, 100, 1000, 1000);
    ASSERT_TRUE(job->End()) << job->ErrorText().toStdString();

    QElapsedTimer timer;
    timer.start();
    while (JobsTitled("harvel-pdf", title) == 0 && timer.elapsed() < 10000) {
        QThread::msleep(100);
    }
    EXPECT_EQ(JobsTitled("harvel-pdf", title), 1);
}

TEST(CupsPrinterSystem, LandscapeTurnsThePageAndStaysWithThePrinter) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const int pdf = int(system.PrinterNames().indexOf("harvel-pdf"));
    if (pdf < 0) {
        GTEST_SKIP() << "no CUPS queue harvel-pdf (create it with .ci/setup-cups)";
    }
    system.SetCurrent(pdf);
    const PrinterMetrics portrait = system.Metrics();
    system.SetOrientation(PageOrientation::Landscape);
    system.SetCurrent(-1);
    system.SetCurrent(pdf);
    const PrinterMetrics landscape = system.Metrics();
    EXPECT_EQ(landscape.orientation, PageOrientation::Landscape);
    EXPECT_EQ(landscape.physicalWidth, portrait.physicalHeight);
    EXPECT_EQ(landscape.physicalHeight, portrait.physicalWidth);

    // A job started now paints a landscape page.
    auto job = system.BeginJob(JobKind::Graphic, QString::fromLatin1(UniqueMarker()));
    ASSERT_NE(job->PaintDevice(), nullptr);
    EXPECT_GT(job->PaintDevice()->width(), job->PaintDevice()->height());
    job->Abort();
    EXPECT_EQ(system.Metrics(), landscape) << "the job must leave the settings as they were";
}

TEST(CupsPrinterSystem, AbortedGraphicJobNeverReachesTheScheduler) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const int pdf = int(system.PrinterNames().indexOf("harvel-pdf"));
    if (pdf < 0) {
        GTEST_SKIP() << "no CUPS queue harvel-pdf (create it with .ci/setup-cups)";
    }
    system.SetCurrent(pdf);
    const QString title = QString::fromLatin1(UniqueMarker());
    {
        auto job = system.BeginJob(JobKind::Graphic, title);
        job->Painter()->drawText(100, 100, QStringLiteral("zrušeno"));
        job->Abort();
        EXPECT_TRUE(job->Aborted());
    }
    {
        auto dropped = system.BeginJob(JobKind::Graphic, title);
        dropped->Painter()->drawText(100, 100, QStringLiteral("zahozeno"));
    }
    QThread::msleep(1000);
    EXPECT_EQ(JobsTitled("harvel-pdf", title), 0);
}

TEST(CupsPrinterSystem, FilePortWritesTheJobIntoAFile) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const int text = int(system.PrinterNames().indexOf("harvel-text"));
    const int pdf = int(system.PrinterNames().indexOf("harvel-pdf"));
    if (text < 0 || pdf < 0) {
        GTEST_SKIP() << "no CUPS queues harvel-text and harvel-pdf (see .ci/setup-cups)";
    }
    QTemporaryDir folder;
    const QString rawPath = folder.filePath("tisk.prn");
    system.SetCurrent(text);
    system.SetPort("FILE:" + rawPath);
    EXPECT_EQ(system.Device(text).port, "FILE:" + rawPath);
    auto raw = system.BeginJob(JobKind::Raw, QStringLiteral("do souboru"));
    raw->WriteRaw("\xC8\r\n");
    ASSERT_TRUE(raw->End()) << raw->ErrorText().toStdString();
    QFile rawFile(rawPath);
    ASSERT_TRUE(rawFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(rawFile.readAll(), QByteArray("\xC8\r\n"));
    system.SetPort(QString());
    EXPECT_EQ(system.Device(text).port, "capture:/tmp/jobs/text");

    // "FILE:" alone asks for the file; the graphic job writes a PDF there.
    const QString pdfPath = folder.filePath("tisk.pdf");
    testing_support::ScriptedFileDialog dialog([&](const FileDialogRequest& request) {
        EXPECT_EQ(request.kind, FileDialogKind::Save);
        return pdfPath;
    });
    system.SetCurrent(pdf);
    system.SetPort(QStringLiteral("FILE:"));
    auto graphic = system.BeginJob(JobKind::Graphic, QStringLiteral("do souboru"));
    graphic->Painter()->drawText(100, 100, QStringLiteral("Čert"));
    ASSERT_TRUE(graphic->End()) << graphic->ErrorText().toStdString();
    QFile pdfFile(pdfPath);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.readAll().startsWith("%PDF"));
    system.SetPort(QString());
}

TEST(CupsPrinterSystem, CancelledFileDialogGivesAnAbortedJob) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const int text = int(system.PrinterNames().indexOf("harvel-text"));
    if (text < 0) {
        GTEST_SKIP() << "no CUPS queue harvel-text (create it with .ci/setup-cups)";
    }
    testing_support::ScriptedFileDialog dialog([](const FileDialogRequest&) { return QString(); });
    system.SetCurrent(text);
    system.SetPort(QStringLiteral("FILE:"));
    auto job = system.BeginJob(JobKind::Raw, QStringLiteral("x"));
    ASSERT_NE(job, nullptr);
    EXPECT_TRUE(job->Aborted());
    EXPECT_FALSE(job->ErrorText().isEmpty());
    EXPECT_FALSE(job->End());
}

TEST(CupsPrinterSystem, PropertiesDialogChangesThePrinterOnlyWhenConfirmed) {
    REQUIRE_SCHEDULER();
    CupsPrinterSystem system;
    const int pdf = int(system.PrinterNames().indexOf("harvel-pdf"));
    if (pdf < 0) {
        GTEST_SKIP() << "no CUPS queue harvel-pdf (create it with .ci/setup-cups)";
    }
    system.SetCurrent(pdf);
    system.SetOrientation(PageOrientation::Portrait);
    QString shown;
    // Qt's page-setup dialog hands its values to the printer inside its own
    // exec(), so the script runs the real event loop and answers from there.
    const auto turnToLandscape = [&](QDialog& dialog, int result) {
        shown = QString::fromLatin1(dialog.metaObject()->className());
        QTimer::singleShot(0, &dialog, [&dialog, result] {
            for (QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
                if (button->objectName() == QLatin1String("landscape")) {
                    button->click();
                }
            }
            dialog.done(result);
        });
        return dialog.exec();
    };
    {
        testing_support::ScriptedModal modal(
            [&](QDialog& dialog) { return turnToLandscape(dialog, QDialog::Rejected); });
        EXPECT_FALSE(system.ShowProperties(nullptr, pdf));
        EXPECT_EQ(shown, "QPageSetupDialog");
        EXPECT_EQ(system.Metrics().orientation, PageOrientation::Portrait);
    }
    {
        testing_support::ScriptedModal modal(
            [&](QDialog& dialog) { return turnToLandscape(dialog, QDialog::Accepted); });
        EXPECT_TRUE(system.ShowProperties(nullptr, pdf));
        EXPECT_EQ(system.Metrics().orientation, PageOrientation::Landscape);
    }
    EXPECT_FALSE(system.ShowProperties(nullptr, 99));
}

TEST(CupsPrinterSystem, TextOnlyRuleOnMakeAndModel) {
    EXPECT_TRUE(CupsPrinterSystem::IsTextOnlyModel("Generic Text-Only Printer"));
    EXPECT_TRUE(CupsPrinterSystem::IsTextOnlyModel("Local Raw Printer"));
    EXPECT_TRUE(CupsPrinterSystem::IsTextOnlyModel("Generic / Text Only"));
    EXPECT_TRUE(CupsPrinterSystem::IsTextOnlyModel("Obecná nebo jen textová"));
    EXPECT_FALSE(CupsPrinterSystem::IsTextOnlyModel("Generic PDF Printer"));
    EXPECT_FALSE(CupsPrinterSystem::IsTextOnlyModel(""));
}

}  // namespace
}  // namespace platform
