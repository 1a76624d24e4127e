// TSestDlg: the tabs and their controls.

#include "report/designer/sestdlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "report/designer/dialog_controls.h"
#include "report/designer/paper_preview.h"
#include "report/output/length_units.h"

using namespace designer_ui;

namespace {

QSpinBox* Spin(QFormLayout* form, const QString& name, const QString& caption, int low, int high,
               QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    form->addRow(Caption(caption, spin, parent), spin);
    return spin;
}

QLineEdit* ReadOnly(QFormLayout* form, const QString& name, const QString& caption,
                    QWidget* parent) {
    QLineEdit* edit = FormEdit(form, name, caption, parent);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

TSestDlg::TSestDlg(TTemplateSettingsHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("SestDlg"));
    setWindowTitle(QStringLiteral("Nastavení parametrů sestavy"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl"));
    tabs_->addTab(BuildSestava(), QStringLiteral("Sestava"));
    tabs_->addTab(BuildPapir(), QStringLiteral("Papír"));
    tabs_->addTab(BuildRastr(), QStringLiteral("Rastr"));
    tabs_->addTab(BuildOddily(), QStringLiteral("Oddíly"));
    tabs_->addTab(BuildSkupiny(), QStringLiteral("Skupiny"));
    layout->addWidget(tabs_);
    auto* ok = AddClosingButtons(layout, {QStringLiteral("BtnKonec"), QStringLiteral("&Konec")},
                                 {QStringLiteral("BtnStorno"), QStringLiteral("Storno")}, this);
    connect(ok, &QPushButton::clicked, this, &TSestDlg::Finish);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (allTabs_ && !filling_ && tab >= 0) {
            lastTab_ = tab;
        }
    });
}

QWidget* TSestDlg::BuildSestava() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    reportName_ = ReadOnly(form, QStringLiteral("EReportName"), QStringLiteral("Soubor:"), page);
    reportDir_ = ReadOnly(form, QStringLiteral("EReportDir"), QStringLiteral("Složka:"), page);
    reportDir_->setMinimumWidth(360);
    copies_ = ReadOnly(form, QStringLiteral("ENumCopies"), QStringLiteral("Počet tištěných kopií:"),
                       page);
    startPage_ =
        ReadOnly(form, QStringLiteral("EStartPage"), QStringLiteral("Tištěné stránky:"), page);
    endPage_ = ReadOnly(form, QStringLiteral("EEndPage"), QStringLiteral("až"), page);
    maxRecords_ = ReadOnly(form, QStringLiteral("EMaxRecords"),
                           QStringLiteral("Maximální počet záznamů:"), page);
    popis_ = FormEdit(form, QStringLiteral("ENazev"), QStringLiteral("Popis:"), page);
    return page;
}

