#include "report/output/widgets/sestprintdlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/print/printer_system.h"
#include "report/output/sestprn.h"
#include "report/output/widgets/combo_predloha.h"
#include "report/output/widgets/combo_printer.h"
#include "report/output/widgets/print_dialog.h"

namespace {

constexpr int kPathLabelWidth = 300;

QSpinBox* MakeNumberEdit(const char* name, int minimum, int maximum, QWidget* parent) {
    auto* edit = new QSpinBox(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setRange(minimum, maximum);
    edit->setMinimumWidth(80);
    return edit;
}

// The value of "&Do stránky:" that reads "poslední".
constexpr int kLastPageValue = TSestPrintDlg::kMinPage - 1;

QCheckBox* MakeCheckBox(const char* name, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLabel* MakeValueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

TSestPrintDlg::TSestPrintDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SestPrintDlg"));
    auto* layout = new QVBoxLayout(this);
    // The window takes exactly the size of what is shown: hidden groups take no room.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(BuildPrinterGroup());
    layout->addWidget(BuildRangeGroup());
    layout->addWidget(BuildTemplateGroup());
    backgroundBox_ = MakeCheckBox("ChBPozadi", QStringLiteral("Tisknout pozadí"), this);
    layout->addWidget(backgroundBox_);
    layout->addLayout(BuildButtons());
}

QGroupBox* TSestPrintDlg::BuildPrinterGroup() {
    printerGroup_ = new QGroupBox(QStringLiteral("Tiskárna"), this);
    printerGroup_->setObjectName(QStringLiteral("GroupTiskarna"));
    printerBox_ = new TComboBoxPrinter(printerGroup_);
    printerBox_->setObjectName(QStringLiteral("CBTiskarna"));
    printerBox_->setMinimumWidth(260);
    propertiesButton_ = new QPushButton(QStringLiteral("&Vlastnosti..."), printerGroup_);
    propertiesButton_->setObjectName(QStringLiteral("BtnVlastnosti"));
    propertiesButton_->setAutoDefault(false);
    deviceLabel_ = MakeValueLabel("LabelTyp", printerGroup_);
    portLabel_ = MakeValueLabel("LabelKde", printerGroup_);
    toFileBox_ =
        MakeCheckBox("ChBDoSouboru", QStringLiteral("Tisknout do &souboru"), printerGroup_);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(printerBox_, 1);
    nameRow->addWidget(propertiesButton_);
    auto* form = new QFormLayout(printerGroup_);
    // The field is a row of two widgets: the label needs its buddy named to
    // show its mnemonic instead of a literal "&".
    auto* nameLabel = new QLabel(QStringLiteral("Ná&zev:"), printerGroup_);
    nameLabel->setBuddy(printerBox_);
    form->addRow(nameLabel, nameRow);
    form->addRow(QStringLiteral("Typ:"), deviceLabel_);
    form->addRow(QStringLiteral("Kde:"), portLabel_);
    form->addRow(toFileBox_);

    connect(printerBox_, &QComboBox::currentIndexChanged, this, &TSestPrintDlg::PrinterChanged);
    connect(propertiesButton_, &QPushButton::clicked, this, &TSestPrintDlg::ShowProperties);
    return printerGroup_;
}

QGroupBox* TSestPrintDlg::BuildRangeGroup() {
    rangeGroup_ = new QGroupBox(QStringLiteral("Rozsah stránek:"), this);
    rangeGroup_->setObjectName(QStringLiteral("GroupRozsah"));
    fromEdit_ = MakeNumberEdit("EOd", kMinPage, kMaxPage, rangeGroup_);
    toEdit_ = MakeNumberEdit("EDo", kLastPageValue, kMaxPage, rangeGroup_);
    toEdit_->setSpecialValueText(LastPageText(kToLastPage));
    copiesEdit_ = MakeNumberEdit("EKopie", 1, kMaxCopies, rangeGroup_);
    fromEdit_->setValue(kMinPage);
    toEdit_->setValue(kLastPageValue);
    copiesEdit_->setValue(1);
    currentPageBox_ = MakeCheckBox("ChBAktualniStranka",
                                   QStringLiteral("&Tisknout &aktuální stránku"), rangeGroup_);
    oneRecordBox_ =
        MakeCheckBox("ChBJedenZaznam", QStringLiteral("Tisknout pouze &jeden záznam"), rangeGroup_);

    auto* form = new QFormLayout(rangeGroup_);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("&Od stránky:"), fromEdit_);
    form->addRow(QStringLiteral("&Do stránky:"), toEdit_);
    form->addRow(QStringLiteral("&Počet kopií:"), copiesEdit_);
    form->addRow(currentPageBox_);
    form->addRow(oneRecordBox_);

    connect(currentPageBox_, &QCheckBox::toggled, this, &TSestPrintDlg::CurrentPageToggled);
    return rangeGroup_;
}

QGroupBox* TSestPrintDlg::BuildTemplateGroup() {
    templateGroup_ = new QGroupBox(QStringLiteral("Tiskový formulář:"), this);
    templateGroup_->setObjectName(QStringLiteral("GroupFormular"));
    templateBox_ = new TComboBoxPredloha(templateGroup_);
    templateBox_->setObjectName(QStringLiteral("CBPredloha"));
    pathLabel_ = MakeValueLabel("LabelNazev", templateGroup_);
    pathLabel_->setFixedWidth(kPathLabelWidth);
    editButton_ = new QPushButton(QStringLiteral("&Upravit..."), templateGroup_);
    editButton_->setObjectName(QStringLiteral("BtnUpravit"));
    editButton_->setAutoDefault(false);
    setDefaultBox_ = MakeCheckBox("ChBVychozi", QStringLiteral("Nastavit jako výchozí &formulář"),
                                  templateGroup_);

    templateForm_ = new QFormLayout(templateGroup_);
    templateForm_->addRow(QStringLiteral("Popis:"), templateBox_);
    pathCaption_ = new QLabel(QStringLiteral("Název:"), templateGroup_);
    pathCaption_->setObjectName(QStringLiteral("LabelNazevCaption"));
    templateForm_->addRow(pathCaption_, pathLabel_);
    auto* row = new QHBoxLayout;
    row->addWidget(setDefaultBox_);
    row->addStretch(1);
    row->addWidget(editButton_);
    templateForm_->addRow(row);

    connect(templateBox_, &TComboBoxPredloha::SelectedPathChanged, this,
            &TSestPrintDlg::TemplateChanged);
    connect(editButton_, &QPushButton::clicked, this, [this] { done(TPrintDialogTyp::prUpravit); });
    return templateGroup_;
}

QPushButton* TSestPrintDlg::MakeButton(const char* name, const QString& text, int result) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
}

