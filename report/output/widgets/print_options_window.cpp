#include "report/output/widgets/print_options_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/print/printer_system.h"
#include "platform/widgets/dialogs.h"
#include "report/output/sestprn.h"
#include "report/output/widgets/print_sketch.h"

namespace {

// More sheets than this in one direction are not counted: a page that needs
// them is beyond any real printer.
constexpr int kMaxSheets = 9999;

QString SizeText(int width, int height) {
    return QStringLiteral("%1 x %2").arg(width).arg(height);
}

// How many sheets of `sheet` cover `paper` when each further sheet moves by
// `step`: one, and another while the rest is above a hundredth of the sheet.
int SheetsNeeded(int paper, int sheet, int step) {
    int count = 1;
    int overflow = paper - sheet;
    while (overflow > sheet / 100 && step > 0 && count < kMaxSheets) {
        ++count;
        overflow -= step;
    }
    return count;
}

}  // namespace

TFormLumexReportZoom::TFormLumexReportZoom(const TPrintOptionsRequest& paper, QWidget* parent)
    : QDialog(parent), paper_(paper) {
    setObjectName(QStringLiteral("FormLumexReportZoom"));
    setWindowTitle(QStringLiteral("Lumex - možnosti tisku"));
    ReadPrinter();
    BuildControls();
    ApplyOption();
}