QWidget* TSestDlg::BuildPapir() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    auto* formatRow = new QHBoxLayout;
    formatsBox_ = new QComboBox(page);
    formatsBox_->setObjectName(QStringLiteral("CBFormaty"));
    formatsBox_->setMinimumWidth(230);
    editFormat_ = NamedButton(QStringLiteral("ButtonEditFormat"), QStringLiteral("Ukaž"), page);
    addFormat_ = NamedButton(QStringLiteral("ButtonInsertFormat"), QStringLiteral("Přidej"), page);
    dropFormat_ = NamedButton(QStringLiteral("ButtonDeleteFormat"), QStringLiteral("Vynech"), page);
    formatRow->addWidget(Caption(QStringLiteral("Formát papíru:"), formatsBox_, page));
    formatRow->addWidget(formatsBox_, 1);
    formatRow->addWidget(editFormat_);
    formatRow->addWidget(addFormat_);
    formatRow->addWidget(dropFormat_);
    grid->addLayout(formatRow, 0, 0, 1, 3);

    auto* orientation = new QGroupBox(QStringLiteral("Orientace papíru:"), page);
    auto* orientationLayout = new QVBoxLayout(orientation);
    portrait_ = new QRadioButton(QStringLiteral("na výšku"), orientation);
    portrait_->setObjectName(QStringLiteral("RbOrientationP"));
    landscape_ = new QRadioButton(QStringLiteral("na šířku"), orientation);
    landscape_->setObjectName(QStringLiteral("RbOrientationL"));
    allowOrientation_ = NamedCheck(QStringLiteral("CbAllowChangeOrientation"),
                                   QStringLiteral("Povolit změnu orientace"), orientation);
    orientationLayout->addWidget(portrait_);
    orientationLayout->addWidget(landscape_);
    orientationLayout->addWidget(allowOrientation_);
    grid->addWidget(orientation, 1, 0);

    auto* marginsBox = new QGroupBox(QStringLiteral("Okraje papíru:"), page);
    auto* marginsForm = new QFormLayout(marginsBox);
    const char* names[] = {"SEOkrajLevy", "SEOkrajPravy", "SEOkrajHorni", "SEOkrajDolni"};
    const char* captions[] = {"Levý:", "Pravý:", "Horní:", "Dolní:"};
    for (int i = 0; i < 4; ++i) {
        margins_[i] = Spin(marginsForm, QLatin1String(names[i]), QString::fromUtf8(captions[i]), 0,
                           99999, marginsBox);
    }
    grid->addWidget(marginsBox, 1, 1);

    auto* division = new QGroupBox(QStringLiteral("Dělení papíru:"), page);
    auto* divisionForm = new QFormLayout(division);
    columns_ = Spin(divisionForm, QStringLiteral("SEPocSloup"),
                    QStringLiteral("Počet sloupců tisku:"), 1, 99, division);
    gap_ = Spin(divisionForm, QStringLiteral("SEMeziSloup"), QStringLiteral("Mezera mezi sloupci:"),
                0, 999, division);
    grid->addWidget(division, 2, 1);

    auto* sketch = new QVBoxLayout;
    preview_ = new TPaperPreview(page);
    sketch->addWidget(preview_, 0, Qt::AlignHCenter);
    infoSize_ = new QLabel(page);
    infoSize_->setObjectName(QStringLiteral("InfoRozmer"));
    infoPrintable_ = new QLabel(page);
    infoPrintable_->setObjectName(QStringLiteral("InfoRozmerT"));
    infoUnit_ = new QLabel(page);
    infoUnit_->setObjectName(QStringLiteral("InfoRozmerUnit"));
    infoCell_ = new QLabel(page);
    infoCell_->setObjectName(QStringLiteral("InfoRozmerS"));
    auto* info = new QFormLayout;
    info->addRow(QStringLiteral("Papír:"), infoSize_);
    info->addRow(QStringLiteral("Tisková plocha:"), infoPrintable_);
    info->addRow(QStringLiteral("Rozměr štítku:"), infoCell_);
    info->addRow(infoUnit_);
    sketch->addLayout(info);
    sketch->addStretch();
    grid->addLayout(sketch, 1, 2, 2, 1);
    grid->setRowStretch(3, 1);

    connect(formatsBox_, &QComboBox::activated, this, &TSestDlg::ChooseFormat);
    connect(editFormat_, &QPushButton::clicked, this, &TSestDlg::EditFormat);
    connect(addFormat_, &QPushButton::clicked, this, &TSestDlg::AddFormat);
    connect(dropFormat_, &QPushButton::clicked, this, &TSestDlg::DropFormat);
    for (QRadioButton* radio : {portrait_, landscape_}) {
        connect(radio, &QRadioButton::toggled, this, &TSestDlg::PageChanged);
    }
    connect(allowOrientation_, &QCheckBox::toggled, this, &TSestDlg::PageChanged);
    for (QSpinBox* spin : {margins_[0], margins_[1], margins_[2], margins_[3], columns_, gap_}) {
        connect(spin, &QSpinBox::valueChanged, this, &TSestDlg::PageChanged);
    }
    return page;
}

