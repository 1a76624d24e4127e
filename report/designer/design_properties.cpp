#include "report/designer/design_properties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/engine/sestavyt.h"
#include "report/model/lumex_element.h"
#include "report/output/length_units.h"
#include "report/output/sestbarc.h"

namespace {

enum LengthField { lfLeft, lfTop, lfWidth, lfHeight };

bool AnyKind(const TLumexReportElement&) {
    return true;
}
bool TextKind(const TLumexReportElement& e) {
    return e.IsText();
}
bool LineKind(const TLumexReportElement& e) {
    return e.kind == ekLine;
}
bool ShapeKind(const TLumexReportElement& e) {
    return e.kind >= ekFrame && e.kind <= ekEllipse;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// The colour table index of a colour, or -1.
int ColourIndex(int rgb) {
    for (int i = 0; i < 16; ++i) {
        if (TemplateColorTable(i) == rgb) {
            return i;
        }
    }
    return -1;
}

}  // namespace

const QStringList& TDesignProperties::ColourNames() {
    static const QStringList names = {QStringLiteral("černá"),         QStringLiteral("kaštanová"),
                                      QStringLiteral("zelená"),        QStringLiteral("olivová"),
                                      QStringLiteral("ultramarínová"), QStringLiteral("purpurová"),
                                      QStringLiteral("šedozelená"),    QStringLiteral("šedá"),
                                      QStringLiteral("stříbrná"),      QStringLiteral("červená"),
                                      QStringLiteral("žlutozelená"),   QStringLiteral("žlutá"),
                                      QStringLiteral("modrá"),         QStringLiteral("růžová"),
                                      QStringLiteral("akvamarínová"),  QStringLiteral("bílá")};
    return names;
}

TDesignProperties::TDesignProperties(TFormSestE& designer, QWidget* parent)
    : QWidget(parent), designer_(designer) {
    setObjectName(QStringLiteral("PanelVlastnosti"));
    setMinimumWidth(250);
    setMaximumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(BuildGeometry());
    layout->addWidget(textPanel_ = BuildTextPanel());
    layout->addWidget(linePanel_ = BuildLinePanel());
    layout->addWidget(shapePanel_ = BuildShapePanel());
    layout->addWidget(picturePanel_ = BuildPicturePanel());
    layout->addWidget(barcodePanel_ = BuildBarcodePanel());
    layout->addWidget(paintPanel_ = BuildPaintPanel());
    layout->addStretch();
    ShowElement(nullptr);
}

void TDesignProperties::Apply(const std::function<bool(const TLumexReportElement&)>& concerns,
                              const std::function<void(TLumexReportElement&)>& change, int step) {
    if (filling_ || !shown_) {
        return;
    }
    designer_.ApplyToSelection(concerns, change, step);
    ShowElement(designer_.FocusedElement());
}

// ---- geometry --------------------------------------------------------------------------------

QLineEdit* TDesignProperties::LengthField(const QString& name, const QString& caption,
                                          QWidget* host, int field) {
    auto* edit = new QLineEdit(host);
    edit->setObjectName(name);
    static_cast<QFormLayout*>(host->layout())->addRow(Caption(caption, edit, host), edit);
    connect(edit, &QLineEdit::returnPressed, this, [this, field] { ApplyLength(field); });
    connect(edit, &QLineEdit::editingFinished, this, [this] {
        if (!filling_) {
            ShowElement(shown_);
        }
    });
    return edit;
}

QWidget* TDesignProperties::BuildGeometry() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    lengths_[lfLeft] =
        LengthField(QStringLiteral("EditLeft"), QStringLiteral("Levý okraj"), box, lfLeft);
    lengths_[lfTop] =
        LengthField(QStringLiteral("EditTop"), QStringLiteral("Horní okraj"), box, lfTop);
    lengths_[lfWidth] =
        LengthField(QStringLiteral("EditWidth"), QStringLiteral("Šířka"), box, lfWidth);
    lengths_[lfHeight] =
        LengthField(QStringLiteral("EditHeight"), QStringLiteral("Výška"), box, lfHeight);
    auto* order = new QWidget(box);
    auto* row = new QHBoxLayout(order);
    row->setContentsMargins(0, 0, 0, 0);
    front_ = new QPushButton(QStringLiteral("Přenést dopředu"), order);
    front_->setObjectName(QStringLiteral("BtnDopredu"));
    back_ = new QPushButton(QStringLiteral("Přesunout dozadu"), order);
    back_->setObjectName(QStringLiteral("BtnDozadu"));
    row->addWidget(front_);
    row->addWidget(back_);
    form->addRow(order);
    connect(front_, &QPushButton::clicked, this, [this] { designer_.BringToFront(); });
    connect(back_, &QPushButton::clicked, this, [this] { designer_.SendToBack(); });
    return box;
}

