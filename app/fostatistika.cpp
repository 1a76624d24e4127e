#include "app/fostatistika.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dmunit.h"
#include "app/statistics_chart.h"
#include "app/statistics_chart_output.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/store/store_error.h"
#include "platform/widgets/dialogs.h"

namespace {

constexpr int kFirstYear = 1800;
constexpr int kLastYear = 2200;

void ShowError(const QString& text) {
    platform::ShowMessage(text, QString(), platform::MessageIcon::Error, platform::mbOK);
}

QSpinBox* YearBox(const char* name, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(kFirstYear, kLastYear);
    box->setGroupSeparatorShown(false);
    return box;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TFoStatistika::TFoStatistika(TDM1& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("FoStatistika"));
    setWindowTitle(QStringLiteral("Statistika chovu"));
    BuildControls();
    LayOut();
    // The whole history of every breed at first; the span boxes show it.
    try {
        stats_ = breeding::ReadBreedingStats(dm_.Database1, breeding::StatsFilter{});
        ComboPlemeno->addItems(breeding::KnownBreeds(dm_.Database1));
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
    }
    const int thisYear = platform::Today().year();
    SpinOd->setValue(stats_.IsEmpty() ? thisYear : stats_.fromYear);
    SpinDo->setValue(stats_.IsEmpty() ? thisYear : stats_.toYear);
    Reload();
}

TFoStatistika::~TFoStatistika() = default;

QPushButton* TFoStatistika::AddButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    buttons_ << button;
    return button;
}

void TFoStatistika::BuildControls() {
    SpinOd = YearBox("SpinOd", this);
    SpinDo = YearBox("SpinDo", this);
    ComboPlemeno = new QComboBox(this);
    ComboPlemeno->setObjectName(QStringLiteral("ComboPlemeno"));
    ComboPlemeno->addItem(QStringLiteral("Všechna plemena"));
    ComboGraf = new QComboBox(this);
    ComboGraf->setObjectName(QStringLiteral("ComboGraf"));
    for (const breeding::ChartContent& chart : breeding::BuildCharts(breeding::BreedingStats{})) {
        ComboGraf->addItem(chart.title, chart.key);
    }
    ChartView = new QChartView(this);
    ChartView->setObjectName(QStringLiteral("ChartView"));
    ChartView->setRenderHint(QPainter::Antialiasing);
    ChartView->setMinimumSize(560, 380);
    GridHodnoty = new QTableWidget(this);
    GridHodnoty->setObjectName(QStringLiteral("GridHodnoty"));
    GridHodnoty->verticalHeader()->hide();
    GridHodnoty->setSelectionBehavior(QAbstractItemView::SelectRows);
    LabelPoznamky = new QLabel(this);
    LabelPoznamky->setObjectName(QStringLiteral("LabelPoznamky"));
    LabelPoznamky->setWordWrap(true);

    connect(AddButton("BtnZobrazit", QStringLiteral("&Zobrazit")), &QPushButton::clicked, this,
            &TFoStatistika::Reload);
    connect(AddButton("BtnUlozit", QStringLiteral("Uložit obrázek...")), &QPushButton::clicked,
            this, &TFoStatistika::SavePicture);
    connect(AddButton("BtnTisk", QStringLiteral("Tisk")), &QPushButton::clicked, this,
            &TFoStatistika::PrintChart);
    connect(AddButton("BtnKopirovat", QStringLiteral("Kopírovat")), &QPushButton::clicked, this,
            &TFoStatistika::CopyPicture);
    connect(AddButton("BtnZavrit", QStringLiteral("Zavřít")), &QPushButton::clicked, this,
            &QDialog::accept);
    connect(ComboGraf, &QComboBox::currentIndexChanged, this, &TFoStatistika::ShowChart);
}

void TFoStatistika::LayOut() {
    auto* choice = new QHBoxLayout;
    choice->addWidget(Caption(QStringLiteral("&Od roku"), SpinOd, this));
    choice->addWidget(SpinOd);
    choice->addWidget(Caption(QStringLiteral("&Do roku"), SpinDo, this));
    choice->addWidget(SpinDo);
    choice->addSpacing(12);
    choice->addWidget(Caption(QStringLiteral("&Plemeno"), ComboPlemeno, this));
    choice->addWidget(ComboPlemeno, 1);
    choice->addWidget(buttons_[0]);
    choice->addSpacing(12);
    choice->addWidget(Caption(QStringLiteral("&Graf"), ComboGraf, this));
    choice->addWidget(ComboGraf, 2);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(ChartView);
    split->addWidget(GridHodnoty);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({720, 460});
    auto* commands = new QHBoxLayout;
    for (int i = 1; i <= 3; ++i) {
        commands->addWidget(buttons_[i]);
    }
    commands->addStretch();
    commands->addWidget(buttons_[4]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(split, 1);
    layout->addWidget(LabelPoznamky);
    layout->addLayout(commands);
    resize(1200, 700);
}

bool TFoStatistika::Reload() {
    if (SpinOd->value() > SpinDo->value()) {
        ShowError(QStringLiteral("Rok „od“ (%1) je pozdější než rok „do“ (%2).")
                      .arg(SpinOd->value())
                      .arg(SpinDo->value()));
        return false;
    }
    breeding::StatsFilter filter;
    filter.fromYear = SpinOd->value();
    filter.toYear = SpinDo->value();
    if (ComboPlemeno->currentIndex() > 0) {
        filter.breed = ComboPlemeno->currentText();
    }
    try {
        stats_ = breeding::ReadBreedingStats(dm_.Database1, filter);
    } catch (const platform::StoreError& error) {
        ShowError(error.Message());
        return false;
    }
    charts_ = breeding::BuildCharts(stats_);
    LabelPoznamky->setText(breeding::OmissionNotes(stats_).join('\n'));
    ShowChart();
    return true;
}

const breeding::ChartContent& TFoStatistika::CurrentChart() const {
    return charts_.at(std::max(0, ComboGraf->currentIndex()));
}

void TFoStatistika::ShowChart() {
    if (charts_.empty()) {
        return;
    }
    const breeding::ChartContent& chart = CurrentChart();
    QChart* previous = ChartView->chart();
    ChartView->setChart(NewStatisticsChart(chart));
    delete previous;
    FillStatisticsTable(*GridHodnoty, chart);
}

void TFoStatistika::SavePicture() {
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.caption = QStringLiteral("Uložit obrázek");
    request.directory = CurrentChart().key + QStringLiteral(".png");
    request.filter = QStringLiteral("Obrázek PNG (*.png);;Dokument PDF (*.pdf)");
    request.defaultSuffix = QStringLiteral("png");
    const QString path = platform::AskFileName(request, this);
    if (path.isEmpty()) {
        return;
    }
    QString error;
    if (!SaveStatisticsChart(CurrentChart(), path, PictureSize(), error)) {
        ShowError(QStringLiteral("Obrázek nelze uložit do „%1“: %2").arg(path, error));
    }
}

void TFoStatistika::PrintChart() {
    PrintStatisticsChart(CurrentChart(), this);
}

void TFoStatistika::CopyPicture() {
    CopyStatisticsChart(CurrentChart(), PictureSize());
}