QWidget* TSestDlg::BuildRastr() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    auto* background = new QGroupBox(QStringLiteral("Pozadí:"), page);
    auto* backgroundForm = new QFormLayout(background);
    defaultBackground_ = NamedCheck(QStringLiteral("CheckBoxPozadi"),
                                    QStringLiteral("Výchozí nastavení"), background);
    printBackground_ = NamedCheck(QStringLiteral("CheckBoxTiskPozadi"),
                                  QStringLiteral("Tisknout pozadí"), background);
    backgroundForm->addRow(defaultBackground_);
    backgroundForm->addRow(printBackground_);
    backgroundFile_ = FormCombo(backgroundForm, QStringLiteral("CBBackgroundFile"),
                                QStringLiteral("Soubor pozadí:"), background);
    backgroundFile_->setEditable(true);
    backgroundFile_->setMinimumWidth(200);
    auto* placementBox = new QGroupBox(QStringLiteral("Umístění:"), background);
    auto* placementForm = new QFormLayout(placementBox);
    wholePaper_ =
        NamedCheck(QStringLiteral("CheckBoxCelyPapir"), QStringLiteral("Celý papír"), placementBox);
    placementForm->addRow(wholePaper_);
    const char* names[] = {"SpinEditUmL", "SpinEditUmT", "SpinEditUmW", "SpinEditUmH"};
    const char* captions[] = {"Levý:", "Horní:", "Šířka:", "Výška:"};
    for (int i = 0; i < 4; ++i) {
        placement_[i] = Spin(placementForm, QLatin1String(names[i]), QString::fromUtf8(captions[i]),
                             -999999, 999999, placementBox);
    }
    backgroundForm->addRow(placementBox);
    grid->addWidget(background, 0, 0, 3, 1);

    auto* typeBox = new QGroupBox(QStringLiteral("Typ rastru:"), page);
    typeBox->setObjectName(QStringLiteral("RgTypRastru"));
    auto* typeLayout = new QVBoxLayout(typeBox);
    rasterType_ = new QButtonGroup(this);
    const char* types[] = {"Grafický", "Znakový"};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(types[i]), typeBox);
        radio->setObjectName(QStringLiteral("RgTypRastru%1").arg(i));
        rasterType_->addButton(radio, i);
        typeLayout->addWidget(radio);
    }
    showGrid_ =
        NamedCheck(QStringLiteral("CBZobrRastr"), QStringLiteral("Zobrazovat rastr"), typeBox);
    snap_ =
        NamedCheck(QStringLiteral("CBZarovRastr"), QStringLiteral("Zarovnávat do rastru"), typeBox);
    typeLayout->addWidget(showGrid_);
    typeLayout->addWidget(snap_);
    grid->addWidget(typeBox, 0, 1);

    rasterSize_ = new QGroupBox(QStringLiteral("Velikost rastru:"), page);
    auto* sizeForm = new QFormLayout(rasterSize_);
    rasterX_ =
        FormEdit(sizeForm, QStringLiteral("EditRastrX"), QStringLiteral("Rastr X:"), rasterSize_);
    rasterY_ =
        FormEdit(sizeForm, QStringLiteral("EditRastrY"), QStringLiteral("Rastr Y:"), rasterSize_);
    grid->addWidget(rasterSize_, 1, 1);
    pitchBox_ = new QGroupBox(QStringLiteral("Rozteč znaků"), page);
    pitchBox_->setObjectName(QStringLiteral("RgRoztecZn"));
    auto* pitchLayout = new QVBoxLayout(pitchBox_);
    pitch_ = new QButtonGroup(this);
    const char* pitches[] = {"10 znaků/palec", "12 znaků/palec", "17 znaků/palec"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(pitches[i]), pitchBox_);
        radio->setObjectName(QStringLiteral("RgRoztecZn%1").arg(i));
        pitch_->addButton(radio, i);
        pitchLayout->addWidget(radio);
    }
    grid->addWidget(pitchBox_, 1, 1);
    auto* unitForm = new QFormLayout;
    units_ = FormCombo(unitForm, QStringLiteral("ComboBoxUnits"), QStringLiteral("Měrné jednotky:"),
                       page);
    for (int u = 0; u < kUnitCount; ++u) {
        units_->addItem(UnitLabel(u));
    }
    grid->addLayout(unitForm, 2, 1);
    grid->setRowStretch(3, 1);

    connect(rasterType_, &QButtonGroup::idToggled, this, [this] { RasterTypeChanged(); });
    connect(defaultBackground_, &QCheckBox::toggled, this, &TSestDlg::BackgroundChanged);
    connect(wholePaper_, &QCheckBox::toggled, this, &TSestDlg::BackgroundChanged);
    for (QSpinBox* spin : placement_) {
        connect(spin, &QSpinBox::valueChanged, this, &TSestDlg::PageChanged);
    }
    connect(units_, &QComboBox::activated, this, &TSestDlg::SwitchUnit);
    return page;
}