void TDesignProperties::ApplyLength(int field) {
    if (!shown_) {
        return;
    }
    bool ok = false;
    const double typed =
        lengths_[field]->text().trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok) {
        ShowElement(shown_);
        return;
    }
    const int value = TakeFromUnit(typed, designer_.Unit());
    designer_.ApplyToSelection(
        AnyKind,
        [field, value](TLumexReportElement& e) {
            int* target[] = {&e.left, &e.top, &e.width, &e.height};
            *target[field] = field >= lfWidth ? std::max(value, 3) : value;
        },
        dsMove);
    ShowElement(designer_.FocusedElement());
}

// ---- text kinds ------------------------------------------------------------------------------

QToolButton* TDesignProperties::FlagButton(QWidget* host, const QString& name, const QString& text,
                                           int bit, bool textKinds) {
    auto* button = new QToolButton(host);
    button->setObjectName(name);
    button->setText(text);
    button->setCheckable(true);
    auto concerns = textKinds ? std::function<bool(const TLumexReportElement&)>(TextKind)
                              : std::function<bool(const TLumexReportElement&)>(
                                    [](const TLumexReportElement& e) { return e.IsGraphic(); });
    connect(button, &QToolButton::toggled, this, [this, bit, concerns](bool on) {
        Apply(
            concerns,
            [bit, on](TLumexReportElement& e) {
                e.frameFlags = on ? (e.frameFlags | bit) : (e.frameFlags & ~bit);
            },
            dsElement);
    });
    return button;
}

QWidget* TDesignProperties::BuildTextPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelText"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* font = new QPushButton(QStringLiteral("Písmo..."), panel);
    font->setObjectName(QStringLiteral("BtnPismo"));
    connect(font, &QPushButton::clicked, this, [this] { designer_.EditElementFont(); });
    grid->addWidget(font, 0, 0, 1, 4);
    const char* frameNames[] = {"BtnRamL", "BtnRamT", "BtnRamR", "BtnRamB"};
    const char* frameTexts[] = {"Levý", "Horní", "Pravý", "Dolní"};
    for (int i = 0; i < 4; ++i) {
        QToolButton* b = FlagButton(panel, QLatin1String(frameNames[i]),
                                    QString::fromUtf8(frameTexts[i]), 1 << i, true);
        textFrameButtons_.push_back({b, 1 << i});
        grid->addWidget(b, 1, i);
    }
    const char* alignNames[] = {"BtnVlevo", "BtnUprostred", "BtnVpravo"};
    const char* alignTexts[] = {"Vlevo", "Uprostřed", "Vpravo"};
    const int alignCodes[] = {eaLeft, eaCenter, eaRight};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QToolButton(panel);
        b->setObjectName(QLatin1String(alignNames[i]));
        b->setText(QString::fromUtf8(alignTexts[i]));
        b->setCheckable(true);
        const int code = alignCodes[i];
        connect(b, &QToolButton::clicked, this, [this, code] {
            Apply(
                TextKind,
                [code](TLumexReportElement& e) {
                    e.alignment = code;
                    e.textFlags &= ~tfJustify;
                },
                dsAlignment);
        });
        alignButtons_[i] = b;
        grid->addWidget(b, 2, i);
    }
    textEdit_ = new QLineEdit(panel);
    textEdit_->setObjectName(QStringLiteral("EditText"));
    grid->addWidget(Caption(QStringLiteral("Text:"), textEdit_, panel), 3, 0);
    grid->addWidget(textEdit_, 3, 1, 1, 3);
    connect(textEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!shown_ || textEdit_->isReadOnly()) {
            return;
        }
        TLumexReportElement& e = shown_->Element();
        e.text = text;
        shown_->Redraw();
    });
    connect(textEdit_, &QLineEdit::returnPressed, this, [this] {
        if (shown_ && !textEdit_->isReadOnly()) {
            designer_.RecordStep(dsText);
        }
    });
    // A memo field shown as RTF: justified and growing text.
    rtfJustify_ = new QCheckBox(QStringLiteral("Zarovnávat do bloku"), panel);
    rtfJustify_->setObjectName(QStringLiteral("CheckBlok"));
    rtfVariable_ = new QCheckBox(QStringLiteral("Proměnná výška"), panel);
    rtfVariable_->setObjectName(QStringLiteral("CheckPromennaVyskaTextu"));
    grid->addWidget(rtfJustify_, 4, 0, 1, 4);
    grid->addWidget(rtfVariable_, 5, 0, 1, 4);
    auto textFlag = [this](QCheckBox* box, int bit) {
        connect(box, &QCheckBox::toggled, this, [this, bit](bool on) {
            Apply([](const TLumexReportElement& e) { return e.IsText() && e.RtfText(); },
                  [bit, on](TLumexReportElement& e) {
                      e.textFlags = on ? (e.textFlags | bit) : (e.textFlags & ~bit);
                  },
                  dsElement);
        });
    };
    textFlag(rtfJustify_, tfJustify);
    textFlag(rtfVariable_, tfVariableHeight);
    return panel;
}

