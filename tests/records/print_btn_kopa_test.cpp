// The three-way print button: its captions and pictures per kind, the
// right-button cycle with and without "Editace", the run of each kind
// through the report component, and the hooks around a run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "platform/print/fake_printer_system.h"
#include "records/print_btn_kopa.h"
#include "report/engine/sestavy.h"
#include "tests/report/engine/component_fixture.h"
#include "tests/support/qt_printers.h"
#include "tests/support/seams.h"

using testing_support::ScriptedMessages;

namespace {

class PrintButton : public testing::Test {
  protected:
    void SetUp() override {
        button.SetImages(PrintButtonImages());
        report.SetDataSource(data.source.get());
        report.OnNactiPredlohu = [](TSestava& r) {
            r.SetPredloha(component_test::ListTemplate());
            return true;
        };
    }
    void TearDown() override {
        SetPreviewWindowHook(nullptr);
        SetPrinterHook(nullptr);
        SetDesignerHook(nullptr);
    }

    void RightClick() { QTest::mouseClick(&button, Qt::RightButton); }
    void Click() { QTest::mouseClick(&button, Qt::LeftButton); }
    qint64 Picture() const { return button.icon().pixmap(24, 24).toImage().cacheKey(); }
    QImage PictureImage() const { return button.icon().pixmap(24, 24).toImage(); }

    component_test::DataFolder data;
    TPrintBtnKopa button;
    TSestava report;
};

}  // namespace

TEST_F(PrintButton, StartsAsPreviewWithTheComponentsDefaults) {
    TPrintBtnKopa plain;
    EXPECT_EQ(plain.KindPrint(), kpPreview);
    EXPECT_TRUE(plain.EditEnabled());
    EXPECT_TRUE(plain.MoveEnabled());
    EXPECT_EQ(plain.ZoomPreview, 75);
    EXPECT_EQ(plain.ImageIndexPreview(), 1);
    EXPECT_EQ(plain.ImageIndexPrint(), 2);
    EXPECT_EQ(plain.ImageIndexEdit(), 3);
    EXPECT_EQ(plain.CaptionPreview(), "Tisk. náhled");
    EXPECT_EQ(plain.CaptionPrint(), "Tisk");
    EXPECT_EQ(plain.CaptionEdit(), "Editace předl.");
    EXPECT_EQ(plain.text(), "Tisk. náhled");
    EXPECT_EQ(plain.Report(), nullptr);
}

TEST_F(PrintButton, RightButtonCyclesTheKindAndItsCaptionAndPicture) {
    const QList<QIcon> images = PrintButtonImages();
    ASSERT_EQ(images.size(), 4);
    const auto image = [&](int index) { return images[index].pixmap(24, 24).toImage(); };
    int told = 0;
    button.OnRightMouseDown = [&](TPrintBtnKopa& b) {
        ++told;
        EXPECT_EQ(&b, &button);
    };
    EXPECT_EQ(PictureImage(), image(1));
    RightClick();
    EXPECT_EQ(button.KindPrint(), kpPrint);
    EXPECT_EQ(button.text(), "Tisk");
    EXPECT_EQ(PictureImage(), image(2));
    RightClick();
    EXPECT_EQ(button.KindPrint(), kpEdit);
    EXPECT_EQ(button.text(), "Editace předl.");
    EXPECT_EQ(PictureImage(), image(3));
    RightClick();
    EXPECT_EQ(button.KindPrint(), kpPreview);
    EXPECT_EQ(button.text(), "Tisk. náhled");
    EXPECT_EQ(PictureImage(), image(1));
    EXPECT_EQ(told, 3);
    // The three pictures differ from each other.
    EXPECT_NE(image(1), image(2));
    EXPECT_NE(image(2), image(3));
    EXPECT_NE(image(1), image(3));
}

TEST_F(PrintButton, WithoutEditTheCycleSkipsEditace) {
    button.SetEditEnabled(false);
    RightClick();
    EXPECT_EQ(button.KindPrint(), kpPrint);
    RightClick();
    EXPECT_EQ(button.KindPrint(), kpPreview);
    EXPECT_EQ(button.text(), "Tisk. náhled");
    button.SetKindPrint(kpEdit);
    EXPECT_EQ(button.KindPrint(), kpPreview);
    // Switching edit off while the kind is edit turns it back to preview.
    button.SetEditEnabled(true);
    button.SetKindPrint(kpEdit);
    button.SetEditEnabled(false);
    EXPECT_EQ(button.KindPrint(), kpPreview);
}

TEST_F(PrintButton, WithoutMoveTheRightButtonOnlyTells) {
    button.SetMoveEnabled(false);
    int told = 0;
    button.OnRightMouseDown = [&](TPrintBtnKopa&) { ++told; };
    RightClick();
    EXPECT_EQ(button.KindPrint(), kpPreview);
    EXPECT_EQ(told, 1);
}

