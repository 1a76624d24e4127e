// TDlgKonfPrvku: the pages and their controls.

#include "report/designer/dlgkonfprvku.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "report/designer/design_properties.h"
#include "report/designer/dialog_controls.h"
#include "report/output/length_units.h"
#include "report/output/sestbarc.h"
#include "report/output/template_font.h"

using namespace designer_ui;

TDlgKonfPrvku::TMode TDlgKonfPrvku::ModeFor(int kind) {
    if (TLumexReportElement::IsTextKind(kind)) {
        return kmText;
    }
    return kind == ekBarcode ? kmBarcode : kmGraphic;
}

TDlgKonfPrvku::TDlgKonfPrvku(TMode mode, const TElementDialogContext& context, QWidget* parent)
    : QDialog(parent), mode_(mode), context_(context) {
    setObjectName(QStringLiteral("DlgKonfPrvku"));
    setWindowTitle(QStringLiteral("Nastavení vlastností prvku"));
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));
    pages_->addTab(BuildBasicPage(), QStringLiteral("Základní vlastnosti"));
    pages_->addTab(BuildFontPage(), QStringLiteral("Písmo prvku"));
    pages_->addTab(BuildBarcodePage(), QStringLiteral("Čárový kód"));
    pages_->addTab(BuildConditionPage(), QStringLiteral("Podmíněný tisk"));
    layout->addWidget(pages_);
    auto* ok = AddClosingButtons(layout, {QStringLiteral("OKBtn"), QStringLiteral("OK")},
                                 {QStringLiteral("CancelBtn"), QStringLiteral("Storno")}, this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(pages_, &QTabWidget::currentChanged, this, &TDlgKonfPrvku::PageChanged);
    const QString unitText = QLatin1Char('(') + UnitLabel(context_.unit) + QLatin1Char(')');
    for (QLabel* label : unitLabels_) {
        label->setText(unitText);
    }
    SetFont(font_);
    ShowPages();
}

void TDlgKonfPrvku::ShowPages() {
    const bool visible[4][pgCount] = {
        {true, true, false, true},    // text
        {false, true, false, false},  // font
        {false, false, false, true},  // graphic
        {false, false, true, true},   // barcode
    };
    int first = -1;
    for (int page = 0; page < pgCount; ++page) {
        pages_->setTabVisible(page, visible[mode_][page]);
        if (visible[mode_][page] && first < 0) {
            first = page;
        }
    }
    pages_->setCurrentIndex(first);
    PageChanged(first);
}

// ---- "Základní vlastnosti" -----------------------------------------------------------------