void TDesignProperties::FillTextPanel(const TLumexReportElement& e) {
    for (auto& [button, bit] : textFrameButtons_) {
        button->setChecked(e.frameFlags & bit);
    }
    alignButtons_[0]->setChecked(e.alignment == eaLeft);
    alignButtons_[1]->setChecked(e.alignment == eaCenter);
    alignButtons_[2]->setChecked(e.alignment == eaRight);
    const bool named = e.kind == ekField || e.kind == ekFieldLabel || e.kind == ekParameter ||
                       e.kind == ekFunction;
    rtfJustify_->setVisible(e.RtfText());
    rtfVariable_->setVisible(e.RtfText());
    rtfJustify_->setChecked(e.textFlags & tfJustify);
    rtfVariable_->setChecked(e.textFlags & tfVariableHeight);
    textEdit_->setReadOnly(named);
    textEdit_->setText(
        named ? ElementDescription(designer_.Report(), e, designer_.Settings().popisyPol) : e.text);
}

// ---- lines and shapes ------------------------------------------------------------------------

namespace {

QComboBox* ColourCombo(QWidget* parent, const QString& name, bool other) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(TDesignProperties::ColourNames());
    if (other) {
        combo->addItem(QStringLiteral("jiná barva..."));
    }
    return combo;
}

}  // namespace

QWidget* TDesignProperties::BuildLinePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelCara"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    lineColour_ = ColourCombo(panel, QStringLiteral("ComboBarvaCary"), false);
    grid->addWidget(Caption(QStringLiteral("Barva:"), lineColour_, panel), 0, 0);
    grid->addWidget(lineColour_, 0, 1, 1, 6);
    lineWidth_ = new QSpinBox(panel);
    lineWidth_->setObjectName(QStringLiteral("SpinSirkaCary"));
    lineWidth_->setRange(0, 100);
    grid->addWidget(Caption(QStringLiteral("Šířka:"), lineWidth_, panel), 1, 0);
    grid->addWidget(lineWidth_, 1, 1, 1, 6);
    lineStyle_ = new QComboBox(panel);
    lineStyle_->setObjectName(QStringLiteral("ComboStylCary"));
    lineStyle_->addItems({QStringLiteral("plná"), QStringLiteral("čárkovaná"),
                          QStringLiteral("tečkovaná"), QStringLiteral("čerchovaná")});
    grid->addWidget(Caption(QStringLiteral("Styl:"), lineStyle_, panel), 2, 0);
    grid->addWidget(lineStyle_, 2, 1, 1, 6);
    const char* names[] = {"BtnCaraL",  "BtnCaraT",    "BtnCaraR",     "BtnCaraB",
                           "BtnCaraUp", "BtnCaraDown", "BtnCaraElipsa"};
    const char* texts[] = {"L", "H", "P", "D", "/", "\\", "O"};
    const int bits[] = {
        ffLeft, ffTop, ffRight, ffBottom, ffLineDiagonalUp, ffLineDiagonalDown, ffLineEllipse};
    for (int i = 0; i < 7; ++i) {
        QToolButton* b =
            FlagButton(panel, QLatin1String(names[i]), QLatin1String(texts[i]), bits[i], false);
        lineButtons_.push_back({b, bits[i]});
        grid->addWidget(b, 3, i);
    }
    connect(lineColour_, &QComboBox::activated, this, [this](int index) {
        Apply(
            LineKind, [index](TLumexReportElement& e) { e.penColor = TemplateColorTable(index); },
            dsElement);
    });
    connect(lineWidth_, &QSpinBox::valueChanged, this, [this](int width) {
        Apply(
            LineKind,
            [width](TLumexReportElement& e) {
                e.penWidth = width;
                if (width > 1) {
                    e.penStyle = psSolid;
                }
            },
            dsElement);
    });
    connect(lineStyle_, &QComboBox::activated, this, [this](int style) {
        Apply(
            LineKind, [style](TLumexReportElement& e) { e.penStyle = style; }, dsElement);
    });
    return panel;
}