TEST_F(PrintButton, OwnCaptionsFollowTheKind) {
    button.SetCaption(kpPreview, "Náhled");
    button.SetCaption(kpPrint, "Tisk");
    button.SetCaption(kpEdit, "Editace");
    EXPECT_EQ(button.text(), "Náhled");
    RightClick();
    RightClick();
    EXPECT_EQ(button.text(), "Editace");
}

TEST_F(PrintButton, WithoutAReportAClickShowsTheErrorAndRunsNothing) {
    ScriptedMessages messages;
    QStringList order;
    button.OnClick = [&](TPrintBtnKopa&) { order << "click"; };
    button.OnBeforeReport = [&](TPrintBtnKopa&, bool&) { order << "before"; };
    button.OnAfterReport = [&](TPrintBtnKopa&) { order << "after"; };
    Click();
    EXPECT_EQ(messages.Texts(), QStringList{"Není připojena žádná sestava"});
    EXPECT_EQ(messages.Shown().at(0).icon, platform::MessageIcon::Error);
    EXPECT_EQ(order, QStringList{"click"});
}

TEST_F(PrintButton, PreviewOpensOnTheAreaWithTheButtonsZoom) {
    button.SetReport(&report);
    button.ZoomPreview = 60;
    QStringList order;
    TWindowPlace shown;
    SetPreviewWindowHook([&](TSestava& r, const TWindowPlace& place) {
        EXPECT_EQ(&r, &report);
        shown = place;
        order << "preview";
        return true;
    });
    button.OnClick = [&](TPrintBtnKopa&) { order << "click"; };
    button.OnBeforeReport = [&](TPrintBtnKopa&, bool& pokracovat) {
        EXPECT_TRUE(pokracovat);
        order << "before";
    };
    button.OnAfterReport = [&](TPrintBtnKopa&) { order << "after"; };
    ScriptedMessages messages;
    Click();
    EXPECT_EQ(order, (QStringList{"click", "before", "preview", "after"}));
    EXPECT_EQ(shown.rect, QRect(0, 0, 800, 600));
    EXPECT_FALSE(shown.designedPosition);
    EXPECT_EQ(shown.zoom, 60);
}

TEST_F(PrintButton, ACancelledRunIsNotMadeAndNotFollowed) {
    button.SetReport(&report);
    int previews = 0, after = 0;
    SetPreviewWindowHook([&](TSestava&, const TWindowPlace&) { return ++previews, true; });
    button.OnBeforeReport = [](TPrintBtnKopa&, bool& pokracovat) { pokracovat = false; };
    button.OnAfterReport = [&](TPrintBtnKopa&) { ++after; };
    Click();
    EXPECT_EQ(previews, 0);
    EXPECT_EQ(after, 0);
}

TEST_F(PrintButton, PrintWithoutAPrinterWarnsAndPrintsNothing) {
    platform::FakePrinterSystem none(std::vector<platform::FakePrinter>{});
    none.Install();
    button.SetReport(&report);
    button.SetKindPrint(kpPrint);
    int printed = 0, after = 0;
    SetPrinterHook([&](TSestava&, int, const QString&) { return ++printed, int(seOK); });
    button.OnAfterReport = [&](TPrintBtnKopa&) { ++after; };
    ScriptedMessages messages;
    Click();
    EXPECT_EQ(messages.Texts(), QStringList{"V systému není nainstalovaná žádná tiskárna."});
    EXPECT_EQ(messages.Shown().at(0).caption, "Varování");
    EXPECT_EQ(messages.Shown().at(0).icon, platform::MessageIcon::Warning);
    EXPECT_EQ(printed, 0);
    EXPECT_EQ(none.Jobs().size(), 0u);
    EXPECT_EQ(after, 1);  // the run was made; it printed nothing
}

TEST_F(PrintButton, PrintGoesToTheCurrentPrinter) {
    platform::FakePrinterSystem printers({platform::FakePrinter::Laser("Laser")});
    printers.Install();
    button.SetReport(&report);
    button.SetKindPrint(kpPrint);
    int printed = 0;
    SetPrinterHook([&](TSestava& r, int index, const QString&) {
        EXPECT_EQ(&r, &report);
        EXPECT_EQ(index, -1);
        return ++printed, int(seOK);
    });
    ScriptedMessages messages;
    Click();
    EXPECT_EQ(printed, 1);
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join('|').toStdString();
}

TEST_F(PrintButton, EditOpensTheTemplateInTheDesigner) {
    button.SetReport(&report);
    button.SetKindPrint(kpEdit);
    int designed = 0;
    SetDesignerHook([&](TSestava& r, const TWindowPlace&) {
        EXPECT_EQ(&r, &report);
        EXPECT_EQ(r.Predloha().Count(), component_test::ListTemplate().Count());
        return ++designed, int(sePreruseno);
    });
    ScriptedMessages messages;
    Click();
    EXPECT_EQ(designed, 1);
}