QWidget* TDlgKonfPrvku::BuildBasicPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    auto* place = new QGroupBox(QStringLiteral("Umístění:"), page);
    auto* placeForm = new QFormLayout(place);
    const char* names[] = {"EdL", "EdH", "EdS", "EdV"};
    const char* captions[] = {"Levý:", "Horní:", "Šířka:", "Výška:"};
    for (int i = 0; i < 4; ++i) {
        geometry_[i] =
            FormEdit(placeForm, QLatin1String(names[i]), QString::fromUtf8(captions[i]), place);
    }
    unitLabels_[0] = new QLabel(place);
    unitLabels_[0]->setObjectName(QStringLiteral("LabelUnits"));
    placeForm->addRow(unitLabels_[0]);
    grid->addWidget(place, 0, 0, 2, 1);

    auto* form = new QFormLayout;
    kindName_ = FormEdit(form, QStringLiteral("EdTyp"), QStringLiteral("Typ prvku:"), page);
    kindName_->setReadOnly(true);
    source_ = new QComboBox(page);
    source_->setObjectName(QStringLiteral("CbIndex"));
    source_->setMinimumWidth(260);
    sourceCaption_ = Caption(QStringLiteral("Zdroj:"), source_, page);
    form->addRow(sourceCaption_, source_);
    text_ = new QLineEdit(page);
    text_->setObjectName(QStringLiteral("EditText"));
    textCaption_ = Caption(QStringLiteral("Text:"), text_, page);
    form->addRow(textCaption_, text_);
    alignment_ = FormCombo(form, QStringLiteral("CBZarovnani"), QStringLiteral("Zarovnání:"), page);
    alignment_->addItems(
        {QStringLiteral("Vlevo"), QStringLiteral("Vpravo"), QStringLiteral("Uprostřed")});
    spacing_ = FormEdit(form, QStringLiteral("ERoztec"), QStringLiteral("Rozteč znaků:"), page);
    angle_ = FormEdit(form, QStringLiteral("EAngleT"), QStringLiteral("Sklon textu:"), page);
    grid->addLayout(form, 0, 1);

    byNameGroup_ = new QGroupBox(QStringLiteral("Sledovat podle:"), page);
    byNameGroup_->setObjectName(QStringLiteral("RGPodle"));
    auto* byNameLayout = new QHBoxLayout(byNameGroup_);
    byName_ = new QButtonGroup(this);
    const char* byNameTexts[] = {"Pořadového čísla", "Názvu položky"};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(byNameTexts[i]), byNameGroup_);
        radio->setObjectName(QStringLiteral("RGPodle%1").arg(i));
        byName_->addButton(radio, i);
        byNameLayout->addWidget(radio);
    }
    grid->addWidget(byNameGroup_, 1, 1);

    auto* more = new QGroupBox(QStringLiteral("Další vlastnosti:"), page);
    auto* moreLayout = new QVBoxLayout(more);
    moreLayout->addWidget(BuildPanels(more));
    grid->addWidget(more, 2, 1);

    auto* frames = new QGroupBox(QStringLiteral("Rámování:"), page);
    auto* framesLayout = new QGridLayout(frames);
    const char* frameNames[] = {"SBRamL", "SBRamT", "SBRamR", "SBRamB"};
    const char* frameTexts[] = {"Levý", "Horní", "Pravý", "Dolní"};
    for (int i = 0; i < 4; ++i) {
        frames_[i] = new QToolButton(frames);
        frames_[i]->setObjectName(QLatin1String(frameNames[i]));
        frames_[i]->setText(QString::fromUtf8(frameTexts[i]));
        frames_[i]->setCheckable(true);
        framesLayout->addWidget(frames_[i], i / 2, i % 2);
    }
    grid->addWidget(frames, 2, 0);
    connect(source_, &QComboBox::currentIndexChanged, this, &TDlgKonfPrvku::SourceChanged);
    return page;
}

QWidget* TDlgKonfPrvku::BuildPanels(QWidget* parent) {
    panels_ = new QStackedWidget(parent);
    panels_->setObjectName(QStringLiteral("PanelyVlastnosti"));
    auto panel = [this](const QString& name) {
        auto* widget = new QWidget(panels_);
        widget->setObjectName(name);
        auto* layout = new QVBoxLayout(widget);
        layout->setContentsMargins(0, 0, 0, 0);
        panels_->addWidget(widget);
        return widget;
    };
    auto check = [](QWidget* host, const char* name, const char* text) {
        QCheckBox* box = NamedCheck(QLatin1String(name), QString::fromUtf8(text), host);
        host->layout()->addWidget(box);
        return box;
    };
    QWidget* text = panel(QStringLiteral("PanelText"));
    txMultiline_ = check(text, "CbTxMultiline", "Víceřádkový text");
    txVarHeight_ = check(text, "CBTxVarHeight", "Proměnná výška");
    txBlok_ = check(text, "CBTxBlok", "Zarovnat do bloku");
    QWidget* memo = panel(QStringLiteral("PanelMemo"));
    memoBlok_ = check(memo, "CBZarBlok", "Zarovnat do bloku");
    memoVarHeight_ = check(memo, "CBPromenVys", "Proměnná výška");
    memoRtf_ = check(memo, "CBRtf", "RTF formát textu");
    QWidget* picture = panel(QStringLiteral("PanelObrazek"));
    stretch_ = check(picture, "CBStretch", "Velikost podle okna");
    keepAspect_ = check(picture, "CBPomerStr", "Zachovat poměr stran");
    QWidget* function = panel(QStringLiteral("PanelFunkce"));
    auto* functionButton =
        NamedButton(QStringLiteral("SBFunkce"), QStringLiteral("Funkce ..."), function);
    function->layout()->addWidget(functionButton);
    fnMultiline_ = check(function, "CbFnMultiline", "Víceřádkový text");
    fnVarHeight_ = check(function, "CBFnVarHeight", "Proměnná výška");
    fnBlok_ = check(function, "CBFnBlok", "Zarovnat do bloku");
    fnBlok_->setVisible(false);
    panel(QStringLiteral("PanelPromenna"));
    for (int i = 0; i < panels_->count(); ++i) {
        static_cast<QVBoxLayout*>(panels_->widget(i)->layout())->addStretch();
    }
    connect(memoRtf_, &QCheckBox::toggled, this, &TDlgKonfPrvku::RtfToggled);
    connect(functionButton, &QPushButton::clicked, this, &TDlgKonfPrvku::EditChosenFunction);
    return panels_;
}