void TDesignProperties::FillLinePanel(const TLumexReportElement& e) {
    lineColour_->setCurrentIndex(std::max(0, ColourIndex(e.penColor)));
    lineWidth_->setValue(e.penWidth);
    lineStyle_->setCurrentIndex(std::clamp(e.penStyle, 0, 3));
    for (auto& [button, bit] : lineButtons_) {
        button->setChecked(e.frameFlags & bit);
    }
}

QWidget* TDesignProperties::BuildShapePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelRamecek"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    shapeColour_ = ColourCombo(panel, QStringLiteral("ComboBarvaObrysu"), false);
    grid->addWidget(Caption(QStringLiteral("Obrys:"), shapeColour_, panel), 0, 0);
    grid->addWidget(shapeColour_, 0, 1, 1, 4);
    shapeWidth_ = new QSpinBox(panel);
    shapeWidth_->setObjectName(QStringLiteral("SpinSirkaObrysu"));
    shapeWidth_->setRange(0, 100);
    grid->addWidget(Caption(QStringLiteral("Šířka obrysu:"), shapeWidth_, panel), 1, 0);
    grid->addWidget(shapeWidth_, 1, 1, 1, 4);
    fillColour_ = ColourCombo(panel, QStringLiteral("ComboBarvaVyplne"), true);
    grid->addWidget(Caption(QStringLiteral("Výplň:"), fillColour_, panel), 2, 0);
    grid->addWidget(fillColour_, 2, 1, 1, 4);
    fillStyle_ = new QComboBox(panel);
    fillStyle_->setObjectName(QStringLiteral("ComboStylVyplne"));
    const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                     Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                     Qt::CrossPattern, Qt::DiagCrossPattern};
    const char* styleNames[] = {"plné",    "prázdné", "vodorovné", "svislé",
                                "šikmé F", "šikmé B", "svis/vod",  "šikmé"};
    for (int i = 0; i < 8; ++i) {
        QPixmap sample(40, 12);
        sample.fill(Qt::white);
        QPainter p(&sample);
        p.fillRect(sample.rect(), QBrush(Qt::black, styles[i]));
        fillStyle_->addItem(QIcon(sample), QString::fromUtf8(styleNames[i]));
    }
    fillStyle_->setIconSize(QSize(40, 12));
    grid->addWidget(Caption(QStringLiteral("Styl výplně:"), fillStyle_, panel), 3, 0);
    grid->addWidget(fillStyle_, 3, 1, 1, 4);
    const char* names[] = {"BtnObrysL", "BtnObrysT", "BtnObrysR", "BtnObrysB"};
    const char* texts[] = {"L", "H", "P", "D"};
    for (int i = 0; i < 4; ++i) {
        QToolButton* b =
            FlagButton(panel, QLatin1String(names[i]), QLatin1String(texts[i]), 1 << i, false);
        shapeButtons_.push_back({b, 1 << i});
        grid->addWidget(b, 4, i);
    }
    connect(shapeColour_, &QComboBox::activated, this, [this](int index) {
        Apply(
            ShapeKind, [index](TLumexReportElement& e) { e.penColor = TemplateColorTable(index); },
            dsElement);
    });
    connect(shapeWidth_, &QSpinBox::valueChanged, this, [this](int width) {
        Apply(
            ShapeKind, [width](TLumexReportElement& e) { e.penWidth = width; }, dsElement);
    });
    connect(fillColour_, &QComboBox::activated, this, [this](int index) {
        if (index >= 16) {
            return;  // "jiná barva..." keeps the element's own colour
        }
        Apply(
            ShapeKind, [index](TLumexReportElement& e) { e.fillColor = TemplateColorTable(index); },
            dsElement);
    });
    connect(fillStyle_, &QComboBox::activated, this, [this](int style) {
        Apply(
            ShapeKind, [style](TLumexReportElement& e) { e.scale = style; }, dsElement);
    });
    return panel;
}

