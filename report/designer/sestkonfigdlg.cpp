#include "report/designer/sestkonfigdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/messages.h"
#include "platform/print/printer_system.h"
#include "platform/widgets/dialogs.h"
#include "report/designer/dlgkonfprvku.h"
#include "report/model/lumex_element.h"
#include "report/model/template_fields.h"
#include "report/output/length_units.h"
#include "report/output/sestprn.h"
#include "report/output/template_font.h"

namespace {

QCheckBox* Check(const QString& name, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* Edit(const QString& name, QFormLayout* form, const QString& caption, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(edit);
    form->addRow(label, edit);
    return edit;
}

QComboBox* Alignments(const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(
        {QStringLiteral("Vlevo"), QStringLiteral("Vpravo"), QStringLiteral("Uprostřed")});
    return combo;
}

// A whole number, or `fallback` when the text is not one.
int Whole(const QLineEdit* edit, int fallback) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

}  // namespace

TSestKonfigDlg::TSestKonfigDlg(const TDesignerSettings& settings, const QString& iniPath,
                               QWidget* parent)
    : QDialog(parent), settings_(settings), iniPath_(iniPath) {
    setObjectName(QStringLiteral("SestKonfigDlg"));
    setWindowTitle(QStringLiteral("Prostředí editoru sestav"));
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControl"));
    tabs->addTab(BuildEnvironment(), QStringLiteral("Prostředí"));
    tabs->addTab(BuildRaster(), QStringLiteral("Rastr"));
    tabs->addTab(BuildDefaults(), QStringLiteral("Předvolby"));
    tabs->addTab(BuildLibrary(), QStringLiteral("Knihovna"));
    layout->addWidget(tabs);
    auto* buttons = new QHBoxLayout;
    auto* printer = new QPushButton(QStringLiteral("&Tiskárna.."), this);
    printer->setObjectName(QStringLiteral("BtnTiskarna"));
    auto* ok = new QPushButton(QStringLiteral("&Konec"), this);
    ok->setObjectName(QStringLiteral("BtnKonec"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Storno"), this);
    cancel->setObjectName(QStringLiteral("BtnStorno"));
    buttons->addWidget(printer);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(printer, &QPushButton::clicked, this,
            [this] { ShowPrinterProperties(this, platform::Printers().CurrentIndex()); });
    connect(ok, &QPushButton::clicked, this, &TSestKonfigDlg::Finish);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FillControls();
}

QWidget* TSestKonfigDlg::BuildEnvironment() {
    auto* page = new QWidget(this);
    auto* box = new QGroupBox(QStringLiteral("Prostředí editoru:"), page);
    auto* form = new QFormLayout(box);
    mazaniJedne_ = Check(QStringLiteral("CBMazaniJedne"),
                         QStringLiteral("Potvrdit mazání jednoho prvku"), box);
    mazaniVice_ =
        Check(QStringLiteral("CBMazaniVice"), QStringLiteral("Potvrdit mazání více prvků"), box);
    posunMimo_ = Check(QStringLiteral("CBPosunMimo"),
                       QStringLiteral("Povolit přesun prvku mimo oddíl"), box);
    undoSave_ = Check(QStringLiteral("CBUndoSave"),
                      QStringLiteral("Sledovat změny i po uložení na disk"), box);
    showTree_ =
        Check(QStringLiteral("CBShowTree"), QStringLiteral("Zobrazit strom prvků předlohy"), box);
    sledPodle_ = Check(QStringLiteral("CBSledPodle"), QStringLiteral("Sledovat podle názvu"), box);
    popisyPol_ = Check(QStringLiteral("CBPopisyPol"),
                       QStringLiteral("Místo názvů položek používat popisy"), box);
    pismaAbec_ = Check(QStringLiteral("CBPismaAbec"),
                       QStringLiteral("Nabídku písem řadit podle abecedy"), box);
    for (QCheckBox* check : {mazaniJedne_, mazaniVice_, posunMimo_, undoSave_, showTree_,
                             sledPodle_, popisyPol_, pismaAbec_}) {
        form->addRow(check);
    }
    pocetUndo_ = Edit(QStringLiteral("EditPocetUndo"), form,
                      QStringLiteral("Maximální počet kroků sledování změn:"), box);
    useUnits_ = new QComboBox(box);
    useUnits_->setObjectName(QStringLiteral("CBUseUnits"));
    for (int u = 0; u < kUnitCount; ++u) {
        useUnits_->addItem(UnitLabel(u));
    }
    auto* unitLabel = new QLabel(QStringLiteral("Výchozí měrné jednotky:"), box);
    unitLabel->setBuddy(useUnits_);
    form->addRow(unitLabel, useUnits_);
    connect(useUnits_, &QComboBox::activated, this, &TSestKonfigDlg::ChangeUnit);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch();
    return page;
}

QWidget* TSestKonfigDlg::BuildRaster() {
    auto* page = new QWidget(this);
    auto* raster = new QGroupBox(QStringLiteral("Rastr editoru předloh:"), page);
    auto* form = new QFormLayout(raster);
    rastrX_ = Edit(QStringLiteral("EditRastrX"), form, QStringLiteral("Rastr X:"), raster);
    rastrY_ = Edit(QStringLiteral("EditRastrY"), form, QStringLiteral("Rastr Y:"), raster);
    rastrZobrazovat_ =
        Check(QStringLiteral("CBRastrZobrazovat"), QStringLiteral("Zobrazovat rastr"), raster);
    rastrZarovnavat_ =
        Check(QStringLiteral("CBRastrZarovnavat"), QStringLiteral("Zarovnávat do rastru"), raster);
    form->addRow(rastrZobrazovat_);
    form->addRow(rastrZarovnavat_);
    auto* rulers = new QGroupBox(QStringLiteral("Pravítka:"), page);
    auto* rulerForm = new QFormLayout(rulers);
    showRulesLR_ = Check(QStringLiteral("CBShowRulesLR"),
                         QStringLiteral("Zobrazit svislá pravítka vzdáleností"), rulers);
    showRulesTB_ = Check(QStringLiteral("CBShowRulesTB"),
                         QStringLiteral("Zobrazit vodorovná pravítka vzdáleností"), rulers);
    trackingH_ = Check(QStringLiteral("CBTrackingH"),
                       QStringLiteral("Překreslovat běhen vodorovného posuvu"), rulers);
    trackingV_ = Check(QStringLiteral("CBTrackingV"),
                       QStringLiteral("Překreslovat během svislého posuvu"), rulers);
    for (QCheckBox* check : {showRulesLR_, showRulesTB_, trackingH_, trackingV_}) {
        rulerForm->addRow(check);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(raster);
    layout->addWidget(rulers);
    layout->addStretch();
    return page;
}

QWidget* TSestKonfigDlg::BuildDefaults() {
    auto* page = new QWidget(this);
    auto* box = new QGroupBox(QStringLiteral("Počáteční vlastnosti vkládaných položek:"), page);
    auto* form = new QFormLayout(box);
    implSirka_ = Edit(QStringLiteral("EditImplSirka"), form, QStringLiteral("Šířka položky:"), box);
    implVyska_ = Edit(QStringLiteral("EditImplVyska"), form, QStringLiteral("Výška položky:"), box);
    implZarovnani_ = Alignments(QStringLiteral("CBImplZarovnani"), box);
    implZarovnaniCi_ = Alignments(QStringLiteral("CBImplZarovnaniCi"), box);
    auto* textLabel = new QLabel(QStringLiteral("Zarovnání textu:"), box);
    textLabel->setBuddy(implZarovnani_);
    form->addRow(textLabel, implZarovnani_);
    auto* numberLabel = new QLabel(QStringLiteral("Zarovnání čísel:"), box);
    numberLabel->setBuddy(implZarovnaniCi_);
    form->addRow(numberLabel, implZarovnaniCi_);
    auto* font = new QPushButton(QStringLiteral("Předvolené písmo ..."), box);
    font->setObjectName(QStringLiteral("BtnPismo"));
    connect(font, &QPushButton::clicked, this, &TSestKonfigDlg::ChooseFont);
    form->addRow(font);
    auto* samplePanel = new QFrame(box);
    samplePanel->setObjectName(QStringLiteral("PanelVzor"));
    samplePanel->setFrameShape(QFrame::StyledPanel);
    samplePanel->setMinimumSize(300, 90);
    auto* sampleLayout = new QGridLayout(samplePanel);
    sample_ = new QLabel(QStringLiteral("ÁBČDábčd"), samplePanel);
    sample_->setObjectName(QStringLiteral("LabelVzor"));
    sample_->setFrameShape(QFrame::Box);
    sampleLayout->addWidget(sample_, 0, 0, Qt::AlignCenter);
    form->addRow(samplePanel);
    for (QComboBox* combo : {implZarovnani_, implZarovnaniCi_}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { RefreshSample(); });
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch();
    return page;
}

QWidget* TSestKonfigDlg::BuildLibrary() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* version = new QLabel(QStringLiteral("Knihovna tiskových sestav, verze %1")
                                   .arg(QStringLiteral(HARVEL_VERSION_TEXT)),
                               page);
    version->setObjectName(QStringLiteral("LabelVerze"));
    layout->addWidget(version);
    layout->addStretch();
    return page;
}

void TSestKonfigDlg::FillControls() {
    const TDesignerSettings& s = settings_;
    mazaniJedne_->setChecked(s.mazaniJedne);
    mazaniVice_->setChecked(s.mazaniVice);
    posunMimo_->setChecked(s.posunMimo);
    pocetUndo_->setText(QString::number(s.pocetUndo));
    undoSave_->setChecked(s.undoSave);
    showTree_->setChecked(s.showTree);
    shownUnit_ = std::clamp(s.useUnits, 0, kUnitCount - 1);
    useUnits_->setCurrentIndex(shownUnit_);
    sledPodle_->setChecked(s.sledPodle);
    popisyPol_->setChecked(s.popisyPol);
    pismaAbec_->setChecked(s.pismaAbec);
    rastrX_->setText(QString::number(s.rastrX));
    rastrY_->setText(QString::number(s.rastrY));
    rastrZobrazovat_->setChecked(s.rastrZobrazovat);
    rastrZarovnavat_->setChecked(s.rastrZarovnavat);
    showRulesLR_->setChecked(s.showRulesLR);
    showRulesTB_->setChecked(s.showRulesTB);
    trackingH_->setChecked(s.trackingH);
    trackingV_->setChecked(s.trackingV);
    implSirka_->setText(QString::number(ShowInUnit(s.implSirka, shownUnit_)));
    implVyska_->setText(QString::number(ShowInUnit(s.implVyska, shownUnit_)));
    implZarovnani_->setCurrentIndex(std::clamp(s.implZarovnani, 0, 2));
    implZarovnaniCi_->setCurrentIndex(std::clamp(s.implZarovnaniCi, 0, 2));
    sampleFont_.name = s.implNazevFontu;
    sampleFont_.size = s.implVyskaFontu;
    sampleFont_.color = ColourNumber(TemplateColour(s.implBarvaFontu));
    sampleFont_.style = s.implStylFontu;
    sampleFont_.charset = s.implSkriptFontu;
    RefreshSample();
}

void TSestKonfigDlg::ChangeUnit(int unit) {
    const int width = TakeFromUnit(Whole(implSirka_, ShowInUnit(200, shownUnit_)), shownUnit_);
    const int height = TakeFromUnit(Whole(implVyska_, ShowInUnit(16, shownUnit_)), shownUnit_);
    shownUnit_ = unit;
    implSirka_->setText(QString::number(ShowInUnit(width, unit)));
    implVyska_->setText(QString::number(ShowInUnit(height, unit)));
    RefreshSample();
}

void TSestKonfigDlg::ChooseFont() {
    TElementDialogContext context;
    context.pismaAbec = pismaAbec_->isChecked();
    context.unit = shownUnit_;
    TDlgKonfPrvku dialog(TDlgKonfPrvku::kmFont, context, this);
    dialog.SetFont(sampleFont_);
    if (platform::ExecModal(dialog) == QDialog::Accepted) {
        sampleFont_ = dialog.Font();
        RefreshSample();
    }
}

void TSestKonfigDlg::RefreshSample() {
    platform::Font canvas = sampleFont_.CanvasFont();
    SubstituteDeviceFont(canvas);
    QFont font(canvas.name);
    font.setPointSizeF(std::clamp(canvas.size, 1.0, 200.0));
    font.setBold(canvas.bold);
    font.setItalic(canvas.italic);
    font.setUnderline(canvas.underline);
    font.setStrikeOut(canvas.strikeout);
    sample_->setFont(font);
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::WindowText, canvas.color);
    sample_->setPalette(palette);
    // The default element size, read back from the fields in the shown unit.
    const int width = TakeFromUnit(Whole(implSirka_, ShowInUnit(200, shownUnit_)), shownUnit_);
    const int height = TakeFromUnit(Whole(implVyska_, ShowInUnit(16, shownUnit_)), shownUnit_);
    sample_->setFixedSize(std::clamp(width * logicalDpiX() / 100, 4, 2000),
                          std::clamp(height * logicalDpiY() / 100, 4, 2000));
    const int align = implZarovnani_->currentIndex();
    sample_->setAlignment((align == 1   ? Qt::AlignRight
                           : align == 2 ? Qt::AlignHCenter
                                        : Qt::AlignLeft) |
                          Qt::AlignVCenter);
}

bool TSestKonfigDlg::TakeControls() {
    bool ok = false;
    const int undo = pocetUndo_->text().trimmed().toInt(&ok);
    if (!ok) {
        platform::ShowMessage(
            QStringLiteral("„%1“ není platné celé číslo.").arg(pocetUndo_->text()), QString(),
            platform::MessageIcon::Error);
        pocetUndo_->setFocus();
        return false;
    }
    TDesignerSettings& s = settings_;
    s.rastrX = Whole(rastrX_, 8);
    s.rastrY = Whole(rastrY_, 8);
    s.pocetUndo = undo;
    s.mazaniJedne = mazaniJedne_->isChecked();
    s.mazaniVice = mazaniVice_->isChecked();
    s.posunMimo = posunMimo_->isChecked();
    s.undoSave = undoSave_->isChecked();
    s.showTree = showTree_->isChecked();
    s.sledPodle = sledPodle_->isChecked();
    s.popisyPol = popisyPol_->isChecked();
    s.pismaAbec = pismaAbec_->isChecked();
    s.rastrZobrazovat = rastrZobrazovat_->isChecked();
    s.rastrZarovnavat = rastrZarovnavat_->isChecked();
    s.showRulesLR = showRulesLR_->isChecked();
    s.showRulesTB = showRulesTB_->isChecked();
    s.trackingH = trackingH_->isChecked();
    s.trackingV = trackingV_->isChecked();
    s.useUnits = useUnits_->currentIndex();
    s.implSirka = TakeFromUnit(Whole(implSirka_, ShowInUnit(200, shownUnit_)), shownUnit_);
    s.implVyska = TakeFromUnit(Whole(implVyska_, ShowInUnit(16, shownUnit_)), shownUnit_);
    s.implZarovnani = implZarovnani_->currentIndex();
    s.implZarovnaniCi = implZarovnaniCi_->currentIndex();
    s.implBarvaFontu = RgbToTemplateColor(sampleFont_.color);
    s.implVyskaFontu = sampleFont_.size;
    s.implNazevFontu = sampleFont_.name.left(kMaxFontNameLength);
    s.implStylFontu = sampleFont_.style;
    s.implSkriptFontu = sampleFont_.charset;
    return true;
}

void TSestKonfigDlg::Finish() {
    if (!TakeControls()) {
        return;
    }
    if (!settings_.Save(iniPath_)) {
        platform::ShowMessage(
            QStringLiteral("Nastavení se nepodařilo zapsat do souboru \"%1\".").arg(iniPath_),
            QStringLiteral("Chyba"), platform::MessageIcon::Error);
    }
    accept();
}