// ---- "Písmo prvku" ---------------------------------------------------------------------------

QWidget* TDlgKonfPrvku::BuildFontPage() {
    auto* page = new QWidget(this);
    auto* layout = new QHBoxLayout(page);
    auto* form = new QFormLayout;
    fontName_ = FormCombo(form, QStringLiteral("CBPisma"), QStringLiteral("Typ písma:"), page);
    QStringList fonts = FontList();
    if (context_.pismaAbec) {
        fonts.sort(Qt::CaseInsensitive);
    }
    fontName_->addItems(fonts);
    fontName_->setMinimumWidth(220);
    fontSize_ = FormCombo(form, QStringLiteral("CBVyska"), QStringLiteral("Velikost:"), page);
    fontSize_->setEditable(true);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}) {
        fontSize_->addItem(QString::number(size));
    }
    fontColour_ = FormCombo(form, QStringLiteral("CBBarva"), QStringLiteral("Barva:"), page);
    fontColour_->addItems(TDesignProperties::ColourNames());
    fontScript_ = FormCombo(form, QStringLiteral("CbSkript"), QStringLiteral("Skript:"), page);
    fontScript_->addItems({QStringLiteral("západní"), QStringLiteral("řecký"),
                           QStringLiteral("turecký"), QStringLiteral("pobaltský"),
                           QStringLiteral("středoevropský"), QStringLiteral("cyrilice"),
                           QStringLiteral("symboly"), QStringLiteral("default")});
    layout->addLayout(form);
    auto* style = new QGroupBox(QStringLiteral("Styl:"), page);
    auto* styleLayout = new QVBoxLayout(style);
    const char* names[] = {"CBBold", "CBItalic", "CbUnderline", "CBStrikeout"};
    const char* texts[] = {"Tučné", "Kurzíva", "Podtržení", "Přeškrtnutí"};
    for (int i = 0; i < 4; ++i) {
        styles_[i] = NamedCheck(QLatin1String(names[i]), QString::fromUtf8(texts[i]), style);
        styleLayout->addWidget(styles_[i]);
        connect(styles_[i], &QCheckBox::toggled, this, &TDlgKonfPrvku::FontChanged);
    }
    auto* right = new QVBoxLayout;
    right->addWidget(style);
    auto* sampleBox = new QGroupBox(QStringLiteral("Ukázka:"), page);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sample_ = new QLabel(QStringLiteral("ÁBČĎábčď"), sampleBox);
    sample_->setObjectName(QStringLiteral("LabelUkazkaF"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumSize(220, 90);
    sampleLayout->addWidget(sample_);
    right->addWidget(sampleBox);
    layout->addLayout(right);
    connect(fontName_, &QComboBox::currentIndexChanged, this, &TDlgKonfPrvku::FontChanged);
    connect(fontSize_, &QComboBox::currentTextChanged, this, &TDlgKonfPrvku::FontChanged);
    connect(fontColour_, &QComboBox::currentIndexChanged, this, &TDlgKonfPrvku::FontChanged);
    connect(fontScript_, &QComboBox::currentIndexChanged, this, &TDlgKonfPrvku::FontChanged);
    return page;
}

// ---- "Čárový kód" ----------------------------------------------------------------------------

QWidget* TDlgKonfPrvku::BuildBarcodePage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    auto* place = new QGroupBox(QStringLiteral("Umístění:"), page);
    auto* placeForm = new QFormLayout(place);
    const char* names[] = {"EdBcL", "EdBcH", "EdBcS", "EdBcV"};
    const char* captions[] = {"Levý:", "Horní:", "Šířka:", "Výška:"};
    for (int i = 0; i < 4; ++i) {
        barcodeGeometry_[i] =
            FormEdit(placeForm, QLatin1String(names[i]), QString::fromUtf8(captions[i]), place);
    }
    unitLabels_[1] = new QLabel(place);
    unitLabels_[1]->setObjectName(QStringLiteral("LabelUnitsBc"));
    placeForm->addRow(unitLabels_[1]);
    grid->addWidget(place, 0, 0, 2, 1);
    auto* form = new QFormLayout;
    barcodeType_ =
        FormCombo(form, QStringLiteral("CBBcTypBarCode"), QStringLiteral("Typ kódu:"), page);
    barcodeType_->addItems(BarcodeTypeNames());
    barWidth_ =
        FormCombo(form, QStringLiteral("CBBcSirkaBarCary"), QStringLiteral("Zvětšení:"), page);
    for (const TBarWidth& width : BarWidthList()) {
        barWidth_->addItem(width.caption);
    }
    checkSum_ = NamedCheck(QStringLiteral("CBBcCheckSum"),
                           QStringLiteral("Vytvářet kontrolní součet"), page);
    barText_ = NamedCheck(QStringLiteral("CBBcBarText"), QStringLiteral("Tisknout text"), page);
    guards_ = NamedCheck(QStringLiteral("CBBcBarZ"), QStringLiteral("Tisknout znaky <>"), page);
    form->addRow(checkSum_);
    form->addRow(barText_);
    form->addRow(guards_);
    grid->addLayout(form, 0, 1);
    auto* content = new QGroupBox(QStringLiteral("Obsah:"), page);
    auto* contentForm = new QFormLayout(content);
    barcodeText_ = FormEdit(contentForm, QStringLiteral("EditBcBarText"),
                            QStringLiteral("Funkční výraz:"), content);
    barcodeText_->setMinimumWidth(260);
    grid->addWidget(content, 2, 0, 1, 2);
    auto* other = new QGroupBox(QStringLiteral("Další:"), page);
    auto* otherForm = new QFormLayout(other);
    barcodeAngle_ =
        FormEdit(otherForm, QStringLiteral("EBcAngleT"), QStringLiteral("Úhel:"), other);
    grid->addWidget(other, 1, 1);
    return page;
}