QWidget* TSestDlg::BuildOddily() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* sections = new QGroupBox(QStringLiteral("Nastavení oddílů:"), page);
    auto* grid = new QGridLayout(sections);
    const char* checks[] = {"CBOddZ", "CBOddH", "CBOddT", "CBOddK", "CBOddP"};
    const char* texts[] = {"Začátek sestavy", "Hlava stránky", "Tělo sestavy", "Konec sestavy",
                           "Pata stránky"};
    const char* heights[] = {"EditHZ", "EditHH", "EditHT", "EditHK", "EditHP"};
    for (int i = 0; i < kFixedSectionCount; ++i) {
        sectionVisible_[i] =
            NamedCheck(QLatin1String(checks[i]), QString::fromUtf8(texts[i]), sections);
        sectionHeight_[i] = new QLineEdit(sections);
        sectionHeight_[i]->setObjectName(QLatin1String(heights[i]));
        grid->addWidget(sectionVisible_[i], i, 0);
        grid->addWidget(Caption(QStringLiteral("Výška:"), sectionHeight_[i], sections), i, 1);
        grid->addWidget(sectionHeight_[i], i, 2);
    }
    connect(sectionHeight_[stBody], &QLineEdit::textChanged, this, &TSestDlg::PageChanged);
    layout->addWidget(sections);
    auto* flags = new QTabWidget(page);
    flags->setObjectName(QStringLiteral("PageControlOddily"));
    auto* paging = new QWidget(flags);
    auto* pagingLayout = new QVBoxLayout(paging);
    bodyOnNewPage_ =
        NamedCheck(QStringLiteral("CbNtNs"), QStringLiteral("Nové tělo na novou stránku"), paging);
    breakAfterHeader_ = NamedCheck(QStringLiteral("CbNsZac"),
                                   QStringLiteral("Odstránkovat po začátku sestavy"), paging);
    breakBeforeFooter_ = NamedCheck(QStringLiteral("CbNsKon"),
                                    QStringLiteral("Odstránkovat před koncem sestavy"), paging);
    noLastPageHeader_ = NamedCheck(QStringLiteral("CbNePosledniHlava"),
                                   QStringLiteral("Na poslední stránce netisknout hlavu"), paging);
    for (QCheckBox* box :
         {bodyOnNewPage_, breakAfterHeader_, breakBeforeFooter_, noLastPageHeader_}) {
        pagingLayout->addWidget(box);
    }
    flags->addTab(paging, QStringLiteral("Stránkování"));
    auto* details = new QWidget(flags);
    auto* detailsLayout = new QVBoxLayout(details);
    noFirstPageHeader_ = NamedCheck(QStringLiteral("CbNePrvniHlava"),
                                    QStringLiteral("Na první stránce netisknout hlavu"), details);
    noLastPageFooter_ = NamedCheck(QStringLiteral("CbNePosledniPata"),
                                   QStringLiteral("Na poslední stránce netisknout patu"), details);
    footerAtPageFooter_ = NamedCheck(QStringLiteral("CbKonecKPate"),
                                     QStringLiteral("Konec sestavy zarovnat k patě"), details);
    footerOnlyFirstPage_ =
        NamedCheck(QStringLiteral("CbPouzePrvniPata"),
                   QStringLiteral("Patu tisknout pouze na první stránce"), details);
    for (QCheckBox* box :
         {noFirstPageHeader_, noLastPageFooter_, footerAtPageFooter_, footerOnlyFirstPage_}) {
        detailsLayout->addWidget(box);
    }
    flags->addTab(details, QStringLiteral("Upřesnění"));
    layout->addWidget(flags);
    layout->addStretch();
    connect(breakBeforeFooter_, &QCheckBox::toggled, this, &TSestDlg::ReportFooterPageBreakChanged);
    return page;
}

