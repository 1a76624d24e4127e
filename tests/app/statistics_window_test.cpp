// The window "Statistika chovu" on the hand-worked kennel: the span and breed
// chosen in its boxes, each chart drawn with its series and table, saving,
// printing and copying the chart, and the launcher's button.
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QToolButton>

#include "app/dmunit.h"
#include "app/fostatistika.h"
#include "app/fouvod.h"
#include "platform/print/fake_printer_system.h"
#include "report/output/widgets/print_dialog.h"
#include "tests/records/stats/stats_kennel_fixture.h"
#include "tests/support/seams.h"
#include "tests/support/test_files.h"

namespace {

class StatisticsWindowTest : public stats_test::StatsKennelFixture {
  protected:
    void SetUp() override {
        StatsKennelFixture::SetUp();
        db_.reset();  // the data module opens the folder for itself
        dm_ = std::make_unique<TDM1>(folder_ + "/");
    }

    static void Press(QWidget& form, const char* name) {
        QPushButton* button = form.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    static void ChooseChart(TFoStatistika& form, const QString& key) {
        form.ComboGraf->setCurrentIndex(form.ComboGraf->findData(key));
    }
    static void ChooseBeagles(TFoStatistika& form) {
        form.ComboPlemeno->setCurrentIndex(form.ComboPlemeno->findText("Bígl"));
        Press(form, "BtnZobrazit");
    }
    static QStringList Column(const QTableWidget* grid, int column) {
        QStringList cells;
        for (int r = 0; r < grid->rowCount(); ++r) {
            cells << grid->item(r, column)->text();
        }
        return cells;
    }
    static std::vector<double> BarValues(QBarSet* set) {
        std::vector<double> values;
        for (int i = 0; i < set->count(); ++i) {
            values.push_back(set->at(i));
        }
        return values;
    }
    template <typename Series>
    static Series* OnlySeries(TFoStatistika& form) {
        const QList<QAbstractSeries*> all = form.ChartView->chart()->series();
        EXPECT_EQ(all.size(), 1);
        return all.isEmpty() ? nullptr : qobject_cast<Series*>(all.front());
    }

    std::unique_ptr<TDM1> dm_;
    testing_support::ScriptedMessages messages_;
};

TEST_F(StatisticsWindowTest, OpensOnTheWholeHistoryWithCaptionedControls) {
    TFoStatistika form(*dm_);
    EXPECT_EQ(form.windowTitle(), "Statistika chovu");
    EXPECT_EQ(form.SpinOd->value(), 2020);
    EXPECT_EQ(form.SpinDo->value(), 2022);
    EXPECT_EQ(form.ComboPlemeno->currentText(), "Všechna plemena");
    EXPECT_EQ(form.ComboGraf->count(), 7);
    QStringList buddies;
    for (QLabel* label : form.findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            buddies << label->text() + "=" + label->buddy()->objectName();
        }
    }
    buddies.sort();
    EXPECT_EQ(buddies, (QStringList{"&Do roku=SpinDo", "&Graf=ComboGraf", "&Od roku=SpinOd",
                                    "&Plemeno=ComboPlemeno"}));
    for (const auto& [name, text] : {std::pair{"BtnUlozit", "Uložit obrázek..."},
                                     {"BtnTisk", "Tisk"},
                                     {"BtnKopirovat", "Kopírovat"},
                                     {"BtnZavrit", "Zavřít"}}) {
        QPushButton* button = form.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), QString::fromUtf8(text));
    }
    // Every breed: Gina's collie litter fills 2021.
    EXPECT_EQ(Column(form.GridHodnoty, 1), (QStringList{"2", "1", "2"}));
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(StatisticsWindowTest, EachChartIsDrawnFromTheChosenBreedsFigures) {
    TFoStatistika form(*dm_);
    ChooseBeagles(form);
    ChooseChart(form, "litters");
    QChart* chart = form.ChartView->chart();
    EXPECT_EQ(chart->title(), "Vrhy podle let");
    EXPECT_FALSE(chart->legend()->isVisible());
    QBarSeries* litters = OnlySeries<QBarSeries>(form);
    ASSERT_NE(litters, nullptr);
    EXPECT_EQ(BarValues(litters->barSets().at(0)), (std::vector<double>{2, 0, 2}));
    EXPECT_EQ(Column(form.GridHodnoty, 1), (QStringList{"2", "0", "2"}));

    ChooseChart(form, "puppies");
    QStackedBarSeries* puppies = OnlySeries<QStackedBarSeries>(form);
    ASSERT_NE(puppies, nullptr);
    ASSERT_EQ(puppies->barSets().size(), 2);
    EXPECT_EQ(puppies->barSets()[0]->label(), "Psi");
    EXPECT_EQ(BarValues(puppies->barSets()[1]), (std::vector<double>{2, 0, 2}));
    EXPECT_TRUE(form.ChartView->chart()->legend()->isVisible());

    ChooseChart(form, "coi");
    const QList<QAbstractSeries*> coi = form.ChartView->chart()->series();
    ASSERT_EQ(coi.size(), 2);
    auto* means = qobject_cast<QLineSeries*>(coi[0]);
    auto* points = qobject_cast<QScatterSeries*>(coi[1]);
    ASSERT_TRUE(means != nullptr && points != nullptr);
    EXPECT_EQ(means->points(), (QList<QPointF>{{2020.5, 0}, {2022.5, 12.5}}));
    EXPECT_DOUBLE_EQ(points->points().at(3).y(), 25.0);

    ChooseChart(form, "shows");
    QStackedBarSeries* shows = OnlySeries<QStackedBarSeries>(form);
    ASSERT_NE(shows, nullptr);
    EXPECT_EQ(shows->barSets().size(), 3);
    EXPECT_EQ(form.GridHodnoty->horizontalHeaderItem(2)->text(), "V1");

    ChooseChart(form, "dam_age");
    EXPECT_EQ(Column(form.GridHodnoty, 0), (QStringList{"2", "3", "4"}));
    QBarSeries* ages = OnlySeries<QBarSeries>(form);
    ASSERT_NE(ages, nullptr);
    EXPECT_GT(ages->barWidth(), 0.9);  // a histogram's bars touch
    EXPECT_TRUE(form.LabelPoznamky->text().contains("Vrhy bez udaného počtu štěňat"));
}