void TFormLumexReportZoom::BuildControls() {
    paperLabel_ = new QLabel(this);
    paperLabel_->setObjectName(QStringLiteral("LabelFormatSestavy"));
    mediumLabel_ = new QLabel(this);
    mediumLabel_->setObjectName(QStringLiteral("LabelFormatMedia"));
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName(QStringLiteral("LabelZoom"));

    auto* sizes = new QGridLayout;
    sizes->addWidget(new QLabel(QStringLiteral("Formát tiskové sestavy:"), this), 0, 0);
    sizes->addWidget(paperLabel_, 0, 1);
    sizes->addWidget(new QLabel(QStringLiteral("Formát média v tiskárně:"), this), 1, 0);
    sizes->addWidget(mediumLabel_, 1, 1);
    sizes->setColumnStretch(2, 1);

    auto* optionsGroup = new QGroupBox(QStringLiteral("Možnosti tisku:"), this);
    optionsGroup->setObjectName(QStringLiteral("GroupMoznosti"));
    cropButton_ = new QRadioButton(QStringLiteral("Oříznout tiskovou sestavu"), optionsGroup);
    cropButton_->setObjectName(QStringLiteral("RBOriznout"));
    reduceButton_ = new QRadioButton(QStringLiteral("Zmenšit měřítko tisku"), optionsGroup);
    reduceButton_->setObjectName(QStringLiteral("RBZmensit"));
    sheetsButton_ = new QRadioButton(QStringLiteral("Tisknout na více listů"), optionsGroup);
    sheetsButton_->setObjectName(QStringLiteral("RBViceListu"));
    cropButton_->setChecked(true);
    auto* buttons = new QButtonGroup(this);
    buttons->addButton(cropButton_, poOriznout);
    buttons->addButton(reduceButton_, poZmensit);
    buttons->addButton(sheetsButton_, poViceListu);
    connect(buttons, &QButtonGroup::idClicked, this, [this](int id) { SelectOption(Option(id)); });
    auto* reduceRow = new QHBoxLayout;
    reduceRow->addWidget(reduceButton_);
    reduceRow->addWidget(zoomLabel_);
    reduceRow->addStretch(1);
    auto* options = new QVBoxLayout(optionsGroup);
    options->addWidget(cropButton_);
    options->addLayout(reduceRow);
    options->addWidget(sheetsButton_);

    turnBox_ = new QCheckBox(QStringLiteral("Otočit médium v tiskárně"), this);
    turnBox_->setObjectName(QStringLiteral("ChBOtocit"));
    connect(turnBox_, &QCheckBox::toggled, this, &TFormLumexReportZoom::SetTurned);
    auto* printerButton = new QPushButton(QStringLiteral("Tiskárna..."), this);
    printerButton->setObjectName(QStringLiteral("BtnTiskarna"));
    printerButton->setAutoDefault(false);
    connect(printerButton, &QPushButton::clicked, this, &TFormLumexReportZoom::SetUpPrinter);

    auto* okButton = new QPushButton(QStringLiteral("Tisknout"), this);
    okButton->setObjectName(QStringLiteral("BtnTisknout"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &TFormLumexReportZoom::Confirm);
    auto* cancelButton = new QPushButton(QStringLiteral("Storno"), this);
    cancelButton->setObjectName(QStringLiteral("BtnStorno"));
    cancelButton->setAutoDefault(false);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addLayout(sizes);
    left->addWidget(optionsGroup);
    left->addWidget(turnBox_);
    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(printerButton);
    printerRow->addStretch(1);
    left->addLayout(printerRow);
    left->addStretch(1);

    sketch_ = new TPrintSketch(*this, this);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(sketch_, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(okButton);
    bottom->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
}

// ---- the printer's sheet --------------------------------------------------------------------

void TFormLumexReportZoom::ReadPrinter() {
    const TPrinterMetrics metrics = PrinterMetrics();
    physicalWidth_ = metrics.PhysicalWidthHundredths();
    physicalHeight_ = metrics.PhysicalHeightHundredths();
    orientation_ = metrics.PrinterOrientation;
    KeepSheetAboveMargins();
}

// A sheet no wider than the two margins together leaves nothing to print
// on; it is counted as one hundredth wider than them. This holds after every
// turn as well, so the step from one sheet to the next is never empty.
void TFormLumexReportZoom::KeepSheetAboveMargins() {
    const int minWidth = (paper_.MarginLeft + paper_.MarginRight) * zoom_ / 100;
    const int minHeight = (paper_.MarginTop + paper_.MarginBottom) * zoom_ / 100;
    if (physicalWidth_ <= minWidth) {
        physicalWidth_ = minWidth + 1;
    }
    if (physicalHeight_ <= minHeight) {
        physicalHeight_ = minHeight + 1;
    }
}

// ---- options --------------------------------------------------------------------------------

void TFormLumexReportZoom::SelectOption(Option option) {
    option_ = option;
    QRadioButton* button =
        option == poOriznout ? cropButton_ : (option == poZmensit ? reduceButton_ : sheetsButton_);
    if (button != nullptr && !button->isChecked()) {
        button->setChecked(true);
    }
    ApplyOption();
}

void TFormLumexReportZoom::ApplyOption() {
    columns_ = rows_ = 1;
    zoom_ = 100;
    if (option_ == poZmensit && paper_.PaperWidth > 0 && paper_.PaperHeight > 0) {
        zoom_ = std::min(physicalWidth_ * 100 / paper_.PaperWidth,
                         physicalHeight_ * 100 / paper_.PaperHeight);
        zoom_ = std::max(zoom_, 1);
    } else if (option_ == poViceListu) {
        SpreadOverSheets();
    }
    UpdateLabels();
}

void TFormLumexReportZoom::SpreadOverSheets() {
    columns_ = SheetsNeeded(paper_.PaperWidth, physicalWidth_,
                            physicalWidth_ - paper_.MarginLeft - paper_.MarginRight);
    rows_ = SheetsNeeded(paper_.PaperHeight, physicalHeight_,
                         physicalHeight_ - paper_.MarginTop - paper_.MarginBottom);
}

void TFormLumexReportZoom::UpdateLabels() {
    if (paperLabel_ == nullptr) {
        return;
    }
    paperLabel_->setText(SizeText(paper_.PaperWidth, paper_.PaperHeight));
    mediumLabel_->setText(SizeText(physicalWidth_, physicalHeight_));
    zoomLabel_->setText(QStringLiteral("%1 %").arg(zoom_));
    sketch_->update();
}

// ---- turning, printer set-up, confirming ------------------------------------------------------

void TFormLumexReportZoom::SetTurned(bool turned) {
    if (turned == turned_) {
        return;
    }
    turned_ = turned;
    if (turnBox_->isChecked() != turned) {
        turnBox_->setChecked(turned);
    }
    std::swap(physicalWidth_, physicalHeight_);
    orientation_ = orientation_ == 0 ? 1 : 0;
    KeepSheetAboveMargins();
    ApplyOption();
}

void TFormLumexReportZoom::SetUpPrinter() {
    SetPrinterOrientation(orientation_);
    if (ShowPrinterProperties(this, platform::Printers().CurrentIndex())) {
        ReadPrinter();
        ApplyOption();
    }
}

void TFormLumexReportZoom::Confirm() {
    if (turned_) {
        SetPrinterOrientation(orientation_);
    }
    accept();
}

// ---- the hook printing asks ---------------------------------------------------------------------

void InstallPrintOptionsWindow() {
    SetPrintOptionsHook([](const TPrintOptionsRequest& request, TPrintOptions& options) {
        TFormLumexReportZoom form(request);
        if (platform::ExecModal(form) != QDialog::Accepted) {
            return false;
        }
        options = form.Options();
        return true;
    });
}
