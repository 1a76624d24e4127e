// The progress window of a report run, and runs stopped through it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "report/engine/sestavy.h"
#include "report/output/widgets/forminfo.h"
#include "tests/report/engine/component_fixture.h"

TEST(ProgressWindow, ShowsTheTextAndPollAnswersThePressedStop) {
    TFormInfo form;
    EXPECT_EQ(form.windowTitle(), "Informace");
    EXPECT_FALSE(form.isVisible());
    form.SetText("Připravuji tisk položky číslo: 1");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Text(), "Připravuji tisk položky číslo: 1");
    EXPECT_FALSE(form.Poll());
    auto* stop = form.findChild<QPushButton*>("BtnPrerusit");
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), "Přerušit");
    // A click still waiting in the event queue is seen by the next Poll.
    QMetaObject::invokeMethod(stop, "click", Qt::QueuedConnection);
    EXPECT_FALSE(form.Stopped());
    EXPECT_TRUE(form.Poll());
    EXPECT_TRUE(form.Poll());  // stays stopped
}

TEST(ProgressWindow, SendingToThePrinterCannotBeStopped) {
    TFormInfo form;
    ShowSendingToPrinter(form);
    EXPECT_EQ(form.Text(), "Odesílám data do tiskárny ...");
    auto* stop = form.findChild<QPushButton*>("BtnPrerusit");
    EXPECT_FALSE(stop->isEnabled());
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_FALSE(form.Poll());
}

// ---- a long run stopped through the real window --------------------------------------------

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

// A report of a million records, far longer than any test waits for.
class EndlessReport {
  public:
    EndlessReport() {
        report.SetFieldNames({QStringLiteral("Jmeno_registr"), QStringLiteral("Jmeno_call")});
        report.OnStepData = [this](TSestavaD&, TStepDir dir) {
            position = dir == sdFirst ? 0 : position + 1;
            return position < 1000000 ? srOK : srEof;
        };
        report.OnGetData = [this](TSestavaD& r) {
            r.FieldValues[0] = QStringLiteral("Pes %1").arg(position);
        };
        report.OnNactiPredlohu = [](TSestava& r) {
            r.SetPredloha(component_test::ListTemplate());
            return true;
        };
        report.OnError = [this](TSestava&, TSestError error) {
            errors.push_back(error);
            return true;
        };
    }

    TSestava report;
    int position = -1;
    std::vector<TSestError> errors;
};

// After `delay` ms of the run: checks the progress window as the user sees
// it, then presses its "Přerušit" and notes the time.
struct StopPress {
    bool pressed = false;
    bool modal = false;
    int paints = 0;
    QString text;
    QElapsedTimer sincePress;
};

void PressStopLater(StopPress& press, PaintCounter& counter, int delay) {
    QTimer::singleShot(delay, [&press, &counter] {
        auto* form = qobject_cast<TFormInfo*>(QApplication::activeModalWidget());
        if (!form) {
            return;
        }
        press.modal = form->isModal();
        press.text = form->Text();
        press.paints = counter.paints;
        auto* stop = form->findChild<QPushButton*>("BtnPrerusit");
        press.pressed = true;
        press.sincePress.start();
        QTest::mouseClick(stop, Qt::LeftButton);
    });
}

}  // namespace

TEST(ProgressWindow, PrerusitStopsALongPreviewWithinASecondAndNothingOpens) {
    PaintCounter counter;
    // Every progress window is watched from its first paint on.
    SetRunProgressFactory([&counter] {
        auto form = std::make_unique<TFormInfo>();
        form->findChild<QLabel*>("LabelText")->installEventFilter(&counter);
        return form;
    });
    bool previewOpened = false;
    const TPreviewWindowHook previous =
        SetPreviewWindowHook([&previewOpened](TSestava&, const TWindowPlace&) {
            previewOpened = true;
            return true;
        });
    EndlessReport run;
    StopPress press;
    PressStopLater(press, counter, 400);

    run.report.PreviewAt(TWindowPlace());
    const qint64 afterPress = press.sincePress.elapsed();
    SetPreviewWindowHook(previous);
    SetRunProgressFactory(nullptr);

    ASSERT_TRUE(press.pressed) << "the progress window was not the active modal window";
    EXPECT_TRUE(press.modal);
    EXPECT_TRUE(press.text.startsWith(QStringLiteral("Připravuji tisk položky číslo: ")));
    EXPECT_GT(press.paints, 0) << "the window never painted during the run";
    EXPECT_LT(afterPress, 1000);
    EXPECT_LT(run.position, 1000000);
    EXPECT_FALSE(previewOpened);
    EXPECT_EQ(run.errors, std::vector<TSestError>{sePreruseno});
}

TEST(ProgressWindow, PrerusitDuringAnExportWritesNoFile) {
    PaintCounter counter;
    SetRunProgressFactory([] { return std::make_unique<TFormInfo>(); });
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("psi.rtf"));
    EndlessReport run;
    StopPress press;
    PressStopLater(press, counter, 300);

    EXPECT_EQ(run.report.ExportRtf(file), sePreruseno);
    SetRunProgressFactory(nullptr);
    ASSERT_TRUE(press.pressed);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
