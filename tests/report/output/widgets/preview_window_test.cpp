// The preview window: zoom levels, the page panel, navigation within the
// page range, the keyboard and the mouse, the page-number box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "preview_fixture.h"
#include "report/output/widgets/sestp.h"
#include "tests/support/seams.h"

using preview_testing::PagedOutput;
using preview_testing::ScriptedInput;

namespace {

QAction* Action(TFormSestP& form, const char* name) {
    auto* action = form.findChild<QAction*>(QLatin1String(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

QString PanelText(TFormSestP& form, const char* name) {
    return form.findChild<QLabel*>(QLatin1String(name))->text();
}

QWidget* PagePanel(TFormSestP& form) {
    return form.findChild<QWidget*>("PagePanel");
}

void Wheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF at(10, 10);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

}  // namespace

TEST(PreviewZoom, NearestLevelIsTheFirstWhoseMidpointIsAboveTheRequest) {
    EXPECT_EQ(TFormSestP::NearestZoomLevel(90), 5);  // midpoint 0.915 is above 0.90
    EXPECT_EQ(TFormSestP::NearestZoomLevel(92), 6);
    EXPECT_EQ(TFormSestP::NearestZoomLevel(100), 6);
    EXPECT_EQ(TFormSestP::NearestZoomLevel(36), 1);  // midpoint 0.36 is not above 0.36
    EXPECT_EQ(TFormSestP::NearestZoomLevel(0), 0);
    EXPECT_EQ(TFormSestP::NearestZoomLevel(250), 10);  // no midpoint above: the last level
    EXPECT_EQ(TFormSestP::NearestZoomLevel(1000), 10);
}

TEST(PreviewZoom, PanelAndPageTargetFollowTheFactor) {
    PagedOutput paged(1);
    TFormSestP form;
    form.ShowOutput(paged.output);
    EXPECT_EQ(form.ZoomLevel(), 6);  // 100 %
    EXPECT_EQ(PagePanel(form)->size(), QSize(826, 1169));
    EXPECT_EQ(form.PageTarget(), QRect(QPoint(50, 70), QPoint(776, 1099)));
    form.SetZoomLevel(2);  // 50 %: 584.5 rounds to the even 584
    EXPECT_EQ(PagePanel(form)->size(), QSize(413, 584));
    EXPECT_EQ(form.PageTarget(), QRect(QPoint(25, 35), QPoint(388, 550)));
    EXPECT_TRUE(Action(form, "ActZoom50")->isChecked());
    EXPECT_FALSE(Action(form, "ActZoom100")->isChecked());
}

TEST(PreviewZoom, SteppingClampsToTheLevels) {
    TFormSestP form;
    form.StepZoom(3);
    EXPECT_EQ(form.ZoomLevel(), 9);
    form.StepZoom(5);
    EXPECT_EQ(form.ZoomLevel(), 10);
    form.StepZoom(-20);
    EXPECT_EQ(form.ZoomLevel(), 0);
}

TEST(PreviewZoom, CtrlWheelStepsByNotchesAndStopsAtTheEnds) {
    PagedOutput paged(1);
    TFormSestP form;
    form.ShowOutput(paged.output);
    Wheel(PagePanel(form), 120, Qt::ControlModifier);
    EXPECT_EQ(form.ZoomFactor(), 1.2);
    Wheel(PagePanel(form), -240, Qt::ControlModifier);
    EXPECT_EQ(form.ZoomFactor(), 0.83);
    form.SetZoomLevel(10);
    Wheel(PagePanel(form), 120, Qt::ControlModifier);
    EXPECT_EQ(form.ZoomLevel(), 10);
    Wheel(PagePanel(form), 120, Qt::NoModifier);  // left to the scrolling area
    EXPECT_EQ(form.ZoomLevel(), 10);
}

TEST(PreviewZoom, ChoosingAZoomActionSetsTheLevel) {
    TFormSestP form;
    Action(form, "ActZoom300")->trigger();
    EXPECT_EQ(form.ZoomLevel(), 10);
    Action(form, "ActZoom32")->trigger();
    EXPECT_EQ(form.ZoomLevel(), 0);
}

TEST(PreviewPainting, ThePageIsDrawnAtTheZoomInsideTheMargins) {
    PagedOutput paged(2);
    TFormSestP form;
    form.ShowOutput(paged.output);
    form.SetZoomLevel(
        9);  // 200 %: the frame at (100, 100) lies at (2 × (50 + 100), 2 × (70 + 100))
    const QImage page = PagePanel(form)->grab().toImage();
    EXPECT_EQ(page.size(), QSize(1652, 2338));
    EXPECT_EQ(QColor(page.pixel(300 + 200, 340 + 50)), QColor(Qt::red));
    EXPECT_EQ(QColor(page.pixel(290, 390)), QColor(Qt::white));
    EXPECT_EQ(QColor(page.pixel(300 + 200, 330)), QColor(Qt::white));
}

TEST(PreviewPainting, ABackgroundOutsideThePrintedPageIsStillShown) {
    PagedOutput paged(1);
    QImage blue(10, 10, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    const platform::Picture background(blue);
    TFormSestP form;
    form.ShowOutput(paged.output);
    form.SetBackground(&background, QRect(QPoint(0, 0), QPoint(40, 40)), false);
    QImage page = PagePanel(form)->grab().toImage();
    EXPECT_EQ(QColor(page.pixel(20, 20)), QColor(Qt::blue));
    // Part of the printed page: the page image carries it, not the panel.
    form.SetBackground(&background, QRect(QPoint(0, 0), QPoint(40, 40)), true);
    paged.output.SetCurrentPage(0);
    page = PagePanel(form)->grab().toImage();
    EXPECT_EQ(QColor(page.pixel(20, 20)), QColor(Qt::white));
}

TEST(PreviewNavigation, PagesThreeToFiveOfTen) {
    PagedOutput paged(10);
    paged.output.SetRange(3, 5, "Pokus", slUndefined, 1);
    TFormSestP form;
    form.ShowOutput(paged.output);
    EXPECT_EQ(form.CurrentPage(), 2);
    EXPECT_EQ(PanelText(form, "PanelStrana"), "Strana 3 z 5");
    EXPECT_FALSE(Action(form, "ActPrvni")->isEnabled());
    EXPECT_FALSE(Action(form, "ActPredchozi")->isEnabled());
    EXPECT_TRUE(Action(form, "ActNasledujici")->isEnabled());
    Action(form, "ActPosledni")->trigger();
    EXPECT_EQ(form.CurrentPage(), 4);
    EXPECT_EQ(PanelText(form, "PanelStrana").section(' ', 0, 1), "Strana 5");
    EXPECT_FALSE(Action(form, "ActPosledni")->isEnabled());
    EXPECT_FALSE(Action(form, "ActNasledujici")->isEnabled());
    EXPECT_TRUE(Action(form, "ActPrvni")->isEnabled());
    Action(form, "ActNasledujici")->trigger();  // disabled: stays
    EXPECT_EQ(form.CurrentPage(), 4);
    Action(form, "ActPredchozi")->trigger();
    EXPECT_EQ(form.CurrentPage(), 3);
    Action(form, "ActPrvni")->trigger();
    EXPECT_EQ(form.CurrentPage(), 2);
}

TEST(PreviewNavigation, PageKeysWithAndWithoutCtrlStayInTheRange) {
    PagedOutput paged(6);
    TFormSestP form;
    form.ShowOutput(paged.output);
    QTest::keyClick(&form, Qt::Key_PageDown);
    EXPECT_EQ(form.CurrentPage(), 1);
    QTest::keyClick(&form, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(form.CurrentPage(), 5);
    QTest::keyClick(&form, Qt::Key_PageDown);
    EXPECT_EQ(form.CurrentPage(), 5);
    QTest::keyClick(&form, Qt::Key_PageUp);
    EXPECT_EQ(form.CurrentPage(), 4);
    QTest::keyClick(&form, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(form.CurrentPage(), 0);
    QTest::keyClick(&form, Qt::Key_PageUp);
    EXPECT_EQ(form.CurrentPage(), 0);
    EXPECT_EQ(paged.output.CurrentPage, 0);
}

TEST(PreviewNavigation, ArrowKeysScrollBySixteen) {
    PagedOutput paged(1);
    TFormSestP form;
    form.resize(400, 300);
    form.ShowOutput(paged.output);
    form.SetZoomLevel(10);
    form.show();
    QApplication::processEvents();
    auto* box = form.findChild<QScrollArea*>("ScrollBox");
    QTest::keyClick(&form, Qt::Key_Right);
    QTest::keyClick(&form, Qt::Key_Right);
    QTest::keyClick(&form, Qt::Key_Down);
    EXPECT_EQ(box->horizontalScrollBar()->value(), 32);
    EXPECT_EQ(box->verticalScrollBar()->value(), 16);
    QTest::keyClick(&form, Qt::Key_Left);
    QTest::keyClick(&form, Qt::Key_Up);
    EXPECT_EQ(box->horizontalScrollBar()->value(), 16);
    EXPECT_EQ(box->verticalScrollBar()->value(), 0);
}

TEST(PreviewNavigation, PageNumberBoxClampsAndFallsBackToTheFirstPage) {
    PagedOutput paged(5);
    paged.output.SetRange(2, 9999, QString(), slUndefined, 1);
    ScriptedInput input;
    TFormSestP form;
    form.ShowOutput(paged.output);
    input.answers = {"99", "abc", "4", QString(), "-3"};
    Action(form, "ActZobrazitStranku")->trigger();
    EXPECT_EQ(form.CurrentPage(), 4);
    EXPECT_EQ(PanelText(form, "PanelStrana").section(' ', 0, 1), "Strana 5");
    EXPECT_EQ(input.captions.value(0), "Výběr stránky");
    EXPECT_EQ(input.prompts.value(0), "Stránka číslo:");
    EXPECT_EQ(input.defaults.value(0), "2");
    Action(form, "ActZobrazitStranku")->trigger();  // not a number: the first page
    EXPECT_EQ(form.CurrentPage(), 1);
    Action(form, "ActZobrazitStranku")->trigger();
    EXPECT_EQ(form.CurrentPage(), 3);
    Action(form, "ActZobrazitStranku")->trigger();  // cancelled
    EXPECT_EQ(form.CurrentPage(), 3);
    Action(form, "ActZobrazitStranku")->trigger();
    EXPECT_EQ(form.CurrentPage(), 0);
    EXPECT_EQ(input.captions.size(), 5);
}

TEST(PreviewKeys, EscapeEditsWhenEditingIsEnabledElseCloses) {
    PagedOutput paged(1);
    {
        TFormSestP form;
        form.ShowOutput(paged.output);
        testing_support::ScriptedModal modal([](QDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
            return dialog.result();
        });
        EXPECT_TRUE(form.Preview());
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
    {
        TFormSestP form;
        form.ShowOutput(paged.output);
        form.SetEditEnabled(true);
        EXPECT_EQ(Action(form, "ActZavrit")->toolTip(), "Ukončit opravu předlohy");
        testing_support::ScriptedModal modal([](QDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
            return dialog.result();
        });
        EXPECT_FALSE(form.Preview());
        EXPECT_EQ(form.result(), TFormSestP::kEditResult);
    }
}

TEST(PreviewKeys, CtrlEEditsOnlyWhenEnabledAndCtrlPOrTPrint) {
    PagedOutput paged(3);
    TFormSestP form;
    form.ShowOutput(paged.output);
    int printed = 0;
    form.OnPrint = [&](TFormSestP& f) {
        ++printed;
        EXPECT_EQ(&f, &form);
    };
    QTest::keyClick(&form, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(form.result(), 0);  // editing not enabled: nothing
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_P);
    EXPECT_EQ(printed, 2);
    form.ShowOutput(paged.output);
    EXPECT_TRUE(form.findChild<QAction*>("ActTisk")->isEnabled());
    form.SetPrintEnabled(false);
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printed, 2);
    form.SetEditEnabled(true);
    QTest::keyClick(&form, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(form.result(), TFormSestP::kEditResult);
}

TEST(PreviewKeys, PrintIsDisabledWithoutAPrintRoad) {
    PagedOutput paged(1);
    TFormSestP form;
    form.ShowOutput(paged.output);
    EXPECT_FALSE(form.findChild<QAction*>("ActTisk")->isEnabled());
}

TEST(PreviewKeys, UserActionGetsTheCurrentPage) {
    PagedOutput paged(3);
    TFormSestP form;
    form.ShowOutput(paged.output);
    form.SetUserAction(true, "Odeslat");
    QTest::keyClick(&form, Qt::Key_PageDown);
    int page = -1;
    form.OnUserAction = [&](int p) { page = p; };
    Action(form, "ActUser")->trigger();
    EXPECT_EQ(page, 1);
    EXPECT_EQ(Action(form, "ActUser")->toolTip(), "Odeslat");
}

TEST(PreviewMouse, MiddleButtonDragScrollsAndTheWheelTurnsPages) {
    PagedOutput paged(4);
    TFormSestP form;
    form.resize(400, 300);
    form.ShowOutput(paged.output);
    form.SetZoomLevel(10);
    form.show();
    QApplication::processEvents();
    auto* box = form.findChild<QScrollArea*>("ScrollBox");
    box->horizontalScrollBar()->setValue(100);
    box->verticalScrollBar()->setValue(100);
    QWidget* panel = PagePanel(form);

    Mouse(panel, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(form.Dragging());
    Mouse(panel, QEvent::MouseButtonRelease, {50, 50}, Qt::LeftButton, Qt::NoButton);

    Mouse(panel, QEvent::MouseButtonPress, {50, 50}, Qt::MiddleButton, Qt::MiddleButton);
    ASSERT_TRUE(form.Dragging());
    Mouse(panel, QEvent::MouseMove, {40, 30}, Qt::NoButton, Qt::MiddleButton);
    EXPECT_EQ(box->horizontalScrollBar()->value(), 110);
    EXPECT_EQ(box->verticalScrollBar()->value(), 120);

    Wheel(panel, -120, Qt::NoModifier);  // a backward turn: the next page
    EXPECT_EQ(form.CurrentPage(), 1);
    Wheel(panel, -120, Qt::NoModifier);
    Wheel(panel, 120, Qt::NoModifier);  // a forward turn: the previous page
    EXPECT_EQ(form.CurrentPage(), 1);
    EXPECT_EQ(form.ZoomLevel(), 10);

    Mouse(panel, QEvent::MouseButtonRelease, {40, 30}, Qt::MiddleButton, Qt::NoButton);
    EXPECT_FALSE(form.Dragging());
    Wheel(panel, -120, Qt::NoModifier);  // no longer dragging: no page turn
    EXPECT_EQ(form.CurrentPage(), 1);
}

TEST(PreviewWindow, CaptionAndSpoolOutput) {
    PagedOutput paged(2);
    TFormSestP form;
    EXPECT_EQ(form.windowTitle(), "Prohlížení sestavy před tiskem");
    paged.output.FromSpool = true;
    paged.output.Title = "Zdravotní karta";
    form.ShowOutput(paged.output);
    EXPECT_EQ(form.windowTitle(), "Prohlížení sestavy před tiskem - [Zdravotní karta]");
}

TEST(PreviewWarnings, TheFirstIsInTheStatusBarAndAllInItsTooltip) {
    PagedOutput paged(1);
    QString text, tip;
    bool visible = false;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        auto* panel = dialog.findChild<QLabel*>(QStringLiteral("PanelUpozorneni"));
        EXPECT_NE(panel, nullptr);
        if (panel) {
            visible = panel->isVisibleTo(&dialog);
            text = panel->text();
            tip = panel->toolTip();
        }
        return int(QDialog::Accepted);
    });
    ShowPreview(paged.output, QStringLiteral("Seznam"), TPreviewExports(),
                {QStringLiteral("První."), QStringLiteral("Druhé.")});
    EXPECT_TRUE(visible);
    EXPECT_EQ(text, QStringLiteral("Upozornění: První. (celkem 2 upozornění)"));
    EXPECT_EQ(tip, QStringLiteral("První.\nDruhé."));

    ShowPreview(paged.output, QStringLiteral("Seznam"));
    EXPECT_FALSE(visible);
}