TEST_F(StatisticsWindowTest, ASpanThatIsNoSpanIsRefusedAndTheFiguresStay) {
    TFoStatistika form(*dm_);
    form.SpinOd->setValue(2023);
    form.SpinDo->setValue(2021);
    Press(form, "BtnZobrazit");
    EXPECT_EQ(messages_.Texts(), QStringList{"Rok „od“ (2023) je pozdější než rok „do“ (2021)."});
    EXPECT_EQ(form.Stats().fromYear, 2020);
    form.SpinOd->setValue(2021);
    Press(form, "BtnZobrazit");
    EXPECT_EQ(Column(form.GridHodnoty, 0), (QStringList{"2021"}));
}

TEST_F(StatisticsWindowTest, SavesThePictureAsPngOrPdfAndCopiesIt) {
    TFoStatistika form(*dm_);
    QString answer;
    testing_support::ScriptedFileDialog files([&](const platform::FileDialogRequest& request) {
        EXPECT_EQ(request.kind, platform::FileDialogKind::Save);
        return answer;
    });
    answer = dir_.filePath("vrhy.png");
    Press(form, "BtnUlozit");
    const QImage png(answer);
    EXPECT_EQ(png.size(), TFoStatistika::PictureSize());
    answer = dir_.filePath("vrhy.pdf");
    Press(form, "BtnUlozit");
    EXPECT_TRUE(testing_support::ReadFile(answer).startsWith("%PDF"));
    answer = dir_.filePath("chybi/vrhy.png");  // a folder that is not there
    Press(form, "BtnUlozit");
    ASSERT_EQ(messages_.Texts().size(), 1);
    EXPECT_TRUE(messages_.Texts()[0].startsWith("Obrázek nelze uložit do"))
        << messages_.Texts()[0].toStdString();
    EXPECT_FALSE(QFile::exists(answer));

    QGuiApplication::clipboard()->clear();
    Press(form, "BtnKopirovat");
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), TFoStatistika::PictureSize());
}

TEST_F(StatisticsWindowTest, PrintsTheChartOnALandscapePageOfTheChosenPrinter) {
    platform::FakePrinterSystem printers(
        {platform::FakePrinter::Laser("HP"), platform::FakePrinter::Laser("Canon")});
    printers.Install();
    TFoStatistika form(*dm_);
    ChooseChart(form, "coi");
    testing_support::ScriptedModal modal([](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "SestPrintDlg");
        return int(TPrintDialogTyp::prTisk);
    });
    Press(form, "BtnTisk");
    ASSERT_EQ(printers.Jobs().size(), 1u);
    const platform::RecordedJob& job = printers.Jobs().front();
    EXPECT_EQ(job.title, "Příbuzenská plemenitba vrhů");
    EXPECT_EQ(job.orientation, platform::PageOrientation::Landscape);
    EXPECT_TRUE(job.ended);
    ASSERT_EQ(job.pages.size(), 1u);
    // Something was drawn: the page is not all one colour.
    const QImage& page = job.pages.front();
    const QRgb corner = page.pixel(0, 0);
    bool drawn = false;
    for (int y = 0; y < page.height() && !drawn; y += 7) {
        for (int x = 0; x < page.width() && !drawn; x += 7) {
            drawn = page.pixel(x, y) != corner;
        }
    }
    EXPECT_TRUE(drawn);

    printers.SetPrinters({});
    Press(form, "BtnTisk");
    EXPECT_EQ(messages_.Texts(), QStringList{"V systému není nainstalovaná žádná tiskárna."});
    EXPECT_EQ(printers.Jobs().size(), 1u);
}

TEST_F(StatisticsWindowTest, TheLauncherButtonOpensTheWindow) {
    TFoUvod launcher(nullptr);
    launcher.SetDataModule(dm_.get());
    QString shown;
    testing_support::ScriptedModal modal([&](QDialog& dialog) {
        shown = dialog.objectName();
        return 0;
    });
    QToolButton* button = launcher.findChild<QToolButton*>("BtnStatistika");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Statistika chovu");
    button->click();
    EXPECT_EQ(shown, "FoStatistika");
}

}  // namespace