void TDesignProperties::FillShapePanel(const TLumexReportElement& e) {
    shapeColour_->setCurrentIndex(std::max(0, ColourIndex(e.penColor)));
    shapeWidth_->setValue(e.penWidth);
    const int fill = ColourIndex(e.fillColor);
    fillColour_->setCurrentIndex(fill >= 0 ? fill : 16);
    fillStyle_->setCurrentIndex(std::clamp(e.scale, 0, 7));
    for (auto& [button, bit] : shapeButtons_) {
        button->setChecked(e.frameFlags & bit);
    }
}

// ---- pictures, barcodes, drawing areas -------------------------------------------------------

QWidget* TDesignProperties::BuildPicturePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelObrazek"));
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    pictureFile_ = new QComboBox(panel);
    pictureFile_->setObjectName(QStringLiteral("ComboObrazek"));
    pictureFile_->setEditable(true);
    form->addRow(Caption(QStringLiteral("Soubor:"), pictureFile_, panel), pictureFile_);
    pictureStretch_ = new QCheckBox(QStringLiteral("Podle okna"), panel);
    pictureStretch_->setObjectName(QStringLiteral("CheckPodleOkna"));
    pictureAspect_ = new QCheckBox(QStringLiteral("Zachovat poměr stran"), panel);
    pictureAspect_->setObjectName(QStringLiteral("CheckPomer"));
    pictureOwn_ = new QCheckBox(QStringLiteral("Povolit změnu"), panel);
    pictureOwn_->setObjectName(QStringLiteral("CheckPovolitZmenu"));
    form->addRow(pictureStretch_);
    form->addRow(pictureAspect_);
    form->addRow(pictureOwn_);
    auto pictureKinds = [](const TLumexReportElement& e) {
        return e.kind == ekPicture || e.kind == ekField;
    };
    auto flag = [this, pictureKinds](QCheckBox* box, int bit) {
        connect(box, &QCheckBox::toggled, this, [this, bit, pictureKinds](bool on) {
            Apply(
                pictureKinds,
                [bit, on](TLumexReportElement& e) {
                    e.frameFlags = on ? (e.frameFlags | bit) : (e.frameFlags & ~bit);
                },
                dsElement);
        });
    };
    flag(pictureStretch_, ffPictureStretch);
    flag(pictureAspect_, ffPictureKeepAspect);
    flag(pictureOwn_, ffPictureOwnCopy);
    connect(pictureFile_, &QComboBox::textActivated, this, [this](const QString& name) {
        const QString folder = designer_.Report().TemplateFolder();
        Apply([](const TLumexReportElement& e) { return e.kind == ekPicture; },
              [this, name, folder](TLumexReportElement& e) {
                  e.text = folder + name;
                  designer_.Report().LoadPicture(e.text, e.picture);
                  e.pictureFile = e.text;
              },
              dsElement);
    });
    return panel;
}

void TDesignProperties::FillPicturePanel(const TLumexReportElement& e) {
    QStringList pictures;
    designer_.Report().ListPictures(pictures);
    pictureFile_->clear();
    pictureFile_->addItems(pictures);
    pictureFile_->setEditText(e.kind == ekPicture ? e.text.section(QLatin1Char('/'), -1)
                                                  : QString());
    pictureStretch_->setChecked(e.frameFlags & ffPictureStretch);
    pictureAspect_->setChecked(e.frameFlags & ffPictureKeepAspect);
    pictureAspect_->setVisible(e.frameFlags & ffPictureStretch);
    pictureOwn_->setChecked(e.frameFlags & ffPictureOwnCopy);
    pictureOwn_->setVisible(e.kind == ekPicture);
    pictureFile_->setEnabled(e.kind == ekPicture);
}