// ---- "Podmíněný tisk" ------------------------------------------------------------------------

QWidget* TDlgKonfPrvku::BuildConditionPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    condition_ = new QLineEdit(page);
    condition_->setObjectName(QStringLiteral("EditFnVyr"));
    condition_->setMinimumWidth(380);
    layout->addWidget(
        Caption(QStringLiteral("Tisknout prvek, je-li splněna podmínka:"), condition_, page));
    auto* row = new QHBoxLayout;
    row->addWidget(condition_, 1);
    auto* edit = NamedButton(QStringLiteral("SpeedButtonFnV"), QStringLiteral("Výraz..."), page);
    auto* clear =
        NamedButton(QStringLiteral("SpeedButton1"), QStringLiteral("Zrušit podmínku"), page);
    row->addWidget(edit);
    row->addWidget(clear);
    layout->addLayout(row);
    auto* program = new QGroupBox(QStringLiteral("Programová obsluha:"), page);
    auto* programLayout = new QVBoxLayout(program);
    handler_ = NamedCheck(QStringLiteral("CbPrintHandler"),
                          QStringLiteral("Povolit programové řízení tisku prvku"), program);
    programLayout->addWidget(handler_);
    ident_ = new QLineEdit(program);
    ident_->setObjectName(QStringLiteral("EditPrintIdent"));
    programLayout->addWidget(
        Caption(QStringLiteral("Identifikace prvku při programovém řízení:"), ident_, program));
    programLayout->addWidget(ident_);
    layout->addWidget(program);
    layout->addStretch();
    connect(edit, &QPushButton::clicked, this, &TDlgKonfPrvku::EditCondition);
    connect(clear, &QPushButton::clicked, condition_, &QLineEdit::clear);
    return page;
}