QLayout* TSestPrintDlg::BuildButtons() {
    printButton_ = MakeButton("BtnTisk", QStringLiteral("&Tisk"), TPrintDialogTyp::prTisk);
    printButton_->setDefault(true);
    previewButton_ = MakeButton("BtnNahled", QStringLiteral("&Náhled"), TPrintDialogTyp::prNahled);
    cancelButton_ = MakeButton("BtnStorno", QStringLiteral("Storno"), TPrintDialogTyp::prStorno);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(printButton_);
    row->addWidget(previewButton_);
    row->addWidget(cancelButton_);
    return row;
}

// ---- filling from the component and back ---------------------------------------------------

void TSestPrintDlg::Load(const TPrintDialogTyp& settings) {
    setWindowTitle(settings.Caption);
    printerGroup_->setVisible(settings.ShowPrinterGroup);
    rangeGroup_->setVisible(settings.ShowRangeGroup);
    templateGroup_->setVisible(settings.ShowTemplateGroup);
    currentPageBox_->setVisible(settings.ShowCurrentPage);
    oneRecordBox_->setVisible(settings.ShowOneRecord);
    toFileBox_->setVisible(settings.ShowToFile);
    setDefaultBox_->setVisible(settings.ShowSetAsDefault);
    backgroundBox_->setVisible(settings.ShowBackground);
    pathCaption_->setVisible(settings.ShowTemplateNames);
    pathLabel_->setVisible(settings.ShowTemplateNames);

    fromEdit_->setValue(settings.FromPage);
    toEdit_->setValue(settings.ToPage == kToLastPage ? kLastPageValue : settings.ToPage);
    copiesEdit_->setValue(settings.Copies);
    toFileBox_->setChecked(settings.ToFile);
    currentPageBox_->setChecked(settings.CurrentPage);
    CurrentPageToggled(settings.CurrentPage);
    oneRecordBox_->setChecked(settings.OneRecord);
    setDefaultBox_->setChecked(settings.SetAsDefault);
    backgroundBox_->setChecked(settings.PrintBackground);

    editButton_->setEnabled(settings.EnableEdit);
    previewButton_->setEnabled(settings.EnablePreview);
    LoadPrinter(settings);
    LoadTemplate(settings);
}