QWidget* TSestDlg::BuildSkupiny() {
    auto* page = new QWidget(this);
    auto* layout = new QHBoxLayout(page);
    auto* listBox = new QGroupBox(QStringLiteral("Nastavení skupin:"), page);
    auto* listLayout = new QVBoxLayout(listBox);
    groups_ = new QListWidget(listBox);
    groups_->setObjectName(QStringLiteral("LBSkupPol"));
    listLayout->addWidget(Caption(QStringLiteral("Skupiny:"), groups_, listBox));
    listLayout->addWidget(groups_);
    auto* buttons = new QHBoxLayout;
    insertGroup_ = NamedButton(QStringLiteral("SBInsSk"), QStringLiteral("Ins"), listBox);
    deleteGroup_ = NamedButton(QStringLiteral("SBDelSk"), QStringLiteral("Del"), listBox);
    upGroup_ = NamedButton(QStringLiteral("SBUpSk"), QStringLiteral("Nahoru"), listBox);
    buttons->addWidget(insertGroup_);
    buttons->addWidget(deleteGroup_);
    buttons->addWidget(upGroup_);
    listLayout->addLayout(buttons);
    layout->addWidget(listBox);

    auto* edit = new QWidget(page);
    auto* form = new QFormLayout(edit);
    groupExpression_ = new QLineEdit(edit);
    groupExpression_->setObjectName(QStringLiteral("EditFnVyr"));
    groupExpression_->setMinimumWidth(220);
    groupExpressionButton_ =
        NamedButton(QStringLiteral("SpeedButtonFnV"), QStringLiteral("Výraz..."), edit);
    auto* expressionRow = new QHBoxLayout;
    expressionRow->addWidget(groupExpression_, 1);
    expressionRow->addWidget(groupExpressionButton_);
    form->addRow(Caption(QStringLiteral("Skupinový výraz:"), groupExpression_, edit),
                 expressionRow);
    groupHeader_ = NamedCheck(QStringLiteral("CBOddS"), QStringLiteral("Začátek"), edit);
    groupHeaderHeight_ = new QLineEdit(edit);
    groupHeaderHeight_->setObjectName(QStringLiteral("EditHS"));
    form->addRow(groupHeader_);
    form->addRow(Caption(QStringLiteral("Výška oddílu:"), groupHeaderHeight_, edit),
                 groupHeaderHeight_);
    groupFooter_ = NamedCheck(QStringLiteral("CBOddU"), QStringLiteral("Konec"), edit);
    groupFooterHeight_ = new QLineEdit(edit);
    groupFooterHeight_->setObjectName(QStringLiteral("EditHU"));
    form->addRow(groupFooter_);
    form->addRow(Caption(QStringLiteral("Výška oddílu:"), groupFooterHeight_, edit),
                 groupFooterHeight_);
    groupNewPage_ = NamedCheck(QStringLiteral("CBNsNs"),
                               QStringLiteral("Novou skupinu na novou stránku"), edit);
    groupByName_ = NamedCheck(QStringLiteral("CBSkPodle"),
                              QStringLiteral("Skupinová položka podle názvu"), edit);
    groupByName_->setEnabled(false);
    form->addRow(groupNewPage_);
    form->addRow(groupByName_);
    layout->addWidget(edit, 1);

    connect(groups_, &QListWidget::currentRowChanged, this, &TSestDlg::GroupSelected);
    connect(insertGroup_, &QPushButton::clicked, this, &TSestDlg::InsertGroup);
    connect(deleteGroup_, &QPushButton::clicked, this, &TSestDlg::DeleteGroup);
    connect(upGroup_, &QPushButton::clicked, this, &TSestDlg::MoveGroupUp);
    connect(groupExpressionButton_, &QPushButton::clicked, this, &TSestDlg::EditGroupExpression);
    connect(groupExpression_, &QLineEdit::textChanged, this, &TSestDlg::GroupEdited);
    for (QCheckBox* box : {groupHeader_, groupFooter_, groupNewPage_}) {
        connect(box, &QCheckBox::toggled, this, &TSestDlg::GroupEdited);
    }
    for (QLineEdit* height : {groupHeaderHeight_, groupFooterHeight_}) {
        connect(height, &QLineEdit::textChanged, this, &TSestDlg::GroupEdited);
    }
    return page;
}