QWidget* TDesignProperties::BuildBarcodePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelCarovyKod"));
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    barcodeType_ = new QComboBox(panel);
    barcodeType_->setObjectName(QStringLiteral("ComboTypKodu"));
    barcodeType_->addItems(BarcodeTypeNames());
    form->addRow(Caption(QStringLiteral("Typ:"), barcodeType_, panel), barcodeType_);
    barWidth_ = new QComboBox(panel);
    barWidth_->setObjectName(QStringLiteral("ComboSirkaCar"));
    for (const TBarWidth& width : BarWidthList()) {
        barWidth_->addItem(width.caption);
    }
    form->addRow(Caption(QStringLiteral("Relativní velikost "), barWidth_, panel), barWidth_);
    barcodeCheck_ = new QCheckBox(QStringLiteral("Dopočítat kontrolní součet"), panel);
    barcodeCheck_->setObjectName(QStringLiteral("CheckKontrolni"));
    barcodeText_ = new QCheckBox(QStringLiteral("Text"), panel);
    barcodeText_->setObjectName(QStringLiteral("CheckTisknoutText"));
    barcodeText_->setToolTip(QStringLiteral("Tisknout text"));
    barcodeGuards_ = new QCheckBox(QStringLiteral("<>"), panel);
    barcodeGuards_->setObjectName(QStringLiteral("CheckZnaky"));
    barcodeGuards_->setToolTip(QStringLiteral("Tisknout znaky <>"));
    barcodeContent_ = new QLineEdit(panel);
    barcodeContent_->setObjectName(QStringLiteral("EditKod"));
    form->addRow(barcodeCheck_);
    form->addRow(barcodeText_);
    form->addRow(Caption(QStringLiteral("Kód:"), barcodeContent_, panel), barcodeContent_);
    form->addRow(barcodeGuards_);
    auto barcode = [](const TLumexReportElement& e) { return e.kind == ekBarcode; };
    connect(barcodeType_, &QComboBox::activated, this, [this, barcode](int type) {
        Apply(
            barcode, [type](TLumexReportElement& e) { e.penStyle = type; }, dsElement);
    });
    connect(barWidth_, &QComboBox::activated, this, [this, barcode](int index) {
        const int value = BarWidthList()[index].value;
        Apply(
            barcode, [value](TLumexReportElement& e) { e.penWidth = value; }, dsElement);
    });
    auto flag = [this, barcode](QCheckBox* box, int bit) {
        connect(box, &QCheckBox::toggled, this, [this, bit, barcode](bool on) {
            Apply(
                barcode,
                [bit, on](TLumexReportElement& e) {
                    e.frameFlags = on ? (e.frameFlags | bit) : (e.frameFlags & ~bit);
                },
                dsElement);
        });
    };
    flag(barcodeCheck_, ffBarcodeCheckDigit);
    flag(barcodeText_, ffBarcodeText);
    flag(barcodeGuards_, ffBarcodeGuards);
    connect(barcodeContent_, &QLineEdit::returnPressed, this, [this, barcode] {
        const QString text = barcodeContent_->text();
        Apply(
            barcode,
            [text](TLumexReportElement& e) {
                e.text = text;
                e.value.text = text;
            },
            dsText);
    });
    return panel;
}

void TDesignProperties::FillBarcodePanel(const TLumexReportElement& e) {
    const bool known = e.penStyle >= 0 && e.penStyle < kBarcodeTypeCount;
    barcodeType_->setCurrentIndex(known ? e.penStyle
                                        : barcodeType_->findText(QStringLiteral("EAN 13")));
    barWidth_->setCurrentIndex(FindBarWidthIndex(e.penWidth));
    barcodeCheck_->setChecked(e.frameFlags & ffBarcodeCheckDigit);
    barcodeText_->setChecked(e.frameFlags & ffBarcodeText);
    barcodeGuards_->setChecked(e.frameFlags & ffBarcodeGuards);
    barcodeContent_->setText(e.text);
}