void TSestPrintDlg::LoadPrinter(const TPrintDialogTyp& settings) {
    const bool printers = platform::Printers().PrinterCount() > 0;
    printerBox_->setEnabled(printers);
    toFileBox_->setEnabled(printers);
    propertiesButton_->setEnabled(printers && settings.EnablePrinterProperties);
    printButton_->setEnabled(printers && settings.EnablePrint);
    if (printers) {
        printerBox_->Fill(settings.PrinterIndex);
    } else {
        printerBox_->clear();
    }
    PrinterChanged();
}

void TSestPrintDlg::LoadTemplate(const TPrintDialogTyp& settings) {
    templateBox_->OnNactiSeznam = settings.OnNactiSeznam;
    templateBox_->ReportDirIgnore = settings.ReportDirIgnore;
    templateBox_->SetReportDir(settings.ReportDir);
    templateBox_->SetReportMask(settings.ReportMask.isEmpty() ? QStringLiteral("*.pts")
                                                              : settings.ReportMask);
    if (settings.ShowTemplateGroup) {
        templateBox_->Fill(settings.ReportPath);
    }
}

void TSestPrintDlg::Store(TPrintDialogTyp& settings) const {
    if (settings.ShowTemplateGroup) {
        settings.ReportPath = templateBox_->SelectedPath();
    }
    settings.FromPage = fromEdit_->value();
    settings.ToPage = toEdit_->value() == kLastPageValue ? kToLastPage : toEdit_->value();
    settings.Copies = copiesEdit_->value();
    if (printerBox_->isEnabled()) {
        settings.PrinterIndex = printerBox_->SelectedPrinterIndex();
    }
    settings.ToFile = toFileBox_->isChecked();
    settings.CurrentPage = currentPageBox_->isChecked();
    settings.OneRecord = oneRecordBox_->isChecked();
    settings.SetAsDefault = setDefaultBox_->isChecked();
    settings.PrintBackground = backgroundBox_->isChecked();
}

// ---- behaviour -------------------------------------------------------------------------------

void TSestPrintDlg::PrinterChanged() {
    const int index = printerBox_->SelectedPrinterIndex();
    if (index < 0) {
        deviceLabel_->clear();
        portLabel_->clear();
        return;
    }
    const TDeviceAndPort device = PrinterDeviceAndPort(index);
    deviceLabel_->setText(device.Device);
    portLabel_->setText(device.Port);
}

void TSestPrintDlg::ShowProperties() {
    const int index = printerBox_->SelectedPrinterIndex();
    if (index >= 0 && ShowPrinterProperties(this, index)) {
        PrinterChanged();
    }
}

void TSestPrintDlg::CurrentPageToggled(bool on) {
    fromEdit_->setEnabled(!on);
    toEdit_->setEnabled(!on);
}

void TSestPrintDlg::TemplateChanged(const QString& path) {
    pathLabel_->setToolTip(path);
    pathLabel_->setText(
        pathLabel_->fontMetrics().elidedText(path, Qt::ElideMiddle, kPathLabelWidth));
}
