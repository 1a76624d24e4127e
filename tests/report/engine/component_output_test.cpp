// The component's preview and print operations with their windows and the
// printer replaced: results, messages, events and what the output is given.

#include <gtest/gtest.h>

#include "component_fixture.h"
#include "platform/print/fake_printer_system.h"
#include "platform/print/printer_system.h"
#include "report/engine/sestavy.h"
#include "report/output/output_dump.h"
#include "tests/support/seams.h"

using component_test::DataFolder;
using testing_support::ScriptedMessages;

namespace {

// Installs a printer system for the lifetime of the object.
class PrinterSystemScope {
  public:
    explicit PrinterSystemScope(std::vector<platform::FakePrinter> printers)
        : system_(std::move(printers)), previous_(platform::SetPrinterSystem(&system_)) {}
    ~PrinterSystemScope() { platform::SetPrinterSystem(previous_); }

  private:
    platform::FakePrinterSystem system_;
    platform::PrinterSystem* previous_;
};

class ComponentOutputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        report.SetDataSource(data.source.get());
        report.OnNactiPredlohu = [](TSestava& r) {
            r.SetPredloha(component_test::ListTemplate());
            return true;
        };
        report.OnError = [this](TSestava&, TSestError e) {
            errors.push_back(e);
            return true;
        };
        report.BeforePrint = [this](TSestava&) { events << QStringLiteral("BeforePrint"); };
        report.AfterPrint = [this](TSestava&) { events << QStringLiteral("AfterPrint"); };
        report.BeforePreview = [this](TSestava&) { events << QStringLiteral("BeforePreview"); };
        report.AfterPreview = [this](TSestava&) { events << QStringLiteral("AfterPreview"); };
    }
    void TearDown() override {
        SetPreviewWindowHook(nullptr);
        SetPrinterHook(nullptr);
    }

    DataFolder data;
    TSestava report;
    std::vector<TSestError> errors;
    QStringList events;
};

TEST_F(ComponentOutputTest, PrintWithoutPrintersAnswersTwoButPreviewWorks) {
    PrinterSystemScope none({});
    ScriptedMessages messages;
    EXPECT_EQ(report.Print(), seNeniTiskarna);
    ASSERT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(messages.Shown()[0].text,
              QStringLiteral("V systému není nainstalovaná žádná tiskárna."));
    EXPECT_EQ(messages.Shown()[0].caption, QStringLiteral("Varování"));
    EXPECT_EQ(errors, std::vector<TSestError>{seNeniTiskarna});

    int pagesShown = -1;
    SetPreviewWindowHook([&](TSestava& r, const TWindowPlace&) {
        pagesShown = r.Output().PageCount();
        return true;
    });
    EXPECT_TRUE(report.Preview());
    EXPECT_EQ(pagesShown, 1);
    EXPECT_EQ(events, (QStringList{"BeforePreview", "AfterPreview"}));
}

TEST_F(ComponentOutputTest, PreviewWithoutDataSourceStillOpensOnTheOldOutput) {
    TSestava bare;
    bare.OnError = [this](TSestava&, TSestError e) {
        errors.push_back(e);
        return true;
    };
    int opened = 0;
    int pages = -1;
    SetPreviewWindowHook([&](TSestava& r, const TWindowPlace& place) {
        ++opened;
        pages = r.Output().PageCount();
        EXPECT_EQ(place.state, TWindowState::Maximized);
        EXPECT_EQ(place.zoom, 100);
        return false;
    });
    ScriptedMessages messages;
    EXPECT_FALSE(bare.Preview());
    ASSERT_EQ(messages.Shown().size(), 1U);
    EXPECT_EQ(messages.Shown()[0].text, QStringLiteral("Není definován zdroj dat."));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(pages, 0);
    EXPECT_EQ(errors, std::vector<TSestError>{seJina});
}

TEST_F(ComponentOutputTest, PrintHandsTheRangedOutputToThePrinter) {
    platform::FakePrinter printer;
    printer.name = QStringLiteral("Laser");
    PrinterSystemScope one({printer});
    report.StartPage = 1;
    report.EndPage = 1;
    report.PrintCopies = 2;
    QString dump;
    int copies = 0, lastPage = 0;
    SetPrinterHook([&](TSestava& r, int index, const QString&) {
        EXPECT_EQ(index, -1);
        dump = DumpOutput(r.Output()).join(QLatin1Char('\n'));
        copies = r.Output().Copies;
        lastPage = r.Output().LastPage;
        EXPECT_EQ(r.Output().Title, QStringLiteral("Seznam"));
        return 0;
    });
    ScriptedMessages messages;
    EXPECT_EQ(report.Print(), seOK);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(dump.contains(QStringLiteral("Cyril od Tří dubů")));
    EXPECT_EQ(copies, 2);
    EXPECT_EQ(lastPage, 1);
    EXPECT_EQ(events, (QStringList{"BeforePrint", "AfterPrint"}));
    EXPECT_TRUE(errors.empty());
}

}  // namespace