QWidget* TDesignProperties::BuildPaintPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelKresleni"));
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    paintIndex_ = new QSpinBox(panel);
    paintIndex_->setObjectName(QStringLiteral("SpinIndex"));
    paintIndex_->setRange(0, 9999);
    paintZoom_ = new QSpinBox(panel);
    paintZoom_->setObjectName(QStringLiteral("SpinZoom"));
    paintZoom_->setRange(kMinPaintBoxScale, kMaxPaintBoxScale);
    paintVariable_ = new QCheckBox(QStringLiteral("Proměnná výška"), panel);
    paintVariable_->setObjectName(QStringLiteral("CheckPromennaVyska"));
    form->addRow(Caption(QStringLiteral("Index:"), paintIndex_, panel), paintIndex_);
    form->addRow(Caption(QStringLiteral("Zoom:"), paintZoom_, panel), paintZoom_);
    form->addRow(paintVariable_);
    auto paint = [](const TLumexReportElement& e) { return e.kind == ekPaintBox; };
    connect(paintIndex_, &QSpinBox::valueChanged, this, [this, paint](int index) {
        Apply(
            paint,
            [index](TLumexReportElement& e) {
                e.source = index;
                e.frameFlags |= ffPaintBoxChanged;
            },
            dsElement);
    });
    connect(paintZoom_, &QSpinBox::valueChanged, this, [this, paint](int zoom) {
        Apply(
            paint,
            [zoom](TLumexReportElement& e) {
                e.scale = zoom;
                e.frameFlags |= ffPaintBoxChanged;
            },
            dsElement);
    });
    connect(paintVariable_, &QCheckBox::toggled, this, [this, paint](bool on) {
        Apply(
            paint,
            [on](TLumexReportElement& e) {
                e.frameFlags = on ? (e.frameFlags | ffPaintBoxVariableHeight)
                                  : (e.frameFlags & ~ffPaintBoxVariableHeight);
            },
            dsElement);
    });
    return panel;
}

void TDesignProperties::FillPaintPanel(const TLumexReportElement& e) {
    paintIndex_->setValue(e.source);
    paintZoom_->setValue(std::clamp(e.scale, kMinPaintBoxScale, kMaxPaintBoxScale));
    paintVariable_->setChecked(e.frameFlags & ffPaintBoxVariableHeight);
}

// ---- showing ---------------------------------------------------------------------------------

void TDesignProperties::SetElementControlsEnabled(bool enabled) {
    for (QLineEdit* edit : lengths_) {
        edit->setEnabled(enabled);
    }
    SetOrderButtonsEnabled(enabled);
}

void TDesignProperties::SetOrderButtonsEnabled(bool enabled) {
    front_->setEnabled(enabled);
    back_->setEnabled(enabled);
}

void TDesignProperties::ShowElement(TSesPrvek* element) {
    filling_ = true;
    shown_ = element;
    const bool has = element != nullptr;
    SetElementControlsEnabled(has);
    if (has && designer_.MarkedCount() > 1) {
        SetOrderButtonsEnabled(false);
    }
    const int kind = has ? element->Element().kind : 0;
    textPanel_->setVisible(has && TLumexReportElement::IsTextKind(kind));
    linePanel_->setVisible(has && kind == ekLine);
    shapePanel_->setVisible(has && kind >= ekFrame && kind <= ekEllipse);
    picturePanel_->setVisible(has && (kind == ekPicture || kind == ekField));
    barcodePanel_->setVisible(has && kind == ekBarcode);
    paintPanel_->setVisible(has && kind == ekPaintBox);
    if (!has) {
        for (QLineEdit* edit : lengths_) {
            edit->clear();
        }
        filling_ = false;
        return;
    }
    const TLumexReportElement& e = element->Element();
    const int unit = designer_.Unit();
    const int values[] = {e.left, e.top, e.width, e.height};
    for (int i = 0; i < 4; ++i) {
        lengths_[i]->setText(QString::number(ShowInUnit(values[i], unit)));
    }
    if (e.IsText()) {
        FillTextPanel(e);
    }
    if (kind == ekLine) {
        FillLinePanel(e);
    }
    if (kind >= ekFrame && kind <= ekEllipse) {
        FillShapePanel(e);
    }
    if (kind == ekPicture || kind == ekField) {
        FillPicturePanel(e);
    }
    if (kind == ekBarcode) {
        FillBarcodePanel(e);
    }
    if (kind == ekPaintBox) {
        FillPaintPanel(e);
    }
    filling_ = false;
}
